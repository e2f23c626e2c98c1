#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Pelagor with the Orca screen reader, driven by the keyboard as a blind
pupil would drive it, and what Orca said in reply.

    orca_session.py PELAGOR [--show]

Starts a private desktop (Xvfb with openbox, a D-Bus session, the AT-SPI bus,
a silent speech-dispatcher), then Orca with speech on, as a pupil has it, and
its debug log as the record of what it says, then the program, without
forcing Qt's accessibility on: Orca being there must be enough. Presses a
handful of keys through xdotool, noting the time of each; after a key that
answers it waits for that answer in Orca's log, after any other for Orca to
speak and then a fixed settle time. Every answer must be said after the key
that gave it and before the next key, exactly once in the whole session, and
never again when the focus moves on. Then F6 takes the keyboard into the map
of the Pacific, where Orca must say the map's name, and Tab from mark to mark,
where it must say each mark's name, until a mark of a single sea, whose
answer Enter gives. F4 shows the card of that sea beside the map and F6
takes the keyboard into it, where Orca must say the sea's name, and the Down
arrow to its next line, its ocean; F6 goes back to the form. --show prints
what Orca said,
key by key. Copies of this test take turns; exit status 77 (skipped) when
another Orca of the same user keeps running: Orca would end it.
"""

import datetime
import fcntl
import os
import re
import shutil
import sys
import threading
import tty

sys.dont_write_bytecode = True  # nothing written into the source folder
from desktop_session import (OCEANS, Failure, ocean_listing, poll, remaining, run, run_session,
                             sea_lookup)

# How long an answer may take to be said on a busy machine, and how long
# after a key that answers nothing a late answer would have come.
ANSWER_LIMIT = 20.0
SETTLE = 1.5

ATLANTIC = ocean_listing("Атлантически")
INDIAN = ocean_listing("Индийски")
ADRIATIC = sea_lookup("Адриатическо море")
AZOV = sea_lookup("Азовско море")
ARCTIC = ocean_listing("Северен ледовит")
PACIFIC = ocean_listing("Тихи")


def one_of(names):
    """A pattern for any of the names, the longest first."""
    return "(?:" + "|".join(re.escape(name) for name in sorted(names, key=len, reverse=True)) + ")"


def spoken(pattern):
    """What Orca says of a control of that name: the name (group 1) first,
    then a pause or the role, in the words of Orca's version."""
    return re.compile(rf"({pattern})(?=[ .,]|$)")


# A mark of the Pacific: a sea, or a group of them by their count.
PACIFIC_SEAS = one_of(OCEANS["Тихи"])
PACIFIC_MARK = spoken(rf"\d+ морета: {PACIFIC_SEAS}(?:, {PACIFIC_SEAS})*|{PACIFIC_SEAS}")
MAP_NAME = spoken("Карта на моретата")
PACIFIC_OPTION = spoken("Тихи")
# Tabs from the first mark on until one of a single sea, at most.
MARK_TABS = 4

# The keys, what each is for, the answer Orca must say after it (None: no
# answer may be said), and what else it must say then (None: anything).
SESSION = [
    ("Tab", "to the first ocean", None, None),
    ("space", "picks it", ATLANTIC, None),
    ("Down", "picks the next ocean", INDIAN, None),
    ("Tab", "into the sea list", None, None),
    ("Down", "the first arrow: picks the marked first row", ADRIATIC, None),
    ("Down", "picks the next row", AZOV, None),
    ("shift+Tab", "back to the oceans", None, None),
    ("Down", "picks the next ocean", ARCTIC, None),
    ("Down", "picks the Pacific, whose marks the map shows", PACIFIC, None),
    ("F6", "into the map", None, MAP_NAME),
]


def seconds_of_day(hours, minutes, seconds):
    return int(hours) * 3600 + int(minutes) * 60 + float(seconds)


def now():
    return seconds_of_day(*datetime.datetime.now().strftime("%H %M %S.%f").split())


