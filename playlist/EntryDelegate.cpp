#include "playlist/EntryDelegate.h"

#include <QPainter>

#include "playlist/PlaylistModel.h"

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
    QRect textRect = row.adjusted(kGutter, 0, -2, 0);
    const QString length = LengthText(index.data(PlaylistModel::LengthRole).toDouble());
    if (!length.isEmpty()) {
        painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignRight | Qt::TextSingleLine, length);
        textRect.setRight(textRect.right() - option.fontMetrics.horizontalAdvance(length) - 6);
    }
    const QString name = option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                       Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, name);
    painter->restore();
}

QString EntryDelegate::LengthText(double seconds) {
    if (!(seconds >= 0.0))
        return QString();
    const qint64 whole = static_cast<qint64>(seconds + 0.5);
    const qint64 h = whole / 3600;
    const QString ms = QStringLiteral("%1:%2")
                           .arg(h > 0 ? QString::number(whole / 60 % 60).rightJustified(2, u'0')
                                      : QString::number(whole / 60))
                           .arg(whole % 60, 2, 10, QLatin1Char('0'));
    return h > 0 ? QString::number(h) + QLatin1Char(':') + ms : ms;
}

QSize EntryDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return QSize(option.rect.width(), option.fontMetrics.height() + 1);
}
