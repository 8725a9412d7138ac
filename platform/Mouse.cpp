#include "platform/Mouse.h"

#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "platform/Screen.h"

int Mouse::ButtonCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int Mouse::ShiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

MouseArgs Mouse::FromEvent(const QMouseEvent& event) {
    MouseArgs args;
    const bool isMove = event.type() == QEvent::MouseMove;
    args.button = ButtonCode(isMove ? event.buttons() : Qt::MouseButtons(event.button()));
    args.shift = ShiftCode(event.modifiers());
    const QPointF p = event.position();
    args.x = static_cast<float>(p.x()) * Screen::TwipsPerPixelX();
    args.y = static_cast<float>(p.y()) * Screen::TwipsPerPixelY();
    return args;
}

std::int16_t Mouse::ToInt16(float value) {
    return static_cast<std::int16_t>(std::clamp(std::nearbyint(value), -32768.0f, 32767.0f));
}
