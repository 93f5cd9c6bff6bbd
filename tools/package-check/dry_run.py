#!/usr/bin/env python3
"""Checks what `scripts/package-mac --dry-run` printed: every step of a
release, in order, each command once where it runs once.

    dry_run.py OUTPUT.txt

Prints the first step it misses and exits 1, or a summary and 0.
"""
import re
import sys
from pathlib import Path

# The commands of a release, in the order they must run ("+ " lines).
SEQUENCE = [
    ("configure the universal release", r"cmake -S .* -DCMAKE_BUILD_TYPE=Release "
     r"-DCMAKE_OSX_ARCHITECTURES=arm64\\;x86_64 -DBUILD_TESTING=OFF -DLUMETTA_BUILD_NUMBER=\d+$"),
    ("build the application", r"cmake --build \S+ --target lumetta_mac_app$"),
    ("check both architectures", r"lipo \S+/Contents/MacOS/Lumetta -verify_arch arm64 x86_64$"),
    ("check the Info.plist and --version", r"info_plist\.py \S+/Info\.plist --version \S+ "
     r"--build-number \d+ --program \S+/Contents/MacOS/Lumetta$"),
    ("sign the nested code", r"codesign --force --options runtime --timestamp --sign \S+.* ITEM$"),
    ("sign the bundle with its entitlements", r"codesign --force --options runtime --timestamp "
     r"--sign \S+.* --entitlements packaging/macos/Lumetta\.entitlements \S+/Lumetta\.app$"),
    ("verify the signature", r"codesign --verify --strict .*Lumetta\.app$"),
    ("check runtime, timestamp and authority", r"codesign --display --verbose=2 \S+/Lumetta\.app"),
    ("zip the app for notarization", r"ditto -c -k --keepParent \S+/Lumetta\.app \S+\.zip$"),
    ("notarize the app", r"xcrun notarytool submit \S+\.zip --key .* --wait "),
    ("staple the app", r"xcrun stapler staple \S+/Lumetta\.app$"),
    ("validate the app's ticket", r"xcrun stapler validate \S+/Lumetta\.app$"),
    ("assess the app", r"spctl --assess --type execute .*Lumetta\.app$"),
    ("zip the release", r"ditto -c -k --keepParent \S+/Lumetta\.app \S+/Lumetta-[\d.]+\.zip$"),
    ("draw the background", r"make_dmg_background\.py \S+@2x\.png 2$"),
    ("make the disk image", r"dmgbuild -s packaging/macos/dmg-settings\.py .*Lumetta \S+\.dmg$"),
    ("sign the disk image", r"codesign --force --timestamp --sign \S+.* \S+/Lumetta-[\d.]+\.dmg$"),
    ("notarize the disk image", r"xcrun notarytool submit \S+\.dmg --key .* --wait "),
    ("staple the disk image", r"xcrun stapler staple \S+\.dmg$"),
    ("validate the disk image's ticket", r"xcrun stapler validate \S+\.dmg$"),
    ("assess the disk image", r"spctl --assess --type open --context context:primary-signature "
     r".*\S+\.dmg$"),
    ("write the sums", r"shasum -a 256 Lumetta-[\d.]+\.dmg Lumetta-[\d.]+\.zip > SHA256SUMS"),
]


def missing(text):
    """The first step not found after the one before it, or None."""
    commands = [line[2:] for line in text.splitlines() if line.startswith("+ ")]
    at = 0
    for name, pattern in SEQUENCE:
        while at < len(commands) and not re.search(pattern, commands[at]):
            at += 1
        if at == len(commands):
            return name
        at += 1
    return None


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: dry_run.py OUTPUT.txt")
    step = missing(Path(sys.argv[1]).read_text(encoding="utf-8"))
    if step:
        print(f"dry_run: {sys.argv[1]}: no \"{step}\" in its place", file=sys.stderr)
        return 1
    print(f"dry_run: {sys.argv[1]}: the {len(SEQUENCE)} steps of a release, in order")
    return 0


if __name__ == "__main__":
    sys.exit(main())
