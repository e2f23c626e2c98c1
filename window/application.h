// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the program sets up before it builds its window, and its command line.
#pragma once

#include "practice/result.h"
#include "practice/round.h"

#include <QFont>
#include <QSize>
#include <QString>

#include <optional>

class QApplication;

namespace pelagor {

// The name a desktop knows the program by, in its desktop entry, AppStream
// data and icon files.
inline constexpr char kApplicationId[] = "example.pelagor.Pelagor";

// The exit status after a mistake on the command line.
inline constexpr int kUsageError = 2;

// Times New Roman, 12 points, normal weight: where it is not installed,
// fontconfig gives the metric-compatible Liberation Serif, which has Cyrillic.
QFont programFont();

// On Windows, where the program has no console of its own, joins the console
// it was started from, if any, so that its messages reach it. Elsewhere it
// does nothing.
void attachParentConsole();

// Writes a message for the user to standard output or standard error: on a
// Windows console in its own characters, else as UTF-8.
enum class Stream { Output, Error };
void writeMessage(Stream stream, const QString &text);

// Whether the command line asks for more than the window: help, the version,
// a map written to a file, or something the program does not know or cannot
// take. Read before Qt is started, so that such a run starts without a
// display; Qt's own options, --map, and --practice with good values ask for
// the window.
[[nodiscard]] bool answersWithoutWindow(int argc, const char *const *argv);

// Names the application after its desktop entry and puts Qt's own texts
// (context menus, standard buttons) into Bulgarian, the program's language.
void prepareApplication(QApplication &app);

// The map written to a file instead of shown (--export-map).
struct MapExport {
    QString file;
    // The sea row or the ocean picked, or neither: the whole world.
    std::optional<int> sea;
    std::optional<int> ocean;
    QSize size{1200, 600};
    // A numbered blank map with its key, not the atlas page.
    bool numbers = false;
};

// A practice round started from the command line (--practice).
struct PracticeStart {
    practice::Setting setting;
    // The variant given, or none for one drawn afresh (practice::freshVariant).
    std::optional<int> variant;
    // The pupil's name (--pupil) and where finished rounds are written (--result).
    practice::HandIn handIn;
};

// What the command line asks for beyond Qt's own options.
struct StartOptions {
    // Whether the map of the seas opens with the window.
    bool map = false;
    // Set for a practice round that starts at once, beside the form.
    std::optional<PracticeStart> practice;
    // Set for a map written to a file; no window is made.
    std::optional<MapExport> exportMap;
    // Set for the table of the seas written to this file (--export-table);
    // no window is made.
    std::optional<QString> exportTable;
    // Set when the program ends at once, its message written: 0 after --help
    // or --version, kUsageError after a mistake.
    std::optional<int> exitStatus;
};

// Reads the program's command line, after Qt has taken its own options out
// of it: --map; --practice with --questions, --kind, --ocean (repeated),
// --variant, --pupil and --result (a folder that can be written to, or a
// .pdf file in one); or --export-map with --sea, --ocean and --size; --help,
// --version and --export-table. A mistake (an unknown option, a missing or bad value, options
// that do not go together) is reported in Bulgarian, Qt's texts included.
[[nodiscard]] StartOptions readCommandLine(const QApplication &app);

// Writes the map to its file, as the map window would show it for that pick,
// without showing a window: 0 when written, kUsageError with a message when not.
int exportMap(const MapExport &request);

// Writes the table of the seas (catalogue/facts_table.h) to its file, whole
// or not at all: 0 when written, kUsageError with a message when not.
int exportTable(const QString &file);

} // namespace pelagor
