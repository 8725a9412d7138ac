#include <gtest/gtest.h>

#include <cmath>

#include <QApplication>
#include <QMouseEvent>
#include <vector>

#include "TestSkin.h"
#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "platform/Screen.h"

namespace {

class FormToolkit : public ::testing::Test {
  protected:
    void TearDown() override { Screen::SetTwipsPerPixel(15, 15); }
};

TEST_F(FormToolkit, PictureSizesTheControlAndClearingKeepsTheSize) {
    QWidget form;
    ImageControl control(&form);
    control.Move(150, 300, 450, 600);
    EXPECT_EQ(control.geometry(), QRect(10, 20, 30, 40));
    control.SetPicture(QImage(248, 9, QImage::Format_RGB32));
    EXPECT_FLOAT_EQ(control.Width(), 248 * 15.0f);
    EXPECT_FLOAT_EQ(control.Height(), 9 * 15.0f);
    EXPECT_EQ(control.geometry(), QRect(10, 20, 248, 9));
    control.SetPicture(QImage());
    EXPECT_EQ(control.geometry().size(), QSize(248, 9));
    EXPECT_TRUE(control.Picture().isNull());
}

TEST_F(FormToolkit, TwipsFollowTheReplaceableTwipsPerPixel) {
    Screen::SetTwipsPerPixel(12, 12);
    QWidget form;
    ImageControl control(&form);
    control.Move(240, 120, 264, 204);
    EXPECT_EQ(control.geometry(), QRect(20, 10, 22, 17));
    control.SetPicture(QImage(9, 9, QImage::Format_RGB32));
    EXPECT_FLOAT_EQ(control.Width(), 108.0f);
}

struct Recorder {
    std::vector<std::pair<char, MouseArgs>> events;
    int clicks = 0;
    void attach(ImageControl& c) {
        QObject::connect(&c, &ImageControl::MouseDown, [this](int, MouseArgs a) {
            events.push_back({'d', a});
        });
        QObject::connect(&c, &ImageControl::MouseMove, [this](int, MouseArgs a) {
            events.push_back({'m', a});
        });
        QObject::connect(&c, &ImageControl::MouseUp, [this](int, MouseArgs a) {
            events.push_back({'u', a});
        });
        QObject::connect(&c, &ImageControl::Click, [this](int) { ++clicks; });
    }
};

void send(QWidget& w, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held,
          Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent event(type, at, w.mapToGlobal(at), button, held, mods);
    QApplication::sendEvent(&w, &event);
}

TEST_F(FormToolkit, MouseEventsCarryButtonShiftAndTwipsCoordinates) {
    QWidget form;
    ImageControl control(&form, 3);
    control.Move(0, 0, 300, 300);
    Recorder r;
    r.attach(control);
    send(control, QEvent::MouseButtonPress, {2.5, 4}, Qt::RightButton, Qt::RightButton,
         Qt::ShiftModifier | Qt::AltModifier);
    send(control, QEvent::MouseMove, {3, 5}, Qt::NoButton, Qt::RightButton | Qt::LeftButton,
         Qt::ControlModifier);
    send(control, QEvent::MouseButtonRelease, {3, 5}, Qt::MiddleButton, Qt::NoButton);
    ASSERT_EQ(r.events.size(), 3u);
    EXPECT_EQ(r.events[0].second.button, 2);
    EXPECT_EQ(r.events[0].second.shift, 5);
    EXPECT_FLOAT_EQ(r.events[0].second.x, 37.5f);
    EXPECT_FLOAT_EQ(r.events[0].second.y, 60.0f);
    EXPECT_EQ(r.events[1].second.button, 3);
    EXPECT_EQ(r.events[1].second.shift, 2);
    EXPECT_EQ(r.events[2].second.button, 4);
    EXPECT_EQ(r.clicks, 0);  // only the left button clicks
}

TEST_F(FormToolkit, ClickNeedsTheLeftReleaseOverTheControl) {
    QWidget form;
    ImageControl control(&form);
    control.Move(0, 0, 300, 300);
    Recorder r;
    r.attach(control);
    send(control, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    send(control, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(r.clicks, 1);
    send(control, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    send(control, QEvent::MouseButtonRelease, {50, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(r.clicks, 1);
    EXPECT_EQ(r.events.back().first, 'u');  // the release still reaches the pressed control
}

TEST_F(FormToolkit, PictureBoxKeepsItsBitmapAndPaintsPieces) {
    QWidget form;
    PictureBox box(&form);
    box.Move(0, 0, 150, 75);  // 10 x 5 pixels
    box.SetPicture(CoordinateSkin::Make(1, QSize(4, 4)));
    EXPECT_EQ(box.ScaleWidthPixels(), 10);
    EXPECT_EQ(box.GetPixel(9, 4), 240 + 256 * 240 + 65536L * 240);  // the back colour beyond
    EXPECT_EQ(box.GetPixel(1, 2), 1 + 256 * 2 + 65536L * 8);
    EXPECT_EQ(box.GetPixel(10, 0), -1);

    // Stretched copy: a 2 x 1 source cell over 6 x 2 pixels.
    const QImage source = CoordinateSkin::Make(2, QSize(8, 8));
    box.PaintPicture(source, QRect(4, 0, 6, 2), QRect(3, 3, 2, 1));
    EXPECT_EQ(CoordinateSkin::Decode(box.Image().pixel(4, 1)), (CoordinateSkin::Origin{2, 3, 3}));
    EXPECT_EQ(CoordinateSkin::Decode(box.Image().pixel(9, 0)), (CoordinateSkin::Origin{2, 4, 3}));

    // A source rectangle past the bitmap copies only what exists.
    box.SetPicture(QImage());
    box.PaintPicture(source, QRect(0, 0, 4, 4), QRect(6, 6, 4, 4));
    EXPECT_EQ(CoordinateSkin::Decode(box.Image().pixel(1, 1)), (CoordinateSkin::Origin{2, 7, 7}));
    EXPECT_EQ(box.GetPixel(2, 2), 240 + 256 * 240 + 65536L * 240);
}

}  // namespace

namespace {
TEST(WholeNumberScale, RoundsHalvesUpAndNeverShrinks) {
    EXPECT_EQ(Screen::WholeNumberScale(1.0), 1.0);
    EXPECT_EQ(Screen::WholeNumberScale(1.25), 1.0);
    EXPECT_EQ(Screen::WholeNumberScale(1.5), 2.0);
    EXPECT_EQ(Screen::WholeNumberScale(2.0), 2.0);
    EXPECT_EQ(Screen::WholeNumberScale(2.5), 3.0);
    EXPECT_EQ(Screen::WholeNumberScale(0.5), 1.0);
    EXPECT_EQ(Screen::WholeNumberScale(std::nan("")), 1.0);
}
}  // namespace
