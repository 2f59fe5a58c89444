#include "platform/EditField.h"

#include "platform/Application.h"
#include "platform/Widgets_p.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

class EditFieldWidget : public QLineEdit {
  public:
    explicit EditFieldWidget(EditField& field) : field_(field) {
        connect(this, &QLineEdit::textChanged,
                [this] { Application::Dispatch([this] { field_.Event_TextChange(); }); });
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (Application* application = Application::Instance();
            application && application->MenuShortcut(ShortcutText(*event)))
            return;
        const std::string key = FrameworkKey(*event);
        bool refused = false;
        if (!key.empty()) Application::Dispatch([&] { refused = field_.Event_KeyDown(key); });
        if (refused) return;
        QLineEdit::keyPressEvent(event);
        if (event->isAccepted()) return;
        // Keys the field has no use for (Return, Escape) go to the window and its buttons.
        event->accept();
        if (Window* window = field_.Owner()) RouteKeyToWindow(*window, key);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        // The focus comes back with the window or after a pop-up; it was not lost.
        if (event->reason() == Qt::ActiveWindowFocusReason ||
            event->reason() == Qt::PopupFocusReason)
            return;
        Application::Dispatch([this] { field_.Event_LostFocus(); });
    }

  private:
    EditField& field_;
};

EditField::EditField() : ToolkitControl(new EditFieldWidget(*this)) {
    field_ = static_cast<EditFieldWidget*>(&Inner());
    ApplyStyle();
}

EditField::~EditField() = default;

std::string EditField::Text() const {
    return field_->text().toStdString();
}

void EditField::SetText(const std::string& text) {
    field_->setText(QString::fromStdString(text));
}

void EditField::SetTextColor(Color color) {
    textColor_ = color;
    ApplyStyle();
}

void EditField::SetBackColor(Color color) {
    backColor_ = color;
    ApplyStyle();
}

void EditField::ApplyStyle() {
    QPalette palette = field_->palette();
    palette.setColor(QPalette::Text, QColor(textColor_.r, textColor_.g, textColor_.b));
    palette.setColor(QPalette::Base, QColor(backColor_.r, backColor_.g, backColor_.b));
    field_->setPalette(palette);
}

void EditField::SetLimitText(int count) {
    limitText_ = std::max(count, 0);
    static constexpr int kToolkitLimit = 32767;
    field_->setMaxLength(limitText_ > 0 ? limitText_ : kToolkitLimit);
}

bool EditField::ReadOnly() const {
    return field_->isReadOnly();
}

void EditField::SetReadOnly(bool value) {
    field_->setReadOnly(value);
}

int EditField::SelStart() const {
    return field_->hasSelectedText() ? field_->selectionStart() : field_->cursorPosition();
}

void EditField::SetSelStart(int start) {
    field_->setCursorPosition(std::clamp(start, 0, static_cast<int>(field_->text().size())));
}

int EditField::SelLength() const {
    return static_cast<int>(field_->selectedText().size());
}

void EditField::SetSelLength(int length) {
    const int start = SelStart();
    const int size = static_cast<int>(field_->text().size());
    field_->setSelection(start, std::clamp(length, 0, size - start));
}

std::string EditField::SelText() const {
    return field_->selectedText().toStdString();
}

void EditField::SetFocus() {
    field_->setFocus(Qt::OtherFocusReason);
}

bool EditField::HasFocus() const {
    return field_->hasFocus() || (Owner() && Owner()->Widget()->focusWidget() == field_);
}
