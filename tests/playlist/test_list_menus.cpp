#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <vector>
#include "playlist/EntryListView.h"
#include "playlist/PlaylistModel.h"

#include "FakePlaybackControl.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/CommonDialog.h"
#include "playlist/FormPLS.h"
#include "playlist/NaturalOrder.h"
#include "playlist/PlaylistFile.h"
#include "playlist/SkinMenu.h"

namespace {

// The bottom bar's menus and what each item does to both lists and to what plays.
class ListMenus : public ::testing::Test {
  protected:
    ListMenus() {
        forms.Main();
        pls = &forms.Playlist();
        pls->MessageBox = [](const QString&) {};
    }
    ~ListMenus() override {
        CommonDialog::SetAnswerForTests([](const CommonDialog&, bool) { return QString(); });
    }
    void add(std::initializer_list<const char*> names) {
        for (const char* n : names) pls->AppendEntry(QStringLiteral("/m/%1.avi").arg(n), n);
    }
    QStringList names() const {
        QStringList out;
        for (int i = 0; i < pls->List2->count(); ++i) out << pls->Model().Name(i);
        return out;
    }
    // Each name's path, so the test sees that both lists moved together.
    void expectPaired() const {
        ASSERT_EQ(pls->Model().Paths().size(), pls->List2->count());
        for (int i = 0; i < pls->List2->count(); ++i)
            EXPECT_EQ(pls->Model().Paths()[i], "/m/" + pls->Model().Name(i) + ".avi") << i;
    }
    QString playingName() const {
        const int i = pls->PlayingIndex();
        return i >= 0 ? pls->Model().Name(i) : QString();
    }
    // Opens the menu with a press on its button and releases over item k.
    void choose(FormPLS::ButtonMenuId id, int k) {
        SkinMenu* menu = pls->ButtonMenu(id);
        menu->Open(QPoint(-100, -100));
        const QPoint at = itemCentre(*menu, k);
        send(*menu, QEvent::MouseMove, at, Qt::NoButton);
        send(*menu, QEvent::MouseButtonRelease, at, Qt::NoButton);
    }
    static QPoint itemCentre(const SkinMenu& menu, int k) {
        for (int y = 0; y < menu.height(); ++y)
            if (menu.ItemAt(QPoint(menu.width() - 4, y)) == k)
                return QPoint(menu.width() - 4, y + 8);
        return QPoint(-1, -1);
    }
    static void send(QWidget& to, QEvent::Type type, QPoint at, Qt::MouseButton button) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, at, to.mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&to, &event);
    }

    TestProgramDir dir;
    FakePlaybackControl* control = nullptr;
    TestForms forms{FakePlaybackControl::Factory(&control)};
    FormPLS* pls = nullptr;
};

TEST_F(ListMenus, RemovingTheSelectedEntrySelectsTheOneInItsPlaceAndPlaysOn) {
    add({"A", "B", "C", "D"});
    pls->List2->setCurrentRow(3);
    pls->PlayNext();  // wraps to A
    pls->List2->setCurrentRow(1);
    choose(FormPLS::RemoveMenu, 0);
    EXPECT_EQ(names(), (QStringList{"A", "C", "D"}));
    expectPaired();
    EXPECT_EQ(pls->CurrentIndex(), 1) << "C took B's place";
    EXPECT_EQ(playingName(), "A");
    EXPECT_EQ(control->filesOpened, QStringList{"/m/A.avi"}) << "nothing else starts";
    pls->List2->setCurrentRow(0);
    pls->RemoveSelected();
    EXPECT_EQ(pls->PlayingIndex(), -1) << "the playing entry left the list";
    EXPECT_EQ(control->fileName, "/m/A.avi") << "its file plays on";
    pls->SelectLast();
    pls->RemoveSelected();
    EXPECT_EQ(names(), QStringList{"C"});
    EXPECT_EQ(pls->CurrentIndex(), 0) << "the last entry gone, the new last is selected";
    pls->RemoveSelected();
    pls->RemoveSelected();
    EXPECT_TRUE(pls->Model().Paths().isEmpty());
}

