// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/practice_controls.h"

#include <QPainter>
#include <QPushButton>

namespace pelagor {

namespace {

// The question's letters are this much larger than the window's.
constexpr double kLargeScale = 1.25;

} // namespace

FocusText::FocusText(QWidget *parent) : QLabel(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setMargin(3);
}

void FocusText::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    // Drawn whatever moved the focus here, unlike a style's focus frame,
    // which waits for a key.
    if (hasFocus()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
    }
}

QLabel *wrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel *madeLarge(QLabel *label)
{
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * kLargeScale);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QPushButton *practiceButton(const QString &text, QWidget *parent)
{
    auto *made = new QPushButton(text, parent);
    made->setAutoDefault(true);
    made->setMinimumHeight(32);
    return made;
}

} // namespace pelagor
