#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include "BmpWriter.h"
#include "platform/Bitmap.h"

namespace {

using BmpWriter::Flavour;

// Two colours every flavour holds exactly, 16-bit ones included once their channels are
// widened by repeating bits: magenta, and 132 (5-bit 16), 255, 8 (5-bit 1). Alpha 0 all over.
QImage twoColours() {
    QImage picture(23, 11, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, (x / 3 + y) % 2 ? qRgba(255, 0, 255, 0) : qRgba(132, 255, 8, 0));
    return picture;
}

class BitmapTest : public ::testing::Test {
  protected:
    QImage load(const QByteArray& bytes) {
        const QString path = dir.path() + "/picture.bmp";
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        return Bitmap::Load(path);
    }
    QTemporaryDir dir;
};

TEST_F(BitmapTest, EveryFlavourGivesTheBitmapsOwnColoursOpaque) {
    const QImage source = twoColours();
    for (const auto& flavour : BmpWriter::All()) {
        const QImage picture = load(BmpWriter::Encode(source, flavour.flavour));
        ASSERT_EQ(picture.size(), source.size()) << flavour.name;
        int wrong = 0;
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                wrong += picture.pixel(x, y) != (source.pixel(x, y) | 0xFF000000u);
        EXPECT_EQ(wrong, 0) << flavour.name << ": first pixel " << std::hex << picture.pixel(0, 0);
    }
}

TEST_F(BitmapTest, SixteenBitChannelsWidenByRepeatingTheirBits) {
    const int five[] = {0, 1, 16, 30, 31};
    const int six[] = {0, 1, 32, 62, 63};
    const int fiveWide[] = {0, 8, 132, 247, 255};
    const int sixWide[] = {0, 4, 130, 251, 255};
    const int greenIn555[] = {0, 0, 132, 255, 255};  // the six-bit values' top five bits
    QImage source(5, 1, QImage::Format_RGB32);
    for (int i = 0; i < 5; ++i)
        source.setPixel(i, 0, qRgb(five[i] << 3, six[i] << 2, five[i] << 3));
    const QImage rgb565 = load(BmpWriter::Encode(source, Flavour::Rgb565));
    const QImage rgb555 = load(BmpWriter::Encode(source, Flavour::Rgb555));
    ASSERT_EQ(rgb565.size(), QSize(5, 1));
    ASSERT_EQ(rgb555.size(), QSize(5, 1));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(rgb565.pixel(i, 0), qRgb(fiveWide[i], sixWide[i], fiveWide[i])) << i;
        EXPECT_EQ(rgb555.pixel(i, 0), qRgb(fiveWide[i], greenIn555[i], fiveWide[i])) << i;
    }
}

TEST_F(BitmapTest, PixelDataShorterThanTheHeaderSaysIsAFailedLoad) {
    const QImage source = twoColours();
    for (const auto& flavour : BmpWriter::All()) {
        const QByteArray whole = BmpWriter::Encode(source, flavour.flavour);
        EXPECT_FALSE(load(whole).isNull()) << flavour.name;
        EXPECT_TRUE(load(whole.left(whole.size() / 2)).isNull()) << flavour.name << " cut in half";
        EXPECT_TRUE(load(whole.left(whole.size() * 15 / 16)).isNull())
            << flavour.name << " missing its last sixteenth";
    }
    // The padding after the last row is not pixel data.
    const QByteArray rgb24 = BmpWriter::Encode(source, Flavour::Rgb24);  // rows of 69 + 3 bytes
    EXPECT_FALSE(load(rgb24.left(rgb24.size() - 3)).isNull());
}

TEST_F(BitmapTest, PixelsBeyondAShortPaletteAreBlack) {
    // Sixteen colours, then a header that says the palette holds only the first one (or two).
    QImage source(16, 3, QImage::Format_RGB32);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 3; ++y) source.setPixel(x, y, qRgb(16 * x + 15, 100, 255 - 16 * x));
    // (The platform's reader refuses an 8-bit bitmap with a short palette by itself.)
    for (Flavour flavour : {Flavour::Indexed4, Flavour::Rle4, Flavour::Mono1}) {
        QByteArray bytes = BmpWriter::Encode(source, flavour);
        bytes[46] = 1;  // colours used
        const QImage picture = load(bytes);
        ASSERT_FALSE(picture.isNull()) << static_cast<int>(flavour);
        EXPECT_EQ(picture.pixel(0, 1), source.pixel(0, 1));
        const int last = flavour == Flavour::Mono1 ? 1 : 15;  // two colours: the rest are near
        for (int x = 1; x <= last; ++x)
            ASSERT_EQ(picture.pixel(x, 1), qRgb(0, 0, 0))
                << static_cast<int>(flavour) << " x " << x;
        // Drawing reads the palette at every pixel's index.
        QImage canvas(16, 3, QImage::Format_RGB32);
        QPainter(&canvas).drawImage(QPoint(0, 0), picture);
        EXPECT_EQ(canvas.pixel(last, 2), qRgb(0, 0, 0));
    }
}

// Sets the width and height fields of an info header.
QByteArray claiming(QByteArray file, std::int32_t width, std::int32_t height) {
    for (int i = 0; i < 4; ++i) {
        file[18 + i] = static_cast<char>((width >> (8 * i)) & 0xFF);
        file[22 + i] = static_cast<char>((height >> (8 * i)) & 0xFF);
    }
    return file;
}

TEST_F(BitmapTest, AHeaderClaimingAHugePictureIsRefusedWhateverTheFileHolds) {
    QImage one(1, 1, QImage::Format_RGB32);
    one.fill(qRgb(9, 9, 9));
    // Run-length data can end at once, so a few bytes may claim any size.
    const QByteArray rle = BmpWriter::Encode(one, Flavour::Rle8);
    EXPECT_TRUE(load(claiming(rle, 4000, 4000)).isNull());
    EXPECT_TRUE(load(claiming(rle, 1, 2000000)).isNull());
    EXPECT_TRUE(load(claiming(rle, -5, 5)).isNull());
    const QImage largest = load(claiming(rle, 1024, 1024));
    EXPECT_EQ(largest.size(), QSize(1024, 1024)) << "the largest allowed picture still loads";
    const QByteArray rgb24 = BmpWriter::Encode(one, Flavour::Rgb24);
    EXPECT_TRUE(load(claiming(rgb24, 30000, 30000)).isNull());
    EXPECT_TRUE(load(claiming(rgb24, 2, 1)).isNull()) << "one pixel short";
}

}  // namespace
