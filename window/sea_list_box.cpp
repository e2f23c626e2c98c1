// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/sea_list_box.h"

#include "window/touch_scrolling.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScroller>
#include <QStyledItemDelegate>
#include <QTouchEvent>

#include <utility>

namespace pelagor {

namespace {

// The widest name, "Вътрешно Японско море", is as wide as the list's viewport;
// the style's margins beside the text would cut it short. The rows are drawn
// two pixels wider on each side, so the text starts one pixel from the edge
// and loses at most the last pixel of its last letter.
class WholeNameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem wider(option);
        wider.rect.adjust(-2, 0, 2, 0);
        QStyledItemDelegate::paint(painter, wider, index);
    }
};

} // namespace

SeaListBox::SeaListBox(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new WholeNameDelegate(this));
    setTextElideMode(Qt::ElideNone);

    // A finger scrolls the list kinetically, row by row; the mouse keeps its
    // own ways.
    const auto rowHeight = [this] { return sizeHintForRow(0); };
    scrollByTouch(this, rowHeight, TouchTaps::PassedOn);
    connect(QScroller::scroller(viewport()), &QScroller::stateChanged, this,
            [this](QScroller::State state) {
                if (state == QScroller::Dragging || state == QScroller::Scrolling) {
                    touchedRow_ = QPersistentModelIndex();
                }
            });
}

bool SeaListBox::viewportEvent(QEvent *event)
{
    // Touches are taken here, so that none becomes a mouse press that would
    // pick the row a swipe starts on.
    auto *touch = isTouch(event->type()) ? dynamic_cast<QTouchEvent *>(event) : nullptr;
    if (touch == nullptr) {
        return QListWidget::viewportEvent(event);
    }
    touch->accept();
    if (touch->points().size() != 1 || event->type() == QEvent::TouchCancel) {
        touchedRow_ = QPersistentModelIndex();
        return true;
    }
    const QPointF at = touch->points().constFirst().position();
    if (event->type() == QEvent::TouchBegin) {
        touchedRow_ = indexAt(at.toPoint());
    } else if (event->type() == QEvent::TouchEnd) {
        const QPersistentModelIndex touched = std::exchange(touchedRow_, {});
        if (touched.isValid() && indexAt(at.toPoint()) == touched) {
            clickAt(at);
        }
    }
    return true;
}

void SeaListBox::clickAt(QPointF position)
{
    // The mouse's own press and release, so that a tap picks the row exactly
    // as a click does.
    const QPointF global = viewport()->mapToGlobal(position);
    QMouseEvent press(QEvent::MouseButtonPress, position, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    mousePressEvent(&press);
    QMouseEvent release(QEvent::MouseButtonRelease, position, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    mouseReleaseEvent(&release);
}

bool SeaListBox::selectsMarkedRow(const QKeyEvent *event) const
{
    // Before any row is selected the focus mark stands on the first row; the
    // first arrow press selects that row rather than skipping past it.
    const bool plainArrow =
        (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up) &&
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ==
            Qt::NoModifier;
    return plainArrow && currentIndex().isValid() && !selectionModel()->hasSelection();
}

void SeaListBox::keyPressEvent(QKeyEvent *event)
{
    if (selectsMarkedRow(event)) {
        selectionModel()->setCurrentIndex(currentIndex(), QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void SeaListBox::mousePressEvent(QMouseEvent *event)
{
    // Only the left button picks a sea.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QModelIndex before = currentIndex();
    const bool wasSelected = before.isValid() && selectionModel()->isSelected(before);
    QListWidget::mousePressEvent(event);
    if (wasSelected && indexAt(event->position().toPoint()) == before && onSelectedRowClicked) {
        onSelectedRowClicked();
    }
}

void SeaListBox::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (leavesOutMarkNotice) {
        // QListView's own version only tells assistive technology of the new mark.
        // NOLINTNEXTLINE(bugprone-parent-virtual-call)
        QAbstractItemView::currentChanged(current, previous);
        return;
    }
    QListWidget::currentChanged(current, previous);
}

void SeaListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
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
