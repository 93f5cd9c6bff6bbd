#!/usr/bin/env python3
"""Draws Lumetta's logo and writes it as a PNG (standard library only).

The logo is a window glyph: a light rounded square with a top bar that runs
from the ChatGPT mode's green to the Codex mode's blue, three window buttons
in the bar and a few lines of content below, over a soft shadow. Edges are
anti-aliased from signed distances, so the output is exact and repeatable.

    tools/make_logo.py [OUTPUT.png] [SIZE]

writes resources/Lumetta-Logo.png at 512 x 512 pixels by default.
"""
import math
import struct
import sys
import zlib
from pathlib import Path

GREEN = (40, 205, 65)
BLUE = (0, 122, 255)
BODY = (251, 251, 253)
EDGE = (205, 209, 216)
LINE = (226, 229, 235)
SHADOW = (20, 24, 34)


def rounded_rect_distance(x, y, left, top, right, bottom, radius):
    """Signed distance from (x, y) to a rounded rectangle; negative inside."""
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def coverage(distance, softness=1.0):
    """How much of a pixel lies inside, from its centre's signed distance."""
    return min(1.0, max(0.0, 0.5 - distance / softness))


def over(dst, color, alpha):
    """Composites a straight-alpha colour over a straight-alpha pixel."""
    if alpha <= 0:
        return dst
    r, g, b, a = dst
    out_a = alpha + a * (1 - alpha)
    if out_a <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    mix = [(c * alpha + d * a * (1 - alpha)) / out_a for c, d in zip(color, (r, g, b))]
    return (mix[0], mix[1], mix[2], out_a)


def mixed(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def draw(size):
    s = size / 512.0
    left, top, right, bottom = 44 * s, 40 * s, 468 * s, 464 * s
    radius = 96 * s
    bar_bottom = top + 112 * s
    edge_width = 3 * s
    lines = [(96, 214, 0.70), (96, 262, 0.52), (96, 310, 0.62), (96, 358, 0.40)]
    rows = []
    for j in range(size):
        y = j + 0.5
        row = bytearray()
        for i in range(size):
            x = i + 0.5
            pixel = (0.0, 0.0, 0.0, 0.0)
            # A soft shadow below the square.
            shadow = rounded_rect_distance(x, y - 10 * s, left, top, right, bottom, radius)
            pixel = over(pixel, SHADOW, 0.28 * coverage(shadow + 6 * s, 26 * s))
            body = rounded_rect_distance(x, y, left, top, right, bottom, radius)
            inside = coverage(body)
            if inside > 0:
                pixel = over(pixel, EDGE, inside)
                pixel = over(pixel, BODY, coverage(body + edge_width))
                bar = coverage(y - bar_bottom) * coverage(body)
                t = min(1.0, max(0.0, (x - left) / (right - left)))
                pixel = over(pixel, mixed(GREEN, BLUE, t), bar)
                for k in range(3):  # window buttons in the bar
                    cx, cy = left + (86 + 44 * k) * s, top + 58 * s
                    dot = math.hypot(x - cx, y - cy) - 13 * s
                    pixel = over(pixel, (255, 255, 255), 0.92 * coverage(dot))
                for lx, ly, fraction in lines:  # content
                    l0, t0 = left + (lx - 44) * s, top + (ly - 40) * s
                    r0 = l0 + (right - left - 2 * (lx - 44) * s) * fraction
                    d = rounded_rect_distance(x, y, l0, t0, r0, t0 + 22 * s, 11 * s)
                    pixel = over(pixel, LINE, coverage(d))
            r, g, b, a = pixel
            row += bytes((round(r), round(g), round(b), round(a * 255)))
        rows.append(bytes(row))
    return rows


def png(rows, width, height=None):
    """An 8-bit RGBA PNG of `rows` (straight alpha); square unless `height` is given."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\x00" + row for row in rows)  # filter type 0 on every row
    header = struct.pack(">IIBBBBB", width, height or width, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    root = Path(__file__).resolve().parent.parent
    output = Path(sys.argv[1]) if len(sys.argv) > 1 else root / "resources" / "Lumetta-Logo.png"
    size = int(sys.argv[2]) if len(sys.argv) > 2 else 512
    if not 16 <= size <= 2048:
        sys.exit("make_logo: the size is a number of pixels from 16 to 2048")
    output.write_bytes(png(draw(size), size))
    print(f"make_logo: wrote {output} ({size} x {size})")


if __name__ == "__main__":
    main()
