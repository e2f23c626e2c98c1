#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The one way an end-to-end test gets a desktop of its own: a scratch folder
and environment (HOME, the XDG folders and TMPDIR inside it), an X display,
a session bus, the accessibility bus, openbox, a silent speech-dispatcher,
and the processes started in them, each in a process group of its own and
stopped by that group. Also a wrapper that gives a command such a desktop:

    desktop_session.py [--x11] [--wm] [--bus] [--window WxH] -- COMMAND...

With --window, COMMAND is a program whose window must show at that size.

A test has PELAGOR_TIME_LIMIT seconds (its CTest TIMEOUT; 300 if unset) and
ends itself, with its clean-up, within them. The scratch folder is removed
on every path (PELAGOR_KEEP_SCRATCH=1 keeps it), even after a SIGKILL; on a
failure what the started processes wrote is printed."""

import argparse
import contextlib
import ctypes
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
CLEAN_UP = 15.0  # at most: SIGTERM, GRACE, SIGKILL, the sweep
GRACE = 5.0
_END = time.monotonic() + float(os.environ.get("PELAGOR_TIME_LIMIT", "300")) - CLEAN_UP


class Failure(Exception):
    pass


class Interrupted(BaseException):
    """A signal or the time limit: never taken for a probe's error or a failed check."""


def remaining():
    """Seconds left before the clean-up must begin."""
    return _END - time.monotonic()


def poll(probe, what, limit=None, step=0.05, watch=(), fail=True):
    """Calls probe until it gives something true, and returns that. Gives up
    when `limit` seconds (at most what the test has left) are up or a watched
    process ends: with a Failure, or unless `fail`, with probe's last result.
    An error in the probe counts as not yet, since the other side may not be up."""
    limit = min(remaining() if limit is None else limit, remaining())
    deadline = time.monotonic() + limit
    while True:
        result, error = None, None
        try:
            result = probe()
        except Failure:
            raise
        except Exception as raised:  # pylint: disable=broad-except
            error = raised
        if result:
            return result
        ended = [process.name for process in watch if process.poll() is not None]
        if ended or time.monotonic() > deadline:
            if not fail:
                return result
            raise Failure(f"gave up waiting for {what}: " +
                          (f"{', '.join(ended)} ended" if ended else f"{limit:.0f} s are up") +
                          (f" (last error: {error!r})" if error else ""))
        time.sleep(step)


def processes():
    """{pid: (state, parent, process group)} of every process."""
    table = {}
    for entry in filter(str.isdigit, os.listdir("/proc")):
        with contextlib.suppress(OSError, IndexError):
            with open(f"/proc/{entry}/stat", encoding="ascii", errors="replace") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            table[int(entry)] = (fields[0], int(fields[1]), int(fields[2]))
    return table


def run(argv, env=None, limit=20.0, check=False, **kwargs):
    """Runs a short command; its output is in .stdout, what it says on stderr is dropped."""
    return subprocess.run(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          stdin=subprocess.DEVNULL, timeout=limit, check=check, **kwargs)


