#include <gtest/gtest.h>

#include <QThread>

#include "FakePlaybackControl.h"
#include "MediaFiles.h"
#include "ScreenSession.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "playlist/FormPLS.h"
#include "skin/mdlSkin.h"

namespace {

QString shippedSkin(const char* name) {
    return qEnvironmentVariable("SOLVANE_SOURCE") + "/skins/" + name;
}

// Switching between the shipped skins on a real screen: pictures, shape and playlist frame follow.
TEST(SkinsOnScreen, SwitchingChangesThePicturesTheShapeAndThePlaylistFrame) {
    TestProgramDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    frmMain& main = forms.Main();
    main.move(30, 30);
    main.show();
    forms.Playlist().move(30, 144);
    forms.Playlist().show();
    ScreenSession screen;
    struct Look {
        QRgb body, corner, frame;
    };
    QList<Look> looks;
    for (const char* skin : {"silence", "ember", "silence"}) {
        mdlSkin::LoadSkin(forms, shippedSkin(skin));
        WaitFor([] { return false; }, 400);
        const QImage shot = screen.Screenshot(QStringLiteral("skin-%1.png").arg(skin));
        const QPoint m = main.geometry().topLeft(), p = forms.Playlist().geometry().topLeft();
        looks << Look{shot.pixel(m + QPoint(160, 100)), shot.pixel(m + QPoint(3, 112)),
                      shot.pixel(p + QPoint(60, 240))};
    }
    EXPECT_NE(looks[0].body, looks[1].body) << "the pictures change";
    EXPECT_NE(looks[0].frame, looks[1].frame) << "the playlist frame changes";
    EXPECT_NE(looks[0].corner, ScreenSession::kDesktop);
    EXPECT_EQ(looks[1].corner, ScreenSession::kDesktop) << "ember's rounder corner is cut by green";
    EXPECT_EQ(looks[2].body, looks[0].body) << "and back";
    EXPECT_EQ(looks[2].corner, looks[0].corner);
}

}  // namespace
