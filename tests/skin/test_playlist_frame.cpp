#include <gtest/gtest.h>

#include "FakePlaybackControl.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "playlist/FormPLS.h"
#include "skin/mdlSkin.h"

namespace {

using CoordinateSkin::Decode;
using CoordinateSkin::Origin;

class PlaylistFrame : public ::testing::Test {
  protected:
    PlaylistFrame() { pls = &forms.Playlist(); }
    Origin at(PictureBox* box, int x, int y) { return Decode(box->Image().pixel(x, y)); }

    CoordinateSkinDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    FormPLS* pls = nullptr;
};

constexpr int kPlEdit = 4;

TEST_F(PlaylistFrame, TitleBarOf275PixelsHasItsCornersFillerAndCentredTitle) {
    PictureBox* bar = pls->Bar[0];
    ASSERT_EQ(bar->ScaleWidthPixels(), 275);
    EXPECT_EQ(at(bar, 0, 0), (Origin{kPlEdit, 0, 0}));
    EXPECT_EQ(at(bar, 250, 0), (Origin{kPlEdit, 153, 0}));
    EXPECT_EQ(at(bar, 274, 5), (Origin{kPlEdit, 177, 5}));
    EXPECT_EQ(at(bar, 25, 3).x, 127);
    EXPECT_EQ(at(bar, 249, 3).x, 151);
    EXPECT_EQ(at(bar, 86, 3).x, 127 + (86 - 25) * 25 / 225);
    EXPECT_EQ(at(bar, 87, 2), (Origin{kPlEdit, 26, 2}));
    EXPECT_EQ(at(bar, 186, 2), (Origin{kPlEdit, 125, 2}));
    EXPECT_EQ(at(pls->Bar[1], 0, 0), (Origin{kPlEdit, 0, 21}));
}

TEST_F(PlaylistFrame, NarrowTitleBarsPutTheTitleAtZero) {
    for (int width : {100, 101}) {
        pls->Bar[0]->Move(0, 0, width * 15.0f, 300);
        ASSERT_TRUE(mdlSkin::PaintPlaylistFrame(forms));
        EXPECT_EQ(at(pls->Bar[0], 0, 0), (Origin{kPlEdit, 26, 0})) << width;
        EXPECT_EQ(pls->width(), width);
    }
}

TEST_F(PlaylistFrame, LeftEdgeIsStretchedFromTwentyPixelsDown) {
    PictureBox* left = pls->LeftBar;
    const int h = left->ScaleHeightPixels();
    ASSERT_EQ(h, 261);
    EXPECT_EQ(at(left, 3, 20), (Origin{kPlEdit, 3, 42}));
    EXPECT_EQ(at(left, 3, 260).y, 42 + (260 - 20) * 29 / 261);
}

TEST_F(PlaylistFrame, BottomBarButtonsMenusAndFaces) {
    EXPECT_EQ(at(pls->BotmBar, 0, 0), (Origin{kPlEdit, 0, 72}));
    EXPECT_EQ(at(pls->BotmBar, 125, 0), (Origin{kPlEdit, 126, 72}));
    EXPECT_EQ(at(pls->BotmBar, 274, 37), (Origin{kPlEdit, 275, 109}));
    EXPECT_EQ(at(pls->Addbtn, 0, 0), (Origin{kPlEdit, 14, 80}));
    EXPECT_EQ(at(pls->List, 21, 17), (Origin{kPlEdit, 253, 97}));
    EXPECT_EQ(at(pls->RemBar, 2, 71), (Origin{kPlEdit, 102, 182}));
    EXPECT_EQ(at(pls->RemMen, 0, 0), (Origin{kPlEdit, 54, 168}));
    EXPECT_EQ(at(pls->RemMen, 0, 18), (Origin{kPlEdit, 54, 111}));
    EXPECT_EQ(at(pls->ButtonRem[0], 0, 0), (Origin{kPlEdit, 77, 168}));
    EXPECT_EQ(at(pls->ButtonLst[2], 0, 0), (Origin{kPlEdit, 227, 149}));
    EXPECT_EQ(at(pls->Exit, 0, 0), (Origin{kPlEdit, 167, 3}));
    EXPECT_EQ(at(pls->ShadeD, 8, 8), (Origin{kPlEdit, 70, 50}));
    for (PictureBox* tile : pls->RightBar) EXPECT_EQ(at(tile, 0, 0), (Origin{kPlEdit, 26, 42}));
}

TEST_F(PlaylistFrame, TheWindowTakesTheSizeOfTheTopBarAndLeftEdge) {
    EXPECT_EQ(pls->size(), QSize(275, 261));
    EXPECT_FLOAT_EQ(pls->Width(), 4125.0f);
    EXPECT_FLOAT_EQ(pls->Height(), 3915.0f);
    EXPECT_FALSE(pls->isVisible()) << "created hidden";
}

TEST_F(PlaylistFrame, AFailingStepEndsThePaintingBeforeTheSizing) {
    pls->Bar[0]->Move(0, 0, 30 * 15.0f, 300);  // too narrow for the stretched filler
    pls->resize(10, 10);
    EXPECT_FALSE(mdlSkin::PaintPlaylistFrame(forms));
    EXPECT_EQ(pls->size(), QSize(10, 10));
}

}  // namespace
