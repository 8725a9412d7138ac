#include "SkinArtist.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QVector>
#include <cmath>

#include "PixelFont.h"

namespace {

QColor mix(QColor a, QColor b, double t) {
    return QColor::fromRgb(static_cast<int>(std::lround(a.red() + (b.red() - a.red()) * t)),
                           static_cast<int>(std::lround(a.green() + (b.green() - a.green()) * t)),
                           static_cast<int>(std::lround(a.blue() + (b.blue() - a.blue()) * t)));
}

// Gradients come in a few steps, so every bitmap keeps well under 256 colours.
QColor stepped(QColor a, QColor b, double t, int steps = 6) {
    return mix(a, b, std::floor(t * steps) / steps);
}

QImage canvas(int w, int h, QColor fill) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void fill(QImage& image, const QRect& r, QColor c) {
    const QRect clipped = r & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x) image.setPixel(x, y, c.rgb());
}

void put(QImage& image, int x, int y, QColor c) {
    if (image.valid(x, y))
        image.setPixel(x, y, c.rgb());
}

void hline(QImage& image, int x0, int x1, int y, QColor c) {
    for (int x = x0; x <= x1; ++x) put(image, x, y, c);
}

void vline(QImage& image, int x, int y0, int y1, QColor c) {
    for (int y = y0; y <= y1; ++y) put(image, x, y, c);
}

void frameRect(QImage& image, const QRect& r, QColor topLeft, QColor bottomRight) {
    hline(image, r.left(), r.right(), r.top(), topLeft);
    vline(image, r.left(), r.top(), r.bottom(), topLeft);
    hline(image, r.left(), r.right(), r.bottom(), bottomRight);
    vline(image, r.right(), r.top(), r.bottom(), bottomRight);
}

// A triangle pointing right (dir 1) or left (dir -1) with its flat side at x.
void triangle(QImage& image, int x, int y, int height, int dir, QColor c) {
    const int half = height / 2;
    for (int row = 0; row < height; ++row) {
        const int len = half - std::abs(row - half) + 1;
        for (int i = 0; i < len; ++i) put(image, x + dir * i, y + row, c);
    }
}

// A triangle pointing up, its base at the bottom.
void triangleUp(QImage& image, int cx, int y, int rows, QColor c) {
    for (int row = 0; row < rows; ++row) hline(image, cx - row, cx + row, y + row, c);
}

void drawGlyph(QImage& image, int button, int x, int y, QColor c) {
    switch (button) {
        case 0:  // previous: a bar and two left triangles
            fill(image, QRect(x, y, 2, 7), c);
            triangle(image, x + 5, y, 7, -1, c);
            triangle(image, x + 9, y, 7, -1, c);
            break;
        case 1:  // play
            triangle(image, x + 2, y, 7, 1, c);
            break;
        case 2:  // pause
            fill(image, QRect(x + 1, y, 3, 7), c);
            fill(image, QRect(x + 6, y, 3, 7), c);
            break;
        case 3:  // stop
            fill(image, QRect(x + 1, y, 7, 7), c);
            break;
        case 4:  // next: two right triangles and a bar
            triangle(image, x, y, 7, 1, c);
            triangle(image, x + 4, y, 7, 1, c);
            fill(image, QRect(x + 8, y, 2, 7), c);
            break;
        default:  // eject: a triangle over a bar
            triangleUp(image, x + 4, y, 4, c);
            fill(image, QRect(x, y + 5, 9, 2), c);
            break;
    }
}

}  // namespace

QColor SkinArtist::ramp(double t) const {
    return stepped(s_.unlit, s_.lit, 0.25 + 0.75 * t, 8);
}

void SkinArtist::drawButtonFace(QImage& image, const QRect& r, bool pressed) const {
    fill(image, r, pressed ? mix(s_.buttonFace, s_.buttonDark, 0.35) : s_.buttonFace);
    const QRect inner = r.adjusted(1, 1, -1, -1);
    if (pressed) {
        frameRect(image, inner, s_.buttonDark, s_.buttonFace);
    } else {
        frameRect(image, inner, s_.buttonLight, s_.buttonDark);
    }
    frameRect(image, r, s_.outline, s_.outline);
}

void SkinArtist::drawSunken(QImage& image, const QRect& r, QColor fillColour) const {
    fill(image, r, fillColour);
    frameRect(image, r, s_.edgeDark, s_.edgeLight);
}

