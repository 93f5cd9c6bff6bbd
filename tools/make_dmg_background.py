#!/usr/bin/env python3
"""Draws the disk image's background picture from the logo (standard library
only): the logo's light body colour, its green-to-blue bar along the top, and
an arrow in the same colours from the application's icon to the Applications
folder, so the window says "drag here" without words.

    tools/make_dmg_background.py OUTPUT.png [SCALE]

draws the window's WIDTH x HEIGHT points at SCALE pixels a point (1 or 2;
default 1). On a Mac `tiffutil -cathidpicheck` joins both scales into the
picture the disk image shows (scripts/package-mac); the icons sit where
packaging/macos/dmg-settings.py puts them: APP and APPLICATIONS below.
"""
import math
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import make_logo  # noqa: E402  (beside this file)

WIDTH, HEIGHT = 640, 400          # the window's content, in points
APP, APPLICATIONS = (170, 200), (470, 200)  # the icons' centres, in points
ICON = 128                        # the icons' size, in points
BAR = 8                           # the bar along the top, in points
TOP, BOTTOM = (251, 251, 253), (236, 239, 244)


def arrow_coverage(x, y, s):
    """How much of the pixel at (x, y) the arrow covers, at s pixels a point."""
    cy = APP[1] * s
    left = (APP[0] + ICON / 2 + 24) * s
    tip = (APPLICATIONS[0] - ICON / 2 - 24) * s
    head = 34 * s  # length of the head
    shaft = 6 * s  # half the shaft's thickness
    spread = 20 * s  # half the head's width at its base
    base = tip - head
    dy = abs(y - cy)
    if x < base:  # the shaft, with a rounded tail
        d = make_logo.rounded_rect_distance(x, y, left, cy - shaft, base + s, cy + shaft, shaft)
    else:  # the head: inside the base line and both slanted edges
        slope = spread / head
        edge = (dy - (tip - x) * slope) / math.hypot(1, slope)
        d = max(base - x, edge)
    return make_logo.coverage(d)


def draw(scale):
    width, height = WIDTH * scale, HEIGHT * scale
    box_top, box_bottom = (APP[1] - 24) * scale, (APP[1] + 24) * scale
    colors = [make_logo.mixed(make_logo.GREEN, make_logo.BLUE, i / (width - 1))
              for i in range(width)]
    rows = []
    for j in range(height):
        y = j + 0.5
        background = make_logo.mixed(TOP, BOTTOM, j / (height - 1))
        bar = make_logo.coverage(y - BAR * scale)
        if bar <= 0 and not box_top <= y <= box_bottom:  # the plain rows
            rows.append(bytes((*(round(c) for c in background), 255)) * width)
            continue
        row = bytearray()
        for i in range(width):
            pixel = make_logo.mixed(background, colors[i], bar)
            if box_top <= y <= box_bottom:
                pixel = make_logo.mixed(pixel, colors[i], 0.85 * arrow_coverage(i + 0.5, y, scale))
            row += bytes((round(pixel[0]), round(pixel[1]), round(pixel[2]), 255))
        rows.append(bytes(row))
    return rows, width, height


def main():
    if len(sys.argv) not in (2, 3) or (len(sys.argv) == 3 and sys.argv[2] not in ("1", "2")):
        sys.exit("usage: make_dmg_background.py OUTPUT.png [1|2]")
    output = Path(sys.argv[1])
    scale = int(sys.argv[2]) if len(sys.argv) == 3 else 1
    rows, width, height = draw(scale)
    output.write_bytes(make_logo.png(rows, width, height))
    print(f"make_dmg_background: wrote {output} ({width} x {height})")


if __name__ == "__main__":
    main()
