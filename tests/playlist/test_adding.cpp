#include <gtest/gtest.h>

#include <QTimer>
#include "playlist/EntryListView.h"
#include "playlist/PlaylistModel.h"

#include "FakePlaybackControl.h"
#include "MediaFiles.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/BrowseFolder.h"
#include "platform/CommonDialog.h"
#include "playlist/FormPLS.h"
#include "playlist/PlaylistFile.h"

namespace {

QString g_folder;

class Adding : public ::testing::Test {
  protected:
    // Folders are scanned off this thread: waits until the scan's rows are in.
    void scanned() {
        ASSERT_TRUE(WaitFor([this] { return !pls->Model().Scanning(); }, 10000));
    }
    Adding() {
        pls = &forms.Playlist();
        pls->MessageBox = [](const QString&) {};
    }
    ~Adding() override {
        CommonDialog::SetAnswerForTests([](const CommonDialog&, bool) { return QString(); });
        modBrowseFolder::SetAnswerForTests([] { return QString(); });
    }
    void choose(const QString& path) {
        CommonDialog::SetAnswerForTests([this, path](const CommonDialog& d, bool save) {
            lastTitle = d.DialogTitle();
            lastFilters = d.NameFilters();
            lastSave = save;
            lastExt = d.DefaultExt();
            return path;
        });
    }
    void chooseFolder(const QString& path) {
        g_folder = path;
        modBrowseFolder::SetAnswerForTests([] { return g_folder; });
    }
    QStringList names() const {
        QStringList out;
        for (int i = 0; i < pls->List2->count(); ++i) out << pls->Model().Name(i);
        return out;
    }

