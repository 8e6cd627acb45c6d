#!/usr/bin/env python3
"""Draw the button and tool pictures that Telvane loads from its program directory.

Usage: python3 data/tools/make_pictures.py OUTPUT_DIR

Every picture is a 24-bit Windows bitmap (BITMAPINFOHEADER, bottom-up rows padded to four
bytes), which is what the program and any bitmap viewer can read without help. The output is
the same on every run, so regenerating only changes a file when this script changes.
"""

import os
import struct
import sys

# Colours (R, G, B).
FACE = (192, 192, 192)  # button face: the pictures sit on tool buttons of this colour
OUTLINE = (64, 64, 64)
SHADOW = (128, 128, 128)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
NAVY = (0, 0, 128)
GREEN = (0, 176, 0)
LIME = (0, 255, 0)
YELLOW = (255, 232, 0)
RED = (224, 0, 0)
AMBER = (255, 144, 0)
PALE_AMBER = (255, 224, 128)
MID_GREY = (160, 160, 160)
SCREEN_BLUE = (0, 0, 160)

# A 5 by 7 pixel font for the button labels.
FONT_5X7 = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11100", "10010", "10001", "10001", "10001", "10010", "11100"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "J": ["00111", "00010", "00010", "00010", "00010", "10010", "01100"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "N": ["10001", "10001", "11001", "10101", "10011", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "W": ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    "X": ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    "Y": ["10001", "10001", "10001", "01010", "00100", "00100", "00100"],
    "Z": ["11111", "00001", "00010", "00100", "01000", "10000", "11111"],
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "3": ["11111", "00010", "00100", "00010", "00001", "10001", "01110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "8": ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
}

# Narrower forms, used only when a label does not fit its button in the 5 by 7 font.
FONT_4X7 = {
    "E": ["1111", "1000", "1000", "1110", "1000", "1000", "1111"],
    "N": ["1001", "1001", "1101", "1011", "1001", "1001", "1001"],
    "P": ["1110", "1001", "1001", "1110", "1000", "1000", "1000"],
    "R": ["1110", "1001", "1001", "1110", "1010", "1001", "1001"],
    "S": ["0111", "1000", "1000", "0110", "0001", "0001", "1110"],
}

# A 3 by 5 font for the terminal prompt.
FONT_3X5 = {
    ">": ["100", "010", "001", "010", "100"],
    "_": ["000", "000", "000", "000", "111"],
}


