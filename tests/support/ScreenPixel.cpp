// Reading what the headless screen shows, from the windows' own painted surfaces.
#include "support/PictureTestSupport.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

Color ScreenPixel(int x, int y) {
    const QImage image = QGuiApplication::primaryScreen()->grabWindow(0, x, y, 1, 1).toImage();
    if (image.isNull()) return RGB(-1, -1, -1);
    const QRgb pixel = image.pixel(0, 0);
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}
