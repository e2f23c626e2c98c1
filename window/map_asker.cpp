// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/map_asker.h"

#include "map/sea_map.h"
#include "practice/wording.h"
#include "window/practice_controls.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <algorithm>

namespace pelagor {

MapAsker::MapAsker(QWidget *parent, SeaMap *map)
    : Asker(parent), map_(map), hint_(wrappedLabel(practice::mapHintText(), parent))
{
    hint_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    map_->onSeaPicked = [this](int row, bool byKeyboard) {
        byKeyboard_ = byKeyboard;
        if (onAnswer) {
            onAnswer(row);
        }
    };
}

QWidget *MapAsker::answers() const
{
    return hint_;
}

QString MapAsker::open(const practice::Question & /*question*/)
{
    return hint_->text();
}

bool MapAsker::key(const QKeyEvent &key, QWidget *focus)
{
    // Tab from the question goes into the map, to its first point (with
    // Shift, its last), as a second Tab there would.
    const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
    if (!tab || focus == map_) {
        return false;
    }
    map_->setFocus(key.key() == Qt::Key_Tab ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    QKeyEvent moved(QEvent::KeyPress, key.key(), key.modifiers());
    QCoreApplication::sendEvent(map_, &moved);
    return true;
}

bool MapAsker::handFeedback(const practice::Question &asked, bool right, const QString &feedback,
                            const QString &aside)
{
    const std::vector<Target> &shown = map_->targets();
    const auto mark = std::ranges::find_if(shown, [&asked](const Target &target) {
        return !target.isGroup() && target.rows.front() == asked.sea;
    });
    if (mark == shown.end()) {
        return false;
    }
    map_->setMarkNote(feedback + (right ? QString() : QStringLiteral(" Тук е:")), aside);
    map_->setFocus(byKeyboard_ ? Qt::TabFocusReason : Qt::MouseFocusReason);
    map_->focusTarget(static_cast<std::size_t>(mark - shown.begin()));
    return true;
}

} // namespace pelagor
