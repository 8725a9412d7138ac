#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScreen>

#include "FakePlaybackControl.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "playlist/FormPLS.h"
#include "video/Form1.h"

namespace {

class VideoWindow : public ::testing::Test {
  protected:
    VideoWindow() {
        forms.Main().move(100, 40);
        video = &forms.Video();
        forms.Playlist().AppendEntry("/m/a.avi", "a.avi");
        forms.Playlist().AppendEntry("/m/b.avi", "b.avi");
    }
    TestProgramDir dir;
    FakePlaybackControl* control = nullptr;
    TestForms forms{FakePlaybackControl::Factory(&control)};
    Form1* video = nullptr;
};

TEST_F(VideoWindow, APictureShowsTheWindowDockedAndAudioHidesIt) {
    control->duration = 10;
    control->pictureWidth = 320;
    control->Become(PlaybackControl::Playing);
    ASSERT_TRUE(video->isVisible());
    EXPECT_EQ(video->size(), QSize(637, 488));
    EXPECT_FLOAT_EQ(video->Left(), forms.Main().Left() + 4125);
    EXPECT_FLOAT_EQ(video->Top(), forms.Main().Top());
    EXPECT_EQ(control->Surface()->geometry(), video->rect());

    video->move(500, 500);
    control->Become(PlaybackControl::Paused);
    EXPECT_EQ(video->pos(), QPoint(500, 500)) << "a visible window stays where it is";

    control->pictureWidth = 0;
    control->Become(PlaybackControl::Playing);
    EXPECT_FALSE(video->isVisible());
}

TEST_F(VideoWindow, EachEventAtTheEndAdvancesOnce) {
    control->duration = 10;
    control->position = 9.5;
    control->Become(PlaybackControl::Playing);
    EXPECT_TRUE(control->filesOpened.isEmpty());
    control->position = 10;
    control->Become(PlaybackControl::Stopped);
    EXPECT_EQ(control->filesOpened, QStringList{"/m/a.avi"});
}

TEST_F(VideoWindow, ItIsDraggedByItsPictureWithTheLeftButtonOnly) {
    video->ShowDocked();
    const QPoint start = video->pos();
    control->EmitMouseDown(MouseArgs{1, 0, 150.4f, 300});
    EXPECT_EQ(video->StartDragX, 150);
    control->EmitMouseMove(MouseArgs{2, 0, 450, 300});
    EXPECT_EQ(video->pos(), start);
    control->EmitMouseMove(MouseArgs{1, 0, 450, 150});
    EXPECT_EQ(video->pos(), start + QPoint(20, -10));
    EXPECT_EQ(forms.Main().pos(), QPoint(100, 40));
}

TEST_F(VideoWindow, ResizeRefitsOnlyWhileTheMainWindowIsNormal) {
    video->ShowDocked();
    forms.Main().setWindowState(Qt::WindowMinimized);
    video->resize(300, 200);
    EXPECT_NE(control->Surface()->geometry(), video->rect());
    forms.Main().setWindowState(Qt::WindowNoState);
    video->Resize();
    EXPECT_EQ(control->Surface()->geometry(), video->rect());
}

void press(QWidget* window, int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
}

// Double-click or F: full screen; double-click, F or Escape: back where it docks. Meanwhile the
// main window stays, the picture is not dragged and the main window's moves leave it alone.
TEST_F(VideoWindow, FullScreenComesAndGoesByDoubleClickFAndEscape) {
    video->ShowDocked();
    video->move(400, 300);  // dragged away from its docked place
    const QRect mainBefore = forms.Main().geometry();
    const auto full = [&] {
        return video->IsFullScreen() && video->geometry() == video->screen()->geometry() &&
               control->Surface()->geometry() == video->rect();
    };

    control->EmitDoubleClick();
    EXPECT_TRUE(full());
    control->EmitMouseDown(MouseArgs{1, 0, 150, 300});
    control->EmitMouseMove(MouseArgs{1, 0, 450, 150});
    forms.Main().move(120, 80);
    forms.Operations().DockCompanions();
    EXPECT_TRUE(full()) << "neither a drag nor the main window moves it";
    control->EmitDoubleClick();
    EXPECT_FALSE(video->IsFullScreen());
    const QRect dockedNow(forms.Main().x() + 275, forms.Main().y(), 637, 488);
    EXPECT_EQ(video->geometry(), dockedNow);
    EXPECT_EQ(control->Surface()->geometry(), video->rect());

    press(video, Qt::Key_F);
    EXPECT_TRUE(full());
    press(video, Qt::Key_Escape);
    EXPECT_EQ(video->geometry(), dockedNow);
    press(video, Qt::Key_Escape);
    EXPECT_FALSE(video->IsFullScreen()) << "Escape only leaves";
    press(video, Qt::Key_F);
    press(video, Qt::Key_F);
    EXPECT_EQ(video->geometry(), dockedNow);
    EXPECT_TRUE(video->isVisible());
    EXPECT_EQ(forms.Main().size(), mainBefore.size());

    // Dragging the docked window by its picture still works.
    const QPoint start = video->pos();
    control->EmitMouseDown(MouseArgs{1, 0, 150, 300});
    control->EmitMouseMove(MouseArgs{1, 0, 450, 150});
    EXPECT_EQ(video->pos(), start + QPoint(20, -10));
}

}  // namespace
