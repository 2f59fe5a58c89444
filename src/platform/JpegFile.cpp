#include "platform/JpegFile.h"

#include <QFile>
#include <QSysInfo>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <memory>

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

bool StartsAsJpeg(std::FILE* file) {
    unsigned char head[3] = {};
    const bool jpeg =
        std::fread(head, 1, 3, file) == 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
    std::rewind(file);
    return jpeg;
}

// Reads the picture's size from the header, then, when rows are given, decodes into them. Kept
// apart from anything with a destructor: longjmp skips the frames it leaves.
bool Decode(std::FILE* file, QSize& size, QImage* rows, int eighths) {
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
    if (!rows) {
        jpeg_destroy_decompress(&info);
        return true;
    }
    const bool colour = info.jpeg_color_space == JCS_YCbCr || info.jpeg_color_space == JCS_RGB ||
                        info.jpeg_color_space == JCS_GRAYSCALE;
    // R, G and B in memory for 24-bit rows; for 32-bit ones B, G, R and 0xFF on a little-endian
    // machine.
    if (rows->format() == QImage::Format_RGB888)
        info.out_color_space = JCS_EXT_RGB;
    else
        info.out_color_space =
            QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    info.scale_num = static_cast<unsigned>(eighths);
    info.scale_denom = 8;
    jpeg_calc_output_dimensions(&info);
    if (!colour || static_cast<int>(info.output_width) != rows->width() ||
        static_cast<int>(info.output_height) < rows->height()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_start_decompress(&info);
    bool whole = true;
    while (whole && static_cast<int>(info.output_scanline) < rows->height()) {
        JSAMPROW row = rows->scanLine(static_cast<int>(info.output_scanline));
        whole = jpeg_read_scanlines(&info, &row, 1) == 1;
    }
    jpeg_abort_decompress(&info);
    jpeg_destroy_decompress(&info);
    return whole;
}

} // namespace

std::optional<QSize> JpegSize(const QString& path) {
    const std::unique_ptr<std::FILE, FileCloser> file(
        std::fopen(QFile::encodeName(path).constData(), "rb"));
    QSize size;
    if (!file || !StartsAsJpeg(file.get()) || !Decode(file.get(), size, nullptr, 8))
        return std::nullopt;
    return size;
}

bool DecodeJpegTopRows(const QString& path, QImage& rows, int eighths) {
    if ((rows.format() != QImage::Format_RGB32 && rows.format() != QImage::Format_RGB888) ||
        rows.isNull() || eighths < 1 || eighths > 8)
        return false;
    const std::unique_ptr<std::FILE, FileCloser> file(
        std::fopen(QFile::encodeName(path).constData(), "rb"));
    if (!file || !StartsAsJpeg(file.get())) return false;
    QSize size;
    return Decode(file.get(), size, &rows, eighths);
}

int ExactEighths(int from, int to) {
    for (int eighths = 1; eighths <= 8; ++eighths)
        if (from * eighths % 8 == 0 && from * eighths / 8 == to) return eighths;
    return 0;
}