void SkinArtist::drawTitleStrip(QImage& image, int x, int y, int w, int h, int look) const {
    // look 0 active, 1 inactive, 2 highlighted (pressed from the playlist window)
    QColor top = s_.titleTop, bottom = s_.titleBottom, text = s_.titleText;
    if (look == 1) {
        const int grey = qGray(s_.titleBottom.rgb());
        top = QColor(grey + 20, grey + 20, grey + 24);
        bottom = QColor(grey, grey, grey + 4);
        text = mix(text, bottom, 0.55);
    } else if (look == 2) {
        top = mix(s_.titleTop, s_.accent, 0.45);
        bottom = mix(s_.titleBottom, s_.accent, 0.3);
    }
    for (int row = 0; row < h; ++row)
        hline(image, x, x + w - 1, y + row, stepped(top, bottom, row / double(h), 4));
    hline(image, x, x + w - 1, y, mix(top, QColor(255, 255, 255), 0.25));
    const QString title = QStringLiteral("SOLVANE");
    const int textWidth = PixelFont::TextWidth(title, 2);
    const int textX = x + (w - textWidth) / 2;
    // Grooves either side of the title, clear of the title-bar buttons.
    const QColor groove = mix(bottom, QColor(0, 0, 0), 0.35);
    const QColor shine = mix(top, QColor(255, 255, 255), 0.2);
    for (int g = 0; g < 3; ++g) {
        const int gy = y + 3 + 2 * g;
        hline(image, x + 18, textX - 6, gy, groove);
        hline(image, x + 18, textX - 6, gy + 1, shine);
        hline(image, textX + textWidth + 5, x + w - 36, gy, groove);
        hline(image, textX + textWidth + 5, x + w - 36, gy + 1, shine);
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
            fill(image, shapes[seg].translated(x, 0), lit ? s_.lit : s_.unlit);
        }
}

void SkinArtist::drawLevelBar(QImage& image, int y, int level, bool fromCentre) const {
    const int left = fromCentre ? 9 : 0;
    const int width = fromCentre ? 38 : 68;
    const QRect r(left, y, width, 13);
    drawSunken(image, r, s_.panel);
    const double t = level / 28.0;
    if (!fromCentre) {
        // A wedge that fills from the left as the level rises.
        for (int x = 2; x < width - 2; x += 2) {
            const int barHeight = 2 + (x * 8) / (width - 4);
            const bool filled = x <= 2 + t * (width - 5);
            const QColor c = filled ? ramp(x / double(width)) : mix(s_.panel, s_.unlit, 0.6);
            fill(image, QRect(left + x, y + 11 - barHeight, 1, barHeight), c);
        }
    } else {
        const int centre = left + width / 2;
        const int reach = static_cast<int>(std::lround(t * 16));
        for (int x = 2; x < width - 2; x += 2) {
            const int offset = std::abs(left + x - centre);
            const QColor c = offset <= reach ? ramp(offset / 18.0) : mix(s_.panel, s_.unlit, 0.6);
            fill(image, QRect(left + x, y + 4, 1, 5), c);
        }
        fill(image, QRect(centre - 1, y + 2, 2, 9), s_.accent);
    }
}

void SkinArtist::drawKnob(QImage& image, int x, int y, bool pressed) const {
    const QRect r(x, y, 14, 11);
    drawButtonFace(image, r, pressed);
    const QColor grip = pressed ? s_.lit : s_.accent;
    for (int gx = x + 4; gx <= x + 9; gx += 2) vline(image, gx, y + 3, y + 7, grip);
}

void SkinArtist::drawMenuItem(QImage& image, int x, int y, const QString& text,
                              bool highlighted) const {
    const QRect r(x, y, 22, 18);
    fill(image, r, highlighted ? mix(s_.panel, s_.accent, 0.35) : s_.panel);
    frameRect(image, r, highlighted ? s_.accent : s_.edgeDark, s_.outline);
    // One line in the middle, or a small caption over the word on two.
    const QStringList lines = text.split(QLatin1Char('\n'));
    const QColor ink = highlighted ? s_.titleText : s_.lit;
    if (lines.size() == 1) {
        PixelFont::DrawCentred(image, x, 22, y + 7, text, ink, 1);
        return;
    }
    PixelFont::DrawCentred(image, x, 22, y + 3, lines[0],
                           highlighted ? s_.accent : mix(s_.unlit, s_.lit, 0.35), 1);
    PixelFont::DrawCentred(image, x, 22, y + 10, lines[1], ink, 1);
}