class Session:
    """A scratch folder and an environment of their own, and the processes
    started in them. This process is the subreaper of all they start in
    turn, so that nothing escapes."""

    def __init__(self, prefix):
        self.scratch = tempfile.mkdtemp(prefix=prefix)
        self.janitor = self.leave_janitor()
        ctypes.CDLL(None).prctl(36, 1, 0, 0, 0)  # PR_SET_CHILD_SUBREAPER
        self.processes = []
        self.env = {key: value for key, value in os.environ.items()
                    if not key.startswith(("QT_", "DBUS_", "XDG_", "WAYLAND_", "AT_SPI", "SPEECHD"))
                    and key not in ("DISPLAY", "XAUTHORITY", "SESSION_MANAGER")}
        home = self.path("home")
        folders = dict(HOME="", XDG_CONFIG_HOME=".config", XDG_DATA_HOME=".local/share",
                       XDG_CACHE_HOME=".cache", XDG_STATE_HOME=".local/state")
        self.env.update({key: os.path.join(home, name) for key, name in folders.items()},
                        XDG_RUNTIME_DIR=self.path("runtime"), TMPDIR=self.path("tmp"),
                        GSETTINGS_BACKEND="memory", LANG="C.UTF-8", LC_ALL="C.UTF-8")
        for key in (*folders, "XDG_RUNTIME_DIR", "TMPDIR"):
            os.makedirs(self.env[key], mode=0o700, exist_ok=True)

    def path(self, name):
        return os.path.join(self.scratch, name)

    def leave_janitor(self):
        """Forks a process outside this one's tree (CTest ends a test that
        overruns by a SIGKILL to its tree) that sweeps up should this one end
        without its clean-up. Returns the pipe that tells it: a byte when the
        clean-up is done, the end of file when this process is gone."""
        read_end, write_end = os.pipe()
        if os.fork() == 0:
            try:
                os.setsid()
                if os.fork() == 0:
                    for fd in range(3):
                        os.dup2(os.open(os.devnull, os.O_RDWR), fd)
                    os.close(write_end)
                    if not os.read(read_end, 1):
                        self.sweep()
            finally:
                os._exit(0)  # pylint: disable=protected-access
        os.close(read_end)
        os.wait()
        return write_end

    def sweep(self):
        """Removes the scratch folder and the sockets and lock files of the
        session's X servers once they are gone, unless another server has
        taken the display since (with -displayfd Xvfb makes no lock file)."""
        with contextlib.suppress(OSError), open(self.path("displays"), encoding="ascii") as listed:
            for number, server, inode in (line.split() for line in listed):
                deadline = time.monotonic() + 5
                while processes().get(int(server), "Z")[0] != "Z" and time.monotonic() < deadline:
                    time.sleep(0.1)
                socket, lock = f"/tmp/.X11-unix/X{number}", f"/tmp/.X{number}-lock"
                with contextlib.suppress(OSError):
                    if str(os.stat(socket).st_ino) == inode:
                        os.remove(socket)
                with contextlib.suppress(OSError), open(lock, encoding="ascii") as owner:
                    if owner.read().strip() == server:
                        os.remove(lock)
        shutil.rmtree(self.scratch, ignore_errors=True)

    def start(self, name, argv, env=None, stdout=None, stderr=None, **kwargs):
        """Starts a process in a process group of its own; what it prints goes
        to NAME.out in the scratch folder unless told otherwise."""
        with open(self.path(name + ".out"), "ab") as log:
            process = subprocess.Popen(argv, env=env or self.env, stdin=subprocess.DEVNULL,
                                       stdout=stdout or log, stderr=stderr or log,
                                       start_new_session=True, **kwargs)
        process.name = name
        print(f"started {name}: PID {process.pid}", flush=True)
        self.processes.append(process)
        return process

    def output(self, name):
        with open(self.path(name + ".out"), "rb") as log:
            return log.read().decode("utf-8", "replace")

    def start_telling(self, name, argv):
        """Starts a server that writes a line to the file descriptor "{fd}" in
        its arguments once it is ready (its display or address). Returns the
        process and that line."""
        read_end, write_end = os.pipe()
        process = self.start(name, [arg.format(fd=write_end) for arg in argv],
                             pass_fds=(write_end,))
        os.close(write_end)
        told, deadline = b"", time.monotonic() + min(60.0, remaining())
        with open(read_end, "rb", buffering=0) as reader:
            while not told.endswith(b"\n") and select.select(
                    [reader], [], [], max(0, deadline - time.monotonic()))[0]:
                chunk = reader.read(256)
                told += chunk
                if not chunk:
                    break
        if not told.endswith(b"\n"):
            raise Failure(f"{name} told nothing: {told!r}\n{self.output(name)}")
        return process, told.decode().strip()

    def stop(self, *stopped):
        """Stops processes with their process groups: SIGTERM, a grace, SIGKILL."""
        groups = [process.pid for process in stopped]
        for sig, grace in ((signal.SIGTERM, GRACE), (signal.SIGKILL, 0)):
            for group in groups:
                with contextlib.suppress(ProcessLookupError):
                    os.killpg(group, sig)
            deadline = time.monotonic() + grace
            while time.monotonic() < deadline and any(
                    group in groups and state != "Z" for state, _p, group in processes().values()):
                time.sleep(0.05)
        for process in stopped:
            process.wait()
            print(f"stopped {process.name}: PID {process.pid}, status {process.returncode}",
                  flush=True)
            self.processes.remove(process)

    def stop_all(self):
        """Stops every process group, then whatever is left of what they
        started (orphans come to this process). Returns the PIDs left."""
        self.stop(*reversed(self.processes))
        table, left, todo = processes(), [], [os.getpid()]
        while todo:
            above = todo.pop()
            below = [pid for pid, (state, parent, _g) in table.items() if parent == above]
            left += [pid for pid in below if table[pid][0] != "Z"]
            todo += below
        for pid in left:
            with contextlib.suppress(ProcessLookupError):
                os.kill(pid, signal.SIGKILL)
        with contextlib.suppress(ChildProcessError):  # the zombies of orphans
            while os.waitpid(-1, os.WNOHANG)[0]:
                pass
        return left

    def start_x11(self, wm=False, size=None):
        """Xvfb on a display it picks itself, of `size` ("WxH") if given, with
        openbox on it if `wm`. Should the display not answer as this session's
        own (its screen size and largest request; other programs start and
        stop X servers too), or openbox not manage to use it, it starts again
        on another."""
        size = size or "%dx769" % (1025 + 2 * (os.getpid() % 300))
        megabytes = 17 + os.getpid() % 100  # above the usual 16
        given_up = []  # stays up until the next display is there, so that
        for attempt in range(3):  # the next Xvfb does not pick its number
            # No reset when the last client goes: the checks come and go first.
            xvfb, number = self.start_telling(f"xvfb-{attempt}", [
                "Xvfb", "-displayfd", "{fd}", "-screen", "0", size + "x24", "-maxbigreqsize",
                str(megabytes), "-nolisten", "tcp", "-noreset"])
            self.env["DISPLAY"] = ":" + number
            with open(self.path("displays"), "a", encoding="ascii") as displays:
                inode = os.stat(f"/tmp/.X11-unix/X{number}").st_ino
                displays.write(f"{number} {xvfb.pid} {inode}\n")
            self.stop(*given_up)
            given_up = [xvfb]
            own = (f"dimensions:    {size} pixels", f"request size:  {megabytes * 2**22 - 4} bytes")
            if not poll(lambda: all(line in run(["xdpyinfo"], self.env).stdout.decode()
                                    for line in own), "", 10, watch=[xvfb], fail=False):
                print(f"display {self.env['DISPLAY']} is not this session's own, trying another")
                continue
            if not wm:
                return
            openbox = self.start(f"openbox-{attempt}", ["openbox", "--sm-disable"])
            if poll(lambda: b"window id" in run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                                self.env).stdout, "", 30,
                    watch=[xvfb, openbox], fail=False):
                return
            self.stop(openbox)
            print(f"openbox could not use display {self.env['DISPLAY']}, trying another")
        raise Failure("no display of the session's own")

    def start_buses(self, a11y=True):
        """A session bus of the session's own, on which nothing is started on
        demand, and the accessibility bus on it. Returns the bus's address."""
        bus, address = self.start_telling("dbus-daemon", [
            "dbus-daemon", "--nofork", "--print-address={fd}",
            "--config-file=" + os.path.join(HERE, "session-bus.conf"),
            "--address=unix:dir=" + self.env["XDG_RUNTIME_DIR"]])
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        if a11y:
            launcher = self.start("at-spi-bus", ["/usr/libexec/at-spi-bus-launcher",
                                                 "--launch-immediately"])
            poll(lambda: run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                              "/org/a11y/bus", "org.freedesktop.DBus.Properties.Get",
                              "string:org.a11y.Status", "string:IsEnabled"],
                             self.env).returncode == 0,
                 "the AT-SPI bus", 60, watch=[bus, launcher])
        return address

    def start_speech(self):
        """speech-dispatcher in the foreground, with one output module that
        makes no sound (the generic module running `true`, on ALSA's null
        device); clients find it through SPEECHD_ADDRESS and start none."""
        config = self.path("speechd")
        os.makedirs(os.path.join(config, "modules"))
        with open(os.path.join(config, "speechd.conf"), "w", encoding="utf-8") as conf:
            conf.write('AddModule "silent" "sd_generic" "silent.conf"\nDefaultModule silent\n'
                       f'AudioOutputMethod "alsa"\nAudioALSADevice "null"\nLogDir "{self.scratch}"\n')
        with open(os.path.join(config, "modules", "silent.conf"), "w", encoding="utf-8") as conf:
            conf.write('GenericExecuteSynth "true"\nAddVoice "bg" "MALE1" "bg"\n')
        socket = self.path("runtime/speechd.sock")
        speech = self.start("speech-dispatcher", [
            "speech-dispatcher", "--run-single", "--timeout", "0", "--config-dir", config,
            "--communication-method", "unix_socket", "--socket-path", socket])
        poll(lambda: os.path.exists(socket), "speech-dispatcher's socket", 30, watch=[speech])
        self.env["SPEECHD_ADDRESS"] = "unix_socket:" + socket

    def wait_window(self, process, focused=False):
        """The X window of a started program, once it shows (and has the focus)."""
        window = poll(lambda: run(["xdotool", "search", "--onlyvisible", "--pid",
                                   str(process.pid)], self.env).stdout.split()[0].decode(),
                      "the window", watch=[process])
        if focused:
            poll(lambda: run(["xdotool", "getwindowfocus"], self.env).stdout.strip().decode()
                 == window, "the window to have the focus", watch=[process])
        return window