    TestProgramDir dir;
    FakePlaybackControl* control = nullptr;
    TestForms forms{FakePlaybackControl::Factory(&control)};
    FormPLS* pls = nullptr;
    QString lastTitle, lastExt;
    QStringList lastFilters;
    bool lastSave = false;
};

TEST_F(Adding, AChosenFileIsAppendedWithItsNameAndExtension) {
    choose("/films/clip.AVI");
    pls->AddFile();
    EXPECT_EQ(pls->Model().Paths(), QStringList{"/films/clip.AVI"});
    EXPECT_EQ(names(), QStringList{"clip.AVI"});
    EXPECT_EQ(lastTitle, "Choose media to play");
    ASSERT_EQ(lastFilters.size(), 9);
    EXPECT_TRUE(lastFilters[0].startsWith("All Media Files (*.mp3 *.flac"));
    EXPECT_EQ(lastFilters[1],
              "Supported Media Files (*.avi *.asf *.mpg *.mpeg *.wmv *.divx *.dat *.slv *.mp3)");
    EXPECT_TRUE(control->filesOpened.isEmpty()) << "adding alone starts nothing";
}

TEST_F(Adding, APlaylistIsLoadedOnlyForALowerCaseSlv) {
    dir.WriteFile("list.slv",
                  "<ref href = \"/a.avi\" /><Param Name = \"name\" Value = \"a.avi\" />");
    dir.WriteFile("list.SLV", "<ref href = \"/a.avi\" />");
    choose(dir.Path() + "/list.slv");
    pls->AddFile();
    EXPECT_EQ(pls->Model().Paths(), QStringList{"/a.avi"});
    choose(dir.Path() + "/list.SLV");
    pls->AddFile();
    EXPECT_EQ(pls->Model().Paths().last(), dir.Path() + "/list.SLV");
    EXPECT_EQ(names().last(), "list.SLV");
}

TEST_F(Adding, AddOnAnEmptyListStartsTheFirstEntryOfAPlaylist) {
    QStringList paths{"/1", "/2", "/3", "/4"};
    dir.WriteFile("four.slv", PlaylistFile::Compose(paths, paths).toUtf8());
    choose(dir.Path() + "/four.slv");
    pls->Add();
    EXPECT_EQ(control->filesOpened, QStringList{"/1"});
    EXPECT_EQ(pls->Nofiles, 0);
    choose("/5.avi");
    pls->Add();
    EXPECT_EQ(control->filesOpened, QStringList{"/1"}) << "a non-empty list keeps playing";
}

TEST_F(Adding, ACancelledDialogAddsNothing) {
    choose(QString());
    pls->Add();
    EXPECT_TRUE(pls->Model().Paths().isEmpty());
    EXPECT_EQ(pls->Nofiles, 0);
    EXPECT_TRUE(control->filesOpened.isEmpty());
}

TEST_F(Adding, TheEjectButtonAddsAndStartsOnAnEmptyList) {
    choose("/films/first.avi");
    forms.Main().imgPlayBut_MouseUp(5, MouseArgs{1, 0, 0, 0});
    EXPECT_EQ(control->filesOpened, QStringList{"/films/first.avi"});
    EXPECT_TRUE(forms.Main().tmrTime->isActive());
}

TEST_F(Adding, TheFolderScanTakesEachPatternInTurnInNaturalOrder) {
    const QString folder = dir.Make("media");
    for (const char* name : {"b.avi", "a.mpg", "x.y.divx", "a.b.c.mpeg", "C.AVI", "song.mp3",
                             "clip.wmv", ".hidden.avi", "v.dat", "w.asf", "noext"})
        dir.WriteFile(QString("media/") + name, "x");
    dir.Make("media/sub.avi");
    chooseFolder(folder);
    pls->LblAddDir_Click();
    scanned();
    EXPECT_EQ(names(), (QStringList{"a", "a", "b", "C", "w", "x", "v", "clip", "song"}));
    EXPECT_EQ(pls->Model().Paths().first(), folder + "/a.mpg");
    EXPECT_EQ(pls->Model().Paths()[3], folder + "/C.AVI");
    pls->LblAddDir_Click();
    scanned();
    EXPECT_EQ(pls->Model().Paths().size(), 18) << "scanning twice lists twice";
    EXPECT_TRUE(control->filesOpened.isEmpty());
}

TEST_F(Adding, AFolderEndingInASeparatorGivesNoDoubledOneAndACancelAddsNothing) {
    chooseFolder(QString());
    pls->LblAddDir_Click();
    scanned();
    EXPECT_TRUE(pls->Model().Paths().isEmpty());
    // The root "/" is the folder whose name ends in a separator; scanning the whole disk
    // with its subfolders would make the test as slow as the disk is large.
    const QString folder = dir.Make("album");
    dir.WriteFile("album/a.mp3", "x");
    chooseFolder(folder + "/");
    pls->LblAddDir_Click();
    scanned();
    EXPECT_EQ(pls->Model().Paths(), QStringList{folder + "/a.mp3"});
}

TEST_F(Adding, NamesFromTheDialogsKeepTheirBackslashes) {
    const QString folder = dir.Make("we\\ird");
    dir.WriteFile("we\\ird/a.avi", "x");
    chooseFolder(folder);
    pls->LblAddDir_Click();
    scanned();
    ASSERT_EQ(pls->Model().Paths(), QStringList{folder + "/a.avi"});
    EXPECT_EQ(names(), QStringList{"a"});

    choose(folder + "/b\\c.avi");
    pls->AddFile();
    EXPECT_EQ(pls->Model().Paths().last(), folder + "/b\\c.avi");

    dir.WriteFile("we\\ird/d\\e.slv", "<ref href = \"a.avi\" />");
    choose(folder + "/d\\e.slv");
    pls->AddFile();
    EXPECT_EQ(pls->Model().Paths().last(), folder + "/a.avi")
        << "loaded as a playlist from that folder";
}

TEST_F(Adding, ClearingKeepsTheCurrentFileFields) {
    pls->AppendEntry("/m/a.avi", "a.avi");
    pls->PlayNext();
    pls->Clearlst();
    EXPECT_TRUE(pls->Model().Paths().isEmpty());
    EXPECT_EQ(pls->List2->count(), 0);
    EXPECT_EQ(pls->Text2, "/m/a.avi");
    EXPECT_EQ(pls->Text3, "a.avi");
}

TEST_F(Adding, SavingAsksWithTheSlvFilterAndDefaultExtension) {
    pls->AppendEntry("/m/a.avi", "a.avi");
    choose(dir.Path() + "/saved.slv");
    pls->SaveLst();
    EXPECT_TRUE(lastSave);
    EXPECT_EQ(lastExt, "slv");
    EXPECT_EQ(lastFilters,
              (QStringList{"Solvane Playlist (slv) (*.slv)", "M3U8 Playlist (*.m3u8)"}));
    EXPECT_EQ(lastTitle, "Choose media to play");
    pls->Clearlst();
    pls->PullFromASX(dir.Path() + "/saved.slv");
    EXPECT_EQ(pls->Model().Paths(), QStringList{"/m/a.avi"});
}

TEST_F(Adding, ListsOfOtherPlayersLoadWhereverASlvLoadsAndM3u8IsSavedAsOne) {
    dir.Make("other");
    dir.WriteFile("other/mix.m3u", "#EXTM3U\n#EXTINF:61,First Song\nsongs\\1.mp3\nsongs/2.flac\n");
    dir.WriteFile("other/radio.PLS", "[playlist]\nFile1=http://127.0.0.1:9/live\nTitle1=Live\n");
    choose(dir.Path() + "/other/mix.m3u");
    pls->AddFile();
    pls->AddPath(dir.Path() + "/other/radio.PLS");
    pls->AddPath(dir.Path() + "/other/notes.txt");  // not a type the player takes
    EXPECT_EQ(names(), (QStringList{"First Song", "2.flac", "Live"}));
    EXPECT_EQ(pls->Model().Paths(),
              (QStringList{dir.Path() + "/other/songs/1.mp3", dir.Path() + "/other/songs/2.flac",
                           "http://127.0.0.1:9/live"}));

    choose(dir.Path() + "/saved.m3u8");
    pls->SaveLst();
    choose(dir.Path() + "/saved.m3u8");
    pls->LoadPlaylist();
    EXPECT_EQ(names(), (QStringList{"First Song", "2.flac", "Live"}));
    EXPECT_EQ(pls->Model().Paths().size(), 3);
    EXPECT_EQ(lastFilters.first(), "Playlists (*.slv *.m3u *.m3u8 *.pls)");
}

TEST(CommonDialogTest, FileNameReadsOnceAndDefaultExtLosesItsDots) {
    CommonDialog dialog;
    dialog.SetFileName("/a.avi");
    EXPECT_EQ(dialog.FileName(), "/a.avi");
    EXPECT_EQ(dialog.FileName(), "");
    EXPECT_EQ(dialog.DefaultExt(), "txt");
    dialog.SetDefaultExt(".slv");
    EXPECT_EQ(dialog.DefaultExt(), "slv");
    dialog.SetFilter("A|*.a|B|*.b;*.c");
    EXPECT_EQ(dialog.Filter(), "A|*.a|B|*.b;*.c");
    EXPECT_EQ(dialog.NameFilters(), (QStringList{"A (*.a)", "B (*.b *.c)"}));
}

TEST_F(Adding, TheCloseHotspotRedrawsTheTitleBarAndHides) {
    CoordinateSkin::Write(dir.Make("skins/silence"));
    TestForms skinned{FakePlaybackControl::Factory()};
    FormPLS& window = skinned.Playlist();
    window.AppendEntry("/a", "a");
    window.show();
    emit window.imgMenu->MouseDown(0, MouseArgs{2, 0, 0, 0});
    EXPECT_EQ(CoordinateSkin::Decode(skinned.Main().imgTitlebar->Picture().pixel(0, 0)),
              (CoordinateSkin::Origin{3, 27, 72}));
    emit window.imgMenu->MouseUp(0, MouseArgs{2, 0, 0, 0});
    EXPECT_EQ(CoordinateSkin::Decode(skinned.Main().imgTitlebar->Picture().pixel(0, 0)),
              (CoordinateSkin::Origin{3, 27, 29}));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.Model().Paths().size(), 1);
}

}  // namespace
