// The colours of the seasons and of the months.
#include "Art.h"

namespace art {

namespace {

Scene Spring() {
    Scene s;
    s.skyTop = QColor(96, 160, 228);
    s.skyHorizon = QColor(214, 232, 246);
    s.light = QColor(255, 244, 200);
    s.glow = QColor(255, 250, 220);
    s.clouds = 6;
    s.cloud = QColor(255, 255, 255);
    s.mountainFar = QColor(120, 140, 185);
    s.mountainNear = QColor(92, 128, 120);
    s.snowCaps = true;
    s.hillFar = QColor(142, 196, 110);
    s.hillNear = QColor(104, 172, 84);
    s.meadowTop = QColor(128, 190, 90);
    s.meadowBottom = QColor(70, 140, 60);
    s.lake = true;
    s.trees = Scene::Trees::Blossom;
    s.foliage = QColor(232, 150, 180);
    s.foliageLight = QColor(252, 206, 222);
    s.trunk = QColor(100, 70, 55);
    s.ground = Scene::Ground::Flowers;
    s.accent = QColor(250, 250, 255);
    s.accent2 = QColor(240, 196, 70);
    return s;
}

Scene Summer() {
    Scene s;
    s.skyTop = QColor(40, 120, 215);
    s.skyHorizon = QColor(176, 216, 245);
    s.light = QColor(255, 236, 150);
    s.glow = QColor(255, 240, 180);
    s.clouds = 3;
    s.cloud = QColor(255, 255, 255);
    s.mountainFar = QColor(110, 135, 170);
    s.mountainNear = QColor(70, 110, 80);
    s.hillFar = QColor(120, 170, 70);
    s.hillNear = QColor(80, 140, 50);
    s.meadowTop = QColor(200, 180, 80);
    s.meadowBottom = QColor(110, 130, 40);
    s.lake = true;
    s.trees = Scene::Trees::Leafy;
    s.foliage = QColor(40, 110, 45);
    s.foliageLight = QColor(90, 160, 70);
    s.trunk = QColor(90, 65, 45);
    s.ground = Scene::Ground::Flowers;
    s.accent = QColor(220, 50, 40);
    s.accent2 = QColor(250, 210, 60);
    return s;
}

Scene Autumn() {
    Scene s;
    s.skyTop = QColor(70, 90, 150);
    s.skyHorizon = QColor(248, 196, 140);
    s.light = QColor(255, 200, 120);
    s.glow = QColor(255, 170, 90);
    s.clouds = 5;
    s.cloud = QColor(255, 220, 200);
    s.mountainFar = QColor(120, 100, 130);
    s.mountainNear = QColor(110, 80, 70);
    s.hillFar = QColor(200, 130, 60);
    s.hillNear = QColor(170, 100, 40);
    s.meadowTop = QColor(180, 120, 50);
    s.meadowBottom = QColor(110, 70, 30);
    s.trees = Scene::Trees::Leafy;
    s.foliage = QColor(190, 70, 30);
    s.foliageLight = QColor(245, 160, 50);
    s.trunk = QColor(80, 55, 40);
    s.ground = Scene::Ground::Leaves;
    s.accent = QColor(220, 90, 30);
    s.accent2 = QColor(240, 180, 50);
    return s;
}

Scene Winter() {
    Scene s;
    s.skyTop = QColor(20, 30, 70);
    s.skyHorizon = QColor(120, 140, 190);
    s.moon = true;
    s.stars = true;
    s.light = QColor(240, 244, 255);
    s.glow = QColor(200, 215, 255);
    s.clouds = 2;
    s.cloud = QColor(170, 180, 210);
    s.mountainFar = QColor(150, 165, 200);
    s.mountainNear = QColor(110, 125, 165);
    s.snowCaps = true;
    s.hillFar = QColor(220, 228, 245);
    s.hillNear = QColor(236, 242, 252);
    s.meadowTop = QColor(244, 248, 255);
    s.meadowBottom = QColor(196, 210, 235);
    s.trees = Scene::Trees::Conifer;
    s.foliage = QColor(30, 70, 70);
    s.foliageLight = QColor(60, 110, 105);
    s.trunk = QColor(70, 55, 50);
    s.ground = Scene::Ground::Snow;
    s.snowfall = true;
    return s;
}

} // namespace

Scene SeasonScene(int season) {
    Scene s;
    switch (season) {
    case 1:
        s = Summer();
        break;
    case 2:
        s = Autumn();
        break;
    case 3:
        s = Winter();
        break;
    default:
        s = Spring();
        break;
    }
    // The seasonal calendar is printed in light ink, so its landscapes stay deep behind the
    // months: deeper skies and shaded fields by day, moonlit blue snow by night.
    const auto deepen = [](QColor& c, double depth) {
        c = QColor(static_cast<int>(c.red() * depth), static_cast<int>(c.green() * depth),
                   static_cast<int>(c.blue() * depth));
    };
    const auto shade = [&](double depth) {
        for (QColor* c : {&s.mountainFar, &s.mountainNear, &s.hillFar, &s.hillNear, &s.meadowTop,
                          &s.meadowBottom})
            deepen(*c, depth);
    };
    switch (season) {
    case 0:
        s.skyTop = QColor(52, 112, 196);
        s.skyHorizon = QColor(124, 172, 220);
        s.cloud = QColor(236, 240, 248);
        shade(0.8);
        break;
    case 1:
        s.skyTop = QColor(28, 96, 190);
        s.skyHorizon = QColor(120, 176, 226);
        s.cloud = QColor(240, 244, 250);
        shade(0.85);
        break;
    case 3:
        s.hillFar = QColor(150, 166, 204);
        s.hillNear = QColor(168, 182, 216);
        s.meadowTop = QColor(180, 194, 226);
        s.meadowBottom = QColor(140, 156, 198);
        break;
    default:
        s.cloud = QColor(226, 192, 178);
        break;
    }
    return s;
}

Scene MonthScene(int month) {
    Scene s;
    switch (month) {
    case 1: // deep snow under a clear cold day
        s = Winter();
        s.moon = false;
        s.stars = false;
        s.skyTop = QColor(70, 120, 190);
        s.skyHorizon = QColor(214, 226, 244);
        s.light = QColor(255, 250, 230);
        s.glow = QColor(255, 255, 240);
        s.snowfall = false;
        break;
    case 2: // snow falling from a pale sky
        s = Winter();
        s.moon = false;
        s.stars = false;
        s.skyTop = QColor(120, 140, 170);
        s.skyHorizon = QColor(220, 226, 236);
        s.light = QColor(250, 250, 245);
        s.glow = QColor(240, 240, 235);
        break;
    case 3: // thaw: grey-green hills, bare trees
        s = Spring();
        s.trees = Scene::Trees::Bare;
        s.hillFar = QColor(150, 170, 120);
        s.hillNear = QColor(120, 150, 90);
        s.ground = Scene::Ground::Grass;
        s.accent = QColor(110, 160, 80);
        s.accent2 = QColor(150, 180, 100);
        s.skyTop = QColor(120, 150, 200);
        break;
    case 4:
        s = Spring();
        break;
    case 5: // full green with dandelions
        s = Spring();
        s.trees = Scene::Trees::Leafy;
        s.foliage = QColor(60, 140, 60);
        s.foliageLight = QColor(140, 200, 100);
        s.accent = QColor(250, 220, 40);
        break;
    case 6:
        s = Summer();
        break;
    case 7: // golden fields and a high sun
        s = Summer();
        s.meadowTop = QColor(230, 200, 90);
        s.meadowBottom = QColor(170, 140, 50);
        s.hillNear = QColor(200, 170, 70);
        s.ground = Scene::Ground::Grass;
        s.accent = QColor(240, 210, 110);
        s.accent2 = QColor(200, 160, 60);
        break;
    case 8: // a late-summer evening
        s = Summer();
        s.skyTop = QColor(60, 80, 160);
        s.skyHorizon = QColor(250, 180, 120);
        s.light = QColor(255, 190, 110);
        s.glow = QColor(255, 150, 90);
        s.cloud = QColor(255, 200, 190);
        break;
    case 9: // first colours
        s = Autumn();
        s.foliage = QColor(120, 130, 40);
        s.foliageLight = QColor(220, 170, 50);
        s.skyTop = QColor(70, 130, 200);
        s.skyHorizon = QColor(220, 220, 210);
        break;
    case 10:
        s = Autumn();
        break;
    case 11: // bare trees under a grey sky
        s = Autumn();
        s.trees = Scene::Trees::Bare;
        s.skyTop = QColor(100, 110, 130);
        s.skyHorizon = QColor(190, 185, 180);
        s.light = QColor(240, 230, 210);
        s.glow = QColor(220, 210, 200);
        s.cloud = QColor(200, 200, 205);
        s.clouds = 8;
        s.hillFar = QColor(140, 120, 90);
        s.hillNear = QColor(120, 100, 70);
        break;
    default: // December: fresh snow under a winter sun
        s = Winter();
        s.moon = false;
        s.stars = false;
        s.skyTop = QColor(110, 150, 200);
        s.skyHorizon = QColor(230, 236, 246);
        s.light = QColor(255, 244, 220);
        s.glow = QColor(255, 236, 200);
        break;
    }
    // The monthly calendar is printed in dark ink, so its skies stay light behind the months.
    const auto lighten = [](QColor c) {
        return QColor((c.red() * 3 + 255 * 2) / 5, (c.green() * 3 + 255 * 2) / 5,
                      (c.blue() * 3 + 255 * 2) / 5);
    };
    s.skyTop = lighten(s.skyTop);
    s.skyHorizon = lighten(s.skyHorizon);
    return s;
}

} // namespace art