QImage SkinArtist::Main() const {
    QImage image = canvas(275, 116, s_.transparent);
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
                put(image, x, y, stepped(s_.bodyTop, s_.bodyBottom, y / 116.0, 8));
    // Outline on the pixels that border the transparent outside.
    for (int y = 0; y < 116; ++y)
        for (int x = 0; x < 275; ++x) {
            if (!inside(x, y))
                continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) ||
                              !inside(x, y + 1) || x == 0 || y == 0 || x == 274 || y == 115;
            if (edge)
                put(image, x, y, s_.outline);
        }
    hline(image, 4, 270, 1, s_.edgeLight);
    hline(image, 3, 271, 114, s_.edgeDark);
    hline(image, 3, 271, 14, s_.edgeDark);
    hline(image, 3, 271, 15, s_.edgeLight);

    // Time display: indicator, four digits and the colon between minutes and seconds.
    drawSunken(image, QRect(10, 17, 96, 29), s_.panel);
    fill(image, QRect(72, 29, 2, 2), s_.lit);
    fill(image, QRect(72, 34, 2, 2), s_.lit);
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
    drawSunken(image, QRect(14, 86, 145, 21), mix(s_.bodyBottom, s_.outline, 0.5));
    drawSunken(image, QRect(162, 87, 79, 19), mix(s_.bodyBottom, s_.outline, 0.5));

    // The emblem that opens the playlist.
    for (int y = 91; y <= 106; ++y)
        for (int x = 250; x <= 266; ++x) {
            const double d = std::hypot(x - 258.0, y - 98.5);
            if (d <= 7.5)
                put(image, x, y,
                    d > 6.4 ? s_.outline : stepped(s_.accent, s_.buttonDark, (y - 91) / 16.0, 4));
        }
    PixelFont::Draw(image, 257, 96, QStringLiteral("S"), s_.panel);
    PixelFont::Draw(image, 16, 109, QStringLiteral("SOLVANE MEDIA PLAYER"), s_.label);
    return image;
}

QImage SkinArtist::Titlebar() const {
    QImage image = canvas(344, 87, s_.bodyBottom);
    for (int pressed = 0; pressed <= 1; ++pressed) {
        for (int b = 0; b < 3; ++b) {
            const QRect r(9 * b, 9 * pressed, 9, 9);
            drawButtonFace(image, r, pressed);
            const QColor c = pressed ? s_.lit : s_.titleText;
            const int o = pressed;
            if (b == 0) {  // menu
                hline(image, 2 + o, 6 + o, 3 + o, c);
                hline(image, 2 + o, 6 + o, 5 + o, c);
            } else if (b == 2) {  // close
                for (int i = 0; i < 5; ++i) {
                    put(image, 20 + i + o, 9 * pressed + 2 + i + o, c);
                    put(image, 24 - i + o, 9 * pressed + 2 + i + o, c);
                }
            }
        }
        // The minimise bar sits low in the button.
        hline(image, 11 + pressed, 15 + pressed, 9 * pressed + 6 + pressed,
              pressed ? s_.lit : s_.titleText);
        // Video window button: a small screen.
        const QRect v(9 * pressed, 18, 9, 9);
        drawButtonFace(image, v, pressed);
        frameRect(image, QRect(v.x() + 2 + pressed, 20 + pressed, 5, 4),
                  pressed ? s_.lit : s_.titleText, pressed ? s_.lit : s_.titleText);
        put(image, v.x() + 4 + pressed, 25 + pressed, pressed ? s_.lit : s_.titleText);
    }
    drawTitleStrip(image, 27, 0, 274, 12, 0);
    drawTitleStrip(image, 27, 15, 274, 12, 1);
    drawTitleStrip(image, 27, 29, 274, 13, 0);
    drawTitleStrip(image, 27, 42, 274, 13, 1);
    drawTitleStrip(image, 27, 57, 274, 12, 0);
    drawTitleStrip(image, 27, 72, 274, 12, 2);
    return image;
}

QImage SkinArtist::CButtons() const {
    QImage image = canvas(136, 36, s_.bodyBottom);
    for (int pressed = 0; pressed <= 1; ++pressed) {
        for (int b = 0; b < 5; ++b) {
            const QRect r(23 * b, 18 * pressed, b == 4 ? 22 : 23, 18);
            drawButtonFace(image, r, pressed);
            drawGlyph(image, b, r.x() + 6 + pressed, r.y() + 5 + pressed,
                      pressed ? s_.lit : s_.accent);
        }
        const QRect eject(114, 16 * pressed, 22, 16);
        drawButtonFace(image, eject, pressed);
        drawGlyph(image, 5, eject.x() + 6 + pressed, eject.y() + 4 + pressed,
                  pressed ? s_.lit : s_.accent);
    }
    return image;
}

