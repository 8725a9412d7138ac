#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include "playlist/EntryListView.h"
#include "playlist/PlaylistModel.h"

#include "MediaFiles.h"
#include "TestForms.h"
#include "TestSkin.h"
#include "app/Controller.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/MpvPlaybackControl.h"
#include "playlist/FormPLS.h"
#include "video/Form1.h"

namespace {

MediaFiles& media() {
    static MediaFiles files;
    return files;
}

std::unique_ptr<PlaybackControl> quietControl() {
    return std::make_unique<MpvPlaybackControl>(MpvPlaybackControl::Options::Silent());
}

class MpvControl : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(media().Ok()) << "ffmpeg could not make the test media";
        ASSERT_TRUE(control.IsReady());
    }
    bool waitState(int state, int ms = 8000) {
        return WaitFor([&] { return control.PlayState() == state; }, ms);
    }
    MpvPlaybackControl control{MpvPlaybackControl::Options::Silent()};
};

TEST_F(MpvControl, EveryOfferedTypeOpensAndReportsItsDuration) {
    for (const char* name :
         {"clip.mp3", "clip.avi", "clip.mpg", "clip.dat", "clip.wmv", "clip.asf"}) {
        control.SetFileName(media().Path(name));
        EXPECT_EQ(control.PlayState(), PlaybackControl::Waiting);
        EXPECT_NE(control.CurrentPosition(), control.Duration()) << "not equal while opening";
        ASSERT_TRUE(waitState(PlaybackControl::Playing)) << name;
        EXPECT_NEAR(control.Duration(), 2.0, 0.3) << name;
        EXPECT_FALSE(control.OpenFailed());
        const bool video = QString(name) != "clip.mp3";
        EXPECT_EQ(control.SourcePictureWidth(), video ? 160 : 0) << name;
    }
}

TEST_F(MpvControl, TheEndReportsPositionEqualToDurationAndRaisesAnEvent) {
    int events = 0;
    bool sawEnd = false;
    QObject::connect(&control, &PlaybackControl::StateChange, [&] {
        ++events;
        if (control.CurrentPosition() == control.Duration())
            sawEnd = true;
    });
    control.SetFileName(media().Path("short1.mp3"));
    ASSERT_TRUE(WaitFor([&] { return sawEnd; }, 10000));
    EXPECT_GE(events, 2);
    control.Play();  // playing again from the end starts over
    ASSERT_TRUE(waitState(PlaybackControl::Playing));
    EXPECT_TRUE(WaitFor([&] { return control.CurrentPosition() < 0.9; }, 5000));
    EXPECT_NE(control.CurrentPosition(), control.Duration());
}

TEST_F(MpvControl, TheChannelCountFollowsTheOpenFile) {
    EXPECT_EQ(control.AudioChannels(), 0) << "nothing open";
    control.SetFileName(media().Path("clip.mp3"));
    EXPECT_EQ(control.AudioChannels(), 0) << "still opening";
    ASSERT_TRUE(WaitFor([&] { return control.AudioChannels() == 2; }, 8000)) << "stereo";
    control.SetFileName(media().Path("short1.mp3"));
    EXPECT_EQ(control.AudioChannels(), 0) << "a new file starts unknown";
    ASSERT_TRUE(WaitFor([&] { return control.AudioChannels() == 1; }, 8000)) << "mono";
    control.SetFileName(media().Path("corrupt.avi"));
    ASSERT_TRUE(waitState(PlaybackControl::Closed));
    EXPECT_EQ(control.AudioChannels(), 0);
}

