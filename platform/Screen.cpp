#include "platform/Screen.h"

#include <QByteArray>
#include <QGuiApplication>
#include <cmath>

namespace {
float overrideX = 0.0f;
float overrideY = 0.0f;
}  // namespace

float Screen::TwipsPerPixelX() {
    return overrideX > 0.0f ? overrideX : kTwipsPerPixel;
}

float Screen::TwipsPerPixelY() {
    return overrideY > 0.0f ? overrideY : kTwipsPerPixel;
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

double Screen::WholeNumberScale(double wanted) {
    if (!std::isfinite(wanted) || wanted < 1.0)
        return 1.0;
    return std::floor(wanted + 0.5);
}

void Screen::UseWholeNumberScales() {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    // The environment's factor multiplies the screen's and is not rounded by Qt.
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    if (factor.isEmpty())
        return;
    bool ok = false;
    const double wanted = factor.toDouble(&ok);
    qputenv("QT_SCALE_FACTOR", QByteArray::number(ok ? WholeNumberScale(wanted) : 1.0));
}
