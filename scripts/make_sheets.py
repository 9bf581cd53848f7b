#!/usr/bin/env python3
"""Draws the clock's figure sheets and the sample environments.

Writes, from nothing but the drawings below:
  data/anime/builtin.gif      the clock's own figure: two 32 x 32 poses (left
                              column, on black) and their masks (right column,
                              black figure on white)
  src/face/builtin_sheet.cpp  the same GIF as bytes, so the clock never lacks
                              its figure
  data/anime/walker.*         a chick walking back and forth over a meadow
  data/anime/scroll.*         a bird flying over a landscape that glides by
  data/anime/runner.*         the chick running on the spot while the landscape
                              steps along with it

Run it from anywhere; it needs Python 3 and ImageMagick's `convert`. The
generated files are kept in the repository, so building never needs either.
"""
import os
import subprocess
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ANIME = os.path.join(ROOT, "data", "anime")

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)


class Canvas:
    """A picture of RGB tuples; None marks pixels nothing was drawn on."""

    def __init__(self, width, height, fill=None):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def ellipse(self, cx, cy, rx, ry, colour):
        for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
            for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
                if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0:
                    self.set(x, y, colour)

    def disc(self, cx, cy, r, colour):
        self.ellipse(cx, cy, r, r, colour)

    def line(self, x0, y0, x1, y1, colour, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            if width == 1:
                self.set(x, y, colour)
            else:
                self.disc(x, y, width / 2, colour)

    def triangle(self, a, b, c, colour):
        a, b, c = [(round(p[0]), round(p[1])) for p in (a, b, c)]
        xs, ys = [p[0] for p in (a, b, c)], [p[1] for p in (a, b, c)]

        def side(p, q, r):
            return (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0])

        for y in range(min(ys), max(ys) + 1):
            for x in range(min(xs), max(xs) + 1):
                d1, d2, d3 = side(a, b, (x, y)), side(b, c, (x, y)), side(c, a, (x, y))
                negative = d1 < 0 or d2 < 0 or d3 < 0
                positive = d1 > 0 or d2 > 0 or d3 > 0
                if not (negative and positive):
                    self.set(x, y, colour)

    def mirrored(self):
        out = Canvas(self.width, self.height)
        for y in range(self.height):
            out.pixels[y] = list(reversed(self.pixels[y]))
        return out

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                if other.pixels[y][x] is not None:
                    self.set(left + x, top + y, other.pixels[y][x])


def picture_of(figure):
    """The figure on black: what is XORed into the face."""
    out = Canvas(figure.width, figure.height, BLACK)
    out.paste(figure, 0, 0)
    return out


def mask_of(figure):
    """Black where the figure is, white where the face shows through."""
    out = Canvas(figure.width, figure.height, WHITE)
    for y in range(figure.height):
        for x in range(figure.width):
            if figure.pixels[y][x] is not None:
                out.set(x, y, BLACK)
    return out


