# SPDX-FileCopyrightText: 2026 The Pelagor developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the end-to-end tests share: a session of their own (scratch folder,
environment, the processes started in it, stopped by PID), polling with a time
limit, the session and accessibility buses, and the answers' texts."""

import contextlib
import ctypes
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time

# The session bus's configuration, shared with with_xvfb.sh.
BUS_CONFIG = os.path.join(os.path.dirname(os.path.abspath(__file__)), "session-bus.conf")

# How long anything may take to come up on a busy machine.
STARTUP_LIMIT = 60.0


class Failure(Exception):
    pass


class Interrupted(BaseException):
    """A signal to stop: never taken for a probe's error or a failed check."""


def poll(probe, what, limit=STARTUP_LIMIT, step=0.05, watch=(), fail=True):
    """Calls probe until it gives something true, and returns that. Gives up
    when the time is up or a watched process ends: with a Failure, or unless
    `fail`, with probe's last result. An error in the probe counts as not
    yet, since the other side may not be up."""
    deadline = time.monotonic() + limit
    while True:
        error = None
        try:
            result = probe()
        except Failure:
            raise
        except Exception as raised:
            result, error = None, raised
        if result:
            return result
        ended = [process.name for process in watch if process.poll() is not None]
        if (ended or time.monotonic() > deadline) and not fail:
            return result
        if ended or time.monotonic() > deadline:
            raise Failure(f"gave up waiting for {what}: " +
                          (f"{', '.join(ended)} ended" if ended else f"{limit:.0f} s are up") +
                          (f" (last error: {error!r})" if error else ""))
        time.sleep(step)


def stat_fields(pid):
    """The fields of /proc/PID/stat after the command's name; None once gone."""
    try:
        with open(f"/proc/{pid}/stat", encoding="ascii", errors="replace") as stat:
            return stat.read().rsplit(")", 1)[1].split()
    except (OSError, IndexError):
        return None


def alive(pid):
    """True while the process exists and is not a zombie."""
    fields = stat_fields(pid)
    return fields is not None and fields[0] != "Z"


def descendants(pid):
    children = {}
    for entry in filter(str.isdigit, os.listdir("/proc")):
        fields = stat_fields(entry)
        if fields:
            children.setdefault(int(fields[1]), []).append(int(entry))
    found, todo = [], [pid]
    while todo:
        below = children.get(todo.pop(), [])
        found += below
        todo += below
    return found


def with_home(home):
    """Processes running with the given home: started on a session's behalf."""
    marker = b"\0HOME=" + home.encode() + b"\0"
    found = []
    for entry in filter(str.isdigit, os.listdir("/proc")):
        with contextlib.suppress(OSError), open(f"/proc/{entry}/environ", "rb") as environ:
            if marker in b"\0" + environ.read() + b"\0" and int(entry) != os.getpid():
                found.append(int(entry))
    return found


