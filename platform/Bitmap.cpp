#include "platform/Bitmap.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QList>
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace {

constexpr qint64 kFileHeader = 14;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

// What the header promises: enough to tell a whole file from a cut one before decoding.
struct Header {
    qint64 headerSize = 0;
    qint64 width = 0;
    qint64 height = 0;  // negative for rows stored top-down
    qint64 rows = 0;
    int bits = 0;
    std::uint32_t compression = kRgb;
    qint64 colours = 0;  // palette entries; 0 for all that the depth allows
    qint64 dataStart = 0;
    std::array<std::uint32_t, 3> masks{};  // red, green, blue, for channels narrower than 8 bits
};

class Reader {
  public:
    explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}
    bool Has(qint64 at, qint64 n) const { return at >= 0 && n >= 0 && at + n <= bytes_.size(); }
    std::uint32_t U(qint64 at, int n) const {
        std::uint32_t value = 0;
        for (int i = n - 1; i >= 0; --i)
            value = (value << 8) | static_cast<std::uint8_t>(bytes_[at + i]);
        return value;
    }
    std::int32_t S32(qint64 at) const { return static_cast<std::int32_t>(U(at, 4)); }
    std::int16_t S16(qint64 at) const { return static_cast<std::int16_t>(U(at, 2)); }
    std::uint8_t Byte(qint64 at) const { return static_cast<std::uint8_t>(bytes_[at]); }

  private:
    const QByteArray& bytes_;
};

bool core(const Header& h) {
    return h.headerSize == 12;
}

// The fields of the info header, or of the short core header.
std::optional<Header> readInfo(const Reader& in) {
    Header h;
    h.headerSize = in.U(kFileHeader, 4);
    const bool known = core(h) || h.headerSize == 40 || h.headerSize == 64 || h.headerSize == 108 ||
                       h.headerSize == 124;
    if (!known || !in.Has(0, kFileHeader + h.headerSize))
        return std::nullopt;
    if (core(h)) {
        h.width = in.S16(18);
        h.height = in.S16(20);
        h.bits = static_cast<int>(in.U(24, 2));
    } else {
        h.width = in.S32(18);
        h.height = in.S32(22);
        h.bits = static_cast<int>(in.U(28, 2));
        h.compression = in.U(30, 4);
        h.colours = in.U(46, 4);
    }
    h.rows = h.height < 0 ? -h.height : h.height;
    return h;
}

bool acceptable(const Header& h) {
    const bool depth =
        h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 16 || h.bits == 24 || h.bits == 32;
    const bool runs = h.compression == kRle8 || h.compression == kRle4;
    const bool layout = h.compression == kRgb || (h.compression == kRle8 && h.bits == 8) ||
                        (h.compression == kRle4 && h.bits == 4) ||
                        (h.compression == kBitFields && (h.bits == 16 || h.bits == 32));
    return depth && layout && h.width >= 1 && h.rows >= 1 && !(runs && h.height < 0) &&
           h.width * h.rows <= Bitmap::kMaxPixels && h.colours <= 256;
}

// Finds the channel masks and where the pixel data starts: after the masks and the palette,
// or further on where the header says so.
bool locateData(const Reader& in, Header& h) {
    qint64 tableEnd = kFileHeader + h.headerSize;
    if (h.compression == kBitFields) {
        // The masks follow a short header and sit inside a long one.
        const qint64 at = kFileHeader + (h.headerSize >= 108 ? 40 : h.headerSize);
        if (!in.Has(at, 12))
            return false;
        for (int i = 0; i < 3; ++i) h.masks[i] = in.U(at + 4 * i, 4);
        tableEnd = std::max(tableEnd, at + 12);
    } else if (h.bits == 16) {
        h.masks = {0x7C00, 0x03E0, 0x001F};
    }
    if (h.bits <= 8)
        tableEnd += (h.colours ? h.colours : qint64(1) << h.bits) * (core(h) ? 3 : 4);
    h.dataStart = std::max<qint64>(in.U(10, 4), tableEnd);
    return true;
}

std::optional<Header> readHeader(const QByteArray& file) {
    const Reader in(file);
    if (!in.Has(0, kFileHeader + 4) || !file.startsWith("BM"))
        return std::nullopt;
    std::optional<Header> h = readInfo(in);
    if (!h || !acceptable(*h) || !locateData(in, *h))
        return std::nullopt;
    return h;
}

