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
log); and the program prints nothing on stderr.

Every process is started and stopped here by its PID; this process reaps
whatever they leave (it is their subreaper), so nothing outlives the test.

Usage: test_wayland.py PROGRAM [SCREENSHOT.png]
"""

import ctypes
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

APP_ID = "example.pelagor.Pelagor"
CLIENT_AREA = (482, 421)
WINDOW_COLOUR = bytes((192, 192, 255))

PACIFIC_SEAS = [
    "Берингово море", "Вътрешно Японско море", "Жълто море", "Източнокитайско море",
    "Коралово море", "Молукско море", "Море Бали", "Море Банда", "Море Висаян",
    "Море Камотес", "Море Коро", "Море Минданао", "Море Саву", "Море Самар",
    "Море Серам", "Море Сибуян", "Море Сулавеси", "Море Сулу", "Море Фиджи",
    "Море Флорес", "Море Халмахера", "Новогвинейско море", "Охотско море",
    "Соломоново море", "Тасманово море", "Филипинско море", "Южнокитайско море",
    "Яванско море", "Японско море",
]
# The output box shows the answers with plain line breaks.
PACIFIC_LISTING = "Посочен океан: Тихи\nВключени морета: \n" + "".join(
    sea + "\n" for sea in PACIFIC_SEAS)
BLACK_SEA_ROW = 77
BLACK_SEA_ANSWER = "Посочено е: Черно море\nТо е в състава на: Атлантически океан.\n"

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)
    else:
        print("ok:", message.split("\n")[0], flush=True)


def poll(probe, what, timeout=30.0):
    """Calls probe until it gives something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            result = probe()
        except Exception as error:  # the other side may not be there yet
            result = None
            last_error = error
        else:
            last_error = None
        if result:
            return result
        if time.monotonic() > deadline:
            raise TimeoutError(f"gave up waiting for {what}" +
                               (f" (last error: {last_error})" if last_error else ""))
        time.sleep(0.05)


class Processes:
    """The processes this test starts, stopped in reverse order by PID."""

    def __init__(self):
        self.started = []

    def start(self, name, argv, **kwargs):
        process = subprocess.Popen(argv, **kwargs)
        print(f"started {name}: PID {process.pid}", flush=True)
        self.started.append((name, process))
        return process

    def stop_all(self):
        for name, process in reversed(self.started):
            stop(name, process)
        self.started.clear()
        # What the started processes started in turn (weston's shell clients,
        # the accessibility bus and its registry) is ours to reap now.
        deadline = time.monotonic() + 10
        while True:
            try:
                pid, _ = os.waitpid(-1, os.WNOHANG)
            except ChildProcessError:
                return
            if pid != 0:
                continue
            if time.monotonic() > deadline:
                for child in children():
                    print(f"stopping left-over PID {child}", flush=True)
                    os.kill(child, signal.SIGKILL)
                deadline = time.monotonic() + 10
            time.sleep(0.05)


