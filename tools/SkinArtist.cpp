#include "SkinArtist.h"

#include <QDir>
#include <QFile>
#include <cmath>

#include "PixelFont.h"
#include "Pixels.h"
#include "skin/SpriteTable.h"

using Pixels::Canvas;
using Pixels::Fill;
using Pixels::FrameRect;
using Pixels::HLine;
using Pixels::Mix;
using Pixels::Put;
using Pixels::Stepped;
using Pixels::TransportGlyph;
using Pixels::Triangle;
using Pixels::TriangleUp;
using Pixels::VLine;

namespace {

// The player's cell for an element: the painter draws each element where the player cuts it.
QRect cellOf(Sprite::Kind kind, int index, int state = 0) {
    const Cell cell = SpriteTable::Cells().At(kind, index, state);
    return QRect(cell.x, cell.y, cell.width, cell.height);
}

}  // namespace

QColor SkinArtist::ramp(double t) const {
    return Stepped(s_.unlit, s_.lit, 0.25 + 0.75 * t, 8);
}

void SkinArtist::drawButtonFace(QImage& image, const QRect& r, bool pressed) const {
    Fill(image, r, pressed ? Mix(s_.buttonFace, s_.buttonDark, 0.35) : s_.buttonFace);
    const QRect inner = r.adjusted(1, 1, -1, -1);
    if (pressed) {
        FrameRect(image, inner, s_.buttonDark, s_.buttonFace);
    } else {
        FrameRect(image, inner, s_.buttonLight, s_.buttonDark);
    }
    FrameRect(image, r, s_.outline, s_.outline);
}

void SkinArtist::drawSunken(QImage& image, const QRect& r, QColor fillColour) const {
    Fill(image, r, fillColour);
    FrameRect(image, r, s_.edgeDark, s_.edgeLight);
}

void SkinArtist::drawTitleStrip(QImage& image, const QRect& cell, int look) const {
    const int x = cell.x(), y = cell.y(), w = cell.width(), h = cell.height();
    // look 0 active, 1 inactive, 2 highlighted (pressed from the playlist window)
    QColor top = s_.titleTop, bottom = s_.titleBottom, text = s_.titleText;
    if (look == 1) {
        const int grey = qGray(s_.titleBottom.rgb());
        top = QColor(grey + 20, grey + 20, grey + 24);
        bottom = QColor(grey, grey, grey + 4);
        text = Mix(text, bottom, 0.55);
    } else if (look == 2) {
        top = Mix(s_.titleTop, s_.accent, 0.45);
        bottom = Mix(s_.titleBottom, s_.accent, 0.3);
    }
    for (int row = 0; row < h; ++row)
        HLine(image, x, x + w - 1, y + row, Stepped(top, bottom, row / double(h), 4));
    HLine(image, x, x + w - 1, y, Mix(top, QColor(255, 255, 255), 0.25));
    const QString title = QStringLiteral("SOLVANE");
    const int textWidth = PixelFont::TextWidth(title, 2);
    const int textX = x + (w - textWidth) / 2;
    // Grooves either side of the title, clear of the title-bar buttons.
    const QColor groove = Mix(bottom, QColor(0, 0, 0), 0.35);
    const QColor shine = Mix(top, QColor(255, 255, 255), 0.2);
    for (int g = 0; g < 3; ++g) {
        const int gy = y + 3 + 2 * g;
        HLine(image, x + 18, textX - 6, gy, groove);
        HLine(image, x + 18, textX - 6, gy + 1, shine);
        HLine(image, textX + textWidth + 5, x + w - 36, gy, groove);
        HLine(image, textX + textWidth + 5, x + w - 36, gy + 1, shine);
    }
    PixelFont::Draw(image, textX, y + (h - 5) / 2, title, text, 2);
}

void SkinArtist::drawSegments(QImage& image, int x, int digit) const {
    // Seven segments: a top, b upper right, c lower right, d bottom, e lower left, f upper left, g
    // middle.
    static const unsigned char kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const QRect shapes[7] = {QRect(2, 2, 5, 2),  QRect(6, 2, 2, 6), QRect(6, 6, 2, 6),
                             QRect(2, 10, 5, 2), QRect(1, 6, 2, 6), QRect(1, 2, 2, 6),
                             QRect(2, 6, 5, 2)};
    const unsigned char on = digit >= 0 && digit <= 9 ? kSegments[digit] : 0x40;
    for (int pass = 0; pass < 2; ++pass)
        for (int seg = 0; seg < 7; ++seg) {
            const bool lit = on & (1 << seg);
            if ((pass == 0) == lit)
                continue;  // unlit first, lit over it
            Fill(image, shapes[seg].translated(x, 0), lit ? s_.lit : s_.unlit);
        }
}

