// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The layer of the marks: a dot for each sea, a ring round the picked one, a
// disc with the count for a group, and for a mark drawn aside a line to a
// dot where its sea lies. On the screen each kind of mark is drawn once into
// a small picture at the screen's density and copied where it stands.
#pragma once

#include "map/map_layers.h"

#include <QFont>
#include <QHash>
#include <QPixmap>

namespace pelagor {

class MarksLayer : public MapLayer {
public:
    void draw(const LayerPainting &painting) override;

private:
    // The kinds of mark: a group's by the number of its seas, the others these.
    struct Kind {
        static constexpr int Mark = 0;
        static constexpr int Picked = -1;
        static constexpr int Point = -2;
    };
    void drawKind(const LayerPainting &painting, int kind, QPointF centre);
    [[nodiscard]] static QPixmap picture(int kind, double ratio, const QFont &font);
    static void drawShape(QPainter &painter, int kind, QPointF centre, const QFont &font);

    QHash<int, QPixmap> pictures_;
    double picturesRatio_ = 0;
    QFont picturesFont_;
};

} // namespace pelagor
