#include <gtest/gtest.h>

#include <QTimer>
#include "playlist/EntryListView.h"
#include "playlist/PlaylistModel.h"

#include "FakePlaybackControl.h"
#include "MediaFiles.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "playlist/FormPLS.h"
#include "video/Form1.h"

namespace {

using CoordinateSkin::Decode;
using CoordinateSkin::Origin;

class MainWindow : public ::testing::Test {
  protected:
    MainWindow() { main = &forms.Main(); }
    Origin shown(ImageControl* c) { return Decode(c->Picture().pixel(0, 0)); }
    MouseArgs left(float x = 0, float y = 0) { return MouseArgs{1, 0, x, y}; }
    void addEntries(int n) {
        for (int i = 0; i < n; ++i)
            forms.Playlist().AppendEntry(QStringLiteral("/m/%1.avi").arg(i), QString::number(i));
    }

    CoordinateSkinDir dir;
    FakePlaybackControl* control = nullptr;
    TestForms forms{FakePlaybackControl::Factory(&control)};
    frmMain* main = nullptr;
};

TEST_F(MainWindow, StartsInTheStoppedLookWithThePositionRewound) {
    EXPECT_EQ(shown(main->imgPlayPaus[1]), (Origin{9, 18, 0}));
    EXPECT_TRUE(main->imgPlayPaus[0]->isHidden());
    EXPECT_FALSE(main->tmrTime->isActive());
    EXPECT_EQ(control->seeks, QList<double>{0.0});
    EXPECT_TRUE(control->commands.isEmpty()) << "no stop command at start-up";
    EXPECT_FALSE(forms.Video().isVisible());
    EXPECT_FALSE(forms.Playlist().isVisible());
}

TEST_F(MainWindow, TheThreeLooks) {
    main->GoPlay(true);
    EXPECT_EQ(control->commands, QStringList{"play"});
    EXPECT_EQ(shown(main->imgPlayPaus[1]), (Origin{9, 0, 0}));
    EXPECT_EQ(shown(main->imgPlayPaus[0]), (Origin{9, 36, 0}));
    EXPECT_FALSE(main->imgPlayPaus[0]->isHidden());
    EXPECT_TRUE(main->tmrTime->isActive());
    EXPECT_FALSE(main->imgNumber[2]->isHidden());
    EXPECT_FALSE(main->imgPosSlide[1]->isHidden());

    main->GoPause(false);
    EXPECT_EQ(control->commands, QStringList{"play"});
    EXPECT_EQ(shown(main->imgPlayPaus[1]), (Origin{9, 9, 0}));
    EXPECT_TRUE(main->imgPlayPaus[0]->isHidden());
    EXPECT_FALSE(main->tmrTime->isActive());
    EXPECT_FALSE(main->imgNumber[0]->isHidden());

    control->seeks.clear();
    main->GoStop(false);
    EXPECT_EQ(control->seeks, QList<double>{0.0}) << "stop rewinds even without the command";
    EXPECT_TRUE(main->imgNumber[0]->isHidden());
    EXPECT_TRUE(main->imgPosSlide[0]->isHidden());
}

TEST_F(MainWindow, TransportButtonsDrawPressedAndActOnRelease) {
    main->imgPlayBut_MouseDown(1, MouseArgs{2, 0, 0, 0});
    EXPECT_EQ(shown(main->imgPlayBut[1]), (Origin{2, 23, 18}));
    EXPECT_TRUE(control->commands.isEmpty());
    main->imgPlayBut_MouseUp(1, MouseArgs{2, 0, 0, 0});  // any button acts
    EXPECT_EQ(shown(main->imgPlayBut[1]), (Origin{2, 23, 0}));
    EXPECT_EQ(control->commands, QStringList{"play"});
    main->imgPlayBut_MouseUp(2, left());
    main->imgPlayBut_MouseUp(3, left());
    EXPECT_EQ(control->commands, (QStringList{"play", "pause", "stop"}));
}

TEST_F(MainWindow, PreviousAndNextNeedTwoEntries) {
    addEntries(1);
    main->imgPlayBut_MouseUp(4, left());
    main->imgPlayBut_MouseUp(0, left());
    EXPECT_TRUE(control->filesOpened.isEmpty());
    addEntries(2);
    main->imgPlayBut_MouseUp(4, left());
    EXPECT_EQ(control->filesOpened, QStringList{"/m/0.avi"});
    main->imgPlayBut_MouseUp(0, left());
    EXPECT_EQ(control->filesOpened.last(), "/m/1.avi") << "wraps to the last";
}

TEST_F(MainWindow, EjectOnAnEmptyListWithNothingChosenTakesThePlayingLook) {
    main->imgPlayBut_MouseUp(5, left());
    EXPECT_EQ(forms.Playlist().Nofiles, 0);
    EXPECT_TRUE(control->filesOpened.isEmpty());
    EXPECT_TRUE(main->tmrTime->isActive());
    control->state = PlaybackControl::Waiting;
    main->tmrTime_Timer();
    EXPECT_TRUE(main->tmrTime->isActive()) << "other states leave the look";
    control->state = PlaybackControl::Closed;
    main->tmrTime_Timer();
    EXPECT_FALSE(main->tmrTime->isActive());
}

TEST_F(MainWindow, SplitAndShowTime) {
    const struct {
        double t;
        int digits[4];
    } cases[] = {{59.9, {0, 0, 5, 9}}, {60.0, {0, 1, 0, 0}},  {3599.5, {5, 9, 5, 9}},
                 {6000, {0, 0, 0, 0}}, {-75.2, {0, 1, 1, 5}}, {7384, {2, 3, 0, 4}}};
    for (const auto& c : cases) {
        main->SplitTime(c.t);
        main->ShowTime();
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(shown(main->imgNumber[i]).x, 9 * c.digits[i]) << c.t << " digit " << i;
    }
    main->SplitTime(7384);
    EXPECT_EQ(main->TimeMinutes, 123);
    EXPECT_EQ(main->TimeSeconds, 4);
}

TEST_F(MainWindow, TheTickFollowsTheControl) {
    main->GoPlay(false);
    control->state = PlaybackControl::Playing;
    control->duration = 100;
    control->position = 50;
    main->tmrTime_Timer();
    EXPECT_EQ(shown(main->imgNumber[2]).x, 45);
    // Slider: 50 % of the 248 - 29 pixel travel from the bar's left edge at 16.
    EXPECT_FLOAT_EQ(main->imgPosSlide[0]->Left(), 0.5f * (248 - 29) * 15 + 240);
    EXPECT_FLOAT_EQ(main->imgPosSlide[1]->Left(), main->imgPosSlide[0]->Left());
    control->state = PlaybackControl::Paused;
    main->tmrTime_Timer();
    EXPECT_FALSE(main->tmrTime->isActive());
    EXPECT_EQ(shown(main->imgPlayPaus[1]), (Origin{9, 9, 0}));
}

TEST_F(MainWindow, AZeroOrUnknownDurationNeitherMovesNorSeeks) {
    main->GoPlay(false);
    control->state = PlaybackControl::Playing;
    control->position = 3;
    for (double duration : {0.0, -1.0}) {
        control->duration = duration;
        const float before = main->imgPosSlide[0]->Left();
        main->tmrTime_Timer();
        EXPECT_FLOAT_EQ(main->imgPosSlide[0]->Left(), before);
        control->seeks.clear();
        main->seekBar.imgPosBar_MouseDown(left(1200, 10));
        EXPECT_TRUE(control->seeks.isEmpty());
    }
}

TEST_F(MainWindow, DraggingTheSliderSeeksOnReleaseOnly) {
    main->GoPlay(false);
    control->duration = 200;
    SeekBar& seek = main->seekBar;
    control->seeks.clear();  // before the drag, so that a seek on any move shows
    seek.imgPosSlide_MouseDown(1, left(100, 5));
    EXPECT_TRUE(seek.blnSeeking);
    EXPECT_EQ(shown(main->imgPosSlide[0]), (Origin{6, 278, 0}));
    control->position = 10;
    control->state = PlaybackControl::Playing;
    seek.imgPosSlide_MouseMove(1, left(100 + 500, 5));
    seek.imgPosSlide_MouseMove(1, left(100 + 99999, 5));  // far past the right end
    EXPECT_FLOAT_EQ(main->imgPosSlide[0]->Left(), 264 * 15 - 435);
    main->tmrTime_Timer();
    EXPECT_FLOAT_EQ(main->imgPosSlide[0]->Left(), 264 * 15 - 435) << "held under the pointer";
    EXPECT_FLOAT_EQ(main->imgPosSlide[1]->Left(), 240) << "the overlay stays";
    EXPECT_TRUE(control->seeks.isEmpty()) << "pressing and moving seek nothing";
    seek.imgPosSlide_MouseUp(1, MouseArgs{2, 0, 0, 0});
    ASSERT_EQ(control->seeks.size(), 1);
    EXPECT_DOUBLE_EQ(control->seeks[0], 200.0);
    EXPECT_FALSE(seek.blnSeeking);
    EXPECT_EQ(seek.SlideDragX, 0);

    control->seeks.clear();
    seek.imgPosSlide_MouseDown(1, left(100, 5));
    seek.imgPosSlide_MouseMove(1, left(-99999, 5));
    EXPECT_FLOAT_EQ(main->imgPosSlide[0]->Left(), 240);
    EXPECT_TRUE(control->seeks.isEmpty());
    seek.imgPosSlide_MouseUp(1, left());
    EXPECT_EQ(control->seeks, QList<double>{0.0});
}

TEST_F(MainWindow, APressAtTheOverlaysLeftEdgeOrWithTheRightButtonStartsNoDrag) {
    SeekBar& seek = main->seekBar;
    seek.imgPosSlide_MouseDown(1, MouseArgs{2, 0, 100, 5});
    EXPECT_FALSE(seek.blnSeeking);
    seek.imgPosSlide_MouseDown(1, left(0.4f, 5));
    EXPECT_TRUE(seek.blnSeeking);
    EXPECT_EQ(seek.SlideDragX, 0);
    seek.imgPosSlide_MouseMove(1, left(500, 5));
    EXPECT_FLOAT_EQ(main->imgPosSlide[0]->Left(), 240);
    control->seeks.clear();
    seek.imgPosSlide_MouseUp(1, left());
    EXPECT_TRUE(control->seeks.isEmpty());
}

TEST_F(MainWindow, APressOnTheBarPutsTheSlidersCentreThereInsideTheTravel) {
    control->duration = 100;
    SeekBar& seek = main->seekBar;
    const float travel = 3720 - 435;
    seek.imgPosBar_MouseDown(MouseArgs{2, 0, 1860, 50});  // the middle of the bar, right button
    EXPECT_FLOAT_EQ(main->imgPosSlide[0]->Left(), 240 + 1860 - 435 / 2.0f);
    EXPECT_NEAR(control->seeks.last(), 100 * (1860 - 217.5) / travel, 1e-4);
    seek.imgPosBar_MouseDown(left(5, 5));
    EXPECT_FLOAT_EQ(main->imgPosSlide[0]->Left(), 240);
    EXPECT_DOUBLE_EQ(control->seeks.last(), 0.0);
    seek.imgPosBar_MouseDown(left(3719, 5));
    EXPECT_DOUBLE_EQ(control->seeks.last(), 100.0);
}

TEST_F(MainWindow, DraggingMovesTheCompanionsToTheirDockOffsets) {
    main->move(200, 100);
    main->show();
    main->imgMove_MouseDown(MouseArgs{2, 0, 30, 30});
    main->imgMove_MouseMove(MouseArgs{2, 0, 300, 300});
    EXPECT_EQ(main->pos(), QPoint(200, 100)) << "only the left button drags";
    main->imgMove_MouseDown(left(30.4f, 30.6f));
    EXPECT_EQ(main->StartDragX, 30);
    EXPECT_EQ(main->StartDragY, 31);
    main->imgMove_MouseMove(left(30 + 150, 31 - 300));
    EXPECT_EQ(main->pos(), QPoint(210, 80));
    EXPECT_FLOAT_EQ(forms.Video().Left(), main->Left() + 4125);
    EXPECT_FLOAT_EQ(forms.Video().Top(), main->Top());
    EXPECT_FLOAT_EQ(forms.Playlist().Left(), main->Left());
    EXPECT_FLOAT_EQ(forms.Playlist().Top(), main->Top() + 1710);
    EXPECT_FALSE(forms.Video().isVisible());
}

TEST_F(MainWindow, FocusShowsTheActiveTitleAndItsButtons) {
    main->Form_LostFocus();
    EXPECT_EQ(shown(main->imgTitlebar), (Origin{3, 27, 15}));
    for (auto* button : main->imgMenu) EXPECT_TRUE(button->Picture().isNull());
    main->Form_GotFocus();
    EXPECT_EQ(shown(main->imgTitlebar), (Origin{3, 27, 0}));
    EXPECT_EQ(shown(main->imgMenu[2]), (Origin{3, 18, 0}));
    EXPECT_EQ(shown(main->imgMenu[3]), (Origin{3, 0, 18}));
}

TEST_F(MainWindow, TheCaptionShowsOnlyWhileMinimised) {
    main->setWindowState(Qt::WindowMinimized);
    main->Timer1_Timer();
    EXPECT_EQ(main->Caption(), "Solvane");
    EXPECT_EQ(main->windowTitle(), "Solvane");
    main->setWindowState(Qt::WindowNoState);
    main->Timer1_Timer();
    EXPECT_EQ(main->Caption(), "");
    EXPECT_EQ(main->Timer1->interval(), 300);
    EXPECT_TRUE(main->Timer1->isActive());
}

TEST_F(MainWindow, ClosingUnloadsTheCompanionsAndEnds) {
    forms.Video();
    forms.Playlist();
    main->close();
    EXPECT_TRUE(main->Unloaded());
    EXPECT_FALSE(forms.VideoExists());
    EXPECT_FALSE(forms.PlaylistExists());
    EXPECT_FALSE(main->Timer1->isActive());
}

TEST_F(MainWindow, UnloadFromTheMenuEndsTheSameWay) {
    forms.Video();
    main->Unload();
    EXPECT_TRUE(main->Unloaded());
    EXPECT_FALSE(forms.VideoExists());
}

}  // namespace
