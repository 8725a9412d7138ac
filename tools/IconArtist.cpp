#include "IconArtist.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace {

QColor mix(QColor a, QColor b, double t) {
    return QColor::fromRgb(static_cast<int>(std::lround(a.red() + (b.red() - a.red()) * t)),
                           static_cast<int>(std::lround(a.green() + (b.green() - a.green()) * t)),
                           static_cast<int>(std::lround(a.blue() + (b.blue() - a.blue()) * t)));
}

// Gradients come in steps, as in the skins.
QColor stepped(QColor a, QColor b, double t, int steps) {
    return mix(a, b, std::floor(std::clamp(t, 0.0, 0.999) * steps) / steps);
}

int scaled(int size, double fraction, int least) {
    return std::max(least, static_cast<int>(std::lround(size * fraction)));
}

// Where the parts of the icon lie for one size; edges are whole pixels. Below 32 pixels there is
// no room for the seek bar, and the display's dark edge doubles as the title strip's lower edge.
struct Layout {
    explicit Layout(int n)
        : size(n),
          small(n < 32),
          margin(scaled(n, 1.0 / 16, 1)),
          line(scaled(n, 1.0 / 64, 1)),
          radius(n * 0.16),
          titleTop(margin + line),
          titleEnd(titleTop + scaled(n, 0.11, 2)),
          panelLeft(margin + (small ? line + 1 : scaled(n, 0.09, 2))),
          panelRight(n - panelLeft),
          panelTop(small ? titleEnd : titleEnd + 2 * line + scaled(n, 0.05, 1)),
          panelBottom(small ? n - margin - line - (n > 16 ? 1 : 0) : scaled(n, 0.66, 0)),
          grooveTop(scaled(n, 0.73, 0)),
          grooveBottom(grooveTop + scaled(n, 0.08, 3)) {}

    bool inRoundedRect(double x, double y, double inset) const {
        const double left = margin + inset, right = size - margin - inset;
        const double r = std::max(0.0, radius - inset);
        const double cx = std::clamp(x, left + r, right - r);
        const double cy = std::clamp(y, left + r, right - r);
        if (x < left || x > right || y < left || y > right)
            return false;
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
    }

    int size;
    bool small;
    int margin, line;
    double radius;
    int titleTop, titleEnd;
    int panelLeft, panelRight, panelTop, panelBottom;  // right and bottom exclusive
    int grooveTop, grooveBottom;
};

void fillRect(QImage& image, int left, int top, int right, int bottom, QColor c) {
    for (int y = std::max(0, top); y < std::min(bottom, image.height()); ++y)
        for (int x = std::max(0, left); x < std::min(right, image.width()); ++x)
            image.setPixel(x, y, c.rgba());
}

// A sunken rectangle: dark top and left edges, light bottom and right, as the skins draw them.
void sunken(QImage& image, int left, int top, int right, int bottom, int line, QColor dark,
            QColor light, QColor inside) {
    fillRect(image, left, top, right, bottom, dark);
    fillRect(image, left + line, top + line, right, bottom, light);
    fillRect(image, left + line, top + line, right - line, bottom - line, inside);
}

}  // namespace

const QList<int>& IconArtist::Sizes() {
    static const QList<int> sizes = {16, 22, 24, 32, 48, 64, 128, 256};
    return sizes;
}

double IconArtist::coverage(const Shape& inside, int x, int y) {
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
            if (inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4))
                ++hits;
    return hits / 16.0;
}

void IconArtist::blend(QImage& image, int x, int y, QColor colour, double alpha) {
    if (alpha <= 0)
        return;
    const QColor under = QColor::fromRgba(image.pixel(x, y));
    const double a0 = under.alphaF();
    const double a = alpha + a0 * (1 - alpha);
    const auto channel = [&](int top, int bottom) {
        return static_cast<int>(std::lround((top * alpha + bottom * a0 * (1 - alpha)) / a));
    };
    image.setPixel(
        x, y,
        qRgba(channel(colour.red(), under.red()), channel(colour.green(), under.green()),
              channel(colour.blue(), under.blue()), static_cast<int>(std::lround(a * 255))));
}

