// Landscapes for the sample editions: layered mountains and hills under a season's sky.
#include "Art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <vector>

namespace art {

uint32_t Seed(const std::string& text) {
    uint32_t hash = 2166136261u; // FNV-1a
    for (unsigned char c : text)
        hash = (hash ^ c) * 16777619u;
    return hash;
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    const auto mix = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()),
                  mix(a.alpha(), b.alpha()));
}

QColor WithAlpha(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}

namespace {

constexpr double kPi = 3.14159265358979323846;

// A ridge line by midpoint displacement: heights (in pixels from the top) at n + 1 points.
std::vector<double> Ridge(Random& random, int n, double base, double roughness) {
    std::vector<double> y(static_cast<size_t>(n) + 1, base);
    y.front() = base + random.Range(-roughness, roughness);
    y.back() = base + random.Range(-roughness, roughness);
    for (int step = n; step > 1; step /= 2) {
        for (int i = step / 2; i < n; i += step) {
            const size_t a = static_cast<size_t>(i - step / 2),
                         b = static_cast<size_t>(i + step / 2);
            y[static_cast<size_t>(i)] = (y[a] + y[b]) / 2 + random.Range(-roughness, roughness);
        }
        roughness *= 0.55;
    }
    return y;
}

// Raises a few peaks out of a ridge line.
void Peaks(Random& random, std::vector<double>& line, int count, double height, double spread) {
    const double n = static_cast<double>(line.size() - 1);
    for (int k = 0; k < count; ++k) {
        const double at = random.Range(0.05, 0.95) * n, rise = random.Range(0.5, 1.0) * height;
        const double half = random.Range(0.6, 1.0) * spread * n;
        for (size_t i = 0; i < line.size(); ++i) {
            const double t = std::fabs(static_cast<double>(i) - at) / half;
            if (t < 1) line[i] -= rise * (1 - t) * (1 - t * 0.3);
        }
    }
}

// Rolling hills: a sum of a few sines with random phases.
std::vector<double> Hills(Random& random, int n, double base, double amplitude) {
    const double p1 = random.Range(0, 2 * kPi), p2 = random.Range(0, 2 * kPi),
                 p3 = random.Range(0, 2 * kPi);
    std::vector<double> y(static_cast<size_t>(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        y[static_cast<size_t>(i)] = base - amplitude * (0.55 * std::sin(2 * kPi * 1.1 * t + p1) +
                                                        0.3 * std::sin(2 * kPi * 2.3 * t + p2) +
                                                        0.15 * std::sin(2 * kPi * 5.1 * t + p3));
    }
    return y;
}

QPainterPath Land(const std::vector<double>& line, double width, double height) {
    QPainterPath path;
    const double step = width / static_cast<double>(line.size() - 1);
    path.moveTo(0, height);
    for (size_t i = 0; i < line.size(); ++i)
        path.lineTo(static_cast<double>(i) * step, line[i]);
    path.lineTo(width, height);
    path.closeSubpath();
    return path;
}

double At(const std::vector<double>& line, double width, double x) {
    const double position = std::clamp(x / width, 0.0, 1.0) * static_cast<double>(line.size() - 1);
    const size_t i = std::min(static_cast<size_t>(position), line.size() - 2);
    const double t = position - static_cast<double>(i);
    return line[i] * (1 - t) + line[i + 1] * t;
}

void FillLand(QPainter& painter, const QPainterPath& land, double top, double bottom,
              const QColor& upper, const QColor& lower) {
    QLinearGradient fill(0, top, 0, bottom);
    fill.setColorAt(0, upper);
    fill.setColorAt(1, lower);
    painter.fillPath(land, fill);
}

void Sky(QPainter& painter, const Scene& scene, double w, double h, double horizon) {
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, scene.skyTop);
    sky.setColorAt(0.55, Mix(scene.skyTop, scene.skyHorizon, 0.45));
    sky.setColorAt(1, scene.skyHorizon);
    painter.fillRect(QRectF(0, 0, w, h), sky);
}

void Stars(QPainter& painter, Random& random, double w, double h) {
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 260; ++i) {
        const double x = random.Range(0, w), y = random.Range(0, h * 0.5);
        const double r = random.Range(0.4, 1.6) * h / 1200;
        painter.setBrush(QColor(255, 255, 240, static_cast<int>(random.Range(90, 230))));
        painter.drawEllipse(QPointF(x, y), r, r);
    }
}