TEST_F(ListMenus, RemovingMissingFilesKeepsTheOnesThatExist) {
    dir.WriteFile("here.avi", "x");
    dir.WriteFile("also here.avi", "x");
    pls->AppendEntry(dir.Path() + "/here.avi", "here");
    pls->AppendEntry(dir.Path() + "/gone.avi", "gone");
    pls->AppendEntry(dir.Path() + "/also here.avi", "also");
    pls->AppendEntry(dir.Path() + "/gone too.avi", "gone too");
    pls->AppendEntry("http://127.0.0.1:1/live", "stream");  // no file, not missing
    pls->List2->setCurrentRow(2);
    pls->PlayNext();  // plays the last, which is gone: selected, marked
    pls->List2->setCurrentRow(2);
    choose(FormPLS::RemoveMenu, 1);
    EXPECT_EQ(names(), (QStringList{"here", "also", "stream"}));
    EXPECT_EQ(pls->Model().Paths(),
              (QStringList{dir.Path() + "/here.avi", dir.Path() + "/also here.avi",
                           "http://127.0.0.1:1/live"}));
    EXPECT_EQ(pls->CurrentIndex(), 1) << "the selection follows its entry";
    EXPECT_EQ(pls->PlayingIndex(), -1);
    EXPECT_EQ(control->filesOpened.size(), 1);
}

TEST_F(ListMenus, RemovingDuplicatesKeepsTheFirstOrThePlayingOne) {
    add({"A", "B", "A", "C", "B", "B"});
    pls->List2->setCurrentRow(3);
    pls->PlayNext();  // the second B
    choose(FormPLS::RemoveMenu, 2);
    EXPECT_EQ(names(), (QStringList{"A", "C", "B"}));
    expectPaired();
    EXPECT_EQ(pls->PlayingIndex(), 2) << "the playing B stays, the other Bs go";
    EXPECT_EQ(pls->CurrentIndex(), 2) << "and stays selected";
    EXPECT_EQ(control->filesOpened.size(), 1);
}

TEST_F(ListMenus, RemovingAllAndANewListEmptyBothListsAndLeaveTheFilePlaying) {
    add({"A", "B"});
    pls->PlayNext();
    choose(FormPLS::RemoveMenu, 3);
    EXPECT_TRUE(pls->Model().Paths().isEmpty());
    EXPECT_EQ(pls->List2->count(), 0);
    EXPECT_EQ(pls->PlayingIndex(), -1);
    add({"C"});
    choose(FormPLS::ListMenu, 2);
    EXPECT_TRUE(pls->Model().Paths().isEmpty());
    EXPECT_EQ(pls->List2->count(), 0);
    EXPECT_EQ(control->filesOpened, QStringList{"/m/A.avi"});
    EXPECT_TRUE(control->commands.isEmpty()) << "playback is not touched";
}

TEST_F(ListMenus, SelectingMovesTheSelectionOnlyAndNextCountsFromIt) {
    add({"A", "B", "C", "D", "E"});
    pls->List2->setCurrentRow(1);
    pls->PlayNext();  // C plays
    choose(FormPLS::SelectMenu, 2);
    EXPECT_EQ(pls->CurrentIndex(), 4);
    choose(FormPLS::SelectMenu, 1);
    EXPECT_EQ(pls->CurrentIndex(), 0);
    choose(FormPLS::SelectMenu, 0);
    EXPECT_EQ(pls->CurrentIndex(), 2);
    EXPECT_EQ(control->filesOpened, QStringList{"/m/C.avi"}) << "selecting starts nothing";
    pls->PlayNext();
    EXPECT_EQ(control->fileName, "/m/D.avi");
}

