#include "platform/ImageControl.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/Screen.h"

ImageControl::ImageControl(QWidget* parent, int index) : QWidget(parent), index_(index) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
}

void ImageControl::Move(float left, float top, float width, float height) {
    twips_ = TwipsRect{left, top, width, height};
    applyGeometry();
}

void ImageControl::SetLeft(float left) {
    twips_.left = left;
    applyGeometry();
}

void ImageControl::SetTop(float top) {
    twips_.top = top;
    applyGeometry();
}

void ImageControl::SetPicture(const QImage& picture) {
    picture_ = picture;
    if (!picture_.isNull() && !picture_.size().isEmpty()) {
        twips_.width = static_cast<float>(picture_.width()) * Screen::TwipsPerPixelX();
        twips_.height = static_cast<float>(picture_.height()) * Screen::TwipsPerPixelY();
        applyGeometry();
    }
    update();
}

void ImageControl::applyGeometry() {
    setGeometry(twips_.Pixels());
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
