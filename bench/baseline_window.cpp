// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The baseline of the start-up and memory benchmark: a Qt window of Pelagor's
// size (482 x 421) and background colour that shows one label in Pelagor's
// font (Times New Roman, 12 pt) and nothing else. The colour is only there so
// that the measurer recognises the first frame of both programs by the same
// pixel.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    const QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(482, 421);
    window.setFont(QFont(QStringLiteral("Times New Roman"), 12, QFont::Normal, false));
    QPalette palette = window.palette();
    palette.setColor(window.backgroundRole(), QColor(192, 192, 255));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    QLabel label(QStringLiteral("География - океани и морета"), &window);
    label.setGeometry(112, 0, 257, 25);
    window.show();
    return QApplication::exec();
}
