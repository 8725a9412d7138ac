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

// A pixel as stored: QImage::pixel() would report the fourth byte of an RGB32 image as 0xFF
// whatever it holds.
QRgb raw(const QImage& frame, int x, int y) {
    return reinterpret_cast<const QRgb*>(frame.constScanLine(y))[x];
}

int transparentPixels(const QImage& frame) {
    int count = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) count += qAlpha(raw(frame, x, y)) != 255;
    return count;
}

// A window system that reads the fourth byte as alpha shows every frame as it is: the
// picture and the bars beside a picture of another shape are opaque, in the file's colours.
TEST(VideoPixels, EveryPixelOfARenderedFrameIsOpaque) {
    MediaFiles media;
    ASSERT_TRUE(media.Make(
        "red.avi", {"-f", "lavfi", "-i", "color=c=0xe01010:size=160x120:rate=25:duration=2", "-c:v",
                    "mpeg4"}));
    MpvPlaybackControl control(MpvPlaybackControl::Options::Silent());
    ASSERT_TRUE(control.IsReady());
    QWidget window;
    auto* surface = static_cast<VideoSurface*>(control.Surface());
    surface->setParent(&window);
    window.resize(300, 100);  // wider than the picture: bars left and right
    surface->setGeometry(0, 0, 300, 100);
    window.show();
    control.SetFileName(media.Path("red.avi"));
    ASSERT_TRUE(WaitFor([&] { return !surface->Frame().isNull(); }, 10000));
    const QImage frame = surface->Frame();
    EXPECT_EQ(transparentPixels(frame), 0);
    const QRgb middle = raw(frame, frame.width() / 2, frame.height() / 2);
    EXPECT_GT(qRed(middle), 190);
    EXPECT_LT(qGreen(middle), 50);
    EXPECT_EQ(raw(frame, 2, frame.height() / 2), qRgb(0, 0, 0)) << "the bar is opaque black";
}

// Frames as other formats leave them: a fourth byte never set, or a bar drawn on (a
// subtitle). All become opaque and keep their colours.
TEST(VideoPixels, FramesWithHolesBecomeOpaqueAndKeepTheirColours) {
    const auto frame = [](QRgb outside, QRgb inside, QRect picture, QPoint at, QRgb there) {
        QImage image(64, 48, QImage::Format_RGB32);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                reinterpret_cast<QRgb*>(image.scanLine(y))[x] =
                    picture.contains(x, y) ? inside : outside;
        reinterpret_cast<QRgb*>(image.scanLine(at.y()))[at.x()] = there;
        return image;
    };
    VideoSurface surface;
    surface.SetFrame(frame(0, 0x0010e020, QRect(0, 0, 64, 48), QPoint(0, 0), 0x0010e020));
    EXPECT_EQ(transparentPixels(surface.Frame()), 0) << "the byte left unset all over";
    EXPECT_EQ(raw(surface.Frame(), 5, 5), qRgb(0x10, 0xe0, 0x20));

    surface.SetFrame(frame(0, qRgb(200, 10, 10), QRect(0, 8, 64, 32), QPoint(32, 44), 0x80808080));
    EXPECT_EQ(transparentPixels(surface.Frame()), 0) << "letterbox with a subtitle's edge";
    EXPECT_EQ(raw(surface.Frame(), 32, 44), qRgb(0x80, 0x80, 0x80));
    EXPECT_EQ(raw(surface.Frame(), 32, 20), qRgb(200, 10, 10));
    EXPECT_EQ(raw(surface.Frame(), 32, 2), qRgb(0, 0, 0));
}

}  // namespace