class Session:
    """A scratch folder and an environment of their own, and the processes
    started in them. This process is the subreaper of all they start in turn,
    so that nothing escapes being stopped."""

    def __init__(self, prefix):
        PR_SET_CHILD_SUBREAPER = 36
        ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
        self.scratch = tempfile.mkdtemp(prefix=prefix)
        self.processes = []
        self.env = {key: value for key, value in os.environ.items()
                    if not key.startswith(("QT_", "DBUS_", "XDG_", "WAYLAND_", "AT_SPI"))
                    and key not in ("DISPLAY", "XAUTHORITY", "SESSION_MANAGER", "HOME")}
        home = self.path("home")
        folders = dict(XDG_CONFIG_HOME=".config", XDG_DATA_HOME=".local/share",
                       XDG_CACHE_HOME=".cache", XDG_STATE_HOME=".local/state")
        self.env.update({key: os.path.join(home, name) for key, name in folders.items()},
                        HOME=home, XDG_RUNTIME_DIR=self.path("runtime"),
                        GSETTINGS_BACKEND="memory", LANG="C.UTF-8", LC_ALL="C.UTF-8")
        for key in (*folders, "XDG_RUNTIME_DIR"):
            os.makedirs(self.env[key], mode=0o700, exist_ok=True)

    def path(self, name):
        return os.path.join(self.scratch, name)

    def start(self, name, argv, env=None, stdout=None, **kwargs):
        """Starts a process; what it prints goes to NAME.out in the scratch folder."""
        with open(self.path(name + ".out"), "wb") as log:
            process = subprocess.Popen(argv, env=env or self.env, stdin=subprocess.DEVNULL,
                                       stdout=log if stdout is None else stdout, stderr=log,
                                       **kwargs)
        process.name = name
        print(f"started {name}: PID {process.pid}", flush=True)
        self.processes.append(process)
        return process

    def output(self, name):
        with open(self.path(name + ".out"), "rb") as log:
            return log.read().decode("utf-8", "replace")

    def start_telling(self, name, argv):
        """Starts a process that writes a line to the file descriptor "{fd}"
        in its arguments once it is ready: its display or address. Returns
        the process and that line."""
        read_end, write_end = os.pipe()
        process = self.start(name, [arg.format(fd=write_end) for arg in argv],
                             pass_fds=(write_end,))
        os.close(write_end)
        told, deadline = b"", time.monotonic() + STARTUP_LIMIT
        while not told.endswith(b"\n") and time.monotonic() < deadline:
            ready = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))[0]
            chunk = os.read(read_end, 256) if ready else b""
            if not chunk:
                break
            told += chunk
        os.close(read_end)
        if not told.endswith(b"\n"):
            raise Failure(f"{name} told nothing: {told!r}\n{self.output(name)}")
        return process, told.decode().strip()

    def stop(self, process, grace=10.0):
        """Stops a process (or a PID) and everything it started, by PID."""
        pid = getattr(process, "pid", process)
        family = [pid] + descendants(pid)
        for member in reversed(family):
            signal_pid(member, signal.SIGTERM)
        deadline = time.monotonic() + grace
        while time.monotonic() < deadline and any(alive(member) for member in family):
            if process in self.processes:
                process.poll()
            time.sleep(0.05)
        for member in family:
            if alive(member):
                signal_pid(member, signal.SIGKILL)
        if process in self.processes:
            process.wait()
            print(f"stopped {process.name}: PID {pid}, status {process.returncode}", flush=True)
            self.processes.remove(process)

    def stop_all(self):
        """Stops every process, newest first, then whatever is left of them:
        orphans, come to this process, and anything else with the session's
        home. Returns the PIDs of what was left."""
        while self.processes:
            self.stop(self.processes[-1])
        left = [pid for pid in set(descendants(os.getpid()) + with_home(self.env["HOME"]))
                if alive(pid)]
        for pid in left:
            self.stop(pid, grace=2.0)
        with contextlib.suppress(ChildProcessError):  # the zombies of orphans
            while os.waitpid(-1, os.WNOHANG)[0]:
                pass
        return left

    def start_buses(self):
        """A session bus of the session's own, on which nothing is started on
        demand, and the accessibility bus on it. Returns the bus's address."""
        bus, address = self.start_telling("dbus-daemon", [
            "dbus-daemon", "--nofork", "--print-address={fd}", "--config-file=" + BUS_CONFIG])
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        launcher = self.start("at-spi-bus", ["/usr/libexec/at-spi-bus-launcher",
                                             "--launch-immediately"])
        poll(lambda: self.a11y_status("IsEnabled") is not None, "the AT-SPI bus",
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


def run(argv, env=None, limit=20.0, check=False, **kwargs):
    """Runs a short command; its output is in .stdout, what it says on stderr is dropped."""
    return subprocess.run(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          stdin=subprocess.DEVNULL, timeout=limit, check=check, **kwargs)


def signal_pid(pid, signum):
    with contextlib.suppress(ProcessLookupError):
        os.kill(pid, signum)


def run_session(prefix, body):
    """Runs body(session) and stops everything it started, on a signal too.
    Returns body's exit status, or 1 when it failed or left a process behind.
    PELAGOR_KEEP_SCRATCH=1 keeps the scratch folder."""
    session = Session(prefix)

    def interrupted(signum, _frame):
        raise Interrupted(f"stopped by signal {signum}")

    previous = {sig: signal.signal(sig, interrupted) for sig in (signal.SIGTERM, signal.SIGINT)}
    status = 1
    try:
        status = body(session)
    except Failure as failure:
        print(f"FAIL: {failure}", flush=True)
    finally:
        left = session.stop_all()
        if left:
            print(f"FAIL: processes left behind and ended: {left}", flush=True)
            status = 1
        for sig, handler in previous.items():
            signal.signal(sig, handler)
        for name in sorted(os.listdir(session.scratch)) if status else []:
            if name.endswith(".log"):
                with open(session.path(name), encoding="utf-8", errors="replace") as log:
                    print(f"--- last lines of {name}:\n" + "".join(log.readlines()[-20:]))
        if os.environ.get("PELAGOR_KEEP_SCRATCH"):
            print("scratch kept:", session.scratch)
        else:
            shutil.rmtree(session.scratch, ignore_errors=True)
    return status


# The answers, from the lesson's tables as the C++ tests have them written out
# by hand, with the line ends the output box shows to assistive technology.
def _oceans():
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "expected_texts.h"),
              encoding="utf-8") as header:
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
