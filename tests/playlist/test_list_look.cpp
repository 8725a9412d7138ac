#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QScrollBar>
#include <QSet>
#include <QWheelEvent>
#include "playlist/EntryListView.h"
#include "playlist/PlaylistModel.h"

#include "FakePlaybackControl.h"
#include "MediaFiles.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "app/frmMain.h"
#include "playlist/EntryDelegate.h"
#include "playlist/FormPLS.h"
#include "skin/SkinPalette.h"
#include "skin/mdlSkin.h"

namespace {

QString shippedSkin(const char* name) {
    return qEnvironmentVariable("SOLVANE_SOURCE") + "/skins/" + name;
}

QSet<QRgb> coloursIn(const QImage& image, const QRect& area) {
    QSet<QRgb> seen;
    const QRect r = area & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) seen.insert(image.pixel(x, y) | 0xFF000000u);
    return seen;
}

QRgb rgb(QColor c) {
    return c.rgb() | 0xFF000000u;
}

class ListLook : public ::testing::Test {
  protected:
    ListLook() {
        forms.Main();
        pls = &forms.Playlist();
        mdlSkin::LoadSkin(forms, shippedSkin("silence"));
        pls->move(0, 0);
        pls->show();
    }
    void add(int count, const QString& stem = QStringLiteral("entry %1")) {
        for (int i = 0; i < count; ++i) pls->AppendEntry("/m/" + stem.arg(i), stem.arg(i));
    }
    QImage list() const {
        QCoreApplication::processEvents();
        return pls->List2->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QRect row(int i) const { return pls->List2->visualRect(pls->Model().index(i)); }

    TestProgramDir dir;
    FakePlaybackControl* control = nullptr;
    TestForms forms{FakePlaybackControl::Factory(&control)};
    FormPLS* pls = nullptr;
};

TEST_F(ListLook, RowsUseOnlyTheSkinsColoursWithCrispLettering) {
    add(5);
    pls->List2->setCurrentRow(0);
    pls->PlayNext();  // entry 1 plays
    pls->List2->setCurrentRow(3);
    const SkinPalette colours = SkinPalette::From(pls->PLEdit->Picture());
    const QImage shot = list();

    // Without smoothing every pixel is one of the palette's own colours, no blend of two.
    const QSet<QRgb> allowed{rgb(colours.background),    rgb(colours.text),
                             rgb(colours.selection),     rgb(colours.selectionEdge),
                             rgb(colours.selectionText), rgb(colours.accent)};
    for (QRgb c : coloursIn(shot, shot.rect())) EXPECT_TRUE(allowed.contains(c)) << std::hex << c;

    const QRect selected = row(3);
    EXPECT_EQ(shot.pixel(selected.right() - 3, selected.center().y()), rgb(colours.selection));
    EXPECT_EQ(shot.pixel(selected.topLeft()), rgb(colours.selectionEdge));
    EXPECT_NE(rgb(colours.selection), rgb(QApplication::palette().highlight().color()))
        << "not the desktop's highlight";
    EXPECT_TRUE(coloursIn(shot, row(0)).contains(rgb(colours.text))) << "a plain row is white";
    const QSet<QRgb> playing = coloursIn(shot, row(1));
    EXPECT_TRUE(playing.contains(rgb(colours.accent))) << "the playing row is marked";
    EXPECT_FALSE(playing.contains(rgb(colours.text)));
    EXPECT_TRUE(coloursIn(shot, row(1).adjusted(0, 0, EntryDelegate::kGutter - row(1).width(), 0))
                    .contains(rgb(colours.accent)))
        << "with a marker in the gutter";
    EXPECT_EQ(coloursIn(shot, row(2).adjusted(0, 0, EntryDelegate::kGutter - row(2).width(), 0)),
              QSet<QRgb>{rgb(colours.background)});
}

TEST_F(ListLook, TheColoursFollowTheSkin) {
    add(3);
    pls->List2->setCurrentRow(1);
    const QRgb silence = list().pixel(row(1).right() - 3, row(1).center().y());
    mdlSkin::LoadSkin(forms, shippedSkin("ember"));
    const QRgb ember = list().pixel(row(1).right() - 3, row(1).center().y());
    EXPECT_NE(silence, ember);
    EXPECT_EQ(ember, rgb(SkinPalette::From(pls->PLEdit->Picture()).selection));
}

TEST_F(ListLook, TheFontIsSmallUnsmoothedAndCoversGreekAndCyrillic) {
    const QFont font = pls->List2->font();
    EXPECT_LE(QFontInfo(font).pixelSize(), 10);
    EXPECT_TRUE(font.styleStrategy() & QFont::NoAntialias);
    const QFontMetrics metrics(font);
    for (QChar c : QStringLiteral("AzλΩЖя")) EXPECT_TRUE(metrics.inFont(c)) << c.unicode();
    add(1, QStringLiteral("Ελληνικά %1"));
    add(1, QStringLiteral("Кириллица %1"));
    const QImage shot = list();
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(coloursIn(shot, row(i)).contains(0xFFFFFFFFu)) << "row " << i << " has ink";
}

TEST_F(ListLook, TheScrollbarIsNarrowDarkAndOnlyThereWhenNeeded) {
    add(5);
    QCoreApplication::processEvents();
    EXPECT_FALSE(pls->List2->verticalScrollBar()->isVisible());
    EXPECT_FALSE(pls->List2->horizontalScrollBar()->isVisible());
    pls->Clearlst();
    add(40);
    pls->AppendEntry("/m/long", QString(200, QLatin1Char('W')));
    QCoreApplication::processEvents();
    QScrollBar* bar = pls->List2->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_FALSE(pls->List2->horizontalScrollBar()->isVisible()) << "long names are cut short";
    EXPECT_LE(bar->width(), 7);
    const SkinPalette colours = SkinPalette::From(pls->PLEdit->Picture());
    const QImage drawn = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QSet<QRgb> frameColours{rgb(colours.track), rgb(colours.thumb), rgb(colours.thumbLight),
                                  rgb(colours.thumbDark)};
    const QSet<QRgb> used = coloursIn(drawn, drawn.rect());
    EXPECT_TRUE(frameColours.contains(used)) << "the skin's colours only";
    EXPECT_TRUE(used.contains(rgb(colours.track)));
    EXPECT_TRUE(used.contains(rgb(colours.thumb)));
    EXPECT_LT(qGray(colours.track.rgb()), 40) << "a dark track";

    const int top = bar->value();
    const QPoint inside = pls->List2->viewport()->rect().center();
    QWheelEvent wheel(inside, pls->List2->viewport()->mapToGlobal(inside), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(pls->List2->viewport(), &wheel);
    EXPECT_GT(bar->value(), top) << "the wheel scrolls";
    const QImage after = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_NE(after, drawn) << "the thumb moved";
}

}  // namespace

namespace {

TEST(EntryLength, ShowsAsMinutesAndSecondsOrHoursAndBlankWhenUnknown) {
    const struct {
        double seconds;
        const char* shown;
    } cases[] = {{-1, ""},          {0, "0:00"},       {59.6, "1:00"},     {3599, "59:59"},
                 {3600, "1:00:00"}, {3725, "1:02:05"}, {36000, "10:00:00"}};
    for (const auto& c : cases) EXPECT_EQ(EntryDelegate::LengthText(c.seconds), c.shown);
}

}  // namespace
