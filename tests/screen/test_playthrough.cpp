#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QThread>

#include "MediaFiles.h"
#include "ScreenSession.h"

namespace {

// The road of one play-through as a user takes it, on the real program: eject, type the path
// into the file dialog, watch it play docked with the time running, show the playlist, close.
TEST(Playthrough, EjectChoosePlayShowThePlaylistAndClose) {
    MediaFiles media;
    ASSERT_TRUE(
        media.Make("road.avi", {"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=20",
                                "-f", "lavfi", "-i", "sine=frequency=330:duration=20", "-c:v",
                                "mpeg4", "-vtag", "DIVX", "-c:a", "libmp3lame"}));
    ScreenSession session;
    ASSERT_TRUE(session.Start());
    QThread::msleep(500);
    const QRect main = session.MainWindow();
    session.Screenshot("playthrough-1-started.png");

    session.Click(QPoint(146, 96));  // eject
    ASSERT_TRUE(ScreenSession::WaitForTitle("Choose media to play", 15000))
        << "the file dialog did not open";
    QThread::msleep(500);
    session.Screenshot("playthrough-2-dialog.png");
    ScreenSession::Type(media.Path("road.avi"));
    ScreenSession::Key("Return");

    const QRect video = ScreenSession::WindowOfSize(QSize(637, 488), 15000);
    ASSERT_FALSE(video.isEmpty()) << "the video window did not appear";
    EXPECT_EQ(video.left(), main.left() + 275) << "docked to the right";
    EXPECT_EQ(video.top(), main.top());
    QThread::msleep(1500);
    const QImage first = session.Screenshot("playthrough-3-playing.png");
    const QRect digits(main.left() + 48, main.top() + 26, 51, 13);
    // A busy machine may take longer than a second to show the next second: wait for it.
    QImage later = first;
    for (QDeadlineTimer deadline(15000);
         later.copy(digits) == first.copy(digits) && !deadline.hasExpired();) {
        QThread::msleep(250);
        later = session.Screenshot();
    }
    EXPECT_NE(first.copy(digits), later.copy(digits)) << "the time digits run";
    const QRgb centre = later.pixel(video.center());
    EXPECT_GT(qRed(centre) + qGreen(centre) + qBlue(centre), 60) << "the picture is not black";

    session.Click(QPoint(253, 64));  // the playlist toggle
    const QRect playlist = ScreenSession::WindowOfSize(QSize(275, 261), 10000);
    ASSERT_FALSE(playlist.isEmpty()) << "the playlist window did not appear";
    EXPECT_EQ(playlist.topLeft(), main.topLeft() + QPoint(0, 114));
    int bright = 0;
    int countInk = 0;
    // The window maps before its first paint lands; look until both show or time is up.
    for (QDeadlineTimer deadline(10000);
         !(bright > 10 && countInk > 3) && !deadline.hasExpired();) {
        QThread::msleep(200);
        const QImage list = session.Screenshot("playthrough-4-playlist.png");
        bright = 0;
        for (int y = playlist.top() + 19; y < playlist.top() + 35; ++y)
            for (int x = playlist.left() + 8; x < playlist.left() + 120; ++x)
                bright += qGray(list.pixel(x, y)) > 160;
        countInk = 0;
        for (int y = playlist.top() + 229; y < playlist.top() + 241; ++y)
            for (int x = playlist.left() + 196; x < playlist.left() + 221; ++x)
                countInk += qGray(list.pixel(x, y)) > 160;
    }
    EXPECT_GT(bright, 10) << "the entry's name shows in the list";
    EXPECT_GT(countInk, 3) << "the count shows";

    session.Click(QPoint(268, 7));  // the title bar's close button
    EXPECT_TRUE(session.Player().waitForFinished(10000)) << "the program did not end";
    EXPECT_EQ(session.Player().exitStatus(), QProcess::NormalExit);
}

}  // namespace
