// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A whole run of the program, scripted: starts the application with the
// window, does one thing a user would do, and exits with the status the
// program gives.
//   window_session close     the user closes the window
//   window_session bad-row   the catalogue gives the Black Sea ocean number 7,
//                            and the user clicks the Black Sea; the text of the
//                            message box that appears is printed, then accepted
#include "window_driver.h"

#include "catalogue/catalogue.h"

#include <QApplication>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>

#include <vector>

int main(int argc, char *argv[])
{
    const QApplication app(argc, argv);
    const QString mode = QApplication::arguments().value(1);

    std::vector<pelagor::catalogue::SeaRow> seas(std::begin(pelagor::catalogue::kSeas),
                                                 std::end(pelagor::catalogue::kSeas));
    if (mode == QStringLiteral("bad-row")) {
        seas.at(77).oceanNumber = u"7";
    } else if (mode != QStringLiteral("close")) {
        QTextStream(stderr) << "usage: window_session close|bad-row\n";
        return 2;
    }
    pelagor::Pelagor window(seas);
    window.show();

    // Answers the message box as soon as it is up.
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            QTextStream(stdout) << box->text() << Qt::endl;
            box->accept();
        }
    });
    watcher.start(10);

    QMetaObject::invokeMethod(
        &window,
        [&window, &mode] {
            if (mode == QStringLiteral("close")) {
                window.close();
            } else {
                pelagor::test::clickSea(window, 77);
            }
        },
        Qt::QueuedConnection);
    return QApplication::exec();
}
