#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>
#include <QTimer>

#include "FakePlaybackControl.h"
#include "TestSkin.h"
#include "app/Controller.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/BrowseFolder.h"
#include "playlist/FormPLS.h"
#include "video/Form1.h"

namespace {

using CoordinateSkin::Decode;
using CoordinateSkin::Origin;

QString g_folder;

class Controls : public ::testing::Test {
  protected:
    Controls() {
        main = &forms.Main();
        main->move(100, 60);
    }
    ~Controls() override {
        modBrowseFolder::SetAnswerForTests([] { return QString(); });
    }
    int level(ImageControl* track) { return Decode(track->Picture().pixel(0, 0)).y / 15 + 1; }
    MouseArgs left(float x) { return MouseArgs{1, 0, x, 5}; }
    // A drag of the knob whose left edge ends at `to` pixels.
    void dragVolumeTo(float to) {
        VolumeBalance& vb = main->volumeBalance;
        vb.imgVolumeBut_MouseDown(1, left(90));
        vb.imgVolumeBut_MouseMove(1, left(90 + to * 15 - main->imgVolumeBut[1]->Left()));
        vb.imgVolumeBut_MouseUp(1, left(0));
    }
    void dragBalanceTo(float to) {
        VolumeBalance& vb = main->volumeBalance;
        vb.imgBalanceBut_MouseDown(1, left(90));
        vb.imgBalanceBut_MouseMove(1, left(90 + to * 15 - main->imgBalanceBut[1]->Left()));
        vb.imgBalanceBut_MouseUp(1, left(0));
    }

