#include "platform/Graphics.h"

#include "platform/Exceptions.h"
#include "platform/GraphicsQt.h"
#include "platform/Picture.h"
#include "platform/ShapedText.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {

QColor ToQColor(Color c) {
    return QColor(c.r, c.g, c.b);
}

void Prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
}

// Splits text into the lines it is drawn as: at every CR, LF or CRLF, and between words where
// a line would grow wider than wrapWidth (when that is above 0).
std::vector<QString> Lines(const QString& text, double wrapWidth, const QFontMetricsF& metrics) {
    std::vector<QString> lines;
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    for (const QString& paragraph : normal.split(u'\n')) {
        if (wrapWidth <= 0) {
            lines.push_back(paragraph);
            continue;
        }
        QString line;
        for (const QString& word : paragraph.split(u' ')) {
            const QString candidate = line.isEmpty() ? word : line + u' ' + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(candidate) > wrapWidth) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

// Longer than any text of an ordinary length: a label, a title, a to-do item.
constexpr size_t kLongText = 1 << 16;

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

Graphics::Graphics(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Graphics::~Graphics() = default;

int Graphics::Width() const {
    return impl_->picture ? impl_->picture->Width() : impl_->area.width();
}

int Graphics::Height() const {
    return impl_->picture ? impl_->picture->Height() : impl_->area.height();
}

namespace {

// Runs draw with a painter set up for this surface: origin, clip, no antialiasing of shapes.
template <class Draw> void Paint(Graphics::Impl& surface, Draw&& draw) {
    if (surface.picture) {
        QImage& image = MutablePictureImage(*surface.picture);
        if (image.isNull()) return;
        QPainter painter(&image);
        Prepare(painter);
        draw(painter);
        return;
    }
    if (!surface.painter || surface.area.isEmpty()) return;
    QPainter& painter = *surface.painter;
    painter.save();
    painter.translate(surface.area.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), surface.area.size()), Qt::IntersectClip);
    Prepare(painter);
    draw(painter);
    painter.restore();
}

const QFont& CurrentFont(const Graphics& g) {
    Graphics::Impl& surface = g.Internals();
    // Compared in place: text is measured and drawn often with the same settings.
    if (!surface.font || !surface.fontSettings.Match(g)) {
        surface.font = FontFor(g.TextFont, g.TextSize, g.Bold, g.Italic, g.Underline);
        surface.fontKey = surface.font->key();
        surface.fontSettings = {g.TextFont, g.TextSize, g.Bold, g.Italic, g.Underline};
    }
    return *surface.font;
}

// The convex hull of a few points, by the monotone chain; the set is tiny.
QPolygonF ConvexHull(std::vector<QPointF> points) {
    std::sort(points.begin(), points.end(), [](const QPointF& a, const QPointF& b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    const auto cross = [](const QPointF& o, const QPointF& a, const QPointF& b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    std::vector<QPointF> hull(2 * points.size());
    size_t k = 0;
    for (const QPointF& p : points) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0)
            --k;
        hull[k++] = p;
    }
    for (size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    return QPolygonF(QList<QPointF>(hull.begin(), hull.end()));
}

void FillShape(Graphics& g, Color color, const QPainterPath& path) {
    Paint(g.Internals(), [&](QPainter& painter) { painter.fillPath(path, ToQColor(color)); });
}

} // namespace

void Graphics::DrawString(std::string_view text, double x, double y, double wrapWidth) {
    const QFont& font = CurrentFont(*this);
    // Only a text longer than any drawn whole is cut: of that, the beginning of its first line
    // is what shows.
    if (wrapWidth <= 0 && text.size() > kLongText)
        text = LineReaching(font, impl_->fontKey, text, Width() - x);
    if (const QString line = ToQString(text); wrapWidth <= 0 && ShapesAlike(font, line)) {
        const ShapedLine& shaped = Shaped(font, impl_->fontKey, line);
        Paint(*impl_, [&](QPainter& painter) {
            painter.setFont(font);
            painter.setPen(ToQColor(ForeColor));
            for (const QGlyphRun& run : shaped.runs)
                painter.drawGlyphRun(QPointF(x, y - shaped.ascent), run);
        });
        return;
    }
    const QFontMetricsF metrics(font);
    const auto lines = Lines(ToQString(text), wrapWidth, metrics);
    const int lineHeight = TextHeight();
    Paint(*impl_, [&](QPainter& painter) {
        painter.setFont(font);
        painter.setPen(ToQColor(ForeColor));
        for (size_t i = 0; i < lines.size(); ++i)
            painter.drawText(QPointF(x, y + static_cast<double>(i) * lineHeight), lines[i]);
    });
}

double Graphics::StringWidth(std::string_view text) const {
    const QFont& font = CurrentFont(*this);
    const QString all = ToQString(text);
    if (!all.contains(u'\n') && !all.contains(u'\r')) return LineAdvance(font, impl_->fontKey, all);
    const QFontMetricsF metrics(font);
    double widest = 0;
    for (const QString& line : Lines(all, 0, metrics))
        widest = std::max(widest, LineAdvance(font, impl_->fontKey, line));
    return widest;
}

double Graphics::StringWidth(std::string_view text, double limit) const {
    const std::string_view start = LineReaching(CurrentFont(*this), impl_->fontKey, text, limit);
    return StringWidth(start);
}

double Graphics::StringHeight(std::string_view text, double wrapWidth) const {
    const QFontMetricsF metrics(CurrentFont(*this));
    return static_cast<double>(Lines(ToQString(text), wrapWidth, metrics).size()) * TextHeight();
}

int Graphics::TextAscent() const {
    return static_cast<int>(std::ceil(QFontMetricsF(CurrentFont(*this)).ascent()));
}

int Graphics::TextHeight() const {
    const QFontMetricsF metrics(CurrentFont(*this));
    return static_cast<int>(std::ceil(metrics.ascent()) + std::ceil(metrics.descent()));
}

void Graphics::DrawLine(int x1, int y1, int x2, int y2) {
    const int pw = std::max(PenWidth, 1), ph = std::max(PenHeight, 1);
    if (pw == 1 && ph == 1) {
        Paint(*impl_, [&](QPainter& painter) {
            painter.setPen(QPen(ToQColor(ForeColor), 0));
            painter.drawLine(x1, y1, x2, y2);
            painter.drawPoint(x2, y2); // the toolkit may leave out the last point
        });
        return;
    }
    // A thick pen sweeps its pw x ph rectangle from one end point to the other.
    std::vector<QPointF> corners;
    for (const QPointF end : {QPointF(x1, y1), QPointF(x2, y2)})
        for (const QPointF corner :
             {QPointF(0, 0), QPointF(pw, 0), QPointF(0, ph), QPointF(pw, ph)})
            corners.push_back(end + corner);
    QPainterPath path;
    path.addPolygon(ConvexHull(std::move(corners)));
    FillShape(*this, ForeColor, path);
}

void Graphics::DrawRect(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    const int pw = std::clamp(PenWidth, 1, width), ph = std::clamp(PenHeight, 1, height);
    FillRect(x, y, width, ph);
    FillRect(x, y + height - ph, width, ph);
    FillRect(x, y, pw, height);
    FillRect(x + width - pw, y, pw, height);
}

void Graphics::FillRect(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    Paint(*impl_, [&](QPainter& painter) {
        painter.fillRect(QRect(x, y, width, height), ToQColor(ForeColor));
    });
}

void Graphics::DrawRoundRect(int x, int y, int width, int height, int arcWidth, int arcHeight) {
    if (width <= 0 || height <= 0) return;
    Paint(*impl_, [&](QPainter& painter) {
        painter.setPen(QPen(ToQColor(ForeColor), 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRect(x, y, width - 1, height - 1), arcWidth / 2.0,
                                arcHeight / 2.0);
    });
}

void Graphics::FillRoundRect(int x, int y, int width, int height, int arcWidth, int arcHeight) {
    if (width <= 0 || height <= 0) return;
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, width, height), arcWidth / 2.0, arcHeight / 2.0);
    FillShape(*this, ForeColor, path);
}

void Graphics::DrawOval(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    Paint(*impl_, [&](QPainter& painter) {
        painter.setPen(QPen(ToQColor(ForeColor), 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRect(x, y, width - 1, height - 1));
    });
}

void Graphics::FillOval(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    QPainterPath path;
    path.addEllipse(QRectF(x, y, width, height));
    FillShape(*this, ForeColor, path);
}

void Graphics::FillPolygon(const std::vector<int>& points) {
    QPolygonF polygon;
    for (size_t i = 0; i + 1 < points.size(); i += 2)
        polygon << QPointF(points[i], points[i + 1]);
    if (polygon.size() < 3) return;
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    FillShape(*this, ForeColor, path);
}

void Graphics::DrawPicture(const Picture& picture, int x, int y) {
    DrawPicture(picture, x, y, picture.Width(), picture.Height(), 0, 0, picture.Width(),
                picture.Height());
}

void Graphics::DrawPicture(const Picture& picture, int x, int y, int width, int height, int sourceX,
                           int sourceY, int sourceWidth, int sourceHeight) {
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return;
    const QImage* drawable = &picture.Internals().Drawable();
    QImage copy; // a picture drawn into itself reads from a copy of its pixels
    if (impl_->picture == &picture) drawable = &(copy = drawable->copy());
    const QImage& pixels = *drawable;
    if (pixels.isNull()) return;
    // Only the part of the source rectangle inside the picture is drawn, at the place it would
    // have in the stretched destination.
    const QRect source(sourceX, sourceY, sourceWidth, sourceHeight);
    const QRect inside = source.intersected(pixels.rect());
    if (inside.isEmpty()) return;
    const double sx = static_cast<double>(width) / sourceWidth;
    const double sy = static_cast<double>(height) / sourceHeight;
    const QRectF target(x + (inside.x() - sourceX) * sx, y + (inside.y() - sourceY) * sy,
                        inside.width() * sx, inside.height() * sy);
    Paint(*impl_, [&](QPainter& painter) { painter.drawImage(target, pixels, QRectF(inside)); });
}

void Graphics::DrawPicture(const std::shared_ptr<Picture>& picture, int x, int y) {
    if (!picture) throw NilObjectException("DrawPicture: no picture");
    DrawPicture(*picture, x, y);
}

void Graphics::DrawPicture(const std::shared_ptr<Picture>& picture, int x, int y, int width,
                           int height, int sourceX, int sourceY, int sourceWidth,
                           int sourceHeight) {
    if (!picture) throw NilObjectException("DrawPicture: no picture");
    DrawPicture(*picture, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight);
}

std::unique_ptr<Graphics> GraphicsOnPainter(QPainter& painter, const QRect& area) {
    auto surface = std::make_unique<Graphics::Impl>();
    surface->painter = &painter;
    surface->area = area;
    return std::make_unique<Graphics>(std::move(surface));
}
