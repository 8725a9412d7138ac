#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

// Writes a picture as a BMP file in any of the flavours a skin may come in, byte by byte, so
// that the tests and the fuzzer's seeds do not depend on the reader they check.
namespace BmpWriter {

enum class Flavour {
    Rgb24,         // 24-bit, bottom-up, the common case
    Rgb24TopDown,  // 24-bit, negative height
    Rgb32,         // 32-bit, fourth byte unused (0)
    Rgb32Alpha,    // 32-bit with an alpha mask, the picture's own alpha
    Rgb565,        // 16-bit with bit fields 5-6-5
    Rgb555,        // 16-bit, the default 5-5-5 layout
    Indexed8,
    Rle8,
    Indexed4,
    Rle4,
    Mono1,
    Os2Rgb24,  // the 12-byte core header
    Os2Indexed8,
};

struct Named {
    Flavour flavour;
    const char* name;
};
const std::vector<Named>& All();

// Colours beyond what a palette holds take the nearest palette colour.
QByteArray Encode(const QImage& picture, Flavour flavour);

}  // namespace BmpWriter
