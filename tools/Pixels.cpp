#include "Pixels.h"

#include <QHash>
#include <QVector>
#include <cmath>

QColor Pixels::Mix(QColor a, QColor b, double t) {
    return QColor::fromRgb(static_cast<int>(std::lround(a.red() + (b.red() - a.red()) * t)),
                           static_cast<int>(std::lround(a.green() + (b.green() - a.green()) * t)),
                           static_cast<int>(std::lround(a.blue() + (b.blue() - a.blue()) * t)));
}

// Gradients come in a few steps, so every bitmap keeps well under 256 colours.
QColor Pixels::Stepped(QColor a, QColor b, double t, int steps) {
    return Mix(a, b, std::floor(t * steps) / steps);
}

QImage Pixels::Canvas(int w, int h, QColor fill) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void Pixels::Fill(QImage& image, const QRect& r, QColor c) {
    const QRect clipped = r & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x) image.setPixel(x, y, c.rgb());
}

void Pixels::Put(QImage& image, int x, int y, QColor c) {
    if (image.valid(x, y))
        image.setPixel(x, y, c.rgb());
}

void Pixels::HLine(QImage& image, int x0, int x1, int y, QColor c) {
    for (int x = x0; x <= x1; ++x) Put(image, x, y, c);
}

void Pixels::VLine(QImage& image, int x, int y0, int y1, QColor c) {
    for (int y = y0; y <= y1; ++y) Put(image, x, y, c);
}

void Pixels::FrameRect(QImage& image, const QRect& r, QColor topLeft, QColor bottomRight) {
    HLine(image, r.left(), r.right(), r.top(), topLeft);
    VLine(image, r.left(), r.top(), r.bottom(), topLeft);
    HLine(image, r.left(), r.right(), r.bottom(), bottomRight);
    VLine(image, r.right(), r.top(), r.bottom(), bottomRight);
}

// A triangle pointing right (dir 1) or left (dir -1) with its flat side at x.
void Pixels::Triangle(QImage& image, int x, int y, int height, int dir, QColor c) {
    const int half = height / 2;
    for (int row = 0; row < height; ++row) {
        const int len = half - std::abs(row - half) + 1;
        for (int i = 0; i < len; ++i) Put(image, x + dir * i, y + row, c);
    }
}

// A triangle pointing up, its base at the bottom.
void Pixels::TriangleUp(QImage& image, int cx, int y, int rows, QColor c) {
    for (int row = 0; row < rows; ++row) HLine(image, cx - row, cx + row, y + row, c);
}

void Pixels::TransportGlyph(QImage& image, int button, int x, int y, QColor c) {
    switch (button) {
        case 0:  // previous: a bar and two left triangles
            Fill(image, QRect(x, y, 2, 7), c);
            Triangle(image, x + 5, y, 7, -1, c);
            Triangle(image, x + 9, y, 7, -1, c);
            break;
        case 1:  // play
            Triangle(image, x + 2, y, 7, 1, c);
            break;
        case 2:  // pause
            Fill(image, QRect(x + 1, y, 3, 7), c);
            Fill(image, QRect(x + 6, y, 3, 7), c);
            break;
        case 3:  // stop
            Fill(image, QRect(x + 1, y, 7, 7), c);
            break;
        case 4:  // next: two right triangles and a bar
            Triangle(image, x, y, 7, 1, c);
            Triangle(image, x + 4, y, 7, 1, c);
            Fill(image, QRect(x + 8, y, 2, 7), c);
            break;
        default:  // eject: a triangle over a bar
            TriangleUp(image, x + 4, y, 4, c);
            Fill(image, QRect(x, y + 5, 9, 2), c);
            break;
    }
}

QImage Pixels::ToIndexed8(const QImage& image) {
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
