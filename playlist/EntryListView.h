#pragma once

#include <QListView>

// The playlist window's list (`List2`): a view of the playlist model that speaks in rows, as
// a list box does. Its selection is the current entry.
class EntryListView : public QListView {
    Q_OBJECT
  public:
    using QListView::QListView;

    int count() const;
    // -1 clears the selection.
    void setCurrentRow(int row);
    int currentRow() const;
    // The selected row, -1 when none is: focus alone makes a row current, not selected.
    int selectedRow() const;
};
