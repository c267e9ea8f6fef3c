#!/usr/bin/env python3
"""Measures Runvoy next to what a user would use instead, and prints one table.

Usage: measure.py BUILD_FOLDER

Every run happens on a private X display and a desktop of its own: a home with a desktop folder,
and a handler for text files that is the bench's stamp program. Each figure is measured in the
same run as its baseline.
"""

import os
import re
import select
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

# The delay schedules of the batches whose waits are timed: every stored delay from 0 to 10
# seconds once, each after a first item of delay 0. Item k > 1 waits its delay plus one second.
SCHEDULES = [[0, 0, 1, 2, 3], [0, 4, 5, 6], [0, 7, 8], [0, 9], [0, 10]]
# The schedule whose wait is long enough for the processor time to be sampled inside it.
CPU_SCHEDULE = [0, 9]
ROUNDS = 9
BOUND_S = 60
# A pause between whole-process runs, long enough for the last one's leftovers to end.
SETTLE_S = 0.1


def monotonic_ns():
    return time.clock_gettime_ns(time.CLOCK_MONOTONIC)


def write(path, text, mode=0o644):
    with open(path, "w", encoding="utf-8") as out:
        out.write(text)
    os.chmod(path, mode)


class Desktop:
    """A user of the bench's own, whose text files open in the stamp program."""

    def __init__(self, root, stamp):
        self.root = root
        for folder in ["home/Desktop", "config", "data/applications", "system", "runtime"]:
            os.makedirs(os.path.join(root, folder), exist_ok=True)
        os.chmod(self.at("runtime"), 0o700)
        os.symlink("/usr/share/mime", self.at("system/mime"))
        write(self.at("config/user-dirs.dirs"), 'XDG_DESKTOP_DIR="$HOME/Desktop"\n')
        write(self.at("data/applications/runvoy-bench-text.desktop"),
              "[Desktop Entry]\nType=Application\nName=Stamp\n"
              f'Exec="{stamp}" %f\nMimeType=text/plain;\n')
        write(self.at("config/mimeapps.list"),
              "[Default Applications]\ntext/plain=runvoy-bench-text.desktop\n")
        write(self.at("home/notes.txt"), "Things to do\n")
        self.stamps = self.at("stamps")

    def at(self, relative):
        return os.path.join(self.root, relative)

    def environment(self, display):
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("XDG_", "DBUS_", "GIO_", "QT_"))
               and k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env.update({
            "HOME": self.at("home"),
            "XDG_CONFIG_HOME": self.at("config"),
            "XDG_CONFIG_DIRS": self.at("system"),
            "XDG_DATA_HOME": self.at("data"),
            "XDG_DATA_DIRS": self.at("system"),
            "XDG_RUNTIME_DIR": self.at("runtime"),
            # No session bus: nothing reaches the machine's own, for the program or the baseline.
            "DBUS_SESSION_BUS_ADDRESS": "unix:path=" + self.at("no-bus"),
            "GIO_USE_VFS": "local",
            "DISPLAY": display,
            "QT_QPA_PLATFORM": "xcb",
            "RUNVOY_BENCH_STAMPS": self.stamps,
        })
        return env

    def read_stamps(self):
        try:
            with open(self.stamps, encoding="ascii") as log:
                return [int(line) for line in log if line.strip()]
        except FileNotFoundError:
            return []

    def clear_stamps(self):
        if os.path.exists(self.stamps):
            os.remove(self.stamps)

    def wait_for_stamps(self, count):
        deadline = time.monotonic() + BOUND_S
        while len(self.read_stamps()) < count:
            if time.monotonic() > deadline:
                raise RuntimeError(f"expected {count} started items, saw {len(self.read_stamps())}")
            time.sleep(0.002)
        return self.read_stamps()

    def batch(self, name, items):
        """A batch file as the editor writes it, of (path, delay) items."""
        path = self.at(f"home/Desktop/{name}.rvq")
        with open(path, "wb") as out:
            for item_path, delay in items:
                out.write(f'"{item_path}"\r\n"{delay}"\r\n"Normal"\r\n'.encode())
        return path


