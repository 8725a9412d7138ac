#pragma once

#include <QImage>
#include <QWidget>

#include "platform/Mouse.h"

// Shows the frames the playback control renders, and reports the mouse over the picture.
class VideoSurface : public QWidget {
    Q_OBJECT
  public:
    explicit VideoSurface(QWidget* parent = nullptr);

    void SetFrame(QImage frame);
    const QImage& Frame() const { return frame_; }

  signals:
    void MouseDown(MouseArgs args);
    void MouseMove(MouseArgs args);
    void Resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QImage frame_;
};
