#!/usr/bin/env python3
"""Checks an application bundle's Info.plist: a valid property list holding
every key a release of Lumetta needs with the value it needs, the version and
build number it was rendered with, and, given the program, that
`PROGRAM --version` prints that same version.

    info_plist.py INFO_PLIST --version VERSION --build-number N
                  [--identifier ID] [--program PATH]

Prints one line per fault and exits 1 if there is one.
"""
import argparse
import plistlib
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
IDENTIFIER = "dev.lumetta.Lumetta"
MINIMUM_SYSTEM = "13.0"

# The keys whose values do not depend on the build.
FIXED = {
    "CFBundleDevelopmentRegion": "en",
    "CFBundleExecutable": "Lumetta",
    "CFBundleIconFile": "Lumetta",
    "CFBundleInfoDictionaryVersion": "6.0",
    "CFBundleName": "Lumetta",
    "CFBundlePackageType": "APPL",
    "LSApplicationCategoryType": "public.app-category.utilities",
    "LSMinimumSystemVersion": MINIMUM_SYSTEM,
    "LSUIElement": True,
    "NSHighResolutionCapable": True,
    "NSPrincipalClass": "NSApplication",
}


def license_copyright():
    """LICENSE's copyright line as a bundle shows it."""
    for line in (ROOT / "LICENSE").read_text(encoding="utf-8").splitlines():
        if line.startswith("Copyright (c) "):
            return line.replace("(c)", "©", 1)
    raise SystemExit("info_plist: LICENSE has no \"Copyright (c) \" line")


def expected_values(version, build_number, identifier):
    return {**FIXED,
            "CFBundleIdentifier": identifier,
            "CFBundleShortVersionString": version,
            "CFBundleVersion": build_number,
            "NSHumanReadableCopyright": license_copyright()}


def faults(data, version, build_number, identifier=IDENTIFIER):
    """What is wrong with the property list `data` (bytes); empty when nothing is."""
    try:
        plist = plistlib.loads(data)
    except Exception as error:  # plistlib raises several kinds
        return [f"not a valid property list: {error}"]
    if not isinstance(plist, dict):
        return ["the property list is not a dictionary"]
    found = []
    for key, value in expected_values(version, build_number, identifier).items():
        if key not in plist:
            found.append(f"{key} is missing")
        elif type(plist[key]) is not type(value) or plist[key] != value:
            found.append(f"{key} is {plist[key]!r}, expected {value!r}")
    return found


def version_faults(program, version):
    """What is wrong with `PROGRAM --version` against the bundle's version."""
    result = subprocess.run([program, "--version"], capture_output=True, text=True, timeout=60)
    expected = f"lumetta {version}\n"
    if result.returncode != 0 or result.stdout != expected:
        return [f"{program} --version printed {result.stdout!r} with status {result.returncode}, "
                f"expected {expected!r} with status 0"]
    return []


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("plist", type=Path)
    parser.add_argument("--version", required=True)
    parser.add_argument("--build-number", required=True)
    parser.add_argument("--identifier", default=IDENTIFIER)
    parser.add_argument("--program")
    arguments = parser.parse_args()
    found = faults(arguments.plist.read_bytes(), arguments.version, arguments.build_number,
                   arguments.identifier)
    if arguments.program:
        found += version_faults(arguments.program, arguments.version)
    for fault in found:
        print(f"info_plist: {arguments.plist}: {fault}", file=sys.stderr)
    if found:
        return 1
    print(f"info_plist: {arguments.plist}: Lumetta {arguments.version} ({arguments.build_number}),"
          f" every key as a release needs it" + (", and --version agrees" if arguments.program else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