void SkinArtist::drawLevelBar(QImage& image, const QRect& r, int level, bool fromCentre) const {
    const int left = r.x(), y = r.y(), width = r.width();
    drawSunken(image, r, s_.panel);
    const double t = level / 28.0;
    if (!fromCentre) {
        // A wedge that fills from the left as the level rises.
        for (int x = 2; x < width - 2; x += 2) {
            const int barHeight = 2 + (x * 8) / (width - 4);
            const bool filled = x <= 2 + t * (width - 5);
            const QColor c = filled ? ramp(x / double(width)) : Mix(s_.panel, s_.unlit, 0.6);
            Fill(image, QRect(left + x, y + 11 - barHeight, 1, barHeight), c);
        }
    } else {
        const int centre = left + width / 2;
        const int reach = static_cast<int>(std::lround(t * 16));
        for (int x = 2; x < width - 2; x += 2) {
            const int offset = std::abs(left + x - centre);
            const QColor c = offset <= reach ? ramp(offset / 18.0) : Mix(s_.panel, s_.unlit, 0.6);
            Fill(image, QRect(left + x, y + 4, 1, 5), c);
        }
        Fill(image, QRect(centre - 1, y + 2, 2, 9), s_.accent);
    }
}

void SkinArtist::drawKnob(QImage& image, const QRect& r, bool pressed) const {
    const int x = r.x(), y = r.y();
    drawButtonFace(image, r, pressed);
    const QColor grip = pressed ? s_.lit : s_.accent;
    for (int gx = x + 4; gx <= x + 9; gx += 2) VLine(image, gx, y + 3, y + 7, grip);
}

void SkinArtist::drawMenuItem(QImage& image, int x, int y, const QString& text,
                              bool highlighted) const {
    const QRect r(x, y, 22, 18);
    Fill(image, r, highlighted ? Mix(s_.panel, s_.accent, 0.35) : s_.panel);
    FrameRect(image, r, highlighted ? s_.accent : s_.edgeDark, s_.outline);
    // One line in the middle, or a small caption over the word on two.
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QColor ink = highlighted ? s_.titleText : s_.lit;
    if (lines.size() == 1) {
        PixelFont::DrawCentred(image, x, 22, y + 7, text, ink, 1);
        return;
    }
    PixelFont::DrawCentred(image, x, 22, y + 3, lines[0],
                           highlighted ? s_.accent : Mix(s_.unlit, s_.lit, 0.35), 1);
    PixelFont::DrawCentred(image, x, 22, y + 10, lines[1], ink, 1);
}

