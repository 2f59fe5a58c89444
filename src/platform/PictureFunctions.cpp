#include "platform/PictureFunctions.h"

#include "platform/Exceptions.h"
#include "platform/GraphicsQt.h"
#include "platform/JpegFile.h"

#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
const Picture& Require(const PicturePtr& picture, const char* operation) {
    if (!picture) throw NilObjectException(std::string(operation) + ": no picture");
    return *picture;
}

// A picture's pixels that another picture takes over, awaited where that one is first used.
PicturePtr SharingPixels(const Picture& source, int width, int height) {
    auto picture = std::make_shared<Picture>(0, 0);
    Picture::Impl& impl = picture->Internals();
    impl.width = width;
    impl.height = height;
    if (source.Internals().pendingPixels.valid())
        impl.pendingPixels = source.Internals().pendingPixels;
    else
        impl.image = source.Internals().Image();
    return picture;
}

// A picture still in its file, decoded and scaled on a worker; a JPEG that shrinks to the size
// by eighths is decoded at that size.
PicturePtr DecodedScaled(const QString& file, int sourceWidth, int sourceHeight, int width,
                         int height) {
    return PictureMadeLater(width, height, [=] {
        const int eighths = ExactEighths(sourceHeight, height);
        if (eighths > 0 && ExactEighths(sourceWidth, width) == eighths) {
            QImage pixels(width, height, kOpaquePictureFormat);
            if (!pixels.isNull() && DecodeJpegTopRows(file, pixels, eighths)) return pixels;
        }
        return SmoothScaled(DecodePictureFile(file, sourceWidth, sourceHeight), width, height);
    });
}
} // namespace

