#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "MediaFiles.h"
#include "TestForms.h"
#include "TestSkin.h"
#include "app/Controller.h"
#include "app/Forms.h"
#include "platform/MpvPlaybackControl.h"
#include "playlist/FormPLS.h"
#include "video/Form1.h"

namespace {

MediaFiles& media() {
    static MediaFiles files;
    return files;
}

QString name(const QString& path) {
    return path.section('/', -1);
}

// What a control said, one line per state change: the state, the file, "end" at the end.
class Log {
  public:
    explicit Log(PlaybackControl& control) {
        QObject::connect(&control, &PlaybackControl::StateChange, [this, &control](int, int now) {
            const bool end = control.CurrentPosition() == control.Duration();
            lines << QStringLiteral("%1 %2%3").arg(now).arg(name(control.FileName()),
                                                            end ? " end" : "");
        });
    }
    int count(const QString& line) const { return lines.count(line); }
    QStringList lines;
};

// The samples of the first channel of a 16-bit WAV file, past its header.
std::vector<int> firstChannel(const QString& path, int channels) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const qsizetype data = bytes.indexOf("data");
    if (data < 0)
        return {};
    const auto* samples = reinterpret_cast<const qint16*>(bytes.constData() + data + 8);
    const qsizetype frames = (bytes.size() - data - 8) / (2 * channels);
    std::vector<int> out;
    for (qsizetype i = 0; i < frames; ++i) out.push_back(samples[i * channels]);
    return out;
}

// One tone cut at a sample that is no multiple of any usual block size, played through the
// whole player into a WAV file: the written sound is the uncut tone, sample for sample, so the
// joint neither drops, repeats nor pads anything. The chain is 16-bit in and out at full volume
// with no filter, exact in practice; 2 steps of 32768 (-84 dB) leave room for one rounding,
// where silence or a repeat at the joint differs by thousands. The WAV writer keeps no clock,
// so the time a change takes is the gap benchmark's to show, not this file's.
TEST(Gapless, TwoHalvesOfAToneJoinWithoutSilenceOrRepeat) {
    ASSERT_TRUE(media().Ok());
    const QStringList pcm{"-ac", "2", "-c:a", "pcm_s16le"};
    ASSERT_TRUE(media().Make("tone.wav", QStringList{"-f", "lavfi", "-i",
                                                     "sine=frequency=440:sample_rate=44100:"
                                                     "duration=2"} +
                                             pcm));
    ASSERT_TRUE(media().Make(
        "half1.wav",
        QStringList{"-i", media().Path("tone.wav"), "-af", "atrim=end_sample=45001"} + pcm));
    ASSERT_TRUE(media().Make(
        "half2.wav",
        QStringList{"-i", media().Path("tone.wav"), "-af", "atrim=start_sample=45001"} + pcm));
    QTemporaryDir out;
    const QString wav = out.path() + "/out.wav";
    QStringList lines;
    {
        TestProgramDir dir;
        std::unique_ptr<Log> logged;
        TestForms forms([&] {
            auto control =
                std::make_unique<MpvPlaybackControl>(MpvPlaybackControl::Options::IntoWav(wav));
            logged = std::make_unique<Log>(*control);
            return control;
        });
        forms.Operations().SetVolume(1.0);
        PlaybackControl& control = forms.Video().mediaPlay();
        ASSERT_EQ(control.Volume(), 0);
        Log& log = *logged;
        forms.Playlist().AppendEntry(media().Path("half1.wav"), "half1");
        forms.Playlist().AppendEntry(media().Path("half2.wav"), "half2");
        forms.Playlist().PlayNext();
        ASSERT_TRUE(WaitFor([&] { return log.count("2 half1.wav") == 2; }, 20000))
            << log.lines.join(", ").toStdString();
        lines = log.lines;
        EXPECT_EQ(static_cast<MpvPlaybackControl&>(control).Loads(), 1)
            << "each next file was found started, not opened again";
    }
    // Each end was reported as the end, and the next file came on by the windows' own rule.
    EXPECT_EQ(lines.mid(0, 8).join(", ").toStdString(),
              "3 half1.wav, 2 half1.wav, 0 half1.wav end, 3 half2.wav, 2 half2.wav, "
              "0 half2.wav end, 3 half1.wav, 2 half1.wav");

    const std::vector<int> tone = firstChannel(media().Path("tone.wav"), 2);
    const std::vector<int> written = firstChannel(wav, 2);
    ASSERT_EQ(tone.size(), 88200u);
    ASSERT_GE(written.size(), tone.size());
    int worst = 0;
    size_t firstWrong = tone.size();
    for (size_t i = 0; i < tone.size(); ++i) {
        const int difference = std::abs(written[i] - tone[i]);
        if (difference > 2 && firstWrong == tone.size())
            firstWrong = i;
        worst = std::max(worst, difference);
    }
    EXPECT_LE(worst, 2) << "first differs at sample " << firstWrong << " (joint at 45001)";
}

