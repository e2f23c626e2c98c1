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
        // Only these events touch the area: the viewport also hears of its
        // children going while the area is being taken down.
        switch (event->type()) {
        case QEvent::ScrollPrepare:
            if (auto *prepare = dynamic_cast<QScrollPrepareEvent *>(event)) {
                const QScrollBar *bar = area_->verticalScrollBar();
                step_ = std::max(pixelsPerStep_(), 1);
                prepare->setViewportSize(area_->viewport()->size());
                prepare->setContentPosRange(QRectF(0, 0, 0, bar->maximum() * step_));
                prepare->setContentPos(QPointF(0, bar->value() * step_));
                prepare->accept();
                return true;
            }
            break;
        case QEvent::Scroll:
            if (const auto *scroll = dynamic_cast<const QScrollEvent *>(event)) {
                area_->verticalScrollBar()->setValue(
                    static_cast<int>(std::lround(scroll->contentPos().y() / step_)));
                return true;
            }
            break;
        default:
            if (isTouch(event->type()) && taps_ == TouchTaps::Ignored) {
                // Taken, so that Qt makes no mouse press and drag of it.
                event->accept();
                return true;
            }
            break;
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
