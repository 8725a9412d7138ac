#pragma once

#include <QStyledItemDelegate>
#include <functional>

#include "skin/SkinPalette.h"

// Draws the playlist's rows in the skin's colours: white names on black, the selection in the
// skin's highlight with its edge, and the playing entry in the accent colour behind a marker.
class EntryDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using PaletteSource = std::function<const SkinPalette&()>;
    using PlayingRow = std::function<int()>;

    EntryDelegate(PaletteSource palette, PlayingRow playing, QObject* parent = nullptr)
        : QStyledItemDelegate(parent), palette_(std::move(palette)), playing_(std::move(playing)) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // A length as the row shows it: m:ss, or h:mm:ss from an hour; empty when not known.
    static QString LengthText(double seconds);

    // Names start after the marker's gutter, so that they line up whether marked or not.
    static constexpr int kGutter = 8;

  private:
    PaletteSource palette_;
    PlayingRow playing_;
};
