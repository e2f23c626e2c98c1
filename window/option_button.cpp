// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/option_button.h"

#include <QButtonGroup>
#include <QKeyEvent>

namespace pelagor {

bool OptionButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void OptionButton::keyPressEvent(QKeyEvent *event)
{
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        step = 1;
        break;
    default:
        break;
    }
    const bool modified =
        (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0;
    const QList<QAbstractButton *> buttons =
        group() != nullptr ? group()->buttons() : QList<QAbstractButton *>{};
    if (step == 0 || modified || buttons.size() < 2) {
        QRadioButton::keyPressEvent(event);
        return;
    }
    // From the last option Down goes round to the first, and back again. The
    // option is selected before it takes the focus, so that a screen reader
    // meets it with its answer already there.
    const auto count = buttons.size();
    QAbstractButton *next = buttons.at((buttons.indexOf(this) + step + count) % count);
    next->click();
    next->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    event->accept();
}

} // namespace pelagor