class XServer:
    """A private X display; Xvfb picks a free number itself. It must not reset when its last
    client leaves: a client that connects during the reset is turned away."""

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-noreset", "-nolisten", "tcp",
             "-screen", "0", "1024x768x24"],
            pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        return ":" + number

    def __exit__(self, *failure):
        self.process.terminate()
        self.process.wait(BOUND_S)


def cpu_ns(pid):
    """Processor time of every thread of a process so far, in nanoseconds."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat", encoding="ascii") as stat:
                total += int(stat.read().split()[0])
        except FileNotFoundError:
            pass
    return total


def sleep_until(deadline_ns):
    remaining = (deadline_ns - monotonic_ns()) / 1e9
    if remaining > 0:
        time.sleep(remaining)


def wait_for_stamp_file(path, count):
    """The starts noted in the file at path, once there are count of them."""
    deadline = time.monotonic() + BOUND_S
    while True:
        try:
            with open(path, encoding="ascii") as log:
                lines = log.read().split("\n")
        except FileNotFoundError:
            lines = [""]
        found = [int(line) for line in lines[:-1]]  # the last line is not complete yet
        if len(found) >= count:
            return found
        if time.monotonic() > deadline:
            raise RuntimeError(f"expected {count} started items in {path}, saw {len(found)}")
        time.sleep(0.002)


def gap_errors_ms(stamps, delays):
    """How much later than due each item after the first started, in milliseconds."""
    return [(stamps[k] - stamps[k - 1]) / 1e6 - (delays[k] + 1) * 1000 for k in range(1, len(delays))]


def measure_waits(desktop, env, runvoy, stamp, empty_window):
    """Delay accuracy against a shell script that sleeps, and processor time during a wait."""
    ours, theirs = [], []
    cpu = None
    for delays in SCHEDULES:
        batch = desktop.batch("Waits", [(stamp, delay) for delay in delays])
        script = f'"{stamp}"' + "".join(f'; sleep {delay + 1}; "{stamp}"' for delay in delays[1:])
        runs = {}
        for name, command in [("ours", [runvoy, "/o", batch]), ("theirs", ["sh", "-c", script])]:
            run_env = dict(env, RUNVOY_BENCH_STAMPS=desktop.at("stamps-" + name))
            if os.path.exists(run_env["RUNVOY_BENCH_STAMPS"]):
                os.remove(run_env["RUNVOY_BENCH_STAMPS"])
            runs[name] = (subprocess.Popen(command, env=run_env, stderr=subprocess.DEVNULL),
                          run_env["RUNVOY_BENCH_STAMPS"])
        if delays == CPU_SCHEDULE:
            cpu = sample_cpu_during_wait(runs["ours"], env, empty_window, delays)
        for name, (process, stamps) in runs.items():
            if process.wait(BOUND_S + sum(delays) + len(delays)) != 0:
                raise RuntimeError(f"{name} run of {delays} failed")
            # Runvoy may end before the program it started last has noted its start.
            found = wait_for_stamp_file(stamps, len(delays))
            (ours if name == "ours" else theirs).extend(gap_errors_ms(found, delays))
    return ours, theirs, cpu


def sample_cpu_during_wait(run, env, empty_window, delays):
    """Processor time of the runner and of an idle Qt window over the same stretch of the wait."""
    process, stamps = run
    idle = subprocess.Popen([empty_window], env=env, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + BOUND_S
    while not (os.path.exists(stamps) and os.path.getsize(stamps) > 0):
        if time.monotonic() > deadline:
            raise RuntimeError("the first item never started")
        time.sleep(0.001)
    first = monotonic_ns()
    wait_ns = (delays[1] + 1) * 1_000_000_000
    # The first half second belongs to starting the first item; the last to starting the next.
    sleep_until(first + 500_000_000)
    before = cpu_ns(process.pid), cpu_ns(idle.pid)
    sleep_until(first + wait_ns - 500_000_000)
    after = cpu_ns(process.pid), cpu_ns(idle.pid)
    idle.terminate()
    idle.wait(BOUND_S)
    span = wait_ns - 1_000_000_000
    per_ten_seconds = [(a - b) / span * 10_000_000_000 / 1e6 for a, b in zip(after, before)]
    return per_ten_seconds  # milliseconds over ten seconds: ours, the idle window's


def run_to_end(command, env):
    """Runs a command to its end and returns its exit status. The wait blocks until the process
    ends: a wait with a timeout polls at growing intervals, which would round every time up to
    the next poll. A timer kills a process that does not end within the bound."""
    process = subprocess.Popen(command, env=env, stderr=subprocess.DEVNULL)
    watchdog = threading.Timer(BOUND_S, process.kill)
    watchdog.start()
    try:
        return process.wait()
    finally:
        watchdog.cancel()


def measure_open(desktop, env, runvoy):
    """Wall time of a run with one document item, next to the desktop's own "gio open"."""
    document = desktop.at("home/notes.txt")
    batch = desktop.batch("Notes", [(document, 0)])
    commands = {"ours": [runvoy, "/o", batch], "theirs": ["gio", "open", document]}
    times = {"ours": [], "theirs": []}
    desktop.clear_stamps()
    started = 0
    for round_number in range(ROUNDS + 1):
        # Which goes first changes every round: the one that follows the other would otherwise
        # always share the processor with what the other's start left behind.
        order = list(commands.items())
        if round_number % 2:
            order.reverse()
        for name, command in order:
            begin = monotonic_ns()
            if run_to_end(command, env):
                raise RuntimeError(f"{command} failed")
            end = monotonic_ns()
            started += 1
            # The handler must be done before the next run, so that it takes no processor away:
            # it has logged its start, and is given a moment to end.
            desktop.wait_for_stamps(started)
            time.sleep(SETTLE_S)
            if round_number > 0:  # the first round only warms the caches
                times[name].append((end - begin) / 1e6)
    return statistics.median(times["ours"]), statistics.median(times["theirs"])


