#include "platform/JpegFile.h"

#include "platform/FolderItem.h"
#include "platform/GraphicsQt.h"
#include "platform/InParts.h"

#include <QFile>
#include <QSysInfo>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include <jpeglib.h>

namespace {
// The library's own handler ends the process; this one returns to the decoder's caller. It
// keeps the first thing the library said of the file, a warning of damage it decoded past (the
// stretch decodes as grey, as the toolkit's does) or the error that stopped it.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf back;
    char said[JMSG_LENGTH_MAX];
};

void Remember(j_common_ptr info) {
    char* said = reinterpret_cast<ErrorJump*>(info->err)->said;
    if (said[0] == '\0') info->err->format_message(info, said);
}
[[noreturn]] void OnError(j_common_ptr info) {
    Remember(info);
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->back, 1);
}
// Warnings have negative levels; the others only trace the decoding.
void OnMessage(j_common_ptr info, int level) {
    if (level < 0) Remember(info);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The file at path, open at its start, when it is a regular file that begins as a JPEG file
// does; null otherwise.
FilePtr OpenJpeg(const QString& path) {
    const int fd = OpenRegularFile(std::filesystem::path(QFile::encodeName(path).toStdString()));
    if (fd < 0) return nullptr;
    FilePtr file(::fdopen(fd, "rb"));
    if (!file) {
        ::close(fd);
        return nullptr;
    }
    unsigned char head[3] = {};
    const bool jpeg = std::fread(head, 1, 3, file.get()) == 3 && head[0] == 0xFF &&
                      head[1] == 0xD8 && head[2] == 0xFF;
    if (!jpeg) return nullptr;
    std::rewind(file.get());
    return file;
}

// Where decoded rows go: rows [first, last) of an image whose row y starts at top + y * stride.
struct Band {
    uchar* top = nullptr;
    qsizetype stride = 0;
    int width = 0;
    int first = 0;
    int last = 0;
    bool rgb888 = false;
};

// Reads the picture's size from the header, then, when a band is given, decodes it: the rows
// above it are skipped, which spares them everything but the reading of their codes. Kept apart
// from anything with a destructor: longjmp skips the frames it leaves. error gets what the
// library said.
bool Decode(std::FILE* file, QSize& size, const Band* band, int eighths, ErrorJump& error) {
    jpeg_decompress_struct info{};
    error = ErrorJump{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = OnError;
    error.manager.emit_message = OnMessage;
    if (setjmp(error.back)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    size = QSize(static_cast<int>(info.image_width), static_cast<int>(info.image_height));
    if (!band) {
        jpeg_destroy_decompress(&info);
        return true;
    }
    const bool colour = info.jpeg_color_space == JCS_YCbCr || info.jpeg_color_space == JCS_RGB ||
                        info.jpeg_color_space == JCS_GRAYSCALE;
    // R, G and B in memory for 24-bit rows; for 32-bit ones B, G, R and 0xFF on a little-endian
    // machine.
    if (band->rgb888)
        info.out_color_space = JCS_EXT_RGB;
    else
        info.out_color_space =
            QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    info.scale_num = static_cast<unsigned>(eighths);
    info.scale_denom = 8;
    jpeg_calc_output_dimensions(&info);
    if (!colour || static_cast<int>(info.output_width) != band->width ||
        static_cast<int>(info.output_height) < band->last) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    const auto first = static_cast<JDIMENSION>(band->first);
    bool whole = first == 0 || jpeg_skip_scanlines(&info, first) == first;
    while (whole && static_cast<int>(info.output_scanline) < band->last) {
        JSAMPROW row = band->top + band->stride * static_cast<int>(info.output_scanline);
        whole = jpeg_read_scanlines(&info, &row, 1) == 1;
    }
    jpeg_abort_decompress(&info);
    jpeg_destroy_decompress(&info);
    return whole;
}

} // namespace

std::optional<QSize> JpegSize(const QString& path) {
    const FilePtr file = OpenJpeg(path);
    QSize size;
    ErrorJump error;
    // What the header says of damage is said again by the decoding, which tells it.
    if (!file || !Decode(file.get(), size, nullptr, 8, error)) return std::nullopt;
    return size;
}

namespace {
// said gets what the decoder said of the file, empty when nothing.
bool DecodeBand(const QString& path, const Band& band, int eighths, std::string& said) {
    const FilePtr file = OpenJpeg(path);
    if (!file) return false;
    QSize size;
    ErrorJump error;
    const bool decoded = Decode(file.get(), size, &band, eighths, error);
    said = error.said;
    return decoded;
}
} // namespace

bool DecodeJpegTopRows(const QString& path, QImage& rows, int eighths) {
    if ((rows.format() != QImage::Format_RGB32 && rows.format() != QImage::Format_RGB888) ||
        rows.isNull() || eighths < 1 || eighths > 8)
        return false;
    // A screen-sized picture is decoded in up to three bands side by side, each by a decoder of
    // its own: the rows come out exactly as in one pass, in half the time or less, most of all
    // when the decoder shrinks the picture, where it has no fast path.
    constexpr int kBandRows = 256;
    constexpr int kMostBands = 3;
    const int bands = std::clamp(
        std::min(rows.height() / kBandRows, static_cast<int>(std::thread::hardware_concurrency())),
        1, kMostBands);
    const Band whole{rows.bits(), rows.bytesPerLine(), rows.width(),
                     0,           rows.height(),       rows.format() == QImage::Format_RGB888};
    std::vector<char> decoded(static_cast<size_t>(bands), 0); // not vector<bool>: one per thread
    std::vector<std::string> said(decoded.size());
    RunInParts(decoded.size(), [&](size_t index) {
        const int i = static_cast<int>(index);
        Band band = whole;
        band.first = rows.height() * i / bands;
        band.last = rows.height() * (i + 1) / bands;
        decoded[index] = DecodeBand(path, band, eighths, said[index]);
    });
    const bool all = std::ranges::all_of(decoded, [](char done) { return done != 0; });
    // Each band's decoder reads the file from its start, so damage is seen by every band at or
    // below it: the topmost tells it, once for the file.
    const auto first = std::ranges::find_if(said, [](const std::string& s) { return !s.empty(); });
    if (first != said.end())
        ReportPictureFile(path, (all ? "the picture is damaged, shown as far as it decodes ("
                                     : "the picture cannot be decoded (") +
                                    *first + ")");
    return all;
}

int ExactEighths(int from, int to) {
    for (int eighths = 1; eighths <= 8; ++eighths)
        if (from * eighths % 8 == 0 && from * eighths / 8 == to) return eighths;
    return 0;
}