TEST_F(MpvControl, PauseStopAndSeek) {
    control.SetFileName(media().Path("clip.avi"));
    ASSERT_TRUE(waitState(PlaybackControl::Playing));
    control.Pause();
    ASSERT_TRUE(waitState(PlaybackControl::Paused));
    control.SetCurrentPosition(1.25);
    ASSERT_TRUE(WaitFor([&] { return std::abs(control.CurrentPosition() - 1.25) < 0.05; }, 5000));
    control.Play();
    ASSERT_TRUE(waitState(PlaybackControl::Playing));
    control.Stop();
    EXPECT_EQ(control.PlayState(), PlaybackControl::Stopped);
    ASSERT_TRUE(WaitFor([&] { return control.CurrentPosition() < 0.05; }, 5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(control.PlayState(), PlaybackControl::Stopped) << "stays stopped, file open";
    EXPECT_GT(control.Duration(), 1.5);
}

TEST_F(MpvControl, CommandsGivenWhileAFileOpensTakeEffectAsItOpens) {
    using Command = void (PlaybackControl::*)();
    const struct {
        std::vector<Command> commands;
        int settles;
    } cases[] = {{{&PlaybackControl::Pause}, PlaybackControl::Paused},
                 {{&PlaybackControl::Stop}, PlaybackControl::Stopped},
                 {{&PlaybackControl::Pause, &PlaybackControl::Play}, PlaybackControl::Playing},
                 {{&PlaybackControl::Stop, &PlaybackControl::Pause}, PlaybackControl::Paused}};
    QList<int> states;
    QObject::connect(&control, &PlaybackControl::StateChange, [&](int, int now) { states << now; });
    for (const auto& test : cases) {
        control.SetFileName(media().Path("clip.mp3"));
        ASSERT_EQ(control.PlayState(), PlaybackControl::Waiting);
        states.clear();
        for (const Command command : test.commands) (control.*command)();
        EXPECT_EQ(control.IsPlaying(), test.settles == PlaybackControl::Playing);
        ASSERT_TRUE(waitState(test.settles)) << test.settles;
        WaitFor([] { return false; }, 300);
        EXPECT_EQ(states, QList<int>{test.settles}) << "settled once, and stays";
        if (test.settles != PlaybackControl::Playing) {
            EXPECT_LT(control.CurrentPosition(), 0.05) << "nothing played";
        }
    }
}

TEST_F(MpvControl, MissingAndCorruptFilesCloseAsFailed) {
    for (const QString& path : {media().Path("nothing-here.avi"), media().Path("corrupt.avi")}) {
        control.SetFileName(path);
        ASSERT_TRUE(waitState(PlaybackControl::Closed)) << path.toStdString();
        EXPECT_TRUE(control.OpenFailed());
        EXPECT_NE(control.CurrentPosition(), control.Duration());
    }
    control.SetFileName(media().Path("clip.mp3"));
    ASSERT_TRUE(waitState(PlaybackControl::Playing));
    EXPECT_FALSE(control.OpenFailed());
}

TEST_F(MpvControl, VolumeAndBalanceHoldFromOneFileToTheNext) {
    control.SetVolume(-3000);
    control.SetBalance(3000);
    control.SetFileName(media().Path("clip.mp3"));
    ASSERT_TRUE(waitState(PlaybackControl::Playing));
    control.SetFileName(media().Path("short1.mp3"));
    ASSERT_TRUE(waitState(PlaybackControl::Playing));
    EXPECT_EQ(control.Volume(), -3000);
    EXPECT_EQ(control.Balance(), 3000);
    EXPECT_NEAR(MpvPlaybackControl::MpvVolumeFor(-3000), 31.6, 0.1);
    EXPECT_NEAR(MpvPlaybackControl::MpvVolumeFor(0), 100.0, 1e-9);
}

TEST_F(MpvControl, TagsAreReadAsTheFileStartsAndGoWithIt) {
    ASSERT_TRUE(media().Make(
        "tagged.mp3",
        {"-f", "lavfi", "-i", "sine=frequency=440:duration=2", "-c:a", "libmp3lame", "-metadata",
         "title=Tagged Tune", "-metadata", "artist=Some Artist", "-metadata", "album=An Album"}));
    control.SetFileName(media().Path("tagged.mp3"));
    ASSERT_TRUE(waitState(PlaybackControl::Playing));
    EXPECT_EQ(control.Tag("title"), "Tagged Tune");
    EXPECT_EQ(control.Tag("Title"), "Tagged Tune") << "keys in any case";
    EXPECT_EQ(control.Tag("artist"), "Some Artist");
    EXPECT_EQ(control.Tag("album"), "An Album");
    control.SetFileName(media().Path("short1.mp3"));
    EXPECT_TRUE(control.Tag("title").isEmpty()) << "the last file's tags went with it";
    ASSERT_TRUE(waitState(PlaybackControl::Playing));
    EXPECT_TRUE(control.Tag("title").isEmpty());
    EXPECT_TRUE(control.Tag("artist").isEmpty());
}

TEST_F(MpvControl, EverySeekIsAnnouncedWithItsTarget) {
    QList<double> seeks;
    QObject::connect(&control, &PlaybackControl::Seeked, [&](double s) { seeks << s; });
    control.SetCurrentPosition(1.0);
    EXPECT_TRUE(seeks.isEmpty()) << "nothing open: no seek";
    control.SetFileName(media().Path("clip.mp3"));
    ASSERT_TRUE(waitState(PlaybackControl::Playing));
    EXPECT_TRUE(seeks.isEmpty()) << "a start is no seek";
    control.SetCurrentPosition(1.25);
    EXPECT_EQ(seeks, QList<double>{1.25});
    control.Stop();
    EXPECT_EQ(seeks.last(), 0.0) << "a stop rewinds";
}

// Root mean square of each channel of a 16-bit stereo WAV file, past its header.
std::pair<double, double> channelLevels(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {0, 0};
    const QByteArray bytes = file.readAll();
    const qsizetype data = bytes.indexOf("data");
    if (data < 0)
        return {0, 0};
    const auto* samples = reinterpret_cast<const qint16*>(bytes.constData() + data + 8);
    const qsizetype count = (bytes.size() - data - 8) / 4;
    double left = 0, right = 0;
    for (qsizetype i = count / 4; i < count; ++i) {  // past the start
        left += double(samples[2 * i]) * samples[2 * i];
        right += double(samples[2 * i + 1]) * samples[2 * i + 1];
    }
    return {std::sqrt(left / count), std::sqrt(right / count)};
}

TEST(MpvBalance, FullRightAttenuatesTheLeftChannelByThirtyDecibels) {
    ASSERT_TRUE(media().Ok());
    ASSERT_TRUE(media().Make("stereo.wav",
                             {"-f", "lavfi", "-i", "sine=frequency=500:duration=1.5", "-ac", "2"}));
    QTemporaryDir out;
    for (int balance : {3000, -1500, 0}) {
        const QString wav = out.path() + QStringLiteral("/out%1.wav").arg(balance);
        {
            MpvPlaybackControl control(MpvPlaybackControl::Options::IntoWav(wav));
            control.SetBalance(balance);
            control.SetVolume(0);
            control.SetFileName(media().Path("stereo.wav"));
            ASSERT_TRUE(
                WaitFor([&] { return control.CurrentPosition() == control.Duration(); }, 15000));
        }
        const auto [left, right] = channelLevels(wav);
        ASSERT_GT(std::max(left, right), 100.0) << "sound was written";
        const double db = 20 * std::log10(right / left);
        EXPECT_NEAR(db, balance / 100.0, 1.5) << "balance " << balance;
    }
}

TEST(MpvSurface, ASurfaceNoWindowTookGoesWithTheControl) {
    QPointer<QWidget> surface;
    {
        MpvPlaybackControl control{MpvPlaybackControl::Options::Silent()};
        surface = control.Surface();
    }
    EXPECT_TRUE(surface.isNull());
}

class PlayerWithMpv : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(media().Ok()); }
    void add(const QString& name) { forms.Playlist().AppendEntry(media().Path(name), name); }
    PlaybackControl& control() { return forms.Video().mediaPlay(); }

    TestProgramDir dir;
    TestForms forms{quietControl};
};

