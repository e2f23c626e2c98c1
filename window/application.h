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

// What the command line asks for beyond Qt's own options.
struct StartOptions {
    // Whether the map of the seas opens with the window.
    bool map = false;
};

// Reads the program's command line, after Qt has taken its own options out
// of it: --map; --help and --version answer and end the program, and so
// does an unknown option, with a message (in Bulgarian, Qt's texts
// included) and status 1.
StartOptions readCommandLine(const QApplication &app);

} // namespace pelagor
