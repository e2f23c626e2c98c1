#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The one way an end-to-end test gets a desktop of its own: a scratch folder
and environment (HOME, the XDG folders and TMPDIR inside it), an X display
(Xvfb), a session bus, the accessibility bus, a window manager (openbox), a
speech server (speech-dispatcher, silent), and the processes started in them,
each in a process group of its own and stopped by that group. It also holds
the answers' texts the Python tests expect.

Run as a wrapper, it gives a command such a desktop:
    desktop_session.py [--x11] [--bus] [--wm] [--window WxH] -- COMMAND...
--window: COMMAND is a program whose window must show at that size; it is
stopped once it has. Otherwise the command's exit status is the wrapper's.

Every test has a time limit, PELAGOR_TIME_LIMIT seconds (CTest's TIMEOUT for
it, 300 if unset); the session ends itself, with its clean-up, before that.
The scratch folder is removed on every path (PELAGOR_KEEP_SCRATCH=1 keeps
it); on a failure what every started process wrote is printed."""

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
BUS_CONFIG = os.path.join(HERE, "session-bus.conf")

# What the clean-up may take at most: SIGTERM, a grace, SIGKILL, the sweep.
CLEAN_UP = 15.0
GRACE = 5.0


class Failure(Exception):
    pass


class Interrupted(BaseException):
    """A signal or the time limit: never taken for a probe's error or a failed check."""


def time_limit():
    return float(os.environ.get("PELAGOR_TIME_LIMIT", "300"))


# The moment the test must have ended by, clean-up included.
_END = time.monotonic() + time_limit()


def remaining():
    """Seconds left before the clean-up must begin."""
    return _END - CLEAN_UP - time.monotonic()


def poll(probe, what, limit=None, step=0.05, watch=(), fail=True):
    """Calls probe until it gives something true, and returns that. Gives up
    when `limit` seconds (at most what the test has left) are up or a watched
    process ends: with a Failure, or unless `fail`, with probe's last result.
    An error in the probe counts as not yet, since the other side may not be up."""
    limit = remaining() if limit is None else min(limit, remaining())
    deadline = time.monotonic() + limit
    while True:
        error = None
        try:
            result = probe()
        except Failure:
            raise
        except Exception as raised:  # pylint: disable=broad-except
            result, error = None, raised
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


def stat_fields(pid):
    """The fields of /proc/PID/stat after the command's name: state, parent,
    process group...; None once gone."""
    try:
        with open(f"/proc/{pid}/stat", encoding="ascii", errors="replace") as stat:
            return stat.read().rsplit(")", 1)[1].split()
    except (OSError, IndexError):
        return None


def processes():
    """{pid: (state, parent, group)} of every process."""
    table = {}
    for entry in filter(str.isdigit, os.listdir("/proc")):
        fields = stat_fields(entry)
        if fields:
            table[int(entry)] = (fields[0], int(fields[1]), int(fields[2]))
    return table


def descendants(pid, table):
    found, todo = [], [pid]
    while todo:
        above = todo.pop()
        below = [child for child, (_s, parent, _g) in table.items() if parent == above]
        found += below
        todo += below
    return found


def run(argv, env=None, limit=20.0, check=False, **kwargs):
    """Runs a short command; its output is in .stdout, what it says on stderr is dropped."""
    return subprocess.run(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          stdin=subprocess.DEVNULL, timeout=limit, check=check, **kwargs)


