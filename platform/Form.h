#pragma once

#include <QWidget>

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
    void SetWidth(float width);
    void SetHeight(float height);
    void SetSize(float width, float height);
};