// Whether the run-length data reaches its last row (or its end mark) inside the file.
bool runsComplete(const Reader& in, const Header& h) {
    qint64 at = h.dataStart;
    qint64 row = 0;
    while (row < h.rows) {
        if (!in.Has(at, 2))
            return false;
        const int count = in.Byte(at);
        const int code = in.Byte(at + 1);
        at += 2;
        if (count > 0)
            continue;  // a run of one value
        if (code == 0) {
            ++row;  // end of line
        } else if (code == 1) {
            return true;  // end of bitmap
        } else if (code == 2) {
            if (!in.Has(at, 2))
                return false;
            row += in.Byte(at + 1);
            at += 2;
        } else {  // `code` literal pixels, padded to 16 bits
            qint64 bytes = h.compression == kRle4 ? (code + 1) / 2 : code;
            bytes += bytes & 1;
            if (!in.Has(at, bytes))
                return false;
            at += bytes;
        }
    }
    return true;
}

bool whole(const QByteArray& file, const Header& h) {
    const Reader in(file);
    if (h.compression == kRle8 || h.compression == kRle4)
        return runsComplete(in, h);
    const qint64 rowBits = h.width * h.bits;
    const qint64 stride = (rowBits + 31) / 32 * 4;
    // The last row's padding may be missing.
    return in.Has(h.dataStart, stride * (h.rows - 1) + (rowBits + 7) / 8);
}

QImage opaque(const QImage& picture) {
    if (!picture.hasAlphaChannel())
        return picture;
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) row[x] |= 0xFF000000u;
    }
    out.reinterpretAsFormat(QImage::Format_RGB32);
    return out;
}

// Run-length data and pixel bytes may name colours past a short palette; they are black, so
// that every pixel has a colour to draw (drawing reads the palette at each pixel's index).
QImage fullPalette(QImage picture) {
    if (picture.format() != QImage::Format_Indexed8 && picture.format() != QImage::Format_Mono &&
        picture.format() != QImage::Format_MonoLSB)
        return picture;
    const int entries = 1 << picture.depth();
    if (picture.colorCount() >= entries)
        return picture;
    QList<QRgb> table = picture.colorTable();
    while (table.size() < entries) table.append(qRgb(0, 0, 0));
    picture.setColorTable(table);
    return picture;
}

// The reader scales an n-bit channel value v to v << (8 - n); repeating the bits instead
// makes the top value 255.
std::array<std::uint8_t, 256> widening(std::uint32_t mask) {
    std::array<std::uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c) table[c] = static_cast<std::uint8_t>(c);
    if (mask == 0)
        return table;
    while (!(mask & 1)) mask >>= 1;
    int n = 0;
    while (mask & 1) {
        mask >>= 1;
        ++n;
    }
    if (mask != 0 || n >= 8)
        return table;  // not one run of bits, or already 8 bits wide
    for (int c = 0; c < 256; ++c) {
        const int v = c >> (8 - n);
        int out = 0;
        int filled = 0;
        for (; filled < 8; filled += n) out = (out << n) | v;
        table[c] = static_cast<std::uint8_t>(out >> (filled - 8));
    }
    return table;
}

QImage widen(QImage picture, const Header& h) {
    if (h.masks == std::array<std::uint32_t, 3>{} || picture.format() != QImage::Format_RGB32)
        return picture;
    const auto red = widening(h.masks[0]);
    const auto green = widening(h.masks[1]);
    const auto blue = widening(h.masks[2]);
    for (int y = 0; y < picture.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            row[x] = qRgb(red[qRed(row[x])], green[qGreen(row[x])], blue[qBlue(row[x])]);
    }
    return picture;
}

}  // namespace

QImage Bitmap::Load(const QString& path) {
    // A device or a pipe has no size to check against (and opening a pipe waits for a writer);
    // no skin keeps its bitmaps in one.
    if (!QFileInfo(path).isFile())
        return QImage();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return QImage();
    return Decode(file.read(file.size()));
}

QImage Bitmap::Decode(const QByteArray& file) {
    const std::optional<Header> header = readHeader(file);
    if (!header || !whole(file, *header))
        return QImage();
    QBuffer buffer;
    buffer.setData(file);
    if (!buffer.open(QIODevice::ReadOnly))
        return QImage();
    QImageReader reader(&buffer, QByteArrayLiteral("bmp"));
    reader.setDecideFormatFromContent(false);
    QImage picture;
    if (!reader.read(&picture))
        return QImage();
    return widen(opaque(fullPalette(picture)), *header);
}
