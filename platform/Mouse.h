#pragma once

#include <QPointF>
#include <Qt>
#include <cstdint>

class QMouseEvent;

// Mouse arguments as the windows' handlers take them: button 1 left, 2 right, 4 middle;
// shift 1 Shift, 2 Ctrl, 4 Alt; x and y in twips relative to the control.
struct MouseArgs {
    int button = 0;
    int shift = 0;
    float x = 0.0f;
    float y = 0.0f;
};

namespace Mouse {

int ButtonCode(Qt::MouseButtons buttons);
int ShiftCode(Qt::KeyboardModifiers modifiers);

// For a press or release: the button that changed. For a move: the buttons held.
MouseArgs FromEvent(const QMouseEvent& event);

// A coordinate as the 16-bit drag anchors and offsets keep it: nearest, halves to even.
std::int16_t ToInt16(float value);

}  // namespace Mouse
