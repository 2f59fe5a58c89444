// The tab panel and the page panel.
#include "platform/Exceptions.h"
#include "platform/GraphicsQt.h"
#include "platform/PagePanel.h"
#include "platform/TabPanel.h"
#include "platform/Widgets_p.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>

namespace {
class TabPanelWidget : public ControlWidget {
  protected:
    void Draw(QPainter& painter) override {
        auto& panel = static_cast<TabPanel&>(Control());
        const QFont font = FontFor(panel.TextFont, panel.TextSize, false, false, false);
        painter.setFont(font);
        const QFontMetrics metrics(font);
        const int tabHeight = metrics.height() + 8;

        QStyleOptionTabWidgetFrame frame;
        frame.initFrom(this);
        frame.rect = QRect(0, tabHeight - 1, width(), height() - tabHeight + 1);
        style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);

        int left = 8;
        for (std::size_t i = 0; i < panel.Tabs().size(); ++i) {
            QStyleOptionTab tab;
            tab.initFrom(this);
            tab.text = QString::fromStdString(panel.Tabs()[i]);
            tab.rect = QRect(left, 0, metrics.horizontalAdvance(tab.text) + 24, tabHeight);
            if (i == 0) tab.state |= QStyle::State_Selected;
            tab.position = panel.Tabs().size() == 1 ? QStyleOptionTab::OnlyOneTab
                           : i == 0                 ? QStyleOptionTab::Beginning
                                                    : QStyleOptionTab::Middle;
            style()->drawControl(QStyle::CE_TabBarTab, &tab, &painter, this);
            left += tab.rect.width();
        }
    }
};
} // namespace

TabPanel::TabPanel() : RectControl(std::make_unique<TabPanelWidget>()) {}

void TabPanel::SetTabs(std::vector<std::string> captions) {
    tabs_ = std::move(captions);
    Invalidate();
}

PagePanel::PagePanel(int pageCount) : pages_(static_cast<std::size_t>(std::max(pageCount, 1))) {
    Widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PagePanel::SetValue(int page) {
    if (page < 0 || page >= PageCount() || page == value_) return;
    value_ = page;
    ShowPage();
}

void PagePanel::Append(int page, RectControl& control) {
    if (page < 0 || page >= PageCount())
        throw OutOfBoundsException("no page " + std::to_string(page));
    pages_[static_cast<std::size_t>(page)].push_back(&control);
    control.SetParent(this);
    control.SetVisible(page == value_);
}

void PagePanel::ShowPage() {
    for (int page = 0; page < PageCount(); ++page)
        for (RectControl* control : pages_[static_cast<std::size_t>(page)])
            control->SetVisible(page == value_);
}
