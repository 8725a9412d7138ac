#include "platform/Form.h"

#include "platform/Screen.h"

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

void Form::DragPress(MouseArgs args) {
    if (args.button != 1)
        return;
    StartDragX = Mouse::ToInt16(args.x);
    StartDragY = Mouse::ToInt16(args.y);
}

bool Form::DragMove(MouseArgs args) {
    if (args.button != 1)
        return false;
    // One move for both steps, so whoever follows the window sees one change.
    SetPosition(Left() - (static_cast<float>(StartDragX) - args.x),
                Top() - (static_cast<float>(StartDragY) - args.y));
    return true;
}
