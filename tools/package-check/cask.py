#!/usr/bin/env python3
"""Checks a rendered Homebrew cask: the version and disk image sum it was
rendered with, and the stanzas Lumetta's cask needs (macOS 13 and later, the
app, the command line on the PATH as `lumetta`, quitting the application by
its bundle identifier on uninstall, the settings it leaves in zap, livecheck).
Ruby's syntax check is `ruby -c`, run beside this (tools/package-check/run).

    cask.py lumetta.rb --version VERSION --sha256 SUM [--identifier ID]

Prints one line per fault and exits 1 if there is one.
"""
import argparse
import re
import sys
from pathlib import Path

IDENTIFIER = "dev.lumetta.Lumetta"


def faults(text, version, sha256, identifier=IDENTIFIER):
    required = {
        "the version": f'  version "{version}"\n',
        "the disk image's sum": f'  sha256 "{sha256}"\n',
        "the disk image of the version":
            "/releases/download/v#{version}/Lumetta-#{version}.dmg\"\n",
        "macOS 13 and later": '  depends_on macos: ">= :ventura"\n',
        "the app": '  app "Lumetta.app"\n',
        "the command line on the PATH":
            '  binary "#{appdir}/Lumetta.app/Contents/MacOS/Lumetta", target: "lumetta"\n',
        "quitting the application on uninstall": f'  uninstall quit: "{identifier}"\n',
        "the preferences in zap": f'    "~/Library/Preferences/{identifier}.plist",\n',
        "livecheck": "  livecheck do\n",
    }
    found = [f"{what} is missing (no {line.strip()!r})"
             for what, line in required.items() if line not in text]
    for stanza in ("version", "sha256"):
        if len(re.findall(rf"^  {stanza} ", text, re.MULTILINE)) != 1:
            found.append(f"the cask does not have exactly one {stanza} stanza")
    if not text.startswith("# ") or '\ncask "lumetta" do\n' not in text:
        found.append('the cask does not declare cask "lumetta"')
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("cask", type=Path)
    parser.add_argument("--version", required=True)
    parser.add_argument("--sha256", required=True)
    parser.add_argument("--identifier", default=IDENTIFIER)
    arguments = parser.parse_args()
    found = faults(arguments.cask.read_text(encoding="utf-8"), arguments.version,
                   arguments.sha256, arguments.identifier)
    for fault in found:
        print(f"cask: {arguments.cask}: {fault}", file=sys.stderr)
    if found:
        return 1
    print(f"cask: {arguments.cask}: Lumetta {arguments.version}, every stanza the cask needs")
    return 0


if __name__ == "__main__":
    sys.exit(main())
