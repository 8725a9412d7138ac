#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {
float overrideX = 0.0f;
float overrideY = 0.0f;

float fromDpi(qreal dpi) {
    if (dpi <= 0.0)
        return 15.0f;
    return static_cast<float>(std::nearbyint(1440.0 / dpi));
}
}  // namespace

float Screen::TwipsPerPixelX() {
    if (overrideX > 0.0f)
        return overrideX;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? fromDpi(screen->logicalDotsPerInchX()) : 15.0f;
}

float Screen::TwipsPerPixelY() {
    if (overrideY > 0.0f)
        return overrideY;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? fromDpi(screen->logicalDotsPerInchY()) : 15.0f;
}

void Screen::SetTwipsPerPixel(float x, float y) {
    overrideX = x;
    overrideY = y;
}

int Screen::ToPixelsX(float twips) {
    return static_cast<int>(std::nearbyint(twips / TwipsPerPixelX()));
}

int Screen::ToPixelsY(float twips) {
    return static_cast<int>(std::nearbyint(twips / TwipsPerPixelY()));
}
