#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

// Pixel-exact drawing for the skin painter: no anti-aliasing, nothing outside the image; and
// the reduction to the 256 colours its bitmaps are saved with.
namespace Pixels {

// From a (t = 0) to b (t = 1), rounded to whole colour steps.
QColor Mix(QColor a, QColor b, double t);
// Gradients come in a few steps, so every bitmap keeps well under 256 colours.
QColor Stepped(QColor a, QColor b, double t, int steps = 6);
QImage Canvas(int w, int h, QColor fill);
void Fill(QImage& image, const QRect& r, QColor c);
void Put(QImage& image, int x, int y, QColor c);
void HLine(QImage& image, int x0, int x1, int y, QColor c);
void VLine(QImage& image, int x, int y0, int y1, QColor c);
void FrameRect(QImage& image, const QRect& r, QColor topLeft, QColor bottomRight);
// A triangle pointing right (dir 1) or left (dir -1) with its flat side at x.
void Triangle(QImage& image, int x, int y, int height, int dir, QColor c);
// A triangle pointing up, its base at the bottom.
void TriangleUp(QImage& image, int cx, int y, int rows, QColor c);
// The glyph of transport button 0 to 5 (previous, play, pause, stop, next, eject).
void TransportGlyph(QImage& image, int button, int x, int y, QColor c);

// The same picture with at most 256 colours, exactly the colours it had; a null image when it
// has more.
QImage ToIndexed8(const QImage& image);

}  // namespace Pixels
