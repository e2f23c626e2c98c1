#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Pelagor with the Orca screen reader, driven by the keyboard as a blind
pupil would drive it, and what Orca said in reply.

    orca_session.py PELAGOR [--show]

Starts a private desktop (Xvfb, a D-Bus session, the AT-SPI bus, openbox),
then Orca with speech off and its debug log as the record of what it says,
then the program, without forcing Qt's accessibility on: Orca being there
must be enough. Presses a handful of keys through xdotool, noting the time of
each and waiting for Orca and the program to go quiet after it, stops Orca
and reads the log's "SPEECH OUTPUT" lines with their times. Every answer must
be said after the key that gave it and before the next key, exactly once in
the whole session, and never again when the focus moves on. Every process it
starts is stopped by its PID, and nothing started on its behalf may be left.
--show prints what Orca said, key by key. Exit status 77 (skipped) when
another Orca of the same user is running: Orca would end it.
"""

import datetime
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# How long anything may take to come up or to settle on a busy machine.
STARTUP_LIMIT = 60.0
SETTLE_LIMIT = 30.0


class Failure(Exception):
    pass


class Desktop:
    """The processes of a private desktop, stopped in reverse order by PID,
    each with whatever it started in turn."""

    def __init__(self, scratch):
        self.scratch = scratch
        self.processes = []
        self.env = {
            key: value
            for key, value in os.environ.items()
            if not key.startswith(("QT_", "DBUS_", "XDG_", "WAYLAND_", "AT_SPI"))
            and key not in ("DISPLAY", "XAUTHORITY", "SESSION_MANAGER", "HOME")
        }
        home = os.path.join(scratch, "home")
        self.env.update(
            HOME=home,
            XDG_CONFIG_HOME=os.path.join(home, ".config"),
            XDG_DATA_HOME=os.path.join(home, ".local", "share"),
            XDG_CACHE_HOME=os.path.join(home, ".cache"),
            XDG_STATE_HOME=os.path.join(home, ".local", "state"),
            XDG_RUNTIME_DIR=os.path.join(scratch, "runtime"),
            GSETTINGS_BACKEND="memory",
            LANG="C.UTF-8",
            LC_ALL="C.UTF-8",
        )
        for folder in ("XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                       "XDG_STATE_HOME", "XDG_RUNTIME_DIR"):
            os.makedirs(self.env[folder], mode=0o700, exist_ok=True)

    def start(self, name, argv, env=None, **kwargs):
        log = open(os.path.join(self.scratch, name + ".out"), "wb")
        process = subprocess.Popen(argv, env=env or self.env, stdout=log, stderr=subprocess.STDOUT,
                                   stdin=subprocess.DEVNULL, **kwargs)
        log.close()
        process.name = name
        self.processes.append(process)
        return process

    def adopt(self, name, pid):
        """A process started on our behalf by another (the D-Bus daemon)."""
        self.processes.append(Adopted(name, pid))

    def stop(self, process, grace=10.0):
        """Stops one process and everything it started, by PID."""
        family = [process.pid] + descendants(process.pid)
        for pid in reversed(family):
            try:
                os.kill(pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        deadline = time.monotonic() + grace
        while time.monotonic() < deadline and any(alive(pid) for pid in family):
            if isinstance(process, subprocess.Popen):
                process.poll()
            time.sleep(0.05)
        for pid in family:
            if alive(pid):
                try:
                    os.kill(pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
        if isinstance(process, subprocess.Popen):
            process.wait()
        if process in self.processes:
            self.processes.remove(process)

    def stop_all(self):
        while self.processes:
            self.stop(self.processes[-1])

    def output(self, name):
        with open(os.path.join(self.scratch, name + ".out"), "rb") as f:
            return f.read().decode("utf-8", "replace")


class Adopted:
    def __init__(self, name, pid):
        self.name = name
        self.pid = pid


def alive(pid):
    """True while the process exists and is not a zombie."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except (FileNotFoundError, ProcessLookupError, IndexError):
        return False


def descendants(pid):
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    parent = int(f.read().rsplit(")", 1)[1].split()[1])
            except (OSError, IndexError, ValueError):
                continue
            children.setdefault(parent, []).append(int(entry))
    found, todo = [], [pid]
    while todo:
        for child in children.get(todo.pop(), []):
            found.append(child)
            todo.append(child)
    return found


