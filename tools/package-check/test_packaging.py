#!/usr/bin/env python3
"""Tests of the release's scripts and renderers (not of the tools they call):
the Info.plist renderer and its check, the cask renderer and its check,
scripts/package-mac's input checks and printed sequence, and the disk image's
layout against its background picture. Run by ctest (packaging.scripts)."""
import os
import re
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parents[1]
sys.path[:0] = [str(HERE), str(ROOT / "tools")]
import cask  # noqa: E402
import dry_run  # noqa: E402
import info_plist  # noqa: E402
import make_dmg_background  # noqa: E402

SUM = "0123456789abcdef" * 4
IDENTITY = "Developer ID Application: Test Signer (TEAM123456)"
KEYS = {"LUMETTA_NOTARY_KEY": "key", "LUMETTA_NOTARY_KEY_ID": "id",
        "LUMETTA_NOTARY_ISSUER": "issuer"}


def run(command, env=None):
    environment = {k: v for k, v in os.environ.items() if not k.startswith("LUMETTA_")}
    environment.update(env or {})
    return subprocess.run(command, cwd=ROOT, capture_output=True, text=True, env=environment)


def project_identifier():
    text = (ROOT / "CMakeLists.txt").read_text(encoding="utf-8")
    return re.search(r'set\(LUMETTA_BUNDLE_IDENTIFIER "([^"]+)"', text).group(1)


class InfoPlist(unittest.TestCase):
    def render(self, version="9.8.7", build_number="654", minimum="13.0"):
        output = Path(self.folder.name) / "Info.plist"
        result = run(["cmake", f"-DOUTPUT={output}", f"-DVERSION={version}",
                      f"-DBUILD_NUMBER={build_number}", f"-DIDENTIFIER={project_identifier()}",
                      f"-DMINIMUM_SYSTEM={minimum}", "-P", "cmake/info_plist.cmake"])
        return result, output

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def test_carries_the_version_and_build_number_it_was_given(self):
        result, output = self.render()
        self.assertEqual(result.returncode, 0, result.stderr)
        data = output.read_bytes()
        self.assertEqual(info_plist.faults(data, "9.8.7", "654"), [])
        self.assertEqual(info_plist.faults(data, "9.8.8", "654"),
                         ["CFBundleShortVersionString is '9.8.7', expected '9.8.8'"])
        self.assertEqual(info_plist.faults(data, "9.8.7", "655"),
                         ["CFBundleVersion is '654', expected '655'"])

    def test_a_missing_key_or_an_older_minimum_system_fails(self):
        _, output = self.render()
        text = output.read_text(encoding="utf-8")
        without_icon = re.sub(r"\s*<key>CFBundleIconFile</key>\s*<string>[^<]*</string>", "", text)
        self.assertEqual(info_plist.faults(without_icon.encode(), "9.8.7", "654"),
                         ["CFBundleIconFile is missing"])
        _, output = self.render(minimum="12.0")
        self.assertEqual(info_plist.faults(output.read_bytes(), "9.8.7", "654"),
                         ["LSMinimumSystemVersion is '12.0', expected '13.0'"])
        self.assertEqual(len(info_plist.faults(text[:200].encode(), "9.8.7", "654")), 1)

    def test_the_renderer_refuses_a_version_or_build_number_of_another_shape(self):
        for version, build_number, complaint in (("1.2", "3", "not MAJOR.MINOR.PATCH"),
                                                 ("1.2.3", "3.1", "not a whole number"),
                                                 ("1.2.3", "03", "not a whole number")):
            result, output = self.render(version, build_number)
            self.assertNotEqual(result.returncode, 0)
            self.assertIn(complaint, result.stderr)
            self.assertFalse(output.exists())


