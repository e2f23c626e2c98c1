#include "window/sea_list_box.h"

#include <QMouseEvent>

namespace pelagor {

void SeaListBox::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex before = currentIndex();
    const bool wasSelected = before.isValid() && selectionModel()->isSelected(before);
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && wasSelected &&
        indexAt(event->position().toPoint()) == before && onSelectedRowClicked) {
        onSelectedRowClicked();
    }
}

QItemSelectionModel::SelectionFlags SeaListBox::selectionCommand(const QModelIndex &index,
                                                                 const QEvent *event) const
{
    const auto flags = QListWidget::selectionCommand(index, event);
    // Ctrl with a click or Space would clear the selected row; keep it.
    if (index.isValid() &&
        (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))) {
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    }
    return flags;
}

} // namespace pelagor
