#include "platform/Slider.h"

#include "platform/Application.h"

#include <QSlider>

Slider::Slider() : ToolkitControl(new QSlider(Qt::Horizontal)) {
    slider_ = static_cast<QSlider*>(&Inner());
    slider_->setRange(0, 100);
    QObject::connect(slider_, &QSlider::valueChanged, [this] {
        if (!quiet_) Application::Dispatch([this] { Event_ValueChanged(); });
    });
}

// Changes made by the program raise no ValueChanged.
template <class F> void Slider::Quietly(F&& change) {
    const bool wasQuiet = quiet_;
    quiet_ = true;
    change();
    quiet_ = wasQuiet;
}

int Slider::Minimum() const {
    return slider_->minimum();
}

int Slider::Maximum() const {
    return slider_->maximum();
}

void Slider::SetMinimum(int value) {
    Quietly([&] { slider_->setMinimum(value); });
}

void Slider::SetMaximum(int value) {
    Quietly([&] { slider_->setMaximum(value); });
}

int Slider::Value() const {
    return slider_->value();
}

void Slider::SetValue(int value) {
    Quietly([&] { slider_->setValue(value); });
}

int Slider::LineStep() const {
    return slider_->singleStep();
}

void Slider::SetLineStep(int step) {
    slider_->setSingleStep(step);
}

int Slider::PageStep() const {
    return slider_->pageStep();
}

void Slider::SetPageStep(int step) {
    slider_->setPageStep(step);
}

bool Slider::LiveScroll() const {
    return slider_->hasTracking();
}

void Slider::SetLiveScroll(bool value) {
    slider_->setTracking(value);
}
