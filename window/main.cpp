// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/application.h"
#include "window/pelagor.h"

#include <QApplication>

#include <optional>
#include <vector>

int main(int argc, char *argv[])
{
    pelagor::attachParentConsole();
    // Qt takes its own options out of the list it is given; a second start
    // needs them again.
    [[maybe_unused]] std::vector<char *> arguments(argv, argv + argc + 1);
    [[maybe_unused]] int count = argc;

    // Help, the version, a map written to a file and every mistake need no
    // display: they are answered on Qt's offscreen platform, which opens no
    // window. (Windows's own platform needs no display either, and its
    // static Qt carries no other.)
    [[maybe_unused]] const bool windowless = pelagor::answersWithoutWindow(argc, argv);
    [[maybe_unused]] const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
#ifndef Q_OS_WIN
    if (windowless) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    std::optional<QApplication> app(std::in_place, argc, argv);
    pelagor::prepareApplication(*app);
    const pelagor::StartOptions options = pelagor::readCommandLine(*app);
    if (options.exitStatus) {
        return *options.exitStatus;
    }
    if (options.exportMap) {
        return pelagor::exportMap(*options.exportMap);
    }
    if (options.exportTable) {
        return pelagor::exportTable(*options.exportTable);
    }
#ifndef Q_OS_WIN
    if (windowless) {
        // An option of Qt's that answersWithoutWindow() does not know: the
        // window after all, on the platform it would have had.
        app.reset();
        if (platform.isNull()) {
            qunsetenv("QT_QPA_PLATFORM");
        } else {
            qputenv("QT_QPA_PLATFORM", platform);
        }
        app.emplace(count, arguments.data());
        pelagor::prepareApplication(*app);
    }
#endif

    pelagor::Pelagor window;
    window.show();
    if (options.map) {
        window.showMap();
    }
    if (options.practice) {
        window.startPractice(options.practice->setting, options.practice->variant,
                             options.practice->handIn);
    }
    return QApplication::exec();
}
