#!/usr/bin/python3
"""Drives the real Brassbell over the accessibility bus, as a screen-reader user's tools do: finds the
controls by the names a screen reader says, adds a stored text, speaks it to all, and checks that
the practice console lists the line the game would have executed.

Usage: speak_a_stored_text.py BRASSBELL_EXECUTABLE  (on a display, in a D-Bus session)
"""
import subprocess
import sys
import time

import pyatspi

TEXT = "Welcome on our server, have fun"
LIMIT = 20  # seconds for each step; the whole run takes a few


def wait_for(what, find):
    deadline = time.monotonic() + LIMIT
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    sys.exit(f"not found within {LIMIT} s: {what}")


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name.lower() == "brassbell":
            return app
    return None


def control(root, role, name, index=0):
    found = pyatspi.findAllDescendants(root, lambda a: a.getRole() == role and a.name == name)
    return found[index] if len(found) > index else None


def act(accessible, name):
    actions = accessible.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == name:
            actions.doAction(i)
            return
    sys.exit(f"{accessible.name!r} offers no action {name!r}")


def press(button):
    act(button, "Press")


def main():
    brassbell = subprocess.Popen([sys.argv[1], "--console=practice", "Speak"])
    try:
        app = wait_for("Brassbell on the accessibility bus", application)
        memory = wait_for("the list 'Text - Memory'", lambda: control(app, pyatspi.ROLE_LIST, "Text - Memory"))
        press(wait_for("the button 'Add text'", lambda: control(app, pyatspi.ROLE_PUSH_BUTTON, "Add text")))

        box = wait_for("the input box", lambda: control(app, pyatspi.ROLE_DIALOG, "Please enter your text"))
        field = wait_for("the input box's text", lambda: pyatspi.findDescendant(
            box, lambda a: a.getRole() == pyatspi.ROLE_TEXT))
        field.queryEditableText().setTextContents(TEXT)
        press(wait_for("the input box's OK", lambda: control(box, pyatspi.ROLE_PUSH_BUTTON, "OK")))

        entry = wait_for("the stored text in the list", lambda: pyatspi.findDescendant(
            memory, lambda a: a.name == TEXT))
        act(entry, "Toggle")  # selects the row, as a click does
        # The first of the two "Speak text to all" buttons speaks the list's text.
        press(wait_for("the button 'Speak text to all'",
                       lambda: control(app, pyatspi.ROLE_PUSH_BUTTON, "Speak text to all")))

        executed = wait_for("the practice console's list",
                            lambda: control(app, pyatspi.ROLE_LIST, "Executed console lines"))
        wait_for(f"'say {TEXT}' among the executed lines", lambda: pyatspi.findDescendant(
            executed, lambda a: a.name.endswith(f"say {TEXT}")))
        print("Over the accessibility bus: stored text added, spoken, and executed by the practice console")
    finally:
        brassbell.terminate()
        brassbell.wait(timeout=10)


if __name__ == "__main__":
    main()
