#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program on Qt's Wayland platform under a real compositor.

Starts weston with its headless backend, a private D-Bus session with the
AT-SPI bus, and the program, each in a scratch folder of its own, and shows:
the window is composited at its size (measured in a screenshot of weston's
output, and as the window's extents on the accessibility bus); a pick of
"Тихи" and a pick of the Black Sea, made through the accessibility bus as a
screen reader or switch access would make them, answer with the exact texts;
the application id is the desktop entry's name (seen in weston's protocol
log); and the program prints nothing on stderr. desktop_session.py starts
and stops every process.

Usage: test_wayland.py PROGRAM [SCREENSHOT.png]
"""

import os
import shutil
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # nothing written into the source folder
from desktop_session import ocean_listing, poll, run, run_session, sea_lookup

APP_ID = "example.pelagor.Pelagor"
CLIENT_AREA = (482, 421)
WINDOW_COLOUR = "rgb(192,192,255)"
PACIFIC_LISTING = ocean_listing("Тихи")
BLACK_SEA_ROW = 77
BLACK_SEA_ANSWER = sea_lookup("Черно море")

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)
    else:
        print("ok:", message.split("\n")[0], flush=True)


def window_box_in_screenshot(folder, env):
    """Takes a screenshot of weston's output and returns the size of the box
    round the pixels in the window's colour (None if there are none), and the file."""
    for old in os.listdir(folder):
        os.remove(os.path.join(folder, old))
    run(["weston-screenshooter"], env, cwd=folder, check=True)
    shots = [os.path.join(folder, name) for name in os.listdir(folder) if name.endswith(".png")]
    if not shots:
        return None
    box = run(["convert", shots[0], "-fill", "black", "+opaque", WINDOW_COLOUR, "-format", "%@",
               "info:"], check=True).stdout.decode()
    size = tuple(map(int, box.split("+")[0].split("x")))
    return (size if size != (0, 0) else None), shots[0]


def find(accessible, role, name):
    import pyatspi
    return pyatspi.findDescendant(
        accessible, lambda a: a.getRoleName() == role and a.name == name)


def text_of(accessible, expected=None, app=None):
    """The text, once it is the expected one or the time is up."""
    if expected is not None:
        poll(lambda: text_of(accessible) == expected, "", 30, watch=[app], fail=False)
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def wayland_session(session, program, screenshot_copy):
    env = session.env
    runtime = env["XDG_RUNTIME_DIR"]
    socket = f"pelagor-{os.getpid()}"
    weston_log = session.path("weston.log")
    weston = session.start("weston", [
        "weston", "--backend=headless-backend.so", f"--socket={socket}",
        "--no-config", "--idle-time=0", "--use-pixman", "--width=800", "--height=600",
        # The screenshooter needs the debug extension; the protocol log
        # shows what the program asks of the compositor.
        "--debug", "--logger-scopes=log,proto", f"--log={weston_log}"])
    poll(lambda: os.path.exists(os.path.join(runtime, socket)), "weston's socket", watch=[weston])
    address = session.start_buses()

    app = session.start("pelagor", [program], stdout=subprocess.DEVNULL, env=dict(
        env, QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY=socket,
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))

    # This process is the screen reader: libatspi finds the accessibility
    # bus through the session bus it is given here.
    os.environ.update(DBUS_SESSION_BUS_ADDRESS=address, XDG_RUNTIME_DIR=runtime)
    os.environ.pop("DISPLAY", None)
    os.environ.pop("AT_SPI_BUS_ADDRESS", None)
    import pyatspi

    def program_frame():
        for application in pyatspi.Registry.getDesktop(0):
            if application is not None and application.name == "pelagor":
                for frame in application:
                    if frame.getRoleName() == "filler" and frame.childCount > 0:
                        return frame
        return None
    frame = poll(program_frame, "the window on the accessibility bus", watch=[app])

    # Shows at its size: in weston's output, and to assistive technology.
    shots = session.path("shots")
    os.mkdir(shots)
    seen = [None, None]

    def composited():
        seen[:] = window_box_in_screenshot(shots, dict(env, WAYLAND_DISPLAY=socket)) or seen
        return seen[0] == CLIENT_AREA
    poll(composited, "the window in weston's output", 30, watch=[app], fail=False)
    box, shot = seen
    check(box == CLIENT_AREA, f"the window's client area is composited at {CLIENT_AREA}: {box}")
    if screenshot_copy and shot:
        shutil.copyfile(shot, screenshot_copy)
    extents = frame.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    check((extents.width, extents.height) == CLIENT_AREA,
          f"the window's extents on the accessibility bus: {extents}")

    # An ocean pick, by the option's accessible action.
    pacific = find(frame, "radio button", "Тихи")
    action = pacific.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    check("Toggle" in names, f"the option has a toggle action: {names}")
    output = find(frame, "text", "Отговор")
    action.doAction(names.index("Toggle"))
    shown = text_of(output, PACIFIC_LISTING, app)
    check(shown == PACIFIC_LISTING, f"the Pacific listing is shown:\n{shown!r}")

    # A sea pick, by selecting its row as assistive technology does.
    seas = find(frame, "list", "Имена на морета")
    check(seas.getChildAtIndex(BLACK_SEA_ROW).name == "Черно море",
          "row 77 of the sea list is the Black Sea")
    seas.queryTable().addRowSelection(BLACK_SEA_ROW)
    shown = text_of(output, BLACK_SEA_ANSWER, app)
    check(shown == BLACK_SEA_ANSWER, f"the Black Sea answer is shown:\n{shown!r}")
    atlantic = find(frame, "radio button", "Атлантически")
    check(atlantic.getState().contains(pyatspi.STATE_CHECKED),
          "the Black Sea's ocean is the selected option")
    check(seas.queryTable().isRowSelected(BLACK_SEA_ROW), "the Black Sea row is selected")

    check(app.poll() is None, f"the program still runs: {app.returncode}")
    session.stop(app)

    # What the program asked of the compositor.
    with open(weston_log, encoding="utf-8", errors="replace") as log:
        requests = [line for line in log if "] client " in line and " rq " in line]
    ours = {line.split()[3] for line in requests if "set_title(\"www.pelagor.example" in line}
    check(len(ours) == 1, f"one client sets the window title: {ours}")
    app_ids = [line.split(" rq ", 1)[1].strip() for line in requests
               if line.split()[3] in ours and ".set_app_id(" in line]
    check(app_ids and all(f'set_app_id("{APP_ID}")' in line for line in app_ids),
          f"the application id is {APP_ID}: {app_ids}")

    printed = session.output("pelagor")
    check(printed == "", f"nothing printed on stderr: {printed!r}")
    return 1 if failures else 0


def main():
    program = os.path.abspath(sys.argv[1])
    screenshot_copy = os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 else None
    started = time.monotonic()
    status = run_session("pelagor-wayland-",
                         lambda session: wayland_session(session, program, screenshot_copy))
    print(f"{len(failures)} failure(s) in {time.monotonic() - started:.1f} s", flush=True)
    return status


if __name__ == "__main__":
    sys.exit(main())
