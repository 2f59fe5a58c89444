#include "platform/Dialogs.h"

#include "platform/Application.h"
#include "platform/Log.h"
#include "platform/TestSeams.h"
#include "platform/Toolkit.h"
#include "platform/Widgets_p.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

void MsgBox(const std::string& message, MessageCloser* closer) {
    if (HoldMessage(message)) return;
    MessageDialog dialog;
    dialog.Message = message;
    dialog.Closer = closer;
    dialog.ShowModal();
}

namespace {
// Notes the Quit item's shortcut pressed in the object it watches.
class QuitKeyWatch : public QObject {
  public:
    explicit QuitKeyWatch(bool& pressed) : pressed_(pressed) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
            const Application* application = Application::Instance();
            if (application &&
                application->IsQuitKey(ShortcutText(*static_cast<QKeyEvent*>(event)))) {
                pressed_ = true;
                return event->type() == QEvent::KeyPress;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool& pressed_;
};
} // namespace

MessageDialog::Pressed MessageDialog::ShowModal() const {
    // After a signal's quit (a logout) nobody answers, and the session waits for the process:
    // the message goes to standard error and counts as answered with the action button.
    if (const Application* application = Application::Instance();
        application && application->QuitBySignal()) {
        LogProblem("while quitting, not shown: " + Message);
        return Pressed::Action;
    }
    // The closer reaches this dialog while it is shown, and nothing once it is gone.
    struct Shown {
        MessageCloser* closer;
        void Closes(std::function<void()> close) const {
            if (closer) closer->close_ = std::move(close);
        }
        ~Shown() { Closes(nullptr); }
    } const shown{Closer};
    if (TestSeams::Enabled()) {
        TestSeams::DialogRecord record{Message, Explanation, {}};
        for (const auto* button : {&ActionButton, &AlternateActionButton, &CancelButton})
            if (button->Visible) record.buttons.push_back(button->Caption);
        // While the test's answer runs, the dialog counts as shown.
        shown.Closes(
            [index = TestSeams::Dialogs().size()] { TestSeams::RecordDialogClosed(index); });
        const int answer = TestSeams::RecordDialog(record);
        return answer == 1 ? Pressed::Alternate : answer == 2 ? Pressed::Cancel : Pressed::Action;
    }
    EnsureToolkit();
    static constexpr QMessageBox::Icon kIcons[] = {QMessageBox::Information, QMessageBox::Warning,
                                                   QMessageBox::Critical, QMessageBox::Question};
    QMessageBox box;
    box.setIcon(Icon >= 0 && Icon <= 3 ? kIcons[Icon] : QMessageBox::NoIcon);
    box.setWindowTitle(" ");
    box.setText(QString::fromStdString(Message));
    box.setInformativeText(QString::fromStdString(Explanation));
    QPushButton* action =
        box.addButton(QString::fromStdString(ActionButton.Caption), QMessageBox::AcceptRole);
    QPushButton* alternate = nullptr;
    if (AlternateActionButton.Visible)
        alternate = box.addButton(QString::fromStdString(AlternateActionButton.Caption),
                                  QMessageBox::DestructiveRole);
    if (CancelButton.Visible)
        box.addButton(QString::fromStdString(CancelButton.Caption), QMessageBox::RejectRole);
    box.setDefaultButton(action);
    shown.Closes([&box] { box.reject(); });
    // Ctrl+Q while the message shows (pressed as it came up, say) is a quit, carried out once
    // the message is answered: the message's modality keeps the key from the menus.
    bool quit = false;
    QuitKeyWatch watch(quit);
    box.installEventFilter(&watch);
    RunModalDialog(box);
    box.removeEventFilter(&watch);
    if (Application* application = Application::Instance(); quit && application)
        application->QuitAfterTheMessage();
    if (box.clickedButton() == action) return Pressed::Action;
    if (alternate && box.clickedButton() == alternate) return Pressed::Alternate;
    return Pressed::Cancel;
}
