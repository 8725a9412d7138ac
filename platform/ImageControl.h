#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include "platform/Mouse.h"
#include "platform/TwipsRect.h"

// An image control: shows its picture at its own size at its top-left corner. Position and
// size are kept in twips; assigning a non-empty picture sizes the control to the picture.
// A visible control takes the mouse over its whole rectangle, picture or not, and a press
// captures the mouse until the release.
class ImageControl : public QWidget {
    Q_OBJECT
  public:
    explicit ImageControl(QWidget* parent, int index = 0);

    int Index() const { return index_; }

    // One combined move, in twips.
    void Move(float left, float top, float width, float height);
    void SetLeft(float left);
    void SetTop(float top);
    float Left() const { return twips_.left; }
    float Top() const { return twips_.top; }
    float Width() const { return twips_.width; }
    float Height() const { return twips_.height; }

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

    QString Tag() const { return tag_; }
    void SetTag(const QString& tag) { tag_ = tag; }

  signals:
    void MouseDown(int index, MouseArgs args);
    void MouseMove(int index, MouseArgs args);
    void MouseUp(int index, MouseArgs args);
    void Click(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void applyGeometry();

    const int index_ = 0;
    TwipsRect twips_;
    QImage picture_;
    QString tag_;
};
