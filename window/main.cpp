// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/application.h"
#include "window/pelagor.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    pelagor::prepareApplication(app);
    const pelagor::StartOptions options = pelagor::readCommandLine(app);
    pelagor::Pelagor window;
    window.show();
    if (options.map) {
        window.showMap();
    }
    return QApplication::exec();
}
