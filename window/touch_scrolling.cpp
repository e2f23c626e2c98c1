// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/touch_scrolling.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QScrollEvent>
#include <QScrollPrepareEvent>
#include <QScroller>

#include <algorithm>
#include <cmath>
#include <utility>

namespace pelagor {

namespace {

// Tells the scroller where the content stands in pixels, and turns the
// pixels it scrolls to back into steps of the scroll bar.
class StepsAsPixels : public QObject {
public:
    StepsAsPixels(QAbstractScrollArea *area, std::function<int()> pixelsPerStep, TouchTaps taps)
        : QObject(area), area_(area), pixelsPerStep_(std::move(pixelsPerStep)), taps_(taps)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        QScrollBar *bar = area_->verticalScrollBar();
        if (event->type() == QEvent::ScrollPrepare) {
            step_ = std::max(pixelsPerStep_(), 1);
            auto *prepare = static_cast<QScrollPrepareEvent *>(event);
            prepare->setViewportSize(area_->viewport()->size());
            prepare->setContentPosRange(QRectF(0, 0, 0, bar->maximum() * step_));
            prepare->setContentPos(QPointF(0, bar->value() * step_));
            prepare->accept();
            return true;
        }
        if (event->type() == QEvent::Scroll) {
            const auto *scroll = static_cast<QScrollEvent *>(event);
            bar->setValue(static_cast<int>(std::lround(scroll->contentPos().y() / step_)));
            return true;
        }
        const bool touch =
            event->type() == QEvent::TouchBegin || event->type() == QEvent::TouchUpdate ||
            event->type() == QEvent::TouchEnd || event->type() == QEvent::TouchCancel;
        if (touch && taps_ == TouchTaps::Ignored) {
            // Taken, so that Qt makes no mouse press and drag of it.
            event->accept();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractScrollArea *area_;
    std::function<int()> pixelsPerStep_;
    TouchTaps taps_;
    int step_ = 1;
};

} // namespace

void scrollByTouch(QAbstractScrollArea *area, std::function<int()> pixelsPerStep, TouchTaps taps)
{
    area->viewport()->installEventFilter(new StepsAsPixels(area, std::move(pixelsPerStep), taps));
    QScroller::grabGesture(area->viewport(), QScroller::TouchGesture);
}

} // namespace pelagor
