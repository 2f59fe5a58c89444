#pragma once
// Shared pieces of the artwork generator: a seeded random source (the same pictures on every
// build), colour helpers and the two kinds of pictures it draws.
#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <map>
#include <string>

namespace art {

// xorshift32: small, fast and the same everywhere.
class Random {
  public:
    explicit Random(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    double Unit() { return (Next() >> 8) / 16777216.0; } // [0, 1)
    double Range(double low, double high) { return low + (high - low) * Unit(); }

  private:
    uint32_t state_;
};

uint32_t Seed(const std::string& text);
QColor Mix(const QColor& a, const QColor& b, double t);
QColor WithAlpha(QColor colour, int alpha);

// One landscape: sky, light, mountains, hills, trees and ground in the colours of a season or
// a month.
struct Scene {
    QColor skyTop, skyHorizon;
    bool moon = false;
    bool stars = false;
    QColor light, glow; // sun or moon, and the haze around it
    int clouds = 4;
    QColor cloud;
    QColor mountainFar, mountainNear;
    bool snowCaps = false;
    QColor hillFar, hillNear, meadowTop, meadowBottom;
    bool lake = false;
    enum class Trees { Conifer, Leafy, Bare, Blossom } trees = Trees::Leafy;
    QColor foliage, foliageLight, trunk;
    enum class Ground { Flowers, Grass, Leaves, Snow } ground = Ground::Grass;
    QColor accent, accent2; // flowers or leaves
    bool snowfall = false;
};

// Where the sun and the signpost stand, as shares of the picture: the sun in the right margin
// beside the calendar's last column, the signpost (an edition's link area) below the calendar.
inline constexpr double kSunX = 0.976, kSunY = 0.3, kSunRadius = 0.026;
inline constexpr double kSignX = 0.87, kSignTop = 0.79, kSignBoard = 0.055;

// The calm zone behind the calendar's days: no cloud, tree, sun or snowflake is drawn in it,
// and an even veil (feathered at its edges) lies over the sky and hills that remain, so that
// every date reads against it. An empty area leaves the scene whole.
struct CalmZone {
    QRectF area; // in the picture's pixels
    QColor veil;
    double opacity = 0;
};

// Paints a landscape of width x height. A titleBand above 0 darkens that many rows at the top,
// where the calendar's title band lies.
QImage PaintScene(const Scene& scene, int width, int height, uint32_t seed, int titleBand,
                  const CalmZone& zone);

// The scenes of the four seasons and of the twelve months.
Scene SeasonScene(int season); // 0 spring .. 3 winter
Scene MonthScene(int month);   // 1 .. 12

// The program's own pictures by name.
std::map<std::string, QImage> BuiltInPictures();

// The year digit strip (0 to 9 stacked) and its mask strip.
QImage DigitStrip(bool mask);

} // namespace art
