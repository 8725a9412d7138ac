#pragma once

#include <QRect>

#include "platform/Screen.h"

// A control's place and size as its twips values, kept exactly as they were set: the pixel
// rectangle is derived at each use, so repeated moves never pile up rounding.
struct TwipsRect {
    float left = 0.0f;
    float top = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    QRect Pixels() const {
        return QRect(Screen::ToPixelsX(left), Screen::ToPixelsY(top), Screen::ToPixelsX(width),
                     Screen::ToPixelsY(height));
    }
    QSize PixelSize() const { return QSize(Screen::ToPixelsX(width), Screen::ToPixelsY(height)); }
};