class OrcaLog:
    """Orca's debug log, read while Orca writes it. Orca writes it to a
    terminal, where Python flushes every line (a file it would flush every
    few kilobytes); a thread here copies it to a file and keeps what Orca
    said: its "SPEECH OUTPUT" lines, a text with line ends going on in lines
    indented by 18 blanks."""

    HEAD = re.compile(r"(\d\d):(\d\d):(\d\d\.\d+) - SPEECH OUTPUT: '(.*)")

    def __init__(self, path):
        self.master, self.terminal = os.openpty()
        tty.setraw(self.terminal)  # lines as written, no CR added
        self.path = os.ttyname(self.terminal)
        self.speech = []  # [time of day, text as logged]
        self.lock = threading.Lock()
        self.thread = threading.Thread(target=self._drain, args=(path,), daemon=True)
        self.thread.start()

    def _drain(self, path):
        pending, speaking = b"", False
        with open(path, "wb") as copy:
            while chunk := self._read():
                copy.write(chunk)
                *lines, pending = (pending + chunk).split(b"\n")
                with self.lock:
                    for line in (raw.decode("utf-8", "replace") for raw in lines):
                        head = self.HEAD.match(line)
                        if head:
                            self.speech.append([seconds_of_day(*head.groups()[:3]), head[4]])
                        elif speaking and line.startswith(" " * 18):
                            self.speech[-1][1] += "\n" + line[18:]
                        speaking = bool(head) or (speaking and line.startswith(" " * 18))

    def _read(self):
        try:
            return os.read(self.master, 65536)
        except OSError:  # no writer left
            return b""

    def said(self):
        """(time of day, text) of what Orca said: the text in quotes, without
        the voice it was said in."""
        with self.lock:
            return [(when, re.sub(r"' ?(\{.*\})?( voice=\w+)?$", "", logged, flags=re.DOTALL))
                    for when, logged in self.speech]

    def said_since(self, start, wanted=None):
        """Whether Orca said anything (or the wanted text) since the time of day."""
        return any(when >= start and wanted in (None, text) for when, text in self.said())

    def close(self):
        os.close(self.terminal)
        self.thread.join(5)
        os.close(self.master)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    program = os.path.abspath(sys.argv[1])
    show = "--show" in sys.argv[2:]

    # Orca replaces any other Orca of the same user: copies of this test take
    # turns, by a lock on Orca's program file, and an Orca started by someone
    # else is waited for, never ended. A third of the time limit at most.
    with open(shutil.which("orca"), "rb") as orca_file:
        try:
            poll(lambda: fcntl.flock(orca_file, fcntl.LOCK_EX | fcntl.LOCK_NB) or True,
                 "another copy of this test to end", remaining() / 3, step=0.5)
            poll(lambda: not run(["pgrep", "-u", str(os.getuid()), "-x", "orca"]).stdout.split(),
                 "another Orca of this user to end", 30, step=1)
        except Failure as failure:
            print(f"SKIP: {failure}")
            return 77
        return run_session("pelagor-orca-", lambda session: orca_session(session, program, show))


def orca_session(session, program, show):
    session.start_x11(wm=True)
    session.start_buses()
    session.start_speech()
    log = OrcaLog(session.path("orca.log"))
    try:
        return drive(session, program, show, log)
    finally:
        # The program first, so that Orca does not speak of it going.
        session.stop(*[p for p in session.processes if p.name in ("pelagor", "orca")][::-1])
        log.close()


