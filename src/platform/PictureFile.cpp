// Pictures read from files. A file only says how large its picture is; the size is checked
// against a bound before any pixels are allocated, as a damaged or hostile file may claim
// gigabytes in a few bytes.
#include "platform/FolderItem.h"
#include "platform/GraphicsQt.h"
#include "platform/JpegFile.h"
#include "platform/Log.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cstdint>
#include <cstring>
#include <iostream>
#include <mutex>
#include <set>
#include <unistd.h>

namespace {
constexpr int kMaxPictureSide = 16384;
constexpr int64_t kMaxPictureBytes = int64_t{256} << 20; // 32-bit pixels
} // namespace

bool PictureSizeAllowed(int width, int height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           int64_t{width} * height * 4 <= kMaxPictureBytes;
}

bool StartsAsPng(const unsigned char* data, size_t size) {
    static constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

void ReadAsPng(QImageReader& reader) {
    reader.setFormat("png");
    reader.setAutoDetectImageFormat(false);
}

PictureFileReader::PictureFileReader(const QString& path)
    : file_(std::make_unique<QFile>()), reader_(std::make_unique<QImageReader>()) {
    const int fd = OpenRegularFile(std::filesystem::path(QFile::encodeName(path).toStdString()));
    if (fd < 0) return; // a reader without a file reads nothing
    if (!file_->open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(fd);
        return;
    }
    reader_->setDevice(file_.get());
    // The file's extension is the first guess at its format, as for a reader given the path.
    if (const QString suffix = QFileInfo(path).suffix().toLower(); !suffix.isEmpty())
        reader_->setFormat(suffix.toLatin1());
    const QByteArray head = file_->peek(8);
    if (StartsAsPng(reinterpret_cast<const unsigned char*>(head.constData()),
                    static_cast<size_t>(head.size())))
        ReadAsPng(*reader_);
}

PictureFileReader::PictureFileReader(PictureFileReader&&) noexcept = default;
PictureFileReader::~PictureFileReader() = default;

PictureFileReader PictureReader(const QString& path) {
    return PictureFileReader(path);
}

void ReportPictureFile(const QString& path, const std::string& what) {
    static std::mutex mutex;
    static std::set<QString> told;
    {
        const std::lock_guard lock(mutex);
        if (!told.insert(path).second) return;
    }
    LogProblem(what, QFile::encodeName(path).toStdString());
}

QImage ReadBoundedImage(QImageReader& reader) {
    QImage image;
    return ReadBoundedImage(reader, image) ? image : QImage();
}

bool ReadBoundedImage(QImageReader& reader, QImage& image) {
    reader.setAllocationLimit(static_cast<int>(kMaxPictureBytes >> 20));
    return reader.read(&image);
}

QImage DecodePictureFile(const QString& path, int width, int height) {
    if (QImage pixels(width, height, QImage::Format_RGB32);
        !pixels.isNull() && DecodeJpegTopRows(path, pixels))
        return pixels;
    const auto reader = PictureReader(path);
    QImage pixels = ToPictureFormat(ReadBoundedImage(*reader));
    if (pixels.size() == QSize(width, height)) return pixels;
    ReportPictureFile(path, "the picture cannot be read");
    return {};
}

std::shared_ptr<Picture> FolderItem::OpenAsPicture() const {
    if (!Exists() || Directory()) return nullptr;
    const QString path = QString::fromStdString(Path().string());
    // A JPEG's header is read by the decoder that decodes it: the toolkit's reader would look
    // through its image plug-ins and load one for it, on the main thread at start-up.
    QSize size = JpegSize(path).value_or(QSize());
    if (size.isEmpty()) {
        const auto reader = PictureReader(path);
        if (!reader->canRead()) return nullptr;
        size = reader->size();
        if (!size.isValid() || size.isEmpty()) {
            // No size in the header: read the pixels now, within the same bound.
            const QImage image = ReadBoundedImage(*reader);
            return image.isNull() ? nullptr : PictureFromImage(image);
        }
    }
    if (!PictureSizeAllowed(size.width(), size.height())) {
        std::cerr << "Picture refused: " << Path().string() << " claims " << size.width() << " x "
                  << size.height() << " pixels, more than a picture may have\n";
        return nullptr;
    }
    // Decoding waits until the pixels are needed: an edition names many pictures, of which a
    // load draws one or two.
    auto picture = std::make_shared<Picture>(0, 0);
    Picture::Impl& impl = picture->Internals();
    impl.width = size.width();
    impl.height = size.height();
    impl.pendingFile = path;
    return picture;
}
