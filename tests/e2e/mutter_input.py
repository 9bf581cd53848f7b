#!/usr/bin/python3
# The pointer and keyboard of a mutter session (mutter or GNOME Shell, on
# any backend), driven through mutter's own remote desktop interface on the
# session's bus: the virtual devices a remote desktop client uses, which
# mutter feeds to its windows as it feeds a real mouse and keyboard.
#
# Reads one line at a time from its input, each a sequence of steps as
# xdotool takes them:
#   mousemove X Y, mousedown N, mouseup N, click N, key NAME..., sleep S
# and answers "ok" (or "error: ..." ) once mutter has taken the line. The
# session lasts while the program runs: mutter ends a remote desktop
# session once the client that made it leaves the bus.
#
# The interface moves the pointer only by steps (an absolute place needs a
# screen cast stream): the pointer is first pushed into the bottom-right
# corner, where the screen stops it at (WIDTH-1, HEIGHT-1), and from there
# each move is the step from the last place.
import sys
import time

from gi.repository import Gio, GLib

BUTTONS = {"1": 0x110, "2": 0x112, "3": 0x111}  # BTN_LEFT, BTN_MIDDLE, BTN_RIGHT
KEYSYMS = {"Escape": 0xFF1B, "Return": 0xFF0D, "Down": 0xFF54, "Up": 0xFF52,
           "Left": 0xFF51, "Right": 0xFF53, "Tab": 0xFF09, "space": 0x20,
           "Super_L": 0xFFEB, "Page_Down": 0xFF56, "Page_Up": 0xFF55}


def keysym(name):
    if name in KEYSYMS:
        return KEYSYMS[name]
    if len(name) == 1:
        return ord(name)
    raise ValueError(f"unknown key {name}")


class Session:
    def __init__(self, width, height):
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        path = self.call("/org/gnome/Mutter/RemoteDesktop", "org.gnome.Mutter.RemoteDesktop",
                         "CreateSession", None)[0]
        self.path = path
        self.session("Start", None)
        self.x, self.y = width - 1, height - 1
        self.session("NotifyPointerMotionRelative", GLib.Variant("(dd)", (100000.0, 100000.0)))

    def call(self, path, interface, method, args):
        return self.bus.call_sync("org.gnome.Mutter.RemoteDesktop", path, interface, method, args,
                                  None, Gio.DBusCallFlags.NONE, 5000, None).unpack()

    def session(self, method, args):
        return self.call(self.path, "org.gnome.Mutter.RemoteDesktop.Session", method, args)

    def move(self, x, y):
        self.session("NotifyPointerMotionRelative", GLib.Variant("(dd)", (float(x - self.x), float(y - self.y))))
        self.x, self.y = x, y

    def button(self, name, pressed):
        self.session("NotifyPointerButton", GLib.Variant("(ib)", (BUTTONS[name], pressed)))

    def key(self, name, pressed):
        self.session("NotifyKeyboardKeysym", GLib.Variant("(ub)", (keysym(name), pressed)))

    def run(self, words):
        i = 0
        while i < len(words):
            step = words[i]
            if step == "mousemove":
                self.move(int(words[i + 1]), int(words[i + 2]))
                i += 3
            elif step in ("mousedown", "mouseup", "click"):
                if step != "mouseup":
                    self.button(words[i + 1], True)
                if step != "mousedown":
                    self.button(words[i + 1], False)
                i += 2
            elif step == "sleep":
                time.sleep(float(words[i + 1]))
                i += 2
            elif step == "key":
                i += 1
                while i < len(words) and words[i] not in ("mousemove", "mousedown", "mouseup",
                                                          "click", "sleep", "key"):
                    self.key(words[i], True)
                    self.key(words[i], False)
                    i += 1
            else:
                raise ValueError(f"unknown step {step}")


def main():
    width, height = (int(v) for v in sys.argv[1:3])
    try:
        session = Session(width, height)
    except GLib.Error as error:
        print(f"error: {error.message}", flush=True)
        return 1
    print("ok", flush=True)
    for line in sys.stdin:
        try:
            session.run(line.split())
            print("ok", flush=True)
        except (GLib.Error, ValueError, IndexError) as error:
            print(f"error: {getattr(error, 'message', error)}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