QImage SkinArtist::ShufRep() const {
    QImage image = canvas(92, 85, s_.bodyBottom);
    const auto toggle = [&](const QRect& r, const QString& text, int state) {
        const bool on = state >= 2;
        const bool pressed = state % 2 == 1;
        drawButtonFace(image, r, pressed);
        const int o = pressed ? 1 : 0;
        fill(image, QRect(r.x() + 3 + o, r.y() + r.height() / 2 - 1 + o, 3, 2),
             on ? s_.lit : s_.unlit);
        PixelFont::DrawCentred(image, r.x() + 6, r.width() - 7, r.y() + (r.height() - 5) / 2 + o,
                               text, on ? s_.titleText : mix(s_.titleText, s_.buttonFace, 0.45));
    };
    for (int state = 0; state <= 3; ++state) {
        toggle(QRect(0, 15 * state, 28, 15), QStringLiteral("REP"), state);
        toggle(QRect(28, 15 * state, 47, 15), QStringLiteral("SHUFFLE"), state);
    }
    const int xs[4] = {0, 46, 0, 46};
    const int ys[4] = {61, 61, 73, 73};
    for (int state = 0; state <= 3; ++state) {
        toggle(QRect(xs[state], ys[state], 23, 12), QStringLiteral("VID"), state);
        toggle(QRect(xs[state] + 23, ys[state], 23, 12), QStringLiteral("PL"), state);
    }
    return image;
}

QImage SkinArtist::PosBar() const {
    QImage image = canvas(307, 10, s_.bodyBottom);
    drawSunken(image, QRect(0, 0, 248, 9), s_.panel);
    hline(image, 3, 244, 4, mix(s_.panel, s_.unlit, 0.8));
    for (int x = 3; x < 246; x += 31) vline(image, x, 2, 6, s_.unlit);
    for (int pressed = 0; pressed <= 1; ++pressed) {
        const QRect r(248 + 30 * pressed, 0, 29, 10);
        drawButtonFace(image, r, pressed);
        const QColor grip = pressed ? s_.lit : s_.accent;
        for (int gx = r.x() + 10; gx <= r.x() + 18; gx += 2) vline(image, gx, 3, 6, grip);
    }
    return image;
}

QImage SkinArtist::Volume() const {
    QImage image = canvas(68, 433, s_.bodyBottom);
    for (int level = 1; level <= 28; ++level) drawLevelBar(image, 15 * (level - 1), level, false);
    drawKnob(image, 15, 422, false);
    drawKnob(image, 0, 422, true);
    return image;
}

QImage SkinArtist::Balance() const {
    QImage image = canvas(68, 433, s_.bodyBottom);
    for (int level = 1; level <= 28; ++level) drawLevelBar(image, 15 * (level - 1), level, true);
    drawKnob(image, 15, 422, false);
    drawKnob(image, 0, 422, true);
    return image;
}

QImage SkinArtist::PlayPaus() const {
    QImage image = canvas(42, 9, s_.panel);
    triangle(image, 3, 1, 7, 1, s_.lit);         // play
    fill(image, QRect(11, 1, 2, 7), s_.accent);  // pause
    fill(image, QRect(14, 1, 2, 7), s_.accent);
    fill(image, QRect(20, 1, 6, 7), mix(s_.accent, s_.unlit, 0.3));  // stop
    fill(image, QRect(30, 3, 3, 3), s_.unlit);                       // spare
    vline(image, 37, 1, 7, s_.lit);                                  // running mark
    vline(image, 40, 1, 7, s_.unlit);                                // resting mark
    return image;
}

QImage SkinArtist::Numbers() const {
    QImage image = canvas(99, 13, s_.panel);
    for (int d = 0; d <= 10; ++d) drawSegments(image, 9 * d, d);
    return image;
}

QImage SkinArtist::MonoSter() const {
    QImage image = canvas(58, 24, s_.panel);
    for (int row = 0; row <= 1; ++row) {
        const QColor c = row == 0 ? s_.lit : s_.unlit;
        PixelFont::DrawCentred(image, 0, 29, 12 * row + 4, QStringLiteral("STEREO"), c);
        PixelFont::DrawCentred(image, 29, 29, 12 * row + 4, QStringLiteral("MONO"), c);
    }
    return image;
}

