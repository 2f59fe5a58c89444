#pragma once
// A timer that runs its Action on the event loop. Mode 0 is off, 1 fires once and then turns
// itself off, 2 fires every Period milliseconds; never before the period has passed.
#include "platform/Control.h"

#include <functional>
#include <memory>

class QTimer;

class Timer : public Control {
  public:
    enum { ModeOff = 0, ModeSingle = 1, ModeMultiple = 2 };

    Timer();
    ~Timer() override;

    int Mode() const { return mode_; }
    // Setting a mode other than 0 starts the period afresh.
    void SetMode(int mode);
    int Period() const { return period_; }
    void SetPeriod(int milliseconds);
    // Turns the timer off for good: its window has closed.
    void Stop();

    std::function<void()> OnAction;
    virtual void Event_Action() {
        if (OnAction) OnAction();
    }

  private:
    void Restart();
    void Fire();

    std::unique_ptr<QTimer> timer_;
    int mode_ = ModeMultiple;
    int period_ = 1000;
    bool stopped_ = false;
};
