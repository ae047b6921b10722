#!/usr/bin/env python3
"""Time how soon the watcher answers input while it loads a feed.

Usage: watcher_answers.py TREMOLUX DISPLAY FEED [SECONDS] [--reload] [--list]

Starts the watcher on the X display (Xvfb) with FEED in a home of its own,
waits for its window and then, for the given seconds (default 10), opens the
File menu with a real key press (xdotool), waits until its popup is on
screen, closes it with Escape and waits until it is gone, again and again.
With --reload it first waits for the first load to settle (5 s), then presses
F5 (Refresh Now) so that the probes run through a reload instead of the start.
With --list it first opens the Quake List (View > Quake List), which a new
home keeps closed, so that the probes also meet the list's sorting and paints.
Prints each answer slower than 100 ms, then the count of probes, the slowest
answer and the median, and the watcher's peak memory. An answer is the time
from the key press to the popup showing (or going), so it includes xdotool's
own start, some 5-10 ms.
"""
import os
import statistics
import subprocess
import sys
import time

from watcher_process import start_watcher


def main():
    args = [a for a in sys.argv[1:] if a not in ('--reload', '--list')]
    reload = '--reload' in sys.argv[1:]
    show_list = '--list' in sys.argv[1:]
    if len(args) not in (3, 4):
        sys.exit(__doc__)
    program, display, feed = args[:3]
    seconds = float(args[3]) if len(args) == 4 else 10.0
    watcher, env = start_watcher(program, display, feed, 'tremolux-answers-')
    xdo = lambda *a: subprocess.run(['xdotool', *a], env=env, capture_output=True, text=True)

    def visible():
        found = xdo('search', '--onlyvisible', '--pid', str(watcher.pid), '.*')
        return len(found.stdout.split())

    def wait_for(count, limit=30.0):
        started = time.monotonic()
        while time.monotonic() - started < limit:
            if visible() == count:
                return True
        return False

    try:
        window = xdo('search', '--sync', '--onlyvisible', '--pid', str(watcher.pid),
                     '--name', 'Tremolux').stdout.split()[0]
        xdo('windowfocus', '--sync', window)
        if show_list:
            xdo('key', 'alt+v')
            time.sleep(0.5)
            xdo('key', 'q')
        if reload:
            time.sleep(5.0)
            xdo('key', 'F5')
        base = visible()
        answers = []
        began = time.monotonic()
        while time.monotonic() - began < seconds:
            for key, count in (('alt+f', base + 1), ('Escape', base)):
                pressed = time.monotonic()
                xdo('key', key)
                if not wait_for(count):
                    sys.exit(f'{feed}: no answer to {key} within 30 s')
                answer = (time.monotonic() - pressed) * 1000.0
                answers.append(answer)
                if answer > 100.0:
                    print(f'  {time.monotonic() - began:6.2f} s: {key} answered in {answer:.0f} ms')
    finally:
        watcher.terminate()
        _, status, usage = os.wait4(watcher.pid, 0)
    print(f'{os.path.basename(feed)}: {len(answers)} answers, slowest {max(answers):.0f} ms, '
          f'median {statistics.median(answers):.0f} ms, peak {usage.ru_maxrss // 1024} MB')


if __name__ == '__main__':
    main()
