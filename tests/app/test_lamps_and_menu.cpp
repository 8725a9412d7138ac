#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMenu>

#include "FakePlaybackControl.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "playlist/FormPLS.h"
#include "skin/SkinPalette.h"
#include "skin/mdlSkin.h"

namespace {

QString shippedSkin(const char* name) {
    return qEnvironmentVariable("SOLVANE_SOURCE") + "/skins/" + name;
}

class Lamps : public ::testing::Test {
  protected:
    Lamps() { mdlSkin::LoadSkin(forms, shippedSkin("silence")); }
    // The cell of monoster.bmp each lamp shows now.
    QImage shown(int lamp) {
        return forms.Main().imgMonoSter[lamp]->Picture().convertToFormat(QImage::Format_RGB32);
    }
    static QImage cell(int x, int y) {
        return QImage(shippedSkin("silence") + "/monoster.bmp")
            .convertToFormat(QImage::Format_RGB32)
            .copy(x, y, 29, 12);
    }
    void expectLamps(bool stereo, bool mono) {
        EXPECT_EQ(shown(0), cell(0, stereo ? 0 : 12)) << "stereo lamp";
        EXPECT_EQ(shown(1), cell(29, mono ? 0 : 12)) << "mono lamp";
    }
    void play(int channels) {
        control->channels = channels;
        control->state = PlaybackControl::Playing;
        forms.Main().tmrTime_Timer();
    }

    TestProgramDir dir;
    FakePlaybackControl* control = nullptr;
    TestForms forms{FakePlaybackControl::Factory(&control)};
};

TEST_F(Lamps, EachTickLightsTheLampOfTheChannelCount) {
    forms.Main().GoStop(false);
    expectLamps(false, false);
    play(2);
    expectLamps(true, false);
    play(6);
    expectLamps(true, false);
    play(1);
    expectLamps(false, true);
    play(0);
    expectLamps(false, false);  // no audio
}

TEST_F(Lamps, StoppingOrClosingPutsThemOutAndPauseKeepsThem) {
    play(2);
    control->state = PlaybackControl::Paused;
    forms.Main().tmrTime_Timer();
    expectLamps(true, false);
    forms.Main().GoStop(true);
    expectLamps(false, false);
    play(1);
    control->state = PlaybackControl::Closed;
    forms.Main().tmrTime_Timer();
    expectLamps(false, false);
}

TEST_F(Lamps, ASkinLoadLeavesThemUnlitUntilTheNextTick) {
    play(1);
    mdlSkin::LoadSkin(forms, shippedSkin("silence"));
    expectLamps(false, false);
    forms.Main().tmrTime_Timer();
    expectLamps(false, true);
}

TEST(MenuLookTest, ThePopupMenuWearsTheSkin) {
    TestProgramDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    mdlSkin::LoadSkin(forms, shippedSkin("ember"));
    QMenu& menu = *forms.Main().mnuFile;
    menu.popup(QPoint(10, 10));
    menu.setActiveAction(forms.Main().mnuExit);
    QCoreApplication::processEvents();
    const SkinPalette colours = SkinPalette::From(forms.Playlist().PLEdit->Picture());
    EXPECT_TRUE(menu.font().styleStrategy() & QFont::NoAntialias);
    const QImage shot = menu.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.pixel(0, 0), colours.accent.rgb()) << "framed in the skin's accent";
    const QRect skin = menu.actionGeometry(forms.Main().mnuSkin);
    const QRect exit = menu.actionGeometry(forms.Main().mnuExit);
    EXPECT_EQ(shot.pixel(skin.right() - 3, skin.center().y()), colours.background.rgb());
    EXPECT_EQ(shot.pixel(exit.right() - 3, exit.center().y()), colours.selection.rgb())
        << "the item under the pointer is highlighted like the list's selection";
    int ink = 0;
    for (int x = skin.left(); x < skin.right(); ++x)
        ink += shot.pixel(x, skin.center().y()) == colours.text.rgb();
    EXPECT_GT(ink, 0) << "the caption is written";
    menu.hide();
}

}  // namespace