def drive(session, program, show, log):
    env = session.env
    prefs = session.path("orca-prefs")
    os.makedirs(prefs)
    orca = session.start("orca", ["orca", "--replace", "-u", prefs, "--debug-file", log.path])
    # Orca says it is on ("Screen reader on.") once it is ready.
    poll(lambda: log.said(), "Orca to speak", 60, watch=[orca])

    pelagor = session.start("pelagor", [program], env=dict(env, QT_QPA_PLATFORM="xcb"))
    shown = now()
    session.wait_window(pelagor, focused=True)
    # Orca presents the focused output box, by its name; should it word that
    # otherwise, the keys come after a while all the same.
    poll(lambda: any(when >= shown and "Отговор" in text for when, text in log.said()),
         "", 30, watch=[pelagor, orca], fail=False)

    steps, times = list(SESSION), []

    def press(key, purpose, answer, heard):
        times.append(now())
        run(["xdotool", "key", "--clearmodifiers", key], env)
        # The answer, or what must be heard, or Orca's word on the control the
        # key moved to.
        poll(lambda: heard_since(times[-1], heard) if answer is None and heard
             else log.said_since(times[-1], answer), "", ANSWER_LIMIT,
             watch=[pelagor, orca], fail=False)
        if answer is None:
            print(f"{key} ({purpose}): no answer expected, waiting {SETTLE} s for a late one",
                  flush=True)
            poll(lambda: False, "", SETTLE, fail=False)

    def heard_since(start, pattern):
        return next((found for when, text in log.said()
                     if when >= start and (found := pattern.match(text))), None)

    for step in SESSION:
        press(*step)
    # From mark to mark until one of a single sea, which Enter picks; the
    # marks' order and groups follow the map's size, which the screen's gives.
    for _tab in range(MARK_TABS):
        step = ("Tab", "to the next mark", None, PACIFIC_MARK)
        steps.append(step)
        press(*step)
        mark = heard_since(times[-1], PACIFIC_MARK)
        if mark is None or re.fullmatch(PACIFIC_SEAS, mark[1]):
            break
    if mark is not None and re.fullmatch(PACIFIC_SEAS, mark[1]):
        steps.append(("Return", "picks the sea of the mark", sea_lookup(mark[1]), None))
        press(*steps[-1])
        # The card of the sea, read line by line.
        for step in [("F4", "shows the card beside the map", None, None),
                     ("F6", "into the card", None, spoken(re.escape(mark[1]))),
                     ("Down", "the card's next line", None, spoken("Тихи океан"))]:
            steps.append(step)
            press(*step)
    steps.append(("F6", "back to the form, on the Pacific", None, PACIFIC_OPTION))
    press(*steps[-1])
    times.append(now())
    if pelagor.poll() is not None:
        raise Failure("pelagor ended during the session:\n" + session.output("pelagor"))

    # Times of day from here on are seconds from the first key, across midnight too.
    def relative(when, start=times[0]):
        return (when - start + 43200) % 86400 - 43200

    said = [(relative(when), text) for when, text in log.said()]
    times = [relative(when) for when in times]
    heard = [[text for when, text in said if times[index] <= when < times[index + 1]]
             for index in range(len(steps))]
    if show:
        print(f"{'start':>10}: " + " | ".join(text for when, text in said if when < 0))
        for (key, _purpose, _answer, _heard), texts in zip(steps, heard):
            print(f"{key:>10}: " + " | ".join(texts))

    answers_given = [answer for _k, _p, answer, _h in steps if answer is not None]
    problems = []
    if not any(key == "Return" for key, *_ in steps):
        problems.append(f"no mark of a single sea in {MARK_TABS} tabs")
    for (key, purpose, answer, wanted), texts in zip(steps, heard):
        expected = [answer] if answer is not None else []
        answers = [text for text in texts if text in answers_given]
        if answers != expected:
            problems.append(f"after {key} ({purpose}) Orca said {len(answers)} answer(s) "
                            f"{[a.split(chr(10))[0] for a in answers]}, "
                            f"expected {[a.split(chr(10))[0] for a in expected]}")
        if wanted is not None and not any(wanted.match(text) for text in texts):
            problems.append(f"after {key} ({purpose}) Orca did not say {wanted.pattern!r}")
    for answer in answers_given:
        count = sum(text == answer for _when, text in said)
        if count != 1:
            problems.append(f"the answer {answer.splitlines()[0]!r} was said {count} times")
    if problems:
        transcript = "\n".join(f"  {when:8.3f} s  {text!r}" for when, text in said)
        keys = ", ".join(f"{key} at {when:.3f} s" for (key, *_), when in zip(steps, times))
        raise Failure("\n".join(problems) + f"\nkeys: {keys}\nOrca said:\n{transcript}")
    print(f"OK: {len(steps)} keys, {len(answers_given)} answers each said once after its key, "
          f"the map and its marks named")
    return 0


if __name__ == "__main__":
    sys.exit(main())
