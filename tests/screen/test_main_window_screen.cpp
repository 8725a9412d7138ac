#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QThread>

#include "ScreenSession.h"

namespace {

QImage shipped(const char* name) {
    return QImage(qEnvironmentVariable("SOLVANE_SOURCE") + QStringLiteral("/skins/silence/") +
                  QLatin1String(name))
        .convertToFormat(QImage::Format_RGB32);
}

// Whether the screen shows the cell (sx, sy, w, h) of a skin bitmap at (x, y) of the window.
bool showsCell(const QImage& shot, QPoint origin, int x, int y, const QImage& bitmap, QRect cell) {
    for (int dy = 0; dy < cell.height(); ++dy)
        for (int dx = 0; dx < cell.width(); ++dx)
            if (shot.pixel(origin.x() + x + dx, origin.y() + y + dy) !=
                bitmap.pixel(cell.x() + dx, cell.y() + dy))
                return false;
    return true;
}

class MainWindowOnScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(session.Start()) << "the player's window did not appear";
        origin = session.MainWindow().topLeft();
        // The first paint lands a while after the window maps, longer on a busy machine.
        QThread::msleep(200);
        shot = session.Screenshot(QStringLiteral("main-window.png"));
        for (QDeadlineTimer deadline(10000);
             !shot.isNull() && shot.pixel(origin + QPoint(137, 60)) == ScreenSession::kDesktop &&
             !deadline.hasExpired();) {
            QThread::msleep(200);
            shot = session.Screenshot(QStringLiteral("main-window.png"));
        }
        ASSERT_FALSE(shot.isNull());
    }
    ScreenSession session;
    QImage shot;
    QPoint origin;
};

TEST_F(MainWindowOnScreen, IsTheSizeOfTheMainBitmapWithItsCornersCutAway) {
    EXPECT_EQ(session.MainWindow().size(), QSize(275, 116));
    for (const QPoint corner : {QPoint(0, 0), QPoint(274, 0), QPoint(0, 115), QPoint(274, 115)})
        EXPECT_EQ(shot.pixel(origin + corner), ScreenSession::kDesktop)
            << corner.x() << "," << corner.y();
    EXPECT_NE(shot.pixel(origin + QPoint(137, 60)), ScreenSession::kDesktop);
}

TEST_F(MainWindowOnScreen, WearsTheShippedSkinCellByCell) {
    const QImage main = shipped("main.bmp");
    EXPECT_TRUE(showsCell(shot, origin, 110, 17, main, QRect(110, 17, 150, 20))) << "name plate";
    EXPECT_TRUE(showsCell(shot, origin, 16, 88, shipped("cbuttons.bmp"), QRect(0, 0, 22, 17)))
        << "previous";
    EXPECT_TRUE(showsCell(shot, origin, 136, 89, shipped("cbuttons.bmp"), QRect(114, 0, 21, 15)))
        << "eject";
    EXPECT_TRUE(showsCell(shot, origin, 107, 57, shipped("volume.bmp"), QRect(0, 195, 28, 13)))
        << "volume";
    EXPECT_TRUE(showsCell(shot, origin, 135, 58, shipped("volume.bmp"), QRect(15, 422, 14, 11)))
        << "knob";
    EXPECT_TRUE(showsCell(shot, origin, 219, 58, shipped("shufrep.bmp"), QRect(0, 61, 23, 12)))
        << "video toggle";
    EXPECT_TRUE(showsCell(shot, origin, 212, 41, shipped("monoster.bmp"), QRect(29, 12, 29, 12)))
        << "mono";
    EXPECT_TRUE(showsCell(shot, origin, 264, 3, shipped("titlebar.bmp"), QRect(18, 0, 9, 9)))
        << "close";
}

}  // namespace
