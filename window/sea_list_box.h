// The list of seas: one row selected at a time, never none once one has been,
// and a click on the selected row reported like a change of row.
#pragma once

#include <QListWidget>

#include <functional>

namespace pelagor {

class SeaListBox : public QListWidget {
public:
    using QListWidget::QListWidget;

    // Called when the user clicks the row that is already selected.
    std::function<void()> onSelectedRowClicked;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    [[nodiscard]] QItemSelectionModel::SelectionFlags
    selectionCommand(const QModelIndex &index, const QEvent *event) const override;
};

} // namespace pelagor