TEST_F(ListMenus, SelectingInAnEmptyListOrWithNothingPlayingDoesNothing) {
    pls->SelectFirst();
    pls->SelectLast();
    pls->SelectPlaying();
    EXPECT_EQ(pls->CurrentIndex(), -1);
    add({"A", "B"});
    pls->List2->setCurrentRow(1);
    pls->SelectPlaying();
    EXPECT_EQ(pls->CurrentIndex(), 1);
}

TEST_F(ListMenus, SortingByNameIsNaturalAndThePlayingEntryStaysSelected) {
    add({"track 10", "Track 2", "track 1", "b"});
    pls->List2->setCurrentRow(0);
    pls->PlayNext();  // "Track 2" plays and is selected
    choose(FormPLS::MiscMenu, 0);
    EXPECT_EQ(names(), (QStringList{"b", "track 1", "Track 2", "track 10"}));
    expectPaired();
    EXPECT_EQ(playingName(), "Track 2");
    EXPECT_EQ(pls->CurrentIndex(), 2);
    EXPECT_EQ(control->filesOpened.size(), 1) << "it plays on, not started again";
    pls->PlayNext();
    EXPECT_EQ(control->fileName, "/m/track 10.avi") << "next follows the new order";
}

TEST_F(ListMenus, SortingByPathOrdersByTheFullPath) {
    pls->AppendEntry("/z/a.avi", "a");
    pls->AppendEntry("/b/z.avi", "z");
    pls->AppendEntry("/b/m.avi", "m");
    pls->List2->setCurrentRow(0);
    choose(FormPLS::MiscMenu, 1);
    EXPECT_EQ(pls->Model().Paths(), (QStringList{"/b/m.avi", "/b/z.avi", "/z/a.avi"}));
    EXPECT_EQ(names(), (QStringList{"m", "z", "a"}));
    EXPECT_EQ(pls->CurrentIndex(), 2) << "a selection that is not playing follows its entry too";
}

TEST_F(ListMenus, ReversingTurnsBothListsAroundAndNextFollows) {
    add({"A", "B", "C", "D"});
    pls->List2->setCurrentRow(0);
    pls->PlayNext();  // B
    choose(FormPLS::MiscMenu, 2);
    EXPECT_EQ(names(), (QStringList{"D", "C", "B", "A"}));
    expectPaired();
    EXPECT_EQ(pls->PlayingIndex(), 2);
    EXPECT_EQ(pls->CurrentIndex(), 2);
    pls->PlayNext();
    EXPECT_EQ(control->fileName, "/m/A.avi");
}

TEST_F(ListMenus, AnUnpairedTailFromADamagedPlaylistStaysBehind) {
    add({"B", "A"});
    pls->Model().AppendPaths({"/m/orphan.avi"});
    pls->SortByName();
    EXPECT_EQ(pls->Model().Paths(), (QStringList{"/m/A.avi", "/m/B.avi", "/m/orphan.avi"}));
    pls->Reverse();
    EXPECT_EQ(pls->Model().Paths().last(), "/m/orphan.avi");
    EXPECT_EQ(names(), (QStringList{"B", "A"}));
}

