#include "platform/VideoSurface.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// Frames come as 32-bit pixels whose fourth byte is alpha: the picture is opaque, and the
// bars around it are cleared to zero, alpha included. A window system that reads alpha would
// show the bars as holes, so they are made opaque here; the picture is found from its middle
// row and column and left untouched. A frame whose middle is not opaque (no picture, or a
// format that leaves the byte unset) is made opaque all over.
void makeOpaque(QImage& frame) {
    const int w = frame.width();
    const int h = frame.height();
    if (w == 0 || h == 0 || frame.depth() != 32)
        return;
    const auto opaque = [&frame](int x, int y) {
        return qAlpha(reinterpret_cast<const QRgb*>(frame.constScanLine(y))[x]) == 255;
    };
    const int midX = w / 2;
    const int midY = h / 2;
    QRect picture;
    if (opaque(midX, midY)) {
        int left = midX, right = midX, top = midY, bottom = midY;
        while (left > 0 && opaque(left - 1, midY)) --left;
        while (right < w - 1 && opaque(right + 1, midY)) ++right;
        while (top > 0 && opaque(midX, top - 1)) --top;
        while (bottom < h - 1 && opaque(midX, bottom + 1)) ++bottom;
        picture = QRect(QPoint(left, top), QPoint(right, bottom));
    }
    const auto fill = [](QRgb* from, QRgb* to) {
        for (QRgb* p = from; p < to; ++p) *p |= 0xFF000000u;
    };
    for (int y = 0; y < h; ++y) {
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
