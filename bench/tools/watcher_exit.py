#!/usr/bin/env python3
"""Time File > Exit of the watcher while it reads a feed.

Usage: watcher_exit.py TREMOLUX DISPLAY FEED [SECONDS_BEFORE_EXIT]

Starts the watcher on the X display (Xvfb) with FEED in a home of its own,
waits the given seconds (default 3), chooses File > Exit with the keyboard
(xdotool) and prints how long the window took to close after that (the
time the GUI thread was busy), how long the process then took to end, and
its peak memory.  Gives up after 60 s and kills the watcher.
"""
import os
import subprocess
import sys
import time

from watcher_process import start_watcher


def main():
    if len(sys.argv) not in (4, 5):
        sys.exit(__doc__)
    program, display, feed = sys.argv[1:4]
    wait = float(sys.argv[4]) if len(sys.argv) == 5 else 3.0
    watcher, env = start_watcher(program, display, feed, 'tremolux-exit-')
    time.sleep(wait)
    xdo = lambda *args: subprocess.run(['xdotool', *args], env=env, capture_output=True, text=True)
    windows = xdo('search', '--sync', '--onlyvisible', '--pid', str(watcher.pid), '--name', 'Tremolux')
    window = windows.stdout.split()[0]
    # Real key presses (XTEST) to the focused window: the server queues them
    # while the watcher is busy, where sent events may be dropped.
    xdo('windowfocus', '--sync', window)
    started = time.monotonic()
    xdo('key', 'alt+f')
    xdo('key', 'x')
    closed = None
    while time.monotonic() - started < 60:
        pid, status, usage = os.wait4(watcher.pid, os.WNOHANG)
        now = time.monotonic()
        if pid == watcher.pid:
            closed = closed or now
            print(f'{feed}: window closed {closed - started:.2f} s after File > Exit, '
                  f'process ended {now - closed:.2f} s later, status {status >> 8}, '
                  f'peak {usage.ru_maxrss // 1024} MB')
            return
        if closed is None and xdo('search', '--onlyvisible', '--pid', str(watcher.pid),
                                  '--name', 'Tremolux').returncode != 0:
            closed = now
        time.sleep(0.01)
    watcher.kill()
    sys.exit(f'{feed}: still running 60 s after File > Exit; killed')


if __name__ == '__main__':
    main()
