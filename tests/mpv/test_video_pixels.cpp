#include <gtest/gtest.h>

#include <QWidget>

#include "MediaFiles.h"
#include "platform/MpvPlaybackControl.h"
#include "platform/VideoSurface.h"

namespace {

// Run with QT_SCALE_FACTOR=2: every logical pixel is two device pixels each way, and the
// picture is rendered at the device pixels so that it stays sharp.
TEST(VideoPixels, ThePictureIsRenderedAtTheSurfacesDevicePixels) {
    ASSERT_EQ(qEnvironmentVariable("QT_SCALE_FACTOR"), "2");
    MediaFiles media;
    ASSERT_TRUE(media.Make(
        "clip.avi",
        {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=2", "-c:v", "mpeg4"}));
    MpvPlaybackControl control(MpvPlaybackControl::Options::Silent());
    ASSERT_TRUE(control.IsReady());
    QWidget window;
    auto* surface = static_cast<VideoSurface*>(control.Surface());
    surface->setParent(&window);
    window.resize(300, 200);
    surface->setGeometry(0, 0, 300, 200);
    window.show();
    ASSERT_EQ(surface->devicePixelRatioF(), 2.0);
    EXPECT_EQ(surface->DeviceSize(), QSize(600, 400));
    control.SetFileName(media.Path("clip.avi"));
    ASSERT_TRUE(WaitFor([&] { return !surface->Frame().isNull(); }, 10000));
    EXPECT_EQ(surface->Frame().size(), QSize(600, 400));
    EXPECT_EQ(surface->Frame().devicePixelRatio(), 2.0);
    EXPECT_EQ(surface->Frame().deviceIndependentSize(), QSizeF(300, 200));
}

}  // namespace
