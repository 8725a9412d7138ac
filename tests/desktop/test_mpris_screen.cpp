// The real program on a private screen and a private session bus, driven only by the real
// playerctl client: the answers it gives, and its window's look following each command.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <functional>

#include "BusClient.h"
#include "MediaFiles.h"
#include "ScreenSession.h"

namespace {

BusClient::Result playerctl(const QStringList& arguments) {
    return BusClient::Playerctl(arguments);
}

// Polls playerctl until it prints the text; what it printed last otherwise.
QString waitForAnswer(const QStringList& arguments, const QString& text, int timeoutMs = 10000) {
    QString said;
    WaitFor(
        [&] {
            said = playerctl(arguments).out;
            if (said == text)
                return true;
            QThread::msleep(50);
            return false;
        },
        timeoutMs);
    return said;
}

// Polls the screen until the look has changed as asked; a slow machine only takes longer.
bool looksChange(const std::function<bool()>& changed) {
    return WaitFor(
        [&] {
            if (changed())
                return true;
            QThread::msleep(100);
            return false;
        },
        10000);
}

bool makeTone(const QString& path, int seconds, const QStringList& tags = {}) {
    QStringList arguments{"-y",
                          "-loglevel",
                          "error",
                          "-f",
                          "lavfi",
                          "-i",
                          QStringLiteral("sine=frequency=440:duration=%1").arg(seconds),
                          "-c:a",
                          "libmp3lame"};
    for (const QString& tag : tags) arguments << "-metadata" << tag;
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", arguments << path);
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0;
}

class MediaKeysOnScreen : public ::testing::Test {
  protected:
    QImage part(const QRect& inMain) {
        return session.Screenshot().copy(inMain.translated(session.MainWindow().topLeft()));
    }
    static QString uri(const QString& path) { return QUrl::fromLocalFile(path).toString(); }
    bool startOnBus() {
        return session.Start() && WaitFor(
                                      [] {
                                          return BusClient::Run("playerctl", {"-l"})
                                              .out.split('\n')
                                              .contains("solvane");
                                      },
                                      10000);
    }

