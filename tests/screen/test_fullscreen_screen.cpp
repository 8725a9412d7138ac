#include <gtest/gtest.h>

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>

#include "MediaFiles.h"
#include "ScreenSession.h"
#include "TestForms.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/MpvPlaybackControl.h"
#include "platform/VideoSurface.h"
#include "playlist/FormPLS.h"
#include "video/Form1.h"

namespace {

MediaFiles& media() {
    static MediaFiles files;
    return files;
}

bool makeColour(const QString& name, const char* colour, double seconds) {
    return media().Make(
        name,
        {"-f", "lavfi", "-i",
         QStringLiteral("color=c=%1:size=320x240:rate=25:duration=%2").arg(colour).arg(seconds),
         "-c:v", "mpeg4", "-vtag", "DIVX"});
}

char colourOf(QRgb pixel) {
    if (qRed(pixel) > 150 && qGreen(pixel) < 90 && qBlue(pixel) < 90)
        return 'R';
    if (qBlue(pixel) > 150 && qRed(pixel) < 90 && qGreen(pixel) < 90)
        return 'B';
    if (qRed(pixel) < 40 && qGreen(pixel) < 40 && qBlue(pixel) < 40)
        return 'K';
    return '?';
}

// The player's windows in this process on the test's X screen, playing through real libmpv.
class OnScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(media().Ok());
        ASSERT_TRUE(makeColour("red.avi", "0xe01010", 6));
        ASSERT_TRUE(makeColour("blue.avi", "0x1010e0", 2));
        main.move(20, 20);
        main.show();
    }
    void play(std::initializer_list<const char*> names) {
        for (const char* name : names) forms.Playlist().AppendEntry(media().Path(name), name);
        forms.Playlist().PlayNext();
        main.GoPlay(false);
    }
    static void pause(int ms) {
        WaitFor([] { return false; }, ms);
    }
    static void doubleClickAt(QPoint point) {
        ScreenSession::Run("xdotool",
                           {"mousemove", QString::number(point.x()), QString::number(point.y())});
        pause(100);
        ScreenSession::Run("xdotool", {"click", "--repeat", "2", "--delay", "60", "1"});
    }
    // Whether the red 4:3 picture fills the screen's width, at its middle and both edges.
    static bool redAcrossTheScreen() {
        const QImage shot = ScreenSession().Screenshot();
        const int middle = shot.height() / 2;
        for (int x : {8, shot.width() / 2, shot.width() - 8})
            if (colourOf(shot.pixel(x, middle)) != 'R')
                return false;
        return true;
    }

    TestProgramDir dir;
    TestForms forms{
        [] { return std::make_unique<MpvPlaybackControl>(MpvPlaybackControl::Options::Silent()); }};
    frmMain& main = forms.Main();
};

TEST_F(OnScreen, DoubleClickAndFGoFullScreenDoubleClickFAndEscapeComeBack) {
    play({"red.avi"});
    Form1& video = forms.Video();
    ASSERT_TRUE(WaitFor([&] { return video.isVisible(); }, 10000));
    pause(500);
    const QRect docked = video.geometry();
    const QRect mainPlace = main.geometry();
    const QRect screen = video.screen()->geometry();

    doubleClickAt(docked.center());
    ASSERT_TRUE(WaitFor([&] { return video.IsFullScreen(); }, 5000));
    ASSERT_TRUE(WaitFor([&] { return video.geometry() == screen; }, 5000));
    ASSERT_TRUE(WaitFor([&] { return redAcrossTheScreen(); }, 5000));
    ScreenSession().Screenshot(QStringLiteral("video-full-screen.png"));
    auto* surface = static_cast<VideoSurface*>(video.mediaPlay().Surface());
    EXPECT_EQ(surface->Frame().size(), surface->DeviceSize()) << "rendered at its own size";
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.geometry(), mainPlace) << "the main window stays as it is";

    ScreenSession::Key("Escape");
    ASSERT_TRUE(WaitFor([&] { return !video.IsFullScreen() && video.geometry() == docked; }, 5000))
        << "Escape";
    ScreenSession::Key("f");
    ASSERT_TRUE(WaitFor([&] { return video.IsFullScreen(); }, 5000)) << "F";
    ScreenSession::Key("f");
    ASSERT_TRUE(WaitFor([&] { return !video.IsFullScreen() && video.geometry() == docked; }, 5000))
        << "F again";
    doubleClickAt(docked.center());
    ASSERT_TRUE(WaitFor([&] { return video.IsFullScreen(); }, 5000));
    pause(300);
    doubleClickAt(QPoint(screen.width() / 3, screen.height() / 3));
    ASSERT_TRUE(WaitFor([&] { return !video.IsFullScreen() && video.geometry() == docked; }, 5000))
        << "double-click back";
    EXPECT_EQ(main.geometry(), mainPlace);
}

// Every picture painted from the end of one video to the start of the next is one of the two
// videos': the change shows no black frame, and the window stays up.
TEST_F(OnScreen, AVideoFollowedByAnotherShowsNoBlackFrameBetween) {
    ASSERT_TRUE(makeColour("red-short.avi", "0xe01010", 1.5));
    Form1& video = forms.Video();
    auto* surface = static_cast<VideoSurface*>(video.mediaPlay().Surface());
    QString painted;
    bool hiddenOnTheWay = false;
    struct PaintWatch : QObject {
        std::function<void()> onPaint;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                onPaint();
            return false;
        }
    } watch;
    watch.onPaint = [&] {
        const QImage& frame = surface->Frame();
        if (frame.isNull())
            return;
        const char seen = colourOf(frame.pixel(frame.width() / 2, frame.height() / 2));
        if (painted.isEmpty() || painted.back() != QLatin1Char(seen))
            painted += QLatin1Char(seen);
        if (!painted.isEmpty() && painted.contains('R') && !video.isVisible())
            hiddenOnTheWay = true;
    };
    surface->installEventFilter(&watch);
    play({"red-short.avi", "blue.avi"});
    ASSERT_TRUE(WaitFor([&] { return painted.contains('B'); }, 15000)) << painted.toStdString();
    pause(300);
    surface->removeEventFilter(&watch);
    const QString fromRed = painted.mid(painted.indexOf('R'));
    EXPECT_TRUE(fromRed.startsWith("RB")) << painted.toStdString();
    EXPECT_FALSE(fromRed.contains('K')) << painted.toStdString();
    EXPECT_FALSE(hiddenOnTheWay);
}

}  // namespace
