#include "platform/TrayItem.h"

#include "platform/Application.h"
#include "platform/GraphicsQt.h"
#include "platform/ShapedText.h"
#include "platform/TestSeams.h"
#include "platform/Toolkit.h"

#include <QCursor>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QSystemTrayIcon>

struct TrayItem::Impl {
    std::unique_ptr<QSystemTrayIcon> icon;
    // The menu the desktop opens itself on a right click: filled afresh each time it is about
    // to show, as some trays never tell the program about the click.
    std::unique_ptr<QMenu> menu;
    bool filling = false;
    // The menu on show and what to do with its choice; kept until the next menu replaces them.
    std::unique_ptr<MenuItem> shown;
    std::function<void(const MenuItem&)> chosen;
};

namespace {
// An item's text as far as the menu can show it: a to-do item can be megabytes long, and the
// menu, no wider than its screen, would measure all of it each time it opens.
QString Caption(const MenuItem& item, const QMenu& menu) {
    const QFont& font = menu.font();
    const QScreen* screen = menu.screen();
    const int widest = screen ? screen->availableGeometry().width() : 8192;
    const std::string_view shown = LineReaching(font, font.key(), item.Text, widest);
    QString text = QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
    if (dynamic_cast<const LiteralMenuItem*>(&item)) text.replace("&", "&&");
    return text;
}

void Fill(QMenu& menu, const MenuItem& item, const std::function<void(const MenuItem&)>& pick) {
    for (int i = 0; i < item.Count(); ++i) {
        const MenuItem& child = *item.Item(i);
        if (child.IsSeparator() && !dynamic_cast<const LiteralMenuItem*>(&child)) {
            menu.addSeparator();
        } else if (child.Count() > 0 || dynamic_cast<const SubmenuItem*>(&child)) {
            QMenu* sub = menu.addMenu(Caption(child, menu));
            sub->setEnabled(child.Enabled);
            Fill(*sub, child, pick);
        } else {
            QAction* action = menu.addAction(Caption(child, menu));
            action->setEnabled(child.Enabled);
            QObject::connect(action, &QAction::triggered, [&child, pick] { pick(child); });
        }
    }
}

QIcon IconOf(const Picture& picture) {
    return QIcon(QPixmap::fromImage(picture.Internals().Drawable()));
}
} // namespace

TrayItem::TrayItem() : impl_(std::make_unique<Impl>()) {}

TrayItem::~TrayItem() = default;

void TrayItem::SetIcon(PicturePtr picture) {
    icon_ = std::move(picture);
    if (impl_->icon && icon_) impl_->icon->setIcon(IconOf(*icon_));
}

void TrayItem::SetHelpTag(const std::string& text) {
    helpTag_ = text;
    if (impl_->icon) impl_->icon->setToolTip(QString::fromStdString(text));
}

bool TrayItem::Shown() const {
    return impl_->icon && impl_->icon->isVisible();
}

bool TrayItem::Available() {
    EnsureToolkit();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayItem::PopUpMenu(std::unique_ptr<MenuItem> menu,
                         std::function<void(const MenuItem&)> chosen) {
    if (!menu) return;
    if (TestSeams::Enabled()) {
        const std::string name = TestSeams::RecordMenu(*menu);
        // Only an enabled item can be chosen, whatever a test answers.
        if (const MenuItem* item = name.empty() ? nullptr : menu->FindItem(name);
            item && item->Enabled && chosen)
            chosen(*item);
        return;
    }
    impl_->shown = std::move(menu);
    impl_->chosen = std::move(chosen);
    if (impl_->filling && impl_->menu) {
        // The choice comes later, from the desktop's menu.
        Fill(*impl_->menu, *impl_->shown, [impl = impl_.get()](const MenuItem& item) {
            Application::Dispatch([impl, &item] {
                if (impl->chosen) impl->chosen(item);
            });
        });
        return;
    }
    // Acted on once the menu has gone, as the menu bar's pop-up does.
    const MenuItem* picked = nullptr;
    {
        QMenu popup;
        Fill(popup, *impl_->shown, [&picked](const MenuItem& item) { picked = &item; });
        popup.exec(QCursor::pos());
    }
    // A copy: what the choice does may show another menu, which replaces the handler.
    if (picked && impl_->chosen) std::function<void(const MenuItem&)>(impl_->chosen)(*picked);
}

void AddTrayItem(TrayItem& item) {
    TrayItem::Impl& impl = *item.impl_;
    if (impl.icon || !TrayItem::Available()) return;
    impl.icon = std::make_unique<QSystemTrayIcon>();
    impl.menu = std::make_unique<QMenu>();
    QObject::connect(impl.menu.get(), &QMenu::aboutToShow, [&item, &impl] {
        impl.menu->clear();
        // Submenus belong to the menu as its children; clear() leaves them.
        qDeleteAll(impl.menu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly));
        impl.filling = true;
        Application::Dispatch([&item] { item.Event_Action(TrayItem::RightClick); });
        impl.filling = false;
    });
    impl.icon->setContextMenu(impl.menu.get());
    QObject::connect(impl.icon.get(), &QSystemTrayIcon::activated,
                     [&item](QSystemTrayIcon::ActivationReason reason) {
                         // The right click opens the menu above, which asks for its items.
                         int cause = 0;
                         if (reason == QSystemTrayIcon::Trigger) cause = TrayItem::LeftClick;
                         if (reason == QSystemTrayIcon::DoubleClick) cause = TrayItem::DoubleClick;
                         if (cause)
                             Application::Dispatch([&item, cause] { item.Event_Action(cause); });
                     });
    if (item.icon_) impl.icon->setIcon(IconOf(*item.icon_));
    impl.icon->setToolTip(QString::fromStdString(item.helpTag_));
    impl.icon->show();
}

void RemoveTrayItem(TrayItem& item) {
    TrayItem::Impl& impl = *item.impl_;
    if (!impl.icon) return;
    impl.icon->hide();
    // Deleted later: the removal may come from one of the item's own handlers.
    impl.icon.release()->deleteLater();
    impl.menu.release()->deleteLater();
}
