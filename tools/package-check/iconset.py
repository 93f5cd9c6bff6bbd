#!/usr/bin/env python3
"""Checks the application icon: an iconset folder holding exactly the ten
pictures of Apple's iconset, each an 8-bit RGBA PNG of its size that decodes,
and optionally the pictures that icns2png extracted from an .icns built from it.

    iconset.py Lumetta.iconset [--extracted FOLDER]

With --extracted, FOLDER must hold one picture of each size the .icns was
made from (16, 32, 128, 256, 512 and 1024 pixels), each decoding as above.
Prints one line per fault and exits 1 if there is one.
"""
import argparse
import struct
import sys
import zlib
from pathlib import Path

# Apple's iconset, written out here rather than taken from the tool that draws
# it: each picture's name and size in pixels.
ICONSET = {
    "icon_16x16.png": 16, "icon_16x16@2x.png": 32,
    "icon_32x32.png": 32, "icon_32x32@2x.png": 64,
    "icon_128x128.png": 128, "icon_128x128@2x.png": 256,
    "icon_256x256.png": 256, "icon_256x256@2x.png": 512,
    "icon_512x512.png": 512, "icon_512x512@2x.png": 1024,
}
# The sizes png2icns takes: the iconset's, less 64 (32 points at 2x).
ICNS_SIZES = (16, 32, 128, 256, 512, 1024)


def png_faults(path, size):
    """What is wrong with `path` as an 8-bit RGBA PNG of size x size pixels."""
    data = path.read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        return [f"{path.name} is not a PNG"]
    width, height, depth, color = struct.unpack(">IIBB", data[16:26])
    if (width, height) != (size, size):
        return [f"{path.name} is {width} x {height} pixels, expected {size} x {size}"]
    if (depth, color) != (8, 6):
        return [f"{path.name} is not 8-bit RGBA (depth {depth}, colour type {color})"]
    at, pixels = 8, b""
    while at < len(data):  # the IDAT chunks, each checked against its CRC
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 4:at + 8 + length]
        if len(body) != 4 + length or data[at + 8 + length:at + 12 + length] != \
                struct.pack(">I", zlib.crc32(body)):
            return [f"{path.name} is cut short or damaged"]
        if kind == b"IDAT":
            pixels += body[4:]
        at += 12 + length
    try:
        raw = zlib.decompress(pixels)
    except zlib.error:
        return [f"{path.name}'s pixels do not decompress"]
    if len(raw) != height * (1 + 4 * width):
        return [f"{path.name} holds {len(raw)} bytes of pixels, expected {height * (1 + 4 * width)}"]
    return []


def iconset_faults(folder):
    expected = ICONSET
    present = {path.name for path in folder.iterdir()} if folder.is_dir() else set()
    found = [f"{name} is missing" for name in sorted(expected.keys() - present)]
    found += [f"{name} does not belong in an iconset" for name in sorted(present - expected.keys())]
    for name in sorted(expected.keys() & present):
        found += png_faults(folder / name, expected[name])
    return found


def extracted_faults(folder):
    pictures = sorted(folder.glob("*.png")) if folder.is_dir() else []
    sizes = {}
    for path in pictures:
        data = path.read_bytes()
        sizes[path] = struct.unpack(">I", data[16:20])[0] if len(data) >= 24 else 0
    found = []
    for size in ICNS_SIZES:
        matching = [path for path, width in sizes.items() if width == size]
        if len(matching) != 1:
            found.append(f"the .icns gave {len(matching)} pictures of {size} pixels, expected 1")
        else:
            found += png_faults(matching[0], size)
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("iconset", type=Path)
    parser.add_argument("--extracted", type=Path)
    arguments = parser.parse_args()
    found = iconset_faults(arguments.iconset)
    if arguments.extracted:
        found += extracted_faults(arguments.extracted)
    for fault in found:
        print(f"iconset: {arguments.iconset}: {fault}", file=sys.stderr)
    if found:
        return 1
    print(f"iconset: {arguments.iconset}: the ten pictures of an iconset"
          + (", and an .icns that gives back its sizes" if arguments.extracted else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
