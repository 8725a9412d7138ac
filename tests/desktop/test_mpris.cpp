// The player on a private session bus, driven by the real playerctl client and watched with
// dbus-monitor, with a scripted playback control: what the bus answers, and the window's look
// following each remote command as it follows a click.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <cmath>
#include "playlist/EntryListView.h"
#include "playlist/PlaylistModel.h"

#include "BusClient.h"
#include "BusListener.h"
#include "FakePlaybackControl.h"
#include "MediaFiles.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/Mpris.h"
#include "app/frmMain.h"
#include "platform/MediaTypes.h"
#include "playlist/FormPLS.h"

namespace {

using CoordinateSkin::Decode;
using CoordinateSkin::Origin;

const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");

// The play-state indicator's cell in each look, as the coordinate skin shows it.
const Origin kPlayingLook{9, 0, 0};
const Origin kPausedLook{9, 9, 0};
const Origin kStoppedLook{9, 18, 0};

BusClient::Result playerctl(const QStringList& arguments) {
    return BusClient::Playerctl(arguments);
}

QString metadata(const QString& format) {
    return playerctl({"metadata", "--format", format}).out;
}

// playerctl prints an object path quoted.
QString trackId() {
    QString id = metadata("{{mpris:trackid}}");
    id.remove(QLatin1Char('\''));
    return id;
}

class MediaKeys : public ::testing::Test {
  protected:
    MediaKeys() {
        main = &forms.Main();
        registered = mpris.Register(QDBusConnection::sessionBus());
    }
    void SetUp() override {
        ASSERT_TRUE(registered) << "no session bus: the test runs under dbus-run-session";
    }
    Origin look() { return Decode(main->imgPlayPaus[1]->Picture().pixel(0, 0)); }
    // n entries, the first one started and playing.
    void startList(int n) {
        for (int i = 0; i < n; ++i)
            forms.Playlist().AppendEntry(QStringLiteral("/media/track %1.mp3").arg(i),
                                         QStringLiteral("Track %1").arg(i));
        forms.Playlist().PlayNext();
        main->GoPlay(false);
        control->Become(PlaybackControl::Playing);
    }
    // The slider's place for a position, where the position timer puts it.
    float sliderFor(double position, double duration) {
        const float travel = main->imgPosBar->Width() - main->imgPosSlide[0]->Width();
        return static_cast<float>(position / duration * travel + main->imgPosBar->Left());
    }

