#include "platform/MenuBar.h"

#include "platform/Application.h"
#include "platform/Exceptions.h"
#include "platform/TestSeams.h"
#include "platform/Text.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

MenuItem::MenuItem(std::string name, std::string text, std::string shortcut, bool autoEnable)
    : Name(std::move(name)), Text(std::move(text)), Shortcut(std::move(shortcut)),
      AutoEnable(autoEnable), Enabled(autoEnable) {}

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

namespace {
void Record(const MenuItem& item, int depth, std::vector<TestSeams::MenuEntry>& entries) {
    for (int i = 0; i < item.Count(); ++i) {
        const MenuItem& child = *item.Item(i);
        entries.push_back({child.Name, child.Text, child.Enabled, depth});
        Record(child, depth + 1, entries);
    }
}
} // namespace

std::string TestSeams::RecordMenu(const MenuItem& menu) {
    std::vector<MenuEntry> entries;
    Record(menu, 0, entries);
    return RecordMenu(std::move(entries));
}

MenuBar::MenuBar() : MenuItem("MenuBar", "", "", true) {}

MenuItem& MenuItemNamed(const MenuBar* bar, const std::string& name) {
    MenuItem* item = bar ? bar->FindItem(name) : nullptr;
    if (!item) throw NilObjectException("no menu item " + name);
    return *item;
}

namespace {
void Fill(QMenu& menu, const MenuItem& item, std::string& chosen) {
    for (int i = 0; i < item.Count(); ++i) {
        const MenuItem& child = *item.Item(i);
        if (child.IsSeparator()) {
            menu.addSeparator();
        } else if (child.Count() > 0) {
            QMenu* sub = menu.addMenu(QString::fromStdString(child.Text));
            sub->setEnabled(child.Enabled);
            Fill(*sub, child, chosen);
        } else {
            QAction* action = menu.addAction(QString::fromStdString(child.Text));
            action->setEnabled(child.Enabled);
            action->setShortcut(QKeySequence(QString::fromStdString(child.DesktopShortcut())));
            action->setShortcutVisibleInContextMenu(true);
            // The key itself is handled by the window, not by this short-lived menu.
            action->setShortcutContext(Qt::WidgetShortcut);
            const std::string name = child.Name;
            QObject::connect(action, &QAction::triggered, [&chosen, name] { chosen = name; });
        }
    }
}
} // namespace

void MenuBar::PopUp(int screenX, int screenY) {
    Application* application = Application::Instance();
    if (!application) return;
    application->UpdateMenuItems();
    std::string chosen;
    if (TestSeams::Enabled()) {
        chosen = TestSeams::RecordMenu(*this);
    } else {
        QMenu menu;
        Fill(menu, *this, chosen);
        menu.exec(QPoint(screenX, screenY));
    }
    if (chosen.empty()) return;
    // Only an enabled item can be chosen, whatever a test answers.
    if (const MenuItem* item = FindItem(chosen); item && item->Enabled)
        application->DoMenuCommand(chosen);
}