void Light(QPainter& painter, const Scene& scene, double w, double h) {
    const QPointF centre(w * kSunX, h * kSunY);
    const double r = h * kSunRadius;
    QRadialGradient glow(centre, r * 6);
    glow.setColorAt(0, WithAlpha(scene.glow, 150));
    glow.setColorAt(0.35, WithAlpha(scene.glow, 45));
    glow.setColorAt(1, WithAlpha(scene.glow, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, r * 6, r * 6);
    QRadialGradient disc(centre - QPointF(r * 0.3, r * 0.3), r * 1.3);
    disc.setColorAt(0, Mix(scene.light, Qt::white, 0.5));
    disc.setColorAt(1, scene.light);
    painter.setBrush(disc);
    painter.drawEllipse(centre, r, r);
    if (scene.moon) { // a few soft maria
        painter.setBrush(WithAlpha(Mix(scene.light, QColor(120, 130, 150), 0.5), 70));
        painter.drawEllipse(centre + QPointF(-r * 0.3, -r * 0.2), r * 0.28, r * 0.22);
        painter.drawEllipse(centre + QPointF(r * 0.25, r * 0.3), r * 0.22, r * 0.18);
        painter.drawEllipse(centre + QPointF(r * 0.35, -r * 0.35), r * 0.12, r * 0.1);
    }
}

// Cumulus: a union of puffs with a flat base, lit from above, with a soft rim. A cloud that
// would reach into the calm zone is left out whole.
void Clouds(QPainter& painter, const Scene& scene, Random& random, double w, double h,
            const QRectF& zone) {
    for (int c = 0; c < scene.clouds; ++c) {
        const double cx = random.Range(0.05, 0.95) * w, base = random.Range(0.14, 0.34) * h;
        const double size = random.Range(0.6, 1.2) * h / 16;
        QPainterPath puffs;
        puffs.setFillRule(Qt::WindingFill);
        for (int puff = 0; puff < 9; ++puff) {
            const double dx = random.Range(-2.6, 2.6) * size;
            const double r = size * (1.0 - std::fabs(dx) / (4 * size)) * random.Range(0.7, 1.1);
            puffs.addEllipse(QPointF(cx + dx, base - r * 0.6), r * 1.2, r);
        }
        QPainterPath above;
        above.addRect(QRectF(cx - 6 * size, base - 4 * size, 12 * size, 4 * size));
        const QPainterPath cloud = puffs.simplified().intersected(above);
        const QRectF box = cloud.boundingRect();
        if (box.adjusted(-size, -size, size, size).intersects(zone)) continue;
        painter.setPen(QPen(WithAlpha(scene.cloud, 40), size * 0.35));
        QLinearGradient light(0, box.top(), 0, box.bottom());
        light.setColorAt(0, WithAlpha(Mix(scene.cloud, Qt::white, 0.6), 235));
        light.setColorAt(1, WithAlpha(Mix(scene.cloud, scene.skyTop, 0.25), 205));
        painter.setBrush(light);
        painter.drawPath(cloud);
    }
}

void Mountains(QPainter& painter, const Scene& scene, Random& random, double w, double h) {
    const double u = h / 1200;
    auto far = Ridge(random, 256, h * 0.5, 60 * u);
    Peaks(random, far, 4, 190 * u, 0.14);
    const QPainterPath farLand = Land(far, w, h);
    FillLand(painter, farLand, h * 0.3, h * 0.6, Mix(scene.mountainFar, scene.skyHorizon, 0.1),
             Mix(scene.mountainFar, scene.skyHorizon, 0.45));
    if (scene.snowCaps) {
        painter.save();
        painter.setClipPath(farLand);
        const auto capLine = Ridge(random, 64, h * 0.455, 14 * u);
        QPainterPath cap;
        cap.moveTo(0, 0);
        for (size_t i = 0; i < capLine.size(); ++i)
            cap.lineTo(w * static_cast<double>(i) / 64, capLine[i]);
        cap.lineTo(w, 0);
        cap.closeSubpath();
        painter.fillPath(cap, QColor(248, 250, 255, 235));
        painter.restore();
    }
    auto near = Ridge(random, 256, h * 0.57, 40 * u);
    Peaks(random, near, 3, 90 * u, 0.12);
    FillLand(painter, Land(near, w, h), h * 0.45, h * 0.65,
             Mix(scene.mountainNear, scene.skyHorizon, 0.2), scene.mountainNear);
}

void Lake(QPainter& painter, const Scene& scene, Random& random, double w, double h) {
    const double top = h * 0.6, bottom = h * 0.68;
    QLinearGradient water(0, top, 0, bottom);
    water.setColorAt(0, Mix(scene.skyHorizon, scene.skyTop, 0.3));
    water.setColorAt(1, Mix(scene.skyTop, scene.mountainNear, 0.4));
    QPainterPath shore;
    shore.addEllipse(QRectF(w * 0.18, top, w * 0.62, (bottom - top) * 2));
    painter.fillPath(shore, water);
    painter.setPen(QPen(WithAlpha(Qt::white, 90), h / 1200 * 1.5));
    for (int i = 0; i < 40; ++i) {
        const double y = random.Range(top + 6, bottom);
        const double x = random.Range(w * 0.25, w * 0.72);
        painter.drawLine(QPointF(x, y), QPointF(x + random.Range(20, 90) * h / 1200, y));
    }
}

void Conifer(QPainter& painter, const Scene& scene, QPointF foot, double size, bool snowy) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(scene.trunk);
    painter.drawRect(
        QRectF(foot.x() - size * 0.06, foot.y() - size * 0.2, size * 0.12, size * 0.2));
    for (int tier = 0; tier < 3; ++tier) {
        const double base = foot.y() - size * (0.15 + tier * 0.25);
        const double half = size * (0.38 - tier * 0.09);
        QPolygonF triangle;
        triangle << QPointF(foot.x() - half, base) << QPointF(foot.x() + half, base)
                 << QPointF(foot.x(), base - size * 0.45);
        QLinearGradient shade(foot.x() - half, 0, foot.x() + half, 0);
        shade.setColorAt(0, scene.foliageLight);
        shade.setColorAt(1, scene.foliage);
        painter.setBrush(shade);
        painter.drawPolygon(triangle);
        if (snowy) {
            QPolygonF snow;
            snow << QPointF(foot.x() - half * 0.45, base - size * 0.25)
                 << QPointF(foot.x() + half * 0.45, base - size * 0.25)
                 << QPointF(foot.x(), base - size * 0.45);
            painter.setBrush(QColor(250, 252, 255));
            painter.drawPolygon(snow);
        }
    }
}

