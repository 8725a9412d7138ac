#include "platform/PictureBox.h"

#include <QPainter>
#include <cstring>

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
    // Converted once, so that every piece painted from it is a plain copy.
    picture_ = picture.isNull() ? picture : picture.convertToFormat(QImage::Format_RGB32);
    if (picture_.size() == image_.size()) {
        image_ = picture_;  // shared until something paints into the box
    } else {
        image_.fill(DefaultBackColor());
        copyRows(picture_, picture_.rect(), QPoint(0, 0));
    }
    update();
}

void PictureBox::PaintPicture(const QImage& source, const QRect& to, const QRect& from) {
    if (source.isNull() || from.isEmpty() || to.isEmpty()) return;
    const QRect inside = from & source.rect();
    if (inside.isEmpty()) return;
    if (to.size() == from.size() && source.format() == image_.format()) {
        copyRows(source, inside, to.topLeft() + (inside.topLeft() - from.topLeft()));
    } else {
        // Keep the part of the target that the clipped source maps onto.
        const double sx = static_cast<double>(to.width()) / from.width();
        const double sy = static_cast<double>(to.height()) / from.height();
        const QRectF target(to.x() + (inside.x() - from.x()) * sx, to.y() + (inside.y() - from.y()) * sy,
                            inside.width() * sx, inside.height() * sy);
        QPainter painter(&image_);
        painter.drawImage(target, source, QRectF(inside));
    }
    update();
}

// An unstretched copy is a copy of rows; the frame painter makes dozens of them per skin.
void PictureBox::copyRows(const QImage& source, QRect from, QPoint at) {
    const QRect target = QRect(at, from.size()) & image_.rect();
    if (target.isEmpty()) return;
    from = QRect(from.topLeft() + (target.topLeft() - at), target.size());
    const std::size_t bytes = static_cast<std::size_t>(target.width()) * sizeof(QRgb);
    for (int row = 0; row < target.height(); ++row) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source.constScanLine(from.y() + row)) + from.x();
        QRgb* out = reinterpret_cast<QRgb*>(image_.scanLine(target.y() + row)) + target.x();
        std::memcpy(out, in, bytes);
    }
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
