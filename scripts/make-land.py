#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Converts world-atlas's land-50m.json or land-10m.json (TopoJSON) into the
map's land file.

    scripts/make-land.py land-50m.json map/land/land-50m.bin
    scripts/make-land.py land-10m.json map/land/land-10m.bin

Run by scripts/make-land.sh, which fetches and checks the package first. Both
scales go through the same steps into the same format.

The TopoJSON arcs are quantized and delta-encoded; they are decoded with the
topology's transform into degrees. world-atlas stitches the polygons that
cross the 180th meridian back together, and leaves Antarctica as a ring that
goes once round the pole (at 1:50m with a second ring all along the pole
itself, which has no area on a flat map; at 1:10m Chukotka is a ring of its
own already, east of the meridian, and there is no pole ring). Here every
ring is made flat-map ready: a ring that crosses the meridian is cut along it
into rings that do not, Antarctica is closed along the south pole (down to
-90 at both ends of the map), and the pole ring is dropped. A ring that is cut keeps its area in its pieces (the
conversion checks it). Rings left with no area once in hundredths of a degree
(islets smaller than that) are dropped. Filled by the even-odd rule, the rings
then give the land, with lakes and inland seas (the Caspian) as rings inside
it.

The file, all little-endian:
    4 bytes   "PLND"
    uint16    format version, 1
    uint16    units per degree, 100
    uint32    number of rings R
    uint32    number of points P
    R uint32  the number of points of each ring, in order
    P points  int16 longitude, int16 latitude, in units; the first point of
              each ring as it is, every further one as the difference from
              the point before it. A ring's last point is not repeated.
"""

import json
import math
import struct
import sys

UNITS = 100  # per degree: hundredths, about a kilometre


def decode_rings(topology):
    """Every ring of the land collection, in degrees, last point not repeated."""
    (sx, sy), (tx, ty) = topology["transform"]["scale"], topology["transform"]["translate"]
    arcs = []
    for arc in topology["arcs"]:
        x = y = 0
        points = []
        for dx, dy in arc:
            x += dx
            y += dy
            points.append((x * sx + tx, y * sy + ty))
        arcs.append(points)
    rings = []
    for geometry in topology["objects"]["land"]["geometries"]:
        polygons = geometry["arcs"] if geometry["type"] == "MultiPolygon" else [geometry["arcs"]]
        for polygon in polygons:
            for ring_arcs in polygon:
                ring = []
                for index in ring_arcs:
                    arc = arcs[index] if index >= 0 else arcs[~index][::-1]
                    ring.extend(arc if not ring else arc[1:])
                rings.append(ring[:-1] if ring[0] == ring[-1] else ring)
    return rings


def unwrapped(ring):
    """The ring with its longitudes made continuous (steps of at most 180°)."""
    out = [ring[0]]
    for x, y in ring[1:]:
        step = x - out[-1][0] - ring_jump(x - out[-1][0])
        out.append((out[-1][0] + step, y))
    return out


def ring_jump(step):
    """The whole turns of 360° in a step between two longitudes."""
    return 360.0 * round(step / 360.0)


def split(ring, c):
    """Cuts a ring along the meridian x = c: (rings west of it, rings east of it).

    Each piece is closed along the meridian. Points on the meridian count as
    east; the crossings, sorted along the meridian, pair up into the stretches
    of it that lie inside the ring (a simple ring enters and leaves its
    inside alternately)."""
    east = [x >= c for x, _ in ring]
    if all(east):
        return [], [ring]
    if not any(east):
        return [ring], []
    n = len(ring)
    start = next(i for i in range(n) if east[i] != east[i - 1])
    chains = []  # (side is east, points from crossing to crossing)
    crossings = []  # (y, index) of each crossing, in order along the ring
    chain = None
    for k in range(n + 1):
        i = (start + k) % n
        a, b = ring[i - 1], ring[i]
        if east[i] != east[i - 1]:
            t = (c - a[0]) / (b[0] - a[0])
            point = (c, a[1] + t * (b[1] - a[1]))
            if chain is not None:
                chain.append(point)
                chains.append((east[i - 1], chain))
            if k == n:
                break
            crossings.append((point[1], len(crossings)))
            chain = [point]
        chain.append(b)
    # chains[j] runs from crossing j to crossing j + 1 (the last back to 0).
    count = len(crossings)
    order = sorted(crossings)
    partner = {}
    for m in range(0, count, 2):
        partner[order[m][1]] = order[m + 1][1]
        partner[order[m + 1][1]] = order[m][1]
    pieces = ([], [])
    done = set()
    for first in range(count):
        if first in done:
            continue
        side = chains[first][0]
        piece = []
        j = first
        while True:
            assert chains[j][0] == side and j not in done, "crossings do not pair up"
            done.add(j)
            piece.extend(chains[j][1])
            j = partner[(j + 1) % count]
            if j == first:
                break
        pieces[side].append(piece)
    return pieces


def flat_rings(ring):
    """The ring as rings within -180..180 that cross no meridian cut."""
    ring = unwrapped(ring)
    # The closing step back to the first point turns the ring once round the
    # pole when the longitudes it went through add up to a whole turn.
    closing = ring[0][0] - ring[-1][0]
    winding = -ring_jump(closing)
    if winding:
        # Antarctica, closed along the south pole. A ring that lies all along
        # the pole has no area on a flat map.
        if all(abs(y - ring[0][1]) < 1e-9 for _, y in ring):
            return []
        assert max(y for _, y in ring) < -60, "only Antarctica goes round a pole"
        x0, y0 = ring[0]
        ring = ring + [(x0 + winding, y0), (x0 + winding, -90.0), (x0, -90.0)]
    return fit(ring)


def fit(ring):
    """The ring moved and cut into rings within -180..180."""
    shift = 360.0 * math.ceil((-180.0 - min(x for x, _ in ring)) / 360.0)
    ring = [(x + shift, y) for x, y in ring]
    if max(x for x, _ in ring) <= 180.0:
        return [ring]
    west, east = split(ring, 180.0)
    return west + [out for piece in east for out in fit([(x - 360.0, y) for x, y in piece])]


def area(ring):
    """The ring's area in square degrees, positive if it runs anticlockwise."""
    return sum(ring[i - 1][0] * ring[i][1] - ring[i][0] * ring[i - 1][1]
               for i in range(len(ring))) / 2.0