void IconArtist::drawBody(QImage& image, int size) const {
    const Layout l(size);
    const int innerBottom = size - l.margin - l.line;
    const auto colourOfRow = [&](int y) {
        if (y < l.titleTop + l.line && !l.small)
            return mix(s_.titleTop, QColor(255, 255, 255), 0.25);
        if (y < l.titleEnd)
            return stepped(s_.titleTop, s_.titleBottom,
                           double(y - l.titleTop) / (l.titleEnd - l.titleTop), 4);
        if (y < l.titleEnd + l.line)
            return s_.edgeDark;
        if (y < l.titleEnd + 2 * l.line && !l.small)
            return s_.edgeLight;
        if (y >= innerBottom - l.line)
            return s_.edgeDark;
        return stepped(s_.bodyTop, s_.bodyBottom,
                       double(y - l.titleEnd) / (innerBottom - l.titleEnd), 8);
    };
    const Shape outer = [&](double x, double y) { return l.inRoundedRect(x, y, 0); };
    const Shape inner = [&](double x, double y) { return l.inRoundedRect(x, y, l.line); };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            blend(image, x, y, s_.outline, coverage(outer, x, y));
            blend(image, x, y, colourOfRow(y), coverage(inner, x, y));
        }
}

void IconArtist::drawTitleGrooves(QImage& image, int size) const {
    if (size < 48)
        return;
    const Layout l(size);
    const int g = scaled(size, 1.0 / 128, 1);
    const int left = static_cast<int>(l.margin + l.radius * 0.7);
    const int right = size - left;
    const int stripTop = l.titleTop + l.line, height = l.titleEnd - stripTop;
    const int first = stripTop + (height - 8 * g) / 2 + g / 2;
    const QColor groove = mix(s_.titleBottom, QColor(0, 0, 0), 0.35);
    const QColor shine = mix(s_.titleTop, QColor(255, 255, 255), 0.2);
    for (int i = 0; i < 3; ++i) {
        const int y = first + 3 * g * i;
        fillRect(image, left, y, right, y + g, groove);
        fillRect(image, left, y + g, right, y + 2 * g, shine);
    }
}

void IconArtist::drawDisplay(QImage& image, int size) const {
    const Layout l(size);
    sunken(image, l.panelLeft, l.panelTop, l.panelRight, l.panelBottom, l.line, s_.edgeDark,
           s_.edgeLight, s_.panel);
    const double left = l.panelLeft + l.line, top = l.panelTop + l.line;
    const double width = l.panelRight - l.line - left, height = l.panelBottom - l.line - top;
    const double cx = left + width / 2, cy = top + height / 2;
    // A faint warm glow behind the mark on the larger sizes.
    if (size >= 64)
        for (int y = static_cast<int>(top); y < static_cast<int>(top + height); ++y)
            for (int x = static_cast<int>(left); x < static_cast<int>(left + width); ++x) {
                const double d = std::hypot((x + 0.5 - cx) / width, (y + 0.5 - cy) / height);
                if (d < 0.5)
                    image.setPixel(x, y,
                                   stepped(mix(s_.panel, s_.lit, 0.22), s_.panel, d * 2, 5).rgba());
            }
    if (size <= 32)
        drawCrispMark(image, size, cx, cy);
    else
        drawSmoothMark(image, std::round(height * 0.64), cx, cy);
}

