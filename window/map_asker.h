// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// "Покажи … на картата.": the map beside the questions answers, by a click
// or a tap on a sea's point, or by Tab into the map and Enter; under the
// question, how. Once answered, the keyboard and a screen reader's focus go
// to the right sea's point, which says the answer and where the sea lies.
#pragma once

#include "window/practice_asker.h"

class QLabel;

namespace pelagor {

class SeaMap;

class MapAsker : public Asker {
public:
    MapAsker(QWidget *parent, SeaMap *map);

    [[nodiscard]] QWidget *answers() const override;
    QString open(const practice::Question &question) override;
    bool key(const QKeyEvent &key, QWidget *focus) override;
    bool handFeedback(const practice::Question &asked, bool right, const QString &feedback,
                      const QString &aside) override;

private:
    SeaMap *map_;
    QLabel *hint_;
    // Whether the last answer came from the keyboard.
    bool byKeyboard_ = false;
};

} // namespace pelagor