QImage SkinArtist::PlEdit() const {
    QImage image = canvas(280, 186, s_.bodyBottom);
    // Title bar, active then inactive.
    for (int look = 0; look <= 1; ++look) {
        const int y0 = 21 * look;
        QColor top = look ? mix(s_.titleTop, QColor(128, 128, 128), 0.7) : s_.titleTop;
        QColor bottom = look ? mix(s_.titleBottom, QColor(96, 96, 96), 0.7) : s_.titleBottom;
        for (int row = 0; row < 21; ++row)
            hline(image, 0, 177, y0 + row, stepped(top, bottom, row / 21.0, 4));
        hline(image, 0, 177, y0, s_.outline);
        vline(image, 0, y0, y0 + 20, s_.outline);
        vline(image, 177, y0, y0 + 20, s_.outline);
        vline(image, 24, y0 + 1, y0 + 20, s_.outline);  // the corners end where the edges start
        vline(image, 153, y0 + 1, y0 + 20, s_.outline);
        hline(image, 1, 23, y0 + 19, s_.edgeDark);
        hline(image, 154, 176, y0 + 19, s_.edgeDark);
        const QColor groove = mix(bottom, QColor(0, 0, 0), 0.35);
        for (int g = 0; g < 3; ++g) {
            hline(image, 127, 151, y0 + 6 + 3 * g, groove);
            hline(image, 4, 21, y0 + 6 + 3 * g, groove);
        }
        fill(image, QRect(26, y0, 100, 21), stepped(top, bottom, 0.5, 4));
        const QColor text = look ? mix(s_.titleText, bottom, 0.5) : s_.titleText;
        PixelFont::DrawCentred(image, 26, 100, y0 + 8, QStringLiteral("PLAYLIST"), text, 2);
        // Shade and close buttons in the right corner.
        drawButtonFace(image, QRect(158, y0 + 3, 9, 9), false);
        hline(image, 160, 164, y0 + 9, s_.titleText);
        drawButtonFace(image, QRect(167, y0 + 3, 9, 9), false);
        for (int i = 0; i < 5; ++i) {
            put(image, 169 + i, y0 + 5 + i, s_.titleText);
            put(image, 173 - i, y0 + 5 + i, s_.titleText);
        }
    }
    // Edges: left tile, right tile, and the pressed faces of the top buttons.
    for (int y = 42; y <= 70; ++y) {
        hline(image, 0, 24, y, s_.bodyBottom);
        hline(image, 26, 50, y, s_.bodyBottom);
    }
    vline(image, 0, 42, 70, s_.outline);
    vline(image, 2, 42, 70, s_.edgeLight);
    vline(image, 7, 42, 70, s_.edgeDark);
    vline(image, 50, 42, 70, s_.outline);
    vline(image, 48, 42, 70, s_.edgeDark);
    vline(image, 43, 42, 70, s_.edgeLight);
    drawButtonFace(image, QRect(52, 42, 9, 9), true);
    drawButtonFace(image, QRect(62, 42, 9, 9), true);

    // Bottom bar, left and right parts.
    const QRect left(0, 72, 125, 38), right(126, 72, 150, 38);
    for (const QRect& part : {left, right}) {
        for (int y = part.top(); y <= part.bottom(); ++y)
            hline(image, part.left(), part.right(), y,
                  stepped(s_.bodyTop, s_.bodyBottom, (y - 72) / 38.0, 4));
        hline(image, part.left(), part.right(), part.top(), s_.edgeDark);
        hline(image, part.left(), part.right(), part.bottom(), s_.outline);
    }
    vline(image, 0, 72, 109, s_.outline);
    vline(image, 275, 72, 109, s_.outline);
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
        fill(image, QRect(columns[m] + 46 + (m == 0 ? 2 : 0), 111, 3, stripHeight), s_.accent);
    }
    return image;
}

QImage SkinArtist::ToIndexed8(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QVector<QRgb> table;
    QHash<QRgb, int> seen;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = line[x] | 0xFF000000u;
            if (!seen.contains(c)) {
                seen.insert(c, static_cast<int>(table.size()));
                table.append(c);
            }
        }
    }
    if (table.size() > 256)
        return QImage();
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(table);
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            out[x] = static_cast<uchar>(seen.value(line[x] | 0xFF000000u));
    }
    return indexed;
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
        const QImage indexed = ToIndexed8(bitmap.image);
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
