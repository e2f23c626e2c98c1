// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The map's plain logic, as data: its projections, its view, the views it
// frames, the layout of its targets and the names beside them, its scene
// and the input that moves it, and the area its pictures show.

#include "catalogue/catalogue.h"
#include "catalogue/sea_points.h"
#include "map/framing.h"
#include "map/land_picture.h"
#include "map/map_export.h"
#include "map/map_input.h"
#include "map/map_scene.h"
#include "map/name_placement.h"
#include "map/targets.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QTest>

#include <cmath>
#include <limits>
#include <map>

using pelagor::framedView;
using pelagor::GeoPoint;
using pelagor::MapPick;
using pelagor::NamePlan;
using pelagor::PlacedName;
using pelagor::Projection;
using pelagor::Target;
using pelagor::Viewport;

Q_DECLARE_METATYPE(Projection)

namespace {

// The map window's first size, below its caption line.
const QSizeF kFirstSize(740, 385);

double apart(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

// The closest two targets of a view, in logical pixels.
double closestTargets(const Viewport &view, const std::vector<Target> &targets)
{
    double closest = 1e9;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        for (std::size_t j = i + 1; j < targets.size(); ++j) {
            closest = std::min(closest, apart(view.toView(view.nearestCopy(targets[i].plane)),
                                              view.toView(view.nearestCopy(targets[j].plane))));
        }
    }
    return closest;
}

// A font of fixed letters: 7 px a letter for a sea, 11 for an ocean.
pelagor::NamingStyle fixedLetters()
{
    pelagor::NamingStyle style;
    style.seaText = [](const QString &text) {
        return QSizeF(7.0 * static_cast<double>(text.size()) + 4, 16);
    };
    style.oceanText = [](const QString &text) {
        return QSizeF(11.0 * static_cast<double>(text.size()), 20);
    };
    return style;
}

// The names the map gives a view, its marks laid out as the map lays them.
struct Named {
    Viewport view;
    std::vector<Target> layout;
    std::vector<PlacedName> names;

    [[nodiscard]] QPointF at(QPointF plane) const { return view.toView(view.nearestCopy(plane)); }
    // The seas named, by the rows of their marks.
    [[nodiscard]] std::map<std::vector<int>, std::vector<int>> marks() const
    {
        std::map<std::vector<int>, std::vector<int>> named;
        for (const PlacedName &name : names) {
            if (name.target >= 0) {
                named[layout[static_cast<std::size_t>(name.target)].rows] = name.rows;
            }
        }
        return named;
    }
    // Whether the mark of these rows shows, and whether a name of this size
    // beside it might run over the view's edge or an obstacle.
    [[nodiscard]] bool shows(const std::vector<int> &rows, QSizeF near = {},
                             std::span<const QRectF> obstacles = {}) const
    {
        const QPointF reach = QPointF(near.width(), near.height()) + QPointF(18, 18);
        const QRectF room = QRectF(QPointF(0, 0), view.size())
                                .adjusted(reach.x(), reach.y(), -reach.x(), -reach.y());
        return std::ranges::any_of(layout, [&](const Target &target) {
            const QPointF centre = at(target.plane);
            return target.rows == rows && room.contains(centre) &&
                   std::ranges::none_of(obstacles, [&](const QRectF &obstacle) {
                       return obstacle.adjusted(-reach.x(), -reach.y(), reach.x(), reach.y())
                           .contains(centre);
                   });
        });
    }
};

Named namesIn(const Viewport &view, const std::vector<int> &rows, const MapPick &pick,
              std::span<const QRectF> obstacles)
{
    Named named{view,
                layoutTargets(view.projection(), view.scale(), rows, pick.sea, pelagor::kTargetGap),
                {}};
    const NamePlan plan(view.projection(), view.scale(), named.layout, pick.sea, pick.ocean,
                        fixedLetters());
    named.names = placeNames(plan, view, obstacles);
    return named;
}

// Why the names of a view are not clear of each other, of the marks, of the
// leader lines, of the obstacles and of the view's edge; empty if they are.
QString unclear(const Named &named, std::span<const QRectF> obstacles)
{
    const QRectF area(QPointF(0, 0), named.view.size());
    for (std::size_t i = 0; i < named.names.size(); ++i) {
        const QRectF box = named.names[i].box;
        const QString text = named.names[i].text;
        if (!area.contains(box)) {
            return text + QStringLiteral(" runs off the view");
        }
        for (std::size_t j = i + 1; j < named.names.size(); ++j) {
            if (box.intersects(named.names[j].box)) {
                return text + QStringLiteral(" overlaps ") + named.names[j].text;
            }
        }
        if (std::ranges::any_of(obstacles, [box](const QRectF &o) { return box.intersects(o); })) {
            return text + QStringLiteral(" overlaps an obstacle");
        }
        for (const Target &target : named.layout) {
            // A mark by its circle; a leader line by points along it.
            const QPointF centre = named.at(target.plane);
            const QPointF nearest(std::clamp(centre.x(), box.left(), box.right()),
                                  std::clamp(centre.y(), box.top(), box.bottom()));
            if (apart(centre, nearest) < (target.isGroup() ? 11 : 6)) {
                return text + QStringLiteral(" overlaps a mark");
            }
            const QLineF leader(centre, named.at(target.lies));
            for (int step = 0; target.drawnAside() && step <= 100; ++step) {
                if (box.contains(leader.pointAt(step / 100.0))) {
                    return text + QStringLiteral(" crosses a leader line");
                }
            }
        }
    }
    return {};
}

bool ownTarget(const std::vector<Target> &targets, int row)
{
    return std::ranges::any_of(
        targets, [row](const Target &target) { return target.rows == std::vector<int>{row}; });
}

} // namespace

