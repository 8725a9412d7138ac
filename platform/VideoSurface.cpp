#include "platform/VideoSurface.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

bool opaque(const QImage& frame, int x, int y) {
    return qAlpha(reinterpret_cast<const QRgb*>(frame.constScanLine(y))[x]) == 255;
}

// The opaque rectangle around the middle of the frame, as far as its middle row and column
// reach; empty when the middle itself is not opaque.
QRect opaqueMiddle(const QImage& frame) {
    const int midX = frame.width() / 2;
    const int midY = frame.height() / 2;
    if (!opaque(frame, midX, midY))
        return QRect();
    int left = midX, right = midX, top = midY, bottom = midY;
    while (left > 0 && opaque(frame, left - 1, midY)) --left;
    while (right < frame.width() - 1 && opaque(frame, right + 1, midY)) ++right;
    while (top > 0 && opaque(frame, midX, top - 1)) --top;
    while (bottom < frame.height() - 1 && opaque(frame, midX, bottom + 1)) ++bottom;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Frames come as 32-bit pixels whose fourth byte is alpha: the picture is opaque, and the
// bars around it are cleared to zero, alpha included. A window system that reads alpha would
// show the bars as holes, so they are made opaque here (black, or what was drawn on them
// over black), leaving the picture untouched. A frame whose middle is not opaque (no
// picture, or a format that leaves the byte unset) is made opaque all over.
void makeOpaque(QImage& frame) {
    if (frame.isNull() || frame.depth() != 32)
        return;
    const QRect picture = opaqueMiddle(frame);
    const auto fill = [](QRgb* from, QRgb* to) {
        for (QRgb* p = from; p < to; ++p) *p |= 0xFF000000u;
    };
    const int w = frame.width();
    for (int y = 0; y < frame.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(frame.scanLine(y));
        if (y < picture.top() || y > picture.bottom()) {
            fill(row, row + w);
        } else {
            fill(row, row + picture.left());
            fill(row + picture.right() + 1, row + w);
        }
    }
}

}  // namespace

VideoSurface::VideoSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void VideoSurface::SetFrame(QImage frame) {
    frame_ = std::move(frame);
    makeOpaque(frame_);
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
