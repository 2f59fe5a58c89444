#include "platform/Picture.h"

#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <iostream>
#include <mutex>
#include <utility>

namespace {
QImage BlankImage(int width, int height, QRgb fill) {
    if (width <= 0 || height <= 0) return {};
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}
} // namespace

namespace {
// The pictures being made on worker threads. Their decoders use the toolkit's plug-ins, so the
// toolkit waits for them before it goes.
struct PictureWork {
    std::mutex mutex;
    std::condition_variable finished;
    int running = 0;
};
PictureWork& Work() {
    static PictureWork work;
    return work;
}
} // namespace

PicturePtr PictureMadeLater(int width, int height, std::function<QImage()> make) {
    auto picture = std::make_shared<Picture>(0, 0);
    Picture::Impl& impl = picture->Internals();
    impl.width = width;
    impl.height = height;
    {
        const std::lock_guard lock(Work().mutex);
        ++Work().running;
    }
    impl.pendingPixels =
        std::async(std::launch::async, [make = std::move(make)]() -> QImage {
            QImage pixels;
            try {
                pixels = make();
            } catch (const std::exception& error) {
                std::cerr << "calendar: a picture could not be made: " << error.what() << "\n";
            }
            // Notified under the lock: the waiter at exit may go on to destroy the condition
            // as soon as it sees the count reach 0, and must not see it before this is done.
            const std::lock_guard lock(Work().mutex);
            --Work().running;
            Work().finished.notify_all();
            return pixels;
        }).share();
    return picture;
}

PicturePtr PictureMadeOnDemand(int width, int height, std::function<QImage()> make) {
    auto picture = std::make_shared<Picture>(0, 0);
    Picture::Impl& impl = picture->Internals();
    impl.width = width;
    impl.height = height;
    impl.pendingPixels = std::async(std::launch::deferred, std::move(make)).share();
    return picture;
}

void WaitForPictureWork() {
    std::unique_lock lock(Work().mutex);
    Work().finished.wait(lock, [] { return Work().running == 0; });
}

QImage ToPictureFormat(const QImage& image) {
    if (image.isNull()) return {};
    if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
    QImage flat = BlankImage(image.width(), image.height(), qRgb(255, 255, 255));
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

const QImage& Picture::Impl::Image() const {
    if (pendingPixels.valid()) image = std::exchange(pendingPixels, {}).get();
    if (pendingFile) {
        // A body that cannot be decoded leaves no pixels: the picture keeps its size for the
        // layout and draws nothing.
        if (QImage decoded = DecodePictureFile(*pendingFile, width, height); !decoded.isNull())
            image = std::move(decoded);
        pendingFile.reset();
    }
    return image;
}

QImage& Picture::Impl::MutableImage() {
    Image();
    prescaled.reset(); // made from what the picture showed before
    ++version;
    return image;
}

const QImage& Picture::Impl::Drawable() const {
    if (!mask && transparent == 0) return Image();
    const uint64_t maskVersion = mask ? mask->impl_->version : 0;
    if (drawableValid_ && drawableVersion_ == version && drawableMaskVersion_ == maskVersion &&
        drawableTransparent_ == transparent && drawableMasked_ == bool(mask))
        return drawable_;
    const QImage pixels = Image().convertToFormat(QImage::Format_RGB32);
    drawable_ = QImage(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    const QImage* maskPixels = mask ? &mask->impl_->Image() : nullptr;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        const auto* shade =
            maskPixels ? reinterpret_cast<const QRgb*>(maskPixels->constScanLine(y)) : nullptr;
        auto* target = reinterpret_cast<QRgb*>(drawable_.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb c = source[x];
            int alpha = shade ? 255 - qGray(shade[x]) : 255;
            if (transparent == 1 && (c & 0xFFFFFF) == 0xFFFFFF) alpha = 0;
            target[x] = qPremultiply(qRgba(qRed(c), qGreen(c), qBlue(c), alpha));
        }
    }
    drawableValid_ = true;
    drawableVersion_ = version;
    drawableMaskVersion_ = maskVersion;
    drawableTransparent_ = transparent;
    drawableMasked_ = bool(mask);
    return drawable_;
}

Picture::Picture(int width, int height, int depth) : impl_(std::make_unique<Impl>()) {
    impl_->width = std::max(width, 0);
    impl_->height = std::max(height, 0);
    impl_->depth = depth;
    impl_->image = BlankImage(impl_->width, impl_->height, qRgb(255, 255, 255));
}

Picture::~Picture() = default;

int Picture::Width() const {
    return impl_->width;
}
int Picture::Height() const {
    return impl_->height;
}
int Picture::Depth() const {
    return impl_->depth;
}

Graphics& Picture::Graphics() {
    if (!impl_->graphics) {
        auto surface = std::make_unique<::Graphics::Impl>();
        surface->picture = this;
        impl_->graphics = std::make_unique<::Graphics>(std::move(surface));
    }
    return *impl_->graphics;
}

Picture& Picture::Mask() {
    if (!impl_->mask) {
        impl_->mask = std::make_unique<Picture>(0, 0, 8);
        Impl& mask = *impl_->mask->impl_;
        mask.width = impl_->width;
        mask.height = impl_->height;
        mask.image = BlankImage(impl_->width, impl_->height, qRgb(0, 0, 0));
    }
    return *impl_->mask;
}

bool Picture::HasMask() const {
    return bool(impl_->mask);
}

int Picture::Transparent() const {
    return impl_->transparent;
}
void Picture::SetTransparent(int value) {
    impl_->transparent = value;
}

Color Picture::Pixel(int x, int y) const {
    const QImage& image = impl_->Image();
    if (!image.valid(x, y)) return {};
    const QRgb c = image.pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

void Picture::SetPixel(int x, int y, Color color) {
    if (x < 0 || y < 0 || x >= impl_->width || y >= impl_->height) return;
    impl_->MutableImage().setPixel(x, y, qRgb(color.r, color.g, color.b));
}

bool Picture::Save(const std::filesystem::path& path) const {
    const QImage& image = impl_->Image();
    return !image.isNull() && image.save(QString::fromStdString(path.string()));
}

PicturePtr PictureFromImage(const QImage& image) {
    auto picture = std::make_shared<Picture>(0, 0);
    Picture::Impl& impl = picture->Internals();
    impl.image = ToPictureFormat(image);
    impl.width = impl.image.width();
    impl.height = impl.image.height();
    return picture;
}
