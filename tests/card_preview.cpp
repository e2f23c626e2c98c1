// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The card of a sea or an ocean alone in a window "Сведения", to look at
// (scripts/screenshot.sh, "card" pictures):
//   card_preview NAME [WIDTH HEIGHT]
// (by default as wide as the card would be, 640 high)
// NAME as a user types it: "Черно море", "Тихи"; no name, the empty card.
#include "catalogue/lookup.h"
#include "window/application.h"
#include "window/sea_card.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    const QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    pelagor::SeaCardView card;
    // In the program's one font, as the map window shows it.
    card.setFont(pelagor::programFont());
    card.setWindowTitle(QStringLiteral("Сведения"));
    const QString name = arguments.value(1);
    if (const auto row = pelagor::catalogue::seaNamed(name)) {
        card.showSea(*row);
    } else if (const auto ocean = pelagor::catalogue::oceanNamed(name)) {
        card.showOcean(*ocean);
    } else if (!name.isEmpty()) {
        QTextStream(stderr) << "card_preview: no sea or ocean " << name << '\n';
        return 2;
    }
    QObject::connect(&card, &pelagor::SeaCardView::seaPicked, &card,
                     [&card](int row) { card.showSea(row); });
    QObject::connect(&card, &pelagor::SeaCardView::oceanPicked, &card,
                     [&card](int ocean) { card.showOcean(ocean); });
    card.resize(arguments.value(2).toInt() > 0 ? arguments.value(2).toInt()
                                               : card.sizeHint().width(),
                arguments.value(3).toInt() > 0 ? arguments.value(3).toInt() : 640);
    card.show();
    return QApplication::exec();
}
