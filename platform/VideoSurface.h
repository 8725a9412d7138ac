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
    // The size to render at: the surface in device pixels, so the picture is sharp on a
    // HiDPI screen and full screen.
    QSize DeviceSize() const;

  signals:
    void MouseDown(MouseArgs args);
    void MouseMove(MouseArgs args);
    void DoubleClicked();
    void Resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QImage frame_;
};
