#include "playlist/SkinMenu.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/PictureBox.h"

SkinMenu::SkinMenu(Pieces pieces, std::vector<std::function<void()>> actions, QString letters)
    : QWidget(pieces.button ? pieces.button->window() : nullptr, Qt::Popup),
      pieces_(std::move(pieces)),
      actions_(std::move(actions)),
      letters_(std::move(letters).toUpper()) {
    setObjectName(QStringLiteral("SkinMenu"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    if (pieces_.button)
        pieces_.button->installEventFilter(this);
}

int SkinMenu::stripWidth() const {
    return pieces_.strip ? pieces_.strip->width() : 0;
}

void SkinMenu::Open(QPoint pressAt) {
    if (!pieces_.box)
        return;
    const QWidget* frame = pieces_.box->parentWidget();
    const QPoint topLeft(pieces_.box->x() - stripWidth(), pieces_.box->y());
    setGeometry(QRect(frame->mapToGlobal(topLeft),
                      QSize(stripWidth() + pieces_.box->width(), pieces_.box->height())));
    openedOn_ = ItemAt(mapFromGlobal(pressAt));
    openingPress_ = true;
    leftStart_ = false;
    highlighted_ = openedOn_;
    show();
}

int SkinMenu::ItemAt(QPoint local) const {
    const QPoint inBox = local - QPoint(stripWidth(), 0);
    for (std::size_t k = 0; k < pieces_.items.size() && k < actions_.size(); ++k)
        if (pieces_.items[k] && pieces_.items[k]->geometry().contains(inBox))
            return static_cast<int>(k);
    return -1;
}

bool SkinMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pieces_.button && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton) {
            Open(press->globalPosition().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SkinMenu::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (pieces_.strip)
        painter.drawImage(0, 0, pieces_.strip->Image());
    painter.drawImage(stripWidth(), 0, pieces_.box->Image());
    if (highlighted_ >= 0) {
        const PictureBox* item = pieces_.items[static_cast<std::size_t>(highlighted_)];
        painter.drawImage(item->pos() + QPoint(stripWidth(), 0), item->Image());
    }
}

void SkinMenu::highlight(int item) {
    if (item == highlighted_)
        return;
    highlighted_ = item;
    update();
}

void SkinMenu::mousePressEvent(QMouseEvent* event) {
    // A press outside closes the menu, as any popup's does.
    if (!rect().contains(event->position().toPoint())) {
        close();
        return;
    }
    openingPress_ = false;
    highlight(ItemAt(event->position().toPoint()));
}

void SkinMenu::mouseMoveEvent(QMouseEvent* event) {
    const int item = ItemAt(event->position().toPoint());
    if (item != openedOn_)
        leftStart_ = true;
    highlight(item);
}

void SkinMenu::mouseReleaseEvent(QMouseEvent* event) {
    const int item = ItemAt(event->position().toPoint());
    const bool quickClick = openingPress_ && !leftStart_ && item == openedOn_;
    openingPress_ = false;
    if (quickClick)
        return;  // stays open for a second click
    if (item < 0) {
        close();
        return;
    }
    run(item);
}

void SkinMenu::keyPressEvent(QKeyEvent* event) {
    openingPress_ = false;
    switch (event->key()) {
        case Qt::Key_Escape:
            close();
            return;
        case Qt::Key_Up:
            step(-1);
            return;
        case Qt::Key_Down:
            step(1);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (highlighted_ >= 0)
                run(highlighted_);
            return;
        default:
            break;
    }
    const QString text = event->text().toUpper();
    const qsizetype item = text.size() == 1 ? letters_.indexOf(text) : -1;
    if (item >= 0 && item < static_cast<qsizetype>(actions_.size())) {
        run(static_cast<int>(item));
        return;
    }
    QWidget::keyPressEvent(event);
}

void SkinMenu::step(int direction) {
    // Items in the order they show, top to bottom (a menu may list its lowest item first).
    std::vector<int> shown;
    for (std::size_t k = 0; k < pieces_.items.size() && k < actions_.size(); ++k)
        if (pieces_.items[k])
            shown.push_back(static_cast<int>(k));
    if (shown.empty())
        return;
    std::sort(shown.begin(), shown.end(), [this](int a, int b) {
        return pieces_.items[static_cast<std::size_t>(a)]->y() <
               pieces_.items[static_cast<std::size_t>(b)]->y();
    });
    const auto at = std::find(shown.begin(), shown.end(), highlighted_);
    const int n = static_cast<int>(shown.size());
    int next = direction > 0 ? 0 : n - 1;
    if (at != shown.end())
        next = (static_cast<int>(at - shown.begin()) + direction + n) % n;
    highlight(shown[static_cast<std::size_t>(next)]);
}

void SkinMenu::hideEvent(QHideEvent* event) {
    highlighted_ = -1;
    openingPress_ = false;
    QWidget::hideEvent(event);
}

void SkinMenu::run(int item) {
    // Closed first: the item may open a dialog.
    close();
    const auto& action = actions_[static_cast<std::size_t>(item)];
    if (action)
        action();
}
