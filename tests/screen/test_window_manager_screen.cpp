#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include "ScreenSession.h"

namespace {

const QSize kMain(275, 116);
const QSize kPlaylist(275, 261);

// A real window manager on the test's screen for the test's life.
class WindowManager {
  public:
    WindowManager() {
        wm_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        QDeadlineTimer deadline(10000);
        while (!Running() && !deadline.hasExpired()) QThread::msleep(100);
    }
    ~WindowManager() {
        wm_.terminate();
        if (!wm_.waitForFinished(3000))
            wm_.kill();
        wm_.waitForFinished(1000);
    }
    static bool Running() {
        return ScreenSession::Run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"})
            .contains(QLatin1String("window id"));
    }

  private:
    QProcess wm_;
};

// Whether the playlist window comes to rest docked under the main window, wherever that is.
bool playlistDocksUnderMain() {
    QRect main;
    QRect playlist;
    for (QDeadlineTimer deadline(10000); !deadline.hasExpired(); QThread::msleep(100)) {
        main = ScreenSession::WindowOfSize(kMain, 2000);
        playlist = ScreenSession::WindowOfSize(kPlaylist, 2000);
        if (!main.isEmpty() && playlist.topLeft() == main.topLeft() + QPoint(0, 114))
            return true;
    }
    ADD_FAILURE() << "main at " << main.x() << "," << main.y() << ", playlist at " << playlist.x()
                  << "," << playlist.y();
    return false;
}

// The window manager's move and the player's own drag both carry the docked playlist along.
TEST(WindowManagerOnScreen, TheDockedPlaylistFollowsEveryMoveOfThePlayer) {
    WindowManager wm;
    ASSERT_TRUE(WindowManager::Running()) << "openbox did not start";
    ScreenSession session;
    ASSERT_TRUE(session.Start());
    session.Click(QPoint(253, 64));  // the playlist toggle
    ASSERT_FALSE(ScreenSession::WindowOfSize(kPlaylist, 10000).isEmpty());
    ASSERT_TRUE(playlistDocksUnderMain()) << "shown docked";

    ScreenSession::Run("xdotool", {"windowmove", session.MainWindowId(), "400", "300"});
    EXPECT_TRUE(playlistDocksUnderMain()) << "after the window manager moved the player";
    session.Screenshot("window-manager-move.png");

    // The player's own drag by the title bar.
    const QRect main = ScreenSession::WindowOfSize(kMain, 2000);
    QPoint at = main.topLeft() + QPoint(150, 6);
    ScreenSession::Run("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()),
                                   "mousedown", "1"});
    for (int step = 0; step < 10; ++step) {
        at += QPoint(-15, -10);
        ScreenSession::Run("xdotool",
                           {"mousemove", QString::number(at.x()), QString::number(at.y())});
        QThread::msleep(30);
    }
    ScreenSession::Run("xdotool", {"mouseup", "1"});
    EXPECT_NE(ScreenSession::WindowOfSize(kMain, 2000).topLeft(), main.topLeft()) << "dragged";
    EXPECT_TRUE(playlistDocksUnderMain()) << "after the player's own drag";
    session.Screenshot("window-manager-drag.png");
}

}  // namespace
