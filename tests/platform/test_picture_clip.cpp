#include <gtest/gtest.h>

#include "TestSkin.h"
#include "platform/PictureClip.h"

namespace {

TEST(PictureClip, ClipIsExactlyTheRectangleWithTheBitmapsColours) {
    PictureClip clip;
    ASSERT_TRUE(clip.SetPicture(CoordinateSkin::Make(3, QSize(40, 20))));
    clip.SetClipX(5);
    clip.SetClipY(6);
    clip.SetClipWidth(7);
    clip.SetClipHeight(8);
    const QImage cell = clip.Clip();
    ASSERT_EQ(cell.size(), QSize(7, 8));
    EXPECT_EQ(CoordinateSkin::Decode(cell.pixel(0, 0)), (CoordinateSkin::Origin{3, 5, 6}));
    EXPECT_EQ(CoordinateSkin::Decode(cell.pixel(6, 7)), (CoordinateSkin::Origin{3, 11, 13}));
    // The rectangle stays for the next read.
    EXPECT_EQ(clip.Clip().size(), QSize(7, 8));
}

TEST(PictureClip, RectangleReachingOutsideCopiesTheInsideAndLeavesTheRestTransparent) {
    PictureClip clip;
    clip.SetPicture(CoordinateSkin::Make(1, QSize(10, 10)));
    clip.SetClipX(8);
    clip.SetClipY(-2);
    clip.SetClipWidth(5);
    clip.SetClipHeight(5);
    const QImage cell = clip.Clip();
    ASSERT_EQ(cell.size(), QSize(5, 5));
    EXPECT_EQ(qAlpha(cell.pixel(0, 0)), 0);  // above the bitmap
    EXPECT_EQ(CoordinateSkin::Decode(cell.pixel(1, 2)), (CoordinateSkin::Origin{1, 9, 0}));
    EXPECT_EQ(qAlpha(cell.pixel(1, 2)), 255);
    EXPECT_EQ(qAlpha(cell.pixel(2, 2)), 0);  // right of the bitmap
}

TEST(PictureClip, NullPictureIsRefusedAndTheOldOneStays) {
    PictureClip clip;
    clip.SetPicture(CoordinateSkin::Make(2, QSize(4, 4)));
    EXPECT_FALSE(clip.SetPicture(QImage()));
    EXPECT_EQ(clip.Picture().size(), QSize(4, 4));
}

TEST(PictureClip, EmptyRectangleGivesNoPicture) {
    PictureClip clip;
    clip.SetPicture(CoordinateSkin::Make(2, QSize(4, 4)));
    EXPECT_TRUE(clip.Clip().isNull());
    clip.SetClipWidth(3);
    clip.SetClipHeight(-1);
    EXPECT_TRUE(clip.Clip().isNull());
}

}  // namespace
