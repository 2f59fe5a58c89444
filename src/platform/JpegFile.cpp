#include "platform/JpegFile.h"

#include "platform/InParts.h"

#include <QFile>
#include <QSysInfo>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

#include <jpeglib.h>

namespace {
// The library's own handler ends the process; this one returns to the decoder's caller.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

[[noreturn]] void OnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->back, 1);
}
void OnMessage(j_common_ptr) {} // a damaged stretch decodes as grey, as the toolkit's does

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The file at path, open at its start, when it begins as a JPEG file does; null otherwise.
FilePtr OpenJpeg(const QString& path) {
    FilePtr file(std::fopen(QFile::encodeName(path).constData(), "rb"));
    if (!file) return nullptr;
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
// from anything with a destructor: longjmp skips the frames it leaves.
bool Decode(std::FILE* file, QSize& size, const Band* band, int eighths) {
    jpeg_decompress_struct info{};
    ErrorJump error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = OnError;
    error.manager.output_message = OnMessage;
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
    if (!file || !Decode(file.get(), size, nullptr, 8)) return std::nullopt;
    return size;
}

namespace {
bool DecodeBand(const QString& path, const Band& band, int eighths) {
    const FilePtr file = OpenJpeg(path);
    QSize size;
    return file && Decode(file.get(), size, &band, eighths);
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
    RunInParts(decoded.size(), [&](size_t index) {
        const int i = static_cast<int>(index);
        Band band = whole;
        band.first = rows.height() * i / bands;
        band.last = rows.height() * (i + 1) / bands;
        decoded[index] = DecodeBand(path, band, eighths);
    });
    return std::ranges::all_of(decoded, [](char done) { return done != 0; });
}

int ExactEighths(int from, int to) {
    for (int eighths = 1; eighths <= 8; ++eighths)
        if (from * eighths % 8 == 0 && from * eighths / 8 == to) return eighths;
    return 0;
}
