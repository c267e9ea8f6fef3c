#!/usr/bin/env python3
"""Measures how soon a started item's window reaches the state its row asks for.

Usage: measure_states.py BUILD_FOLDER

Runs happen on a private X display that openbox manages, with the bench's own desktop. The item
is the test client that the project builds: it notes when it started, when its window was first
mapped, when the window manager wrote a new state, and each new size and unmap. The same program
started Normal is the baseline.
"""

import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

from measure import BOUND_S, ROUNDS, Desktop, XServer, figure

CLIENT_SIZE = (320, 200)
TARGET_MS = 100


class ManagedXServer(XServer):
    """The private display, with openbox managing it once it has put up its check window."""

    def __enter__(self):
        display = super().__enter__()
        self.home = tempfile.TemporaryDirectory(prefix="runvoy-openbox-")
        env = dict(os.environ, DISPLAY=display, HOME=self.home.name)
        self.manager = subprocess.Popen(["openbox", "--sm-disable"], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + BOUND_S
        while b"window id" not in subprocess.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                capture_output=True).stdout:
            if time.monotonic() > deadline:
                raise RuntimeError("openbox did not start")
            time.sleep(0.05)
        return display

    def __exit__(self, *failure):
        self.manager.terminate()
        self.manager.wait(BOUND_S)
        self.home.cleanup()
        super().__exit__(*failure)


def read_log(path):
    events = []
    with open(path, encoding="ascii") as log:
        for line in log:
            *what, stamp = line.split()
            events.append((" ".join(what), int(stamp)))
    return events


def one_run(desktop, env, runvoy, client, state, number):
    """Runs a batch of one client item in state; returns the client's events and the run's wall
    time, and ends the client."""
    log = desktop.at(f"client-{number}.log")
    pid_file = desktop.at(f"client-{number}.pid")
    item = desktop.at(f"home/item-{number}")
    with open(item, "w", encoding="utf-8") as script:
        script.write(f'#!/bin/sh\necho $$ > "{pid_file}"\n'
                     f'exec "{client}" --log "{log}" item-{number}\n')
    os.chmod(item, 0o755)
    batch = desktop.at(f"home/Desktop/State{number}.rvq")
    with open(batch, "wb") as out:
        out.write(f'"{item}"\r\n"0"\r\n"{state}"\r\n'.encode())
    begin = time.monotonic_ns()
    if subprocess.run([runvoy, "/o", batch], env=env, stdin=subprocess.DEVNULL,
                      stderr=subprocess.DEVNULL, timeout=BOUND_S).returncode:
        raise RuntimeError(f"the run of {state} failed")
    wall_ms = (time.monotonic_ns() - begin) / 1e6
    # A Normal run ends as soon as the item has started; its window comes when it comes.
    deadline = time.monotonic() + BOUND_S
    while not (os.path.exists(log) and any(e == "map" for e, _ in read_log(log))):
        if time.monotonic() > deadline:
            raise RuntimeError(f"the {state} window never mapped")
        time.sleep(0.01)
    time.sleep(0.2)
    events = read_log(log)
    with open(pid_file, encoding="ascii") as pid:
        os.kill(int(pid.read()), signal.SIGTERM)
    return events, wall_ms


def timings(events, state):
    """Milliseconds: launch to first map, launch to confirmed state, first map to confirmed
    state, and how long the window showed its normal size."""
    first = {}
    for event, stamp in events:
        first.setdefault(event, stamp)
    start, mapped = first["start"], first["map"]
    to_map = (mapped - start) / 1e6
    if state == "Normal":
        return to_map, None, None, None
    confirmed = first["maximized" if state == "Maximized" else "minimized"]
    if state == "Maximized":
        changed = next(stamp for event, stamp in events if event.startswith("configure ")
                       and stamp > mapped and event != "configure %dx%d" % CLIENT_SIZE)
    else:
        changed = next(stamp for event, stamp in events if event == "unmap" and stamp > mapped)
    return to_map, (confirmed - start) / 1e6, (confirmed - mapped) / 1e6, (changed - mapped) / 1e6


def main():
    build = os.path.abspath(sys.argv[1])
    runvoy = os.path.join(build, "program", "runvoy")
    client = os.path.join(build, "runvoy", "tests", "platform", "window_client")
    stamp = os.path.join(build, "bench_stamp")
    results = {state: [] for state in ("Normal", "Maximized", "Minimized")}
    with tempfile.TemporaryDirectory(prefix="runvoy-bench-states-") as root:
        desktop = Desktop(root, stamp)
        with ManagedXServer() as display:
            env = desktop.environment(display)
            number = 0
            for round_number in range(ROUNDS + 1):
                for state in results:
                    number += 1
                    events, wall_ms = one_run(desktop, env, runvoy, client, state, number)
                    if round_number > 0:  # the first round only warms the caches
                        results[state].append((*timings(events, state), wall_ms))

    def median(state, column):
        return statistics.median(r[column] for r in results[state])

    print(f"\nWindow states on Xvfb with openbox; medians of {ROUNDS} runs of one item each.\n")
    print("| Item started | Launch to first map | Launch to state confirmed "
          "| First map to state confirmed | Normal size visible | Whole `runvoy /o` run "
          f"| Target: state within {TARGET_MS} ms of the map | Met |")
    print("|---|---|---|---|---|---|---|---|")
    for state in results:
        to_map, wall = median(state, 0), median(state, 4)
        if state == "Normal":
            print(f"| Normal (baseline) | {figure(to_map, 'ms')} | - | - | - "
                  f"| {figure(wall, 'ms')} | - | - |")
            continue
        worst = max(r[2] for r in results[state])
        print(f"| {state} | {figure(to_map, 'ms')} | {figure(median(state, 1), 'ms')} "
              f"| {figure(median(state, 2), 'ms')} | {figure(median(state, 3), 'ms')} "
              f"| {figure(wall, 'ms')} | worst {figure(worst, 'ms')} "
              f"| {'yes' if worst <= TARGET_MS else 'no'} |")

if __name__ == "__main__":
    main()
