#include "platform/PushButton.h"

#include "platform/Application.h"

#include <QPushButton>

PushButton::PushButton() : ToolkitControl(new QPushButton) {
    button_ = static_cast<QPushButton*>(&Inner());
    QObject::connect(button_, &QPushButton::clicked,
                     [this] { Application::Dispatch([this] { Event_Action(); }); });
}

std::string PushButton::Caption() const {
    return button_->text().toStdString();
}

void PushButton::SetCaption(const std::string& caption) {
    button_->setText(QString::fromStdString(caption));
}

void PushButton::Push() {
    if (!Shown() || !Enabled()) return;
    Application::Dispatch([this] { Event_Action(); });
}
