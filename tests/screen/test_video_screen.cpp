#include <gtest/gtest.h>

#include <QThread>

#include "MediaFiles.h"
#include "ScreenSession.h"
#include "TestForms.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "platform/MpvPlaybackControl.h"
#include "playlist/FormPLS.h"
#include "video/Form1.h"

namespace {

// The player's windows in this process, on the test's X screen, playing through real libmpv.
TEST(VideoOnScreen, FramesAppearForAFileLoadedWhileTheWindowWasHidden) {
    MediaFiles media;
    ASSERT_TRUE(media.Make("colour.avi",
                           {"-f", "lavfi", "-i", "color=c=0xe01010:size=160x120:rate=25:duration=4",
                            "-c:v", "mpeg4", "-vtag", "DIVX"}));
    TestProgramDir dir;
    TestForms forms(
        [] { return std::make_unique<MpvPlaybackControl>(MpvPlaybackControl::Options::Silent()); });
    frmMain& main = forms.Main();
    main.move(20, 20);
    main.show();
    ASSERT_FALSE(forms.Video().isVisible());
    forms.Playlist().AppendEntry(media.Path("colour.avi"), "colour.avi");
    forms.Playlist().PlayNext();
    main.GoPlay(false);
    ASSERT_TRUE(WaitFor([&] { return forms.Video().isVisible(); }, 10000));
    // On a busy machine the first second can take long: wait for the clock, not for a time.
    EXPECT_TRUE(WaitFor([&] { return main.TimeSeconds + main.TimeMinutes * 60 > 0; }, 20000))
        << "the time runs";
    ScreenSession screen;
    const QRect area = forms.Video().geometry();
    ASSERT_EQ(area.size(), QSize(637, 488));
    QRgb centre = 0;
    WaitFor(
        [&] {
            centre = screen.Screenshot(QStringLiteral("video-window.png")).pixel(area.center());
            return qRed(centre) > 150;
        },
        10000);
    EXPECT_GT(qRed(centre), 150) << "the red test picture shows";
    EXPECT_LT(qGreen(centre), 90);
    EXPECT_EQ(area.left(), main.geometry().left() + 275);
}

}  // namespace
