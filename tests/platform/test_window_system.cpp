#include <gtest/gtest.h>

#include <QPainter>

#include "platform/ImageControl.h"
#include "platform/TransparentOutside.h"
#include "platform/WindowSystem.h"

namespace {

TEST(WindowSystem, AWaylandSessionWithXWaylandGetsX11UnlessTheUserChose) {
    struct Case {
        WindowSystem::Session session;
        bool platformArgument;
        bool x11;
    };
    const Case cases[] = {
        {{"wayland-0", "wayland", ":0", ""}, false, true},
        {{"wayland-0", "", ":0", ""}, false, true},
        {{"", "wayland", ":1", ""}, false, true},
        {{"", "Wayland", ":1", ""}, false, true},
        {{"wayland-0", "wayland", "", ""}, false, false},  // no XWayland
        {{"wayland-0", "wayland", ":0", "wayland"}, false, false},
        {{"wayland-0", "wayland", ":0", "xcb"}, false, false},
        {{"wayland-0", "wayland", ":0", ""}, true, false},
        {{"", "x11", ":0", ""}, false, false},  // X11 is Qt's own pick there
        {{"", "", ":0", ""}, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowSystem::PrefersX11(c.session, c.platformArgument), c.x11)
            << c.session.waylandDisplay.toStdString() << "|" << c.session.sessionType.toStdString()
            << "|" << c.session.display.toStdString() << "|" << c.session.platform.toStdString()
            << "|" << c.platformArgument;
}

// Magenta window under opaque controls, one of them over a cut corner: after painting,
// whatever lies outside the shape is transparent, and inside stays as painted.
class MagentaWindow : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::magenta); }
};

TEST(TransparentOutside, ClearsEverythingOutsideTheShapeControlsIncluded) {
    MagentaWindow window;
    window.setAttribute(Qt::WA_TranslucentBackground);
    window.resize(40, 30);
    ImageControl control(&window);
    QImage green(10, 10, QImage::Format_RGB32);
    green.fill(Qt::green);
    control.SetPicture(green);
    control.move(0, 0);
    const QRegion shape = QRegion(0, 0, 40, 30) - QRegion(0, 0, 5, 5) - QRegion(35, 25, 5, 5);
    TransparentOutside outside(&window);
    outside.SetShape(shape);
    ImageControl later(&window);  // made after the cut: still under it once shaped again
    later.SetPicture(green);
    later.move(30, 20);
    outside.SetShape(shape);
    const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(shot.size(), QSize(40, 30));
    int wrong = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            if ((qAlpha(shot.pixel(x, y)) == 255) != shape.contains(QPoint(x, y)))
                ++wrong;
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(shot.pixel(6, 6), QColor(Qt::green).rgba());
    EXPECT_EQ(shot.pixel(20, 15), QColor(Qt::magenta).rgba());
}

}  // namespace