QImage SmoothScaled(const QImage& image, int width, int height) {
    if (image.isNull() || width <= 0 || height <= 0) return {};
    if (image.size() == QSize(width, height)) return image; // shared, in whichever form
    // The toolkit's box filter takes 32-bit pixels; others it would filter otherwise.
    return image.convertToFormat(QImage::Format_RGB32)
        .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

PicturePtr EnsurePictureBits(const PicturePtr& picture, int depth) {
    const Picture& source = Require(picture, "EnsurePictureBits");
    if (source.Depth() == depth) return picture;
    PicturePtr copy = PictureFromImage(PictureImage(source));
    copy->Internals().depth = depth;
    copy->SetTransparent(source.Transparent());
    if (source.HasMask()) MutablePictureImage(copy->Mask()) = PictureImage(picture->Mask()).copy();
    return copy;
}

PicturePtr BilinearScale(const PicturePtr& picture, int width, int height) {
    const Picture& source = Require(picture, "BilinearScale");
    if (width <= 0 || height <= 0 || source.Width() == 0 || source.Height() == 0)
        return std::make_shared<Picture>(width, height);
    const Picture::Impl& impl = source.Internals();
    if (!source.HasMask()) {
        PicturePtr scaled;
        if (const PicturePtr& ahead = impl.prescaled;
            ahead && ahead->Width() == width && ahead->Height() == height)
            scaled = SharingPixels(*ahead, width, height);
        else if (const auto& pending = impl.pendingPixels; pending.valid())
            // A picture still being made is scaled where it is made, after it.
            scaled = PictureMadeLater(width, height, [pending, width, height] {
                return SmoothScaled(pending.get(), width, height);
            });
        else if (impl.pendingFile)
            scaled =
                DecodedScaled(*impl.pendingFile, source.Width(), source.Height(), width, height);
        if (scaled) {
            scaled->SetTransparent(source.Transparent());
            return scaled;
        }
    }
    // No white fill: the scaled pixels replace it whole, and at the same size they are the
    // source's own, shared until either is drawn into.
    auto scaled = std::make_shared<Picture>(0, 0);
    scaled->Internals().width = width;
    scaled->Internals().height = height;
    MutablePictureImage(*scaled) = SmoothScaled(PictureImage(source), width, height);
    scaled->SetTransparent(source.Transparent());
    if (source.HasMask())
        MutablePictureImage(scaled->Mask()) =
            SmoothScaled(PictureImage(picture->Mask()), width, height);
    return scaled;
}

PicturePtr RotatePicture(const PicturePtr& picture, double angle, Color background) {
    const Picture& source = Require(picture, "RotatePicture");
    const QImage& image = PictureImage(source);
    if (image.isNull()) return std::make_shared<Picture>(source.Width(), source.Height());
    QTransform turn;
    turn.rotate(angle);
    // Quarter turns are exact, and moved whole (a printed page turns tens of megapixels);
    // other angles go through the smooth path.
    const bool quarter = std::fmod(std::fabs(angle), 90.0) == 0.0;
    if (quarter) return PictureFromImage(image.transformed(turn));
    const QSize size = turn.mapRect(QRectF(image.rect())).toAlignedRect().size();
    QImage turned(size, QImage::Format_RGB32);
    turned.fill(QColor(background.r, background.g, background.b));
    {
        QPainter painter(&turned);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(size.width() / 2.0, size.height() / 2.0);
        painter.rotate(angle);
        painter.translate(-image.width() / 2.0, -image.height() / 2.0);
        painter.drawImage(0, 0, image);
    }
    return PictureFromImage(turned);
}

namespace {
// A picture's pixels in 32-bit RGB as a worker may take them: decoded from its file there, or
// shared; converted there, once, when they are kept in another form.
std::function<QImage()> PixelsOf(const Picture& picture) {
    const Picture::Impl& impl = picture.Internals();
    if (impl.pendingFile && !impl.pendingPixels.valid())
        return [file = *impl.pendingFile, width = picture.Width(), height = picture.Height()] {
            return DecodePictureFile(file, width, height);
        };
    if (impl.pendingPixels.valid())
        return [pending = impl.pendingPixels] {
            return pending.get().convertToFormat(QImage::Format_RGB32);
        };
    return [pixels = impl.Image()] { return pixels.convertToFormat(QImage::Format_RGB32); };
}

// Rows [top, top + height) of pixels (32-bit RGB), width wide, over fill where pixels has none,
// as drawing that part of them into a picture of fill gives.
QImage Part(const QImage& pixels, int top, int width, int height, QRgb fill) {
    QImage part(width, height, QImage::Format_RGB32);
    part.fill(fill);
    const auto bytes = static_cast<size_t>(std::min(width, pixels.width())) * 4;
    for (int y = 0; y < height && top + y < pixels.height(); ++y)
        std::memcpy(part.scanLine(y), pixels.constScanLine(top + y), bytes);
    return part;
}
} // namespace

std::vector<PicturePtr> SlicedPictures(const Picture& strip, const Picture& maskStrip, int count) {
    const int width = strip.Width(), height = count > 0 ? strip.Height() / count : 0;
    std::vector<PicturePtr> pieces;
    if (width <= 0 || height <= 0) {
        for (int i = 0; i < count; ++i) {
            pieces.push_back(std::make_shared<Picture>(width, height, 32));
            pieces.back()->Mask();
        }
        return pieces;
    }
    // Each strip is decoded once, on a worker.
    const std::shared_future<QImage> pixels =
        PictureMadeLater(width, strip.Height(), PixelsOf(strip))->Internals().pendingPixels;
    const std::shared_future<QImage> shades =
        PictureMadeLater(maskStrip.Width(), maskStrip.Height(), PixelsOf(maskStrip))
            ->Internals()
            .pendingPixels;
    for (int i = 0; i < count; ++i) {
        const int top = i * height;
        PicturePtr piece = PictureMadeOnDemand(width, height, [pixels, top, width, height] {
            return Part(pixels.get(), top, width, height, qRgb(255, 255, 255));
        });
        Picture::Impl& mask = piece->Mask().Internals();
        mask.image = {};
        mask.pendingPixels = std::async(std::launch::deferred, [shades, top, width, height] {
                                 return Part(shades.get(), top, width, height, qRgb(0, 0, 0));
                             }).share();
        pieces.push_back(std::move(piece));
    }
    return pieces;
}
