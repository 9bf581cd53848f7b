#!/usr/bin/python3
# Reads the running clock's windows over the desktop's accessibility bus
# (AT-SPI), as a screen reader sees them. Each command waits until its
# condition holds and fails (exit 1, saying what it saw) after the timeout.
#   description NAME [--contains TEXT]  the description of the object NAME
#   fields WINDOW [--expect N]          every editable field of the window
#                                       titled WINDOW is named (at least N)
#   focused [--expect NAME]             the name of the focused object
#   named NAME [--role ROLE]            an object named NAME (and of the role
#                                       ROLE, such as "combo box") is showing
#   box TEXT [--part]                   a shown box whose text reads TEXT
#                                       (with --part: holds it) holds its
#                                       text (unless it scrolls) and buttons
#                                       wholly inside it; prints its place,
#                                       WxH+X+Y
import argparse
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def children(node):
    try:
        return [node.get_child_at_index(i) for i in range(node.get_child_count())]
    except Exception:
        return []


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for child in children(node):
        yield from walk(child, depth + 1)


def has(node, state):
    try:
        return node.get_state_set().contains(state)
    except Exception:
        return False


def name_of(node):
    try:
        return node.get_name() or ""
    except Exception:
        return ""


def windows():
    desktop = Atspi.get_desktop(0)
    for app in children(desktop):
        if app is not None and name_of(app) == "tockara":
            yield from children(app)


def everything():
    for window in windows():
        yield from walk(window)


def description(args):
    for node in everything():
        if name_of(node) == args.name:
            text = node.get_description() or ""
            return (args.contains is None or args.contains in text), text
    return False, f"no object named {args.name}"


def fields(args):
    for window in windows():
        if name_of(window) != args.window or not has(window, Atspi.StateType.SHOWING):
            continue
        found = [node for node in walk(window)
                 if has(node, Atspi.StateType.EDITABLE) and has(node, Atspi.StateType.SHOWING)]
        names = [name_of(node) for node in found]
        ok = len(names) >= args.expect and all(names)
        return ok, f"{args.window}: {names}"
    return False, f"no window {args.window}"


# The innermost focused object: a table's focused cell rather than the table.
def focused(args):
    found = [node for node in everything()
             if has(node, Atspi.StateType.FOCUSED) and node.get_role() != Atspi.Role.FRAME]
    if not found:
        return False, "nothing focused"
    name = name_of(found[-1])
    return (args.expect is None or name == args.expect), name


# AT-SPI renamed some roles (at-spi2-core 2.46 says "push button", 2.56
# "button"); a role is compared by the name of its current release.
ROLE_NAMES = {"push button": "button"}


def role_of(node):
    try:
        name = node.get_role_name() or ""
    except Exception:
        return ""
    return ROLE_NAMES.get(name, name)


def named(args):
    roles = []
    for node in everything():
        if name_of(node) == args.name and has(node, Atspi.StateType.SHOWING):
            if args.role is None or role_of(node) == ROLE_NAMES.get(args.role, args.role):
                return True, args.name
            roles.append(role_of(node))
    return False, f"no object named {args.name}" + (f" of the role {args.role} ({roles})" if roles else "")


def extents(node):
    try:
        e = node.get_extents(Atspi.CoordType.SCREEN)
        return e.x, e.y, e.width, e.height
    except Exception:
        return None


def inside(inner, outer):
    x, y, w, h = inner
    ox, oy, ow, oh = outer
    return w > 0 and h > 0 and x >= ox and y >= oy and x + w <= ox + ow and y + h <= oy + oh


def box(args):
    for window in windows():
        if not has(window, Atspi.StateType.SHOWING):
            continue
        nodes = list(walk(window))
        texts = [node for node in nodes if role_of(node) == "label" and has(node, Atspi.StateType.SHOWING)
                 and (args.text in name_of(node) if args.part else name_of(node) == args.text)]
        if not texts:
            continue
        outer = extents(window)
        if outer is None:
            return False, "the box has no place"
        place = "%dx%d+%d+%d" % (outer[2], outer[3], outer[0], outer[1])
        scrolls = any(role_of(node) == "scroll bar" and has(node, Atspi.StateType.SHOWING) for node in nodes)
        parts = [("text", texts[0])] if not scrolls else []
        parts += [(name_of(node), node) for node in nodes
                  if role_of(node) == "button" and has(node, Atspi.StateType.SHOWING)]
        outside = [f"{what} at {extents(node)}" for what, node in parts if not inside(extents(node) or (0, 0, 0, 0), outer)]
        if outside:
            return False, f"the box {place} does not hold " + ", ".join(outside)
        return True, place
    shown = [name_of(node) for window in windows() if has(window, Atspi.StateType.SHOWING)
             for node in walk(window) if role_of(node) == "label"]
    return False, f"no box reads {args.text!r} (texts shown: {shown})"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--timeout", type=float, default=10)
    commands = parser.add_subparsers(dest="command", required=True)
    p = commands.add_parser("description")
    p.add_argument("name")
    p.add_argument("--contains")
    p.set_defaults(run=description)
    p = commands.add_parser("fields")
    p.add_argument("window")
    p.add_argument("--expect", type=int, default=1)
    p.set_defaults(run=fields)
    p = commands.add_parser("focused")
    p.add_argument("--expect")
    p.set_defaults(run=focused)
    p = commands.add_parser("named")
    p.add_argument("name")
    p.add_argument("--role")
    p.set_defaults(run=named)
    p = commands.add_parser("box")
    p.add_argument("text")
    p.add_argument("--part", action="store_true")
    p.set_defaults(run=box)
    args = parser.parse_args()

    deadline = time.monotonic() + args.timeout
    while True:
        ok, seen = args.run(args)
        if ok:
            print(seen)
            return 0
        if time.monotonic() >= deadline:
            print(f"{args.command}: {seen}", file=sys.stderr)
            return 1
        time.sleep(0.2)


if __name__ == "__main__":
    sys.exit(main())
