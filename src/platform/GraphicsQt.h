#pragma once
// For the platform's own sources: the Qt side of pictures and drawing surfaces.
#include "platform/Graphics.h"
#include "platform/Picture.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

class QFile;
class QImageReader;

// The form of an opaque picture made whole from files, as backgrounds are: 24 bits a
// pixel, a quarter less than 32, and drawn onto a 32-bit surface nearly as fast.
inline constexpr QImage::Format kOpaquePictureFormat = QImage::Format_RGB888;

struct Picture::Impl {
    int width = 0;
    int height = 0;
    int depth = 32;
    int transparent = 0;
    std::unique_ptr<Picture> mask;
    std::unique_ptr<::Graphics> graphics;
    // Counts changes of the pixels, so that the drawable form below is rebuilt only when needed.
    uint64_t version = 0;

    // Pixels in QImage::Format_RGB32, or kOpaquePictureFormat for one made whole from files
    // (null for an empty picture). A picture opened from a file reads its pixels when they are
    // first needed; one made on a worker thread waits for them there.
    const QImage& Image() const;
    QImage& MutableImage();
    // The pixels as they are drawn: with the mask and the white-is-clear flag applied as alpha.
    const QImage& Drawable() const;

    mutable QImage image;
    mutable std::optional<QString> pendingFile;
    mutable std::shared_future<QImage> pendingPixels;
    // The picture as it will be shown, smaller, made ahead from the files it comes from: a
    // scaling to its size takes its pixels.
    PicturePtr prescaled;

  private:
    mutable QImage drawable_;
    mutable bool drawableValid_ = false;
    mutable uint64_t drawableVersion_ = 0;
    mutable uint64_t drawableMaskVersion_ = 0;
    mutable int drawableTransparent_ = 0;
    mutable bool drawableMasked_ = false;
};

struct Graphics::Impl {
    Picture* picture = nullptr;  // draws into this picture's pixels, or else
    QPainter* painter = nullptr; // with this painter into area
    QRect area;
    // What the surface draws on when the surface owns it, as a print job does: released with
    // the surface, which sends the page out.
    std::shared_ptr<void> owned;
    // On a print page: ends it and hands it to the printer, raising IOException when refused.
    std::function<void()> send;

    // The font of the last text settings used, kept because paint handlers measure a lot.
    struct FontSettings {
        std::string name;
        int size = -1;
        bool bold = false, italic = false, underline = false;
        bool Match(const ::Graphics& g) const {
            return size == g.TextSize && bold == g.Bold && italic == g.Italic &&
                   underline == g.Underline && name == g.TextFont;
        }
    };
    mutable FontSettings fontSettings;
    mutable std::optional<QFont> font;
    mutable QString fontKey; // font->key(), for the shaped lines kept by font
};

// The pixels of a picture; the non-const form counts as a change.
inline const QImage& PictureImage(const Picture& picture) {
    return picture.Internals().Image();
}
inline QImage& MutablePictureImage(Picture& picture) {
    return picture.Internals().MutableImage();
}

// Whether a picture of that size may be made from a file: not too large a side, not too many
// bytes.
bool PictureSizeAllowed(int width, int height);
// A reader of a picture file, with the file it reads. The file is opened without waiting and
// only when it is a regular file: anything else reads as no picture, and never hangs.
class PictureFileReader {
  public:
    explicit PictureFileReader(const QString& path);
    PictureFileReader(PictureFileReader&&) noexcept;
    ~PictureFileReader();
    QImageReader* operator->() const { return reader_.get(); }
    QImageReader& operator*() const { return *reader_; }

  private:
    std::unique_ptr<QFile> file_;
    std::unique_ptr<QImageReader> reader_; // goes before the file it reads
};
// A reader of the picture file at path. A PNG file's reader is told its format: left to find
// it, the toolkit loads every image plug-in to ask each whether it reads the file.
PictureFileReader PictureReader(const QString& path);
// Writes a line on standard error about the picture file at path, the first time anything is
// said of that file in this run: a file decoded again, or in bands, is told of once.
void ReportPictureFile(const QString& path, const std::string& what);
// Whether data begins as a PNG file does.
bool StartsAsPng(const unsigned char* data, size_t size);
// Tells reader that its picture is a PNG, and to look no further.
void ReadAsPng(QImageReader& reader);
// Reads the reader's image, refusing one past the bound on a picture's bytes.
QImage ReadBoundedImage(QImageReader& reader);
// The same into image, whose pixels the decoder writes in place when image already has the
// size and format it decodes to; false when the file could not be read.
bool ReadBoundedImage(QImageReader& reader, QImage& image);
// The pixels of the picture file at path, in 32-bit RGB; null, with a line on standard error,
// when the file does not give the width x height its header promised.
QImage DecodePictureFile(const QString& path, int width, int height);

// A picture of width x height whose pixels make produces on a worker thread, in either form;
// they are awaited where first needed. A failure leaves the picture without pixels.
PicturePtr PictureMadeLater(int width, int height, std::function<QImage()> make);
// A picture of width x height whose pixels make produces where they are first needed.
PicturePtr PictureMadeOnDemand(int width, int height, std::function<QImage()> make);
// Returns once no picture is being made on a worker thread.
void WaitForPictureWork();

// A picture holding a copy of image in 32-bit RGB; transparent pixels turn white.
PicturePtr PictureFromImage(const QImage& image);
// A picture's pixels scaled to exactly width x height with smooth filtering, in 32-bit RGB (at
// their own size, themselves); null when either is empty.
QImage SmoothScaled(const QImage& image, int width, int height);
// image in 32-bit RGB, transparent pixels made white.
QImage ToPictureFormat(const QImage& image);

// A surface that draws with painter into area (in the painter's coordinates): the surface's
// origin is area's top-left corner and its drawing is clipped to area. The painter must be
// active for as long as the surface is used.
std::unique_ptr<Graphics> GraphicsOnPainter(QPainter& painter, const QRect& area);

// The font that a surface's text settings give.
QFont FontFor(const std::string& name, int size, bool bold, bool italic, bool underline);
