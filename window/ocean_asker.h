// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// "Към кой океан принадлежи …?": five buttons with the oceans, in the form's
// order. The keys 1 to 5, a click and a tap answer at once; the arrows only
// move to a button, where Enter or Space answer.
#pragma once

#include "catalogue/checks.h"
#include "window/practice_asker.h"

#include <array>

class QPushButton;

namespace pelagor {

class OceanAsker : public Asker {
public:
    explicit OceanAsker(QWidget *parent);

    [[nodiscard]] QWidget *answers() const override { return buttons_; }
    QString open(const practice::Question &question) override;
    bool key(const QKeyEvent &key, QWidget *focus) override;
    bool handFeedback(const practice::Question &asked, bool right, const QString &feedback,
                      const QString &aside) override;
    void close() override;

    // Whether a press now was meant for something else: the second click of
    // a double click on what opened the question.
    std::function<bool()> pressMeantElsewhere;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buttons_ = nullptr;
    std::array<QPushButton *, catalogue::kOceanCount> answers_{};
};

} // namespace pelagor
