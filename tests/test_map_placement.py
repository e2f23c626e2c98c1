#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""test_map_placement.py PELAGOR: `PELAGOR --map` under openbox on a 1280 x 1024 display, then
F2 twice (closed, opened again); each time the map's frame, once settled, leaves the form's whole."""

import re
import sys

sys.dont_write_bytecode = True  # nothing written into the source folder
from desktop_session import Failure, poll, run, run_session

SEARCH = ["xdotool", "search", "--onlyvisible", "--name"]
MAP = "^Карта на моретата$"


def frame(env, name):
    """The window so named, with openbox's frame: left, top, right, bottom (past it), and its id."""
    window = run(SEARCH + [name], env).stdout.split()[0].decode()
    info = run(["xwininfo", "-id", window], env).stdout.decode()
    x, y, width, height = (int(re.search(rf"{field}:\s+(-?\d+)", info).group(1)) for field in (
        "Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
    extents = run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"], env).stdout.decode()
    left, right, top, bottom = map(int, re.findall(r"\d+", extents.split("=")[1]))
    return x - left, y - top, x + width + right, y + height + bottom, window


def check(env, pelagor, when):
    seen = []  # both frames, until they have stayed put for a second
    (fl, ft, fr, fb, form), (ml, mt, mr, mb, _) = poll(
        lambda: seen.append((frame(env, "География"), frame(env, MAP))) or
        seen[-2:-1] == seen[-1:] and seen[-1], "both windows to settle", 30, 1.0, [pelagor])
    print(f"{when}: form {fl, ft}-{fr, fb}, map {ml, mt}-{mr, mb}", flush=True)
    if min(fr, mr) > max(fl, ml) and min(fb, mb) > max(ft, mt) or min(ml, mt) < 0 or \
            mr > 1280 or mb > 1024:
        raise Failure(f"{when}: the map covers the form or reaches off the screen")
    return form


def placement(session, program):
    session.start_x11(wm=True, size="1280x1024")
    env = dict(session.env, QT_QPA_PLATFORM="xcb")
    pelagor = session.start("pelagor", [program, "--map"], env=env)
    form = check(env, pelagor, "started with --map")
    for opens in (False, True):  # pylint: disable=cell-var-from-loop
        run(["xdotool", "windowactivate", "--sync", form, "key", "F2"], env)
        poll(lambda: (run(SEARCH + [MAP], env).returncode == 0) == opens, "F2", 30, watch=[pelagor])
    check(env, pelagor, "opened again with F2")
    return 0


if __name__ == "__main__":
    sys.exit(run_session("pelagor-placement-", lambda session: placement(session, sys.argv[1])))