void Branches(QPainter& painter, QPointF from, double angle, double length, int depth) {
    const QPointF to = from + QPointF(std::cos(angle) * length, -std::sin(angle) * length);
    painter.setPen(
        QPen(painter.pen().color(), std::max(1.0, length / 9), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    if (depth == 0) return;
    Branches(painter, to, angle + 0.45, length * 0.68, depth - 1);
    Branches(painter, to, angle - 0.4, length * 0.72, depth - 1);
}

void Leafy(QPainter& painter, const Scene& scene, Random& random, QPointF foot, double size) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(scene.trunk);
    painter.drawRect(
        QRectF(foot.x() - size * 0.05, foot.y() - size * 0.45, size * 0.1, size * 0.45));
    if (scene.trees == Scene::Trees::Bare) {
        painter.setPen(QPen(scene.trunk));
        Branches(painter, QPointF(foot.x(), foot.y() - size * 0.4), kPi / 2, size * 0.3, 4);
        return;
    }
    for (int puff = 0; puff < 9; ++puff) {
        const QPointF centre(foot.x() + random.Range(-0.28, 0.28) * size,
                             foot.y() - size * random.Range(0.55, 0.95));
        const double r = size * random.Range(0.16, 0.26);
        QRadialGradient shade(centre - QPointF(r * 0.4, r * 0.4), r * 1.4);
        shade.setColorAt(0, scene.foliageLight);
        shade.setColorAt(1, scene.foliage);
        painter.setBrush(shade);
        painter.drawEllipse(centre, r, r);
    }
    if (scene.trees == Scene::Trees::Blossom) {
        painter.setBrush(QColor(255, 250, 252, 220));
        for (int dot = 0; dot < 14; ++dot)
            painter.drawEllipse(QPointF(foot.x() + random.Range(-0.3, 0.3) * size,
                                        foot.y() - size * random.Range(0.5, 1.0)),
                                size * 0.025, size * 0.025);
    }
}

// Trees along a line; a tree that would reach into the calm zone is left out whole, not cut.
void Trees(QPainter& painter, const Scene& scene, Random& random, const std::vector<double>& line,
           double w, double size, int count, double spreadFrom, double spreadTo,
           const QRectF& zone) {
    for (int i = 0; i < count; ++i) {
        const double x = random.Range(spreadFrom, spreadTo) * w;
        const double s = size * random.Range(0.75, 1.25);
        const QPointF foot(x, At(line, w, x) + s * 0.08);
        const QRectF reach(foot.x() - s * 0.6, foot.y() - s * 1.4, s * 1.2, s * 1.4);
        if (reach.intersects(zone)) continue;
        if (scene.trees == Scene::Trees::Conifer)
            Conifer(painter, scene, foot, s * 1.3, scene.snowCaps);
        else
            Leafy(painter, scene, random, foot, s);
    }
}

void Ground(QPainter& painter, const Scene& scene, Random& random, const std::vector<double>& line,
            double w, double h) {
    const double u = h / 1200;
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 900; ++i) {
        const double x = random.Range(0, w);
        const double top = At(line, w, x);
        const double y = random.Range(top + 8 * u, h);
        const double depth = (y - top) / (h - top); // 0 far .. 1 near
        const double r = (1.5 + 4.5 * depth) * u;
        switch (scene.ground) {
        case Scene::Ground::Flowers:
            painter.setBrush(random.Unit() < 0.5 ? scene.accent : scene.accent2);
            painter.drawEllipse(QPointF(x, y), r, r);
            painter.setBrush(QColor(255, 236, 140));
            painter.drawEllipse(QPointF(x, y), r * 0.35, r * 0.35);
            break;
        case Scene::Ground::Leaves:
            painter.save();
            painter.translate(x, y);
            painter.rotate(random.Range(0, 180));
            painter.setBrush(random.Unit() < 0.5 ? scene.accent : scene.accent2);
            painter.drawEllipse(QPointF(0, 0), r * 1.4, r * 0.6);
            painter.restore();
            break;
        case Scene::Ground::Grass:
            painter.setPen(QPen(random.Unit() < 0.5 ? scene.accent : scene.accent2, 1.2 * u));
            painter.drawLine(QPointF(x, y), QPointF(x + random.Range(-3, 3) * u, y - 4 * r));
            painter.setPen(Qt::NoPen);
            break;
        case Scene::Ground::Snow:
            painter.setBrush(QColor(200, 215, 235, 90));
            painter.drawEllipse(QPointF(x, y), r * 5, r * 0.8);
            break;
        }
    }
}

