// A base picture with another drawn over its bottom, as the season and month backgrounds are
// made: the pixels are written once, and of a base still in its file only the rows that the
// other picture leaves in view are decoded.
#include "platform/PictureFunctions.h"

#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"

#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
// A picture of that size whose pixels the caller writes whole.
PicturePtr Unfilled(QImage pixels) {
    auto picture = std::make_shared<Picture>(0, 0);
    Picture::Impl& impl = picture->Internals();
    impl.width = pixels.width();
    impl.height = pixels.height();
    impl.image = std::move(pixels);
    return picture;
}

// The pixels of a picture still in its file, read for this once and left out of the picture:
// once composed, the sources are not kept in memory.
QImage Decoded(const Picture& picture) {
    const Picture::Impl& impl = picture.Internals();
    if (!impl.pendingFile) return impl.Image();
    return DecodePictureFile(*impl.pendingFile, picture.Width(), picture.Height());
}

// The first rows of the base as they show; null when its pixels cannot be had (a damaged
// file), which leaves them white as a failed decode always has.
QImage TopRows(const Picture& base, int rows) {
    const Picture::Impl& impl = base.Internals();
    if (impl.pendingFile) {
        // Left undecoded in the picture: the base is needed whole only if it is drawn whole.
        QImageReader reader(*impl.pendingFile);
        if (rows < base.Height()) reader.setClipRect(QRect(0, 0, base.Width(), rows));
        QImage top = ToPictureFormat(ReadBoundedImage(reader));
        return top.size() == QSize(base.Width(), rows) ? top : QImage();
    }
    const QImage& pixels = impl.Image();
    if (pixels.isNull()) return {};
    return rows == pixels.height() ? pixels : pixels.copy(0, 0, pixels.width(), rows);
}
} // namespace

PicturePtr ComposeAtBottom(const Picture& base, const Picture* over) {
    const int width = base.Width(), height = base.Height();
    const bool opaqueOver = over && !over->HasMask() && over->Transparent() == 0;
    const bool simple = !base.HasMask() && base.Transparent() == 0 && width > 0 && height > 0 &&
                        (!over || opaqueOver);
    if (!simple) {
        auto composed = std::make_shared<Picture>(width, height, 32);
        composed->Graphics().DrawPicture(base, 0, 0);
        if (over) composed->Graphics().DrawPicture(*over, 0, height - over->Height());
        return composed;
    }
    const QImage cover = over ? Decoded(*over) : QImage();
    // An opaque picture as wide as the base hides every base row it spans.
    const bool hides = !cover.isNull() && over->Width() >= width;
    const int shownRows = hides ? std::clamp(height - over->Height(), 0, height) : height;
    QImage top = shownRows > 0 ? TopRows(base, shownRows) : QImage();
    // Shares the base's pixels until either is drawn into.
    if (!over && !top.isNull()) return Unfilled(std::move(top));
    QImage pixels(width, height, QImage::Format_RGB32);
    if (top.isNull()) {
        // Only what the other picture leaves uncovered needs the white of an unreadable base.
        for (int y = 0; y < shownRows; ++y)
            std::fill_n(reinterpret_cast<QRgb*>(pixels.scanLine(y)), width, qRgb(255, 255, 255));
    } else {
        for (int y = 0; y < shownRows; ++y)
            std::memcpy(pixels.scanLine(y), top.constScanLine(y), static_cast<size_t>(width) * 4);
    }
    if (!cover.isNull()) {
        QPainter painter(&pixels);
        painter.drawImage(0, height - over->Height(), cover);
    }
    return Unfilled(std::move(pixels));
}