FLUSH_LINE = re.compile(r"^\s*(\d+\.\d+)\|Flushing")


def first_paint_and_peak_memory(command, env):
    """Milliseconds from starting the program to the first flush of its painted window, and its
    peak resident memory in kilobytes. Qt notes each flush in its painting log, stamped with the
    same monotonic clock."""
    paint_env = dict(env, QT_LOGGING_RULES="qt.widgets.painting=true",
                     QT_MESSAGE_PATTERN="%{time boot}|%{message}")
    begin = time.monotonic()
    process = subprocess.Popen(command, env=paint_env, stderr=subprocess.PIPE)
    log = process.stderr.fileno()
    painted = None
    pending = b""
    # Once painted, it is left to settle for half a second, as a window does once the user looks
    # at it; its log is drained meanwhile so that it never blocks on a full pipe.
    deadline = begin + BOUND_S
    while time.monotonic() < deadline:
        ready, _, _ = select.select([log], [], [], 0.05)
        chunk = os.read(log, 65536) if ready else b""
        if ready and not chunk:
            break
        pending += chunk
        *lines, pending = pending.split(b"\n")
        for line in lines:
            match = FLUSH_LINE.match(line.decode(errors="replace"))
            if match and painted is None:
                painted = float(match.group(1))
                deadline = time.monotonic() + 0.5
    process.send_signal(signal.SIGTERM)
    process.stderr.close()
    _, _, usage = os.wait4(process.pid, 0)
    process.returncode = 0
    if painted is None:
        raise RuntimeError(f"{command} never painted its window")
    return (painted - begin) * 1000, usage.ru_maxrss


def measure_editor(env, runvoy, empty_window):
    results = {"ours": [], "theirs": []}
    for round_number in range(ROUNDS + 1):
        order = [("ours", [runvoy]), ("theirs", [empty_window])]
        if round_number % 2:
            order.reverse()
        for name, command in order:
            time.sleep(SETTLE_S)
            measured = first_paint_and_peak_memory(command, env)
            if round_number > 0:
                results[name].append(measured)
    median = {name: (statistics.median(r[0] for r in runs), statistics.median(r[1] for r in runs))
              for name, runs in results.items()}
    return median["ours"], median["theirs"]