QImage SkinArtist::Main() const {
    QImage image = Canvas(275, 116, s_.transparent);
    const int radius = s_.cornerRadius;
    const auto inside = [&](int x, int y) {
        const int cx = x < radius ? radius : (x > 274 - radius ? 274 - radius : x);
        const int cy = y < radius ? radius : (y > 115 - radius ? 115 - radius : y);
        const int dx = x - cx, dy = y - cy;
        return dx * dx + dy * dy <= radius * radius;
    };
    for (int y = 0; y < 116; ++y)
        for (int x = 0; x < 275; ++x)
            if (inside(x, y))
                Put(image, x, y, Stepped(s_.bodyTop, s_.bodyBottom, y / 116.0, 8));
    // Outline on the pixels that border the transparent outside.
    for (int y = 0; y < 116; ++y)
        for (int x = 0; x < 275; ++x) {
            if (!inside(x, y))
                continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) ||
                              !inside(x, y + 1) || x == 0 || y == 0 || x == 274 || y == 115;
            if (edge)
                Put(image, x, y, s_.outline);
        }
    HLine(image, 4, 270, 1, s_.edgeLight);
    HLine(image, 3, 271, 114, s_.edgeDark);
    HLine(image, 3, 271, 14, s_.edgeDark);
    HLine(image, 3, 271, 15, s_.edgeLight);

    // Time display: indicator, four digits and the colon between minutes and seconds.
    drawSunken(image, QRect(10, 17, 96, 29), s_.panel);
    Fill(image, QRect(72, 29, 2, 2), s_.lit);
    Fill(image, QRect(72, 34, 2, 2), s_.lit);
    PixelFont::Draw(image, 49, 40, QStringLiteral("MIN"), s_.unlit);
    PixelFont::Draw(image, 79, 40, QStringLiteral("SEC"), s_.unlit);

    // Name plate.
    drawSunken(image, QRect(110, 17, 159, 22), s_.panel);
    PixelFont::DrawCentred(image, 110, 159, 21, QStringLiteral("SOLVANE"), s_.lit, 3);
    PixelFont::DrawCentred(image, 110, 159, 30, QStringLiteral("AVI  DIVX  MPEG  WMV  MP3"),
                           s_.unlit);

    // Mono and stereo plate, and the slider captions.
    drawSunken(image, QRect(210, 40, 59, 14), s_.panel);
    PixelFont::Draw(image, 109, 49, QStringLiteral("VOLUME"), s_.label);
    PixelFont::Draw(image, 179, 49, QStringLiteral("BAL"), s_.label);

    // Seek groove and the recess of the transport row.
    drawSunken(image, QRect(15, 71, 251, 12), s_.panel);
    drawSunken(image, QRect(14, 86, 145, 21), Mix(s_.bodyBottom, s_.outline, 0.5));
    drawSunken(image, QRect(162, 87, 79, 19), Mix(s_.bodyBottom, s_.outline, 0.5));

    // The emblem that opens the playlist.
    for (int y = 91; y <= 106; ++y)
        for (int x = 250; x <= 266; ++x) {
            const double d = std::hypot(x - 258.0, y - 98.5);
            if (d <= 7.5)
                Put(image, x, y,
                    d > 6.4 ? s_.outline : Stepped(s_.accent, s_.buttonDark, (y - 91) / 16.0, 4));
        }
    PixelFont::Draw(image, 257, 96, QStringLiteral("S"), s_.panel);
    PixelFont::Draw(image, 16, 109, QStringLiteral("SOLVANE MEDIA PLAYER"), s_.label);
    return image;
}

QImage SkinArtist::Titlebar() const {
    QImage image = Canvas(344, 87, s_.bodyBottom);
    // The menu's lines stay where the first drawing put them: both passes draw them on the
    // released face, and the committed skins carry that.
    const QRect menuReleased = cellOf(Sprite::TitleBar, 4, Sprite::Released);
    for (int pressed = 0; pressed <= 1; ++pressed) {
        const QColor c = pressed ? s_.lit : s_.titleText;
        const int o = pressed;
        for (int b = 0; b < 3; ++b) {
            const QRect r = cellOf(Sprite::TitleBar, 4 + b, pressed);
            drawButtonFace(image, r, pressed);
            if (b == 0) {  // menu
                HLine(image, menuReleased.x() + 2 + o, menuReleased.x() + 6 + o,
                      menuReleased.y() + 3 + o, c);
                HLine(image, menuReleased.x() + 2 + o, menuReleased.x() + 6 + o,
                      menuReleased.y() + 5 + o, c);
            } else if (b == 1) {  // minimise: a bar low in the button
                HLine(image, r.x() + 2 + o, r.x() + 6 + o, r.y() + 6 + o, c);
            } else {  // close
                for (int i = 0; i < 5; ++i) {
                    Put(image, r.x() + 2 + i + o, r.y() + 2 + i + o, c);
                    Put(image, r.x() + 6 - i + o, r.y() + 2 + i + o, c);
                }
            }
        }
        // Video window button: a small screen.
        const QRect v = cellOf(Sprite::TitleBar, 7, pressed);
        drawButtonFace(image, v, pressed);
        FrameRect(image, QRect(v.x() + 2 + o, v.y() + 2 + o, 5, 4), c, c);
        Put(image, v.x() + 4 + o, v.y() + 7 + o, c);
    }
    // Each strip's two looks; the last one's second look is the highlight.
    for (int index = 1; index <= 3; ++index)
        for (int look = 0; look <= 1; ++look)
            drawTitleStrip(image, cellOf(Sprite::TitleBar, index, look),
                           index == 3 && look == 1 ? 2 : look);
    return image;
}

QImage SkinArtist::CButtons() const {
    QImage image = Canvas(136, 36, s_.bodyBottom);
    for (int pressed = 0; pressed <= 1; ++pressed)
        for (int b = 0; b < 6; ++b) {
            const QRect r = cellOf(Sprite::Transport, b + 1, pressed);
            drawButtonFace(image, r, pressed);
            const int top = b == 5 ? 4 : 5;  // the eject button is lower
            TransportGlyph(image, b, r.x() + 6 + pressed, r.y() + top + pressed,
                           pressed ? s_.lit : s_.accent);
        }
    return image;
}

