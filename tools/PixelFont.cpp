#include "PixelFont.h"

#include <QHash>
#include <QImage>
#include <array>

namespace {
// Each glyph is five rows of three bits, the top row first, the leftmost pixel the highest bit.
const QHash<QChar, std::array<unsigned char, 5>>& glyphs() {
    static const QHash<QChar, std::array<unsigned char, 5>> table = {
        {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}}, {'C', {3, 4, 4, 4, 3}},
        {'D', {6, 5, 5, 5, 6}}, {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}},
        {'G', {3, 4, 5, 5, 3}}, {'H', {5, 5, 7, 5, 5}}, {'I', {7, 2, 2, 2, 7}},
        {'J', {1, 1, 1, 5, 2}}, {'K', {5, 5, 6, 5, 5}}, {'L', {4, 4, 4, 4, 7}},
        {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}}, {'O', {2, 5, 5, 5, 2}},
        {'P', {6, 5, 6, 4, 4}}, {'Q', {2, 5, 5, 6, 3}}, {'R', {6, 5, 6, 5, 5}},
        {'S', {3, 4, 2, 1, 6}}, {'T', {7, 2, 2, 2, 2}}, {'U', {5, 5, 5, 5, 7}},
        {'V', {5, 5, 5, 2, 2}}, {'W', {5, 5, 7, 7, 5}}, {'X', {5, 5, 2, 5, 5}},
        {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}}, {'0', {7, 5, 5, 5, 7}},
        {'1', {2, 6, 2, 2, 7}}, {'2', {6, 1, 2, 4, 7}}, {'3', {6, 1, 2, 1, 6}},
        {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 6, 1, 6}}, {'6', {3, 4, 7, 5, 7}},
        {'7', {7, 1, 1, 2, 2}}, {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 6}},
        {'-', {0, 0, 7, 0, 0}}, {'.', {0, 0, 0, 0, 2}}, {':', {0, 2, 0, 2, 0}},
        {'/', {1, 1, 2, 4, 4}}, {'+', {0, 2, 7, 2, 0}}, {' ', {0, 0, 0, 0, 0}},
    };
    return table;
}
}  // namespace

int PixelFont::TextWidth(const QString& text, int spacing) {
    if (text.isEmpty())
        return 0;
    return static_cast<int>(text.size()) * (kGlyphWidth + spacing) - spacing;
}

void PixelFont::Draw(QImage& image, int x, int y, const QString& text, QColor colour, int spacing) {
    const QRgb rgb = colour.rgb();
    for (const QChar c : text) {
        const auto found = glyphs().constFind(c.toUpper());
        if (found != glyphs().constEnd()) {
            for (int row = 0; row < kGlyphHeight; ++row)
                for (int col = 0; col < kGlyphWidth; ++col)
                    if ((*found)[row] & (4 >> col) && image.valid(x + col, y + row))
                        image.setPixel(x + col, y + row, rgb);
        }
        x += kGlyphWidth + spacing;
    }
}

void PixelFont::DrawCentred(QImage& image, int left, int width, int y, const QString& text,
                            QColor colour, int spacing) {
    Draw(image, left + (width - TextWidth(text, spacing)) / 2, y, text, colour, spacing);
}
