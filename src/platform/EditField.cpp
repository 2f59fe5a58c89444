#include "platform/EditField.h"

#include "platform/Application.h"
#include "platform/Widgets_p.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

namespace {
// The editor's link back to its field, cut when the field goes: the focus that the editor
// loses while it is destroyed is then reported to nobody.
class FieldLink {
  public:
    virtual ~FieldLink() = default;
    void Detach() { field_ = nullptr; }

  protected:
    explicit FieldLink(EditField& field) : field_(&field) {}
    EditField* field_;
};

// The toolkit's one-line or multi-line editor, reporting to its field.
template <class Editor> class FieldWidget : public Editor, public FieldLink {
  public:
    explicit FieldWidget(EditField& field) : FieldLink(field) {
        QObject::connect(this, &Editor::textChanged, [this] {
            if (field_) Application::Dispatch([this] { field_->Event_TextChange(); });
        });
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (Application* application = Application::Instance();
            application && application->MenuShortcut(ShortcutText(*event)))
            return;
        const std::string key = FrameworkKey(*event);
        bool refused = false;
        if (!key.empty() && field_)
            Application::Dispatch([&] { refused = field_->Event_KeyDown(key); });
        if (refused) return;
        Editor::keyPressEvent(event);
        if (event->isAccepted()) return;
        // Keys the field has no use for (Return, Escape) go to the window and its buttons.
        event->accept();
        if (Window* window = field_ ? field_->Owner() : nullptr) RouteKeyToWindow(*window, key);
    }
    void focusOutEvent(QFocusEvent* event) override {
        Editor::focusOutEvent(event);
        // The focus comes back with the window or after a pop-up; it was not lost.
        if (!field_ || event->reason() == Qt::ActiveWindowFocusReason ||
            event->reason() == Qt::PopupFocusReason)
            return;
        Application::Dispatch([this] { field_->Event_LostFocus(); });
    }
};

QWidget* NewEditor(EditField& field, bool multiline) {
    if (!multiline) return new FieldWidget<QLineEdit>(field);
    auto* area = new FieldWidget<QPlainTextEdit>(field);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    return area;
}

QString LinesOf(const std::string& text) {
    return QString::fromStdString(text).replace("\r\n", "\n").replace('\r', '\n');
}
} // namespace

EditField::EditField(bool multiline) : ToolkitControl(NewEditor(*this, multiline)) {
    if (multiline)
        area_ = static_cast<QPlainTextEdit*>(&Inner());
    else
        line_ = static_cast<QLineEdit*>(&Inner());
    ApplyStyle();
}

EditField::~EditField() {
    if (auto* link = dynamic_cast<FieldLink*>(&Inner())) link->Detach();
}

std::string EditField::Text() const {
    return area_ ? area_->toPlainText().toStdString() : line_->text().toStdString();
}

void EditField::SetText(const std::string& text) {
    if (area_)
        area_->setPlainText(LinesOf(text));
    else
        line_->setText(QString::fromStdString(text));
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
    QPalette palette = Inner().palette();
    palette.setColor(QPalette::Text, QColor(textColor_.r, textColor_.g, textColor_.b));
    palette.setColor(QPalette::Base, QColor(backColor_.r, backColor_.g, backColor_.b));
    Inner().setPalette(palette);
}

void EditField::SetLimitText(int count) {
    limitText_ = std::max(count, 0);
    static constexpr int kToolkitLimit = 32767;
    if (line_) line_->setMaxLength(limitText_ > 0 ? limitText_ : kToolkitLimit);
}

bool EditField::ReadOnly() const {
    return area_ ? area_->isReadOnly() : line_->isReadOnly();
}

void EditField::SetReadOnly(bool value) {
    if (area_)
        area_->setReadOnly(value);
    else
        line_->setReadOnly(value);
}

int EditField::Length() const {
    return static_cast<int>(area_ ? area_->toPlainText().size() : line_->text().size());
}

int EditField::SelStart() const {
    if (area_) return area_->textCursor().selectionStart();
    return line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
}

void EditField::SetSelStart(int start) {
    const int at = std::clamp(start, 0, Length());
    if (!area_) {
        line_->setCursorPosition(at);
        return;
    }
    QTextCursor cursor = area_->textCursor();
    cursor.setPosition(at);
    area_->setTextCursor(cursor);
}

int EditField::SelLength() const {
    if (area_) return area_->textCursor().selectionEnd() - area_->textCursor().selectionStart();
    return static_cast<int>(line_->selectedText().size());
}

void EditField::SetSelLength(int length) {
    const int start = SelStart();
    const int count = std::clamp(length, 0, Length() - start);
    if (!area_) {
        line_->setSelection(start, count);
        return;
    }
    QTextCursor cursor = area_->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + count, QTextCursor::KeepAnchor);
    area_->setTextCursor(cursor);
}

std::string EditField::SelText() const {
    // The toolkit separates the lines of a selection with U+2029.
    if (area_)
        return area_->textCursor()
            .selectedText()
            .replace(QChar::ParagraphSeparator, '\n')
            .toStdString();
    return line_->selectedText().toStdString();
}

void EditField::SetFocus() {
    Inner().setFocus(Qt::OtherFocusReason);
}

bool EditField::HasFocus() const {
    return Inner().hasFocus() || (Owner() && Owner()->Widget()->focusWidget() == &Inner());
}
