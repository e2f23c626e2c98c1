// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the program sets up before it builds its window.
#pragma once

#include <QFont>

class QApplication;

namespace pelagor {

// The name a desktop knows the program by, in its desktop entry, AppStream
// data and icon files.
inline constexpr char kApplicationId[] = "example.pelagor.Pelagor";

// Times New Roman, 12 points, normal weight: where it is not installed,
// fontconfig gives the metric-compatible Liberation Serif, which has Cyrillic.
QFont programFont();

// Names the application after its desktop entry and puts Qt's own texts
// (context menus, standard buttons) into Bulgarian, the program's language.
void prepareApplication(QApplication &app);

} // namespace pelagor
