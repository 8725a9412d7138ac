#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include "playlist/EntryListView.h"
#include "playlist/PlaylistModel.h"

#include "FakePlaybackControl.h"
#include "MediaFiles.h"
#include "ScreenSession.h"
#include "TestSkin.h"
#include "app/Controller.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/MpvPlaybackControl.h"
#include "playlist/FormPLS.h"
#include "playlist/SkinMenu.h"
#include "skin/SkinPalette.h"
#include "skin/Sprite.h"
#include "skin/SpriteTable.h"
#include "skin/mdlSkin.h"

namespace {

QString shippedSkin(const QString& name) {
    return qEnvironmentVariable("SOLVANE_SOURCE") + "/skins/" + name;
}

void settle(int ms = 300) {
    WaitFor([] { return false; }, ms);
}

// Pixel by pixel: images read from a screenshot may differ from a bitmap in unused bits.
bool samePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF))
                return false;
    return true;
}

int count(const QImage& shot, const QRect& area, QColor colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += shot.pixel(x, y) == colour.rgb();
    return n;
}

// The playlist window, its menus and the popup menu on a real screen, in both shipped skins.
class LookOnScreen : public ::testing::TestWithParam<const char*> {
  protected:
    LookOnScreen() {
        frmMain& main = forms.Main();
        main.move(30, 30);
        main.show();
        pls = &forms.Playlist();
        pls->move(30, 144);
        pls->show();
        mdlSkin::LoadSkin(forms, shippedSkin(GetParam()));
        for (int i = 1; i <= 40; ++i)
            pls->AppendEntry(QStringLiteral("/music/%1.mp3").arg(i),
                             QStringLiteral("%1. Track number %1 - a rather long name that goes on")
                                 .arg(i, 2, 10, QLatin1Char('0')));
        pls->List2->setCurrentRow(3);
        pls->PlayNext();  // the fifth entry plays
        pls->List2->setCurrentRow(11);
        pls->List2->scrollTo(pls->Model().index(2), QAbstractItemView::PositionAtTop);
        colours = SkinPalette::From(pls->PLEdit->Picture());
        settle();
    }
    QRect onScreen(QWidget* widget, QRect r) const {
        return r.translated(widget->mapToGlobal(QPoint(0, 0)));
    }
    QString name(const QString& what) const {
        return QStringLiteral("look-%1-%2.png").arg(GetParam(), what);
    }

    TestProgramDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    FormPLS* pls = nullptr;
    SkinPalette colours;
    ScreenSession screen;
};

TEST_P(LookOnScreen, TheListShowsTheSelectionThePlayingEntryAndTheScrollbar) {
    const QImage shot = screen.Screenshot(name("list"));
    EntryListView* list = pls->List2;
    const QRect selected = onScreen(list->viewport(), list->visualRect(pls->Model().index(11)));
    const QRect playing = onScreen(list->viewport(), list->visualRect(pls->Model().index(4)));
    EXPECT_GT(count(shot, selected, colours.selection), selected.width() * 3)
        << "the selection in the skin's colour";
    EXPECT_GT(count(shot, playing, colours.accent), 20) << "the playing entry is marked";
    QScrollBar* bar = list->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_GT(bar->value(), 0) << "scrolled";
    const QRect track = onScreen(bar, bar->rect());
    EXPECT_GT(count(shot, track, colours.track), track.height()) << "a dark track";
    EXPECT_GT(count(shot, track, colours.thumb), 10) << "a thumb in the frame's colours";
    EXPECT_LE(track.right(), pls->geometry().right() - 4) << "inside the right edge";
}