def run_session(prefix, body):
    """Runs body(session) and stops everything it started, on a signal or at
    the time limit too. Returns body's exit status, or 1 when it failed or
    left a process behind."""
    session = Session(prefix)

    handled = (signal.SIGTERM, signal.SIGINT, signal.SIGHUP, signal.SIGALRM)

    def interrupted(signum, _frame):
        for sig in handled:  # no second signal may cut the clean-up short
            signal.signal(sig, signal.SIG_IGN)
        raise Interrupted("time limit reached" if signum == signal.SIGALRM
                          else f"stopped by signal {signum}")

    previous = {sig: signal.signal(sig, interrupted) for sig in handled}
    signal.setitimer(signal.ITIMER_REAL, max(0.1, remaining()))
    status = 1
    try:
        status = body(session)
    except (Failure, Interrupted) as failure:
        print(f"FAIL: {failure}", flush=True)
    finally:
        signal.setitimer(signal.ITIMER_REAL, 0)
        for sig in handled:
            signal.signal(sig, signal.SIG_IGN)
        try:
            left = session.stop_all()
            if left:
                print(f"FAIL: processes left behind and ended: {left}", flush=True)
                status = 1
            for name in sorted(os.listdir(session.scratch)) if status else []:
                if name.endswith((".out", ".log")) and os.path.getsize(session.path(name)):
                    with open(session.path(name), encoding="utf-8", errors="replace") as log:
                        print(f"--- last lines of {name}:\n" + "".join(log.readlines()[-25:]))
        finally:
            if os.environ.get("PELAGOR_KEEP_SCRATCH"):
                print("scratch kept:", session.scratch)
            else:
                shutil.rmtree(session.scratch, ignore_errors=True)
            os.write(session.janitor, b".")
            for sig, handler in previous.items():
                signal.signal(sig, handler)
    return status