def stop(name, process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
    print(f"stopped {name}: PID {process.pid}, status {process.returncode}", flush=True)


def children():
    me = str(os.getpid())
    found = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat", encoding="ascii", errors="replace") as stat:
                    fields = stat.read().rsplit(")", 1)[1].split()
            except OSError:
                continue
            if fields[1] == me and fields[0] != "Z":
                found.append(int(entry))
    return found


def session_bus_config(folder):
    path = os.path.join(folder, "session.conf")
    with open(path, "w", encoding="utf-8") as config:
        # No service folders: nothing is started on this bus but what the
        # test starts itself.
        config.write(f"""<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir={folder}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
""")
    return path


def name_has_owner(address, name):
    from gi.repository import Gio, GLib
    connection = Gio.DBusConnection.new_for_address_sync(
        address,
        Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
        Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
    try:
        reply = connection.call_sync(
            "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            "NameHasOwner", GLib.Variant("(s)", (name,)), GLib.VariantType("(b)"),
            Gio.DBusCallFlags.NONE, 5000, None)
        return reply.unpack()[0]
    finally:
        connection.close_sync(None)


def window_box_in_screenshot(folder, env):
    """Takes a screenshot of weston's output and returns the bounding box,
    (left, top, width, height), of the pixels in the window's colour, and the
    file."""
    for old in os.listdir(folder):
        os.remove(os.path.join(folder, old))
    subprocess.run(["weston-screenshooter"], cwd=folder, env=env, check=True, timeout=20,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    shots = [name for name in os.listdir(folder) if name.endswith(".png")]
    if not shots:
        return None
    shot = os.path.join(folder, shots[0])
    size = subprocess.run(["identify", "-format", "%w %h", shot], check=True,
                          capture_output=True, text=True, timeout=20).stdout
    width, height = map(int, size.split())
    pixels = subprocess.run(["convert", shot, "-depth", "8", "rgb:-"], check=True,
                            capture_output=True, timeout=20).stdout
    left, top, right, bottom = width, height, -1, -1
    for y in range(height):
        row = pixels[3 * width * y:3 * width * (y + 1)]
        first = row.find(WINDOW_COLOUR)
        while first >= 0 and first % 3 != 0:
            first = row.find(WINDOW_COLOUR, first + 1)
        if first < 0:
            continue
        last = row.rfind(WINDOW_COLOUR)
        while last >= 0 and last % 3 != 0:
            last = row.rfind(WINDOW_COLOUR, 0, last + 2)
        left, right = min(left, first // 3), max(right, last // 3)
        top, bottom = min(top, y), y
    if right < 0:
        return None
    return (left, top, right - left + 1, bottom - top + 1), shot


def find(accessible, role, name):
    import pyatspi
    return pyatspi.findDescendant(
        accessible, lambda a: a.getRoleName() == role and a.name == name)


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def run(program, screenshot_copy, scratch):
    processes = Processes()
    runtime = os.path.join(scratch, "runtime")
    os.mkdir(runtime, 0o700)
    socket = f"pelagor-{os.getpid()}"
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET",
                          "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS",
                          "QT_QPA_PLATFORM", "QT_ACCESSIBILITY", "XDG_CONFIG_HOME")}
    env.update(XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=os.path.join(scratch, "config"),
               HOME=scratch)
    try:
        weston_log = os.path.join(scratch, "weston.log")
        weston = processes.start("weston", [
            "weston", "--backend=headless-backend.so", f"--socket={socket}",
            "--no-config", "--idle-time=0", "--use-pixman", "--width=800", "--height=600",
            # The screenshooter needs the debug extension; the protocol log
            # shows what the program asks of the compositor.
            "--debug", "--logger-scopes=log,proto", f"--log={weston_log}"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)
        poll(lambda: weston.poll() is None and os.path.exists(os.path.join(runtime, socket)),
             "weston's socket", 60)

        bus = processes.start("dbus-daemon", [
            "dbus-daemon", "--nofork", "--print-address=1",
            f"--config-file={session_bus_config(scratch)}"],
            env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        address = bus.stdout.readline().strip()
        check(address.startswith("unix:"), f"a session bus at {address!r}")
        env["DBUS_SESSION_BUS_ADDRESS"] = address

        processes.start("at-spi-bus-launcher",
                        ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                        env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        poll(lambda: name_has_owner(address, "org.a11y.Bus"), "the accessibility bus", 60)

        stderr_path = os.path.join(scratch, "pelagor.stderr")
        with open(stderr_path, "wb") as stderr_file:
            app = processes.start("pelagor", [program], env=dict(
                env, QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY=socket,
                QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"),
                stdout=subprocess.DEVNULL, stderr=stderr_file)

        # This process is the screen reader: libatspi finds the accessibility
        # bus through the session bus it is given here.
        os.environ.update(DBUS_SESSION_BUS_ADDRESS=address, XDG_RUNTIME_DIR=runtime)
        os.environ.pop("DISPLAY", None)
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        import pyatspi

        def program_frame():
            check_alive(app)
            for application in pyatspi.Registry.getDesktop(0):
                if application is not None and application.name == "pelagor":
                    for frame in application:
                        if frame.getRoleName() == "filler" and frame.childCount > 0:
                            return frame
            return None
        frame = poll(program_frame, "the window on the accessibility bus", 60)

        # Shows at its size: in weston's output, and to assistive technology.
        shots = os.path.join(scratch, "shots")
        os.mkdir(shots)
        seen = [None, None]

        def composited():
            seen[:] = window_box_in_screenshot(shots, dict(env, WAYLAND_DISPLAY=socket)) or seen
            return seen[0] is not None and seen[0][2:] == CLIENT_AREA
        try:
            poll(composited, "the window in weston's output", 30)
        except TimeoutError:
            pass
        box, shot = seen
        check(box[2:] == CLIENT_AREA,
              f"the window's client area is composited at {CLIENT_AREA}: {box}")
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
        shown = poll_text(output, PACIFIC_LISTING)
        check(shown == PACIFIC_LISTING, f"the Pacific listing is shown:\n{shown!r}")

        # A sea pick, by selecting its row as assistive technology does.
        seas = find(frame, "list", "Имена на морета")
        check(seas.getChildAtIndex(BLACK_SEA_ROW).name == "Черно море",
              "row 77 of the sea list is the Black Sea")
        seas.queryTable().addRowSelection(BLACK_SEA_ROW)
        shown = poll_text(output, BLACK_SEA_ANSWER)
        check(shown == BLACK_SEA_ANSWER, f"the Black Sea answer is shown:\n{shown!r}")
        atlantic = find(frame, "radio button", "Атлантически")
        check(atlantic.getState().contains(pyatspi.STATE_CHECKED),
              "the Black Sea's ocean is the selected option")
        check(seas.queryTable().isRowSelected(BLACK_SEA_ROW), "the Black Sea row is selected")

        check_alive(app)
        stop("pelagor", app)

        # What the program asked of the compositor.
        with open(weston_log, encoding="utf-8", errors="replace") as log:
            requests = [line for line in log if "] client " in line and " rq " in line]
        ours = {line.split()[3] for line in requests if "set_title(\"www.pelagor.example" in line}
        check(len(ours) == 1, f"one client sets the window title: {ours}")
        app_ids = [line.split(" rq ", 1)[1].strip() for line in requests
                   if line.split()[3] in ours and ".set_app_id(" in line]
        check(app_ids and all(f'set_app_id("{APP_ID}")' in line for line in app_ids),
              f"the application id is {APP_ID}: {app_ids}")

        with open(stderr_path, encoding="utf-8", errors="replace") as stderr_file:
            printed = stderr_file.read()
        check(printed == "", f"nothing printed on stderr: {printed!r}")
    finally:
        processes.stop_all()


def check_alive(process):
    if process.poll() is not None:
        raise RuntimeError(f"the program ended early with status {process.returncode}")
    return True


def poll_text(output, expected, timeout=30.0):
    """The output box's text once it is the expected one, or as it stands
    when the time is up."""
    shown = None

    def probe():
        nonlocal shown
        shown = text_of(output)
        return shown == expected
    try:
        poll(probe, "the answer", timeout)
    except TimeoutError:
        pass
    return shown


def main():
    program = os.path.abspath(sys.argv[1])
    screenshot_copy = os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 else None
    # Orphans of the processes started here come to this process, which
    # reaps them, instead of to init.
    PR_SET_CHILD_SUBREAPER = 36
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
    scratch = tempfile.mkdtemp(prefix="pelagor-wayland-")
    started = time.monotonic()
    try:
        run(program, screenshot_copy, scratch)
    except Exception as error:
        failures.append(f"{type(error).__name__}: {error}")
        print("FAIL:", failures[-1], flush=True)
    finally:
        if failures:
            for name in ("weston.log",):
                path = os.path.join(scratch, name)
                if os.path.exists(path):
                    with open(path, encoding="utf-8", errors="replace") as log:
                        print(f"--- last lines of {name}:\n" + "".join(log.readlines()[-20:]))
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"{len(failures)} failure(s) in {time.monotonic() - started:.1f} s", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