TEST_P(LookOnScreen, EachButtonMenuOpensWithTheItemUnderThePointerHighlighted) {
    const struct {
        FormPLS::ButtonMenuId id;
        PictureBox* button;
        PictureBox* highlighted;
        const char* label;
    } menus[] = {{FormPLS::AddMenu, pls->Addbtn, pls->ButtonAdd[0], "menu-add"},
                 {FormPLS::RemoveMenu, pls->Remove, pls->ButtonRem[1], "menu-remove"},
                 {FormPLS::SelectMenu, pls->Select, pls->ButtonSel[0], "menu-select"},
                 {FormPLS::MiscMenu, pls->Misc, pls->ButtonMis[1], "menu-misc"},
                 {FormPLS::ListMenu, pls->List, pls->ButtonLst[0], "menu-list"}};
    for (const auto& m : menus) {
        SkinMenu* menu = pls->ButtonMenu(m.id);
        menu->Open(m.button->mapToGlobal(QPoint(5, 5)));
        const QPoint over = m.highlighted->pos() + QPoint(menu->width() - 10, 8);
        QMouseEvent move(QEvent::MouseMove, over, menu->mapToGlobal(over), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(menu, &move);
        settle(250);
        const QImage shot = screen.Screenshot(name(m.label));
        const QImage item = m.highlighted->Image();
        const QPoint at = menu->mapToGlobal(m.highlighted->pos() + QPoint(menu->width() - 22, 0));
        EXPECT_TRUE(samePixels(shot.copy(QRect(at, item.size())), item))
            << m.label << ": the highlighted look shows on screen";
        menu->close();
    }
}

TEST_P(LookOnScreen, ThePopupMenuIsDarkWithTheSkinsHighlight) {
    frmMain& main = forms.Main();
    main.mnuFile->popup(main.mapToGlobal(QPoint(6, 14)));
    main.mnuFile->setActiveAction(main.mnuExit);
    settle();
    const QImage shot = screen.Screenshot(name("popup"));
    const QRect menu = main.mnuFile->geometry();
    const QRect exit = main.mnuFile->actionGeometry(main.mnuExit).translated(menu.topLeft());
    EXPECT_EQ(shot.pixel(menu.topLeft()), colours.accent.rgb());
    EXPECT_GT(count(shot, menu, colours.background), menu.width() * menu.height() / 3);
    EXPECT_GT(count(shot, exit, colours.selection), exit.width() * 3);
    main.mnuFile->hide();
}

// The pointer as a user moves it: press on the button, drag to an item, release; and a quick
// click that leaves the menu open for a second click.
TEST_P(LookOnScreen, PressDragReleaseRunsAnItemAndAQuickClickWaitsForASecond) {
    // The list's order in short: the number each name starts with.
    const auto names = [this] {
        QString out;
        for (int i = 0; i < pls->List2->count(); ++i)
            out += pls->Model().Name(i).left(2) + QLatin1Char(' ');
        return out.toStdString();
    };
    const auto pointer = [](QPoint at) {
        ScreenSession::Run("xdotool",
                           {"mousemove", QString::number(at.x()), QString::number(at.y())});
        settle(150);
    };
    const auto button = [](const char* what) {
        ScreenSession::Run("xdotool", {what, "1"});
        settle(200);
    };
    SkinMenu* menu = pls->ButtonMenu(FormPLS::MiscMenu);
    const std::string before = names();
    pointer(pls->Misc->mapToGlobal(QPoint(10, 9)));
    button("mousedown");
    ASSERT_TRUE(menu->isVisible()) << "a press opens the menu";
    EXPECT_EQ(menu->Highlighted(), 2) << "the item over the button lights up";
    pointer(menu->mapToGlobal(pls->ButtonMis[0]->pos() + QPoint(menu->width() - 10, 8)));
    EXPECT_EQ(menu->Highlighted(), 0) << "the item under the pointer lights up";
    pointer(menu->mapToGlobal(pls->ButtonMis[2]->pos() + QPoint(menu->width() - 10, 8)));
    EXPECT_EQ(menu->Highlighted(), 2);
    button("mouseup");
    EXPECT_FALSE(menu->isVisible());
    QStringList numbers = QString::fromStdString(before).split(' ', Qt::SkipEmptyParts);
    std::reverse(numbers.begin(), numbers.end());
    const std::string reversed = (numbers.join(' ') + ' ').toStdString();
    EXPECT_EQ(names(), reversed) << "released over the third item: the list is reversed";

    pointer(pls->Misc->mapToGlobal(QPoint(10, 9)));
    button("click");
    ASSERT_TRUE(menu->isVisible()) << "a quick click keeps the menu open";
    EXPECT_EQ(names(), reversed) << "and runs nothing";
    pointer(menu->mapToGlobal(pls->ButtonMis[2]->pos() + QPoint(menu->width() - 10, 8)));
    button("click");
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(names(), before) << "the second click runs the item";

    pointer(pls->Misc->mapToGlobal(QPoint(10, 9)));
    button("mousedown");
    pointer(pls->mapToGlobal(QPoint(150, 60)));
    button("mouseup");
    EXPECT_FALSE(menu->isVisible()) << "released elsewhere, it closes";
    EXPECT_EQ(names(), before);
}

// With repeat on and shuffle off, a skin change leaves each mode toggle showing its mode.
TEST_P(LookOnScreen, TheModeTogglesShowTheirModesAfterASkinChange) {
    forms.Operations().SetRepeat(true);
    mdlSkin::LoadSkin(forms,
                      shippedSkin(GetParam() == QLatin1String("silence") ? "ember" : "silence"));
    mdlSkin::LoadSkin(forms, shippedSkin(GetParam()));
    const QImage toggles =
        QImage(shippedSkin(GetParam()) + "/shufrep.bmp").convertToFormat(QImage::Format_RGB32);
    const auto shows = [&](int toggle, int state) {
        const Cell cell = *mdlSkin::Sprites().Lookup(Sprite::Toggle, toggle + 1, state);
        ImageControl* control = forms.Main().imgSufRep[toggle];
        const QImage shot =
            screen.Screenshot().copy(onScreen(control, QRect(0, 0, cell.width, cell.height)));
        return samePixels(shot, toggles.copy(cell.x, cell.y, cell.width, cell.height));
    };
    EXPECT_TRUE(WaitFor([&] { return shows(0, Sprite::OnReleased); }, 5000)) << "repeat is on";
    EXPECT_TRUE(shows(1, Sprite::OffReleased)) << "shuffle is off";
    screen.Screenshot(name("modes-after-skin-change"));
}

INSTANTIATE_TEST_SUITE_P(ShippedSkins, LookOnScreen, ::testing::Values("silence", "ember"));

// The lamps during real playback of a stereo and a mono file.
TEST(LampsOnScreen, StereoThenMonoLightTheirLamps) {
    MediaFiles media;
    ASSERT_TRUE(media.Make("stereo.mp3", {"-f", "lavfi", "-i", "sine=frequency=440:duration=30",
                                          "-ac", "2", "-c:a", "libmp3lame"}));
    ASSERT_TRUE(media.Make("mono.mp3", {"-f", "lavfi", "-i", "sine=frequency=330:duration=30",
                                        "-ac", "1", "-c:a", "libmp3lame"}));
    for (const QString skin : {"silence", "ember"}) {
        TestProgramDir dir;
        TestForms forms{[] {
            return std::make_unique<MpvPlaybackControl>(MpvPlaybackControl::Options::Silent(false));
        }};
        frmMain& main = forms.Main();
        main.move(30, 30);
        main.show();
        mdlSkin::LoadSkin(forms, shippedSkin(skin));
        const QImage lamps =
            QImage(shippedSkin(skin) + "/monoster.bmp").convertToFormat(QImage::Format_RGB32);
        FormPLS& pls = forms.Playlist();
        pls.AppendEntry(media.Path("stereo.mp3"), "stereo");
        pls.AppendEntry(media.Path("mono.mp3"), "mono");
        ScreenSession screen;
        const QRect stereoLamp(main.mapToGlobal(QPoint(239, 41)), QSize(29, 12));
        const QRect monoLamp(main.mapToGlobal(QPoint(212, 41)), QSize(29, 12));
        const auto lit = [&](bool stereo, bool mono) {
            const QImage shot = screen.Screenshot();
            return samePixels(shot.copy(stereoLamp), lamps.copy(0, stereo ? 0 : 12, 29, 12)) &&
                   samePixels(shot.copy(monoLamp), lamps.copy(29, mono ? 0 : 12, 29, 12));
        };
        EXPECT_TRUE(WaitFor([&] { return lit(false, false); }, 5000))
            << skin.toStdString() << ": unlit before playing";
        pls.PlayNext();
        main.GoPlay(false);
        EXPECT_TRUE(WaitFor([&] { return lit(true, false); }, 15000))
            << skin.toStdString() << ": stereo";
        screen.Screenshot(QStringLiteral("look-%1-lamps-stereo.png").arg(skin));
        pls.PlayNext();
        EXPECT_TRUE(WaitFor([&] { return lit(false, true); }, 15000))
            << skin.toStdString() << ": mono";
        screen.Screenshot(QStringLiteral("look-%1-lamps-mono.png").arg(skin));
        main.GoStop(true);
        settle(100);
        EXPECT_TRUE(lit(false, false)) << skin.toStdString() << ": stopped";
    }
}

}  // namespace
