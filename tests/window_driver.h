// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Finds the window's controls by their names and drives them with real mouse
// and key events at the places a user would press.
#pragma once

#include "window/pelagor.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

namespace pelagor::test {

template <typename Control> Control *control(const QWidget &window, const QString &name)
{
    auto *found = window.findChild<Control *>(name);
    if (found == nullptr) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}

inline QRadioButton *option(const Pelagor &window, int n)
{
    return control<QRadioButton>(window, QStringLiteral("Option1(%1)").arg(n));
}
inline QListWidget *seaList(const Pelagor &window)
{
    return control<QListWidget>(window, QStringLiteral("List1(0)"));
}
inline QListWidget *oceanNumberList(const Pelagor &window)
{
    return control<QListWidget>(window, QStringLiteral("List1(1)"));
}
inline QPlainTextEdit *outputBox(const Pelagor &window)
{
    return control<QPlainTextEdit>(window, QStringLiteral("Text1(0)"));
}

// A click on the round indicator of option n, inside its hit area.
inline void clickOption(const Pelagor &window, int n)
{
    QRadioButton *button = option(window, n);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// A click on the middle of a sea row, scrolled into view first.
inline void clickSea(const Pelagor &window, int row)
{
    QListWidget *list = seaList(window);
    QListWidgetItem *item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

} // namespace pelagor::test