# The answers, from the lesson's tables as the C++ tests have them written out
# by hand, with the line ends the output box shows to assistive technology.
def _oceans():
    with open(os.path.join(HERE, "expected_texts.h"), encoding="utf-8") as header:
        captions, seas = header.read().split("oceanCaptions()", 1)[1].split("seasOfOcean", 1)
    cases = re.split(r"case \d+:", seas.split("default:", 1)[0])[1:]
    oceans = dict(zip(re.findall(r'"([^"]*)"', captions),
                      (re.findall(r'"([^"]*)"', case) for case in cases)))
    if len(oceans) != 5 or sum(map(len, oceans.values())) != 82:
        raise RuntimeError("expected_texts.h does not hold five oceans and 82 seas")
    return oceans


OCEANS = _oceans()


def ocean_listing(ocean):
    return "\n".join(["Посочен океан: " + ocean, "Включени морета: ", *OCEANS[ocean], ""])


def sea_lookup(sea):
    ocean = next(ocean for ocean, seas in OCEANS.items() if sea in seas)
    return f"Посочено е: {sea}\nТо е в състава на: {ocean} океан.\n"


def wrap(session, options):
    if options.x11:
        session.start_x11(wm=options.wm)
    if options.bus:
        session.start_buses(a11y=False)
    if not options.window:
        command = session.start("command", options.command, stdout=sys.stdout, stderr=sys.stderr)
        poll(lambda: command.poll() is not None, "the command to end", step=0.1)
        return command.returncode
    program = session.start("program", options.command, env=dict(session.env, QT_QPA_PLATFORM="xcb"))
    geometry = run(["xdotool", "getwindowgeometry", session.wait_window(program)], session.env)
    size = re.search(r"Geometry: (\S+)", geometry.stdout.decode())
    print("window up:", size and size.group(1), flush=True)
    return 0 if size and size.group(1) == options.window else 1


if __name__ == "__main__":
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    for flag in ("--x11", "--wm", "--bus"):
        parser.add_argument(flag, action="store_true")
    parser.add_argument("--window", metavar="WxH")
    parser.add_argument("command", nargs="+")
    arguments = parser.parse_args()
    sys.exit(run_session("pelagor-desktop-", lambda session: wrap(session, arguments)))
