// The program's own pictures: buttons, bands, the countdown badge, the logo and icons.
#include "Art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>

namespace art {

namespace {

// The house colours: deep teal, slate and a warm orange.
const QColor kTeal(22, 84, 104), kTealLight(56, 140, 160), kSlate(52, 64, 82);
const QColor kOrange(236, 128, 44), kOrangeLight(252, 180, 92), kInk(40, 40, 40);

QImage Blank(int width, int height, const QColor& fill = Qt::white) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void Paint(QImage& image, const std::function<void(QPainter&)>& draw, bool smooth = true) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    draw(painter);
}

QLinearGradient Vertical(double top, double bottom, const QColor& from, const QColor& to) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return gradient;
}

QImage Band(int width, int height, const QColor& top, const QColor& bottom) {
    QImage image = Blank(width, height);
    Paint(image, [&](QPainter& p) { p.fillRect(image.rect(), Vertical(0, height, top, bottom)); });
    return image;
}

// The home button: a pill, the same size in every state; its mask is the pill's shape.
constexpr int kHomeWidth = 72, kHomeHeight = 22;

QImage HomeButton(const QColor& top, const QColor& bottom, const QColor& rim) {
    QImage image = Blank(kHomeWidth, kHomeHeight, bottom);
    Paint(image, [&](QPainter& p) {
        const QRectF pill(0.5, 0.5, kHomeWidth - 1, kHomeHeight - 1);
        p.setPen(QPen(rim, 1));
        p.setBrush(Vertical(0, kHomeHeight, top, bottom));
        p.drawRoundedRect(pill, kHomeHeight / 2.0, kHomeHeight / 2.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 70)); // gloss on the upper half
        p.drawRoundedRect(QRectF(3, 2, kHomeWidth - 6, kHomeHeight / 2.0 - 2), 7, 7);
    });
    return image;
}

QImage PillMask(int width, int height) {
    QImage image = Blank(width, height);
    Paint(image, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRectF(0, 0, width, height), height / 2.0, height / 2.0);
    });
    return image;
}

// Three 5-pixel slices: normal, hover, pressed.
QImage LinkButtons() {
    QImage image = Blank(15, 32);
    Paint(image, [&](QPainter& p) {
        p.fillRect(QRect(0, 0, 5, 32), Vertical(0, 32, QColor(78, 92, 112), kSlate));
        p.fillRect(QRect(5, 0, 5, 32), Vertical(0, 32, kTealLight, kTeal));
        p.fillRect(QRect(10, 0, 5, 32), Vertical(0, 32, QColor(30, 40, 54), QColor(58, 72, 92)));
        p.fillRect(QRect(0, 0, 15, 1), QColor(255, 255, 255, 60));
    });
    return image;
}

// A round toggle with a chevron: pointing down at x 0 (the strip is hidden), up at x 16.
QImage Toggle(const QColor& face, const QColor& mark) {
    QImage image = Blank(30, 14);
    Paint(image, [&](QPainter& p) {
        for (const int left : {0, 16}) {
            p.setPen(Qt::NoPen);
            p.setBrush(Vertical(0, 14, Mix(face, Qt::white, 0.25), face));
            p.drawEllipse(QRectF(left + 0.5, 0.5, 13, 13));
            QPainterPath chevron;
            const double dir = left == 0 ? 1 : -1, cy = 7 - dir * 1.2;
            chevron.moveTo(left + 3.8, cy - dir * 1.6);
            chevron.lineTo(left + 7, cy + dir * 1.9);
            chevron.lineTo(left + 10.2, cy - dir * 1.6);
            p.setPen(QPen(mark, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(chevron);
        }
    });
    return image;
}

QImage ToggleMask() {
    QImage image = Blank(30, 14);
    Paint(image, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QRectF(0, 0, 14, 14));
        p.drawEllipse(QRectF(16, 0, 14, 14));
    });
    return image;
}

// The strip's backdrop until the first mouse event: a dark tab at the left, the rest clear.
QImage MenuToggleBackdrop() {
    QImage image = Blank(97, 15);
    Paint(
        image,
        [&](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(Vertical(0, 15, QColor(70, 84, 104), kSlate));
            p.drawRoundedRect(QRectF(0, -6, 30, 21), 6, 6);
        },
        false);
    return image;
}

