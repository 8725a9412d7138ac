#include <gtest/gtest.h>

#include <optional>

#include <QFile>

#include "BmpWriter.h"
#include "FakePlaybackControl.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "playlist/FormPLS.h"
#include "skin/Sprite.h"
#include "skin/mdlSkin.h"

namespace {

using CoordinateSkin::Decode;
using CoordinateSkin::Origin;

QImage builtIn(const char* name) {
    return QImage(QStringLiteral(":/builtin/") + QLatin1String(name));
}

// Pictures of a control compared by content.
bool samePixels(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

class SkinLoading : public ::testing::Test {
  protected:
    // The program starts on first reference, once the test has written its skins.
    TestForms& forms() {
        if (!program)
            program.emplace(FakePlaybackControl::Factory());
        return *program;
    }
    frmMain& main() { return forms().Main(); }
    QString skin(const QString& name) { return dir.Make(QStringLiteral("skins/") + name); }

    TestProgramDir dir;
    std::optional<TestForms> program;
};

TEST_F(SkinLoading, WithoutDefaultIniTheSilenceSkinLoads) {
    CoordinateSkin::Write(skin("silence"));
    EXPECT_EQ(Decode(main().BackgroundPicture().pixel(3, 4)), (Origin{1, 3, 4}));
    EXPECT_EQ(Decode(main().imgPlayBut[0]->Picture().pixel(0, 0)), (Origin{2, 0, 0}));
}

TEST_F(SkinLoading, DefaultIniNamesTheSkinWithBackslashes) {
    CoordinateSkin::Write(skin("other"), {"cbuttons.bmp"});
    dir.WriteFile("default.ini", "[Skin]\r\nDefaultSkin=skins\\other\r\n");
    EXPECT_EQ(mdlSkin::StartupSkinDirectory(), dir.Path() + "/skins\\other");
    EXPECT_EQ(Decode(main().imgPlayBut[4]->Picture().pixel(0, 0)), (Origin{2, 92, 0}));
}

TEST_F(SkinLoading, AnAbsoluteDefaultSkinStaysRelativeAndTheBuiltInPicturesStay) {
    const QString elsewhere = skin("abs");
    CoordinateSkin::Write(elsewhere);
    dir.WriteFile("default.ini", ("[Skin]\nDefaultSkin=" + elsewhere + "\n").toUtf8());
    EXPECT_EQ(mdlSkin::StartupSkinDirectory(), dir.Path() + "/" + elsewhere);
    EXPECT_TRUE(samePixels(main().BackgroundPicture(), builtIn("main.bmp")));
}

TEST_F(SkinLoading, StartUpDrawsEveryControlsFirstLook) {
    CoordinateSkin::Write(skin("silence"));
    frmMain& m = main();
    for (auto* digit : m.imgNumber)
        EXPECT_EQ(Decode(digit->Picture().pixel(0, 0)), (Origin{10, 0, 0}));
    EXPECT_EQ(Decode(m.imgVolume->Picture().pixel(0, 0)), (Origin{7, 0, 195}));  // level 14
    EXPECT_EQ(Decode(m.imgBalance->Picture().pixel(0, 0)), (Origin{8, 9, 0}));   // level 1
    EXPECT_EQ(Decode(m.imgVolumeBut[0]->Picture().pixel(0, 0)), (Origin{7, 15, 422}));
    // The skin draws cells 1 and 6, then the start-up's stop puts the stopped look on.
    EXPECT_EQ(Decode(m.imgPlayPaus[1]->Picture().pixel(0, 0)), (Origin{9, 18, 0}));
    EXPECT_EQ(Decode(m.imgPlayPaus[0]->Picture().pixel(0, 0)), (Origin{9, 39, 0}));
    EXPECT_TRUE(m.imgPlayPaus[0]->isHidden());
    EXPECT_TRUE(m.imgNumber[0]->isHidden());
    EXPECT_TRUE(m.imgPosSlide[1]->isHidden());
    EXPECT_EQ(Decode(m.imgMonoSter[0]->Picture().pixel(0, 0)), (Origin{11, 0, 12}));
    EXPECT_EQ(Decode(m.imgMonoSter[1]->Picture().pixel(0, 0)), (Origin{11, 29, 12}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Decode(m.imgMenu[i]->Picture().pixel(0, 0)), (Origin{3, 9 * i, 0}));
    EXPECT_EQ(Decode(m.imgMenu[3]->Picture().pixel(0, 0)), (Origin{3, 0, 18}));
    EXPECT_EQ(Decode(m.imgTitlebar->Picture().pixel(0, 0)), (Origin{3, 27, 57}));
    EXPECT_EQ(Decode(m.imgPosSlide[0]->Picture().pixel(0, 0)), (Origin{6, 248, 0}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Decode(m.imgSufRep[i]->Picture().pixel(0, 0)).y, i < 2 ? 0 : 61) << i;
    EXPECT_EQ(m.imgMove->geometry(), QRect(0, 0, 275, 116));
}

TEST_F(SkinLoading, ASkinWithOnlyMainBmpChangesBackgroundAndShapeOnly) {
    frmMain& m = main();
    const QImage buttonsBefore = m.imgPlayBut[1]->Picture();
    QImage shaped = CoordinateSkin::Make(1, QSize(275, 116));
    for (int y = 0; y < 116; ++y)
        for (int x = 0; x < 10; ++x) shaped.setPixel(x, y, qRgb(255, 0, 255));
    const QString only = skin("onlymain");
    shaped.save(only + "/main.bmp", "BMP");
    mdlSkin::LoadSkin(forms(), only);
    EXPECT_EQ(Decode(m.BackgroundPicture().pixel(20, 20)), (Origin{1, 20, 20}));
    EXPECT_FALSE(m.WindowRegion().contains(QPoint(5, 50)));
    EXPECT_TRUE(m.WindowRegion().contains(QPoint(10, 50)));
    EXPECT_TRUE(m.WindowRegion().contains(QPoint(274, 0)));
    EXPECT_TRUE(samePixels(m.imgPlayBut[1]->Picture(), buttonsBefore));
}

TEST_F(SkinLoading, ASkinWithoutMainBmpCutsThePreviousMaskWithItsOwnColour) {
    frmMain& m = main();
    const QImage backgroundBefore = m.BackgroundPicture();
    const QString noMain = skin("nomain");
    CoordinateSkin::Write(noMain, {"cbuttons.bmp"});
    // The built-in mask's body colour at (137, 100) becomes transparent.
    const QRgb body = m.Mask->Image().pixel(137, 100);
    dir.WriteFile("skins/nomain/region.txt",
                  QStringLiteral("[Normal]\nTransColorR=%1\nTransColorG=%2\nTransColorB=%3\n")
                      .arg(qRed(body))
                      .arg(qGreen(body))
                      .arg(qBlue(body))
                      .toUtf8());
    mdlSkin::LoadSkin(forms(), noMain);
    EXPECT_EQ(m.BackgroundPicture(), backgroundBefore);
    EXPECT_FALSE(m.WindowRegion().contains(QPoint(137, 100)));
    EXPECT_TRUE(m.WindowRegion().contains(QPoint(0, 50)) == (m.Mask->Image().pixel(0, 50) != body));
    EXPECT_EQ(Decode(m.imgPlayBut[0]->Picture().pixel(0, 0)), (Origin{2, 0, 0}));
}

TEST_F(SkinLoading, MissingOrEmptyDirectoriesKeepEveryPicture) {
    frmMain& m = main();
    const QImage background = m.BackgroundPicture();
    const QImage play = m.imgPlayBut[1]->Picture();
    const QRegion shape = m.WindowRegion();
    mdlSkin::LoadSkin(forms(), dir.Path() + "/no/such/skin");
    mdlSkin::LoadSkin(forms(), skin("empty"));
    mdlSkin::LoadSkin(forms(), QString());
    EXPECT_EQ(m.BackgroundPicture(), background);
    EXPECT_TRUE(samePixels(m.imgPlayBut[1]->Picture(), play));
    EXPECT_EQ(m.WindowRegion(), shape) << "magenta shape of the built-in mask";
}

TEST_F(SkinLoading, BrokenAndTruncatedBitmapsLeaveTheOldPicture) {
    frmMain& m = main();
    const QImage play = m.imgPlayBut[1]->Picture();
    const QImage digits = m.imgNumber[0]->Picture();
    const QString broken = skin("broken");
    CoordinateSkin::Write(broken, {"numbers.bmp"});
    QFile numbers(broken + "/numbers.bmp");
    ASSERT_TRUE(numbers.open(QIODevice::ReadWrite));
    numbers.resize(40);  // a header with no pixels
    numbers.close();
    dir.WriteFile("skins/broken/cbuttons.bmp", "BM this is not a bitmap");
    dir.WriteFile("skins/broken/main.bmp", QByteArray());
    mdlSkin::LoadSkin(forms(), broken);
    EXPECT_TRUE(samePixels(m.imgPlayBut[1]->Picture(), play));
    EXPECT_TRUE(samePixels(m.imgNumber[0]->Picture(), digits));
    EXPECT_FALSE(m.BackgroundPicture().isNull());
}

TEST_F(SkinLoading, SmallerBitmapsStillGiveCellsOfTheTableSize) {
    frmMain& m = main();
    const QString small = skin("small");
    CoordinateSkin::Write(small, {}, 0.5);
    mdlSkin::LoadSkin(forms(), small);
    const QImage next = m.imgPlayBut[4]->Picture();  // cell 92, 0 of a 68 x 18 bitmap
    EXPECT_EQ(next.size(), QSize(22, 18));
    EXPECT_EQ(qAlpha(next.pixel(0, 0)), 0);
    const QImage prev = m.imgPlayBut[0]->Picture();
    EXPECT_EQ(Decode(prev.pixel(0, 0)), (Origin{2, 0, 0}));
    EXPECT_EQ(Decode(prev.pixel(22, 17)), (Origin{2, 22, 17}));
    const QImage eject = m.imgPlayBut[5]->Picture();  // cell 114, 0 lies wholly outside
    EXPECT_EQ(eject.size(), QSize(22, 16));
    EXPECT_EQ(qAlpha(eject.pixel(21, 15)), 0);
}

TEST_F(SkinLoading, AfterALoadTheDigitsShowZeroAndTheMenuButtonIsReleased) {
    frmMain& m = main();
    CoordinateSkin::Write(skin("coords"));
    mdlSkin::DrawSprite(forms(), Sprite::Digit, 5, 1);
    mdlSkin::DrawSprite(forms(), Sprite::SeekBar, Sprite::SeekSlider, Sprite::Pressed);
    mdlSkin::LoadSkin(forms(), skin("coords"));
    for (auto* digit : m.imgNumber)
        EXPECT_EQ(Decode(digit->Picture().pixel(0, 0)), (Origin{10, 0, 0}));
    EXPECT_EQ(Decode(m.imgPosSlide[0]->Picture().pixel(0, 0)), (Origin{6, 248, 0}));
    EXPECT_EQ(Decode(m.imgMenu[0]->Picture().pixel(0, 0)), (Origin{3, 0, 0}));
    EXPECT_EQ(Decode(forms().Playlist().PLEdit->Picture().pixel(5, 5)), (Origin{4, 5, 5}));
}

TEST_F(SkinLoading, BitmapsCutInHalfKeepEveryPictureAndTheShape) {
    frmMain& m = main();
    const QImage background = m.BackgroundPicture();
    const QImage play = m.imgPlayBut[1]->Picture();
    const QImage title = m.imgTitlebar->Picture();
    const QImage frame = forms().Playlist().PLEdit->Picture();
    const QRegion shape = m.WindowRegion();
    const QString cut = skin("cut");
    CoordinateSkin::Write(cut);
    for (const QString& name : CoordinateSkin::BitmapNames()) {
        QFile file(cut + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.resize(file.size() / 2);
    }
    mdlSkin::LoadSkin(forms(), cut);
    EXPECT_EQ(m.BackgroundPicture(), background);
    EXPECT_TRUE(samePixels(m.imgPlayBut[1]->Picture(), play));
    EXPECT_TRUE(samePixels(m.imgTitlebar->Picture(), title));
    EXPECT_TRUE(samePixels(forms().Playlist().PLEdit->Picture(), frame));
    EXPECT_EQ(m.WindowRegion(), shape);
}

TEST_F(SkinLoading, SixteenBitMagentaCutsTheShapeAndAlphaZeroButtonsShowTheirColours) {
    frmMain& m = main();
    const QString deep = skin("deep");
    QImage shaped = CoordinateSkin::Make(1, QSize(275, 116));
    for (int y = 0; y < 116; ++y)
        for (int x = 0; x < 10; ++x) shaped.setPixel(x, y, qRgb(255, 0, 255));
    dir.WriteFile("skins/deep/main.bmp", BmpWriter::Encode(shaped, BmpWriter::Flavour::Rgb565));
    QImage buttons = CoordinateSkin::Make(2, CoordinateSkin::BuiltInSize("cbuttons.bmp"))
                         .convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < buttons.height(); ++y)
        for (int x = 0; x < buttons.width(); ++x)
            buttons.setPixel(x, y, buttons.pixel(x, y) & 0x00FFFFFF);
    dir.WriteFile("skins/deep/cbuttons.bmp",
                  BmpWriter::Encode(buttons, BmpWriter::Flavour::Rgb32Alpha));
    mdlSkin::LoadSkin(forms(), deep);
    EXPECT_FALSE(m.WindowRegion().contains(QPoint(5, 50)));
    EXPECT_TRUE(m.WindowRegion().contains(QPoint(10, 50)));
    const QRgb play = m.imgPlayBut[1]->Picture().pixel(3, 4);
    EXPECT_EQ(qAlpha(play), 255);
    EXPECT_EQ(Decode(play), (Origin{2, 26, 4}));
}

class TransparentColour : public SkinLoading {
  protected:
    // A mask with one pixel of each interesting colour at the left of row 0.
    void SetUp() override {
        QImage picture(275, 116, QImage::Format_RGB32);
        picture.fill(qRgb(1, 2, 3));
        picture.setPixel(0, 0, qRgb(0, 0, 0));
        picture.setPixel(1, 0, qRgb(255, 0, 255));
        picture.setPixel(2, 0, qRgb(7, 0, 9));
        picture.setPixel(3, 0, qRgb(255, 0, 0));
        main().Mask->SetPicture(picture);
        path = skin("region");
    }
    bool apply(const QByteArray& region) {
        dir.WriteFile("skins/region/region.txt", region);
        return mdlSkin::ApplyTransparentColour(forms(), path);
    }
    bool opaque(int x) { return main().WindowRegion().contains(QPoint(x, 0)); }
    QString path;
};

TEST_F(TransparentColour, MissingKeysGiveMagentaAndAMissingGreenGivesZero) {
    EXPECT_TRUE(apply(""));
    EXPECT_FALSE(opaque(1));
    EXPECT_TRUE(opaque(2));
    EXPECT_TRUE(apply("[Normal]\nTransColorR=7\nTransColorB=9\n"));
    EXPECT_FALSE(opaque(2));
    EXPECT_TRUE(apply("[Normal]\nTransColorB=0\n"));
    EXPECT_FALSE(opaque(3)) << "red alone";
}

TEST_F(TransparentColour, AllZeroMeansTheTopLeftPixel) {
    EXPECT_TRUE(apply("[Normal]\nTransColorR=0\nTransColorG=0\nTransColorB=0\n"));
    EXPECT_FALSE(opaque(0));
    EXPECT_TRUE(opaque(1));
}

TEST_F(TransparentColour, ANonNumberOrOutOfRangeValueLeavesTheShape) {
    EXPECT_TRUE(apply("[Normal]\nTransColorR=255\nTransColorG=0\nTransColorB=0\n"));
    const QRegion before = main().WindowRegion();
    EXPECT_FALSE(apply("[Normal]\nTransColorR=red\n"));
    EXPECT_FALSE(apply("[Normal]\nTransColorG=\n"));
    EXPECT_FALSE(apply("[Normal]\nTransColorB=40000\n"));
    EXPECT_EQ(main().WindowRegion(), before);
}

TEST_F(TransparentColour, DecimalsRoundHalfToEven) {
    // The pixel at x 2 is 7, 0, 9.
    EXPECT_TRUE(apply("[Normal]\nTransColorR=7.4\nTransColorG=0.4\nTransColorB= 8.6 \n"));
    EXPECT_FALSE(opaque(2));
    EXPECT_TRUE(apply("[Normal]\nTransColorR=6.5\nTransColorG=0\nTransColorB=9\n"));
    EXPECT_TRUE(opaque(2)) << "6.5 rounds to 6";
    EXPECT_TRUE(apply("[Normal]\nTransColorR=7.5\nTransColorG=0\nTransColorB=9\n"));
    EXPECT_TRUE(opaque(2)) << "7.5 rounds to 8";
}

}  // namespace
