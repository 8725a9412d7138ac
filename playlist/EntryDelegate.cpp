#include "playlist/EntryDelegate.h"

#include <QPainter>

namespace {

// A small triangle pointing right, five pixels tall, as the player's own play mark.
void drawMarker(QPainter& painter, const QRect& row, QColor colour) {
    const int top = row.top() + (row.height() - 5) / 2;
    for (int i = 0; i < 3; ++i)
        painter.fillRect(QRect(row.left() + 2 + i, top + i, 1, 5 - 2 * i), colour);
}

}  // namespace

void EntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    const SkinPalette& colours = palette_();
    const QRect row = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const bool playing = index.row() == playing_();
    painter->save();
    painter->fillRect(row, selected ? colours.selection : colours.background);
    if (selected) {
        painter->setPen(colours.selectionEdge);
        painter->drawRect(row.adjusted(0, 0, -1, -1));
    }
    QColor ink = selected ? colours.selectionText : colours.text;
    if (playing) {
        ink = selected ? ink : colours.accent;
        drawMarker(*painter, row, selected ? colours.selectionText : colours.accent);
    }
    painter->setFont(option.font);
    painter->setPen(ink);
    const QRect textRect = row.adjusted(kGutter, 0, -2, 0);
    const QString name = option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                       Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, name);
    painter->restore();
}

QSize EntryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return QSize(option.rect.width(), option.fontMetrics.height() + 1);
}