void Snowfall(QPainter& painter, Random& random, double w, double h) {
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 700; ++i) {
        const double r = random.Range(0.8, 3.2) * h / 1200;
        painter.setBrush(QColor(255, 255, 255, static_cast<int>(random.Range(120, 230))));
        painter.drawEllipse(QPointF(random.Range(0, w), random.Range(0, h)), r, r);
    }
}

void Signpost(QPainter& painter, const Scene& scene, double w, double h) {
    const double u = h / 1200, x = w * kSignX, top = h * kSignTop, board = h * kSignBoard;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Mix(scene.trunk, QColor(60, 40, 25), 0.3));
    painter.drawRect(QRectF(x - 5 * u, top, 10 * u, h * 0.15));
    QPainterPath sign;
    sign.moveTo(x - board * 1.6, top + board * 0.1);
    sign.lineTo(x + board * 1.4, top + board * 0.1);
    sign.lineTo(x + board * 1.75, top + board * 0.55);
    sign.lineTo(x + board * 1.4, top + board);
    sign.lineTo(x - board * 1.6, top + board);
    sign.closeSubpath();
    QLinearGradient wood(0, top, 0, top + board);
    wood.setColorAt(0, QColor(196, 150, 98));
    wood.setColorAt(1, QColor(150, 104, 62));
    painter.fillPath(sign, wood);
    painter.setPen(QPen(QColor(110, 74, 44), 2 * u));
    painter.drawPath(sign);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(static_cast<int>(board * 0.5));
    font.setBold(true);
    font.setItalic(true);
    painter.setFont(font);
    painter.setPen(QColor(255, 246, 228));
    painter.drawText(QRectF(x - board * 1.6, top + board * 0.1, board * 3.1, board * 0.9),
                     Qt::AlignCenter, QStringLiteral("Ombrelline"));
}

