#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <utility>
#include <vector>
#include "playlist/EntryListView.h"
#include "playlist/PlaylistModel.h"

#include "FakePlaybackControl.h"
#include "MediaFiles.h"
#include "TestSkin.h"
#include "app/Controller.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "playlist/FormPLS.h"
#include "video/Form1.h"

namespace {

class DesktopInput : public ::testing::Test {
  protected:
    DesktopInput() {
        main = &forms.Main();
        for (const char* name : {"a.mp3", "b.avi", "folder/c.avi", "folder/d.mpg", "notes.txt"}) {
            QDir(media.path()).mkpath(QFileInfo(media.filePath(name)).path());
            QFile file(media.filePath(QLatin1String(name)));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }
    // Drags the urls onto the window and drops them there; whether the drag was accepted.
    bool drop(QWidget* window, const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at(20, 20);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &dropped);
        return dropped.isAccepted();
    }
    QUrl url(const char* name) const { return QUrl::fromLocalFile(media.filePath(name)); }
    FormPLS& playlist() { return forms.Playlist(); }
    QStringList names() {
        QStringList shown;
        for (int i = 0; i < playlist().List2->count(); ++i) shown << playlist().Model().Name(i);
        return shown;
    }
    void activate(QWidget* window) {
        window->show();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window, 3000));
    }

    TestProgramDir dir;
    QTemporaryDir media;
    FakePlaybackControl* control = nullptr;
    TestForms forms{FakePlaybackControl::Factory(&control)};
    frmMain* main = nullptr;
};

TEST_F(DesktopInput, FilesDroppedOnTheMainWindowAreAddedAndTheFirstStarts) {
    main->GoStop(false);
    ASSERT_TRUE(drop(main, {url("a.mp3"), url("b.avi")}));
    EXPECT_EQ(names(), (QStringList{"a.mp3", "b.avi"}));
    EXPECT_EQ(control->fileName, media.filePath("a.mp3"));
    EXPECT_TRUE(main->tmrTime->isActive()) << "the playing look, as with the eject button";

    // A second drop adds without changing what plays.
    ASSERT_TRUE(drop(&forms.Video(), {url("b.avi")}));
    EXPECT_EQ(names().size(), 3);
    EXPECT_EQ(control->filesOpened.size(), 1);
}

TEST_F(DesktopInput, AFolderDroppedOnThePlaylistIsScanned) {
    ASSERT_TRUE(drop(&playlist(), {url("folder")}));
    ASSERT_TRUE(WaitFor([this] { return !playlist().Model().Scanning(); }, 10000));
    EXPECT_EQ(names(), (QStringList{"d", "c"})) << "the folder scan's order and names";
    EXPECT_EQ(playlist().Model().Paths().first(), media.filePath("folder/d.mpg"));
}

TEST_F(DesktopInput, ADragWithoutALocalFileOfAKnownTypeOrAStreamIsRefusedAndOthersAreLeftOut) {
    EXPECT_FALSE(drop(main, {QUrl(QStringLiteral("ftp://example.org/a.mp3"))}));
    EXPECT_FALSE(drop(&playlist(), {}));
    EXPECT_FALSE(drop(&playlist(), {url("notes.txt")}));
    EXPECT_EQ(playlist().EntryCount(), 0);
    ASSERT_TRUE(drop(&playlist(), {url("notes.txt"), url("b.avi")}));
    EXPECT_EQ(names(), QStringList{"b.avi"});
}

TEST_F(DesktopInput, HttpAndHttpsUrlsDroppedAreStreamEntriesNamedByPathOrHost) {
    const QString live = QStringLiteral("http://127.0.0.1:1/radio/live.mp3");
    ASSERT_TRUE(drop(main, {QUrl(live), QUrl(QStringLiteral("https://radio.example/"))}));
    EXPECT_EQ(names(), (QStringList{"live.mp3", "radio.example"}));
    EXPECT_EQ(control->fileName, live) << "handed to the control as it was dropped";
}

