#!/usr/bin/python3
# Prints the accessible name of the control of the running clock whose
# accessible description is DESCRIPTION, read over the desktop's
# accessibility bus (AT-SPI). With --expect TEXT, waits until the name is
# TEXT and fails when it does not become so within the timeout.
import argparse
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def find(node, description, depth=0):
    if node is None or depth > 40:
        return None
    try:
        if node.get_description() == description:
            return node
        count = node.get_child_count()
    except Exception:
        return None
    for i in range(count):
        found = find(node.get_child_at_index(i), description, depth + 1)
        if found is not None:
            return found
    return None


def current_name(description):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is None or app.get_name() != "tockara":
            continue
        found = find(app, description)
        if found is not None:
            return found.get_name()
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("description")
    parser.add_argument("--expect")
    parser.add_argument("--timeout", type=float, default=10)
    args = parser.parse_args()
    deadline = time.monotonic() + args.timeout
    name = None
    while time.monotonic() < deadline:
        name = current_name(args.description)
        if name is not None and (args.expect is None or name == args.expect):
            print(name)
            return 0
        time.sleep(0.2)
    print(f"{args.description}: {name!r}", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