def cpu_ticks(pid):
    """The process's CPU time so far, and whether it is running now."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
    except OSError:
        return 0, False
    return int(fields[11]) + int(fields[12]), fields[0] == "R"


def settle(pids, quiet=0.6, step=0.15, limit=SETTLE_LIMIT):
    """Waits until none of the processes has used the CPU for `quiet` seconds."""
    deadline = time.monotonic() + limit
    last = [cpu_ticks(pid)[0] for pid in pids]
    quiet_since = time.monotonic()
    while time.monotonic() < deadline:
        time.sleep(step)
        now = [cpu_ticks(pid) for pid in pids]
        ticks = [t for t, _ in now]
        if ticks != last or any(running for _, running in now):
            last = ticks
            quiet_since = time.monotonic()
        elif time.monotonic() - quiet_since >= quiet:
            return
    raise Failure(f"the desktop did not settle within {limit:.0f} s")


def wait_for(what, check, limit=STARTUP_LIMIT, step=0.1):
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        result = check()
        if result:
            return result
        time.sleep(step)
    raise Failure(f"gave up waiting for {what} after {limit:.0f} s")


def run(argv, env, limit=20.0):
    return subprocess.run(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          stdin=subprocess.DEVNULL, timeout=limit, check=False)


def other_orcas():
    """Orca instances of this user that this test did not start."""
    found = run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], os.environ).stdout.split()
    return [int(pid) for pid in found]


# A screen size of the session's own: the display it reaches must show it.
SCREEN = (1031, 769)


def start_display(desktop):
    """Xvfb on a display it picks itself, with openbox on it. Should the
    display not answer as this session's own (other programs on the machine
    start and stop X servers too), or openbox not manage to use it, it starts
    again on another."""
    env = desktop.env
    # A display given up on stays up until the next one is there, so that
    # the next Xvfb does not pick the same number again.
    given_up = []
    for attempt in range(3):
        read_end, write_end = os.pipe()
        # No reset when the last client goes: the checks below come and go
        # before openbox is on, and a reset would shut openbox out.
        xvfb = desktop.start(f"xvfb-{attempt}",
                             ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                              "%dx%dx24" % SCREEN, "-nolisten", "tcp", "-noreset"],
                             pass_fds=(write_end,))
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + STARTUP_LIMIT
        while not number.endswith(b"\n"):
            ready = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))[0]
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        if not number.endswith(b"\n"):
            raise Failure("Xvfb reported no display:\n" + desktop.output(f"xvfb-{attempt}"))
        env["DISPLAY"] = ":" + number.decode().strip()
        for stale in given_up:
            desktop.stop(stale)
        given_up.clear()

        size = "dimensions:    %dx%d pixels" % SCREEN
        if wait_until(lambda: size in run(["xdpyinfo"], env).stdout.decode(), [xvfb], limit=10):
            openbox = desktop.start(f"openbox-{attempt}", ["openbox", "--sm-disable"])
            if wait_until(lambda: b"window id" in run(
                    ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env).stdout, [xvfb, openbox]):
                return
            desktop.stop(openbox)
            print(f"openbox could not use display {env['DISPLAY']}, trying another:",
                  desktop.output(f"openbox-{attempt}").strip())
        else:
            print(f"display {env['DISPLAY']} is not this session's own, trying another")
        given_up.append(xvfb)
    raise Failure("no display of the session's own")


def wait_until(check, processes, limit=STARTUP_LIMIT, step=0.1):
    """Whether the check passed before the time ran out or a process ended."""
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        if check():
            return True
        if any(process.poll() is not None for process in processes):
            return False
        time.sleep(step)
    return False


def start_desktop(desktop):
    env = desktop.env
    start_display(desktop)

    # The session bus; dbus-launch forks the daemon and names its PID.
    launched = run(["dbus-launch", "--sh-syntax"], env)
    values = dict(re.findall(r"^(DBUS_SESSION_BUS_\w+)='?([^';\n]*)'?;", launched.stdout.decode(),
                             re.MULTILINE))
    if "DBUS_SESSION_BUS_ADDRESS" not in values or "DBUS_SESSION_BUS_PID" not in values:
        raise Failure("dbus-launch gave no session bus: " + launched.stdout.decode())
    env["DBUS_SESSION_BUS_ADDRESS"] = values["DBUS_SESSION_BUS_ADDRESS"]
    desktop.adopt("dbus-daemon", int(values["DBUS_SESSION_BUS_PID"]))

    # The accessibility bus.
    desktop.start("at-spi-bus", ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    wait_for("the AT-SPI bus", lambda: a11y_status(env, "IsEnabled") is not None)


def a11y_status(env, prop):
    reply = run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                 "org.freedesktop.DBus.Properties.Get", "string:org.a11y.Status",
                 "string:" + prop], env)
    if reply.returncode != 0:
        return None
    return "true" if b"boolean true" in reply.stdout else "false"


def press(env, key):
    run(["xdotool", "key", "--clearmodifiers", key], env)


def speech_lines(log_text):
    """(time of day in seconds, text) of every SPEECH OUTPUT line of the log."""
    said = []
    # The text in quotes, then the voice it was said in, if any.
    pattern = re.compile(
        r"^(\d\d):(\d\d):(\d\d\.\d+) - SPEECH OUTPUT: '(.*)' ?(?:\{.*\})?(?: voice=\w+)?$",
        re.DOTALL)
    continuation = " " * 18
    lines = log_text.split("\n")
    index = 0
    while index < len(lines):
        line = lines[index]
        index += 1
        head = re.match(r"^(\d\d):(\d\d):(\d\d\.\d+) - SPEECH OUTPUT: '", line)
        if not head:
            continue
        # A text with line ends goes on in lines indented by 18 blanks.
        while not pattern.match(line) and index < len(lines) and lines[index].startswith(continuation):
            line += "\n" + lines[index][len(continuation):]
            index += 1
        match = pattern.match(line)
        if not match:
            continue
        hours, minutes, seconds, text = match.groups()
        said.append((int(hours) * 3600 + int(minutes) * 60 + float(seconds), text))
    return said


def seconds_of_day():
    now = datetime.datetime.now()
    return now.hour * 3600 + now.minute * 60 + now.second + now.microsecond / 1e6


def leftovers(home):
    """Processes still running with the session's home: started on its behalf."""
    found = []
    marker = ("HOME=" + home).encode() + b"\0"
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) == os.getpid():
            continue
        try:
            with open(f"/proc/{entry}/environ", "rb") as f:
                if marker in f.read() + b"\0" and alive(int(entry)):
                    found.append(int(entry))
        except OSError:
            continue
    return found