def quantized(ring):
    """The ring in whole units, without repeated points; None if it has no area."""
    points = []
    for x, y in ring:
        point = (round(x * UNITS), round(y * UNITS))
        if not points or point != points[-1]:
            points.append(point)
    while len(points) > 1 and points[0] == points[-1]:
        points.pop()
    # A step must fit an int16: the edge along the pole gets a point midway.
    for i in range(len(points) - 1, 0, -1):
        (ax, ay), (bx, by) = points[i - 1], points[i]
        if max(abs(bx - ax), abs(by - ay)) > 0x7FFF:
            points.insert(i, ((ax + bx) // 2, (ay + by) // 2))
    area2 = sum(points[i - 1][0] * points[i][1] - points[i][0] * points[i - 1][1]
                for i in range(len(points)))
    return points if len(points) >= 3 and area2 != 0 else None


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as file:
        topology = json.load(file)
    rings = []
    dropped = 0
    for ring in decode_rings(topology):
        pieces = flat_rings(ring)
        if len(pieces) > 1:
            # The cut neither loses nor adds land.
            whole = abs(area(unwrapped(ring)))
            assert abs(sum(abs(area(piece)) for piece in pieces) - whole) < 1e-6 * whole
        for piece in pieces:
            points = quantized(piece)
            if points:
                rings.append(points)
            else:
                dropped += 1
    limit = 180 * UNITS
    assert all(-limit <= x <= limit and -90 * UNITS <= y <= 90 * UNITS
               for ring in rings for x, y in ring)
    data = bytearray(b"PLND")
    data += struct.pack("<HHII", 1, UNITS, len(rings), sum(len(r) for r in rings))
    data += struct.pack(f"<{len(rings)}I", *(len(r) for r in rings))
    for ring in rings:
        previous = (0, 0)
        for x, y in ring:
            data += struct.pack("<hh", x - previous[0], y - previous[1])
            previous = (x, y)
    with open(target, "wb") as file:
        file.write(data)
    print(f"{target}: {len(rings)} rings, {sum(len(r) for r in rings)} points, {len(data)} bytes"
          f"; rings without area, dropped: {dropped}")


if __name__ == "__main__":
    main()
