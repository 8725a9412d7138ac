#include <gtest/gtest.h>

#include "FakePlaybackControl.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "skin/Sprite.h"
#include "skin/SpriteTable.h"
#include "skin/mdlSkin.h"

namespace {

using CoordinateSkin::Decode;
using CoordinateSkin::Origin;

// Kind -> its bitmap and how many indices and states it has.
struct KindInfo {
    const char* bitmap;
    int firstIndex, lastIndex, lastState;
};
const KindInfo kKinds[10] = {{"", 0, -1, 0},
                             {"cbuttons.bmp", 1, 6, 1},
                             {"titlebar.bmp", 1, 18, 1},
                             {"shufrep.bmp", 1, 4, 3},
                             {"posbar.bmp", 1, 2, 1},
                             {"volume.bmp", 1, 30, 0},
                             {"balance.bmp", 1, 30, 0},
                             {"playpaus.bmp", 1, 6, 0},
                             {"numbers.bmp", 0, 10, 0},
                             {"monoster.bmp", 1, 2, 1}};

TEST(SpriteTable, EveryCellLiesInsideItsBuiltInBitmapAndTheLargestReachesItsEdge) {
    const SpriteTable& table = SpriteTable::Cells();
    for (int kind = 1; kind <= Sprite::kKinds; ++kind) {
        const QSize size = CoordinateSkin::BuiltInSize(kKinds[kind].bitmap);
        int maxRight = 0, maxBottom = 0;
        for (int index = kKinds[kind].firstIndex; index <= kKinds[kind].lastIndex; ++index)
            for (int state = 0; state <= kKinds[kind].lastState; ++state) {
                const auto cell = table.Lookup(*Sprite::KindOf(kind), index, state);
                ASSERT_TRUE(cell) << kind << " " << index << " " << state;
                if (cell->width == 0)
                    continue;
                EXPECT_LE(cell->x + cell->width, size.width()) << kind << " " << index;
                EXPECT_LE(cell->y + cell->height, size.height()) << kind << " " << index;
                EXPECT_GE(cell->x, 0);
                EXPECT_GE(cell->y, 0);
                maxRight = std::max(maxRight, cell->x + cell->width);
                maxBottom = std::max(maxBottom, cell->y + cell->height);
            }
        if (kind != 2 && kind != 4 && kind != 5 && kind != 6) {
            EXPECT_EQ(maxRight, size.width()) << "kind " << kind;
        }
        if (kind != 2) {
            EXPECT_EQ(maxBottom, size.height()) << "kind " << kind;
        }
    }
    EXPECT_EQ(*table.Lookup(Sprite::Transport, 6, 1), (Cell{114, 16, 22, 16}));  // ends at 136, 32
    EXPECT_EQ(*table.Lookup(Sprite::Volume, Sprite::KnobReleased, 0),
              (Cell{15, 422, 14, 11}));  // ends at 433
    EXPECT_EQ(*table.Lookup(Sprite::SeekBar, Sprite::SeekSlider, Sprite::Pressed),
              (Cell{278, 0, 29, 10}));  // ends at 307
}

TEST(SpriteTable, UnlistedEntriesAreZeroAndKeysOutsideTheArraysAreMissing) {
    const SpriteTable& table = SpriteTable::Cells();
    for (int index = 8; index <= 18; ++index)
        for (int state = 0; state <= 1; ++state)
            EXPECT_EQ(*table.Lookup(Sprite::TitleBar, index, state), Cell{});
    EXPECT_EQ(*table.Lookup(Sprite::SeekBar, 1, 1), Cell{});
    EXPECT_FALSE(table.Lookup(Sprite::Toggle, 1, 4));
    EXPECT_FALSE(table.Lookup(Sprite::Digit, 11, 0));
    EXPECT_FALSE(Sprite::KindOf(0));
    EXPECT_FALSE(Sprite::KindOf(10));
    EXPECT_FALSE(table.Lookup(static_cast<Sprite::Kind>(10), 1, 0));
    EXPECT_EQ(*table.Lookup(Sprite::Digit, 7, 3), (Cell{63, 0, 9, 13}))
        << "kind 8 ignores the position";
    EXPECT_EQ(*table.Lookup(Sprite::Toggle, 3, 3), (Cell{46, 73, 23, 12}));
}

class DrawSprite : public ::testing::Test {
  protected:
    DrawSprite() { main = &forms.Main(); }
    Origin topLeft(ImageControl* control) { return Decode(control->Picture().pixel(0, 0)); }
    QSize size(ImageControl* control) { return control->Picture().size(); }

    CoordinateSkinDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    frmMain* main = nullptr;
};

TEST_F(DrawSprite, PutsTheCellIntoTheRightControl) {
    mdlSkin::DrawSprite(forms, Sprite::Digit, 7, 2);
    EXPECT_EQ(topLeft(main->imgNumber[2]), (Origin{10, 63, 0}));
    EXPECT_EQ(size(main->imgNumber[2]), QSize(9, 13));

    mdlSkin::DrawSprite(forms, Sprite::Toggle, 3, 3);
    EXPECT_EQ(topLeft(main->imgSufRep[2]), (Origin{5, 46, 73}));

    mdlSkin::DrawSprite(forms, Sprite::PlayState, Sprite::PlayLampOn, 0);
    EXPECT_EQ(topLeft(main->imgPlayPaus[0]), (Origin{9, 36, 0}));
    EXPECT_EQ(size(main->imgPlayPaus[0]), QSize(3, 9));
    EXPECT_NE(topLeft(main->imgPlayPaus[1]), (Origin{9, 36, 0}));

    mdlSkin::DrawSprite(forms, Sprite::Transport, 3, 1);
    EXPECT_EQ(topLeft(main->imgPlayBut[2]), (Origin{2, 46, 18}));
    mdlSkin::DrawSprite(forms, Sprite::TitleBar, 7, 1);
    EXPECT_EQ(topLeft(main->imgMenu[3]), (Origin{3, 9, 18}));
    mdlSkin::DrawSprite(forms, Sprite::TitleBar, 2, 1);
    EXPECT_EQ(topLeft(main->imgTitlebar), (Origin{3, 27, 42}));
    EXPECT_EQ(size(main->imgTitlebar), QSize(274, 13));
    mdlSkin::DrawSprite(forms, Sprite::Balance, 20, 0);
    EXPECT_EQ(topLeft(main->imgBalance), (Origin{8, 9, 285}));
    mdlSkin::DrawSprite(forms, Sprite::Balance, Sprite::KnobPressed, 0);
    EXPECT_EQ(topLeft(main->imgBalanceBut[0]), (Origin{8, 0, 422}));
    mdlSkin::DrawSprite(forms, Sprite::MonoStereo, 2, 1);
    EXPECT_EQ(topLeft(main->imgMonoSter[1]), (Origin{11, 29, 0}));
    mdlSkin::DrawSprite(forms, Sprite::SeekBar, Sprite::SeekSlider, Sprite::Pressed);
    EXPECT_EQ(topLeft(main->imgPosSlide[0]), (Origin{6, 278, 0}));
}

TEST_F(DrawSprite, KindsOutsideOneToNineAndIndicesWithoutDestinationChangeNothing) {
    std::vector<QImage> before;
    const auto all = [this] {
        std::vector<ImageControl*> controls = {main->imgTitlebar, main->imgPosBar, main->imgVolume,
                                               main->imgBalance};
        for (auto* c : main->imgPlayBut) controls.push_back(c);
        for (auto* c : main->imgMenu) controls.push_back(c);
        for (auto* c : main->imgNumber) controls.push_back(c);
        for (auto* c : main->imgSufRep) controls.push_back(c);
        for (auto* c : main->imgPlayPaus) controls.push_back(c);
        return controls;
    };
    for (auto* c : all()) before.push_back(c->Picture());
    for (int kind : {0, 10, -1}) mdlSkin::DrawSprite(forms, kind, 1, 0);
    for (int index = 8; index <= 18; ++index)
        mdlSkin::DrawSprite(forms, Sprite::TitleBar, index, 0);
    mdlSkin::DrawSprite(forms, Sprite::Transport, 7, 0);
    mdlSkin::DrawSprite(forms, Sprite::Digit, 3, 4);
    const auto controls = all();
    for (std::size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->Picture(), before[i]) << i;
    // The all-zero rectangle was still set on the holder.
    EXPECT_EQ(main->clipTitlebar.ClipWidth(), 0);
}

TEST_F(DrawSprite, AStateOutsideTheArrayReusesTheHoldersLastRectangle) {
    mdlSkin::DrawSprite(forms, Sprite::Toggle, 2, 1);
    mdlSkin::DrawSprite(forms, Sprite::Toggle, 1, 4);
    EXPECT_EQ(topLeft(main->imgSufRep[0]), (Origin{5, 28, 15}));
}

}  // namespace