QImage SkinArtist::ShufRep() const {
    QImage image = Canvas(92, 85, s_.bodyBottom);
    const auto toggle = [&](const QRect& r, const QString& text, int state) {
        const bool on = state >= 2;
        const bool pressed = state % 2 == 1;
        drawButtonFace(image, r, pressed);
        const int o = pressed ? 1 : 0;
        Fill(image, QRect(r.x() + 3 + o, r.y() + r.height() / 2 - 1 + o, 3, 2),
             on ? s_.lit : s_.unlit);
        PixelFont::DrawCentred(image, r.x() + 6, r.width() - 7, r.y() + (r.height() - 5) / 2 + o,
                               text, on ? s_.titleText : Mix(s_.titleText, s_.buttonFace, 0.45));
    };
    const QString labels[4] = {QStringLiteral("REP"), QStringLiteral("SHUFFLE"),
                               QStringLiteral("VID"), QStringLiteral("PL")};
    for (int index = 1; index <= 4; ++index)
        for (int state = Sprite::OffReleased; state <= Sprite::OnPressed; ++state)
            toggle(cellOf(Sprite::Toggle, index, state), labels[index - 1], state);
    return image;
}

QImage SkinArtist::PosBar() const {
    QImage image = Canvas(307, 10, s_.bodyBottom);
    const QRect track = cellOf(Sprite::SeekBar, Sprite::SeekTrack);
    drawSunken(image, track, s_.panel);
    HLine(image, track.x() + 3, track.right() - 3, track.y() + 4, Mix(s_.panel, s_.unlit, 0.8));
    for (int x = track.x() + 3; x < track.right() - 1; x += 31)
        VLine(image, x, track.y() + 2, track.y() + 6, s_.unlit);
    for (int pressed = 0; pressed <= 1; ++pressed) {
        const QRect r = cellOf(Sprite::SeekBar, Sprite::SeekSlider, pressed);
        drawButtonFace(image, r, pressed);
        const QColor grip = pressed ? s_.lit : s_.accent;
        for (int gx = r.x() + 10; gx <= r.x() + 18; gx += 2) VLine(image, gx, 3, 6, grip);
    }
    return image;
}

QImage SkinArtist::Volume() const {
    return levels(Sprite::Volume);
}

QImage SkinArtist::Balance() const {
    return levels(Sprite::Balance);
}

QImage SkinArtist::levels(Sprite::Kind kind) const {
    QImage image = Canvas(68, 433, s_.bodyBottom);
    for (int level = 1; level <= 28; ++level)
        drawLevelBar(image, cellOf(kind, level), level, kind == Sprite::Balance);
    drawKnob(image, cellOf(kind, Sprite::KnobReleased), false);
    drawKnob(image, cellOf(kind, Sprite::KnobPressed), true);
    return image;
}

QImage SkinArtist::PlayPaus() const {
    QImage image = Canvas(42, 9, s_.panel);
    const auto at = [](int index) { return cellOf(Sprite::PlayState, index).topLeft(); };
    const QPoint play = at(Sprite::PlayIndicatorPlaying), pause = at(Sprite::PlayIndicatorPaused);
    const QPoint stop = at(Sprite::PlayIndicatorStopped), spare = at(4);
    Triangle(image, play.x() + 3, play.y() + 1, 7, 1, s_.lit);
    Fill(image, QRect(pause + QPoint(2, 1), QSize(2, 7)), s_.accent);
    Fill(image, QRect(pause + QPoint(5, 1), QSize(2, 7)), s_.accent);
    Fill(image, QRect(stop + QPoint(2, 1), QSize(6, 7)), Mix(s_.accent, s_.unlit, 0.3));
    Fill(image, QRect(spare + QPoint(3, 3), QSize(3, 3)), s_.unlit);
    for (const int lamp : {Sprite::PlayLampOn, Sprite::PlayLampOff}) {
        const QPoint mark = at(lamp) + QPoint(1, 1);
        VLine(image, mark.x(), mark.y(), mark.y() + 6,
              lamp == Sprite::PlayLampOn ? s_.lit : s_.unlit);
    }
    return image;
}

QImage SkinArtist::Numbers() const {
    QImage image = Canvas(99, 13, s_.panel);
    for (int d = 0; d <= 10; ++d) drawSegments(image, cellOf(Sprite::Digit, d).x(), d);
    return image;
}