    CoordinateSkinDir dir;
    FakePlaybackControl* control = nullptr;
    TestForms forms{FakePlaybackControl::Factory(&control)};
    frmMain* main = nullptr;
};

TEST_F(Controls, VolumeEndsSendTheirValuesAndShowTheirLevels) {
    dragVolumeTo(0);
    EXPECT_EQ(control->volume, -3000);
    EXPECT_EQ(level(main->imgVolume), 1);
    EXPECT_FLOAT_EQ(main->imgVolumeBut[0]->Left(), 107 * 15);
    dragVolumeTo(500);
    EXPECT_EQ(control->volume, 0);
    EXPECT_EQ(level(main->imgVolume), 28);
    EXPECT_FLOAT_EQ(main->imgVolumeBut[0]->Left(), 172 * 15 - 210);
    EXPECT_FLOAT_EQ(main->imgVolumeBut[1]->Left(), main->imgVolumeBut[0]->Left())
        << "realigned on release";
    EXPECT_EQ(Decode(main->imgVolumeBut[0]->Picture().pixel(0, 0)), (Origin{7, 15, 422}));
}

TEST_F(Controls, KnobsShowPressedAndIgnoreOtherButtonsAndZeroOffsets) {
    VolumeBalance& vb = main->volumeBalance;
    vb.imgVolumeBut_MouseDown(1, MouseArgs{2, 0, 50, 5});
    EXPECT_EQ(vb.VolumeDragX, 0);
    vb.imgVolumeBut_MouseDown(1, left(0.3f));
    EXPECT_EQ(Decode(main->imgVolumeBut[0]->Picture().pixel(0, 0)), (Origin{7, 0, 422}));
    const float before = main->imgVolumeBut[0]->Left();
    vb.imgVolumeBut_MouseMove(1, left(400));
    EXPECT_FLOAT_EQ(main->imgVolumeBut[0]->Left(), before) << "an offset of 0 starts no drag";
    EXPECT_EQ(control->volume, 0);
}

TEST_F(Controls, APressOnTheVolumeTrackCentresTheKnobThere) {
    main->volumeBalance.imgVolume_MouseDown(left(30));
    EXPECT_FLOAT_EQ(main->imgVolumeBut[0]->Left(), 1605 + 30 - 105);
    EXPECT_FLOAT_EQ(main->imgVolumeBut[1]->Left(), main->imgVolumeBut[0]->Left());
    EXPECT_EQ(control->volume, 0) << "nothing is sent until a drag";
}

TEST_F(Controls, BalanceSnapsToTheEndsAndTheCentre) {
    const float low = 177, high = 215 - 14, centre = low + (high - low) / 2;
    dragBalanceTo(low + 2.9f);
    EXPECT_EQ(control->balance, -3000);
    EXPECT_EQ(level(main->imgBalance), 28);
    dragBalanceTo(high - 2);
    EXPECT_EQ(control->balance, 3000);
    EXPECT_EQ(level(main->imgBalance), 28);
    dragBalanceTo(centre + 2.5f);
    EXPECT_EQ(control->balance, 0);
    EXPECT_EQ(level(main->imgBalance), 1);
    EXPECT_FLOAT_EQ(main->imgBalanceBut[0]->Left(), centre * 15);
    dragBalanceTo(centre + 8);
    EXPECT_EQ(control->balance, static_cast<int>(std::nearbyint(8.0 / (high - low) * 6000)));
    EXPECT_EQ(level(main->imgBalance),
              static_cast<int>(std::nearbyint(8 * 15 / (12 * 15 / 28.0f))));
    dragBalanceTo(centre - 8);
    EXPECT_EQ(level(main->imgBalance),
              28 - static_cast<int>(std::nearbyint(4 * 15 / (12 * 15 / 28.0f))));
}

TEST_F(Controls, TheVideoToggleShowsHidesAndRemembersInItsTag) {
    Toggles& t = main->toggles;
    ImageControl* toggle = main->imgSufRep[2];
    t.imgSufRep_MouseDown(2, left(0));
    EXPECT_EQ(Decode(toggle->Picture().pixel(0, 0)), (Origin{5, 46, 61}));  // state 1
    t.imgSufRep_MouseUp(2, left(0));
    Form1& video = forms.Video();
    EXPECT_TRUE(video.isVisible());
    EXPECT_EQ(video.size(), QSize(637, 488));
    EXPECT_FLOAT_EQ(video.Left(), main->Left() + 4125);
    EXPECT_EQ(toggle->Tag(), "0");
    EXPECT_EQ(Decode(toggle->Picture().pixel(0, 0)), (Origin{5, 0, 73}));  // state 2
    t.imgSufRep_MouseDown(2, left(0));
    EXPECT_EQ(Decode(toggle->Picture().pixel(0, 0)), (Origin{5, 46, 61}));
    t.imgSufRep_MouseUp(2, left(0));
    EXPECT_FALSE(video.isVisible());
    EXPECT_EQ(toggle->Tag(), "1");
    EXPECT_EQ(Decode(toggle->Picture().pixel(0, 0)), (Origin{5, 0, 61}));  // state 0
    t.imgSufRep_MouseDown(2, left(0));
    EXPECT_EQ(Decode(toggle->Picture().pixel(0, 0)), (Origin{5, 46, 73}));  // state 3
    t.imgSufRep_MouseUp(2, left(0));
    EXPECT_TRUE(video.isVisible());
}

TEST_F(Controls, ThePlaylistToggleAndTheEmblemDockThePlaylistBelow) {
    main->toggles.imgSufRep_MouseUp(3, left(0));
    FormPLS& pls = forms.Playlist();
    EXPECT_TRUE(pls.isVisible());
    EXPECT_FLOAT_EQ(pls.Top(), main->Top() + 1710);
    EXPECT_FLOAT_EQ(pls.Left(), main->Left());
    main->toggles.imgAmp_Click();
    EXPECT_FALSE(pls.isVisible());
    main->toggles.imgSufRep_MouseUp(3, left(0));
    EXPECT_TRUE(pls.isVisible()) << "decides by the window, not by the tag";
}

TEST_F(Controls, TheTitleBarVideoButtonLeavesToggleTwoAlone) {
    const QImage look = main->imgSufRep[2]->Picture();
    main->toggles.imgMenu_MouseDown(3, left(0));
    EXPECT_EQ(Decode(main->imgMenu[3]->Picture().pixel(0, 0)), (Origin{3, 9, 18}));
    main->toggles.imgMenu_MouseUp(3, left(0));
    EXPECT_TRUE(forms.Video().isVisible());
    main->toggles.imgMenu_MouseUp(3, left(0));
    EXPECT_FALSE(forms.Video().isVisible());
    EXPECT_EQ(main->imgSufRep[2]->Tag(), "0");
    EXPECT_EQ(main->imgSufRep[2]->Picture(), look);
}

TEST_F(Controls, MinimiseOnlyFromTheNormalState) {
    forms.Playlist().show();
    main->setWindowState(Qt::WindowMaximized);
    main->toggles.imgMenu_MouseUp(1, left(0));
    EXPECT_TRUE(forms.Playlist().isVisible());
    main->setWindowState(Qt::WindowNoState);
    main->toggles.imgMenu_MouseUp(1, left(0));
    EXPECT_TRUE(main->windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(forms.Playlist().isVisible());
}

TEST_F(Controls, ThePopupMenuAndItsExit) {
    const QList<QAction*> entries = main->mnuFile->actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0]->text(), "Choose Skin");
    EXPECT_TRUE(entries[1]->isSeparator());
    EXPECT_EQ(entries[2]->text(), "Exit");
    forms.Video();
    forms.Playlist();
    // From the keyboard, as a desktop menu: the first letter of an item runs it.
    main->mnuFile->popup(QPoint(0, 0));
    QTest::keyClick(main->mnuFile, Qt::Key_E);
    EXPECT_TRUE(main->Unloaded());
    EXPECT_FALSE(forms.VideoExists());
    EXPECT_FALSE(forms.PlaylistExists());
}