TEST_F(PlayerWithMpv, AudioHidesTheVideoWindowAndVideoShowsItDocked) {
    frmMain& main = forms.Main();
    main.move(100, 50);
    add("clip.avi");
    add("clip.mp3");
    forms.Playlist().PlayNext();
    ASSERT_TRUE(WaitFor([&] { return forms.Video().isVisible(); }, 8000));
    Form1& video = forms.Video();
    EXPECT_FLOAT_EQ(video.Width(), 9555.0f);
    EXPECT_FLOAT_EQ(video.Height(), 7320.0f);
    EXPECT_FLOAT_EQ(video.Left(), main.Left() + 4125.0f);
    EXPECT_FLOAT_EQ(video.Top(), main.Top());
    forms.Playlist().PlayNext();
    ASSERT_TRUE(WaitFor([&] { return !forms.Video().isVisible(); }, 8000));
    EXPECT_EQ(control().PlayState(), PlaybackControl::Playing);
}

TEST_F(PlayerWithMpv, AListOfThreePlaysEachOncePerRoundInOrderAndWraps) {
    add("short1.mp3");
    add("short2.mp3");
    add("short3.mp3");
    QStringList started;
    QObject::connect(&control(), &PlaybackControl::StateChange, [&](int, int now) {
        if (now == PlaybackControl::Playing &&
            (started.isEmpty() || !started.last().endsWith(control().FileName())))
            started << control().FileName().section('/', -1);
    });
    forms.Playlist().PlayNext();
    ASSERT_TRUE(WaitFor([&] { return started.size() >= 4; }, 20000))
        << started.join(",").toStdString();
    EXPECT_EQ(started.mid(0, 4),
              (QStringList{"short1.mp3", "short2.mp3", "short3.mp3", "short1.mp3"}));
    EXPECT_EQ(forms.Playlist().List2->currentRow(), 0);
}

