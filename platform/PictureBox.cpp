#include "platform/PictureBox.h"

#include <QPainter>

#include "platform/Screen.h"

PictureBox::PictureBox(QWidget* parent, int index) : QWidget(parent), index_(index) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::Move(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    setGeometry(Screen::ToPixelsX(left_), Screen::ToPixelsY(top_), Screen::ToPixelsX(width_),
                Screen::ToPixelsY(height_));
    resizeImage();
}

void PictureBox::resizeImage() {
    const QSize size(Screen::ToPixelsX(width_), Screen::ToPixelsY(height_));
    if (size == image_.size()) return;
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(DefaultBackColor());
    if (!image_.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, image_);
    }
    image_ = resized;
}

void PictureBox::SetPicture(const QImage& picture) {
    picture_ = picture;
    image_.fill(DefaultBackColor());
    QPainter painter(&image_);
    painter.drawImage(0, 0, picture_);
    painter.end();
    update();
}

void PictureBox::PaintPicture(const QImage& source, const QRect& to, const QRect& from) {
    if (source.isNull() || from.isEmpty() || to.isEmpty()) return;
    const QRect inside = from & source.rect();
    if (inside.isEmpty()) return;
    // Keep the part of the target that the clipped source maps onto.
    const double sx = static_cast<double>(to.width()) / from.width();
    const double sy = static_cast<double>(to.height()) / from.height();
    const QRectF target(to.x() + (inside.x() - from.x()) * sx, to.y() + (inside.y() - from.y()) * sy,
                        inside.width() * sx, inside.height() * sy);
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, source, QRectF(inside));
    painter.end();
    update();
}

long PictureBox::GetPixel(int x, int y) const {
    if (!image_.valid(x, y)) return -1;
    const QRgb rgb = image_.pixel(x, y);
    return static_cast<long>(qRed(rgb)) + 256L * qGreen(rgb) + 65536L * qBlue(rgb);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}