    CoordinateSkinDir dir;
    FakePlaybackControl* control = nullptr;
    TestForms forms{FakePlaybackControl::Factory(&control)};
    frmMain* main = nullptr;
    Mpris mpris{forms};
    bool registered = false;
};

TEST_F(MediaKeys, ThePlayerIsFoundByNameAndSaysWhatItIs) {
    EXPECT_TRUE(BusClient::Run("playerctl", {"-l"}).out.split('\n').contains("solvane"));
    EXPECT_EQ(BusClient::Property(kRoot, "Identity"), "variant Solvane");
    EXPECT_EQ(BusClient::Property(kRoot, "DesktopEntry"), "variant solvane");
    EXPECT_EQ(BusClient::Property(kRoot, "HasTrackList"), "variant boolean false");
    EXPECT_EQ(BusClient::Property(kRoot, "SupportedUriSchemes"),
              "variant array [ file http https ]");
    const QString types = BusClient::Property(kRoot, "SupportedMimeTypes");
    for (const QString& type : MediaTypes::MimeTypes())
        EXPECT_TRUE(types.contains(type)) << type.toStdString();
    EXPECT_EQ(BusClient::Property(kPlayer, "Rate"), "variant double 1");
    EXPECT_EQ(BusClient::Property(kPlayer, "CanControl"), "variant boolean true");
}

TEST_F(MediaKeys, TransportCommandsRunTheButtonsRoutinesAndTheStatusFollowsTheControl) {
    startList(3);
    EXPECT_EQ(playerctl({"status"}).out, "Playing");

    ASSERT_EQ(playerctl({"pause"}).code, 0);
    EXPECT_EQ(control->commands.last(), "pause");
    EXPECT_EQ(look(), kPausedLook);
    EXPECT_FALSE(main->tmrTime->isActive());
    control->Become(PlaybackControl::Paused);
    EXPECT_EQ(playerctl({"status"}).out, "Paused");

    playerctl({"play-pause"});
    EXPECT_EQ(control->commands.last(), "play") << "paused: play-pause plays";
    EXPECT_EQ(look(), kPlayingLook);
    EXPECT_TRUE(main->tmrTime->isActive());
    control->Become(PlaybackControl::Playing);
    playerctl({"play-pause"});
    EXPECT_EQ(control->commands.last(), "pause") << "playing: play-pause pauses";

    playerctl({"stop"});
    EXPECT_EQ(control->commands.last(), "stop");
    EXPECT_EQ(look(), kStoppedLook);
    EXPECT_TRUE(main->imgNumber[0]->isHidden()) << "the digits go with the stopped look";
    control->Become(PlaybackControl::Stopped);
    EXPECT_EQ(playerctl({"status"}).out, "Stopped");
    playerctl({"play-pause"});
    EXPECT_EQ(control->commands.last(), "play") << "stopped: play-pause plays";
    EXPECT_EQ(look(), kPlayingLook);

    // A file given is opening: it plays by itself once open.
    control->Become(PlaybackControl::Waiting);
    EXPECT_EQ(playerctl({"status"}).out, "Playing");
    control->Become(PlaybackControl::Closed);
    EXPECT_EQ(playerctl({"status"}).out, "Stopped");
    EXPECT_EQ(BusClient::Property(kPlayer, "CanPlay"), "variant boolean false");
}

TEST_F(MediaKeys, NextAndPreviousWalkTheListAndEachStartIsANewTrack) {
    startList(3);
    const QString first = trackId();
    EXPECT_TRUE(first.startsWith("/io/github/solvane/track/")) << first.toStdString();

    playerctl({"next"});
    EXPECT_EQ(control->fileName, "/media/track 1.mp3");
    EXPECT_EQ(forms.Playlist().CurrentIndex(), 1);
    const QString second = trackId();
    EXPECT_NE(second, first);
    EXPECT_EQ(metadata("{{title}}"), "Track 1") << "the list's name without a title tag";

    playerctl({"previous"});
    EXPECT_EQ(control->fileName, "/media/track 0.mp3");
    const QString third = trackId();
    EXPECT_NE(third, first) << "the same entry again is a new track";
    EXPECT_NE(third, second);
    playerctl({"previous"});
    EXPECT_EQ(control->fileName, "/media/track 2.mp3") << "wraps at the top";

    // The same file given anew, as a one-entry list starting over, is a new track too.
    const QString before = trackId();
    control->Become(PlaybackControl::Waiting);
    control->Become(PlaybackControl::Playing);
    EXPECT_NE(trackId(), before);
}

TEST_F(MediaKeys, OneEntryCannotGoNextOrPrevious) {
    startList(1);
    EXPECT_EQ(BusClient::Property(kPlayer, "CanGoNext"), "variant boolean false");
    EXPECT_EQ(BusClient::Property(kPlayer, "CanGoPrevious"), "variant boolean false");
    BusClient::Call(kPlayer, "Next");
    EXPECT_EQ(control->filesOpened.size(), 1);
    forms.Playlist().AppendEntry("/media/more.mp3", "more");
    EXPECT_EQ(BusClient::Property(kPlayer, "CanGoNext"), "variant boolean true");
}

TEST_F(MediaKeys, MetadataCarriesTheTagsTheLengthAndTheAddress) {
    forms.Playlist().AppendEntry("/media/a b#c.mp3", "a b#c.mp3");
    control->duration = 12.5;
    control->tags = {{"title", "Tagged Tune"}, {"artist", "Some Artist"}, {"album", "An Album"}};
    forms.Playlist().PlayNext();
    control->Become(PlaybackControl::Playing);
    EXPECT_EQ(metadata("{{mpris:length}}|{{xesam:url}}|{{title}}|{{artist}}|{{album}}"),
              "12500000|file:///media/a%20b%23c.mp3|Tagged Tune|Some Artist|An Album");
    EXPECT_EQ(QUrl(metadata("{{xesam:url}}")).toLocalFile(), "/media/a b#c.mp3");

    control->tags.clear();
    control->duration = -1.0;
    control->Become(PlaybackControl::Waiting);
    EXPECT_EQ(metadata("{{title}}|{{artist}}|{{mpris:length}}"), "a b#c.mp3||")
        << "no tags: the list's name; no length while it is unknown";
}

TEST_F(MediaKeys, NothingPlayingHasNoTrack) {
    EXPECT_EQ(BusClient::Property(kPlayer, "Metadata"), "variant array [ ]");
    EXPECT_EQ(BusClient::Property(kPlayer, "Position"), "variant int64 0");
    EXPECT_EQ(BusClient::Property(kPlayer, "CanSeek"), "variant boolean false");
    EXPECT_EQ(BusClient::Property(kPlayer, "PlaybackStatus"), "variant Stopped");
}

TEST_F(MediaKeys, PositionReadsAndSeeksMoveTheSliderAndEverySeekIsAnnounced) {
    startList(2);
    control->duration = 100.0;
    control->position = 30.25;
    // playerctl adds the time since it read the position while playing.
    EXPECT_NEAR(playerctl({"position"}).out.toDouble(), 30.25, 0.5);

    BusListener seeks("dbus-monitor", {"--session", "type='signal',member='Seeked'"});
    ASSERT_TRUE(seeks.WaitFor("NameLost")) << "the monitor did not start";

    ASSERT_EQ(playerctl({"position", "50"}).code, 0);
    EXPECT_EQ(control->seeks.last(), 50.0);
    EXPECT_FLOAT_EQ(main->imgPosSlide[0]->Left(), sliderFor(50, 100));
    EXPECT_TRUE(seeks.WaitFor("int64 50000000"));

    playerctl({"position", "10-"});
    EXPECT_EQ(control->seeks.last(), 40.0);
    EXPECT_FLOAT_EQ(main->imgPosSlide[0]->Left(), sliderFor(40, 100));
    BusClient::Call(kPlayer, "Seek", {"int64:-90000000"});
    EXPECT_EQ(control->seeks.last(), 0.0) << "before the start is the start";
    BusClient::Call(kPlayer, "Seek", {"int64:500000000"});
    EXPECT_EQ(control->seeks.last(), 100.0) << "past the end is the end: the list goes on";

    // A seek of the window's own seek bar is announced too.
    seeks.Clear();
    main->seekBar.imgPosBar_MouseDown(MouseArgs{1, 0, main->imgPosBar->Width() / 2, 5});
    ASSERT_FALSE(control->seeks.isEmpty());
    const qlonglong byBar = std::llround(control->seeks.last() * 1e6);
    EXPECT_TRUE(seeks.WaitFor(QStringLiteral("int64 %1").arg(byBar)));

    // A position for a track that is no longer current, or outside the file, is ignored.
    const int count = control->seeks.size();
    BusClient::Call(kPlayer, "SetPosition",
                    {"objpath:/io/github/solvane/track/999", "int64:1000000"});
    const QString current = "objpath:" + trackId();
    BusClient::Call(kPlayer, "SetPosition", {current, "int64:100000001"});
    BusClient::Call(kPlayer, "SetPosition", {current, "int64:-1"});
    EXPECT_EQ(control->seeks.size(), count);
    BusClient::Call(kPlayer, "SetPosition", {current, "int64:7000000"});
    EXPECT_EQ(control->seeks.last(), 7.0);
}

TEST_F(MediaKeys, VolumeMovesTheKnobAndTheKnobMovesTheVolume) {
    const auto knobLevel = [&] { return Decode(main->imgVolume->Picture().pixel(0, 0)).y; };
    ASSERT_EQ(playerctl({"volume", "0.25"}).code, 0);
    EXPECT_NEAR(main->volumeBalance.VolumeFraction(), 0.25, 0.02);
    EXPECT_NEAR(control->volume, -2250, 60) << "sent as a drag there would send it";
    EXPECT_NEAR(playerctl({"volume"}).out.toDouble(), 0.25, 0.02);
    const int quarterLevel = knobLevel();

    BusClient::Call("org.freedesktop.DBus.Properties", "Set",
                    {"string:" + kPlayer, "string:Volume", "variant:double:1.7"});
    EXPECT_DOUBLE_EQ(main->volumeBalance.VolumeFraction(), 1.0) << "held at full";
    EXPECT_EQ(control->volume, 0);
    EXPECT_GT(knobLevel(), quarterLevel) << "the track picture follows";
    BusClient::Call("org.freedesktop.DBus.Properties", "Set",
                    {"string:" + kPlayer, "string:Volume", "variant:double:-3"});
    EXPECT_DOUBLE_EQ(main->volumeBalance.VolumeFraction(), 0.0) << "held at silent";
    EXPECT_EQ(control->volume, -3000);

    BusListener volume("playerctl", {"-p", "solvane", "--follow", "volume"});
    ASSERT_TRUE(volume.WaitFor("0.000000"));
    // A drag of the knob in the window reaches the bus.
    VolumeBalance& knob = main->volumeBalance;
    knob.imgVolumeBut_MouseDown(1, MouseArgs{1, 0, 90, 5});
    knob.imgVolumeBut_MouseMove(1, MouseArgs{1, 0, 90 + 10000, 5});
    knob.imgVolumeBut_MouseUp(1, MouseArgs{1, 0, 0, 5});
    EXPECT_TRUE(volume.WaitFor("1.000000"));
}

// Shuffle and the loop read and set the toggles' modes, and the toggles' looks follow; a
// click on a toggle reaches the bus.
TEST_F(MediaKeys, ShuffleAndLoopStatusAreTheTogglesModes) {
    startList(3);
    EXPECT_EQ(playerctl({"shuffle"}).out, "Off");
    EXPECT_EQ(playerctl({"loop"}).out, "Playlist");
    ASSERT_EQ(playerctl({"shuffle", "On"}).code, 0);
    EXPECT_TRUE(forms.Operations().Shuffle());
    EXPECT_EQ(main->imgSufRep[1]->Tag(), "0") << "the SHUFFLE toggle shows it on";
    ASSERT_EQ(playerctl({"loop", "Track"}).code, 0);
    EXPECT_TRUE(forms.Operations().Repeat());
    EXPECT_EQ(main->imgSufRep[0]->Tag(), "0") << "the REP toggle shows it on";
    EXPECT_EQ(playerctl({"loop"}).out, "Track");
    ASSERT_EQ(playerctl({"loop", "None"}).code, 0);
    EXPECT_FALSE(forms.Operations().Repeat());
    EXPECT_EQ(playerctl({"loop"}).out, "Playlist") << "the list always wraps";

    BusListener shuffle("playerctl", {"-p", "solvane", "--follow", "shuffle"});
    ASSERT_TRUE(shuffle.WaitFor("On"));
    main->toggles.imgSufRep_MouseDown(1, MouseArgs{1, 0, 5, 5});
    main->toggles.imgSufRep_MouseUp(1, MouseArgs{1, 0, 5, 5});
    EXPECT_FALSE(forms.Operations().Shuffle());
    EXPECT_TRUE(shuffle.WaitFor("Off"));
}

TEST_F(MediaKeys, EveryChangeOfStatusMetadataAndTheCanFlagsIsAnnounced) {
    BusListener changes("dbus-monitor", {"--session", "type='signal',member='PropertiesChanged'"});
    ASSERT_TRUE(changes.WaitFor("NameLost")) << "the monitor did not start";
    BusListener status("playerctl", {"-p", "solvane", "--follow", "status"});
    ASSERT_TRUE(status.WaitFor("Stopped"));
    BusListener titles("playerctl",
                       {"-p", "solvane", "--follow", "metadata", "--format", "<{{title}}>"});

    startList(1);
    EXPECT_TRUE(status.WaitFor("Playing"));
    EXPECT_TRUE(titles.WaitFor("<Track 0>"));
    EXPECT_TRUE(changes.WaitFor("\"CanPlay\""));
    changes.Clear();
    forms.Playlist().AppendEntry("/media/second.mp3", "Second");
    EXPECT_TRUE(changes.WaitFor("\"CanGoNext\"")) << "an entry added from anywhere";
    changes.Clear();
    control->duration = 10.0;
    control->Become(PlaybackControl::Paused);
    EXPECT_TRUE(status.WaitFor("Paused"));
    EXPECT_TRUE(changes.WaitFor("\"CanSeek\""));
    EXPECT_TRUE(changes.WaitFor("mpris:length")) << "the length, once known";
    playerctl({"next"});
    EXPECT_TRUE(titles.WaitFor("<Second>"));

    // Nothing changed: nothing said.
    changes.Clear();
    control->Become(PlaybackControl::Paused);
    playerctl({"status"});
    WaitFor([] { return false; }, 300);
    EXPECT_FALSE(changes.Output().contains("PropertiesChanged")) << changes.Output().toStdString();
}

TEST_F(MediaKeys, OpenUriAddsAFileAndStartsItWhenTheListWasEmpty) {
    QTemporaryDir media;
    const QString song = media.filePath("first song.mp3");
    const QString other = media.filePath("other.avi");
    for (const QString& path : {song, other}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_EQ(playerctl({"open", QUrl::fromLocalFile(song).toString()}).code, 0);
    FormPLS& list = forms.Playlist();
    ASSERT_EQ(list.EntryCount(), 1);
    EXPECT_EQ(list.Model().Name(0), "first song.mp3") << "named as the eject button names";
    EXPECT_EQ(control->filesOpened, QStringList{song});
    EXPECT_EQ(look(), kPlayingLook);
    EXPECT_TRUE(main->tmrTime->isActive());

    playerctl({"open", QUrl::fromLocalFile(other).toString()});
    EXPECT_EQ(list.EntryCount(), 2);
    EXPECT_EQ(control->filesOpened, QStringList{song}) << "a list that had entries plays on";

    EXPECT_NE(BusClient::Call(kPlayer, "OpenUri", {"string:file:///no/such/file.mp3"}).code, 0);
    EXPECT_NE(BusClient::Call(kPlayer, "OpenUri", {"string:" + media.path()}).code, 0)
        << "a folder is no file";
    EXPECT_EQ(list.EntryCount(), 2);

    // A stream is an entry too; nothing seeks in it, even when libmpv knows a length.
    const QString stream = QStringLiteral("https://radio.example/live/stream.mp3");
    ASSERT_EQ(playerctl({"open", stream}).code, 0);
    ASSERT_EQ(list.EntryCount(), 3);
    EXPECT_EQ(list.Model().Path(2), stream);
    control->SetFileName(stream);
    control->duration = 100.0;
    control->position = 30.0;
    control->seeks.clear();
    EXPECT_EQ(BusClient::Property(kPlayer, "CanSeek"), "variant boolean false");
    BusClient::Call(kPlayer, "Seek", {"int64:10000000"});
    forms.Operations().SeekBy(5.0);  // what the Right key does
    EXPECT_TRUE(control->seeks.isEmpty());
}

TEST_F(MediaKeys, RaiseShowsTheWindowAndQuitEndsThePlayer) {
    main->showMinimized();
    ASSERT_EQ(BusClient::Call(kRoot, "Raise").code, 0);
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(main->windowState() & Qt::WindowMinimized);

    ASSERT_EQ(BusClient::Call(kRoot, "Quit").code, 0);
    EXPECT_TRUE(WaitFor([&] { return main->Unloaded(); }, 5000));
    EXPECT_FALSE(forms.VideoExists());
    // With the windows gone the bus still gets answers, and nothing comes back to life.
    EXPECT_EQ(BusClient::Property(kPlayer, "PlaybackStatus"), "variant Stopped");
    EXPECT_FALSE(forms.VideoExists());
    EXPECT_FALSE(forms.PlaylistExists());
}

TEST(MediaKeysWithoutABus, NothingIsRegisteredAndTheOperationsStillWork) {
    TestProgramDir dir;
    CoordinateSkin::Write(dir.Make("skins/silence"));
    TestForms forms{FakePlaybackControl::Factory()};
    forms.Main();
    const QDBusConnection none =
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "none");
    Mpris mpris(forms);
    EXPECT_FALSE(mpris.Register(none));
    EXPECT_FALSE(mpris.Registered());
    mpris.Publish();  // says nothing, breaks nothing
}

TEST(MediaKeysSecondPlayer, ASecondPlayerTakesAnInstanceName) {
    TestProgramDir dir;
    CoordinateSkin::Write(dir.Make("skins/silence"));
    TestForms first{FakePlaybackControl::Factory()}, second{FakePlaybackControl::Factory()};
    first.Main();
    second.Main();
    Mpris one(first), two(second);
    ASSERT_TRUE(one.Register(QDBusConnection::sessionBus()));
    ASSERT_TRUE(two.Register(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "two")));
    EXPECT_EQ(one.ServiceName(), Mpris::kService);
    EXPECT_TRUE(two.ServiceName().startsWith(QString(Mpris::kService) + ".instance"));
    const QStringList players = BusClient::Run("playerctl", {"-l"}).out.split('\n');
    EXPECT_EQ(players.size(), 2) << players.join(' ').toStdString();
}

}  // namespace
