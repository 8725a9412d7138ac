// The real program in a Wayland session: mutter nested on Xvfb, XWayland beside it, no
// QT_QPA_PLATFORM (see scripts/with-compositor.sh). Screenshots are taken of the Xvfb screen,
// where the compositor shows what it composed.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "MediaFiles.h"
#include "ScreenSession.h"

namespace {

const QRgb kRed = qRgb(0xe0, 0x10, 0x10);

// A program run on the Xvfb screen itself.
QProcess* onHost(QProcess& process, const QString& program, const QStringList& arguments) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", qEnvironmentVariable("SOLVANE_HOST_DISPLAY"));
    env.insert("XAUTHORITY", qEnvironmentVariable("SOLVANE_HOST_XAUTHORITY"));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.waitForFinished(10000);
    return &process;
}

QImage screenshot(const QString& keepAs) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/shot.png";
    QProcess import;
    onHost(import, "import", {"-window", "root", file});
    const QImage shot = QImage(file).convertToFormat(QImage::Format_RGB32);
    const QString folder = qEnvironmentVariable("SOLVANE_ARTIFACTS", QDir::tempPath());
    QDir().mkpath(folder);
    shot.save(folder + "/" + keepAs);
    return shot;
}

// The pointer on the Xvfb screen, which the compositor passes to its clients.
void pointer(const QStringList& actions) {
    QProcess xdotool;
    onHost(xdotool, "xdotool", actions);
}

bool near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

int count(const QImage& shot, QRgb colour, int tolerance) {
    int n = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) n += near(shot.pixel(x, y), colour, tolerance);
    return n;
}

// The outline's key colour, or anything close to it that a wrong alpha would make.
int magenta(const QImage& shot) {
    return count(shot, qRgb(255, 0, 255), 60);
}

// The previous button of the shipped skin: where it shows, the main window is at the
// returned point less (16, 88); null when it shows nowhere. The compositor may be a step off
// in a channel.
QPoint findMainWindow(const QImage& shot) {
    const QImage button =
        QImage(qEnvironmentVariable("SOLVANE_SOURCE") + "/skins/silence/cbuttons.bmp")
            .convertToFormat(QImage::Format_RGB32)
            .copy(0, 0, 22, 17);
    for (int y = 88; y + 17 <= shot.height(); ++y)
        for (int x = 16; x + 22 <= shot.width(); ++x) {
            bool same = true;
            for (int dy = 0; same && dy < 17; ++dy)
                for (int dx = 0; same && dx < 22; ++dx)
                    same = near(shot.pixel(x + dx, y + dy), button.pixel(dx, dy), 3);
            if (same)
                return QPoint(x - 16, y - 88);
        }
    return QPoint();
}

// The compositor's desktop with no window on it, taken once before the first player starts.
const QImage& desktop() {
    static const QImage shot = screenshot("wayland-desktop.png");
    return shot;
}

// Corners of the main window where the desktop does not show.
int uncutCorners(const QImage& shot, QPoint origin) {
    int uncut = 0;
    for (const QPoint corner : {QPoint(0, 0), QPoint(274, 0), QPoint(0, 115), QPoint(274, 115)})
        uncut += !near(shot.pixel(origin + corner), desktop().pixel(origin + corner), 3);
    return uncut;
}

MediaFiles& media() {
    static MediaFiles files;
    static const bool made = files.Make(
        "red.avi", {"-f", "lavfi", "-i", "color=c=0xe01010:size=320x240:rate=25:duration=30",
                    "-c:v", "mpeg4", "-q:v", "2"});
    EXPECT_TRUE(made);
    return files;
}

TEST(WaylandSession, IsAWaylandSessionWithXWayland) {
    EXPECT_FALSE(qEnvironmentVariable("WAYLAND_DISPLAY").isEmpty());
    EXPECT_FALSE(qEnvironmentVariable("DISPLAY").isEmpty());
    EXPECT_TRUE(qEnvironmentVariable("QT_QPA_PLATFORM").isEmpty());
    EXPECT_FALSE(qEnvironmentVariable("SOLVANE_HOST_DISPLAY").isEmpty());
}

