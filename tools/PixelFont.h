#pragma once

#include <QColor>
#include <QString>

class QImage;

// A 3 x 5 pixel font for the skin's labels: crisp at one pixel a dot, no anti-aliasing.
class PixelFont {
  public:
    static constexpr int kGlyphWidth = 3;
    static constexpr int kGlyphHeight = 5;

    // Width in pixels of the text drawn with one pixel between letters.
    static int TextWidth(const QString& text, int spacing = 1);
    static void Draw(QImage& image, int x, int y, const QString& text, QColor colour,
                     int spacing = 1);
    // Centred horizontally in [left, left + width).
    static void DrawCentred(QImage& image, int left, int width, int y, const QString& text,
                            QColor colour, int spacing = 1);
};
