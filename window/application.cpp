// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/application.h"

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QTranslator>

#include <cstdlib>

namespace pelagor {

QFont programFont()
{
    return {QStringLiteral("Times New Roman"), 12, QFont::Normal, false};
}

void prepareApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("pelagor"));
    QApplication::setApplicationVersion(QStringLiteral(PELAGOR_VERSION));
    QApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    // The program's one font, for whatever it shows: loading the desktop's
    // default font as well would only cost time.
    QApplication::setFont(programFont());

    // Qt's Bulgarian texts travel inside the program, so they are there even
    // where the system's Qt translations are not installed.
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral(":/i18n/qtbase_bg.qm"))) {
        QApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

StartOptions readCommandLine(const QApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Пелагор: океани и морета, урок по география на български език."));
    // The help option in the program's own words: Qt's Bulgarian texts lack
    // those of its own help options.
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Показва тази помощ."));
    parser.addOption(help);
    parser.addVersionOption();
    const QCommandLineOption map(QStringLiteral("map"),
                                 QStringLiteral("Отваря и картата на моретата (F2 в прозореца)."));
    parser.addOption(map);
    parser.process(app);
    if (parser.isSet(help)) {
        parser.showHelp(EXIT_SUCCESS);
    }
    return {.map = parser.isSet(map)};
}

} // namespace pelagor
