// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The result of a practice round on paper: an A4 page (or more) in PDF,
// readable in black and white, for the teacher to collect.
#pragma once

#include "practice/result.h"

#include <QFont>
#include <QString>

namespace pelagor {

// Writes the sheet to the PDF file `path`, whole or not at all: an empty
// string when written, else why not, in Bulgarian.
[[nodiscard]] QString writeResult(const practice::ResultSheet &sheet, const QString &path,
                                  const QFont &font);

// The path a result of that pupil, variant and time takes in `folder`: the
// first of its names (" (2)", " (3)", …) no file has yet.
[[nodiscard]] QString freeResultPath(const QString &folder, const QString &pupil, int variant,
                                     const QDateTime &when);

} // namespace pelagor