class Picture:
    def __init__(self, width, height, background=FACE):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour, rounded=False):
        for x in range(x0, x1 + 1):
            self.set(x, y0, colour)
            self.set(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.set(x0, y, colour)
            self.set(x1, y, colour)
        if rounded:
            for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
                self.set(x, y, FACE)

    def glyph(self, x, y, rows, colour):
        for dy, row in enumerate(rows):
            for dx, bit in enumerate(row):
                if bit == "1":
                    self.set(x + dx, y + dy, colour)

    def polygon(self, points, fill_colour, edge_colour=None):
        """Fills a convex polygon by pixel centres; with an edge colour, its inner rim too."""
        inside = [[_inside_convex(points, x + 0.5, y + 0.5) for x in range(self.width)]
                  for y in range(self.height)]
        for y in range(self.height):
            for x in range(self.width):
                if not inside[y][x]:
                    continue
                rim = any(not (0 <= x + dx < self.width and 0 <= y + dy < self.height)
                          or not inside[y + dy][x + dx]
                          for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                self.set(x, y, edge_colour if (rim and edge_colour) else fill_colour)


def _inside_convex(points, px, py):
    sign = 0
    n = len(points)
    for i in range(n):
        ax, ay = points[i]
        bx, by = points[(i + 1) % n]
        cross = (bx - ax) * (py - ay) - (by - ay) * (px - ax)
        if abs(cross) < 1e-9:
            continue
        s = 1 if cross > 0 else -1
        if sign == 0:
            sign = s
        elif s != sign:
            return False
    return True


# Letters whose strokes would run together when doubled get their own bold forms.
BOLD_5X7 = {
    "M": ["1100011", "1110111", "1111111", "1101011", "1100011", "1100011", "1100011"],
    "W": ["1100011", "1100011", "1100011", "1101011", "1111111", "1110111", "1100011"],
}


def glyph_rows(ch, font, bold):
    rows = font.get(ch, FONT_5X7[ch])
    if not bold:
        return rows
    if ch in BOLD_5X7:
        return BOLD_5X7[ch]
    # Double each stroke one pixel to the right.
    return ["".join("1" if (i < len(row) and row[i] == "1") or (i > 0 and row[i - 1] == "1")
                    else "0" for i in range(len(row) + 1)) for row in rows]


def text_width(label, font, bold=False):
    return sum(len(glyph_rows(ch, font, bold)[0]) for ch in label) + len(label) - 1


def draw_text(picture, x, y, label, font, colour, bold=False):
    for ch in label:
        rows = glyph_rows(ch, font, bold)
        picture.glyph(x, y, rows, colour)
        x += len(rows[0]) + 1


def write_bmp(path, picture):
    row_bytes = picture.width * 3
    padding = (4 - row_bytes % 4) % 4
    image = bytearray()
    for y in range(picture.height - 1, -1, -1):  # bottom-up
        for r, g, b in picture.pixels[y]:
            image += bytes((b, g, r))
        image += b"\0" * padding
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(image), 0, 0, header_size)
    # 3780 pixels per metre is 96 pixels per inch.
    info_header = struct.pack("<IiiHHIIiiII", 40, picture.width, picture.height, 1, 24, 0,
                              len(image), 3780, 3780, 0, 0)
    with open(path, "wb") as out:
        out.write(file_header + info_header + image)


# --- The pictures -------------------------------------------------------------------------

# Network buttons: system label, picture width. Each picture is a few pixels narrower than
# the button that shows it, which leaves room for the button's own border.
NETWORK_HEIGHT = 20
NETWORK_BUTTONS = {
    "nexus.bmp": ("NEX", 22),
    "avid.bmp": ("AVID", 40),
    "apnews.bmp": ("AP", 22),
    "newsmake.bmp": ("NM", 22),
    "newstar.bmp": ("NSTR", 26),
    "maxmedia.bmp": ("MAX", 22),
    "dalet.bmp": ("DAL", 30),
    "cea.bmp": ("CEA", 22),
    "mos.bmp": ("MOS", 40),
    "nepras.bmp": ("NEP", 20),
    "enps.bmp": ("ENPS", 36),
    "os2000.bmp": ("OS2K", 40),
}


def plaque(width, height):
    """A labelled plate: button face inside a dark rounded outline."""
    p = Picture(width, height)
    p.frame(0, 0, width - 1, height - 1, OUTLINE, rounded=True)
    return p


def network_button(label, width):
    p = plaque(width, NETWORK_HEIGHT)
    # The boldest form that still leaves a clear pixel between the text and the outline
    # (two where there is room for it).
    for font, bold, margin in ((FONT_5X7, True, 3), (FONT_5X7, False, 1), (FONT_4X7, False, 1)):
        w = text_width(label, font, bold)
        if w <= width - 2 - 2 * margin:
            break
    else:
        raise ValueError(f"label {label!r} does not fit {width} pixels")
    draw_text(p, (width - w) // 2, (NETWORK_HEIGHT - 7) // 2, label, font, NAVY, bold)
    return p


def monitor(width, height, screen_colour):
    """A small display: bezel, screen, neck and foot. Returns the picture and screen box."""
    p = Picture(width, height)
    x0, y0, x1, y1 = 1, 1, width - 2, height - 7
    p.fill(x0, y0, x1, y1, SHADOW)
    p.frame(x0, y0, x1, y1, OUTLINE)
    sx0, sy0, sx1, sy1 = x0 + 2, y0 + 2, x1 - 2, y1 - 2
    p.fill(sx0, sy0, sx1, sy1, screen_colour)
    cx = width // 2
    p.fill(cx - 2, y1 + 1, cx + 1, y1 + 2, OUTLINE)
    p.fill(cx - 6, y1 + 3, cx + 5, y1 + 4, OUTLINE)
    p.fill(cx - 5, y1 + 3, cx + 4, y1 + 3, SHADOW)
    return p, (sx0, sy0, sx1, sy1)


def telnet():
    """Default link: a network terminal showing its prompt."""
    p, (sx0, sy0, sx1, sy1) = monitor(22, 20, BLACK)
    p.glyph(sx0 + 2, sy0 + 2, FONT_3X5[">"], LIME)
    p.glyph(sx0 + 6, sy0 + 2, FONT_3X5["_"], LIME)
    return p


def dvmode():
    p, (sx0, sy0, sx1, sy1) = monitor(20, 20, SCREEN_BLUE)
    w = text_width("DV", FONT_5X7)
    draw_text(p, sx0 + (sx1 - sx0 + 1 - w) // 2, sy0 + (sy1 - sy0 + 1 - 7) // 2, "DV",
              FONT_5X7, WHITE)
    return p


def pblack():
    """Blank screen: a display whose screen is black, with a light rim so it reads as a screen."""
    p, (sx0, sy0, sx1, sy1) = monitor(20, 20, BLACK)
    p.frame(sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1, MID_GREY)
    return p


def tt():
    """"TT": two bold capitals, 15 by 14."""
    p = Picture(15, 14)
    for left in (0, 8):
        p.fill(left, 1, left + 6, 2, BLACK)
        p.fill(left + 2, 3, left + 4, 12, BLACK)
    return p


def ps():
    """"PS": two bold capitals, 14 by 12."""
    p = Picture(14, 12)
    p.glyph(0, 1, ["111110", "110011", "110011", "110011", "111110",
                   "110000", "110000", "110000", "110000", "110000"], BLACK)
    p.glyph(8, 1, ["011110", "110011", "110000", "111000", "011110",
                   "000111", "000011", "000011", "110011", "011110"], BLACK)
    return p


def gerital():
    """Italics for the German interface: a slanted bold K ("Kursiv")."""
    p = Picture(20, 20)
    for r in range(3, 17):
        stem = 8 - (r - 3) // 3  # leans one pixel every three rows
        p.fill(stem, r, stem + 1, r, BLACK)
        if r <= 8:
            arm = 15 - (r - 3)  # upper arm, up to the right
        elif r == 9:
            arm = stem + 2  # where both arms meet the stem
        else:
            arm = 8 + (r - 10) * 2 // 3  # lower arm, down to the right
        p.fill(arm, r, arm + 2, r, BLACK)
    return p


def gerinvl():
    """Inverse for the German interface: a white "I" on a black block."""
    p = Picture(20, 20)
    p.fill(3, 2, 16, 17, BLACK)
    p.fill(6, 4, 13, 5, WHITE)
    p.fill(9, 6, 10, 13, WHITE)
    p.fill(6, 14, 13, 15, WHITE)
    return p


def arrow(pointing_down):
    p = Picture(11, 7)
    for i in range(5):
        y = 1 + i if pointing_down else 5 - i
        p.fill(1 + i, y, 9 - i, y, BLACK)
    return p


# Prompt start button, one picture per state of the button: idle, prompting, held, stopping
# and the alternate phase shown while it flashes.
START_STATES = [
    ("btstart0.bmp", MID_GREY, OUTLINE, None),
    ("btstart1.bmp", GREEN, (0, 96, 0), None),
    ("btstart2.bmp", YELLOW, (128, 112, 0), None),
    ("btstart3.bmp", RED, (112, 0, 0), None),
    ("btstart4.bmp", AMBER, (128, 64, 0), PALE_AMBER),
]


def start_button(fill_colour, edge_colour, glow):
    p = Picture(20, 20)
    if glow:
        # The flashing phase lights up the whole face behind the triangle.
        p.fill(2, 2, 17, 17, glow)
        p.frame(2, 2, 17, 17, AMBER)
    p.polygon([(5.0, 2.5), (5.0, 17.5), (16.5, 10.0)], fill_colour, edge_colour)
    return p


def all_pictures():
    pictures = {name: network_button(label, width)
                for name, (label, width) in NETWORK_BUTTONS.items()}
    pictures["telnet.bmp"] = telnet()
    pictures["dvmode.bmp"] = dvmode()
    pictures["pblack.bmp"] = pblack()
    pictures["tt.bmp"] = tt()
    pictures["ps.bmp"] = ps()
    pictures["gerital.bmp"] = gerital()
    pictures["gerinvl.bmp"] = gerinvl()
    pictures["dropdown.bmp"] = arrow(True)
    pictures["dropup.bmp"] = arrow(False)
    for name, fill_colour, edge_colour, glow in START_STATES:
        pictures[name] = start_button(fill_colour, edge_colour, glow)
    return pictures


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_pictures.py OUTPUT_DIR\n")
        return 2
    out_dir = argv[1]
    os.makedirs(out_dir, exist_ok=True)
    for name, picture in sorted(all_pictures().items()):
        write_bmp(os.path.join(out_dir, name), picture)
        print(f"{name} {picture.width}x{picture.height}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
