#include <gtest/gtest.h>

#include <QCoreApplication>
#include "playlist/EntryListView.h"
#include "playlist/PlaylistModel.h"

#include "FakePlaybackControl.h"
#include "TestSkin.h"
#include "app/Controller.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "playlist/FormPLS.h"
#include "video/Form1.h"

namespace {

using CoordinateSkin::Decode;

// Shuffle and repeat through the controller, with the scripted control: the end of a file is
// what the real control reports, and the video window's rule reacts to it.
class Modes : public ::testing::Test {
  protected:
    Modes() {
        forms.Main();
        forms.Video();
        pls = &forms.Playlist();
    }
    void add(int count) {
        for (int i = pls->EntryCount(), end = i + count; i < end; ++i)
            pls->AppendEntry(QStringLiteral("/m/%1.mp3").arg(i), QString::number(i));
    }
    // The playing file reaches its end.
    void end() {
        control->duration = 3;
        control->position = 3;
        control->Become(PlaybackControl::Stopped);
        control->position = 0;
        control->Become(PlaybackControl::Playing);
    }
    static QStringList distinct(QStringList files) {
        files.sort();
        files.removeDuplicates();
        return files;
    }
    QString queued() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return control->queued;
    }
    Controller& operations() { return forms.Operations(); }

    CoordinateSkinDir dir;
    FakePlaybackControl* control = nullptr;
    TestForms forms{FakePlaybackControl::Factory(&control)};
    FormPLS* pls = nullptr;
};

TEST_F(Modes, ShufflePlaysEveryEntryOnceARoundWhetherFilesEndOrNextIsPressed) {
    add(6);
    operations().SetShuffle(true);
    pls->PlayNext();
    for (int i = 0; i < 17; ++i) {
        if (i % 3 == 0)
            operations().Next();
        else
            end();
    }
    ASSERT_EQ(control->filesOpened.size(), 18);
    for (int round = 0; round < 3; ++round)
        EXPECT_EQ(distinct(control->filesOpened.mid(round * 6, 6)).size(), 6) << round;
    // A new order each round; two rounds alike happen by chance (one in 720), three hardly.
    const QStringList first = control->filesOpened.mid(0, 6);
    EXPECT_FALSE(first == control->filesOpened.mid(6, 6) &&
                 first == control->filesOpened.mid(12, 6));
}

TEST_F(Modes, TurningShuffleOnKeepsTheCurrentEntryPlayingAndPreviousRetracesTheOrder) {
    add(5);
    pls->PlayNext();
    pls->PlayNext();
    operations().SetShuffle(true);
    EXPECT_EQ(control->filesOpened.size(), 2) << "nothing restarts";
    EXPECT_EQ(pls->CurrentIndex(), 1);
    for (int i = 0; i < 4; ++i) operations().Next();
    const QStringList round = control->filesOpened.mid(1);
    EXPECT_EQ(distinct(round).size(), 5) << "the round began with the playing entry";
    operations().Previous();
    operations().Previous();
    EXPECT_EQ(control->filesOpened.mid(6), (QStringList{round[3], round[2]}));
    operations().SetShuffle(false);
    const int at = pls->CurrentIndex();
    operations().Next();
    EXPECT_EQ(pls->CurrentIndex(), (at + 1) % 5) << "list order again";
}

TEST_F(Modes, RepeatStartsThePlayingFileAgainAndPreviousAndNextStillMove) {
    add(3);
    pls->PlayNext();
    operations().SetRepeat(true);
    end();
    end();
    EXPECT_EQ(control->filesOpened, (QStringList{"/m/0.mp3", "/m/0.mp3", "/m/0.mp3"}));
    operations().Next();
    EXPECT_EQ(control->fileName, "/m/1.mp3");
    operations().Previous();
    operations().Previous();
    EXPECT_EQ(control->fileName, "/m/2.mp3");
    end();
    EXPECT_EQ(control->fileName, "/m/2.mp3");
    operations().SetRepeat(false);
    end();
    EXPECT_EQ(control->fileName, "/m/0.mp3");
}

