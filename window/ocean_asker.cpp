// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/ocean_asker.h"

#include "practice/wording.h"
#include "window/practice_controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace pelagor {

OceanAsker::OceanAsker(QWidget *parent) : Asker(parent), buttons_(new QWidget(parent))
{
    auto *layout = new QVBoxLayout(buttons_);
    layout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t ocean = 0; ocean < answers_.size(); ++ocean) {
        const QString name = practice::oceanName(static_cast<int>(ocean));
        auto *answer = practiceButton(QStringLiteral("&%1  %2").arg(ocean + 1).arg(name), buttons_);
        answer->setObjectName(QStringLiteral("PracticeOcean%1").arg(ocean));
        answer->setAccessibleName(name);
        answer->setToolTip(QStringLiteral("Клавиш %1").arg(ocean + 1));
        connect(answer, &QPushButton::clicked, this, [this, ocean] {
            if (onAnswer) {
                onAnswer(static_cast<int>(ocean));
            }
        });
        answer->installEventFilter(this);
        answers_.at(ocean) = answer;
        layout->addWidget(answer);
    }
}

QString OceanAsker::open(const practice::Question & /*question*/)
{
    for (QPushButton *answer : answers_) {
        answer->setEnabled(true);
    }
    return QStringLiteral("Натисни клавиш от 1 до 5 или стигни до отговора със стрелките.");
}

bool OceanAsker::key(const QKeyEvent &key, QWidget *focus)
{
    if ((key.modifiers() & ~Qt::KeypadModifier) != 0) {
        return false;
    }
    const int pressed = key.key();
    if (pressed >= Qt::Key_1 && pressed <= Qt::Key_5) {
        if (onAnswer) {
            onAnswer(pressed - Qt::Key_1);
        }
        return true;
    }
    // The arrows move among the answers (from the question, to the first or
    // the last), and answer nothing.
    const bool back = pressed == Qt::Key_Up || pressed == Qt::Key_Left;
    if (!back && pressed != Qt::Key_Down && pressed != Qt::Key_Right) {
        return false;
    }
    auto *const at = std::ranges::find(answers_, focus);
    const int last = static_cast<int>(answers_.size()) - 1;
    int to = back ? last : 0;
    if (at != answers_.end()) {
        to = std::clamp(static_cast<int>(at - answers_.begin()) + (back ? -1 : 1), 0, last);
    }
    answers_.at(static_cast<std::size_t>(to))
        ->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    return true;
}

bool OceanAsker::handFeedback(const practice::Question & /*asked*/, bool /*right*/,
                              const QString & /*feedback*/, const QString & /*aside*/)
{
    return false;
}

void OceanAsker::close()
{
    for (QPushButton *answer : answers_) {
        answer->setEnabled(false);
    }
}

bool OceanAsker::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) &&
        pressMeantElsewhere && pressMeantElsewhere()) {
        return true;
    }
    // The arrows, which a button would take to move the focus on by itself.
    const auto *pressed = type == QEvent::KeyPress ? dynamic_cast<QKeyEvent *>(event) : nullptr;
    if (pressed != nullptr && (pressed->key() < Qt::Key_1 || pressed->key() > Qt::Key_5) &&
        key(*pressed, qobject_cast<QWidget *>(watched))) {
        return true;
    }
    return Asker::eventFilter(watched, event);
}

} // namespace pelagor