TEST_F(Controls, TheCloseButtonEnds) {
    main->toggles.imgMenu_MouseUp(2, left(0));
    EXPECT_TRUE(main->Unloaded());
}

TEST_F(Controls, ChooseSkinLoadsTheFolderAndACancelChangesNothing) {
    const QRegion shape = main->WindowRegion();
    const QImage background = main->BackgroundPicture();
    main->mnuSkin->trigger();  // the browser is cancelled
    EXPECT_EQ(main->WindowRegion(), shape);
    EXPECT_EQ(main->BackgroundPicture(), background);
    g_folder = QString::fromUtf8(qgetenv("SOLVANE_SOURCE")) + "/skins/ember";
    modBrowseFolder::SetAnswerForTests([] { return g_folder; });
    main->mnuSkin->trigger();
    EXPECT_NE(main->BackgroundPicture(), background);
    EXPECT_FALSE(main->WindowRegion().contains(QPoint(3, 3)));
    EXPECT_TRUE(main->WindowRegion().contains(QPoint(137, 58)));
}

// The operations that keys and remote commands call run what the mouse runs, so the knob,
// the slider and the play-state look follow them.
TEST_F(Controls, OperationsMoveTheKnobAndTheSliderAsTheMouseWould) {
    Controller& operations = forms.Operations();
    operations.SetVolume(0.0);
    EXPECT_EQ(control->volume, -3000);
    EXPECT_EQ(level(main->imgVolume), 1);
    operations.SetVolume(1.0);
    EXPECT_EQ(control->volume, 0);
    EXPECT_EQ(level(main->imgVolume), 28);
    EXPECT_FLOAT_EQ(main->imgVolumeBut[1]->Left(), main->imgVolumeBut[0]->Left());
    operations.SetVolume(0.5);
    EXPECT_NEAR(main->volumeBalance.VolumeFraction(), 0.5, 0.01);
    EXPECT_NEAR(control->volume, -1500, 20);

    control->duration = 100.0;
    control->seeks.clear();
    operations.SeekTo(250.0);
    ASSERT_EQ(control->seeks.size(), 1);
    EXPECT_DOUBLE_EQ(control->seeks[0], 100.0) << "held inside the file";
    EXPECT_FLOAT_EQ(
        main->imgPosSlide[0]->Left(),
        main->imgPosBar->Left() + main->imgPosBar->Width() - main->imgPosSlide[0]->Width());
    operations.SeekTo(-5.0);
    EXPECT_DOUBLE_EQ(control->seeks.last(), 0.0);
    control->duration = -1.0;
    operations.SeekTo(10.0);
    EXPECT_EQ(control->seeks.size(), 2) << "no seek while the length is unknown";

    operations.Play();
    EXPECT_EQ(control->commands.last(), "play");
    EXPECT_TRUE(main->tmrTime->isActive());
    operations.Pause();
    EXPECT_EQ(control->commands.last(), "pause");
    EXPECT_FALSE(main->tmrTime->isActive());
    operations.Stop();
    EXPECT_EQ(control->commands.last(), "stop");
    EXPECT_TRUE(main->imgNumber[0]->isHidden());
}

// Exit closes once: the companions are unloaded by the close request alone.
TEST_F(Controls, ExitUnloadsTheCompanionsOnce) {
    forms.Playlist();
    forms.Video();
    int closings = 0;
    QObject::connect(main, &frmMain::Closing, [&] { ++closings; });
    main->toggles.mnuExit_Click();
    EXPECT_EQ(closings, 1);
    EXPECT_FALSE(forms.PlaylistExists());
    EXPECT_FALSE(forms.VideoExists());
    EXPECT_TRUE(main->Unloaded());
}

}  // namespace
