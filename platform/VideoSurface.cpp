#include "platform/VideoSurface.h"

#include <QMouseEvent>
#include <QPainter>

VideoSurface::VideoSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VideoSurface::SetFrame(QImage frame) {
    frame_ = std::move(frame);
    update();
}

QSize VideoSurface::DeviceSize() const {
    const qreal ratio = devicePixelRatioF();
    return QSize(qRound(width() * ratio), qRound(height() * ratio));
}

void VideoSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (frame_.deviceIndependentSize() == QSizeF(size())) {
        painter.drawImage(0, 0, frame_);
    } else {
        painter.fillRect(rect(), Qt::black);
        if (!frame_.isNull())
            painter.drawImage(rect(), frame_);
    }
}

void VideoSurface::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(Mouse::FromEvent(*event));
}

void VideoSurface::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(Mouse::FromEvent(*event));
}

void VideoSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit DoubleClicked();
}

void VideoSurface::resizeEvent(QResizeEvent*) {
    emit Resized();
}
