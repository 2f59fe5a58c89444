#include "platform/MenuBar.h"

#include "platform/Application.h"
#include "platform/Exceptions.h"
#include "platform/TestSeams.h"
#include "platform/Text.h"
#include "platform/Toolkit.h"
#include "platform/Widgets_p.h"
#include "platform/Window.h"

#include <QAction>
#include <QCursor>
#include <QKeySequence>
#include <QMenu>

MenuItem::MenuItem(std::string name, std::string text, std::string shortcut, bool autoEnable)
    : Name(std::move(name)), Text(std::move(text)), Shortcut(std::move(shortcut)),
      AutoEnable(autoEnable), Enabled(autoEnable) {}

MenuItem::MenuItem(std::string text)
    : Name(text), Text(std::move(text)), AutoEnable(true), Enabled(true) {}

MenuItem::~MenuItem() = default;

MenuItem& MenuItem::Append(std::unique_ptr<MenuItem> item) {
    children_.push_back(std::move(item));
    return *children_.back();
}

MenuItem* MenuItem::Item(int index) const {
    return index >= 0 && index < Count() ? children_[index].get() : nullptr;
}

MenuItem* MenuItem::Child(const std::string& name) const {
    for (const auto& child : children_)
        if (TextEquals(child->Name, name)) return child.get();
    return nullptr;
}

MenuItem* MenuItem::FindItem(const std::string& name) const {
    for (const auto& child : children_) {
        if (TextEquals(child->Name, name)) return child.get();
        if (MenuItem* found = child->FindItem(name)) return found;
    }
    return nullptr;
}

std::string MenuItem::DesktopShortcut() const {
    if (Shortcut.empty()) return {};
    const QKeySequence sequence(QString::fromStdString(ReplaceAll(Shortcut, "Cmd+", "Ctrl+")));
    return sequence.toString(QKeySequence::PortableText).toStdString();
}

MenuItem* MenuItem::ItemForKey(const std::string& key) const {
    for (const auto& child : children_) {
        if (!child->Shortcut.empty() && child->DesktopShortcut() == key) return child.get();
        if (MenuItem* found = child->ItemForKey(key)) return found;
    }
    return nullptr;
}

MenuBar::MenuBar() : MenuItem("MenuBar", "", "", true) {}

MenuItem& MenuItemNamed(const MenuBar* bar, const std::string& name) {
    MenuItem* item = bar ? bar->FindItem(name) : nullptr;
    if (!item) throw NilObjectException("no menu item " + name);
    return *item;
}

namespace {
void Record(const MenuItem& item, int depth, std::vector<TestSeams::MenuEntry>& entries) {
    for (int i = 0; i < item.Count(); ++i) {
        const MenuItem& child = *item.Item(i);
        entries.push_back({child.Name, child.Text, child.Enabled, depth});
        Record(child, depth + 1, entries);
    }
}

// The first enabled item below item that a test's answer names, by name or else by text.
MenuItem* Answered(const MenuItem& item, const std::string& answer) {
    if (answer.empty()) return nullptr;
    for (const auto match : {&MenuItem::Name, &MenuItem::Text}) {
        std::vector<const MenuItem*> pending{&item};
        while (!pending.empty()) {
            const MenuItem* at = pending.back();
            pending.pop_back();
            for (int i = at->Count() - 1; i >= 0; --i) {
                MenuItem* child = at->Item(i);
                if (child->Count() == 0 && !child->IsSeparator() && child->Enabled &&
                    child->*match == answer)
                    return child;
                pending.push_back(child);
            }
        }
    }
    return nullptr;
}

// A caption as the toolkit shows it: an "&" stands for itself, not for a keyboard mnemonic.
QString Caption(const std::string& text) {
    return QString::fromStdString(text).replace(u'&', QStringLiteral("&&"));
}

void Fill(QMenu& menu, MenuItem& item, MenuItem*& chosen) {
    for (int i = 0; i < item.Count(); ++i) {
        MenuItem& child = *item.Item(i);
        if (child.IsSeparator()) {
            menu.addSeparator();
        } else if (child.Count() > 0) {
            QMenu* sub = menu.addMenu(Caption(child.Text));
            sub->setEnabled(child.Enabled);
            Fill(*sub, child, chosen);
        } else {
            QAction* action = menu.addAction(Caption(child.Text));
            action->setEnabled(child.Enabled);
            action->setShortcut(QKeySequence(QString::fromStdString(child.DesktopShortcut())));
            action->setShortcutVisibleInContextMenu(true);
            // The key itself is handled by the window, not by this short-lived menu.
            action->setShortcutContext(Qt::WidgetShortcut);
            QObject::connect(action, &QAction::triggered, [&chosen, &child] { chosen = &child; });
        }
    }
}

// Shows the items below item at a point of the screen and waits for a choice.
MenuItem* ShowItems(MenuItem& item, const QPoint& at) {
    if (TestSeams::Enabled()) return Answered(item, TestSeams::RecordMenu(item));
    MenuItem* chosen = nullptr;
    QMenu menu;
    Fill(menu, item, chosen);
    menu.exec(at);
    return chosen;
}
} // namespace

std::string TestSeams::RecordMenu(const MenuItem& menu) {
    std::vector<MenuEntry> entries;
    Record(menu, 0, entries);
    return RecordMenu(std::move(entries));
}

MenuItem* MenuItem::PopUp(Window& window, int x, int y) {
    return ShowItems(*this, window.Widget()->mapToGlobal(QPoint(x, y)));
}

MenuItem* MenuItem::PopUp() {
    EnsureToolkit();
    return ShowItems(*this, QCursor::pos());
}

void MenuBar::PopUp(int screenX, int screenY) {
    Application* application = Application::Instance();
    if (!application || ModalWindowOpen()) return;
    application->UpdateMenuItems();
    const MenuItem* chosen = ShowItems(*this, QPoint(screenX, screenY));
    // Only an enabled item can be chosen, whatever a test answers.
    if (chosen && chosen->Enabled) application->DoMenuCommand(chosen->Name);
}