// With no platform chosen the player asks for X11: its windows are XWayland's, the outline is
// cut, the companions dock, and the picture shows in the file's colours.
TEST(WaylandSession, ByDefaultThePlayerIsAnX11ClientAndLooksAsOnX11) {
    ASSERT_FALSE(desktop().isNull());  // taken before any player shows
    ScreenSession session;
    ASSERT_TRUE(session.Start({"QT_QPA_PLATFORM="}, QSize(275, 116), {media().Path("red.avi")}))
        << "no main window among XWayland's X11 windows";
    const QRect main = session.MainWindow();
    const QRect video = ScreenSession::WindowOfSize(QSize(637, 488), 20000);
    ASSERT_FALSE(video.isEmpty()) << "no video window among XWayland's X11 windows";
    EXPECT_EQ(video.topLeft(), main.topLeft() + QPoint(275, 0)) << "the video docks at the right";

    const QPoint toggle = main.topLeft() + QPoint(253, 64);  // the playlist toggle
    pointer({"mousemove", QString::number(toggle.x()), QString::number(toggle.y())});
    QThread::msleep(100);
    pointer({"click", "1"});
    const QRect playlist = ScreenSession::WindowOfSize(QSize(275, 261), 10000);
    ASSERT_FALSE(playlist.isEmpty()) << "the playlist window did not show";
    EXPECT_EQ(playlist.topLeft(), main.topLeft() + QPoint(0, 114)) << "the playlist docks below";

    QImage shot;
    WaitFor(
        [&] {
            shot = screenshot("wayland-default.png");
            return near(shot.pixel(video.center()), kRed, 40);
        },
        15000);
    EXPECT_TRUE(near(shot.pixel(video.center()), kRed, 40))
        << std::hex << shot.pixel(video.center());
    EXPECT_EQ(magenta(shot), 0);
    EXPECT_EQ(findMainWindow(shot), main.topLeft()) << "the main window shows whole";
}

// Native Wayland when the user asks for it: the outline cut by transparency, the picture in
// the file's colours, and a title-bar drag handed to the compositor.
TEST(WaylandSession, ForcedNativeWaylandCutsTheOutlineShowsThePictureAndDrags) {
    ASSERT_FALSE(desktop().isNull());
    // An earlier player's windows may still be on the screen a moment after it ended.
    ASSERT_TRUE(
        WaitFor([] { return findMainWindow(screenshot("wayland-cleared.png")).isNull(); }, 10000));
    QProcess player;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "wayland");
    player.setProcessEnvironment(env);
    player.setProcessChannelMode(QProcess::ForwardedChannels);
    player.start(qEnvironmentVariable("SOLVANE_BINARY"), {media().Path("red.avi")});
    ASSERT_TRUE(player.waitForStarted(10000));

    QImage shot;
    QPoint origin;
    WaitFor(
        [&] {
            shot = screenshot("wayland-native.png");
            origin = findMainWindow(shot);
            return !origin.isNull() && count(shot, kRed, 40) > 150000;
        },
        30000);
    ASSERT_FALSE(origin.isNull()) << "the main window shows nowhere";
    EXPECT_GT(count(shot, kRed, 40), 150000) << "the picture shows in the file's colours";
    EXPECT_EQ(magenta(shot), 0);
    EXPECT_EQ(uncutCorners(shot, origin), 0);

    const QPoint grip = origin + QPoint(100, 5);
    pointer({"mousemove", QString::number(grip.x()), QString::number(grip.y())});
    pointer({"mousedown", "1"});
    for (int step = 1; step <= 10; ++step) {
        QThread::msleep(30);
        pointer({"mousemove", QString::number(grip.x() + 6 * step),
                 QString::number(grip.y() + 4 * step)});
    }
    pointer({"mouseup", "1"});
    QPoint moved;
    WaitFor(
        [&] {
            moved = findMainWindow(screenshot("wayland-native-dragged.png"));
            return moved == origin + QPoint(60, 40);
        },
        5000);
    EXPECT_EQ(moved, origin + QPoint(60, 40)) << "the title bar drags the window";
    player.terminate();
    if (!player.waitForFinished(5000))
        player.kill();
}

}  // namespace