QImage MenuButtonBackdrop() {
    QImage image = Blank(44, 18);
    Paint(
        image,
        [&](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(Vertical(0, 18, QColor(70, 84, 104), kSlate));
            p.drawRoundedRect(QRectF(0, 0, 44, 18), 5, 5);
            p.setBrush(QColor(236, 240, 244));
            for (int i = 0; i < 3; ++i)
                p.drawRect(QRectF(15, 4.5 + i * 3.5, 14, 1.6));
        },
        false);
    return image;
}

// The umbrella of the name, in the house colours, on a white card.
QImage Logo() {
    QImage image = Blank(140, 140);
    Paint(image, [&](QPainter& p) {
        // A dome with a scalloped hem, cut into four panels.
        QPainterPath dome;
        dome.moveTo(18, 72);
        dome.arcTo(QRectF(18, 24, 104, 96), 180, -180);
        for (int i = 0; i < 4; ++i) {
            const double x0 = 122 - i * 26.0, x1 = x0 - 26;
            dome.quadTo((x0 + x1) / 2, 62, x1, 72);
        }
        dome.closeSubpath();
        const QColor panels[] = {kTeal, kOrange, kTealLight, kOrangeLight};
        p.save();
        p.setClipPath(dome);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 4; ++i) {
            p.setBrush(panels[i]);
            p.drawPie(QRectF(-30, -30, 200, 200), (180 - i * 45) * 16, -45 * 16);
        }
        p.restore();
        p.setPen(QPen(Qt::white, 1.5));
        for (int i = 1; i < 4; ++i)
            p.drawLine(QPointF(70, 24), QPointF(18 + i * 26.0, 72));
        p.setPen(QPen(kSlate, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(70, 72), QPointF(70, 112));
        p.drawLine(QPointF(70, 24), QPointF(70, 15));
        QPainterPath hook;
        hook.moveTo(70, 112);
        hook.arcTo(QRectF(56, 104, 14, 16), 0, -180);
        p.setBrush(Qt::NoBrush);
        p.drawPath(hook);
    });
    return image;
}

// A tear-off calendar page with two rings and a terracotta header; white around it.
constexpr int kBadgeWidth = 118, kBadgeHeight = 130;
const QRectF kPage(6, 8, 104, 114);

QImage Countdown() {
    QImage image = Blank(kBadgeWidth, kBadgeHeight);
    Paint(image, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 150, 150));
        p.drawRoundedRect(kPage.translated(3, 4), 10, 10); // shadow (softened by the mask)
        p.setBrush(
            Vertical(kPage.top(), kPage.bottom(), QColor(255, 253, 247), QColor(243, 238, 226)));
        p.drawRoundedRect(kPage, 10, 10);
        QPainterPath header;
        header.setFillRule(Qt::WindingFill);
        header.addRoundedRect(QRectF(kPage.left(), kPage.top(), kPage.width(), 26), 10, 10);
        header.addRect(QRectF(kPage.left(), kPage.top() + 14, kPage.width(), 12));
        p.setBrush(
            Vertical(kPage.top(), kPage.top() + 26, QColor(214, 92, 64), QColor(176, 62, 44)));
        p.drawPath(header.simplified());
        for (const double x : {34.0, 82.0}) { // binder rings
            p.setBrush(QColor(90, 40, 30));
            p.drawEllipse(QPointF(x, kPage.top() + 9), 4, 4);
            p.setPen(QPen(QColor(190, 190, 196), 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x, kPage.top() + 9), QPointF(x, 2));
            p.setPen(Qt::NoPen);
        }
    });
    return image;
}

QImage CountdownMask() {
    QImage image = Blank(kBadgeWidth, kBadgeHeight);
    Paint(image, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 150, 150)); // the shadow shows partly
        p.drawRoundedRect(kPage.translated(3, 4), 10, 10);
        p.setBrush(Qt::black);
        p.drawRoundedRect(kPage, 10, 10);
        p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
        for (const double x : {34.0, 82.0})
            p.drawLine(QPointF(x, kPage.top() + 9), QPointF(x, 2));
    });
    return image;
}

// A curved arrow back to the year, on white (which is left out when drawn).
QImage ReturnArrow(const QColor& colour) {
    QImage image = Blank(26, 18);
    Paint(image, [&](QPainter& p) {
        QPainterPath curve;
        curve.moveTo(21, 15);
        curve.cubicTo(24, 6, 16, 4, 8, 5);
        p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(curve);
        QPolygonF head;
        head << QPointF(2, 5) << QPointF(10, 0) << QPointF(10, 10);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPolygon(head);
    });
    return image;
}