TEST_F(ListMenus, AddingAndLoadingPlaylistsAskForAPlaylistOnly) {
    QStringList asked;
    const QStringList two{"/p/1.avi", "/p/2.avi"};
    dir.WriteFile("two.slv", PlaylistFile::Compose(two, {"1", "2"}).toUtf8());
    CommonDialog::SetAnswerForTests([&](const CommonDialog& d, bool save) {
        asked << d.NameFilters().join(";") + (save ? " save" : " open");
        return dir.Path() + "/two.slv";
    });
    choose(FormPLS::AddMenu, 2);
    EXPECT_EQ(pls->Model().Paths(), two);
    EXPECT_EQ(control->filesOpened, QStringList{"/p/1.avi"}) << "an empty list starts playing";
    EXPECT_TRUE(forms.Main().tmrTime->isActive()) << "under the playing look";
    choose(FormPLS::AddMenu, 2);
    EXPECT_EQ(pls->Model().Paths().size(), 4) << "adding appends";
    choose(FormPLS::ListMenu, 0);
    EXPECT_EQ(pls->Model().Paths(), two) << "loading replaces";
    EXPECT_EQ(pls->List2->count(), 2);
    EXPECT_EQ(control->filesOpened.size(), 1) << "loading starts nothing";
    EXPECT_EQ(asked.first(),
              "Playlists (*.slv *.m3u *.m3u8 *.pls);Solvane Playlist (slv) (*.slv) open");
    CommonDialog::SetAnswerForTests([](const CommonDialog&, bool) { return QString(); });
    choose(FormPLS::ListMenu, 0);
    EXPECT_EQ(pls->Model().Paths(), two) << "a cancelled load keeps the list";
}

TEST_F(ListMenus, TheOtherItemsRunTheExistingOperations) {
    QStringList asked;
    CommonDialog::SetAnswerForTests([&](const CommonDialog& d, bool save) {
        asked << QString("%1 %2").arg(d.DialogTitle()).arg(save);
        return save ? dir.Path() + "/out.slv" : QStringLiteral("/m/new.avi");
    });
    choose(FormPLS::ListMenu, 1);
    EXPECT_TRUE(asked.isEmpty()) << "an empty list is not saved";
    choose(FormPLS::AddMenu, 0);
    EXPECT_EQ(pls->Model().Paths(), QStringList{"/m/new.avi"});
    EXPECT_EQ(control->filesOpened, QStringList{"/m/new.avi"});
    EXPECT_TRUE(forms.Main().tmrTime->isActive()) << "the first file plays under the playing look";
    choose(FormPLS::ListMenu, 1);
    EXPECT_TRUE(QFile::exists(dir.Path() + "/out.slv"));
    EXPECT_EQ(asked, (QStringList{"Choose media to play 0", "Choose media to play 1"}));
}

TEST_F(ListMenus, DialogsOpenOverThePlayerWhileThePlaylistIsHidden) {
    QList<QWidget*> owners;
    CommonDialog::SetAnswerForTests([&](const CommonDialog& d, bool) {
        owners << d.Owner;
        return QString();
    });
    forms.Operations().Eject();
    pls->show();
    pls->AddPlaylist();
    ASSERT_EQ(owners.size(), 2);
    EXPECT_EQ(owners[0], &forms.Main());
    EXPECT_EQ(owners[1], pls);
}

// An open menu from the keyboard: Up and Down move the highlight (the top item is SORT NAME,
// the lowest FLIP), Enter runs it, Escape closes, a letter runs its item.
TEST_F(ListMenus, AnOpenMenuAnswersTheKeyboard) {
    const struct {
        std::vector<int> keys;
        QStringList after;
    } cases[] = {
        {{Qt::Key_Down, Qt::Key_Return}, {"A", "B", "C"}},
        {{Qt::Key_Up, Qt::Key_Return}, {"C", "A", "B"}},
        {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Return}, {"C", "A", "B"}},
        {{Qt::Key_Down, Qt::Key_Escape}, {"B", "A", "C"}},
        {{Qt::Key_F}, {"C", "A", "B"}}};
    pls->show();
    SkinMenu* menu = pls->ButtonMenu(FormPLS::MiscMenu);
    for (const auto& c : cases) {
        pls->Clearlst();
        add({"B", "A", "C"});
        menu->Open(QPoint(-100, -100));
        for (int key : c.keys) QTest::keyClick(menu, Qt::Key(key));
        EXPECT_EQ(names(), c.after)
            << "after " << c.keys.size() << " keys ending in " << c.keys.back();
        EXPECT_FALSE(menu->isVisible());
        expectPaired();
    }
}

