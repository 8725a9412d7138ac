#include "platform/Form.h"

#include <QWindow>

#include "platform/Screen.h"
#include "platform/TransparentOutside.h"
#include "platform/WindowSystem.h"

float Form::Left() const {
    return static_cast<float>(x()) * Screen::TwipsPerPixelX();
}
float Form::Top() const {
    return static_cast<float>(y()) * Screen::TwipsPerPixelY();
}
float Form::Width() const {
    return static_cast<float>(width()) * Screen::TwipsPerPixelX();
}
float Form::Height() const {
    return static_cast<float>(height()) * Screen::TwipsPerPixelY();
}
void Form::SetLeft(float left) {
    move(Screen::ToPixelsX(left), y());
}
void Form::SetTop(float top) {
    move(x(), Screen::ToPixelsY(top));
}
void Form::SetPosition(float left, float top) {
    move(Screen::ToPixelsX(left), Screen::ToPixelsY(top));
}
void Form::SetWidth(float width) {
    resize(Screen::ToPixelsX(width), height());
}
void Form::SetHeight(float height) {
    resize(width(), Screen::ToPixelsY(height));
}
void Form::SetSize(float width, float height) {
    resize(Screen::ToPixelsX(width), Screen::ToPixelsY(height));
}

void Form::SetShape(const QRegion& shape) {
    // An empty mask would mean "no mask" to the window system; a pixel outside the window
    // keeps the window showing nothing and taking no input.
    setMask(shape.isEmpty() ? QRegion(-1, -1, 1, 1) : shape);
    if (!WindowSystem::NativeWayland())
        return;
    // There the mask is only the input region: the pixels outside are made transparent. The
    // window must be translucent before it is first shown.
    if (!outside_) {
        setAttribute(Qt::WA_TranslucentBackground);
        outside_ = new TransparentOutside(this);
    }
    outside_->SetShape(shape);
}

void Form::DragPress(MouseArgs args) {
    if (args.button != 1)
        return;
    StartDragX = Mouse::ToInt16(args.x);
    StartDragY = Mouse::ToInt16(args.y);
    // Not on the press itself: a click still reaches the buttons and the double-click.
    systemMovePending_ = WindowSystem::NativeWayland();
}

bool Form::DragMove(MouseArgs args) {
    if (args.button != 1)
        return false;
    if (WindowSystem::NativeWayland()) {
        if (systemMovePending_ && windowHandle())
            windowHandle()->startSystemMove();
        systemMovePending_ = false;
        return false;
    }
    // One move for both steps, so whoever follows the window sees one change.
    SetPosition(Left() - (static_cast<float>(StartDragX) - args.x),
                Top() - (static_cast<float>(StartDragY) - args.y));
    return true;
}
