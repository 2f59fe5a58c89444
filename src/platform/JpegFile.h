#pragma once
// JPEG files decoded by the system's JPEG library straight into 32-bit pixels, without the
// 24-bit rows and the conversion the toolkit's reader goes through. Platform sources only.
#include <QImage>
#include <QString>

// Decodes the top rows.height() rows of the JPEG file at path into rows, a 32-bit RGB image as
// wide as the file's picture. False when the file is no JPEG in a colour form this decoder
// takes, is not of that width, or cannot be decoded: the caller then reads it as before.
bool DecodeJpegTopRows(const QString& path, QImage& rows);