# The answers, written out from the lesson's tables, with the line ends the
# output box shows.
def lines(*texts):
    return "".join(text + "\n" for text in texts)


ATLANTIC_SEAS = [
    "Адриатическо море", "Азовско море", "Алборанско море", "Балеарско море", "Балтийско море",
    "Бяло море", "Егейско море", "Ирландско море", "Йонийско море", "Карибско море",
    "Келтско море", "Критско море", "Лигурско море", "Мексикански залив", "Море Лабрадор",
    "Море Скоша", "Мраморно море", "Саргасово море", "Северно море", "Средиземно море ",
    "Тиренско море", "Черно море"]
INDIAN_SEAS = ["Андаманско море", "Арабско море ", "Арафурско море", "Бенгалски залив",
               "Персийски залив", "Тиморско море", "Червено море"]
ATLANTIC = lines("Посочен океан: Атлантически", "Включени морета: ", *ATLANTIC_SEAS)
INDIAN = lines("Посочен океан: Индийски", "Включени морета: ", *INDIAN_SEAS)
ADRIATIC = lines("Посочено е: Адриатическо море", "То е в състава на: Атлантически океан.")
AZOV = lines("Посочено е: Азовско море", "То е в състава на: Атлантически океан.")

# The keys, what each is for, and the answer Orca must say after it (None: no
# answer may be said).
SESSION = [
    ("Tab", "to the first ocean", None),
    ("space", "picks it", ATLANTIC),
    ("Down", "picks the next ocean", INDIAN),
    ("Tab", "into the sea list", None),
    ("Down", "the first arrow: picks the marked first row", ADRIATIC),
    ("Down", "picks the next row", AZOV),
    ("shift+Tab", "back to the oceans", None),
]
ANSWERS = [ATLANTIC, INDIAN, ADRIATIC, AZOV]


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    program = os.path.abspath(sys.argv[1])
    show = "--show" in sys.argv[2:]

    # Orca replaces any other Orca of the same user; one started by someone
    # else is waited for, never ended.
    try:
        wait_for("another Orca of this user to end", lambda: not other_orcas(), limit=120, step=1)
    except Failure as failure:
        print(f"SKIP: {failure}")
        return 77

    scratch = tempfile.mkdtemp(prefix="pelagor-orca-")
    desktop = Desktop(scratch)
    previous = {sig: signal.getsignal(sig) for sig in (signal.SIGTERM, signal.SIGINT)}

    def interrupted(signum, _frame):
        raise Failure(f"stopped by signal {signum}")

    for sig in previous:
        signal.signal(sig, interrupted)
    status = 1
    try:
        status = session(desktop, program, show)
    except Failure as failure:
        print(f"FAIL: {failure}")
    finally:
        desktop.stop_all()
        # Whatever the session's buses started for it ends with them; make sure.
        stray = leftovers(desktop.env["HOME"])
        for pid in stray:
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        if stray:
            print(f"FAIL: processes left behind and ended: {stray}")
            status = 1
        for sig, handler in previous.items():
            signal.signal(sig, handler)
        if os.environ.get("PELAGOR_KEEP_SCRATCH"):
            print("scratch kept:", scratch)
        else:
            shutil.rmtree(scratch, ignore_errors=True)
    return status


