#pragma once
// A horizontal slider over a range of whole numbers. ValueChanged follows the user only: a
// Value set by the program, or one held inside a changed range, raises nothing.
#include "platform/ToolkitControl.h"

#include <functional>

class QSlider;

class Slider : public ToolkitControl {
  public:
    Slider();

    int Minimum() const;
    int Maximum() const;
    // A range whose maximum lies below its minimum becomes the single value of the new bound.
    void SetMinimum(int value);
    void SetMaximum(int value);
    int Value() const;
    // Held inside the range.
    void SetValue(int value);
    int LineStep() const;
    void SetLineStep(int step);
    int PageStep() const;
    void SetPageStep(int step);
    // Whether ValueChanged follows a drag as it goes, or only its end.
    bool LiveScroll() const;
    void SetLiveScroll(bool value);

    std::function<void()> OnValueChanged;
    virtual void Event_ValueChanged() {
        if (OnValueChanged) OnValueChanged();
    }

  private:
    template <class F> void Quietly(F&& change);
    QSlider* slider_; // owned by the control's widget
    bool quiet_ = false;
};