class QueuedControl : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(media().Ok());
        ASSERT_TRUE(control.IsReady());
    }
    MpvPlaybackControl control{MpvPlaybackControl::Options::Silent(false)};
    Log log{control};
};

// As the video window does: at the end the next file is given, and it is the queued one.
TEST_F(QueuedControl, TheEndIsReportedAndTheQueuedFileIsFoundAlreadyStarted) {
    QObject::connect(&control, &PlaybackControl::StateChange, [&] {
        if (control.CurrentPosition() == control.Duration() &&
            control.FileName().endsWith("short1.mp3"))
            control.SetFileName(media().Path("short2.mp3"));
    });
    control.SetFileName(media().Path("short1.mp3"));
    control.QueueNext(media().Path("short2.mp3"));
    ASSERT_TRUE(WaitFor([&] { return log.count("0 short2.mp3 end") == 1; }, 15000))
        << log.lines.join(", ").toStdString();
    EXPECT_EQ(log.lines.join(", ").toStdString(),
              "3 short1.mp3, 2 short1.mp3, 0 short1.mp3 end, 3 short2.mp3, 2 short2.mp3, "
              "0 short2.mp3 end");
    EXPECT_EQ(control.Loads(), 1);
    // Nothing was queued after the second: it stays open at its end.
    WaitFor([] { return false; }, 400);
    EXPECT_EQ(control.PlayState(), PlaybackControl::Stopped);
    EXPECT_EQ(control.CurrentPosition(), control.Duration());
    control.Play();  // and plays again from the start
    ASSERT_TRUE(WaitFor([&] { return control.PlayState() == PlaybackControl::Playing; }, 5000));
    EXPECT_TRUE(control.FileName().endsWith("short2.mp3"));
}

TEST_F(QueuedControl, AQueuedFileNobodyAsksForPlaysOnAsTheCurrentOne) {
    control.SetFileName(media().Path("short1.mp3"));
    control.QueueNext(media().Path("short2.mp3"));
    ASSERT_TRUE(WaitFor([&] { return log.count("2 short2.mp3") == 1; }, 15000))
        << log.lines.join(", ").toStdString();
    EXPECT_EQ(log.count("0 short1.mp3 end"), 1);
    EXPECT_EQ(control.FileName(), media().Path("short2.mp3"));
    EXPECT_NEAR(control.Duration(), 1.0, 0.1);
}

// A file that fails to open goes straight on to the queued one when that is asked for next,
// as libmpv's own playlist does; asked for nothing, the control stops there.
TEST_F(QueuedControl, AFileThatFailsToOpenHandsOverToTheQueuedFileOnlyWhenAskedFor) {
    const QString broken = media().Path(media().MakeBroken().first());
    for (const bool askForNext : {true, false}) {
        const auto connection = QObject::connect(&control, &PlaybackControl::StateChange, [&] {
            if (askForNext && control.OpenFailed())
                control.SetFileName(media().Path("short2.mp3"));
        });
        const int loads = control.Loads();
        log.lines.clear();
        control.SetFileName(broken);
        control.QueueNext(media().Path("short2.mp3"));
        ASSERT_TRUE(WaitFor([&] { return log.count("6 empty.mp3") == 1; }, 8000));
        if (askForNext) {
            ASSERT_TRUE(WaitFor([&] { return log.count("2 short2.mp3") == 1; }, 8000));
            EXPECT_EQ(control.Loads(), loads + 1) << "found started, not opened again";
        } else {
            WaitFor([] { return false; }, 500);
            EXPECT_EQ(log.lines.join(", ").toStdString(), "3 empty.mp3, 6 empty.mp3")
                << "nothing plays on";
        }
        QObject::disconnect(connection);
    }
}

