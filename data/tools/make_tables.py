#!/usr/bin/env python3
"""Write Telvane's five character translation tables.

Usage: python3 data/tools/make_tables.py OUTPUT_DIR

Each table is a text file: a heading line, then one line per entry 0 to 255 of the form
"n:XX", XX being the translated byte in hexadecimal. Lines end in CR LF.

"telvn32.asc" turns DOS text (code page 437) into the program's Windows text (code page
1252). Characters that code page 1252 lacks (box drawing, shades, most Greek letters and
mathematical signs) get the nearest character it does have, from FALLBACK below, so that
imported DOS text still reads sensibly on the prompter. The other four tables start out as
identities; a station edits them to suit its host computer, caption encoder or imports.
"""

import os
import sys
import unicodedata

IDENTITY_TABLES = {
    "telvn32.hst": "Telvane host line character table",
    "telvn32.cap": "Telvane caption output character table",
    "telvn32.dwp": "Telvane document import character table",
    "telvn32.mac": "Telvane Macintosh host character table",
}

DOS_TABLE = ("telvn32.asc",
             "Telvane DOS character table: code page 437 to Windows code page 1252")

# Code page 437 characters with no code page 1252 form, by their code page 437 byte.
FALLBACK = {
    0x9E: "P",    # peseta sign
    0xA9: "\xac",  # reversed not sign -> not sign
    # Shades and blocks: a light shade is background, anything darker is ink.
    0xB0: " ", 0xB1: "#", 0xB2: "#",
    0xDB: "#", 0xDC: "#", 0xDD: "#", 0xDE: "#", 0xDF: "#",
    0xFE: "\u2022",  # black square -> bullet
    # Greek letters: the Latin letter they are read as.
    0xE0: "a",  # alpha
    0xE2: "G",  # Gamma
    0xE3: "p",  # pi
    0xE4: "S",  # Sigma
    0xE5: "s",  # sigma
    0xE7: "t",  # tau
    0xE8: "F",  # Phi
    0xE9: "O",  # Theta
    0xEA: "O",  # Omega
    0xEB: "d",  # delta
    0xED: "f",  # phi
    0xEE: "e",  # epsilon
    # Mathematical signs.
    0xEC: "8",  # infinity
    0xEF: "n",  # intersection
    0xF0: "=",  # identical to
    0xF2: ">",  # greater than or equal to
    0xF3: "<",  # less than or equal to
    0xF4: "(",  # top half of an integral
    0xF5: ")",  # bottom half of an integral
    0xF7: "~",  # almost equal to
    0xF9: "\xb7",  # bullet operator -> middle dot
    0xFB: "v",  # square root
    0xFC: "n",  # superscript n
}


def box_drawing_fallback(ch):
    """Lines become '-', '=' or '|'; every corner, tee and cross becomes '+'."""
    name = unicodedata.name(ch, "")
    if not name.startswith("BOX DRAWINGS"):
        return None
    kind = name[len("BOX DRAWINGS "):]
    if kind in ("LIGHT HORIZONTAL", "HEAVY HORIZONTAL"):
        return "-"
    if kind == "DOUBLE HORIZONTAL":
        return "="
    if kind in ("LIGHT VERTICAL", "HEAVY VERTICAL", "DOUBLE VERTICAL"):
        return "|"
    return "+"


def dos_to_windows():
    table = []
    for n in range(256):
        if n < 128:
            table.append(n)
            continue
        ch = bytes([n]).decode("cp437")
        try:
            table.append(ch.encode("cp1252")[0])
            if n in FALLBACK:
                raise SystemExit(f"fallback for 0x{n:02X} is not needed")
            continue
        except UnicodeEncodeError:
            pass
        repl = FALLBACK.get(n) or box_drawing_fallback(ch)
        if repl is None:
            raise SystemExit(f"no code page 1252 form for 0x{n:02X} {ch!r}")
        table.append(repl.encode("cp1252")[0])
    return table


def write_table(path, heading, table):
    lines = [heading] + [f"{n}:{value:02X}" for n, value in enumerate(table)]
    with open(path, "wb") as out:
        out.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_tables.py OUTPUT_DIR\n")
        return 2
    out_dir = argv[1]
    os.makedirs(out_dir, exist_ok=True)
    for name, heading in IDENTITY_TABLES.items():
        write_table(os.path.join(out_dir, name), heading, list(range(256)))
    name, heading = DOS_TABLE
    write_table(os.path.join(out_dir, name), heading, dos_to_windows())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
