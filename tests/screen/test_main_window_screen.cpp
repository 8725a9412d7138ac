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

// The caption rule is what the window manager sees: blank while normal, "Solvane" while
// minimised, never the program's name put there by the toolkit.
TEST_F(MainWindowOnScreen, TheTitleFollowsTheCaptionRule) {
    const QString id = session.MainWindowId();
    ASSERT_FALSE(id.isEmpty());
    EXPECT_EQ(ScreenSession::Title(id).trimmed(), QString());
    session.Click(QPoint(248, 7));  // the minimise button
    QDeadlineTimer deadline(3000);
    while (ScreenSession::Title(id) != QStringLiteral("Solvane") && !deadline.hasExpired())
        QThread::msleep(100);
    EXPECT_EQ(ScreenSession::Title(id), QStringLiteral("Solvane"));
}

// At any scale the skin's pixels stay even: the scale becomes a whole number, and every skin
// pixel covers the same square of screen pixels.
TEST(MainWindowScales, FractionalScalesBecomeWholeAndThePixelArtStaysEven) {
    ScreenSession plain;
    ASSERT_TRUE(plain.Start());
    QThread::msleep(700);
    const QImage one = plain.Screenshot(QStringLiteral("scale-1.png")).copy(plain.MainWindow());
    plain.Player().kill();
    plain.Player().waitForFinished(5000);

    struct Case {
        const char* factor;
        int whole;
    };
    for (const Case c : {Case{"1.25", 1}, Case{"1.5", 2}, Case{"2", 2}}) {
        ScreenSession scaled;
        const QSize size(275 * c.whole, 116 * c.whole);
        ASSERT_TRUE(
            scaled.Start({QStringLiteral("QT_SCALE_FACTOR=") + QLatin1String(c.factor)}, size))
            << "no " << size.width() << "x" << size.height() << " window at " << c.factor;
        QThread::msleep(700);
        const QImage shot =
            scaled.Screenshot(QStringLiteral("scale-%1.png").arg(QLatin1String(c.factor)))
                .copy(scaled.MainWindow());
        int uneven = 0;
        for (int y = 17; y < 37; ++y)  // the name plate's lettering
            for (int x = 110; x < 260; ++x)
                if (shot.pixel(x * c.whole, y * c.whole) != one.pixel(x, y) ||
                    shot.pixel(x * c.whole + c.whole - 1, y * c.whole + c.whole - 1) !=
                        one.pixel(x, y))
                    ++uneven;
        EXPECT_EQ(uneven, 0) << "at " << c.factor;
    }
}

// A screen that reports another density gets the same window: twips follow Qt's
// device-independent pixels, so the window's size and its controls agree.
TEST(MainWindowScales, AnotherReportedDensityKeepsTheWindowWhole) {
    ScreenSession session;
    ASSERT_TRUE(session.Start({QStringLiteral("QT_FONT_DPI=120")}))
        << "the window is not 275 x 116 at 120 DPI";
    QThread::msleep(700);
    const QImage shot = session.Screenshot(QStringLiteral("dpi-120.png"));
    const QPoint origin = session.MainWindow().topLeft();
    EXPECT_TRUE(showsCell(shot, origin, 264, 3, shipped("titlebar.bmp"), QRect(18, 0, 9, 9)))
        << "the close button sits inside the window";
}

}  // namespace