def measure_reader(reader):
    size, ours, theirs = subprocess.run([reader], check=True, capture_output=True,
                                        text=True, timeout=BOUND_S).stdout.split()
    megabytes = int(size) / 1e6
    return megabytes, megabytes / float(ours), megabytes / float(theirs)


def figure(value, unit):
    digits = 0 if value >= 100 else 1 if value >= 10 else 2 if value >= 0.1 else 3
    return f"{value:.{digits}f} {unit}"


def row(measure, ours, theirs, baseline, target, met, unit):
    ratio = f"{ours / theirs:.2f}" if theirs > 0 else "-"
    verdict = "-" if met is None else "yes" if met else "no"
    return (f"| {measure} | {figure(ours, unit)} | {figure(theirs, unit)} ({baseline}) | "
            f"{ratio} | {target} | {verdict} |")


def main():
    build = os.path.abspath(sys.argv[1])
    runvoy = os.path.join(build, "program", "runvoy")
    stamp = os.path.join(build, "bench_stamp")
    empty_window = os.path.join(build, "bench_empty_window")
    reader = os.path.join(build, "bench_reader")
    with tempfile.TemporaryDirectory(prefix="runvoy-bench-") as root:
        desktop = Desktop(root, stamp)
        with XServer() as display:
            env = desktop.environment(display)
            late_ours, late_theirs, (cpu_ours, cpu_theirs) = measure_waits(
                desktop, env, runvoy, stamp, empty_window)
            open_ours, open_theirs = measure_open(desktop, env, runvoy)
            (paint_ours, memory_ours), (paint_theirs, memory_theirs) = measure_editor(
                env, runvoy, empty_window)
    megabytes, read_ours, read_theirs = measure_reader(reader)

    worst_ours = max(abs(error) for error in late_ours)
    worst_theirs = max(abs(error) for error in late_theirs)
    # Each wait is timed in the same run as the script's wait of the same length.
    worst_gap = max(abs(ours) - abs(theirs) for ours, theirs in zip(late_ours, late_theirs))
    print(f"Waits timed: {len(late_ours)} (stored delays 0 to 10 s); medians of {ROUNDS} rounds "
          f"elsewhere; reader input {megabytes:.1f} MB.\n")
    print("| Measure | Runvoy | Baseline | Ratio | Target | Met |")
    print("|---|---|---|---|---|---|")
    print(row("Item start against its due time, worst of all waits", worst_ours, worst_theirs,
              "shell script with `sleep`", "within 5 ms of the script's, every wait",
              worst_gap <= 5, "ms"))
    print(row("Processor time during a 10 s wait", cpu_ours, cpu_theirs,
              "idle empty Qt window", "under 50 ms", cpu_ours < 50, "ms"))
    print(row("`runvoy /o`, one document item of delay 0, wall time", open_ours, open_theirs,
              "`gio open` on the same item", "at most 1.5x", open_ours <= 1.5 * open_theirs, "ms"))
    print(row("Editor start to first painted window", paint_ours, paint_theirs,
              "empty Qt window", "at most 1.2x", paint_ours <= 1.2 * paint_theirs, "ms"))
    print(row("Editor peak memory (maximum resident size)", memory_ours / 1024, memory_theirs / 1024,
              "empty Qt window", "at most 1.2x", memory_ours <= 1.2 * memory_theirs, "MiB"))
    print(row("Batch reader throughput, blank-heavy odd input", read_ours, read_theirs,
              "reading and decoding the file only", "none", None, "MB/s"))
    waits = [delay + 1 for delays in SCHEDULES for delay in delays[1:]]
    print(f"\nLateness per wait of {', '.join(map(str, waits))} s, in ms: Runvoy "
          f"{', '.join(f'{late:.1f}' for late in late_ours)}; shell script "
          f"{', '.join(f'{late:.1f}' for late in late_theirs)}.")


if __name__ == "__main__":
    main()