    // Places in the main window, in pixels.
    const QRect digits{48, 26, 51, 13};
    const QRect indicator{24, 28, 9, 9};
    const QRect seekBar{16, 72, 249, 10};
    const QRect volume{107, 57, 68, 13};
    ScreenSession session;
};

TEST_F(MediaKeysOnScreen, PlayerctlDrivesTheRealPlayerAndItsLookFollows) {
    QTemporaryDir media;
    const QString tagged = media.filePath("tagged.mp3");
    const QString plain = media.filePath("plain tone.mp3");
    ASSERT_TRUE(makeTone(tagged, 20, {"title=Tagged Tune", "artist=Some Artist", "album=Album"}));
    ASSERT_TRUE(makeTone(plain, 20));

    ASSERT_TRUE(startOnBus());
    EXPECT_EQ(playerctl({"status"}).out, "Stopped");
    const QImage stoppedDigits = part(digits);
    const QImage stoppedIndicator = part(indicator);

    ASSERT_EQ(playerctl({"open", uri(tagged)}).code, 0);
    EXPECT_EQ(waitForAnswer({"status"}, "Playing"), "Playing");
    EXPECT_EQ(waitForAnswer({"metadata", "--format", "{{title}}|{{artist}}|{{album}}"},
                            "Tagged Tune|Some Artist|Album"),
              "Tagged Tune|Some Artist|Album");
    EXPECT_NEAR(playerctl({"metadata", "mpris:length"}).out.toDouble(), 20e6, 0.3e6);
    EXPECT_TRUE(looksChange([&] {
        return part(indicator) != stoppedIndicator && part(digits) != stoppedDigits;
    })) << "the playing look, and the digits show";
    const QImage playingIndicator = part(indicator);
    const QImage running = part(digits);
    EXPECT_TRUE(looksChange([&] { return part(digits) != running; })) << "the time runs";
    session.Screenshot("mpris-1-playing.png");

    ASSERT_EQ(playerctl({"pause"}).code, 0);
    EXPECT_EQ(waitForAnswer({"status"}, "Paused"), "Paused");
    EXPECT_TRUE(looksChange([&] { return part(indicator) != playingIndicator; }))
        << "the paused look";
    QThread::msleep(300);  // the last tick of the running time lands
    const QImage paused = part(digits);
    QThread::msleep(1200);
    EXPECT_EQ(part(digits), paused) << "the time stands";

    const QImage slider = part(seekBar);
    ASSERT_EQ(playerctl({"position", "15"}).code, 0);
    EXPECT_NEAR(playerctl({"position"}).out.toDouble(), 15.0, 0.2);
    EXPECT_TRUE(looksChange([&] { return part(seekBar) != slider; })) << "the seek slider moved";

    const QImage knob = part(volume);
    ASSERT_EQ(playerctl({"volume", "0.1"}).code, 0);
    EXPECT_NEAR(playerctl({"volume"}).out.toDouble(), 0.1, 0.02);
    EXPECT_TRUE(looksChange([&] { return part(volume) != knob; })) << "the volume knob moved";
    session.Screenshot("mpris-2-paused-seeked-quiet.png");

    ASSERT_EQ(playerctl({"play-pause"}).code, 0);
    EXPECT_EQ(waitForAnswer({"status"}, "Playing"), "Playing");
    ASSERT_EQ(playerctl({"open", uri(plain)}).code, 0);
    ASSERT_EQ(playerctl({"next"}).code, 0);
    EXPECT_EQ(
        waitForAnswer({"metadata", "--format", "{{title}}|{{xesam:url}}"},
                      "plain tone.mp3|" + QUrl::fromLocalFile(plain).toString(QUrl::FullyEncoded)),
        "plain tone.mp3|" + QUrl::fromLocalFile(plain).toString(QUrl::FullyEncoded));
    ASSERT_EQ(playerctl({"previous"}).code, 0);
    EXPECT_EQ(waitForAnswer({"metadata", "--format", "{{title}}"}, "Tagged Tune"), "Tagged Tune");

    ASSERT_EQ(playerctl({"stop"}).code, 0);
    EXPECT_EQ(waitForAnswer({"status"}, "Stopped"), "Stopped");
    QThread::msleep(500);
    EXPECT_EQ(part(digits), stoppedDigits) << "the digits go with the stopped look";
    EXPECT_EQ(part(indicator), stoppedIndicator);

    EXPECT_EQ(BusClient::Call("org.mpris.MediaPlayer2", "Quit").code, 0);
    EXPECT_TRUE(session.Player().waitForFinished(10000)) << "the program did not end";
    EXPECT_EQ(session.Player().exitCode(), 0);
}

// A pause sent the moment the desktop first hears "Playing" finds the file still opening:
// it opens paused, and the status and the look say so.
TEST_F(MediaKeysOnScreen, APauseTheMomentPlayingIsAnnouncedHoldsEveryTime) {
    QTemporaryDir media;
    const QStringList files{media.filePath("one.mp3"), media.filePath("two.mp3")};
    for (const QString& file : files) ASSERT_TRUE(makeTone(file, 20));
    ASSERT_TRUE(startOnBus());
    const QImage stoppedLook = part(indicator);
    QProcess follow;  // prints the status at every change
    QStringList said;
    QObject::connect(&follow, &QProcess::readyReadStandardOutput, [&] {
        said += QString::fromUtf8(follow.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    });
    follow.start("playerctl", {"-p", "solvane", "status", "--follow"});
    ASSERT_TRUE(follow.waitForStarted(5000));
    QList<QImage> pausedLooks;
    for (int round = 0; round < 20; ++round) {
        said.clear();
        const auto start = round == 0 ? QStringList{"open", uri(files[0])} : QStringList{"next"};
        ASSERT_EQ(playerctl(start).code, 0);
        ASSERT_TRUE(WaitFor([&] { return said.contains("Playing"); }, 10000)) << round;
        ASSERT_EQ(playerctl({"pause"}).code, 0);
        ASSERT_EQ(waitForAnswer({"status"}, "Paused"), "Paused") << "round " << round;
        QThread::msleep(300);
        ASSERT_EQ(playerctl({"status"}).out, "Paused") << "round " << round << ": it stays paused";
        pausedLooks << part(indicator);
        if (round == 0) {
            ASSERT_EQ(playerctl({"open", uri(files[1])}).code, 0) << "the second entry";
        }
    }
    follow.kill();
    follow.waitForFinished(2000);
    ASSERT_EQ(playerctl({"play"}).code, 0);
    ASSERT_EQ(waitForAnswer({"status"}, "Playing"), "Playing");
    QThread::msleep(300);
    const QImage playingLook = part(indicator);
    for (const QImage& look : pausedLooks) {
        EXPECT_EQ(look, pausedLooks.first());
        EXPECT_NE(look, playingLook);
        EXPECT_NE(look, stoppedLook);
    }
}

}  // namespace
