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
--show prints what Orca said, key by key. Copies of this test take turns;
exit status 77 (skipped) when another Orca of the same user keeps running:
Orca would end it.
"""

import datetime
import fcntl
import os
import re
import shutil
import sys
import time

sys.dont_write_bytecode = True  # nothing written into the source folder
from desktop_session import (Failure, ocean_listing, poll, run, run_session, sea_lookup,
                             stat_fields)

# How long the desktop may take to settle on a busy machine.
SETTLE_LIMIT = 30.0


def cpu_ticks(pid):
    """The process's CPU time so far, and whether it is running now."""
    fields = stat_fields(pid)
    return (int(fields[11]) + int(fields[12]), fields[0] == "R") if fields else (0, False)


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


# A screen size of the session's own: the display it reaches must show it.
SCREEN = (1031, 769)


def start_display(session):
    """Xvfb on a display it picks itself, with openbox on it. Should the
    display not answer as this session's own (other programs on the machine
    start and stop X servers too), or openbox not manage to use it, it starts
    again on another."""
    env = session.env
    # A display given up on stays up until the next one is there, so that
    # the next Xvfb does not pick the same number again.
    given_up = []
    for attempt in range(3):
        # No reset when the last client goes: the checks below come and go
        # before openbox is on, and a reset would shut openbox out.
        xvfb, number = session.start_telling(f"xvfb-{attempt}", [
            "Xvfb", "-displayfd", "{fd}", "-screen", "0", "%dx%dx24" % SCREEN, "-nolisten", "tcp",
            "-noreset"])
        env["DISPLAY"] = ":" + number
        for stale in given_up:
            session.stop(stale)
        given_up = [xvfb]
        size = "dimensions:    %dx%d pixels" % SCREEN
        if not poll(lambda: size in run(["xdpyinfo"], env).stdout.decode(), "the display's size",
                    10, watch=[xvfb], fail=False):
            print(f"display {env['DISPLAY']} is not this session's own, trying another")
            continue
        openbox = session.start(f"openbox-{attempt}", ["openbox", "--sm-disable"])
        manager = ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]
        if poll(lambda: b"window id" in run(manager, env).stdout, "openbox",
                watch=[xvfb, openbox], fail=False):
            return
        session.stop(openbox)
        print(f"openbox could not use display {env['DISPLAY']}, trying another:",
              session.output(f"openbox-{attempt}").strip())
    raise Failure("no display of the session's own")


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


ATLANTIC = ocean_listing("Атлантически")
INDIAN = ocean_listing("Индийски")
ADRIATIC = sea_lookup("Адриатическо море")
AZOV = sea_lookup("Азовско море")

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

    # Orca replaces any other Orca of the same user: copies of this test take
    # turns, by a lock on Orca's program file, and an Orca started by someone
    # else is waited for, never ended.
    with open(shutil.which("orca"), "rb") as orca_file:
        try:
            poll(lambda: fcntl.flock(orca_file, fcntl.LOCK_EX | fcntl.LOCK_NB) or True,
                 "another copy of this test to end", 120, step=0.5)
            poll(lambda: not run(["pgrep", "-u", str(os.getuid()), "-x", "orca"]).stdout.split(),
                 "another Orca of this user to end", 60, step=1)
        except Failure as failure:
            print(f"SKIP: {failure}")
            return 77
        return run_session("pelagor-orca-", lambda session: orca_session(session, program, show))


def orca_session(session, program, show):
    env = session.env
    start_display(session)
    session.start_buses()

    prefs = session.path("orca-prefs")
    os.makedirs(prefs)
    log_path = session.path("orca.log")
    orca = session.start("orca", ["orca", "--replace", "-d", "speech", "-u", prefs,
                                  "--debug-file", log_path])
    poll(lambda: session.a11y_status("IsEnabled") == "true", "Orca to enable accessibility",
         watch=[orca])
    settle([orca.pid])

    pelagor = session.start("pelagor", [program], env=dict(env, QT_QPA_PLATFORM="xcb"))
    window = poll(lambda: run(["xdotool", "search", "--onlyvisible", "--pid", str(pelagor.pid)],
                              env).stdout.split()[0].decode(), "the window", watch=[pelagor])
    poll(lambda: run(["xdotool", "getwindowfocus"], env).stdout.strip().decode() == window,
         "the window to have the focus", watch=[pelagor])
    watched = [orca.pid, pelagor.pid]
    settle(watched)

    times = []
    for key, _purpose, _answer in SESSION:
        times.append(seconds_of_day())
        run(["xdotool", "key", "--clearmodifiers", key], env)
        settle(watched)
    times.append(seconds_of_day())
    if pelagor.poll() is not None:
        raise Failure("pelagor ended during the session:\n" + session.output("pelagor"))

    session.stop(pelagor)
    session.stop(orca, grace=30.0)
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
