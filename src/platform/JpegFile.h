#pragma once
// JPEG files decoded by the system's JPEG library straight into the pixels they are kept in,
// 24-bit or 32-bit, without the rows and the conversion the toolkit's reader goes through.
// Platform sources only.
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// Decodes the top rows.height() rows of the JPEG file at path into rows, a 32-bit RGB or 24-bit
// RGB888 image as wide as the file's picture shrunk to eighths/8 of its size. False when the file
// is no JPEG in a colour form this decoder takes, is not of that width, or cannot be decoded: the
// caller then reads it as before.
bool DecodeJpegTopRows(const QString& path, QImage& rows, int eighths = 8);

// The number of eighths (1 to 8) that shrinks a side of from pixels to exactly to pixels, or 0
// when none does. The decoder shrinks a JPEG by eighths as it decodes, at less cost than a whole
// decode.
int ExactEighths(int from, int to);

// The size that the header of the JPEG file at path gives; nullopt when the file is no JPEG or
// its header cannot be read.
std::optional<QSize> JpegSize(const QString& path);
