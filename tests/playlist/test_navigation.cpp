#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTimer>
#include "playlist/EntryListView.h"
#include "playlist/PlaylistModel.h"

#include "FakePlaybackControl.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "playlist/FormPLS.h"

namespace {

class Navigation : public ::testing::Test {
  protected:
    Navigation() {
        forms.Main();
        pls = &forms.Playlist();
    }
    void add(std::initializer_list<const char*> names) {
        for (const char* n : names)
            pls->AppendEntry(QStringLiteral("C:\\movies\\%1.avi").arg(n), n);
    }
    TestProgramDir dir;
    FakePlaybackControl* control = nullptr;
    TestForms forms{FakePlaybackControl::Factory(&control)};
    FormPLS* pls = nullptr;
};

TEST_F(Navigation, NextAndPreviousWrapAtBothEnds) {
    add({"A", "B", "C"});
    pls->PlayNext();
    EXPECT_EQ(control->fileName, "C:\\movies\\A.avi") << "no selection starts the first";
    pls->List2->setCurrentRow(2);
    pls->PlayNext();
    EXPECT_EQ(control->fileName, "C:\\movies\\A.avi");
    EXPECT_EQ(pls->CurrentIndex(), 0);
    pls->PlayPrev();
    EXPECT_EQ(control->fileName, "C:\\movies\\C.avi");
    pls->List2->setCurrentRow(-1);
    pls->PlayPrev();
    EXPECT_EQ(control->fileName, "C:\\movies\\C.avi") << "no selection starts the last";
}

TEST_F(Navigation, StartingAnEntrySetsTheCurrentFileFieldsAndTheCount) {
    add({"clip", "b"});
    pls->PlayNext();
    EXPECT_EQ(pls->Text2, "C:\\movies\\clip.avi");
    EXPECT_EQ(pls->Text3, "clip.avi");
    EXPECT_EQ(pls->Text3ToolTip, "clip.avi");
    EXPECT_EQ(pls->Text4->text(), "2");
    add({"c", "d", "e"});
    EXPECT_EQ(pls->Text4->text(), "2") << "adding does not refresh the count";
    pls->PlayNext();
    EXPECT_EQ(pls->Text4->text(), "5");
}

TEST_F(Navigation, OnAnEmptyListNothingStarts) {
    pls->PlayNext();
    EXPECT_TRUE(control->filesOpened.isEmpty());
    EXPECT_EQ(pls->CurrentIndex(), -1);
    pls->Add();
    EXPECT_EQ(pls->Nofiles, 0);
}

TEST_F(Navigation, TheOnlyEntryStartsAgainAtItsEnd) {
    add({"only"});
    pls->PlayNext();
    pls->PlayNext();
    EXPECT_EQ(control->filesOpened, (QStringList{"C:\\movies\\only.avi", "C:\\movies\\only.avi"}));
}

TEST_F(Navigation, AClickSelectsWithoutStartingAndNextCountsFromTheSelection) {
    add({"A", "B", "C", "D", "E"});
    pls->List2->setCurrentRow(1);
    pls->PlayNext();
    EXPECT_EQ(pls->Text2, "C:\\movies\\C.avi");
    pls->List2->setCurrentRow(3);
    EXPECT_EQ(pls->Text2, "C:\\movies\\C.avi");
    pls->PlayNext();
    EXPECT_EQ(control->fileName, "C:\\movies\\E.avi");
}

TEST(Getfilename, TakesTheTailAfterTheLastSeparator) {
    EXPECT_EQ(FormPLS::Getfilename("C:\\movies\\clip.avi"), "clip.avi");
    EXPECT_EQ(FormPLS::Getfilename("clip.avi"), "clip.avi");
    EXPECT_EQ(FormPLS::Getfilename("C:\\movies\\"), "movies\\");
    EXPECT_EQ(FormPLS::Getfilename("/home/me/a b.mp3"), "a b.mp3");
    EXPECT_EQ(FormPLS::Getfilename(""), "");
    // A stream: its path's last segment, else its host; never the query.
    EXPECT_EQ(FormPLS::Getfilename("http://radio.example:8000/live/a%20b.mp3?x=1/2"), "a b.mp3");
    EXPECT_EQ(FormPLS::Getfilename("HTTPS://radio.example/"), "radio.example");
    EXPECT_EQ(FormPLS::Getfilename("https://radio.example"), "radio.example");
}

TEST_F(Navigation, FailuresSkipAheadAndAWholeListOfFailuresStops) {
    add({"A", "B", "C"});
    frmMain& main = forms.Main();
    main.GoPlay(false);
    pls->PlayNext();
    control->openFailed = true;
    control->Become(PlaybackControl::Closed);
    EXPECT_EQ(control->fileName, "C:\\movies\\B.avi");
    control->Become(PlaybackControl::Waiting);
    control->Become(PlaybackControl::Closed);
    EXPECT_EQ(control->fileName, "C:\\movies\\C.avi");
    control->Become(PlaybackControl::Waiting);
    control->Become(PlaybackControl::Closed);
    EXPECT_EQ(control->filesOpened.size(), 3) << "stops after one round of failures";
    EXPECT_FALSE(main.tmrTime->isActive());
    EXPECT_TRUE(main.imgNumber[0]->isHidden());
}

TEST_F(Navigation, ASuccessfulStartResetsTheFailureRun) {
    add({"A", "B"});
    pls->PlayNext();
    control->openFailed = true;
    control->Become(PlaybackControl::Closed);  // A failed: B starts
    control->openFailed = false;
    control->Become(PlaybackControl::Playing);  // B plays
    control->openFailed = true;
    control->Become(PlaybackControl::Closed);  // B failed later: A again
    EXPECT_EQ(control->filesOpened.size(), 3);
}

// The current entry is the selection: a row made current by focus alone (as Qt does when the
// list takes focus) is not selected, and Next still starts the first entry.
TEST_F(Navigation, ARowMadeCurrentWithoutSelectionIsNotTheCurrentEntry) {
    add({"A", "B", "C"});
    pls->List2->selectionModel()->setCurrentIndex(pls->Model().index(0),
                                                  QItemSelectionModel::NoUpdate);
    ASSERT_EQ(pls->List2->currentRow(), 0);
    EXPECT_EQ(pls->CurrentIndex(), -1);
    pls->PlayNext();
    EXPECT_EQ(control->fileName, "C:\\movies\\A.avi");
}

// Previous over a broken entry steps back past it, not forwards onto where it came from.
TEST_F(Navigation, AFailedEntryIsSkippedInTheDirectionTheUserMoved) {
    add({"red", "empty", "green"});
    pls->List2->setCurrentRow(2);
    pls->PlayPrev();
    EXPECT_EQ(control->fileName, "C:\\movies\\empty.avi");
    control->openFailed = true;
    control->Become(PlaybackControl::Closed);
    EXPECT_EQ(control->fileName, "C:\\movies\\red.avi");
    control->openFailed = false;
    control->Become(PlaybackControl::Playing);
    pls->PlayNext();
    control->openFailed = true;
    control->Become(PlaybackControl::Closed);
    EXPECT_EQ(control->fileName, "C:\\movies\\green.avi") << "forwards again after Next";
}

// A double-click starts the entry and the player shows it playing, as the eject button does.
TEST_F(Navigation, ADoubleClickPutsOnThePlayingLook) {
    add({"A", "B"});
    frmMain& main = forms.Main();
    main.GoStop(false);
    pls->List2->setCurrentRow(1);
    emit pls->List2->doubleClicked(pls->Model().index(1));
    EXPECT_EQ(control->fileName, "C:\\movies\\B.avi");
    EXPECT_TRUE(main.tmrTime->isActive());
    EXPECT_FALSE(main.imgNumber[0]->isHidden());
    EXPECT_FALSE(main.imgPosSlide[0]->isHidden());
    EXPECT_FALSE(control->commands.contains("play")) << "the control is not commanded";
}

}  // namespace