QImage SkinArtist::MonoSter() const {
    QImage image = Canvas(58, 24, s_.panel);
    for (const int state : {Sprite::Lit, Sprite::Unlit}) {
        const QColor c = state == Sprite::Lit ? s_.lit : s_.unlit;
        const QRect stereo = cellOf(Sprite::MonoStereo, Sprite::StereoLamp, state);
        const QRect mono = cellOf(Sprite::MonoStereo, Sprite::MonoLamp, state);
        PixelFont::DrawCentred(image, stereo.x(), stereo.width(), stereo.y() + 4,
                               QStringLiteral("STEREO"), c);
        PixelFont::DrawCentred(image, mono.x(), mono.width(), mono.y() + 4, QStringLiteral("MONO"),
                               c);
    }
    return image;
}

QImage SkinArtist::PlEdit() const {
    QImage image = Canvas(280, 186, s_.bodyBottom);
    // Title bar, active then inactive.
    for (int look = 0; look <= 1; ++look) {
        const int y0 = 21 * look;
        QColor top = look ? Mix(s_.titleTop, QColor(128, 128, 128), 0.7) : s_.titleTop;
        QColor bottom = look ? Mix(s_.titleBottom, QColor(96, 96, 96), 0.7) : s_.titleBottom;
        for (int row = 0; row < 21; ++row)
            HLine(image, 0, 177, y0 + row, Stepped(top, bottom, row / 21.0, 4));
        HLine(image, 0, 177, y0, s_.outline);
        VLine(image, 0, y0, y0 + 20, s_.outline);
        VLine(image, 177, y0, y0 + 20, s_.outline);
        VLine(image, 24, y0 + 1, y0 + 20, s_.outline);  // the corners end where the edges start
        VLine(image, 153, y0 + 1, y0 + 20, s_.outline);
        HLine(image, 1, 23, y0 + 19, s_.edgeDark);
        HLine(image, 154, 176, y0 + 19, s_.edgeDark);
        const QColor groove = Mix(bottom, QColor(0, 0, 0), 0.35);
        for (int g = 0; g < 3; ++g) {
            HLine(image, 127, 151, y0 + 6 + 3 * g, groove);
            HLine(image, 4, 21, y0 + 6 + 3 * g, groove);
        }
        Fill(image, QRect(26, y0, 100, 21), Stepped(top, bottom, 0.5, 4));
        const QColor text = look ? Mix(s_.titleText, bottom, 0.5) : s_.titleText;
        PixelFont::DrawCentred(image, 26, 100, y0 + 8, QStringLiteral("PLAYLIST"), text, 2);
        // Shade and close buttons in the right corner.
        drawButtonFace(image, QRect(158, y0 + 3, 9, 9), false);
        HLine(image, 160, 164, y0 + 9, s_.titleText);
        drawButtonFace(image, QRect(167, y0 + 3, 9, 9), false);
        for (int i = 0; i < 5; ++i) {
            Put(image, 169 + i, y0 + 5 + i, s_.titleText);
            Put(image, 173 - i, y0 + 5 + i, s_.titleText);
        }
    }
    // Edges: left tile, right tile, and the pressed faces of the top buttons.
    for (int y = 42; y <= 70; ++y) {
        HLine(image, 0, 24, y, s_.bodyBottom);
        HLine(image, 26, 50, y, s_.bodyBottom);
    }
    VLine(image, 0, 42, 70, s_.outline);
    VLine(image, 2, 42, 70, s_.edgeLight);
    VLine(image, 7, 42, 70, s_.edgeDark);
    VLine(image, 50, 42, 70, s_.outline);
    VLine(image, 48, 42, 70, s_.edgeDark);
    VLine(image, 43, 42, 70, s_.edgeLight);
    drawButtonFace(image, QRect(52, 42, 9, 9), true);
    drawButtonFace(image, QRect(62, 42, 9, 9), true);

    // Bottom bar, left and right parts.
    const QRect left(0, 72, 125, 38), right(126, 72, 150, 38);
    for (const QRect& part : {left, right}) {
        for (int y = part.top(); y <= part.bottom(); ++y)
            HLine(image, part.left(), part.right(), y,
                  Stepped(s_.bodyTop, s_.bodyBottom, (y - 72) / 38.0, 4));
        HLine(image, part.left(), part.right(), part.top(), s_.edgeDark);
        HLine(image, part.left(), part.right(), part.bottom(), s_.outline);
    }
    VLine(image, 0, 72, 109, s_.outline);
    VLine(image, 275, 72, 109, s_.outline);
    const QString labels[4] = {QStringLiteral("ADD"), QStringLiteral("REM"), QStringLiteral("SEL"),
                               QStringLiteral("MISC")};
    for (int b = 0; b < 4; ++b) {
        const QRect r(14 + 29 * b, 80, 22, 18);
        drawButtonFace(image, r, false);
        PixelFont::DrawCentred(image, r.x(), 22, r.y() + 7, labels[b], s_.titleText);
    }
    const QRect listButton(232, 80, 22, 18);
    drawButtonFace(image, listButton, false);
    PixelFont::DrawCentred(image, listButton.x(), 22, listButton.y() + 7, QStringLiteral("LIST"),
                           s_.titleText);
    drawSunken(image, QRect(196, 77, 27, 14), QColor(0, 0, 0));
    PixelFont::Draw(image, 197, 94, QStringLiteral("FILES"), s_.label);
    PixelFont::Draw(image, 132, 84, QStringLiteral("SOLVANE"), s_.label);

    // Button menus: normal items, highlighted items, and the side strips.
    // Top to bottom, as the playlist window's menus run their items.
    const QString menus[5][4] = {{QStringLiteral("ADD\nFILE"), QStringLiteral("ADD\nDIR"),
                                  QStringLiteral("ADD\nLIST"), QString()},
                                 {QStringLiteral("DEL\nSEL"), QStringLiteral("DEL\nGONE"),
                                  QStringLiteral("DEL\nDUPES"), QStringLiteral("DEL\nALL")},
                                 {QStringLiteral("GO TO\nNOW"), QStringLiteral("GO TO\nFIRST"),
                                  QStringLiteral("GO TO\nLAST"), QString()},
                                 {QStringLiteral("SORT\nNAME"), QStringLiteral("SORT\nPATH"),
                                  QStringLiteral("FLIP\nLIST"), QString()},
                                 {QStringLiteral("LOAD\nLIST"), QStringLiteral("SAVE\nLIST"),
                                  QStringLiteral("NEW\nLIST"), QString()}};
    const int columns[5] = {0, 54, 104, 154, 204};
    const int rows[4] = {111, 130, 149, 168};
    for (int m = 0; m < 5; ++m) {
        const int count = m == 1 ? 4 : 3;
        for (int i = 0; i < count; ++i) {
            // The remove menu's first item is its lowest cell.
            const int rowIndex = m == 1 ? (i == 0 ? 3 : i - 1) : i;
            drawMenuItem(image, columns[m], rows[rowIndex], menus[m][i], false);
            drawMenuItem(image, columns[m] + 23, rows[rowIndex], menus[m][i], true);
        }
        const int stripHeight = m == 1 ? 72 : 54;
        Fill(image, QRect(columns[m] + 46 + (m == 0 ? 2 : 0), 111, 3, stripHeight), s_.accent);
    }
    return image;
}

