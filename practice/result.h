// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The teacher's copy of a finished round: the pupil's name as it may be
// given, what the sheet says, and the name of its file in a folder that a
// whole class writes into.
#pragma once

#include "practice/round.h"

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace pelagor::practice {

inline constexpr qsizetype kMaxPupilName = 60;

// How a class hands its results in, as the command line sets it.
struct HandIn {
    // The pupil's name and class, cleaned; empty when not given.
    QString pupil;
    // Where every finished round is written by itself: a file the last one
    // replaces, or a folder each goes into under a name of its own; none
    // when results are saved by hand only.
    std::optional<QString> result;
    bool resultIsFolder = false;
};

// A pupil's name and class as typed or given: control characters and runs
// of blanks become one blank, none at either end, cut to kMaxPupilName
// characters (never between the two halves of one).
[[nodiscard]] QString cleanPupilName(QStringView text);

// What the result of a round says, line by line.
struct ResultSheet {
    // "Резултат от упражнение"
    QString title;
    // The pupil, the date and time, the variant, the setting.
    QStringList about;
    // "7 от 10 верни"
    QString score;
    struct Row {
        // "3. Покажи море Сулу на картата."
        QString question;
        // "✗ Море Сулавеси — вярно: море Сулу"
        QString answer;
        bool right = false;
    };
    std::vector<Row> rows;
};
[[nodiscard]] ResultSheet resultSheet(const Round &round, const QString &pupil,
                                      const QDateTime &when);

// The name of a result's file in a shared folder, after the pupil, the
// variant and the time: "Иван Петров 7-а — вариант 42 — 2026-12-09
// 10.15.pdf". The characters Windows or Linux forbid in a file name become
// "-"; a `number` above 1 tells it from others of the same name: " (2)".
[[nodiscard]] QString resultFileName(const QString &pupil, int variant, const QDateTime &when,
                                     int number = 1);

} // namespace pelagor::practice
