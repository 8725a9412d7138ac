// The real program's command line on a private screen and a private session bus: options,
// files given at start, files handed to a running player, a player of its own on request,
// and a new start after a crash.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QUrl>

#include "BusClient.h"
#include "MediaFiles.h"
#include "ScreenSession.h"

namespace {

MediaFiles& media() {
    static MediaFiles files;
    return files;
}

struct Ended {
    int code = -1;
    QString out;
    QString err;
    qint64 ms = 0;
};

// A start of the program that is expected to end by itself.
Ended runToEnd(const QStringList& arguments) {
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(qEnvironmentVariable("SOLVANE_BINARY"), arguments);
    Ended ended;
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(2000);
        return ended;
    }
    ended.ms = clock.elapsed();
    ended.code = process.exitCode();
    ended.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    ended.err = QString::fromLocal8Bit(process.readAllStandardError());
    return ended;
}

QString waitForAnswer(const QStringList& arguments, const QString& text) {
    QString said;
    WaitFor(
        [&] {
            said = BusClient::Playerctl(arguments).out;
            if (said == text)
                return true;
            QThread::msleep(50);
            return false;
        },
        10000);
    return said;
}

int mainWindowsShowing() {
    const QString ids =
        ScreenSession::Run("xdotool", {"search", "--onlyvisible", "--class", "solvane"});
    int count = 0;
    for (const QString& id : ids.split('\n', Qt::SkipEmptyParts))
        if (ScreenSession::Run("xwininfo", {"-id", id.trimmed()}).contains("Width: 275"))
            ++count;
    return count;
}

TEST(CommandLine, OptionsAnswerAndEnd) {
    const Ended version = runToEnd({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.section('\n', 0, 0), "solvane 0.1");
    EXPECT_TRUE(version.out.contains("GPL version 3 or later")) << "the licence in one line";
    const Ended help = runToEnd({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: solvane [OPTION]...")) << help.out.toStdString();
    const Ended unknown = runToEnd({"--shiny"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_TRUE(unknown.err.startsWith("solvane: unrecognized option '--shiny'\nUsage:"))
        << unknown.err.toStdString();
    EXPECT_TRUE(unknown.out.isEmpty());
}

TEST(CommandLine, FilesGivenAtStartPlayAndLaterStartsHandTheirsOver) {
    ASSERT_TRUE(media().Ok());
    ScreenSession first;
    ASSERT_TRUE(
        first.Start({}, QSize(275, 116), {media().Path("short1.mp3"), "/nowhere/gone.avi"}));
    EXPECT_EQ(waitForAnswer({"status"}, "Playing"), "Playing") << "the first file starts";
    EXPECT_EQ(BusClient::Playerctl({"metadata", "xesam:url"}).out,
              QUrl::fromLocalFile(media().Path("short1.mp3")).toString());

    const Ended second = runToEnd({media().Path("clip.mp3")});
    EXPECT_EQ(second.code, 0);
    EXPECT_LT(second.ms, 3000) << "hands over and ends";
    EXPECT_EQ(mainWindowsShowing(), 1) << "no second player";
    EXPECT_EQ(BusClient::Playerctl({"metadata", "xesam:url"}).out,
              QUrl::fromLocalFile(media().Path("short1.mp3")).toString())
        << "what plays goes on";
    BusClient::Playerctl({"next"});
    EXPECT_EQ(waitForAnswer({"metadata", "xesam:url"},
                            QUrl::fromLocalFile(media().Path("clip.mp3")).toString()),
              QUrl::fromLocalFile(media().Path("clip.mp3")).toString())
        << "the handed-over file is the next entry";

    const Ended bare = runToEnd({});
    EXPECT_EQ(bare.code, 0) << "a bare second start only raises the running player";
    EXPECT_EQ(mainWindowsShowing(), 1);

    ScreenSession own;
    ASSERT_TRUE(own.Start({}, QSize(275, 116), {"--new-instance"}));
    WaitFor([] { return mainWindowsShowing() == 2; }, 5000);
    EXPECT_EQ(mainWindowsShowing(), 2) << "--new-instance starts a player of its own";
}

TEST(CommandLine, APlayerThatCrashedDoesNotBlockANewStart) {
    ScreenSession crashed;
    ASSERT_TRUE(crashed.Start());
    crashed.Player().kill();  // SIGKILL: nothing is cleaned up
    crashed.Player().waitForFinished(5000);
    WaitFor([] { return mainWindowsShowing() == 0; }, 5000);
    ScreenSession next;
    EXPECT_TRUE(next.Start()) << "the new start shows its own window";
}

// Each remote command reaches the running player through its operations, as its button
// would, and ends at once; with no player running it says so and fails.
TEST(CommandLine, RemoteCommandsDriveTheRunningPlayer) {
    const Ended none = runToEnd({"--play"});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.err.trimmed(), "solvane: no player is running");
    const QStringList tone{"-f", "lavfi", "-i", "sine=frequency=440:duration=60"};
    ASSERT_TRUE(media().Make("long1.mp3", tone) && media().Make("long2.mp3", tone));
    const QString first = QUrl::fromLocalFile(media().Path("long1.mp3")).toString();
    const QString second = QUrl::fromLocalFile(media().Path("long2.mp3")).toString();
    ScreenSession player;
    ASSERT_TRUE(
        player.Start({}, QSize(275, 116), {media().Path("long1.mp3"), media().Path("long2.mp3")}));
    ASSERT_EQ(waitForAnswer({"status"}, "Playing"), "Playing");

    struct Step {
        const char* option;
        QStringList ask;
        QString answer;
    };
    const Step steps[] = {
        {"--pause", {"status"}, "Paused"},
        {"--play", {"status"}, "Playing"},
        {"--play-pause", {"status"}, "Paused"},
        {"--play-pause", {"status"}, "Playing"},
        {"--next", {"metadata", "xesam:url"}, second},
        {"--previous", {"metadata", "xesam:url"}, first},
        {"--stop", {"status"}, "Stopped"},
    };
    // A file still opening takes no pause or stop yet (the buttons' way too): each command
    // waits for a playing file's clock to run.
    const auto settled = [] {
        return BusClient::Playerctl({"status"}).out != "Playing" ||
               BusClient::Playerctl({"position"}).out.toDouble() > 0.3;
    };
    for (const Step& step : steps) {
        WaitFor(settled, 10000);
        const Ended sent = runToEnd({step.option});
        EXPECT_EQ(sent.code, 0) << step.option << ": " << sent.err.toStdString();
        EXPECT_LT(sent.ms, 3000) << step.option;
        EXPECT_EQ(waitForAnswer(step.ask, step.answer), step.answer) << step.option;
    }
    const auto volume = [] { return BusClient::Playerctl({"volume"}).out.toDouble(); };
    for (const char* option : {"--volume-down", "--volume-up"}) {
        const double before = volume();
        EXPECT_EQ(runToEnd({option}).code, 0);
        EXPECT_TRUE(WaitFor([&] { return volume() != before; }, 5000)) << option;
        EXPECT_EQ(volume() > before, QByteArray(option) == "--volume-up") << option;
    }
}

}  // namespace