// The menu as a user drives it: press on the button, move, release.
TEST_F(ListMenus, APressOpensTheMenuInItsPlaceAndTheItemUnderThePointerLightsUp) {
    add({"B", "A"});
    pls->show();
    SkinMenu* menu = pls->ButtonMenu(FormPLS::MiscMenu);
    const QPoint press = pls->Misc->mapToGlobal(QPoint(5, 5));
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(press), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pls->Misc, &down);
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->geometry().topLeft(), pls->MisBar->mapToGlobal(QPoint(0, 0)));
    EXPECT_EQ(menu->geometry().bottomRight(),
              pls->MisMen->mapToGlobal(QPoint(pls->MisMen->width(), pls->MisMen->height())) -
                  QPoint(1, 1));
    EXPECT_EQ(menu->Highlighted(), 2) << "the lowest item lies over the button";

    // A quick click leaves it open and runs nothing.
    send(*menu, QEvent::MouseButtonRelease, menu->mapFromGlobal(press), Qt::LeftButton);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(names(), (QStringList{"B", "A"}));

    send(*menu, QEvent::MouseMove, itemCentre(*menu, 0), Qt::NoButton);
    EXPECT_EQ(menu->Highlighted(), 0);
    const QImage shown = menu->grab().toImage();
    const QImage item = pls->ButtonMis[0]->Image();
    const int strip = pls->MisBar->width();
    EXPECT_EQ(shown.copy(strip, 0, item.width(), item.height()).convertToFormat(item.format()),
              item)
        << "the highlighted look of the item is drawn";
    EXPECT_EQ(shown.copy(strip, 18, 22, 18).convertToFormat(QImage::Format_RGB32),
              pls->MisMen->Image().copy(0, 18, 22, 18))
        << "the other items keep their normal look";
    send(*menu, QEvent::MouseButtonPress, itemCentre(*menu, 0), Qt::LeftButton);
    send(*menu, QEvent::MouseButtonRelease, itemCentre(*menu, 0), Qt::LeftButton);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(names(), (QStringList{"A", "B"})) << "sorted by name";
}

TEST_F(ListMenus, ReleasingElsewhereOrEscapeClosesWithoutRunning) {
    add({"B", "A"});
    pls->show();
    SkinMenu* menu = pls->ButtonMenu(FormPLS::MiscMenu);
    menu->Open(pls->Misc->mapToGlobal(QPoint(5, 5)));
    send(*menu, QEvent::MouseMove, QPoint(-30, 5), Qt::LeftButton);
    EXPECT_EQ(menu->Highlighted(), -1);
    send(*menu, QEvent::MouseButtonRelease, QPoint(-30, 5), Qt::LeftButton);
    EXPECT_FALSE(menu->isVisible());
    menu->Open(pls->Misc->mapToGlobal(QPoint(5, 5)));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &escape);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(names(), (QStringList{"B", "A"}));
}

}  // namespace

namespace {

TEST(NaturalOrderTest, NumbersByValueLettersWithoutCaseAndAStableTie) {
    EXPECT_TRUE(NaturalOrder::Less("track 2", "Track 10"));
    EXPECT_TRUE(NaturalOrder::Less("a", "B"));
    EXPECT_TRUE(NaturalOrder::Less("", "a"));
    EXPECT_TRUE(NaturalOrder::Less("disc 1 - 9", "disc 1 - 10"));
    EXPECT_TRUE(NaturalOrder::Less("x99999999999999999999", "x100000000000000000000"))
        << "no overflow on long runs";
    EXPECT_NE(NaturalOrder::Compare("file01", "file1"), 0) << "equal values still order";
    EXPECT_EQ(NaturalOrder::Compare("file01", "file1"), -NaturalOrder::Compare("file1", "file01"));
    EXPECT_EQ(NaturalOrder::Compare("same", "same"), 0);
    EXPECT_TRUE(NaturalOrder::Less("1abc", "abc")) << "digits before letters, as in text";
}

}  // namespace
