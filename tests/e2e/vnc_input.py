#!/usr/bin/env python3
"""Pointer and keyboard of a session through its VNC server, for the tests.

    vnc_input.py HOST PORT [SECONDS]

Connects to the VNC server (protocol 3.8, no authentication, shared) and
answers "ready WIDTH HEIGHT" once the server has said who it is, or "error
WHY" and ends. Then reads one chain of commands a line (the words of an
xdotool command chain, split as a shell would) from its input and answers
"ok" once all of them are sent, or "error WHY":

    mousemove X Y   mousedown N   mouseup N   click N
    key NAME...     keydown NAME...   keyup NAME...   type TEXT...
    sleep SECONDS

A key NAME is an X key name (Escape, Return, Down, k) or names joined by
"+" (ctrl+j): the keys are pressed in turn and let go in the reverse order.
The buttons held stay held from one line to the next, as the pointer's
place does, since one process serves the whole test.
"""
import shlex
import socket
import struct
import sys
import threading
import time

KEYS = {
    "BackSpace": 0xFF08, "Tab": 0xFF09, "Return": 0xFF0D, "Escape": 0xFF1B,
    "Home": 0xFF50, "Left": 0xFF51, "Up": 0xFF52, "Right": 0xFF53, "Down": 0xFF54,
    "Page_Up": 0xFF55, "Prior": 0xFF55, "Page_Down": 0xFF56, "Next": 0xFF56,
    "End": 0xFF57, "Insert": 0xFF63, "Menu": 0xFF67, "Delete": 0xFFFF,
    "space": 0x20, "minus": 0x2D, "period": 0x2E, "comma": 0x2C, "slash": 0x2F, "plus": 0x2B,
    "Shift_L": 0xFFE1, "Shift_R": 0xFFE2, "Control_L": 0xFFE3, "Control_R": 0xFFE4,
    "Alt_L": 0xFFE9, "Alt_R": 0xFFEA, "Super_L": 0xFFEB, "Super_R": 0xFFEC,
    "shift": 0xFFE1, "ctrl": 0xFFE3, "control": 0xFFE3, "alt": 0xFFE9,
    "super": 0xFFEB,
}
KEYS.update({"F%d" % n: 0xFFBD + n for n in range(1, 13)})
COMMANDS = {"mousemove", "mousedown", "mouseup", "click", "key", "keydown",
            "keyup", "type", "sleep"}
# What xdotool's "type" presses Shift for on a US keyboard.
SHIFTED = set('ABCDEFGHIJKLMNOPQRSTUVWXYZ~!@#$%^&*()_+{}|:"<>?')


def keysym(name):
    if name in KEYS:
        return KEYS[name]
    if len(name) == 1:
        return ord(name) if ord(name) < 0x100 else 0x01000000 + ord(name)
    raise ValueError("no key named %r" % name)


def read_exactly(sock, count):
    data = b""
    while len(data) < count:
        part = sock.recv(count - len(data))
        if not part:
            raise ConnectionError("the server closed the connection")
        data += part
    return data


class Session:
    def __init__(self, host, port, seconds):
        deadline = time.monotonic() + seconds
        while True:
            try:
                self.sock = socket.create_connection((host, port), timeout=5)
                break
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.05)
        version = read_exactly(self.sock, 12)
        if not version.startswith(b"RFB 003."):
            raise ConnectionError("not a VNC server: %r" % version)
        self.sock.sendall(b"RFB 003.008\n")
        count = read_exactly(self.sock, 1)[0]
        if count == 0:
            length = struct.unpack(">I", read_exactly(self.sock, 4))[0]
            raise ConnectionError(read_exactly(self.sock, length).decode(errors="replace"))
        if 1 not in read_exactly(self.sock, count):
            raise ConnectionError("the server wants authentication")
        self.sock.sendall(b"\x01")
        if struct.unpack(">I", read_exactly(self.sock, 4))[0] != 0:
            raise ConnectionError("the server refused the connection")
        self.sock.sendall(b"\x01")  # shared
        self.width, self.height = struct.unpack(">HH", read_exactly(self.sock, 4))
        read_exactly(self.sock, 16)  # pixel format
        length = struct.unpack(">I", read_exactly(self.sock, 4))[0]
        read_exactly(self.sock, length)  # the desktop's name
        self.sock.settimeout(None)
        # What the server sends from now on is not needed: read and dropped,
        # so that it never fills the connection.
        threading.Thread(target=self.drain, daemon=True).start()
        self.x = self.y = 0
        self.buttons = 0

    def drain(self):
        try:
            while self.sock.recv(65536):
                pass
        except OSError:
            pass

    def pointer(self):
        self.sock.sendall(struct.pack(">BBHH", 5, self.buttons, self.x, self.y))

    def button(self, number, down):
        bit = 1 << (int(number) - 1)
        self.buttons = self.buttons | bit if down else self.buttons & ~bit
        self.pointer()

    def key(self, symbol, down):
        self.sock.sendall(struct.pack(">BBxxI", 4, 1 if down else 0, symbol))

    def chord(self, name, press=True, release=True):
        symbols = [keysym(part) for part in name.split("+")]
        if press:
            for symbol in symbols:
                self.key(symbol, True)
        if release:
            for symbol in reversed(symbols):
                self.key(symbol, False)

    def run(self, words):
        while words:
            command = words.pop(0)
            arguments = []
            while words and words[0] not in COMMANDS:
                arguments.append(words.pop(0))
            if command == "mousemove":
                self.x, self.y = (int(value) for value in arguments)
                self.pointer()
            elif command in ("mousedown", "mouseup"):
                self.button(arguments[0], command == "mousedown")
            elif command == "click":
                self.button(arguments[0], True)
                self.button(arguments[0], False)
            elif command in ("key", "keydown", "keyup"):
                for name in arguments:
                    self.chord(name, command != "keyup", command != "keydown")
            elif command == "type":
                for character in " ".join(arguments):
                    self.chord(("shift+" if character in SHIFTED else "") + character.replace("+", "plus"))
            elif command == "sleep":
                time.sleep(float(arguments[0]))
            else:
                raise ValueError("no command %r" % command)


def main():
    try:
        session = Session(sys.argv[1], int(sys.argv[2]), float(sys.argv[3]) if len(sys.argv) > 3 else 10)
    except (OSError, ValueError) as error:
        print("error", error, flush=True)
        return 1
    print("ready", session.width, session.height, flush=True)
    for line in sys.stdin:
        try:
            session.run(shlex.split(line))
            print("ok", flush=True)
        except (ValueError, IndexError) as error:
            print("error", error, flush=True)
        except OSError as error:
            print("error", error, flush=True)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