def save_gif(canvas, path):
    with tempfile.TemporaryDirectory() as folder:
        ppm = os.path.join(folder, "picture.ppm")
        with open(ppm, "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (canvas.width, canvas.height))
            for row in canvas.pixels:
                for pixel in row:
                    f.write(bytes(pixel if pixel is not None else BLACK))
        # Few colours, so the palette is exact: no dithering, no quantising.
        subprocess.run(["convert", ppm, "+dither", "-strip", "gif:" + path], check=True)


def write_definition(path, sections):
    """An environment definition: INI text in CP932 with CR LF line ends."""
    lines = []
    for name, keys in sections:
        lines.append("[%s]" % name)
        lines.extend("%s=%s" % (key, value) for key, value in keys)
        lines.append("")
    with open(path, "w", encoding="cp932", newline="\r\n") as f:
        f.write("\n".join(lines))


# --- The clock's own figure --------------------------------------------------

YELLOW = (255, 214, 40)
OUTLINE = (120, 70, 0)
ORANGE = (255, 120, 0)
RED = (220, 40, 40)
PINK = (255, 150, 170)


def builtin_pose(hop):
    """A round little sprite of the clock; pose 2 hops up with its arms raised."""
    f = Canvas(32, 32)
    cy = 15 - hop
    # feet
    foot_y = 27 - hop
    f.ellipse(11, foot_y, 3, 1.5, RED)
    f.ellipse(21, foot_y, 3, 1.5, RED)
    # arms
    if hop:
        f.line(7, cy - 1, 3, cy - 7, OUTLINE, 2)
        f.line(25, cy - 1, 29, cy - 7, OUTLINE, 2)
    else:
        f.line(7, cy + 2, 3, cy + 6, OUTLINE, 2)
        f.line(25, cy + 2, 29, cy + 6, OUTLINE, 2)
    # body with an outline
    f.disc(16, cy, 10.5, OUTLINE)
    f.disc(16, cy, 9.5, YELLOW)
    # a clock face on its belly: the clock's own mascot
    f.disc(16, cy + 4, 3.5, WHITE)
    f.line(16, cy + 4, 16, cy + 2, BLACK)
    f.line(16, cy + 4, 18, cy + 4, BLACK)
    # eyes, cheeks, mouth
    f.rect(12, cy - 5, 13, cy - 3, BLACK)
    f.rect(19, cy - 5, 20, cy - 3, BLACK)
    f.set(12, cy - 5, WHITE)
    f.set(19, cy - 5, WHITE)
    f.rect(9, cy - 2, 10, cy - 1, PINK)
    f.rect(22, cy - 2, 23, cy - 1, PINK)
    f.triangle((15, cy - 2), (17, cy - 2), (16, cy - 1), ORANGE)
    return f


def builtin_sheet():
    sheet = Canvas(64, 64, BLACK)
    for row, pose in enumerate((builtin_pose(0), builtin_pose(2))):
        sheet.paste(picture_of(pose), 0, 32 * row)
        sheet.paste(mask_of(pose), 32, 32 * row)
    return sheet


def write_embedded_sheet(gif_path, cpp_path):
    data = open(gif_path, "rb").read()
    rows = []
    for i in range(0, len(data), 16):
        rows.append("    " + ", ".join("0x%02x" % b for b in data[i:i + 16]) + ",")
    text = """// Generated by scripts/make_sheets.py from data/anime/builtin.gif; do not edit.
#include "face/builtin_sheet.h"

namespace {

const unsigned char kBuiltInSheetGif[] = {
%s
};

} // namespace

QByteArray BuiltInSheetGif()
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(kBuiltInSheetGif),
                                   sizeof kBuiltInSheetGif);
}
""" % "\n".join(rows)
    with open(cpp_path, "w") as f:
        f.write(text)


# --- The walking chick ---------------------------------------------------------

CHICK = (255, 230, 60)
CHICK_DARK = (200, 150, 0)


def chick_frame(step):
    """A chick walking right, 24 x 24; steps 0..3 swing its legs."""
    f = Canvas(24, 24)
    bob = 1 if step in (1, 3) else 0
    hip_y = 17 - bob
    legs = {0: (-3, 3), 1: (0, 0), 2: (3, -3), 3: (0, 0)}[step]
    for dx in legs:
        f.line(11, hip_y, 11 + dx, 21, ORANGE)
        f.line(11 + dx, 22, 11 + dx + 2, 22, ORANGE)
    f.disc(11, 12 - bob, 7.5, CHICK_DARK)
    f.disc(11, 12 - bob, 6.5, CHICK)
    f.ellipse(8, 13 - bob, 3.5, 2 + (step % 2), CHICK_DARK)   # the wing
    f.rect(14, 8 - bob, 15, 9 - bob, BLACK)                   # the eye
    f.triangle((18, 9 - bob), (22, 11 - bob), (18, 12 - bob), ORANGE)
    f.rect(8, 3 - bob, 9, 4 - bob, CHICK_DARK)                # a tuft
    return f


def walker_sheet():
    """Row 0 walking right, row 1 its masks; row 2 walking left, row 3 masks."""
    sheet = Canvas(96, 96, BLACK)
    for step in range(4):
        right = chick_frame(step)
        left = right.mirrored()
        sheet.paste(picture_of(right), 24 * step, 0)
        sheet.paste(mask_of(right), 24 * step, 24)
        sheet.paste(picture_of(left), 24 * step, 48)
        sheet.paste(mask_of(left), 24 * step, 72)
    return sheet


SKY = (150, 205, 255)
SKY_LOW = (190, 225, 255)
GRASS = (70, 170, 60)
GRASS_DARK = (40, 120, 40)
HILL = (110, 190, 90)
SUN = (255, 220, 80)
FLOWER = (250, 90, 140)


def meadow(width, height):
    m = Canvas(width, height, SKY)
    m.rect(0, height // 2, width - 1, height - 1, SKY_LOW)
    m.disc(width - 22, 16, 8, SUN)
    m.ellipse(width * 0.25, height - 14, width * 0.35, 18, HILL)
    m.ellipse(width * 0.8, height - 12, width * 0.3, 14, HILL)
    m.rect(0, height - 14, width - 1, height - 1, GRASS)
    for x in range(3, width, 7):
        m.line(x, height - 14, x + 1, height - 17, GRASS_DARK)
    for x in range(10, width, 23):
        m.disc(x, height - 6, 1.5, FLOWER)
    return m


def walker_patterns():
    """12 steps right, 24 left, 12 right: the chick ends where it began."""
    patterns = []
    for direction, steps in ((1, 12), (-1, 24), (1, 12)):
        row = 0 if direction > 0 else 48
        for i in range(steps):
            x = 24 * (i % 4)
            patterns.append((x, row, x, row + 24, 24, 24, 3 * direction, 0, 2))
    return patterns


def pattern_keys(patterns):
    return [("Pat%d" % (n + 1), ",".join(str(v) for v in p)) for n, p in enumerate(patterns)]


# --- The landscape and the bird ------------------------------------------------

PERIOD = 240          # the landscape repeats every 240 pixels ...
FACE = 80             # ... and is one face less one pixel wider, so the
STRIP = PERIOD + FACE - 1   # jump back to the start cannot be seen
CLOUD = (250, 250, 255)
MOUNTAIN = (120, 140, 190)
TRUNK = (110, 70, 30)
LEAVES = (40, 130, 50)


def repeated(draw):
    """Draws an element at x and one period to each side, so the strip tiles."""
    for shift in (-PERIOD, 0, PERIOD):
        draw(shift)


def landscape():
    land = Canvas(STRIP, FACE, SKY)
    land.rect(0, 40, STRIP - 1, FACE - 1, SKY_LOW)
    for cx, cy, size in ((30, 14, 9), (120, 22, 7), (190, 10, 10)):
        repeated(lambda s, cx=cx, cy=cy, size=size: (
            land.ellipse(cx + s, cy, size * 1.8, size * 0.7, CLOUD),
            land.disc(cx + s - size * 0.5, cy - 3, size * 0.6, CLOUD)))
    for cx, half in ((60, 40), (160, 50), (230, 30)):
        repeated(lambda s, cx=cx, half=half: land.triangle(
            (cx + s - half, 66), (cx + s, 66 - half * 0.6), (cx + s + half, 66), MOUNTAIN))
    land.rect(0, 66, STRIP - 1, FACE - 1, GRASS)
    for x in range(0, STRIP, 6):
        land.line(x, 66, x + 1, 63, GRASS_DARK)
    for cx in (20, 95, 140, 210):
        repeated(lambda s, cx=cx: (land.rect(cx + s - 1, 58, cx + s + 1, 66, TRUNK),
                                   land.disc(cx + s, 53, 6, LEAVES)))
    return land


BIRD = (60, 90, 200)
WING = (30, 50, 140)
BELLY = (240, 240, 255)


def bird_frame(wings_up):
    f = Canvas(24, 24)
    f.ellipse(12, 13, 7, 4, BIRD)
    f.ellipse(12, 14, 5, 2, BELLY)
    if wings_up:
        f.triangle((8, 12), (15, 12), (7, 2), WING)
    else:
        f.triangle((8, 12), (15, 12), (8, 22), WING)
    f.disc(19, 11, 3, BIRD)
    f.set(20, 10, BLACK)
    f.triangle((22, 10), (23, 12), (21, 12), ORANGE)
    f.triangle((5, 12), (1, 9), (1, 15), BIRD)
    return f


def bird_sheet():
    sheet = Canvas(48, 48, BLACK)
    for n, up in enumerate((True, False)):
        bird = bird_frame(up)
        sheet.paste(picture_of(bird), 24 * n, 0)
        sheet.paste(mask_of(bird), 24 * n, 24)
    return sheet


# --- Everything ---------------------------------------------------------------

def main():
    os.makedirs(ANIME, exist_ok=True)
    builtin = os.path.join(ANIME, "builtin.gif")
    save_gif(builtin_sheet(), builtin)
    write_embedded_sheet(builtin, os.path.join(ROOT, "src", "face", "builtin_sheet.cpp"))

    save_gif(walker_sheet(), os.path.join(ANIME, "walker.gif"))
    save_gif(meadow(120, 80), os.path.join(ANIME, "walker_back.gif"))
    walk = walker_patterns()
    write_definition(os.path.join(ANIME, "walker.dat"), [
        ("Setting", [("Title", "てくてく散歩"), ("File", "walker.gif"),
                     ("Pattern", len(walk))]),
        ("Environment", [("ClockWidth", 120), ("ClockHeight", 80),
                         ("ColorHLine", 1056816), ("ColorMLine", 1056816),
                         ("ColorSLine", 2631935), ("ThickHLine", 3), ("ThickMLine", 2),
                         ("ThickSLine", 1), ("BackGround", "walker_back.gif"),
                         ("TilePattern", 0), ("JustSize", 1),
                         ("AdjustX", 0), ("AdjustY", 20), ("Scroll", "OFF")]),
        ("Pattern", pattern_keys(walk)),
    ])

    save_gif(landscape(), os.path.join(ANIME, "scroll_back.gif"))
    save_gif(bird_sheet(), os.path.join(ANIME, "bird.gif"))
    common_landscape = [("ClockWidth", FACE), ("ClockHeight", FACE),
                        ("BackGround", "scroll_back.gif"), ("TilePattern", 0),
                        ("JustSize", 0), ("Scroll", "ON")]
    write_definition(os.path.join(ANIME, "scroll.dat"), [
        ("Setting", [("Title", "空の旅"), ("File", "bird.gif"), ("Pattern", 2)]),
        ("Environment", common_landscape + [("AdjustX", 0), ("AdjustY", -14)]),
        ("ScrollPattern", [("ScrollLink", "OFF"), ("StartPosX", 0), ("StartPosY", 0),
                           ("VectX", 1), ("VectY", 0), ("EndAction", "Repeat")]),
        ("Pattern", pattern_keys([(0, 0, 0, 24, 24, 24, 0, 0, 3),
                                  (24, 0, 24, 24, 24, 24, 0, 0, 3)])),
    ])
    run = [(24 * i, 0, 24 * i, 24, 24, 24, 0, 0, 2) for i in range(4)]
    write_definition(os.path.join(ANIME, "runner.dat"), [
        ("Setting", [("Title", "かけっこ"), ("File", "walker.gif"), ("Pattern", len(run))]),
        ("Environment", common_landscape + [("AdjustX", 0), ("AdjustY", 20)]),
        ("ScrollPattern", [("ScrollLink", "ON"), ("StartPosX", 0), ("StartPosY", 0),
                           ("VectX", 4), ("VectY", 0), ("EndAction", "Repeat")]),
        ("Pattern", pattern_keys(run)),
    ])


if __name__ == "__main__":
    main()