// Everything of the picture but the calm zone: scenery is drawn only there.
QPainterPath OutsideZone(const CalmZone& zone, double w, double h) {
    QPainterPath outside;
    outside.setFillRule(Qt::OddEvenFill);
    outside.addRect(QRectF(0, 0, w, h));
    if (!zone.area.isEmpty()) outside.addRect(zone.area);
    return outside;
}

// The veil: even inside the zone, fading out over a few pixels around it so that it has no
// hard edge.
void Veil(QPainter& painter, const CalmZone& zone, double h) {
    if (zone.area.isEmpty() || zone.opacity <= 0) return;
    painter.save();
    painter.setPen(Qt::NoPen);
    const double feather = h / 60;
    constexpr int kSteps = 8;
    for (int step = kSteps; step >= 1; --step) {
        const double grow = feather * step / kSteps;
        QPainterPath ring;
        ring.setFillRule(Qt::OddEvenFill);
        ring.addRoundedRect(zone.area.adjusted(-grow, -grow, grow, grow), grow, grow);
        const double shrink = feather * (step - 1) / kSteps;
        ring.addRoundedRect(zone.area.adjusted(-shrink, -shrink, shrink, shrink), shrink, shrink);
        painter.setBrush(WithAlpha(
            zone.veil, static_cast<int>(255 * zone.opacity * (1.0 - (step - 0.5) / kSteps))));
        painter.drawPath(ring);
    }
    painter.setBrush(WithAlpha(zone.veil, static_cast<int>(255 * zone.opacity)));
    painter.drawRect(zone.area);
    painter.restore();
}

void TitleBand(QPainter& painter, double w, int band) {
    QLinearGradient shade(0, 0, 0, band);
    shade.setColorAt(0, QColor(10, 20, 35, 150));
    shade.setColorAt(1, QColor(10, 20, 35, 70));
    painter.fillRect(QRectF(0, 0, w, band), shade);
    painter.fillRect(QRectF(0, band - 2, w, 2), QColor(255, 255, 255, 90));
}

} // namespace

QImage PaintScene(const Scene& scene, int width, int height, uint32_t seed, int titleBand,
                  const CalmZone& zone) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Random random(seed);
    const double w = width, h = height;
    const QPainterPath scenery = OutsideZone(zone, w, h);
    Sky(painter, scene, w, h, h * 0.62);
    painter.setClipPath(scenery);
    if (scene.stars) Stars(painter, random, w, h);
    Light(painter, scene, w, h);
    Clouds(painter, scene, random, w, h, zone.area);
    painter.setClipping(false);
    Mountains(painter, scene, random, w, h);
    if (scene.lake) Lake(painter, scene, random, w, h);

    const auto farHills = Hills(random, 240, h * 0.66, h * 0.035);
    FillLand(painter, Land(farHills, w, h), h * 0.6, h * 0.8, scene.hillFar,
             Mix(scene.hillFar, scene.hillNear, 0.5));
    Trees(painter, scene, random, farHills, w, h * 0.045, 60, 0, 1, zone.area);
    const auto nearHills = Hills(random, 240, h * 0.77, h * 0.045);
    FillLand(painter, Land(nearHills, w, h), h * 0.7, h, scene.hillNear, scene.meadowBottom);
    Trees(painter, scene, random, nearHills, w, h * 0.09, 14, 0, 0.75, zone.area);
    const auto meadow = Hills(random, 240, h * 0.9, h * 0.03);
    FillLand(painter, Land(meadow, w, h), h * 0.85, h, scene.meadowTop, scene.meadowBottom);
    Ground(painter, scene, random, meadow, w, h);
    Signpost(painter, scene, w, h);
    painter.setClipPath(scenery);
    if (scene.snowfall) Snowfall(painter, random, w, h);
    painter.setClipping(false);
    Veil(painter, zone, h);
    if (titleBand > 0) TitleBand(painter, w, titleBand);
    return image;
}

} // namespace art
