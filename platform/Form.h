#pragma once

#include <QRegion>
#include <QWidget>
#include <cstdint>

#include "platform/Mouse.h"

class TransparentOutside;

// A top-level window whose position and size are read and set in twips.
class Form : public QWidget {
    Q_OBJECT
  public:
    explicit Form(Qt::WindowFlags flags = {}) : QWidget(nullptr, flags) {}

    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;
    void SetLeft(float left);
    void SetTop(float top);
    void SetPosition(float left, float top);
    void SetWidth(float width);
    void SetHeight(float height);
    void SetSize(float width, float height);

    // The window's outline: what lies outside takes no input and shows nothing. An empty
    // shape leaves nothing of the window.
    void SetShape(const QRegion& shape);

    // Dragging the window by a surface of its own: a left press sets the anchor, and each
    // move with the left button held moves the window by the pointer's offset from it. A
    // native Wayland client cannot place its window: there the first move after the press
    // hands the drag to the compositor instead.
    void DragPress(MouseArgs args);
    // Whether the window moved by itself.
    bool DragMove(MouseArgs args);

    // The drag anchor: the pointer at the last left press, in twips of the surface.
    std::int16_t StartDragX = 0;
    std::int16_t StartDragY = 0;

  private:
    TransparentOutside* outside_ = nullptr;
    bool systemMovePending_ = false;
};
