// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/names_layer.h"

#include "map/focus_layer.h"
#include "map/map_words.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <memory>
#include <ranges>

namespace pelagor {

namespace {

// The map's own colours, the same under every desktop scheme: the seas'
// names dark blue on a pale edge (8:1 against the water), the oceans'
// lighter (5:1), and the names that stand out black on white plates.
const QColor kSeaName{16, 52, 110};
const QColor kOceanName{30, 85, 150};
const QColor kHalo{255, 255, 255, 150};
const QColor kPlate{255, 255, 255};
const QColor kPlateEdge{64, 64, 64};
const QColor kPlateText{0, 0, 0};
constexpr double kPlatePadding = 4;
// The oceans' letters: this much larger than the map's, and spaced.
constexpr double kOceanSize = 1.4;
constexpr double kOceanSpacing = 115;

// The oceans' letters; spaced on the screen, not on a page, where a PDF
// reader would take the spaces between them for spaces between words.
QFont oceanFont(const QFont &font, bool spaced)
{
    QFont ocean = font;
    if (font.pointSizeF() > 0) {
        ocean.setPointSizeF(font.pointSizeF() * kOceanSize);
    } else {
        ocean.setPixelSize(static_cast<int>(font.pixelSize() * kOceanSize));
    }
    if (spaced) {
        ocean.setLetterSpacing(QFont::PercentageSpacing, kOceanSpacing);
    }
    return ocean;
}

// An ocean's name as the map writes it, in capitals.
QString oceanLetters(const QString &name)
{
    return name.toUpper();
}

} // namespace

// The letters of the names in one font, each name shaped once: measured
// from that shaping, and drawn from it onto the screen's pictures.
class NameLetters {
public:
    NameLetters(const QFont &font, bool capitals) : font_(font), capitals_(capitals) {}

    struct Shaped {
        QSizeF size;
        QList<QGlyphRun> runs;
    };

    const Shaped &of(const QString &text)
    {
        const auto known = shaped_.constFind(text);
        if (known != shaped_.constEnd()) {
            return *known;
        }
        QTextLayout layout(capitals_ ? oceanLetters(text) : text, font_);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLeadingIncluded(false);
        layout.endLayout();
        Shaped shaped;
        // A pixel to spare each side, so that no letter is cut.
        shaped.size =
            QSizeF(line.isValid() ? line.naturalTextWidth() + 2 : 0, QFontMetricsF(font_).height());
        shaped.runs = layout.glyphRuns();
        return *shaped_.insert(text, shaped);
    }

    [[nodiscard]] const QFont &font() const { return font_; }

private:
    QFont font_;
    bool capitals_;
    QHash<QString, Shaped> shaped_;
};

namespace {

TextMeasure measureWith(const std::shared_ptr<NameLetters> &letters)
{
    return [letters](const QString &text) { return letters->of(text).size; };
}

TextMeasure measureWith(const QFontMetricsF &metrics, bool capitals)
{
    return [metrics, capitals](const QString &text) {
        const QString drawn = capitals ? oceanLetters(text) : text;
        // A pixel to spare each side, so that no letter is cut.
        return QSizeF(metrics.horizontalAdvance(drawn) + 2, metrics.height());
    };
}

// The rectangle put inside the bounds, moved as little as can be.
QRectF keptInside(QRectF place, const QRectF &bounds)
{
    place.moveLeft(std::max(bounds.left(), std::min(place.left(), bounds.right() - place.width())));
    place.moveTop(std::max(bounds.top(), std::min(place.top(), bounds.bottom() - place.height())));
    return place;
}

void drawPlate(QPainter &painter, const QRectF &plate, const QString &text)
{
    painter.setPen(QPen(kPlateEdge, 1));
    painter.setBrush(kPlate);
    painter.drawRect(plate.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.setPen(kPlateText);
    painter.drawText(plate, Qt::AlignCenter, text);
}

} // namespace

void NamesLayer::place(const LayerPainting &painting)
{
    const MapScene &scene = painting.scene;
    // While the view moves, the names of its rest move with the picture.
    if (scene.isMoving()) {
        return;
    }
    const Viewport &view = scene.view();
    const PlaceKey placeKey{view, !scene.namesHidden() && scene.atlas() && !scene.numbered(),
                            !scene.oceanNamesHidden()};
    if (!placeKey.seas && !placeKey.oceans) {
        // Nothing to name: nothing planned or placed.
        if (placeKey_ != placeKey) {
            placeKey_ = placeKey;
            placed_.clear();
            markRows_.clear();
        }
        return;
    }
    PlanKey planKey{view.projection(), view.scale(),  scene.pickedMark(), scene.ocean(),
                    scene.marked(),    painting.font, scene.numbered()};
    if (planKey_ != planKey) {
        NamingStyle style;
        if (planKey.numbered) {
            // Every mark a numbered disc, as large as a group's.
            style.markRadius = style.groupRadius;
        }
        if (painting.onPage) {
            // Measured on the page's own device, where they are written as text.
            const QPaintDevice *device = painting.painter.device();
            const QFont ocean = oceanFont(painting.font, false);
            style.seaText = measureWith(QFontMetricsF(painting.font, device), false);
            style.oceanText = measureWith(QFontMetricsF(ocean, device), true);
        } else {
            if (!seaLetters_ || seaLetters_->font() != painting.font) {
                seaLetters_ = std::make_shared<NameLetters>(painting.font, false);
                oceanLetters_ = std::make_shared<NameLetters>(oceanFont(painting.font, true), true);
            }
            style.seaText = measureWith(seaLetters_);
            style.oceanText = measureWith(oceanLetters_);
        }
        plan_ = NamePlan(view.projection(), view.scale(), scene.layout(), planKey.sea,
                         planKey.ocean, style);
        planKey_ = std::move(planKey);
        placeKey_.reset();
    }
    if (placeKey_ == placeKey) {
        return;
    }
    placeKey_ = placeKey;
    ++stamp_;
    placed_.clear();
    markRows_.clear();
    const std::span<const Target> layout = scene.layout();
    for (PlacedName &name : placeNames(plan_, view, {})) {
        if (name.ocean >= 0 ? !placeKey.oceans : !placeKey.seas) {
            continue;
        }
        const auto target = static_cast<std::size_t>(name.target);
        markRows_.push_back(name.target >= 0 && target < layout.size() ? layout[target].rows.front()
                                                                       : -1);
        placed_.push_back(std::move(name));
    }
}

PictureOverlay NamesLayer::overlay(const LayerPainting &painting)
{
    if (painting.onPage) {
        return {};
    }
    if (!planKey_ && painting.paintAgain && !firstDeferred_) {
        // The map's first frame comes at once, its names in the next: the
        // letters are shaped and the plan made after it is on the screen.
        firstDeferred_ = true;
        painting.paintAgain();
        return {};
    }
    place(painting);
    if (placed_.empty()) {
        return {};
    }
    return {stamp_, [this](QPainter &painter) { drawShaped(painter); }};
}

void NamesLayer::drawShaped(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Each name has a pale edge that keeps it clear of the coast and the
    // graticule under it.
    constexpr std::array<QPointF, 4> kEdge{QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1),
                                           QPointF(0, 1)};
    for (const PlacedName &name : placed_) {
        NameLetters &letters = name.ocean >= 0 ? *oceanLetters_ : *seaLetters_;
        const NameLetters::Shaped &shaped = letters.of(name.text);
        const QPointF at = name.box.center() -
                           QPointF(shaped.size.width(), shaped.size.height()) / 2 + QPointF(1, 0);
        painter.setPen(kHalo);
        for (const QPointF edge : kEdge) {
            for (const QGlyphRun &run : shaped.runs) {
                painter.drawGlyphRun(at + edge, run);
            }
        }
        painter.setPen(name.ocean >= 0 ? kOceanName : kSeaName);
        for (const QGlyphRun &run : shaped.runs) {
            painter.drawGlyphRun(at, run);
        }
    }
}

void NamesLayer::drawText(QPainter &painter, const QFont &font,
                          const std::vector<int> &platedRows) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const auto drawAll = [&](bool oceans, const QFont &letters, const QColor &colour) {
        painter.setFont(letters);
        painter.setPen(colour);
        for (std::size_t i = 0; i < placed_.size(); ++i) {
            const PlacedName &name = placed_[i];
            if ((name.ocean >= 0) != oceans ||
                (!oceans && std::ranges::find(platedRows, markRows_[i]) != platedRows.end())) {
                continue;
            }
            painter.drawText(name.box, Qt::AlignCenter,
                             oceans ? oceanLetters(name.text) : name.text);
        }
    };
    drawAll(true, oceanFont(font, false), kOceanName);
    drawAll(false, font, kSeaName);
}

