// The simple controls: canvas, static text and up-down arrows.
#include "platform/Application.h"
#include "platform/Canvas.h"
#include "platform/GraphicsQt.h"
#include "platform/StaticText.h"
#include "platform/UpDownArrows.h"
#include "platform/Widgets_p.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {
class CanvasWidget : public ControlWidget {
  protected:
    void Draw(QPainter& painter) override {
        auto& canvas = static_cast<Canvas&>(Control());
        auto g = GraphicsOnPainter(painter, rect());
        if (canvas.Backdrop()) g->DrawPicture(*canvas.Backdrop(), 0, 0);
        Application::Dispatch([&] { canvas.Event_Paint(*g); });
    }
};

class StaticTextWidget : public ControlWidget {
  protected:
    void Draw(QPainter& painter) override {
        auto& label = static_cast<StaticText&>(Control());
        painter.setFont(FontFor(label.TextFont, label.TextSize, label.Bold, label.Italic, false));
        const Color color = label.TextColor();
        painter.setPen(QColor(color.r, color.g, color.b));
        Qt::Alignment alignment = Qt::AlignTop;
        if (label.TextAlign == StaticText::AlignCenter)
            alignment |= Qt::AlignHCenter;
        else if (label.TextAlign == StaticText::AlignRight)
            alignment |= Qt::AlignRight;
        else
            alignment |= Qt::AlignLeft;
        const Qt::TextFlag wrap = label.Multiline ? Qt::TextWordWrap : Qt::TextSingleLine;
        QString text = QString::fromStdString(label.Text());
        // Texts written for other desktops break lines with a carriage return.
        if (label.Multiline) text.replace("\r\n", "\n").replace('\r', '\n');
        painter.drawText(rect(), static_cast<int>(alignment | wrap), text);
    }
};

class ArrowsWidget : public ControlWidget {
  protected:
    void Draw(QPainter& painter) override {
        QStyleOption option;
        option.initFrom(this);
        const int half = height() / 2;
        option.rect = QRect(0, 0, width(), half);
        style()->drawPrimitive(QStyle::PE_IndicatorArrowUp, &option, &painter, this);
        option.rect = QRect(0, half, width(), height() - half);
        style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter, this);
    }
    void mousePressEvent(QMouseEvent* event) override {
        ControlWidget::mousePressEvent(event);
        if (event->button() != Qt::LeftButton) return;
        auto& arrows = static_cast<UpDownArrows&>(Control());
        if (event->position().y() < height() / 2.0)
            Application::Dispatch([&] { arrows.Event_Up(); });
        else
            Application::Dispatch([&] { arrows.Event_Down(); });
    }
};
} // namespace

Canvas::Canvas() : RectControl(std::make_unique<CanvasWidget>()) {}

void Canvas::SetBackdrop(PicturePtr picture) {
    backdrop_ = std::move(picture);
    Invalidate();
}

StaticText::StaticText() : RectControl(std::make_unique<StaticTextWidget>()) {}

void StaticText::SetText(const std::string& text) {
    // The same text again costs no paint (the clock sets its text every tick).
    if (text == text_) return;
    text_ = text;
    Invalidate();
}

void StaticText::SetTextColor(Color color) {
    if (color == textColor_) return;
    textColor_ = color;
    Invalidate();
}

UpDownArrows::UpDownArrows() : RectControl(std::make_unique<ArrowsWidget>()) {}
