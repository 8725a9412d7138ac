#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace Bitmap {

// Reads a BMP file (any depth the platform's reader knows) into a picture; a null picture when
// the file is missing or is not a readable BMP. The format is named, so no other image plugin
// is asked, which keeps start-up quick.
//
// A skin picture is the bitmap's own colours, whole and opaque:
// - a file whose pixel data is shorter than its header says is refused, as is a header that
//   claims more than kMaxPixels pixels (before anything of that size is allocated);
// - alpha is dropped: every pixel comes out opaque with its colour;
// - a pixel that names a colour past a short palette is black;
// - channels narrower than 8 bits (16-bit bitmaps) are widened by repeating their bits, so
//   that full intensity stays 255 and a 5-6-5 magenta is 255, 0, 255.
QImage Load(const QString& path);

// The same for the bytes of a file.
QImage Decode(const QByteArray& file);

// A skin bitmap is a few hundred pixels a side; this is a thousand times more.
constexpr qint64 kMaxPixels = qint64(1) << 20;
// Pixel data within kMaxPixels, with room for a palette, a colour profile and slack.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

}  // namespace Bitmap