QImage DeleteMark() {
    QImage image = Blank(12, 12);
    Paint(image, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(206, 70, 56));
        p.drawEllipse(QRectF(0.5, 0.5, 11, 11));
        p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.8, 3.8), QPointF(8.2, 8.2));
        p.drawLine(QPointF(8.2, 3.8), QPointF(3.8, 8.2));
    });
    return image;
}

// A small calendar page; the tray draws the day number over its body.
QImage TrayIcon() {
    QImage image = Blank(48, 48);
    Paint(image, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 40));
        p.drawRoundedRect(QRectF(5, 6, 40, 40), 6, 6);
        p.setBrush(QColor(252, 250, 244));
        p.drawRoundedRect(QRectF(3, 4, 40, 40), 6, 6);
        QPainterPath header;
        header.setFillRule(Qt::WindingFill);
        header.addRoundedRect(QRectF(3, 4, 40, 12), 6, 6);
        header.addRect(QRectF(3, 10, 40, 6));
        p.setBrush(kTeal);
        p.drawPath(header.simplified());
        p.setBrush(kOrange);
        p.drawEllipse(QPointF(13, 7), 2.2, 2.2);
        p.drawEllipse(QPointF(33, 7), 2.2, 2.2);
    });
    return image;
}

QImage TimeBackground() {
    QImage image = Blank(64, 64);
    Paint(image, [&](QPainter& p) {
        p.fillRect(QRect(0, 0, 64, 32),
                   Vertical(0, 32, QColor(250, 251, 253), QColor(238, 242, 247)));
        p.fillRect(QRect(0, 32, 64, 32),
                   Vertical(32, 64, QColor(244, 246, 250), QColor(230, 235, 242)));
    });
    return image;
}

} // namespace

std::map<std::string, QImage> BuiltInPictures() {
    std::map<std::string, QImage> pictures;
    pictures["homeButtonNormal"] =
        HomeButton(QColor(250, 251, 252), QColor(206, 214, 224), QColor(150, 160, 175));
    pictures["homeButtonMask"] = PillMask(kHomeWidth, kHomeHeight);
    pictures["homeButtonMouseOver"] = HomeButton(kOrangeLight, kOrange, QColor(190, 96, 30));
    pictures["homeButtonMouseDown"] = HomeButton(kOrange, QColor(190, 90, 26), QColor(150, 70, 20));
    pictures["linkButtons"] = LinkButtons();
    pictures["menuButtons"] = Band(40, 15, QColor(84, 98, 118), kSlate);
    pictures["menutoggle"] = MenuToggleBackdrop();
    pictures["menutoggle2"] = Toggle(kSlate, QColor(236, 240, 244));
    pictures["menutoggleMouseover2"] = Toggle(kOrange, Qt::white);
    pictures["menutoggleMask2"] = ToggleMask();
    pictures["Ombrellinelogographic"] = Logo();
    pictures["customAboutWindowBackground"] =
        Band(4, 400, QColor(238, 244, 250), QColor(204, 218, 236));
    pictures["countdown"] = Countdown();
    pictures["countdownmask"] = CountdownMask();
    pictures["menubutton"] = MenuButtonBackdrop();
    pictures["glanceHeader1"] = Band(8, 32, kTealLight, kTeal);
    pictures["glanceHeader2"] = Band(8, 24, QColor(70, 84, 104), kSlate);
    pictures["Glancetimebackground"] = TimeBackground();
    pictures["returnArrowNew"] = ReturnArrow(QColor(226, 234, 240));
    pictures["returnArrowNewMO"] = ReturnArrow(kOrangeLight);
    pictures["deletex"] = DeleteMark();
    pictures["trayIcon48x48"] = TrayIcon();
    return pictures;
}

// Ten digits 56 x 80 stacked: gold with a dark rim; the mask shows the glyphs.
QImage DigitStrip(bool mask) {
    constexpr int w = 56, h = 80;
    QImage image = Blank(w, h * 10);
    Paint(image, [&](QPainter& p) {
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPixelSize(76);
        font.setBold(true);
        for (int digit = 0; digit < 10; ++digit) {
            QPainterPath glyph;
            glyph.addText(0, 0, font, QString::number(digit));
            const QRectF box = glyph.boundingRect();
            glyph.translate(w / 2.0 - box.center().x(), digit * h + h / 2.0 - box.center().y());
            if (mask) {
                p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.setBrush(Qt::black);
            } else {
                p.setPen(QPen(QColor(70, 44, 20), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.setBrush(Vertical(digit * h, digit * h + h, QColor(255, 232, 150),
                                    QColor(214, 150, 40)));
            }
            p.drawPath(glyph);
        }
    });
    return image;
}

} // namespace art
