#include "platform/TransparentOutside.h"

#include <QEvent>
#include <QPainter>

TransparentOutside::TransparentOutside(QWidget* window) : QWidget(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    window->installEventFilter(this);
    cover();
    show();
}

void TransparentOutside::SetShape(const QRegion& shape) {
    shape_ = shape;
    // Controls made after this one would paint over it.
    raise();
    update();
}

void TransparentOutside::cover() {
    setGeometry(parentWidget()->rect());
}

bool TransparentOutside::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        cover();
    return QWidget::eventFilter(watched, event);
}

void TransparentOutside::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.setClipRegion(QRegion(rect()) - shape_);
    painter.fillRect(rect(), Qt::transparent);
}
