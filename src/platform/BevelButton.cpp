#include "platform/BevelButton.h"

#include "platform/Application.h"
#include "platform/GraphicsQt.h"
#include "platform/Widgets_p.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace {
class BevelButtonWidget : public ControlWidget {
  protected:
    void Draw(QPainter& painter) override {
        auto& button = static_cast<BevelButton&>(Control());
        const QFont font = FontFor(button.TextFont, button.TextSize, false, false, false);
        if (button.Bevel != BevelButton::NoBevel) {
            QStyleOptionButton option;
            option.initFrom(this);
            if (pressed_) option.state |= QStyle::State_Sunken;
            style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
        } else if (pressed_) {
            painter.fillRect(rect(), QColor(0, 0, 0, 40));
        }
        painter.setFont(font);
        painter.setPen(isEnabled() ? Qt::black : Qt::gray);
        painter.drawText(rect(), Qt::AlignCenter, QString::fromStdString(button.Caption()));
    }
    void mousePressEvent(QMouseEvent* event) override {
        ControlWidget::mousePressEvent(event);
        if (event->button() != Qt::LeftButton) return;
        pressed_ = true;
        update();
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        ControlWidget::mouseReleaseEvent(event);
        if (!pressed_) return;
        pressed_ = false;
        update();
        // A press that ends outside the button is no click.
        if (!rect().contains(event->position().toPoint())) return;
        auto& button = static_cast<BevelButton&>(Control());
        Application::Dispatch([&] { button.Event_Action(); });
    }

  private:
    bool pressed_ = false;
};
} // namespace

BevelButton::BevelButton() : RectControl(std::make_unique<BevelButtonWidget>()) {}

void BevelButton::SetCaption(const std::string& caption) {
    caption_ = caption;
    Invalidate();
}
