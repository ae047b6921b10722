"""Starts the watcher on an X display with a settings home of its own, so that
it neither meets another running watcher nor changes the user's settings."""
import os
import subprocess
import tempfile


def start_watcher(program, display, feed, prefix):
    """Returns the watcher's process and its environment (for xdotool)."""
    home = tempfile.mkdtemp(prefix=prefix)
    env = dict(os.environ, DISPLAY=display, HOME=home,
               XDG_CONFIG_HOME=os.path.join(home, 'config'),
               XDG_DATA_HOME=os.path.join(home, 'data'),
               XDG_RUNTIME_DIR=os.path.join(home, 'run'))
    os.makedirs(env['XDG_RUNTIME_DIR'], mode=0o700)
    watcher = subprocess.Popen([program, '--feed', feed, '--now', '2026-12-07 12:00:00'],
                               env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return watcher, env