class Session:
    """A scratch folder and an environment of their own, and the processes
    started in them, each the leader of its process group. This process is
    the subreaper of all they start in turn, so that nothing escapes."""

    def __init__(self, prefix):
        self.scratch = tempfile.mkdtemp(prefix=prefix)
        self.janitor = self.leave_janitor()
        PR_SET_CHILD_SUBREAPER = 36
        ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
        self.processes = []
        self.env = {key: value for key, value in os.environ.items()
                    if not key.startswith(("QT_", "DBUS_", "XDG_", "WAYLAND_", "AT_SPI", "SPEECHD"))
                    and key not in ("DISPLAY", "XAUTHORITY", "SESSION_MANAGER", "HOME")}
        home = self.path("home")
        folders = dict(XDG_CONFIG_HOME=".config", XDG_DATA_HOME=".local/share",
                       XDG_CACHE_HOME=".cache", XDG_STATE_HOME=".local/state")
        self.env.update({key: os.path.join(home, name) for key, name in folders.items()},
                        HOME=home, XDG_RUNTIME_DIR=self.path("runtime"), TMPDIR=self.path("tmp"),
                        GSETTINGS_BACKEND="memory", LANG="C.UTF-8", LC_ALL="C.UTF-8")
        for key in (*folders, "XDG_RUNTIME_DIR", "TMPDIR"):
            os.makedirs(self.env[key], mode=0o700, exist_ok=True)

    def path(self, name):
        return os.path.join(self.scratch, name)

    def leave_janitor(self):
        """Forks a process outside this one's tree (CTest ends a test that
        overruns with SIGKILL to its whole tree) that, should this one end
        without its clean-up, removes what it left: the lock files of its X
        servers, killed with it, and the scratch folder. Returns the pipe to
        tell it: a byte when the clean-up is done, or the end of file."""
        read_end, write_end = os.pipe()
        if os.fork() == 0:
            try:
                os.setsid()
                if os.fork() == 0:
                    null = os.open(os.devnull, os.O_RDWR)
                    for fd in range(3):
                        os.dup2(null, fd)
                    os.close(write_end)
                    if not os.read(read_end, 1):
                        self.sweep()
            finally:
                os._exit(0)  # pylint: disable=protected-access
        os.close(read_end)
        os.wait()
        return write_end

    def sweep(self):
        """Removes the scratch folder and the X sockets and lock files of the
        session's X servers, once the servers are gone, unless another server
        has taken the display since (Xvfb -displayfd makes no lock file)."""
        with contextlib.suppress(OSError), open(self.path("displays"), encoding="ascii") as listed:
            for number, server, inode in (line.split() for line in listed):
                deadline = time.monotonic() + 5
                while (stat_fields(server) or "Z")[0] != "Z" and time.monotonic() < deadline:
                    time.sleep(0.1)
                socket, lock = f"/tmp/.X11-unix/X{number}", f"/tmp/.X{number}-lock"
                with contextlib.suppress(OSError):
                    if str(os.stat(socket).st_ino) == inode:
                        os.remove(socket)
                with contextlib.suppress(OSError):
                    with open(lock, encoding="ascii") as owner:
                        ours = owner.read().strip() == server
                    if ours:
                        os.remove(lock)
        shutil.rmtree(self.scratch, ignore_errors=True)

    def start(self, name, argv, env=None, stdout=None, stderr=None, **kwargs):
        """Starts a process in a process group of its own; what it prints goes
        to NAME.out in the scratch folder unless told otherwise."""
        with open(self.path(name + ".out"), "ab") as log:
            process = subprocess.Popen(argv, env=env or self.env, stdin=subprocess.DEVNULL,
                                       stdout=log if stdout is None else stdout,
                                       stderr=log if stderr is None else stderr,
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
        its arguments once it is ready: its display or address. Returns the
        process and that line."""
        read_end, write_end = os.pipe()
        process = self.start(name, [arg.format(fd=write_end) for arg in argv],
                             pass_fds=(write_end,))
        os.close(write_end)
        told, deadline = b"", time.monotonic() + min(60.0, remaining())
        with open(read_end, "rb", buffering=0) as reader:
            while not told.endswith(b"\n") and time.monotonic() < deadline:
                if not select.select([reader], [], [], deadline - time.monotonic())[0]:
                    break
                chunk = reader.read(256)
                if not chunk:
                    break
                told += chunk
        if not told.endswith(b"\n"):
            raise Failure(f"{name} told nothing: {told!r}\n{self.output(name)}")
        return process, told.decode().strip()

    def stop(self, *stopped):
        """Stops processes and their process groups: SIGTERM, a grace, SIGKILL."""
        groups = [process.pid for process in stopped]
        for group in groups:
            with contextlib.suppress(ProcessLookupError):
                os.killpg(group, signal.SIGTERM)
        deadline = time.monotonic() + GRACE

        def living():
            return [pid for pid, (state, _p, group) in processes().items()
                    if group in groups and state != "Z"]
        while living() and time.monotonic() < deadline:
            for process in stopped:
                process.poll()
            time.sleep(0.05)
        for group in groups:
            with contextlib.suppress(ProcessLookupError):
                os.killpg(group, signal.SIGKILL)
        for process in stopped:
            process.wait()
            print(f"stopped {process.name}: PID {process.pid}, status {process.returncode}",
                  flush=True)
            self.processes.remove(process)

    def stop_all(self):
        """Stops every process group, then whatever is left of what they
        started (orphans come to this process). Returns the PIDs left."""
        self.stop(*reversed(self.processes))
        table = processes()
        left = [pid for pid in descendants(os.getpid(), table) if table[pid][0] != "Z"]
        for pid in left:
            with contextlib.suppress(ProcessLookupError):
                os.kill(pid, signal.SIGKILL)
        with contextlib.suppress(ChildProcessError):  # the zombies of orphans
            while os.waitpid(-1, os.WNOHANG)[0]:
                pass
        return left

    def start_x11(self, wm=False):
        """Xvfb on a display it picks itself, with openbox on it if `wm`.
        Should the display not answer as this session's own (other programs
        start and stop X servers too), or openbox not manage to use it, it
        starts again on another. Its screen has a size of the session's own."""
        size = (1025 + 2 * (os.getpid() % 300), 769)
        given_up = []  # stays up until the next display is there, so that
        for attempt in range(3):  # the next Xvfb does not pick its number
            # No reset when the last client goes: the checks come and go first.
            xvfb, number = self.start_telling(f"xvfb-{attempt}", [
                "Xvfb", "-displayfd", "{fd}", "-screen", "0", "%dx%dx24" % size,
                "-nolisten", "tcp", "-noreset"])
            self.env["DISPLAY"] = ":" + number
            with open(self.path("displays"), "a", encoding="ascii") as displays:
                inode = os.stat(f"/tmp/.X11-unix/X{number}").st_ino
                displays.write(f"{number} {xvfb.pid} {inode}\n")
            self.stop(*given_up)
            given_up = [xvfb]
            dimensions = "dimensions:    %dx%d pixels" % size
            if not poll(lambda: dimensions in run(["xdpyinfo"], self.env).stdout.decode(),
                        "the display's size", 10, watch=[xvfb], fail=False):
                print(f"display {self.env['DISPLAY']} is not this session's own, trying another")
                continue
            if not wm:
                return
            openbox = self.start(f"openbox-{attempt}", ["openbox", "--sm-disable"])
            manager = ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]
            if poll(lambda: b"window id" in run(manager, self.env).stdout, "openbox", 30,
                    watch=[xvfb, openbox], fail=False):
                return
            self.stop(openbox)
            print(f"openbox could not use display {self.env['DISPLAY']}, trying another")
        raise Failure("no display of the session's own")

    def start_buses(self, a11y=True):
        """A session bus of the session's own, on which nothing is started on
        demand, and the accessibility bus on it. Returns the bus's address."""
        bus, address = self.start_telling("dbus-daemon", [
            "dbus-daemon", "--nofork", "--print-address={fd}", "--config-file=" + BUS_CONFIG,
            "--address=unix:dir=" + self.env["XDG_RUNTIME_DIR"]])
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        if a11y:
            launcher = self.start("at-spi-bus", ["/usr/libexec/at-spi-bus-launcher",
                                                 "--launch-immediately"])
            poll(lambda: self.a11y_status("IsEnabled") is not None, "the AT-SPI bus", 60,
                 watch=[bus, launcher])
        return address

    def a11y_status(self, prop):
        """"true" or "false", the accessibility bus's property; None while it is not up."""
        reply = run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                     "/org/a11y/bus", "org.freedesktop.DBus.Properties.Get",
                     "string:org.a11y.Status", "string:" + prop], self.env)
        if reply.returncode != 0:
            return None
        return "true" if b"boolean true" in reply.stdout else "false"

    def start_speech(self):
        """speech-dispatcher in the foreground, with one output module that
        makes no sound (the generic module running `true`) on ALSA's null
        device; clients find it through SPEECHD_ADDRESS, so none starts one
        of its own."""
        config = self.path("speechd")
        os.makedirs(os.path.join(config, "modules"))
        with open(os.path.join(config, "speechd.conf"), "w", encoding="utf-8") as conf:
            conf.write('AddModule "silent" "sd_generic" "silent.conf"\nDefaultModule silent\n'
                       'AudioOutputMethod "alsa"\nAudioALSADevice "null"\n'
                       f'LogDir "{self.scratch}"\n')
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

    def interrupted(signum, _frame):
        raise Interrupted("time limit reached" if signum == signal.SIGALRM
                          else f"stopped by signal {signum}")

    handled = (signal.SIGTERM, signal.SIGINT, signal.SIGHUP, signal.SIGALRM)
    previous = {sig: signal.signal(sig, interrupted) for sig in handled}
    signal.setitimer(signal.ITIMER_REAL, max(0.1, remaining()))
    status = 1
    try:
        status = body(session)
    except (Failure, Interrupted) as failure:
        print(f"FAIL: {failure}", flush=True)
    finally:
        # No second signal may cut the clean-up short.
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
            os.close(session.janitor)
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
    window = session.wait_window(program)
    geometry = run(["xdotool", "getwindowgeometry", window], session.env).stdout.decode()
    size = re.search(r"Geometry: (\S+)", geometry)
    print("window up:", size and size.group(1), flush=True)
    return 0 if size and size.group(1) == options.window else 1


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--x11", action="store_true", help="an X display (Xvfb)")
    parser.add_argument("--wm", action="store_true", help="openbox on it")
    parser.add_argument("--bus", action="store_true", help="a session bus")
    parser.add_argument("--window", metavar="WxH", help="the program's window must show at WxH")
    parser.add_argument("command", nargs="+")
    options = parser.parse_args()
    return run_session("pelagor-desktop-", lambda session: wrap(session, options))


if __name__ == "__main__":
    sys.exit(main())
