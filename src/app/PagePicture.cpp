#include "app/PagePicture.h"

#include "platform/Exceptions.h"
#include "platform/PictureFunctions.h"

#include <algorithm>

namespace {

// along stretches the picture's width over the page's longer side; across is the room the
// page has for its height. Stretched to the longer side, a picture that is relatively taller
// than the page would run off it, so it is then fitted to the shorter side instead.
std::pair<int, int> FittedSize(int width, int height, int along, int across) {
    const auto scaled = [](int length, int to, int from) {
        return static_cast<int>(static_cast<long long>(length) * to / static_cast<double>(from));
    };
    const int fittedHeight = scaled(height, along, width);
    if (fittedHeight <= across) return {along, fittedHeight};
    return {scaled(width, across, height), across};
}

} // namespace

PicturePtr PagePicture(const PicturePtr& picture, int pageWidth, int pageHeight) {
    if (!picture) throw NilObjectException("PagePicture: no picture");
    if (picture->Width() <= 0 || picture->Height() <= 0) return picture;
    const bool landscape = pageWidth > pageHeight;
    const int along = landscape ? pageWidth : pageHeight;
    const int across = landscape ? pageHeight : pageWidth;
    const auto [width, height] = FittedSize(picture->Width(), picture->Height(), along, across);
    const PicturePtr bits = EnsurePictureBits(picture, 32);
    if (landscape) return BilinearScale(bits, width, height);
    // Turned before it is scaled up, which gives the same page and moves fewer pixels.
    return BilinearScale(RotatePicture(bits, 90.0, RGB(0, 0, 0)), height, width);
}
