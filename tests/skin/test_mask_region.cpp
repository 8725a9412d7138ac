#include <gtest/gtest.h>

#include <QRegion>

#include "FakePlaybackControl.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/PictureBox.h"

namespace {

constexpr long kMagenta = 255 + 65536L * 255;

// A mask box holding the picture made from text rows: '#' opaque grey, '.' magenta.
struct Mask {
    explicit Mask(const std::vector<QString>& rows) {
        const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
        QImage picture(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                picture.setPixel(x, y, rows[y][x] == '.' ? qRgb(255, 0, 255) : qRgb(10, 20, 30));
        box.Move(0, 0, w * 15.0f, h * 15.0f);
        box.SetPicture(picture);
    }
    QWidget parent;
    PictureBox box{&parent};
};

// Regions compared as sets of pixels, however their rectangles are banded.
bool sameShape(const QRegion& a, const QRegion& b) {
    return a.xored(b).isEmpty();
}

TEST(MakeMaskRegion, NoTransparentPixelGivesTheFullRectangle) {
    Mask mask({"####", "####", "####"});
    long colour = kMagenta;
    const QRegion region = frmMain::MakeMaskRegion(mask.box, colour);
    EXPECT_TRUE(sameShape(region, QRegion(0, 0, 4, 3)));
    EXPECT_EQ(region.rectCount(), 3) << "one rectangle a row";
}

TEST(MakeMaskRegion, AllTransparentGivesAnEmptyRegion) {
    Mask mask({"...", "..."});
    long colour = kMagenta;
    EXPECT_TRUE(frmMain::MakeMaskRegion(mask.box, colour).isEmpty());
}

TEST(MakeMaskRegion, RunsSplitAtTransparentPixelsAndReachTheRightEdge) {
    Mask mask({"##.##", "....#", "..#.."});
    long colour = kMagenta;
    const QRegion region = frmMain::MakeMaskRegion(mask.box, colour);
    QRegion expected;
    expected += QRect(0, 0, 2, 1);
    expected += QRect(3, 0, 2, 1);
    expected += QRect(4, 1, 1, 1);
    expected += QRect(2, 2, 1, 1);
    EXPECT_TRUE(sameShape(region, expected));
    EXPECT_EQ(region.rectCount(), 4);
    EXPECT_FALSE(region.contains(QPoint(2, 0)));
    EXPECT_TRUE(region.contains(QPoint(4, 1)));
}

TEST(MakeMaskRegion, ColourZeroMeansTheTopLeftPixel) {
    Mask mask({".##.", "####"});
    long colour = 0;
    const QRegion viaZero = frmMain::MakeMaskRegion(mask.box, colour);
    EXPECT_EQ(colour, kMagenta) << "the colour found is written back";
    long magenta = kMagenta;
    EXPECT_TRUE(sameShape(viaZero, frmMain::MakeMaskRegion(mask.box, magenta)));
    long negative = -5;
    EXPECT_TRUE(sameShape(frmMain::MakeMaskRegion(mask.box, negative), viaZero));
}

TEST(MakeMaskRegion, AColourThatOccursNowhereGivesTheFullMask) {
    Mask mask({"#..#", "...."});
    long colour = 123456;
    EXPECT_TRUE(sameShape(frmMain::MakeMaskRegion(mask.box, colour), QRegion(0, 0, 4, 2)));
}

TEST(MakeMaskRegion, MatchesAPixelByPixelScanOfTheBuiltInMask) {
    TestProgramDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    frmMain& main = forms.Main();
    long colour = kMagenta;
    const QRegion region = frmMain::MakeMaskRegion(*main.Mask, colour);
    const QImage& image = main.Mask->Image();
    ASSERT_EQ(image.size(), QSize(275, 116));
    int inside = 0;
    for (int y = 0; y < 116; ++y)
        for (int x = 0; x < 275; ++x) {
            const bool opaque = image.pixel(x, y) != qRgb(255, 0, 255);
            inside += opaque;
            ASSERT_EQ(region.contains(QPoint(x, y)), opaque) << x << "," << y;
        }
    EXPECT_LT(inside, 275 * 116) << "the built-in outline cuts its corners";
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(274, 115)));
}

TEST(ChangeMask, AnEmptyShapeShowsNothing) {
    TestProgramDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    frmMain& main = forms.Main();
    QImage allMagenta(275, 116, QImage::Format_RGB32);
    allMagenta.fill(qRgb(255, 0, 255));
    main.Mask->SetPicture(allMagenta);
    long colour = kMagenta;
    main.ChangeMask(colour);
    EXPECT_TRUE(main.WindowRegion().isEmpty());
    EXPECT_TRUE((main.mask() & main.rect()).isEmpty());
}

}  // namespace