TEST_F(Modes, TheQueuedFileFollowsTheListTheSelectionAndTheModes) {
    add(3);
    pls->PlayNext();
    EXPECT_EQ(queued(), "/m/1.mp3");
    pls->List2->setCurrentRow(2);
    EXPECT_EQ(queued(), "/m/0.mp3") << "next counts from the selection and wraps";
    operations().SetRepeat(true);
    EXPECT_EQ(queued(), "/m/0.mp3") << "the playing file";
    pls->PlayNext();
    EXPECT_EQ(queued(), "/m/0.mp3");
    pls->PlayNext();
    EXPECT_EQ(queued(), "/m/1.mp3");
    operations().SetRepeat(false);
    EXPECT_EQ(queued(), "/m/2.mp3");
    add(1);
    EXPECT_EQ(queued(), "/m/2.mp3");
    pls->PlayNext();
    EXPECT_EQ(queued(), "/m/3.mp3");
    operations().SetShuffle(true);
    for (int i = 0; i < 8; ++i) {
        const QString upcoming = queued();
        end();
        EXPECT_EQ(control->fileName, upcoming) << "what was queued is what starts";
    }
    pls->Clearlst();
    EXPECT_EQ(queued(), "") << "nothing to queue";
}

TEST_F(Modes, TheModesAreSwitchedFromAnySideAndAnnounced) {
    int changes = 0;
    QObject::connect(&operations(), &Controller::ModesChanged, [&] { ++changes; });
    operations().SetShuffle(true);
    operations().SetShuffle(true);
    operations().SetRepeat(true);
    EXPECT_EQ(changes, 2) << "only real changes";
    EXPECT_TRUE(pls->Shuffle());
    forms.UnloadPlaylist();
    QCoreApplication::processEvents();
    EXPECT_TRUE(forms.Playlist().Shuffle()) << "a new playlist window takes the mode over";
}

// Toggle 0 (REP) and toggle 1 (SHUFFLE) rest on (state 2, tag "0") while their mode is on
// and off (state 0, tag "1") while it is off; pressed, they show the state they go to.
TEST_F(Modes, TheRepeatAndShuffleTogglesSwitchTheirModesAndShowThem) {
    frmMain& main = forms.Main();
    Toggles& toggles = main.toggles;
    const auto state = [&](int i) {
        return Decode(main.imgSufRep[i]->Picture().pixel(0, 0)).y / 15;
    };
    const MouseArgs left{1, 0, 0, 5};
    for (int i : {0, 1}) {
        const auto mode = [&] { return i == 0 ? operations().Repeat() : operations().Shuffle(); };
        EXPECT_EQ(main.imgSufRep[i]->Tag(), "1");
        EXPECT_EQ(state(i), 0);
        toggles.imgSufRep_MouseDown(i, left);
        EXPECT_EQ(state(i), 3);
        toggles.imgSufRep_MouseUp(i, left);
        EXPECT_TRUE(mode());
        EXPECT_EQ(main.imgSufRep[i]->Tag(), "0");
        EXPECT_EQ(state(i), 2);
        toggles.imgSufRep_MouseDown(i, left);
        EXPECT_EQ(state(i), 1);
        toggles.imgSufRep_MouseUp(i, left);
        EXPECT_FALSE(mode());
        EXPECT_EQ(main.imgSufRep[i]->Tag(), "1");
        EXPECT_EQ(state(i), 0);
    }
    // Switched elsewhere (a remote control), the looks follow.
    operations().SetShuffle(true);
    EXPECT_EQ(main.imgSufRep[1]->Tag(), "0");
    EXPECT_EQ(state(1), 2);
    EXPECT_EQ(state(0), 0);
    operations().SetRepeat(true);
    operations().SetShuffle(false);
    EXPECT_EQ(state(0), 2);
    EXPECT_EQ(state(1), 0);
    EXPECT_FALSE(forms.Video().isVisible()) << "the window toggles are not touched";
}

}  // namespace
