#include "platform/Timer.h"

#include "platform/Application.h"
#include "platform/Toolkit.h"

#include <QTimer>

#include <algorithm>

Timer::Timer() {
    EnsureToolkit();
    timer_ = std::make_unique<QTimer>();
    // Never early: a timer set to the next minute's start must find the new minute there.
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { Fire(); });
    Restart();
}

Timer::~Timer() = default;

void Timer::SetMode(int mode) {
    mode_ = std::clamp(mode, 0, 2);
    Restart();
}

void Timer::SetPeriod(int milliseconds) {
    period_ = std::max(milliseconds, 0);
    Restart();
}

void Timer::Stop() {
    stopped_ = true;
    timer_->stop();
}

void Timer::Restart() {
    timer_->stop();
    if (mode_ == ModeOff || stopped_) return;
    timer_->setSingleShot(mode_ == ModeSingle);
    timer_->start(period_);
}

void Timer::Fire() {
    // A single-shot timer is off again before its action runs, so the action may re-arm it.
    if (mode_ == ModeSingle) mode_ = ModeOff;
    Application::Dispatch([this] { Event_Action(); });
}
