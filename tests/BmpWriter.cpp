#include "BmpWriter.h"

#include <QList>
#include <cstdint>

namespace BmpWriter {

namespace {

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

void put16(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}
void put32(QByteArray& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}
void set32(QByteArray& out, int at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

struct Layout {
    int bits = 24;
    std::uint32_t compression = kRgb;
    bool topDown = false;
    bool core = false;                 // the 12-byte header
    std::vector<std::uint32_t> masks;  // written after (or inside) the header
    bool v4 = false;
};

Layout layoutOf(Flavour flavour) {
    Layout l;
    switch (flavour) {
        case Flavour::Rgb24:
            break;
        case Flavour::Rgb24TopDown:
            l.topDown = true;
            break;
        case Flavour::Rgb32:
            l.bits = 32;
            break;
        case Flavour::Rgb32Alpha:
            l.bits = 32;
            l.compression = kBitFields;
            l.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000u};
            l.v4 = true;
            break;
        case Flavour::Rgb565:
            l.bits = 16;
            l.compression = kBitFields;
            l.masks = {0xF800, 0x07E0, 0x001F};
            break;
        case Flavour::Rgb555:
            l.bits = 16;
            break;
        case Flavour::Indexed8:
        case Flavour::Os2Indexed8:
            l.bits = 8;
            break;
        case Flavour::Rle8:
            l.bits = 8;
            l.compression = kRle8;
            break;
        case Flavour::Indexed4:
            l.bits = 4;
            break;
        case Flavour::Rle4:
            l.bits = 4;
            l.compression = kRle4;
            break;
        case Flavour::Mono1:
            l.bits = 1;
            break;
        case Flavour::Os2Rgb24:
            break;
    }
    l.core = flavour == Flavour::Os2Rgb24 || flavour == Flavour::Os2Indexed8;
    return l;
}

// The first colours met, up to the palette's size.
QList<QRgb> paletteOf(const QImage& picture, int size) {
    QList<QRgb> palette;
    for (int y = 0; y < picture.height() && palette.size() < size; ++y)
        for (int x = 0; x < picture.width() && palette.size() < size; ++x) {
            const QRgb colour = picture.pixel(x, y) | 0xFF000000u;
            if (!palette.contains(colour))
                palette.append(colour);
        }
    while (palette.size() < size) palette.append(qRgb(0, 0, 0));
    return palette;
}

int nearest(const QList<QRgb>& palette, QRgb colour) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(palette[i]) - qRed(colour);
        const int dg = qGreen(palette[i]) - qGreen(colour);
        const int db = qBlue(palette[i]) - qBlue(colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// Pixel indexes of one row.
std::vector<int> indexRow(const QImage& picture, int y, const QList<QRgb>& palette) {
    std::vector<int> row(static_cast<std::size_t>(picture.width()));
    for (int x = 0; x < picture.width(); ++x) row[x] = nearest(palette, picture.pixel(x, y));
    return row;
}

void appendPixel(QByteArray& out, QRgb c, int bits, bool withAlpha) {
    if (bits == 24 || bits == 32) {
        out.append(static_cast<char>(qBlue(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qRed(c)));
        if (bits == 32)
            out.append(static_cast<char>(withAlpha ? qAlpha(c) : 0));
    }
}

void appendRow(QByteArray& out, const QImage& picture, int y, const Layout& layout,
               const QList<QRgb>& palette) {
    const int start = out.size();
    const bool alpha = layout.masks.size() == 4;
    if (layout.bits >= 24) {
        for (int x = 0; x < picture.width(); ++x)
            appendPixel(out, picture.pixel(x, y), layout.bits, alpha);
    } else if (layout.bits == 16) {
        const bool g6 = !layout.masks.empty();
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb c = picture.pixel(x, y);
            const int value =
                g6 ? ((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) | (qBlue(c) >> 3)
                   : ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
            put16(out, value);
        }
    } else {
        const std::vector<int> row = indexRow(picture, y, palette);
        const int perByte = 8 / layout.bits;
        for (std::size_t x = 0; x < row.size(); x += perByte) {
            int byte = 0;
            for (int i = 0; i < perByte; ++i) {
                const int index = x + i < row.size() ? row[x + i] : 0;
                byte |= index << (8 - layout.bits * (i + 1));
            }
            out.append(static_cast<char>(byte));
        }
    }
    while ((out.size() - start) % 4 != 0) out.append('\0');
}

// One row in run-length form: runs of one index, and literal stretches of three or more.
void appendRleRow(QByteArray& out, const std::vector<int>& row, bool four) {
    const std::size_t n = row.size();
    std::size_t x = 0;
    while (x < n) {
        std::size_t run = 1;
        while (x + run < n && run < 255 && row[x + run] == row[x]) ++run;
        std::size_t literal = 0;
        if (run == 1) {
            while (x + literal < n && literal < 254 &&
                   (x + literal + 1 >= n || row[x + literal + 1] != row[x + literal]))
                ++literal;
        }
        if (literal >= 3) {
            out.append('\0');
            out.append(static_cast<char>(literal));
            QByteArray bytes;
            for (std::size_t i = 0; i < literal; ++i) {
                if (!four)
                    bytes.append(static_cast<char>(row[x + i]));
                else if (i % 2 == 0)
                    bytes.append(static_cast<char>(row[x + i] << 4));
                else
                    bytes[bytes.size() - 1] = static_cast<char>(bytes.back() | row[x + i]);
            }
            if (bytes.size() % 2)
                bytes.append('\0');
            out.append(bytes);
            x += literal;
        } else {
            out.append(static_cast<char>(run));
            out.append(static_cast<char>(four ? (row[x] << 4) | row[x] : row[x]));
            x += run;
        }
    }
}

QByteArray pixelData(const QImage& picture, const Layout& layout, const QList<QRgb>& palette) {
    QByteArray out;
    const int h = picture.height();
    for (int i = 0; i < h; ++i) {
        const int y = layout.topDown ? i : h - 1 - i;
        if (layout.compression == kRle8 || layout.compression == kRle4) {
            appendRleRow(out, indexRow(picture, y, palette), layout.compression == kRle4);
            out.append('\0');
            out.append(i == h - 1 ? '\1' : '\0');  // end of line, or of the bitmap
        } else {
            appendRow(out, picture, y, layout, palette);
        }
    }
    return out;
}

void appendInfoHeader(QByteArray& out, const QImage& picture, const Layout& layout, int paletteSize,
                      int dataSize) {
    put32(out, layout.v4 ? 108 : 40);
    put32(out, static_cast<std::uint32_t>(picture.width()));
    put32(out, static_cast<std::uint32_t>(layout.topDown ? -picture.height() : picture.height()));
    put16(out, 1);
    put16(out, layout.bits);
    put32(out, layout.compression);
    put32(out, static_cast<std::uint32_t>(dataSize));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, static_cast<std::uint32_t>(paletteSize));
    put32(out, 0);
    if (layout.v4) {
        for (std::uint32_t mask : layout.masks) put32(out, mask);
        put32(out, 0x73524742);            // sRGB
        out.append(QByteArray(48, '\0'));  // end points and gamma
    } else {
        for (std::uint32_t mask : layout.masks) put32(out, mask);
    }
}

}  // namespace

const std::vector<Named>& All() {
    static const std::vector<Named> all = {{Flavour::Rgb24, "rgb24"},
                                           {Flavour::Rgb24TopDown, "rgb24-topdown"},
                                           {Flavour::Rgb32, "rgb32"},
                                           {Flavour::Rgb32Alpha, "rgb32-alpha"},
                                           {Flavour::Rgb565, "rgb565"},
                                           {Flavour::Rgb555, "rgb555"},
                                           {Flavour::Indexed8, "indexed8"},
                                           {Flavour::Rle8, "rle8"},
                                           {Flavour::Indexed4, "indexed4"},
                                           {Flavour::Rle4, "rle4"},
                                           {Flavour::Mono1, "mono1"},
                                           {Flavour::Os2Rgb24, "os2-rgb24"},
                                           {Flavour::Os2Indexed8, "os2-indexed8"}};
    return all;
}

QByteArray Encode(const QImage& source, Flavour flavour) {
    const QImage picture = source.convertToFormat(QImage::Format_ARGB32);
    const Layout layout = layoutOf(flavour);
    const int paletteSize = layout.bits <= 8 ? 1 << layout.bits : 0;
    const QList<QRgb> palette = paletteOf(picture, paletteSize);
    const QByteArray data = pixelData(picture, layout, palette);

    QByteArray out("BM");
    put32(out, 0);  // file size, set below
    put32(out, 0);
    put32(out, 0);  // pixel data offset, set below
    if (layout.core) {
        put32(out, 12);
        put16(out, picture.width());
        put16(out, picture.height());
        put16(out, 1);
        put16(out, layout.bits);
    } else {
        appendInfoHeader(out, picture, layout, paletteSize, data.size());
    }
    for (QRgb colour : palette) {
        out.append(static_cast<char>(qBlue(colour)));
        out.append(static_cast<char>(qGreen(colour)));
        out.append(static_cast<char>(qRed(colour)));
        if (!layout.core)
            out.append('\0');
    }
    set32(out, 10, static_cast<std::uint32_t>(out.size()));
    out.append(data);
    set32(out, 2, static_cast<std::uint32_t>(out.size()));
    return out;
}

}  // namespace BmpWriter
