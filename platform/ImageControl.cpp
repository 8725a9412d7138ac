#include "platform/ImageControl.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/Screen.h"

ImageControl::ImageControl(QWidget* parent, int index) : QWidget(parent), index_(index) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
}

void ImageControl::Move(float left, float top, float width, float height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    applyGeometry();
}

void ImageControl::SetLeft(float left) {
    left_ = left;
    applyGeometry();
}

void ImageControl::SetTop(float top) {
    top_ = top;
    applyGeometry();
}

void ImageControl::SetPicture(const QImage& picture) {
    picture_ = picture;
    if (!picture_.isNull() && !picture_.size().isEmpty()) {
        width_ = static_cast<float>(picture_.width()) * Screen::TwipsPerPixelX();
        height_ = static_cast<float>(picture_.height()) * Screen::TwipsPerPixelY();
        applyGeometry();
    }
    update();
}

void ImageControl::applyGeometry() {
    setGeometry(Screen::ToPixelsX(left_), Screen::ToPixelsY(top_), Screen::ToPixelsX(width_),
                Screen::ToPixelsY(height_));
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(index_, Mouse::FromEvent(*event));
}

void ImageControl::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove(index_, Mouse::FromEvent(*event));
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    const MouseArgs args = Mouse::FromEvent(*event);
    const bool leftClick = event->button() == Qt::LeftButton && rect().contains(event->pos());
    emit MouseUp(index_, args);
    if (leftClick)
        emit Click(index_);
}