TEST_F(PlayerWithMpv, FailedEntriesAreSkippedAndAllFailingStopsInTheStoppedLook) {
    add("nothing-here.avi");
    add("short1.mp3");
    forms.Playlist().PlayNext();
    ASSERT_TRUE(WaitFor([&] { return control().PlayState() == PlaybackControl::Playing; }, 8000));
    EXPECT_TRUE(control().FileName().endsWith("short1.mp3"));

    forms.Playlist().Clearlst();
    add("nothing-here.avi");
    add("corrupt.avi");
    frmMain& main = forms.Main();
    main.GoPlay(false);
    forms.Playlist().PlayNext();
    ASSERT_TRUE(
        WaitFor([&] { return main.imgNumber[0]->isHidden() && !main.tmrTime->isActive(); }, 8000));
    // No endless cycle: after the stop nothing more is opened.
    const QString last = control().FileName();
    WaitFor([] { return false; }, 500);
    EXPECT_EQ(control().FileName(), last);
    EXPECT_EQ(control().PlayState(), PlaybackControl::Closed);
}

TEST_F(PlayerWithMpv, TheTimeRunsInTheDigitsWhilePlaying) {
    frmMain& main = forms.Main();
    add("clip.avi");
    forms.Playlist().PlayNext();
    main.GoPlay(false);
    ASSERT_TRUE(WaitFor([&] { return main.TimeSeconds >= 1; }, 8000));
    EXPECT_FALSE(main.imgNumber[3]->isHidden());
    EXPECT_GT(main.imgPosSlide[0]->Left(), main.imgPosBar->Left());
}

// A stream from a local HTTP server plays after a dead address (a closed port) is skipped; it
// has no slider, and a local file after it has one again.
TEST_F(PlayerWithMpv, ADeadUrlIsSkippedAndAStreamPlaysWithoutASlider) {
    ASSERT_TRUE(media().Make("stream.mp3", {"-f", "lavfi", "-i", "sine=frequency=440:duration=30",
                                            "-c:a", "libmp3lame"}));
    QProcess server;
    server.start("python3", {"-u", "-m", "http.server", "--bind", "127.0.0.1", "--directory",
                             QFileInfo(media().Path("stream.mp3")).path(), "0"});
    QString port;  // the server picks a free one and says which
    ASSERT_TRUE(WaitFor(
        [&] {
            port = QRegularExpression(" port (\\d+)")
                       .match(QString::fromUtf8(server.peek(4096)))
                       .captured(1);
            return !port.isEmpty();
        },
        10000));
    frmMain& main = forms.Main();
    forms.Operations().AddPaths({"http://127.0.0.1:1/dead.mp3",
                                 QStringLiteral("http://127.0.0.1:%1/stream.mp3").arg(port),
                                 media().Path("clip.mp3")});
    EXPECT_EQ(forms.Entries().Name(1), "stream.mp3");
    ASSERT_TRUE(WaitFor(
        [&] {
            return control().PlayState() == PlaybackControl::Playing &&
                   control().FileName().endsWith("/stream.mp3") && main.TimeSeconds >= 1;
        },
        10000))
        << control().FileName().toStdString();
    EXPECT_EQ(forms.Playlist().PlayingIndex(), 1);
    EXPECT_TRUE(main.imgPosSlide[0]->isHidden());
    EXPECT_FALSE(main.imgNumber[3]->isHidden());
    main.seekBar.imgPosBar_MouseDown(MouseArgs{1, 0, main.imgPosBar->Width() * 0.9f, 5});
    EXPECT_LT(control().CurrentPosition(), 10.0) << "no seeking in a stream";

    forms.Playlist().PlayNext();
    ASSERT_TRUE(WaitFor([&] { return !main.imgPosSlide[0]->isHidden(); }, 8000));
    EXPECT_TRUE(control().FileName().endsWith("clip.mp3"));
    server.kill();
    server.waitForFinished(3000);
}

