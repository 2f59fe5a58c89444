#pragma once
// A control that its owner draws: the Backdrop picture first, then the Paint event.
#include "platform/Control.h"
#include "platform/Picture.h"

#include <functional>

class Graphics;

class Canvas : public RectControl {
  public:
    Canvas();

    const PicturePtr& Backdrop() const { return backdrop_; }
    void SetBackdrop(PicturePtr picture);

    std::function<void(Graphics& g)> OnPaint;
    virtual void Event_Paint(Graphics& g) {
        if (OnPaint) OnPaint(g);
    }

  private:
    PicturePtr backdrop_;
};