bool SkinArtist::WriteSkin(const QString& directory, bool withRegion) const {
    QDir().mkpath(directory);
    const struct {
        const char* name;
        QImage image;
    } bitmaps[] = {
        {"main.bmp", Main()},         {"titlebar.bmp", Titlebar()}, {"cbuttons.bmp", CButtons()},
        {"shufrep.bmp", ShufRep()},   {"posbar.bmp", PosBar()},     {"volume.bmp", Volume()},
        {"balance.bmp", Balance()},   {"playpaus.bmp", PlayPaus()}, {"numbers.bmp", Numbers()},
        {"monoster.bmp", MonoSter()}, {"pledit.bmp", PlEdit()}};
    for (const auto& bitmap : bitmaps) {
        const QImage indexed = Pixels::ToIndexed8(bitmap.image);
        if (indexed.isNull()) {
            qWarning("%s has more than 256 colours", bitmap.name);
            return false;
        }
        if (!indexed.save(directory + QLatin1Char('/') + QLatin1String(bitmap.name), "BMP"))
            return false;
    }
    if (!withRegion)
        return true;
    QFile region(directory + QStringLiteral("/region.txt"));
    if (!region.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    region.write(
        QStringLiteral("; The colour of main.bmp that lies outside the window.\r\n[Normal]\r\n"
                       "TransColorR=%1\r\nTransColorG=%2\r\nTransColorB=%3\r\n")
            .arg(s_.transparent.red())
            .arg(s_.transparent.green())
            .arg(s_.transparent.blue())
            .toUtf8());
    return true;
}