TEST_F(QueuedControl, AQueueTakenBackOrReplacedLeavesOnlyTheLastWish) {
    control.SetFileName(media().Path("short1.mp3"));
    control.QueueNext(media().Path("short2.mp3"));
    ASSERT_TRUE(WaitFor([&] { return control.PlayState() == PlaybackControl::Playing; }, 8000));
    control.QueueNext(media().Path("short3.mp3"));
    control.QueueNext(QString());
    ASSERT_TRUE(WaitFor([&] { return log.count("0 short1.mp3 end") == 1; }, 8000));
    WaitFor([] { return false; }, 400);
    EXPECT_EQ(control.FileName(), media().Path("short1.mp3")) << "kept open at its end";
    EXPECT_EQ(control.PlayState(), PlaybackControl::Stopped);

    control.SetFileName(media().Path("short1.mp3"));
    control.QueueNext(media().Path("short2.mp3"));
    ASSERT_TRUE(WaitFor([&] { return control.PlayState() == PlaybackControl::Playing; }, 8000));
    control.QueueNext(media().Path("short3.mp3"));
    ASSERT_TRUE(WaitFor([&] { return log.count("2 short3.mp3") == 1; }, 8000))
        << log.lines.join(", ").toStdString();
    EXPECT_EQ(log.count("2 short2.mp3"), 0);
}

TEST_F(QueuedControl, AFileHeldAtItsEndAndPlayedAgainGoesOnToTheQueuedFile) {
    control.SetFileName(media().Path("short1.mp3"));
    ASSERT_TRUE(WaitFor([&] { return log.count("0 short1.mp3 end") == 1; }, 8000));
    control.QueueNext(media().Path("short2.mp3"));
    control.Play();
    ASSERT_TRUE(WaitFor([&] { return log.count("2 short2.mp3") == 1; }, 8000))
        << log.lines.join(", ").toStdString();
    EXPECT_EQ(log.count("0 short1.mp3 end"), 2);
    EXPECT_EQ(control.Loads(), 1);
}

class GaplessPlayer : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(media().Ok()); }
    void add(const QString& file) { forms.Playlist().AppendEntry(media().Path(file), file); }
    PlaybackControl& control() { return forms.Video().mediaPlay(); }

    // The log sees each state change before the video window's rule reacts to it.
    std::unique_ptr<Log> logged;
    TestProgramDir dir;
    TestForms forms{[this] {
        auto control =
            std::make_unique<MpvPlaybackControl>(MpvPlaybackControl::Options::Silent(false));
        logged = std::make_unique<Log>(*control);
        return control;
    }};
};

// A run of files that cannot be played after a played one: each is found broken as the list
// reaches it and skipped once, and the list goes straight on to the next good file, as
// libmpv's own playlist does.
TEST_F(GaplessPlayer, ARunOfBrokenFilesAfterAPlayedOneIsSkippedAtOnce) {
    ASSERT_TRUE(media().Make("red.avi", {"-f", "lavfi", "-i", "color=c=red:size=160x120:d=1",
                                         "-c:v", "mpeg4", "-vtag", "DIVX"}));
    const QStringList broken = media().MakeBroken();
    add("red.avi");
    for (const QString& file : broken) add(file);
    add("short2.mp3");
    control();
    const Log& log = *logged;
    forms.Playlist().PlayNext();
    ASSERT_TRUE(WaitFor([&] { return log.count("0 red.avi end") == 1; }, 15000))
        << log.lines.join(", ").toStdString();
    ASSERT_TRUE(WaitFor([&] { return log.count("2 short2.mp3") == 1; }, 3000))
        << log.lines.join(", ").toStdString();
    for (const QString& file : broken) EXPECT_EQ(log.count("6 " + file), 1) << file.toStdString();
}

TEST_F(GaplessPlayer, RepeatAndShufflePlayOnWithoutReopeningWhatWasQueued) {
    add("short1.mp3");
    add("short2.mp3");
    add("short3.mp3");
    control();
    const Log& log = *logged;
    forms.Operations().SetRepeat(true);
    forms.Playlist().PlayNext();
    ASSERT_TRUE(WaitFor([&] { return log.count("2 short1.mp3") == 3; }, 15000))
        << log.lines.join(", ").toStdString();
    EXPECT_EQ(log.count("0 short1.mp3 end"), 2);
    forms.Operations().SetRepeat(false);
    forms.Operations().SetShuffle(true);
    QStringList played;
    QObject::connect(&control(), &PlaybackControl::StateChange, [&](int, int now) {
        if (now == PlaybackControl::Playing)
            played << name(control().FileName());
    });
    ASSERT_TRUE(WaitFor([&] { return played.size() == 2; }, 15000));
    played.prepend("short1.mp3");
    played.sort();
    EXPECT_EQ(played, (QStringList{"short1.mp3", "short2.mp3", "short3.mp3"}))
        << "one round from the playing file";
    EXPECT_EQ(static_cast<MpvPlaybackControl&>(control()).Loads(), 1);
}

}  // namespace
