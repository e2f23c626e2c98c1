// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// An ocean's option button: the whole coloured area answers a click, and the
// arrow keys move round the group, selecting as they go.
#pragma once

#include <QRadioButton>

namespace pelagor {

class OptionButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    [[nodiscard]] bool hitButton(const QPoint &pos) const override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace pelagor
