#!/usr/bin/env python3
"""Writes examples/demo.tvl: the evening news as a native script (version 5).

Run from the repository root: python3 examples/make_demo.py examples/demo.tvl
"""
import sys

SEGMENT = 13  # characters a prompt row holds at 64 points, about

FLAG_HARD_RETURN = 0x8
FLAG_SLUG = 0x10
FLAG_PACKAGE = 0x200
FLAG_PRESENTER = 0x400
LAYOUT = 2057
STYLE_BOLD = 0x01
STYLE_INVERSE = 0x08
COLOUR = 56  # black on white

# (id, second id, slug, studio instruction, paragraphs); a paragraph is (kind, text) with kind
# "text", "pi" (presenter instruction), "pkg" (package), "time" (timing line).
STORIES = [
    ("1", "", "HEADLINES", "CAM 1 WIDE", [
        ("pi", "ANNA TO CAMERA ONE"),
        ("text", "Good evening. Flood warnings across the valley as the river rises "
                 "a metre in six hours."),
        ("text", "Talks resume at the port, and the city council votes on the new bridge."),
    ]),
    ("2", "LIVE", "FLOOD", "CAM 2 + OB LINK", [
        ("text", "The river burst its banks at Millford this afternoon, and more rain "
                 "is on the way."),
        ("text", "Our reporter Sam is there now. Sam, what are people telling you?"),
        ("pi", "LIVE OB - CUE SAM"),
        ("time", "// LIVE 2:00"),
    ]),
    ("3", "", "FLOOD PKG", "VT 1", [
        ("pkg", "IN: The water came up so fast we had no time to move the car."),
        ("pkg", "OUT: ...the clean-up will take weeks. Sam Reid, Millford."),
        ("time", "// PKG 1:45"),
    ]),
    ("4", "", "PORT", "CAM 1", [
        ("text", "Negotiators for the port workers and the operators meet again "
                 "tomorrow after a week of strikes."),
        ("text", "Shipping firms say the backlog will take a month to clear."),
    ]),
    ("5", "", "BRIDGE", "CAM 3 + GFX BRIDGE", [
        ("text", "Councillors vote tonight on the new crossing. Supporters say it will "
                 "cut journeys by twenty minutes."),
        ("text", "Opponents want the money spent on buses instead."),
        ("time", "// VO 0:30"),
    ]),
    ("6", "", "HOSPITAL", "CAM 1", [
        ("text", "The new children's ward at St Mary's opens its doors on Monday, "
                 "a year ahead of plan."),
    ]),
    ("7", "", "SCHOOLS", "CAM 2", [
        ("text", "Exam results are out, and more pupils than ever reached the top grades "
                 "in maths."),
        ("text", "Head teachers credit the extra evening classes."),
    ]),
    ("8", "", "BREAK", "STING + ADS", [
        ("pi", "TEASE - HOLD FOR STING"),
        ("text", "After the break: the weekend weather, and the football."),
        ("time", "// BREAK 2:30"),
    ]),
    ("9", "", "WEATHER", "CAM 3 + WX WALL", [
        ("text", "More heavy rain tonight in the north, easing by Saturday morning."),
        ("text", "Sunday bright and dry, highs of fourteen."),
    ]),
    ("10", "", "FOOTBALL", "VT 2", [
        ("text", "United top the table after a late winner at the weekend."),
        ("pkg", "IN: It was a great ball in, I just had to be there."),
        ("time", "// PKG 1:10"),
    ]),
    ("11", "", "CRICKET", "CAM 2", [
        ("text", "Rain stopped play at the county ground with the home side "
                 "on two hundred for three."),
    ]),
    ("12", "", "MARKETS", "GFX MARKETS", [
        ("text", "Shares closed higher as energy prices fell for a third day."),
    ]),
    ("13", "", "CLOSE", "CAM 1 WIDE", [
        ("pi", "ANNA AND TOM TWO SHOT"),
        ("text", "That's all from us. Stay safe tonight, and goodnight."),
    ]),
]


def segments(text):
    """Word-wraps a paragraph into prompt rows; each row but the last keeps its blank."""
    rows, row = [], ""
    for word in text.split(" "):
        candidate = (row + " " + word) if row else word
        if len(candidate) > SEGMENT and row:
            rows.append(row + " ")
            row = word
        else:
            row = candidate
    rows.append(row)
    return rows


def runs(attrs):
    out, i = "", 0
    while i < len(attrs):
        j = i
        while j < len(attrs) and attrs[j] == attrs[i]:
            j += 1
        out += "%d,%d;" % (attrs[i], j - i)
        i = j
    return out


def record(flags, a, b, style, studio="", story=None):
    head = "%d,%d," % (flags, LAYOUT)
    if story:
        head += "%s,%s,%d," % story
    lines = [head + a, b, runs([style] * len(a)), runs([style] * len(b)), "7",
             runs([COLOUR] * len(a)), runs([COLOUR] * len(b)), studio]
    return "".join(line + "\r\n" for line in lines)


def header():
    lines = ["QMR5", "11", "Font Selection:0"]
    lines += ["Font%d:Arial/64/12" % n for n in range(1, 9)]
    lines += ["Ilsp:0/0/0/0/0/0/0/0", "Color:YES"]
    return "".join(line + "\r\n" for line in lines)


def story_records(story):
    sid, second, slug, studio, paragraphs = story
    words = sum(len(t.split()) for kind, t in paragraphs if kind != "time")
    slug_text = "[%s%s] %s" % (sid, "," + second if second else "", slug)
    out = record(FLAG_SLUG | FLAG_HARD_RETURN, slug_text, "", STYLE_BOLD, studio,
                 (sid, second, words))
    for kind, text in paragraphs:
        flags, style = 0, 0
        if kind == "pi":
            flags, style = FLAG_PRESENTER, STYLE_INVERSE
        elif kind == "pkg":
            flags = FLAG_PACKAGE
        rows = segments(text) if kind != "time" else [text]
        for i in range(0, len(rows), 2):
            a = rows[i]
            b = rows[i + 1] if i + 1 < len(rows) else ""
            last = i + 2 >= len(rows)
            out += record(flags | (FLAG_HARD_RETURN if last else 0), a, b, style)
    return out


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else "examples/demo.tvl"
    data = header() + "".join(story_records(s) for s in STORIES)
    with open(target, "w", encoding="cp1252", newline="") as f:
        f.write(data)


if __name__ == "__main__":
    main()