void IconArtist::drawCrispMark(QImage& image, int size, double cx, double cy) const {
    // Drawn row by row like the skin's own play glyph, at a height chosen for each small size
    // (at 32 the seek bar takes room from the display).
    const int h = size >= 22 && size < 32 ? 9 : 7;
    const int w = h / 2 + 1;
    const int x0 = static_cast<int>(std::floor(cx - w / 2.0 + 0.5));
    const int y0 = static_cast<int>(std::floor(cy - h / 2.0));
    for (int row = 0; row < h; ++row) {
        const QColor c = stepped(s_.accent, s_.lit, row / double(h), 3);
        fillRect(image, x0, y0 + row, x0 + w - std::abs(row - h / 2), y0 + row + 1, c);
    }
}

void IconArtist::drawSmoothMark(QImage& image, double h, double cx, double cy) const {
    // Its flat side left, nudged right so that it looks centred.
    const double w = h * 0.86;
    const double x0 = std::round(cx - w / 2 + w * 0.08), y0 = std::round(cy - h / 2);
    const Shape mark = [&](double x, double y) {
        const double t = (x - x0) / w;
        return t >= 0 && t <= 1 && std::abs(y - (y0 + h / 2)) <= (1 - t) * h / 2;
    };
    for (int y = static_cast<int>(y0); y <= static_cast<int>(y0 + h); ++y)
        for (int x = static_cast<int>(x0); x <= static_cast<int>(x0 + w); ++x)
            blend(image, x, y, stepped(s_.accent, s_.lit, (y - y0) / h, 4), coverage(mark, x, y));
}

void IconArtist::drawSeekBar(QImage& image, int size) const {
    const Layout l(size);
    if (l.small)
        return;
    sunken(image, l.panelLeft, l.grooveTop, l.panelRight, l.grooveBottom, l.line, s_.edgeDark,
           s_.edgeLight, s_.panel);
    // The knob stands two thirds along; the groove is lit up to it.
    const int knobWidth = scaled(size, 0.2, 7), rise = scaled(size, 0.035, 2);
    const int knobLeft = l.panelLeft + (l.panelRight - l.panelLeft) * 2 / 3 - knobWidth / 2;
    const int knobRight = knobLeft + knobWidth;
    const int knobTop = l.grooveTop - rise, knobBottom = l.grooveBottom + rise;
    const int trackTop = (l.grooveTop + l.grooveBottom - l.line) / 2;
    fillRect(image, l.panelLeft + 2 * l.line, trackTop, knobLeft, trackTop + l.line, s_.lit);
    fillRect(image, knobRight, trackTop, l.panelRight - 2 * l.line, trackTop + l.line, s_.unlit);

    const int o = std::max(1, l.line / 2);
    fillRect(image, knobLeft, knobTop, knobRight, knobBottom, s_.outline);
    fillRect(image, knobLeft + o, knobTop + o, knobRight - o, knobBottom - o, s_.buttonDark);
    fillRect(image, knobLeft + o, knobTop + o, knobRight - 2 * o, knobBottom - 2 * o,
             s_.buttonLight);
    fillRect(image, knobLeft + 2 * o, knobTop + 2 * o, knobRight - 2 * o, knobBottom - 2 * o,
             s_.buttonFace);
    // Grip lines as on the skin's knobs: three where there is room, else one.
    const int g = scaled(size, 1.0 / 64, 1);
    const int grips = size >= 48 ? 3 : 1;
    const int gripLeft = knobLeft + (knobWidth - (2 * grips - 1) * g) / 2;
    const int inset = 2 * o + (size >= 48 ? g : 0);
    for (int i = 0; i < grips; ++i)
        fillRect(image, gripLeft + 2 * g * i, knobTop + inset, gripLeft + 2 * g * i + g,
                 knobBottom - inset, s_.accent);
}

QImage IconArtist::Icon(int size) const {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    drawBody(image, size);
    drawTitleGrooves(image, size);
    drawDisplay(image, size);
    drawSeekBar(image, size);
    return image;
}

bool IconArtist::WriteIcons(const QString& directory) const {
    QDir().mkpath(directory);
    for (const int size : Sizes())
        if (!Icon(size).save(directory + QStringLiteral("/%1.png").arg(size), "PNG"))
            return false;
    return true;
}