class TestMap : public QObject {
    Q_OBJECT

private slots:
    // From the earth to the plane and back, by each projection; the land's
    // shapes, moved onto the projection's plane, land where it puts them.
    void projectionsGoBothWays_data()
    {
        QTest::addColumn<Projection>("projection");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        const Projection world = Projection::cylindrical(0, 0);
        const Projection pacific = Projection::cylindrical(160, 20);
        const Projection north = Projection::polar(true, 30);
        const Projection south = Projection::polar(false, -45);
        QTest::newRow("world, the Black Sea") << world << 43.0 << 34.0;
        QTest::newRow("world, west of 180") << world << -17.5 << -179.9;
        QTest::newRow("Pacific, Koro on 180") << pacific << -17.5 << 180.0;
        QTest::newRow("Pacific, Bering") << pacific << 58.0 << -178.0;
        QTest::newRow("Pacific, the south pole") << pacific << -90.0 << 160.0;
        QTest::newRow("north, Barents") << north << 75.0 << 40.0;
        QTest::newRow("north, across 180") << north << 72.0 << -179.5;
        QTest::newRow("north, the pole") << north << 90.0 << 30.0;
        QTest::newRow("north, at its reach") << north << -10.0 << 100.0;
        QTest::newRow("south, Weddell") << south << -72.0 << -45.0;
        QTest::newRow("south, the pole") << south << -90.0 << -45.0;
    }

    void projectionsGoBothWays()
    {
        QFETCH(Projection, projection);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        const QPointF plane = projection.toPlane({latitude, longitude});
        QVERIFY(projection.toEarth(plane).has_value());
        const GeoPoint back = projection.toEarth(plane).value_or(GeoPoint{1000, 1000});
        QVERIFY2(std::abs(back.latitude - latitude) < 1e-9,
                 qPrintable(QString::number(back.latitude)));
        const double east = std::remainder(back.longitude - longitude, 360.0);
        QVERIFY(std::abs(east) < 1e-9 || std::abs(latitude) == 90);
        // The shapes of a polar map are on the plane of central meridian 0;
        // those of a cylindrical one in degrees of longitude and latitude.
        const QPointF shape =
            projection.isPolar()
                ? Projection::polar(projection.kind == Projection::Kind::NorthPolar, 0)
                      .toPlane({latitude, longitude})
                : QPointF(longitude, latitude);
        const QPointF moved = pelagor::shapesToPlane(projection).map(shape);
        const double period = projection.period();
        const double dx =
            period > 0 ? std::remainder(moved.x() - plane.x(), period) : moved.x() - plane.x();
        QVERIFY2(std::hypot(dx, moved.y() - plane.y()) < 1e-6,
                 qPrintable(QStringLiteral("%1 %2").arg(moved.x()).arg(plane.x())));
        // Off the earth there is nothing.
        QVERIFY(!projection.toEarth(QPointF(0, projection.isPolar() ? 150 : 95)));
        QVERIFY(!projection.toEarth(QPointF(std::nan(""), 0)));
    }

