#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include "SkinArtist.h"
#include "TestSkin.h"

namespace {

QString sourceTree() {
    return qEnvironmentVariable("SOLVANE_SOURCE");
}

// The sizes of the hicolor theme that the install ships.
const int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QImage committed(const QString& skin, const QString& name) {
    return QImage(sourceTree() + QLatin1Char('/') + skin + QLatin1Char('/') + name);
}

TEST(SkinArt, EveryBitmapHasItsSizeAndAt256Colours) {
    for (const QString& skin :
         {QStringLiteral("resources/builtin"), QStringLiteral("skins/silence")})
        for (const QString& name : CoordinateSkin::BitmapNames()) {
            const QImage image = committed(skin, name);
            ASSERT_FALSE(image.isNull()) << skin.toStdString() << "/" << name.toStdString();
            EXPECT_EQ(image.size(), CoordinateSkin::BuiltInSize(name)) << name.toStdString();
            EXPECT_EQ(image.format(), QImage::Format_Indexed8) << name.toStdString();
        }
}

TEST(SkinArt, CommittedBitmapsAreWhatThePainterDraws) {
    // Redraw into a temporary folder and compare pixel for pixel with what is committed.
    QTemporaryDir out;
    const QString tool = qEnvironmentVariable("SOLVANE_SKINPAINTER");
    if (tool.isEmpty())
        GTEST_SKIP() << "painter not given";
    ASSERT_EQ(QProcess::execute(tool, {out.path()}), 0);
    for (const QString& skin : {QStringLiteral("resources/builtin"),
                                QStringLiteral("skins/silence"), QStringLiteral("skins/ember")})
        for (const QString& name : CoordinateSkin::BitmapNames()) {
            const QImage drawn(out.path() + QLatin1Char('/') + skin + QLatin1Char('/') + name);
            EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32),
                      committed(skin, name).convertToFormat(QImage::Format_RGB32))
                << skin.toStdString() << "/" << name.toStdString();
        }
    for (const int size : kIconSizes) {
        const QString name = QStringLiteral("%1.png").arg(size);
        const QImage drawn(out.path() + QStringLiteral("/data/icons/") + name);
        EXPECT_EQ(drawn.convertToFormat(QImage::Format_ARGB32),
                  committed("data/icons", name).convertToFormat(QImage::Format_ARGB32))
            << "icon " << size;
    }
}

TEST(SkinArt, EveryIconSizeIsSquareWithClearCornersAndAnOpaqueBody) {
    for (const int size : kIconSizes) {
        const QImage icon = committed("data/icons", QStringLiteral("%1.png").arg(size));
        ASSERT_EQ(icon.size(), QSize(size, size)) << size;
        ASSERT_TRUE(icon.hasAlphaChannel()) << size;
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << size;
        const int margin = (size + 8) / 16;           // the usual padding of the theme, a sixteenth
        for (int y = margin; y < size - margin; ++y)  // the middle column is covered throughout
            EXPECT_EQ(qAlpha(icon.pixel(size / 2, y)), 255) << size << " row " << y;
    }
}

TEST(SkinArt, TheIconWearsTheSilenceSkinsColours) {
    // Most of it is drawn in colours of the silence skin's bitmaps, so icon and window read as
    // one.
    QSet<QRgb> skinColours;
    for (const char* name : {"main.bmp", "titlebar.bmp", "playpaus.bmp", "posbar.bmp"}) {
        const QImage image = committed("skins/silence", name).convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) skinColours.insert(image.pixel(x, y));
    }
    for (const int size : {16, 256}) {
        const QImage icon = committed("data/icons", QStringLiteral("%1.png").arg(size));
        int opaque = 0, shared = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (qAlpha(icon.pixel(x, y)) == 255) {
                    ++opaque;
                    shared += skinColours.contains(icon.pixel(x, y) | 0xFF000000u);
                }
        EXPECT_GT(shared, opaque * 2 / 3) << size;
    }
}

TEST(SkinArt, EveryButtonMenuItemHasItsOwnLabelAndAHighlightedLook) {
    // The cells of the five menus, top item first (the remove menu starts at its lowest cell).
    const int columns[5] = {0, 54, 104, 154, 204};
    for (const char* skin : {"skins/silence", "skins/ember"}) {
        const QImage pledit = committed(skin, "pledit.bmp").convertToFormat(QImage::Format_RGB32);
        for (int m = 0; m < 5; ++m) {
            const QList<int> rows =
                m == 1 ? QList<int>{168, 111, 130, 149} : QList<int>{111, 130, 149};
            for (int i = 0; i < rows.size(); ++i) {
                const QImage item = pledit.copy(columns[m], rows[i], 22, 18);
                EXPECT_NE(item, pledit.copy(columns[m] + 23, rows[i], 22, 18))
                    << skin << " menu " << m << " item " << i;
                for (int j = i + 1; j < rows.size(); ++j)
                    EXPECT_NE(item, pledit.copy(columns[m], rows[j], 22, 18))
                        << skin << " menu " << m << " items " << i << " and " << j;
            }
        }
    }
}

TEST(SkinArt, TheMainBitmapCutsItsCornersWithMagenta) {
    const QImage main = committed("resources/builtin", "main.bmp");
    const QRgb magenta = qRgb(255, 0, 255);
    for (const QPoint corner : {QPoint(0, 0), QPoint(274, 0), QPoint(0, 115), QPoint(274, 115)})
        EXPECT_EQ(main.pixel(corner), magenta);
    EXPECT_NE(main.pixel(137, 58), magenta);
    EXPECT_NE(main.pixel(0, 58), magenta);
}

TEST(SkinArt, DigitsArePairwiseDistinctAndPressedLooksDiffer) {
    const QImage numbers = committed("resources/builtin", "numbers.bmp");
    for (int a = 0; a < 10; ++a)
        for (int b = a + 1; b < 10; ++b)
            EXPECT_NE(numbers.copy(9 * a, 0, 9, 13), numbers.copy(9 * b, 0, 9, 13))
                << a << " " << b;
    const QImage buttons = committed("resources/builtin", "cbuttons.bmp");
    for (int i = 0; i < 5; ++i)
        EXPECT_NE(buttons.copy(23 * i, 0, 22, 18), buttons.copy(23 * i, 18, 22, 18)) << i;
    const QImage volume = committed("resources/builtin", "volume.bmp");
    EXPECT_NE(volume.copy(0, 0, 68, 13), volume.copy(0, 15 * 27, 68, 13));
}

TEST(SkinArt, TheShippedSkinLooksDifferentFromTheBuiltInOne) {
    for (const QString& name : CoordinateSkin::BitmapNames())
        EXPECT_NE(committed("resources/builtin", name).convertToFormat(QImage::Format_RGB32),
                  committed("skins/silence", name).convertToFormat(QImage::Format_RGB32))
            << name.toStdString();
}

TEST(SkinArt, TheEmberSkinCutsItsRounderShapeWithGreen) {
    const QImage main = committed("skins/ember", "main.bmp");
    EXPECT_EQ(main.pixel(3, 3), qRgb(0, 255, 0));
    EXPECT_NE(committed("skins/silence", "main.bmp").pixel(3, 3), qRgb(255, 0, 255));
    EXPECT_NE(main.pixel(137, 58), qRgb(0, 255, 0));
}

}  // namespace