def session(desktop, program, show):
    env = desktop.env
    start_desktop(desktop)

    prefs = os.path.join(desktop.scratch, "orca-prefs")
    os.makedirs(prefs)
    log_path = os.path.join(desktop.scratch, "orca.log")
    orca = desktop.start("orca", ["orca", "--replace", "-d", "speech", "-u", prefs,
                                  "--debug-file", log_path])
    wait_for("Orca to enable accessibility", lambda: a11y_status(env, "IsEnabled") == "true")
    settle([orca.pid])

    program_env = dict(env, QT_QPA_PLATFORM="xcb")
    pelagor = desktop.start("pelagor", [program], env=program_env)
    wait_for("the window", lambda: run(["xdotool", "search", "--onlyvisible", "--pid",
                                        str(pelagor.pid)], env).stdout.strip())
    window = run(["xdotool", "search", "--onlyvisible", "--pid", str(pelagor.pid)],
                 env).stdout.split()[0].decode()
    wait_for("the window to have the focus",
             lambda: run(["xdotool", "getwindowfocus"], env).stdout.strip().decode() == window)
    watched = [orca.pid, pelagor.pid]
    settle(watched)

    times = []
    for key, _purpose, _answer in SESSION:
        times.append(seconds_of_day())
        press(env, key)
        settle(watched)
    times.append(seconds_of_day())
    if pelagor.poll() is not None:
        raise Failure("pelagor ended during the session:\n" + desktop.output("pelagor"))

    desktop.stop(pelagor)
    desktop.stop(orca, grace=30.0)
    with open(log_path, encoding="utf-8", errors="replace") as f:
        said = speech_lines(f.read())
    # Times of day from here on are seconds from the first key, across midnight too.
    def relative(when, start=times[0]):
        return (when - start + 43200) % 86400 - 43200

    said = [(relative(when), text) for when, text in said]
    times = [relative(when) for when in times]

    heard = []
    for index in range(len(SESSION)):
        heard.append([text for when, text in said if times[index] <= when < times[index + 1]])
    if show:
        print(f"{'start':>10}: " + " | ".join(text for when, text in said if when < 0))
        for (key, _purpose, _answer), texts in zip(SESSION, heard):
            print(f"{key:>10}: " + " | ".join(texts))

    problems = []
    for (key, purpose, answer), texts in zip(SESSION, heard):
        expected = [answer] if answer is not None else []
        answers = [text for text in texts if text in ANSWERS]
        if answers != expected:
            problems.append(f"after {key} ({purpose}) Orca said {len(answers)} answer(s) "
                            f"{[a.split(chr(10))[0] for a in answers]}, "
                            f"expected {[a.split(chr(10))[0] for a in expected]}")
    for answer in ANSWERS:
        count = sum(text == answer for _when, text in said)
        if count != 1:
            problems.append(f"the answer {answer.splitlines()[0]!r} was said {count} times")
    if problems:
        transcript = "\n".join(f"  {when:8.3f} s  {text!r}" for when, text in said)
        keys = ", ".join(f"{key} at {when:.3f} s" for (key, _p, _a), when in zip(SESSION, times))
        raise Failure("\n".join(problems) + f"\nkeys: {keys}\nOrca said:\n{transcript}")
    print(f"OK: {len(SESSION)} keys, {len(ANSWERS)} answers each said once after its key")
    return 0


if __name__ == "__main__":
    sys.exit(main())
