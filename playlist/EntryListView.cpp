#include "playlist/EntryListView.h"

#include <QItemSelectionModel>

int EntryListView::count() const {
    return model() ? model()->rowCount() : 0;
}

void EntryListView::setCurrentRow(int row) {
    if (!model() || row < 0 || row >= count()) {
        selectionModel()->clearCurrentIndex();
        clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

int EntryListView::currentRow() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

int EntryListView::selectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}