    // Zooming keeps the point under the cursor where it was; panning a whole
    // turn round the earth comes back; the view keeps within its bounds.
    void viewZoomsPansAndKeepsBounds_data()
    {
        QTest::addColumn<Projection>("projection");
        QTest::newRow("world") << Projection::cylindrical(0, 0);
        QTest::newRow("round 45° N") << Projection::cylindrical(-30, 45);
        QTest::newRow("north") << Projection::polar(true, 0);
        QTest::newRow("south") << Projection::polar(false, 0);
    }

    void viewZoomsPansAndKeepsBounds()
    {
        QFETCH(Projection, projection);
        Viewport view(projection, kFirstSize);
        const double whole = view.scale();
        QCOMPARE(whole, view.minimumScale());
        const QPointF cursor(500, 120);
        view.zoomAbout(cursor, 8);
        const QPointF under = view.toPlane(cursor);
        view.zoomAbout(cursor, 1.7);
        QVERIFY(apart(view.toView(under), cursor) < 1e-6);
        view.zoomAbout(cursor, 1 / 1.7);
        QVERIFY(apart(view.toView(under), cursor) < 1e-6);

        const Viewport before = view;
        if (!projection.isPolar()) {
            view.panBy(QPointF(projection.period() * view.scale(), 0));
            QVERIFY(apart(view.centre(), before.centre()) < 1e-6);
        }
        // Bad input and the bounds.
        for (const double factor :
             {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
            view.zoomAbout(cursor, factor);
            QCOMPARE(view.scale(), before.scale());
        }
        view.zoomAbout(cursor, pelagor::wheelZoomFactor(100000));
        view.zoomAbout(cursor, 1e9);
        QCOMPARE(view.scale(), Viewport::kDeepestScale);
        view.panBy(QPointF(0, 1e7));
        QVERIFY(view.projection().toEarth(view.centre()).has_value());
        QVERIFY(view.toPlane(QPointF(0, 0)).y() <= 90.0 + 1e-9 || projection.isPolar());
        view.zoomAbout(cursor, 1e-9);
        QCOMPARE(view.scale(), whole);
        view.setSize(QSizeF(0, 0));
        QVERIFY(std::isfinite(view.scale()) && view.scale() > 0);
        QVERIFY(std::isfinite(view.centre().x()) && std::isfinite(view.centre().y()));
        QCOMPARE(pelagor::wheelZoomFactor(0), 1.0);
        QCOMPARE(pelagor::wheelZoomFactor(480), 2.0);
    }

    // Every framed view: the sea or the ocean's seas in view, no two targets
    // closer than 24 px, the picked sea a target of its own, every sea of an
    // ocean reachable in two picks; and so at the pupil's zooms too.
    void framedViewsKeepTargetsApart_data()
    {
        QTest::addColumn<int>("ocean");
        QTest::addColumn<int>("sea");
        for (int ocean = 0; ocean < 5; ++ocean) {
            QTest::addRow("%s", qPrintable(QStringView(pelagor::catalogue::kOceanCaptions.at(
                                                           static_cast<std::size_t>(ocean)))
                                               .toString()))
                << ocean << -1;
        }
        for (int row = 0; row < static_cast<int>(pelagor::catalogue::kSeaCount); ++row) {
            QTest::addRow("%s",
                          qPrintable(QStringView(pelagor::catalogue::kSeas[row].name).toString()))
                << -1 << row;
        }
    }

    void framedViewsKeepTargetsApart()
    {
        QFETCH(int, ocean);
        QFETCH(int, sea);
        const MapPick pick{ocean, sea};
        const std::vector<int> rows =
            sea >= 0 ? pelagor::catalogue::allSeas() : pelagor::catalogue::seasOfOcean(ocean);
        const Viewport framed = framedView(pick, kFirstSize);
        const QRectF seen(QPointF(0, 0), kFirstSize);
        for (const double zoom : {1.0, 0.5, 1.6, 3.1}) {
            Viewport view = framed;
            view.zoomAbout(seen.center(), zoom);
            const std::vector<Target> targets =
                layoutTargets(view.projection(), view.scale(), rows, sea, pelagor::kTargetGap);
            QVERIFY2(closestTargets(view, targets) >= pelagor::kTargetGap,
                     qPrintable(QStringLiteral("at a zoom of %1").arg(zoom)));
            if (sea >= 0) {
                QVERIFY(ownTarget(targets, sea));
                QVERIFY(zoom != 1.0 || seen.contains(view.toView(pelagor::catalogue::kSeaPoints.at(
                                           static_cast<std::size_t>(sea)))));
            }
            if (zoom != 1.0) {
                continue;
            }
            // On paper: every sea a mark of its own, apart from the others,
            // a mark drawn aside linked to its sea's point.
            const std::vector<Target> apart =
                pelagor::spreadTargets(view.projection(), view.scale(), rows, sea,
                                       pelagor::kTargetGap, QRectF(-1e9, -1e9, 2e9, 2e9));
            QVERIFY(closestTargets(view, apart) >= pelagor::kTargetGap);
            std::vector<int> each;
            for (const Target &target : apart) {
                QCOMPARE(target.rows.size(), std::size_t{1});
                const int row = target.rows.front();
                each.push_back(row);
                QCOMPARE(view.toView(view.nearestCopy(target.lies)),
                         view.toView(pelagor::catalogue::kSeaPoints.at(std::size_t(row))));
            }
            std::ranges::sort(each);
            QCOMPARE(each, rows);
            if (sea >= 0) {
                continue;
            }
            for (const Target &target : targets) {
                QVERIFY(seen.contains(view.toView(view.nearestCopy(target.plane))));
                if (!target.isGroup()) {
                    continue;
                }
                const Viewport opened = openingView(view, target, rows, sea, pelagor::kTargetGap);
                const std::vector<Target> inside = layoutTargets(
                    opened.projection(), opened.scale(), rows, sea, pelagor::kTargetGap);
                for (const int row : target.rows) {
                    QVERIFY2(ownTarget(inside, row) &&
                                 seen.contains(opened.toView(pelagor::catalogue::kSeaPoints.at(
                                     static_cast<std::size_t>(row)))),
                             qPrintable(QString::number(row)));
                }
            }
        }
    }

    // Every framed view, at the map's first size and at 300 x 180, with a
    // row of buttons over its corner: the names clear of each other, of the
    // marks, the leader lines, the buttons and the edge; the picked sea
    // named. After a pan, a mark that shows in both views named in both,
    // unless the view's edge or the buttons come near it where it is not;
    // after a zoom step in, a mark that is still the same mark named again;
    // and the names clear at both bounds of the zoom.
    void namesKeepClear_data()
    {
        QTest::addColumn<int>("ocean");
        QTest::addColumn<int>("sea");
        QTest::addColumn<QSizeF>("size");
        for (const QSizeF size : {kFirstSize, QSizeF(300, 180)}) {
            for (int ocean = 0; ocean < 5; ++ocean) {
                QTest::addRow("ocean %d, %gx%g", ocean, size.width(), size.height())
                    << ocean << -1 << size;
            }
            for (int row = 0; row < static_cast<int>(pelagor::catalogue::kSeaCount); ++row) {
                QTest::addRow(
                    "%s, %gx%g",
                    qPrintable(QStringView(pelagor::catalogue::kSeas[row].name).toString()),
                    size.width(), size.height())
                    << -1 << row << size;
            }
        }
    }

    void namesKeepClear()
    {
        QFETCH(int, ocean);
        QFETCH(int, sea);
        QFETCH(QSizeF, size);
        const MapPick pick{ocean, sea};
        const std::vector<int> rows =
            sea >= 0 ? pelagor::catalogue::allSeas() : pelagor::catalogue::seasOfOcean(ocean);
        const QRectF buttons[] = {QRectF(size.width() - 100, 0, 100, 36)};
        const Named framed = namesIn(framedView(pick, size), rows, pick, buttons);
        QVERIFY2(unclear(framed, buttons).isEmpty(), qPrintable(unclear(framed, buttons)));
        QVERIFY(sea < 0 || framed.marks().contains({sea}));
        QVERIFY(!framed.names.empty());

        for (const QPointF pan : {QPointF(137, -41), QPointF(-260, 75), QPointF(31, 150)}) {
            Viewport view = framed.view;
            view.panBy(pan);
            const Named panned = namesIn(view, rows, pick, buttons);
            QVERIFY2(unclear(panned, buttons).isEmpty(), qPrintable(unclear(panned, buttons)));
            for (const auto &[one, other] : {std::pair(&framed, &panned), {&panned, &framed}}) {
                const auto there = other->marks();
                for (const PlacedName &name : one->names) {
                    const std::vector<int> mark =
                        name.target < 0 ? std::vector<int>{}
                                        : one->layout[static_cast<std::size_t>(name.target)].rows;
                    QVERIFY2(mark.empty() || there.contains(mark) ||
                                 !other->shows(mark, name.box.size(), buttons),
                             qPrintable(name.text));
                }
            }
        }
        for (const double zoom : {pelagor::wheelZoomFactor(120), 1.5, 1e-9, 1e9}) {
            Viewport view = framed.view;
            view.zoomAbout(QPointF(size.width() / 2, size.height() / 2), zoom);
            const Named zoomed = namesIn(view, rows, pick, buttons);
            QVERIFY2(unclear(zoomed, buttons).isEmpty(), qPrintable(unclear(zoomed, buttons)));
            // A mark of a group that split: there a name may give way.
            const auto splitNear = [&](const std::vector<int> &mark, QSizeF reach) {
                const QPointF at =
                    zoomed.at(std::ranges::find(zoomed.layout, mark, &Target::rows)->plane);
                return std::ranges::any_of(zoomed.layout, [&](const Target &target) {
                    const QPointF offset = zoomed.at(target.plane) - at;
                    return std::ranges::none_of(
                               framed.layout,
                               [&](const Target &before) { return before.rows == target.rows; }) &&
                           std::abs(offset.x()) < 2 * reach.width() + 40 &&
                           std::abs(offset.y()) < 2 * reach.height() + 40;
                });
            };
            const auto after = zoomed.marks();
            QStringList lost;
            for (const PlacedName &name : framed.names) {
                const std::vector<int> mark =
                    name.target < 0 ? std::vector<int>{}
                                    : framed.layout[static_cast<std::size_t>(name.target)].rows;
                if (zoom > 1 && zoom < 2 && !mark.empty() &&
                    zoomed.shows(mark, name.box.size(), buttons) &&
                    (!after.contains(mark) || after.at(mark).size() < name.rows.size()) &&
                    !splitNear(mark, name.box.size())) {
                    lost << name.text;
                }
            }
            if (zoom == pelagor::wheelZoomFactor(120)) {
                QEXPECT_FAIL("Алборанско море, 740x385",
                             "the plan is greedy: a notch in, the Tyrrhenian Sea, ranked higher, "
                             "takes the room the Ionian Sea's name had",
                             Continue);
            }
            QVERIFY2(lost.isEmpty(), qPrintable(lost.join(u", ")));
        }
    }

    // The scene and its input handler as the widget drives them: nothing
    // picked marks every sea; a drag by mouse or finger pans and picks
    // nothing, a click or a tap on a mark picks its sea, a double tap off
    // the marks zooms in; Tab and Enter pick by the keyboard; and where the
    // view is wider than the earth a click on any copy of a mark picks.
    void sceneFollowsInput()
    {
        using pelagor::MapInput;
        pelagor::MapScene scene;
        MapInput input(scene);
        scene.setSize(QSizeF(1500, 364));
        std::size_t marked = 0;
        std::size_t copies = 0;
        for (const Target &target : scene.targets()) {
            marked += target.rows.size();
            copies += scene.targetCopies(target).size();
        }
        QCOMPARE(marked, pelagor::catalogue::kSeaCount);
        QVERIFY(copies > scene.targets().size());
        const auto single = std::ranges::find_if(scene.targets(), [&scene](const Target &target) {
            return !target.isGroup() && scene.targetCopies(target).size() == 2;
        });
        QVERIFY(single != scene.targets().end());
        const int row = single->rows.front();
        const QPointF copy = scene.targetCopies(*single).back();
        for (const auto pointer : {MapInput::Pointer::Mouse, MapInput::Pointer::Finger}) {
            // A drag pans; a press that hardly moves picks.
            const QPointF centre = scene.view().centre();
            input.press(copy, pointer);
            input.move(copy + QPointF(30, 0));
            QCOMPARE(input.release(copy + QPointF(30, 0), 0).has_value(), false);
            QVERIFY(scene.view().centre() != centre && scene.isMoving());
            scene.rest();
            scene.goHome();
            input.press(copy, pointer);
            input.move(copy + QPointF(2, 1));
            const std::optional<pelagor::SeaPicked> picked = input.release(copy + QPointF(2, 1), 0);
            QVERIFY(picked.has_value() && picked->row == row && !picked->byKeyboard);
            QCOMPARE(scene.sea(), row);
            scene.showWorld();
        }
        // Two fingers neither drag nor tap.
        input.press(copy, MapInput::Pointer::Finger);
        input.addFinger();
        input.move(copy + QPointF(80, 0));
        QVERIFY(!input.release(copy + QPointF(80, 0), 0));
        QCOMPARE(scene.view(), scene.framedView());
        // A double tap off the marks, soon and near, zooms in; a slow one not.
        scene.showOcean(3);
        const QPointF water(scene.size().width() - 14, scene.size().height() - 14);
        QCOMPARE(scene.targetAt(water, pelagor::kFingerReach), -1);
        for (const std::uint64_t time : {1000U, 5000U, 5100U}) {
            input.press(water, MapInput::Pointer::Finger);
            QVERIFY(!input.release(water, time));
        }
        QCOMPARE(scene.view().scale(), scene.framedView().scale() * 2);
        // The keys.
        QVERIFY(input.key(Qt::Key_Home, Qt::KeypadModifier).handled);
        QCOMPARE(scene.view(), scene.framedView());
        QVERIFY(!input.key(Qt::Key_Down, Qt::ControlModifier).handled);
        QVERIFY(!input.key(Qt::Key_Return, {}).picked);
        const auto seaFocused = [&scene] {
            const int focused = scene.focusedTarget();
            return focused >= 0 && !scene.targets()[static_cast<std::size_t>(focused)].isGroup();
        };
        for (std::size_t tab = 0; tab < scene.targets().size() && !seaFocused(); ++tab) {
            QVERIFY(input.key(Qt::Key_Tab, {}).handled);
        }
        QVERIFY(seaFocused());
        const int focused =
            scene.targets()[static_cast<std::size_t>(scene.focusedTarget())].rows.front();
        const MapInput::KeyResult result = input.key(Qt::Key_Return, {});
        QVERIFY(result.picked && result.picked->row == focused && result.picked->byKeyboard);
    }

    // A picture shows what the window frames for its pick, at any size: the
    // sea or the ocean's seas in view, the middle of the view on the earth;
    // drawn small, mostly earth, never grey off it.
    void picturesShowTheFramedArea_data()
    {
        QTest::addColumn<int>("ocean");
        QTest::addColumn<int>("sea");
        QTest::addColumn<QSize>("pixels");
        const std::pair<const char *, int> seas[] = {
            {"Bering", 11},  {"Chukchi", 78},          {"Ross", 47}, {"Koro", 38}, {"Lincoln", 43},
            {"Weddell", 57}, {"Dumont d'Urville", 35},
        };
        for (const QSize pixels : {QSize(300, 180), QSize(8000, 8000)}) {
            const QByteArray size =
                QByteArray::number(pixels.width()) + 'x' + QByteArray::number(pixels.height());
            for (int ocean = 0; ocean < 5; ++ocean) {
                QTest::addRow("ocean %d, %s", ocean, size.constData()) << ocean << -1 << pixels;
            }
            for (const auto &[name, row] : seas) {
                QTest::addRow("%s, %s", name, size.constData()) << -1 << row << pixels;
            }
            QTest::addRow("world, %s", size.constData()) << -1 << -1 << pixels;
        }
    }

    void picturesShowTheFramedArea()
    {
        QFETCH(int, ocean);
        QFETCH(int, sea);
        QFETCH(QSize, pixels);
        const QFont font(QStringLiteral("Liberation Serif"), 12);
        const pelagor::PictureSize size = pelagor::pictureSize(pixels);
        QCOMPARE((size.logical * size.ratio).toSize(), pixels);
        pelagor::MapScene scene;
        scene.show({ocean, sea});
        scene.setSize(pelagor::pictureMapArea(size.logical, font));
        const Viewport &view = scene.view();
        const QRectF seen(QPointF(0, 0), view.size());
        std::vector<int> rows =
            sea >= 0 ? std::vector{sea} : pelagor::catalogue::seasOfOcean(ocean);
        if (ocean < 0 && sea < 0) {
            rows = pelagor::catalogue::allSeas();
        }
        for (const int row : rows) {
            QVERIFY2(seen.contains(view.toView(
                         pelagor::catalogue::kSeaPoints.at(static_cast<std::size_t>(row)))),
                     qPrintable(QString::number(row)));
        }
        QVERIFY(view.toEarth(QPointF(seen.width() / 2, seen.height() / 2)).has_value());
        // On paper, numbered: every sea of the view a mark of its own in it,
        // each once in the order Tab walks them.
        pelagor::MapScene paper = scene;
        paper.setMarksApart(true);
        std::vector<int> numbered;
        for (const std::size_t index : paper.tabOrder()) {
            QCOMPARE(paper.targets()[index].rows.size(), std::size_t{1});
            numbered.push_back(paper.targets()[index].rows.front());
        }
        std::ranges::sort(numbered);
        // An ocean's seas, or the world's: none lost by the view's edge.
        if (ocean >= 0 || sea < 0) {
            QCOMPARE(numbered, rows);
        }
        if (pixels.width() > 1000) {
            return;
        }
        QBuffer png;
        QVERIFY(png.open(QIODevice::WriteOnly));
        QVERIFY(pelagor::writeMapPicture(scene, size, font, png));
        const QImage image = QImage::fromData(png.data(), "PNG");
        QCOMPARE(image.size(), pixels);
        int offEarth = 0;
        int water = 0;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) {
                const QColor colour = image.pixelColor(x, y);
                offEarth += colour == pelagor::LandPicture::kOffEarth ? 1 : 0;
                water += colour == pelagor::LandPicture::kWater ? 1 : 0;
            }
        }
        const int samples = (image.width() / 2) * (image.height() / 2);
        QVERIFY2(offEarth < samples / 4 && water > samples / 10,
                 qPrintable(QStringLiteral("%1 off the earth, %2 water").arg(offEarth).arg(water)));
    }
};

QTEST_MAIN(TestMap)
#include "test_map.moc"
