#include "platform/PictureFunctions.h"

#include "platform/Exceptions.h"
#include "platform/GraphicsQt.h"

#include <QTransform>

#include <cmath>

namespace {
const Picture& Require(const PicturePtr& picture, const char* operation) {
    if (!picture) throw NilObjectException(std::string(operation) + ": no picture");
    return *picture;
}

QImage Scaled(const QImage& image, int width, int height) {
    if (image.isNull() || width <= 0 || height <= 0) return {};
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
} // namespace

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
    // A picture still being made is scaled where it is made, after it.
    if (const auto& pending = source.Internals().pendingPixels;
        pending.valid() && !source.HasMask()) {
        PicturePtr scaled = PictureMadeLater(width, height, [pending, width, height] {
            return Scaled(pending.get(), width, height);
        });
        scaled->SetTransparent(source.Transparent());
        return scaled;
    }
    // No white fill: the scaled pixels replace it whole, and at the same size they are the
    // source's own, shared until either is drawn into.
    auto scaled = std::make_shared<Picture>(0, 0);
    scaled->Internals().width = width;
    scaled->Internals().height = height;
    MutablePictureImage(*scaled) = Scaled(PictureImage(source), width, height);
    scaled->SetTransparent(source.Transparent());
    if (source.HasMask())
        MutablePictureImage(scaled->Mask()) = Scaled(PictureImage(picture->Mask()), width, height);
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
