#!/usr/bin/env python3
"""The console as assistive technology sees it, through the desktop's accessibility bus.

    atspi_client.py buttons            names of the console's buttons that show, one a line
                                       ("-" before a disabled one)
    atspi_client.py press NAME         press the showing, enabled button NAME (waits for it)

Exit status 0 on success, 1 with a message otherwise.
"""
import sys
import time

import pyatspi

WAIT_SECONDS = 30


def console():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and (app.name or "").lower() == "quorvia":
            return app
    return None


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def buttons(app):
    for node in walk(app):
        if node.getRole() != pyatspi.ROLE_PUSH_BUTTON:
            continue
        states = node.getState()
        if states.contains(pyatspi.STATE_SHOWING):
            yield node, states.contains(pyatspi.STATE_ENABLED)


def press(name):
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        app = console()
        for node, enabled in buttons(app) if app else []:
            if node.name != name or not enabled:
                continue
            action = node.queryAction()
            for i in range(action.nActions):
                if action.getName(i).lower() == "press":
                    action.doAction(i)
                    return 0
        time.sleep(0.2)
    print(f"no button {name!r} that can be pressed", file=sys.stderr)
    return 1


def main():
    if len(sys.argv) >= 2 and sys.argv[1] == "buttons":
        app = console()
        if app is None:
            print("the console is not on the accessibility bus", file=sys.stderr)
            return 1
        for node, enabled in buttons(app):
            print(("" if enabled else "-") + node.name)
        return 0
    if len(sys.argv) == 3 and sys.argv[1] == "press":
        return press(sys.argv[2])
    print(__doc__, file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
