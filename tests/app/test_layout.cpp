#include <gtest/gtest.h>

#include "FakePlaybackControl.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/Screen.h"

namespace {

class Layout : public ::testing::Test {
  protected:
    void TearDown() override { Screen::SetTwipsPerPixel(15, 15); }
    TestProgramDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
};

TEST_F(Layout, At15TwipsPerPixel) {
    frmMain& main = forms.Main();
    Screen::SetTwipsPerPixel(15, 15);
    main.MoveControls();
    const ImageControl* prev = main.imgPlayBut[0];
    EXPECT_FLOAT_EQ(prev->Left(), 240);
    EXPECT_FLOAT_EQ(prev->Top(), 1320);
    EXPECT_FLOAT_EQ(prev->Width(), 330);
    EXPECT_FLOAT_EQ(prev->Height(), 255);
    EXPECT_FLOAT_EQ(main.imgTitlebar->Left(), 0);
    EXPECT_FLOAT_EQ(main.imgTitlebar->Width(), 4110);
    EXPECT_FLOAT_EQ(main.imgTitlebar->Height(), 180);
    EXPECT_EQ(main.imgMonoSter[0]->geometry(), QRect(239, 41, 29, 12));
    EXPECT_EQ(main.imgMenu[3]->geometry(), QRect(254, 3, 9, 9));
    EXPECT_EQ(main.imgBalanceBut[1]->geometry(), QRect(189, 58, 14, 11));
    EXPECT_EQ(main.size(), QSize(275, 116));
}

TEST_F(Layout, At12TwipsPerPixelEverythingButTheTitleOriginScales) {
    frmMain& main = forms.Main();
    Screen::SetTwipsPerPixel(12, 12);
    main.MoveControls();
    EXPECT_FLOAT_EQ(main.imgPlayBut[0]->Left(), 192);
    EXPECT_FLOAT_EQ(main.imgPlayBut[0]->Top(), 1056);
    EXPECT_FLOAT_EQ(main.imgPlayBut[5]->Width(), 252);
    EXPECT_EQ(main.imgPlayBut[0]->geometry(), QRect(16, 88, 22, 17));
    EXPECT_FLOAT_EQ(main.imgTitlebar->Width(), 274 * 12);
    EXPECT_EQ(main.imgTitlebar->geometry().topLeft(), QPoint(0, 0));
}

TEST_F(Layout, MovingTwiceIsMovingOnceAndPutsDraggedKnobsBack) {
    frmMain& main = forms.Main();
    main.imgVolumeBut[0]->SetLeft(2000);
    main.imgPosSlide[0]->SetLeft(900);
    main.MoveControls();
    const QRect volume = main.imgVolumeBut[0]->geometry();
    main.MoveControls();
    EXPECT_EQ(main.imgVolumeBut[0]->geometry(), volume);
    EXPECT_EQ(volume.topLeft(), QPoint(135, 58));
    EXPECT_EQ(main.imgPosSlide[0]->geometry().topLeft(), QPoint(16, 72));
}

TEST_F(Layout, StackingPutsKnobsOverTracksAndButtonsOverTheDragArea) {
    frmMain& main = forms.Main();
    EXPECT_EQ(main.childAt(140, 62), main.imgVolumeBut[1]);
    EXPECT_EQ(main.childAt(20, 95), main.imgPlayBut[0]);
    EXPECT_EQ(main.childAt(150, 6), main.imgMove) << "the title bar is dragged";
    EXPECT_EQ(main.childAt(50, 30), main.imgMove) << "the digits are hidden while stopped";
    main.GoPlay(false);
    EXPECT_EQ(main.childAt(50, 30), main.imgNumber[0]);
    EXPECT_EQ(main.childAt(20, 75), main.imgPosSlide[1]);
    EXPECT_EQ(main.childAt(8, 5), main.imgMenu[0]);
}

}  // namespace