void NamesLayer::draw(const LayerPainting &painting)
{
    if (painting.onPage) {
        // The names that stand out are written on their plates alone.
        place(painting);
        std::vector<int> plated;
        for (const std::size_t index : painting.scene.labelledTargets()) {
            plated.push_back(painting.scene.targets()[index].rows.front());
        }
        drawText(painting.painter, painting.font, plated);
    }
    drawPlates(painting);
}

void NamesLayer::drawPlates(const LayerPainting &painting) const
{
    const MapScene &scene = painting.scene;
    QPainter &painter = painting.painter;
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(QPointF(0, 0), scene.size());
    const QFontMetricsF metrics(painting.font, painter.device());
    painter.setFont(painting.font);
    std::vector<QRectF> plates;
    for (const std::size_t index : scene.labelledTargets()) {
        const Target &target = scene.targets()[index];
        const auto named = std::ranges::find(markRows_, target.rows.front());
        if (named != markRows_.end()) {
            // Its name as the atlas placed it, which moves with the picture
            // while the view does.
            if (scene.isMoving()) {
                continue;
            }
            const PlacedName &name =
                placed_[static_cast<std::size_t>(std::distance(markRows_.begin(), named))];
            const QRectF plate = keptInside(name.box.adjusted(-2, -1, 2, 1), area);
            plates.push_back(plate);
            drawPlate(painter, plate, name.text);
            continue;
        }
        const QPointF centre = scene.targetCentre(target);
        const QString name = plateText(target);
        const QSizeF size(metrics.horizontalAdvance(name) + 2 * kPlatePadding,
                          metrics.height() + 2);
        const double gap = kFocusRadius + 2;
        const std::array<QRectF, 4> sides{
            QRectF(QPointF(centre.x() + gap, centre.y() - size.height() / 2), size),
            QRectF(QPointF(centre.x() - gap - size.width(), centre.y() - size.height() / 2), size),
            QRectF(QPointF(centre.x() - size.width() / 2, centre.y() - gap - size.height()), size),
            QRectF(QPointF(centre.x() - size.width() / 2, centre.y() + gap), size),
        };
        const auto clear = [&plates](const QRectF &place) {
            return std::ranges::none_of(
                plates, [&place](const QRectF &plate) { return plate.intersects(place); });
        };
        QRectF chosen = keptInside(sides[0], area);
        for (const QRectF &side : sides) {
            if (keptInside(side, area) == side && clear(side)) {
                chosen = side;
                break;
            }
        }
        plates.push_back(chosen);
        drawPlate(painter, chosen, name);
    }
}

} // namespace pelagor