// Where no sound device opens, files still play (silently, with the time running) and the list
// goes on past an audio-only file; the user is told once why there is no sound.
TEST(MpvWithoutSound, AListPlaysOnSilentlyAndSaysSoOnce) {
    ASSERT_TRUE(media().Ok());
    const auto noDevice = [] {
        MpvPlaybackControl::Options options;
        options.videoOutput = false;
        options.audioDriver = QStringLiteral("alsa");
        options.audioDevice = QStringLiteral("alsa/solvane-no-such-device");
        return std::make_unique<MpvPlaybackControl>(options);
    };
    TestProgramDir dir;
    TestForms forms{noDevice};
    for (const char* name : {"short1.mp3", "short2.mp3"})
        forms.Playlist().AppendEntry(media().Path(name), name);
    PlaybackControl& control = forms.Video().mediaPlay();
    QStringList played;
    QObject::connect(&control, &PlaybackControl::StateChange, [&](int, int now) {
        if (now == PlaybackControl::Playing && !played.contains(control.FileName()))
            played << control.FileName();
    });
    testing::internal::CaptureStderr();
    forms.Playlist().PlayNext();
    const bool both = WaitFor([&] { return played.size() == 2; }, 20000);
    const std::string said = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(both) << said;
    const std::string line = "no audio output could be opened";
    ASSERT_NE(said.find(line), std::string::npos) << said;
    EXPECT_EQ(said.find(line), said.rfind(line)) << "said more than once: " << said;
}

// A control given a libmpv calls that one for everything, its own end included.
TEST(MpvLibraryGiven, EveryCallGoesToTheLibraryGiven) {
    const QByteArray fake = qgetenv("SOLVANE_FAKE_LIBMPV");
    ASSERT_FALSE(fake.isEmpty());
    void* library = dlopen(fake.constData(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr);
    const auto* counts = static_cast<const int*>(dlsym(library, "fake_counts"));
    ASSERT_NE(counts, nullptr);
    {
        MpvPlaybackControl::Options options;
        options.library = fake;
        MpvPlaybackControl control(options);
        ASSERT_TRUE(control.IsReady());
        control.SetFileName("/nowhere/clip.mp3");
        control.Pause();
    }
    // Created, commanded, freed and destroyed: the counts of the library given.
    EXPECT_EQ(std::vector<int>(counts, counts + 5), (std::vector<int>{1, 1, 1, 1, 1}));
    dlclose(library);
}

// Without libmpv nothing can play: one line on stderr at start, and a message the first time
// the user tries to play, not at every try.
TEST(MpvMissing, TheUserIsToldOnceThatNothingCanPlay) {
    const auto missing = [] {
        MpvPlaybackControl::Options options = MpvPlaybackControl::Options::Silent();
        options.library = "libmpv-solvane-missing.so.9";
        return std::make_unique<MpvPlaybackControl>(options);
    };
    TestProgramDir dir;
    TestForms forms{missing};
    QStringList messages;
    forms.Operations().ShowMessage = [&](const QString& text) { messages << text; };
    testing::internal::CaptureStderr();
    forms.Video().mediaPlay().Prepare();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("libmpv could not be opened"), std::string::npos) << said;
    EXPECT_TRUE(messages.isEmpty()) << "no message before the user plays";

    forms.Playlist().AppendEntry(QStringLiteral("/nowhere/a.mp3"), QStringLiteral("a.mp3"));
    forms.Playlist().AppendEntry(QStringLiteral("/nowhere/b.mp3"), QStringLiteral("b.mp3"));
    forms.Operations().Next();
    forms.Operations().Play();
    forms.Operations().Next();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("could not be opened")))
        << messages[0].toStdString();
}

}  // namespace