class Cask(unittest.TestCase):
    def test_carries_the_version_and_sum_it_was_given(self):
        result = run(["scripts/render-cask", "2.3.4", SUM, "owner/lumetta"])
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(cask.faults(result.stdout, "2.3.4", SUM, project_identifier()), [])
        self.assertEqual(re.findall(r'^  (version|sha256) "([^"]*)"$', result.stdout, re.M),
                         [("version", "2.3.4"), ("sha256", SUM)])
        self.assertIn("github.com/owner/lumetta/releases/download/", result.stdout)
        self.assertEqual(len(cask.faults(result.stdout, "2.3.5", SUM[::-1])), 2)

    def test_refuses_what_is_not_a_version_a_sum_or_a_repository(self):
        for arguments in (("2.3", SUM, "owner/lumetta"), ("2.3.4", SUM.upper(), "owner/lumetta"),
                          ("2.3.4", SUM[1:], "owner/lumetta"), ("2.3.4", SUM, "lumetta")):
            result = run(["scripts/render-cask", *arguments])
            self.assertEqual((result.returncode, result.stdout), (2, ""))
            self.assertEqual(len(result.stderr.splitlines()), 1, result.stderr)


class PackageMac(unittest.TestCase):
    def test_a_missing_identity_is_refused_with_one_line(self):
        result = run(["scripts/package-mac", "--dry-run", "--build-number", "7"], KEYS)
        self.assertEqual((result.returncode, result.stdout), (2, ""))
        self.assertEqual(result.stderr.splitlines(),
                         ["package-mac: no signing identity: pass --identity or set "
                          "LUMETTA_SIGN_IDENTITY to \"Developer ID Application: NAME (TEAM)\""])

    def test_other_inputs_are_refused_before_anything_runs(self):
        version = run(["scripts/project-version"]).stdout.strip()
        for arguments, env, complaint in (
                (["--identity", IDENTITY], KEYS, "no build number"),
                (["--identity", IDENTITY, "--build-number", "0"], KEYS, "above 0"),
                (["--identity", "Apple Development: X", "--build-number", "7"], KEYS, "neither"),
                (["--identity", IDENTITY, "--build-number", "7", "--tag", "v0.0.0"], KEYS,
                 f"is not v{version}"),
                # Outside a dry run, the key is checked before the Mac is.
                (["--identity", IDENTITY, "--build-number", "7"], {}, "LUMETTA_NOTARY_KEY_ID")):
            result = run(["scripts/package-mac", *arguments], env)
            self.assertEqual(result.returncode, 2, arguments)
            self.assertIn(complaint, result.stderr)
            self.assertEqual(len(result.stderr.splitlines()), 1)

    def test_the_dry_run_prints_a_release_in_order_and_explains_missing_keys(self):
        result = run(["scripts/package-mac", "--dry-run", "--identity", IDENTITY,
                      "--build-number", "7"], KEYS)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIsNone(dry_run.missing(result.stdout))
        # The check of that sequence notices a step gone or out of its place.
        lines = result.stdout.splitlines()
        stapled = [line for line in lines if "stapler staple" in line and ".dmg" in line]
        self.assertEqual(dry_run.missing("\n".join(x for x in lines if x not in stapled)),
                         "staple the disk image")
        # The architectures checked last: what should follow them is not there.
        moved = "\n".join(sorted(lines, key=lambda line: "lipo" in line))
        self.assertEqual(dry_run.missing(moved), "check the Info.plist and --version")
        without_keys = run(["scripts/package-mac", "--dry-run", "--identity", IDENTITY,
                            "--build-number", "7"])
        self.assertEqual(without_keys.returncode, 0)
        self.assertIn("LUMETTA_NOTARY_KEY LUMETTA_NOTARY_KEY_ID LUMETTA_NOTARY_ISSUER",
                      without_keys.stdout)


class DiskImage(unittest.TestCase):
    def test_the_icons_sit_where_the_background_draws_them(self):
        settings = {"defines": {"app": "/tmp/Lumetta.app", "background": "/tmp/bg.tiff"}}
        exec((ROOT / "packaging/macos/dmg-settings.py").read_text(encoding="utf-8"), settings)
        self.assertEqual(settings["files"], ["/tmp/Lumetta.app"])
        self.assertEqual(settings["symlinks"], {"Applications": "/Applications"})
        self.assertEqual(settings["background"], "/tmp/bg.tiff")
        self.assertEqual(settings["window_rect"][1],
                         (make_dmg_background.WIDTH, make_dmg_background.HEIGHT))
        self.assertEqual(settings["icon_size"], make_dmg_background.ICON)
        self.assertEqual(settings["icon_locations"],
                         {"Lumetta.app": make_dmg_background.APP,
                          "Applications": make_dmg_background.APPLICATIONS})


if __name__ == "__main__":
    unittest.main()
