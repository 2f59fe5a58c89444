// A base picture with another drawn over its bottom, as the season and month backgrounds are
// made, kept at 24 bits a pixel. The work runs on a worker thread while start-up goes on; the
// pixels are awaited where they are first needed. For the usual shapes each pixel is written once:
// of pictures still in their files, the decoder writes straight into the composed rows, and of the
// base only the rows that the other picture leaves in view are decoded.
#include "platform/PictureFunctions.h"

#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"
#include "platform/JpegFile.h"

#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
// A picture's pixels as the worker can take them: the file they are still in, or the pixels
// themselves (shared, never written by the worker).
struct Source {
    std::optional<QString> file;
    QImage pixels;
    int width = 0;
    int height = 0;

    explicit Source(const Picture& picture) : width(picture.Width()), height(picture.Height()) {
        const Picture::Impl& impl = picture.Internals();
        if (impl.pendingFile && !impl.pendingPixels.valid())
            file = impl.pendingFile;
        else
            pixels = impl.Image();
    }
};

// Writes rows [first, first + count) of pixels from the top rows of source, which is as wide
// as pixels; false when its pixels cannot be had (a damaged file).
bool CopyTopRows(QImage& pixels, int first, int count, const Source& source) {
    QImage rows(pixels.scanLine(first), pixels.width(), count, pixels.bytesPerLine(),
                pixels.format());
    if (source.file) {
        if (DecodeJpegTopRows(*source.file, rows)) return true;
        const auto reader = PictureReader(*source.file);
        if (count < source.height) reader->setClipRect(QRect(0, 0, source.width, count));
        if (!ReadBoundedImage(*reader, rows) || rows.size() != QSize(pixels.width(), count))
            return false;
        // Decoded in place, unless the file's own format made the decoder allocate.
        if (rows.constBits() == pixels.constScanLine(first)) return true;
        rows = ToPictureFormat(rows);
    } else {
        if (source.pixels.isNull()) return false;
        rows = source.pixels;
    }
    if (rows.format() != pixels.format()) rows = rows.convertToFormat(pixels.format());
    const auto bytes =
        static_cast<size_t>(pixels.width()) * static_cast<size_t>(pixels.depth() / 8);
    for (int y = 0; y < count; ++y)
        std::memcpy(pixels.scanLine(first + y), rows.constScanLine(y), bytes);
    return true;
}

QImage Pixels(const Source& source) {
    if (!source.file) return source.pixels;
    return DecodePictureFile(*source.file, source.width, source.height);
}

// Fills rows [first, last) with white, as an unreadable picture leaves them: every byte full in
// either form of pixels.
void White(QImage& pixels, int first, int last) {
    for (int y = first; y < last; ++y)
        std::memset(pixels.scanLine(y), 0xFF, static_cast<size_t>(pixels.bytesPerLine()));
}

// The composition itself: base's top rows, then over (when given) at the bottom, in format.
QImage Compose(const Source& base, const std::optional<Source>& over,
               QImage::Format format = kOpaquePictureFormat) {
    const int width = base.width, height = base.height;
    QImage pixels(width, height, format);
    if (pixels.isNull()) return {};
    const int overTop = over ? height - over->height : height;
    // A cover exactly as wide as the base and no taller takes the rows below overTop whole,
    // decoded straight into them; any other is drawn over a base decoded whole.
    if (over && over->width == width && overTop >= 0) {
        if (overTop > 0 && !CopyTopRows(pixels, 0, overTop, base)) White(pixels, 0, overTop);
        // A cover that cannot be read draws nothing: the base shows whole, as drawing both does.
        if (overTop < height && !CopyTopRows(pixels, overTop, height - overTop, *over) &&
            !CopyTopRows(pixels, 0, height, base))
            White(pixels, 0, height);
        return pixels;
    }
    if (!CopyTopRows(pixels, 0, height, base)) White(pixels, 0, height);
    if (!over) return pixels;
    if (const QImage cover = Pixels(*over); !cover.isNull()) {
        QPainter painter(&pixels);
        painter.drawImage(0, overTop, cover);
    }
    return pixels;
}

// The eighths (1 to 7) by which both files shrink, as they decode, to exactly the shown size,
// each pixel of either landing on whole rows; 0 when they do not.
int ShrinkInEighths(const Source& base, const std::optional<Source>& over, int shownWidth,
                    int shownHeight) {
    const int eighths = shownHeight > 0 ? ExactEighths(base.height, shownHeight) : 0;
    if (eighths == 0 || eighths == 8 || !base.file ||
        ExactEighths(base.width, shownWidth) != eighths)
        return 0;
    if (over && (!over->file || over->width != base.width || over->height > base.height ||
                 over->height * eighths % 8 != 0))
        return 0;
    return eighths;
}

// The composition at eighths/8 of its size, decoded from both files at that size; null when a
// file cannot be decoded so.
QImage ComposeInEighths(const Source& base, const std::optional<Source>& over, int eighths,
                        int width, int height) {
    QImage pixels(width, height, kOpaquePictureFormat);
    if (pixels.isNull()) return {};
    const int overRows = over ? over->height * eighths / 8 : 0;
    const int top = height - overRows;
    const auto decode = [&](const Source& source, int first, int count) {
        QImage rows(pixels.scanLine(first), width, count, pixels.bytesPerLine(), pixels.format());
        return count == 0 || DecodeJpegTopRows(*source.file, rows, eighths);
    };
    if (!decode(base, 0, top) || (over && !decode(*over, top, overRows))) return {};
    return pixels;
}

} // namespace

PicturePtr ComposeAtBottom(const Picture& base, const Picture* over, int shownHeight) {
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
    Source baseSource(base);
    // A base in memory alone is its own composition: its pixels are shared until either is
    // drawn into.
    if (!over && !baseSource.file && !baseSource.pixels.isNull())
        return PictureFromImage(baseSource.pixels);
    std::optional<Source> overSource;
    if (over) overSource.emplace(*over);
    // Shown smaller than it is, it is made at the shown size straight from its files; its own
    // size is made only when asked for.
    const int shownWidth =
        static_cast<int>(static_cast<float>(static_cast<double>(shownHeight) * width / height));
    if (const int eighths = ShrinkInEighths(baseSource, overSource, shownWidth, shownHeight)) {
        PicturePtr composed = PictureMadeOnDemand(
            width, height, [base = baseSource, over = overSource] { return Compose(base, over); });
        composed->Internals().prescaled =
            PictureMadeLater(shownWidth, shownHeight,
                             [base = std::move(baseSource), over = std::move(overSource), eighths,
                              shownWidth, shownHeight] {
                                 QImage shown =
                                     ComposeInEighths(base, over, eighths, shownWidth, shownHeight);
                                 if (shown.isNull())
                                     shown = SmoothScaled(Compose(base, over, QImage::Format_RGB32),
                                                          shownWidth, shownHeight);
                                 return shown;
                             });
        return composed;
    }
    // One to be scaled smoothly is made at the 32 bits that the scaling takes, or it would be
    // converted whole first.
    const QImage::Format format =
        shownHeight > 0 && shownHeight != height ? QImage::Format_RGB32 : kOpaquePictureFormat;
    return PictureMadeLater(width, height,
                            [base = std::move(baseSource), over = std::move(overSource), format] {
                                return Compose(base, over, format);
                            });
}
