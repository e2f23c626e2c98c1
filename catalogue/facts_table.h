// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The seas as a table for a spreadsheet: one row a sea, in list order, as a
// Bulgarian Excel or LibreOffice Calc opens it (semicolons, the decimal
// comma, UTF-8 with a byte-order mark, lines ended CR LF, RFC 4180 quotes).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace pelagor::catalogue {

// The header row's cells.
[[nodiscard]] QStringList seaTableHeader();
// The cells of a sea's row: plain numbers, empty where there are no data.
[[nodiscard]] QStringList seaTableRow(int row);
// The whole table as the file holds it.
[[nodiscard]] QByteArray seaTable();
// A cell as RFC 4180 writes it: quoted where it holds a semicolon, a quote
// or a line break, its quotes doubled.
[[nodiscard]] QString csvCell(const QString &cell);

} // namespace pelagor::catalogue
