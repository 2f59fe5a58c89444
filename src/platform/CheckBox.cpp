#include "platform/CheckBox.h"

#include "platform/Application.h"

#include <QCheckBox>

CheckBox::CheckBox() : ToolkitControl(new QCheckBox) {
    box_ = static_cast<QCheckBox*>(&Inner());
    // clicked comes from the user only; setChecked does not send it.
    QObject::connect(box_, &QCheckBox::clicked,
                     [this] { Application::Dispatch([this] { Event_Action(); }); });
}

std::string CheckBox::Caption() const {
    return box_->text().toStdString();
}

void CheckBox::SetCaption(const std::string& caption) {
    box_->setText(QString::fromStdString(caption));
}

bool CheckBox::Value() const {
    return box_->isChecked();
}

void CheckBox::SetValue(bool value) {
    box_->setChecked(value);
}
