#!/usr/bin/env python3
"""Saves a comment as a screen reader user does. The program runs on an X display with its AT-SPI
bridge on; this script finds the comment box and Save through AT-SPI, as Orca would, types the
comment through the box's editable-text interface, presses Save through its action, and checks
the files' bytes against what scriv writes for the same comment. Two files make a run with a
progress bar, whose value changes the script must hear.

Usage: atspi_press_save.py SCRIVLET SCRIV
Run it inside an X server and a D-Bus session (xvfb-run -a dbus-run-session -- ...)."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

COMMENT = "Read to me by a screen reader"
ORIGINAL = b"The file's own bytes.\n"

value_changes = []


def on_value_change(event):
    if event.source is not None and event.source.getRole() == pyatspi.ROLE_PROGRESS_BAR:
        value_changes.append(event.source.queryValue().currentValue)


def wait_for(what, probe, seconds=30.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        # Events reach the listener only while the main context runs.
        while GLib.MainContext.default().iteration(False):
            pass
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    sys.exit("timed out waiting for " + what)


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:  # an application that went away while we looked
            continue
    return None


def find(root, role, name):
    return pyatspi.findDescendant(root, lambda a: a.getRole() == role and a.name == name)


def press(accessible):
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        sys.exit("no Press action on %r: %r" % (accessible.name, names))
    action.doAction(names.index("Press"))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def main():
    scrivlet, scriv = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix="scrivlet-atspi-")
    try:
        targets = [os.path.join(work, name) for name in ("one.txt", "two.txt")]
        reference = os.path.join(work, "reference.txt")
        for path in targets + [reference]:
            with open(path, "wb") as f:
                f.write(ORIGINAL)
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_CONFIG_HOME=os.path.join(work, "config"), XDG_STATE_HOME=os.path.join(work, "state"))
        subprocess.run([scriv, "set", "-m", COMMENT, reference], env=env, check=True)
        expected = read(reference)
        if expected == ORIGINAL:
            sys.exit("scriv wrote no comment")

        pyatspi.Registry.registerEventListener(on_value_change, "object:property-change:accessible-value")
        program = subprocess.Popen([scrivlet] + targets, env=env)
        try:
            app = wait_for("the program on the accessibility bus", lambda: application(program.pid))
            save = wait_for("the Save button", lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "Save"))
            box = find(app, pyatspi.ROLE_TEXT, "Add Comments")
            if box is None:
                sys.exit("no text box named Add Comments")
            box.queryEditableText().setTextContents(COMMENT)
            press(save)
            wait_for("both files to change", lambda: all(read(t) != ORIGINAL for t in targets))
            wait_for("the progress bar to tell its value", lambda: value_changes)
            bar = find(app, pyatspi.ROLE_PROGRESS_BAR, "").queryValue()
            if (bar.minimumValue, bar.maximumValue, bar.currentValue) != (0, 2, 2):
                sys.exit("the progress bar reads %r to %r at %r"
                         % (bar.minimumValue, bar.maximumValue, bar.currentValue))
        finally:
            program.terminate()
            program.wait(timeout=30)
        for target in targets:
            if read(target) != expected:
                sys.exit("%s holds %r, scriv writes %r" % (target, read(target), expected))
        print("Save pressed through AT-SPI wrote the comment as scriv does; the progress bar went to",
              value_changes[-1])
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
