#!/usr/bin/env python3
"""Draws the application icon's iconset from the logo (standard library only).

    tools/make_iconset.py OUTPUT.iconset

writes the ten pictures an iconset holds, icon_16x16.png to
icon_512x512@2x.png, each drawn by tools/make_logo.py at its own size in
pixels, so small sizes are as sharp as large ones. On a Mac,
`iconutil --convert icns` turns the folder into Lumetta.icns (the build does).
"""
import sys
from concurrent.futures import ProcessPoolExecutor
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import make_logo  # noqa: E402  (beside this file)

# Apple's iconset: each size in points at 1x and at 2x.
POINTS = (16, 32, 128, 256, 512)


def entries():
    """(file name, size in pixels) of every picture of the iconset."""
    for points in POINTS:
        yield f"icon_{points}x{points}.png", points
        yield f"icon_{points}x{points}@2x.png", 2 * points


def picture(size):
    return make_logo.png(make_logo.draw(size), size)


def main():
    if len(sys.argv) != 2 or not sys.argv[1].endswith(".iconset"):
        sys.exit("usage: make_iconset.py OUTPUT.iconset")
    output = Path(sys.argv[1])
    output.mkdir(parents=True, exist_ok=True)
    sizes = sorted({size for _, size in entries()}, reverse=True)  # the slowest first
    with ProcessPoolExecutor() as pool:
        pictures = dict(zip(sizes, pool.map(picture, sizes)))
    for name, size in entries():
        (output / name).write_bytes(pictures[size])
    print(f"make_iconset: wrote {output} ({len(pictures)} sizes from 16 to 1024 pixels)")


if __name__ == "__main__":
    main()