TEST_F(DesktopInput, KeysOnTheMainWindowActThroughTheButtonsRoutines) {
    forms.Operations().AddPaths({media.filePath("a.mp3"), media.filePath("b.avi")});
    activate(main);
    control->state = PlaybackControl::Stopped;
    QTest::keyClick(main, Qt::Key_Space);
    EXPECT_EQ(control->commands.last(), "play");
    EXPECT_TRUE(main->tmrTime->isActive());
    control->state = PlaybackControl::Playing;
    QTest::keyClick(main, Qt::Key_Space);
    EXPECT_EQ(control->commands.last(), "pause");

    control->duration = 100.0;
    control->position = 40.0;
    QTest::keyClick(main, Qt::Key_Right);
    EXPECT_DOUBLE_EQ(control->seeks.last(), 45.0);
    QTest::keyClick(main, Qt::Key_Left);
    EXPECT_DOUBLE_EQ(control->seeks.last(), 40.0) << "back from where the seek went";

    main->volumeBalance.SetVolumeFraction(0.5);
    const int before = control->volume;
    QTest::keyClick(main, Qt::Key_Up);
    EXPECT_NEAR(main->volumeBalance.VolumeFraction(), 0.5 + 1.0 / 28, 0.02);
    EXPECT_GT(control->volume, before);
    QTest::keyClick(main, Qt::Key_Down);
    QTest::keyClick(main, Qt::Key_Down);
    EXPECT_LT(control->volume, before);

    QTest::keyClick(main, Qt::Key_PageDown);
    EXPECT_EQ(control->fileName, media.filePath("b.avi"));
    QTest::keyClick(main, Qt::Key_PageUp);
    EXPECT_EQ(control->fileName, media.filePath("a.mp3"));

    QTest::keyClick(main, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(main->Unloaded());
}

TEST_F(DesktopInput, KeysOnThePlaylistWindowPlayRemoveAndKeepTheCount) {
    forms.Operations().AddPaths(
        {media.filePath("a.mp3"), media.filePath("b.avi"), media.filePath("folder/c.avi")});
    FormPLS& list = playlist();
    activate(&list);
    list.List2->setFocus();
    main->volumeBalance.SetVolumeFraction(0.5);
    const float knob = main->imgVolumeBut[0]->Left();
    // The list's own keys move the selection and start nothing.
    list.List2->setCurrentRow(0);
    for (const auto& [key, row] : std::vector<std::pair<Qt::Key, int>>{{Qt::Key_Down, 1},
                                                                       {Qt::Key_End, 2},
                                                                       {Qt::Key_Up, 1},
                                                                       {Qt::Key_Home, 0},
                                                                       {Qt::Key_PageDown, 2},
                                                                       {Qt::Key_PageUp, 0}}) {
        QTest::keyClick(list.List2, key);
        EXPECT_EQ(list.CurrentIndex(), row) << "after key " << key;
    }
    EXPECT_EQ(main->imgVolumeBut[0]->Left(), knob) << "the volume stays where it was";
    EXPECT_EQ(control->filesOpened.size(), 1) << "only the first entry, started by the add";

    list.List2->setCurrentRow(2);
    QTest::keyClick(list.List2, Qt::Key_Return);
    EXPECT_EQ(control->fileName, media.filePath("folder/c.avi"));

    list.List2->setCurrentRow(1);
    QTest::keyClick(&list, Qt::Key_Delete);
    EXPECT_EQ(names(), (QStringList{"a.mp3", "c.avi"}));
    EXPECT_EQ(list.Model().Paths(),
              (QStringList{media.filePath("a.mp3"), media.filePath("folder/c.avi")}));
    EXPECT_EQ(list.Text4->text(), "2");
    EXPECT_EQ(control->fileName, media.filePath("folder/c.avi")) << "what plays plays on";
    EXPECT_EQ(list.CurrentIndex(), 1) << "the entry in its place is selected";
    EXPECT_EQ(control->filesOpened.size(), 2) << "the first entry, then the one chosen";
}

}  // namespace
