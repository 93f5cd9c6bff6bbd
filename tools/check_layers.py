#!/usr/bin/env python3
"""Checks that every library under src/ includes only itself and the layers below it.

Every library sees all of src/ on its include path, so the compiler does not stop
an upward include; this does. LAYERS mirrors the link graph of src/CMakeLists.txt
(change both together); a library may include what it links, directly or through
the libraries it links. System headers that tie code to one platform or one
third-party library are allowed only where that dependency is linked.

  tools/check_layers.py [ROOT]     check ROOT/src (ROOT defaults to this repository)
  tools/check_layers.py --self-test
"""

import re
import sys
import tempfile
from pathlib import Path

# Layer (a folder of src/, or one entry-point file) -> the layers it links.
LAYERS = {
    "platform": [],
    "support": ["platform"],
    "geometry": ["platform", "support"],
    "classify": ["geometry"],
    "power": ["platform", "support"],
    "renderer": ["platform", "support"],
    "overlay": ["classify", "geometry", "power", "renderer"],
    "menu": ["overlay"],
    "diagnostics": ["classify"],
    "record": ["diagnostics"],
    "app": ["menu", "diagnostics", "record"],
    # The backends, and the two process entries that choose one.
    "platform/sim/desktop": ["platform", "support"],
    "platform/sim/drawing": ["platform", "support"],
    "platform/sim/services": ["platform/sim/desktop", "platform/sim/drawing"],
    "platform/sim/user": ["platform/sim/services"],
    "platform/sim/pictures": ["platform/sim/services"],
    "platform/sim": ["platform/sim/user", "platform/sim/pictures"],
    "platform/mac": ["platform"],
    "app/main.cpp": ["app", "platform/sim"],
    "app/main_mac.mm": ["app", "platform/mac"],
}

# Angle-bracket headers of one platform or library -> the layers that link it.
EXTERNAL = {
    "the macOS frameworks": (
        re.compile(r"(AppKit|ApplicationServices|Cocoa|CoreFoundation|CoreGraphics|Foundation|"
                   r"QuartzCore|ServiceManagement|dispatch|objc)/"),
        ["platform/mac", "app/main_mac.mm"]),
    "Cairo": (re.compile(r"cairo(\.h$|/)"), ["platform/sim/drawing"]),
    "Pango": (re.compile(r"pango/"), ["platform/sim/drawing"]),
    "nlohmann/json": (re.compile(r"nlohmann/"), ["platform/sim/desktop"]),
    "ICU": (re.compile(r"unicode/"), ["platform/sim/services"]),
}

SOURCE_SUFFIXES = {".h", ".cpp", ".mm"}
INCLUDE = re.compile(r'^\s*#\s*(?:include|import)\s*([<"])([^>"]+)[>"]')


def layer_of(relative):
    """The most specific layer holding a path relative to src/, or None."""
    best = None
    for layer in LAYERS:
        if relative == layer or relative.startswith(layer + "/"):
            if best is None or len(layer) > len(best):
                best = layer
    return best


def reachable(layer):
    """The layer and everything it links, directly or not."""
    seen, todo = set(), [layer]
    while todo:
        current = todo.pop()
        if current not in seen:
            seen.add(current)
            todo.extend(LAYERS[current])
    return seen


def allowed_text(layers):
    """The folders among `layers`, as a list for a message."""
    return ", ".join(sorted(layer for layer in layers if Path(layer).suffix not in SOURCE_SUFFIXES))


def check_file(src, path):
    """The violations of one source file, as lines of text."""
    relative = path.relative_to(src).as_posix()
    layer = layer_of(relative)
    if layer is None:
        return [f"src/{relative}: no layer rule covers this folder (add it to LAYERS in "
                f"tools/check_layers.py and to src/CMakeLists.txt)"]
    allowed = reachable(layer)
    problems = []
    lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
    for number, line in enumerate(lines, 1):
        match = INCLUDE.match(line)
        if not match:
            continue
        bracket, name = match.groups()
        where = f"src/{relative}:{number}: {line.strip()}"
        if bracket == '"':
            sibling = path.parent / name
            target = sibling if sibling.exists() else src / name
            target = target.resolve()
            if not target.is_file() or src not in target.parents:
                continue  # not a header of src/ (the build reports a missing one)
            used = layer_of(target.relative_to(src).as_posix())
            if used is not None and used not in allowed:
                problems.append(f"{where}: {layer} may include only {allowed_text(allowed)}")
            continue
        for library, (pattern, users) in EXTERNAL.items():
            if pattern.match(name) and not allowed & set(users):
                problems.append(f"{where}: only {', '.join(sorted(users))} may use {library}")
    return problems


def check_tree(root):
    src = (Path(root) / "src").resolve()
    problems = []
    for path in sorted(src.rglob("*")):
        if path.suffix in SOURCE_SUFFIXES and path.is_file():
            problems += check_file(src, path)
    return problems


def self_test():
    """Runs the checker over a fabricated tree with known violations."""
    files = {
        "platform/geometry.h": "#pragma once\n#include <vector>\n",
        "support/text_format.h": '#include "platform/geometry.h"\n',
        "geometry/window_frame.cpp": '#include "support/text_format.h"\n#include <cmath>\n',
        "classify/report.cpp": ('#include "geometry/window_frame.h"\n'
                                '#include "overlay/color_layer.h"\n'
                                '#include "report_local.h"\n'),
        "classify/report_local.h": "#pragma once\n",
        "geometry/window_frame.h": "#pragma once\n",
        "overlay/color_layer.h": '  #  include "classify/report_local.h"\n',
        "power/gate.cpp": ('#include "platform/sim/services/sim_clock.h"\n'
                           "#include <CoreGraphics/CoreGraphics.h>\n"),
        "platform/sim/services/sim_clock.h": "#include <cairo.h>\n#include <nlohmann/json.hpp>\n",
        "platform/sim/desktop/desktop_model.h": '#include "platform/sim/services/sim_desktop.h"\n',
        "platform/sim/services/sim_desktop.h": '#include "platform/sim/desktop/desktop_model.h"\n',
        "platform/sim/drawing/pango_text.cpp": "#include <pango/pango.h>\n#include <unicode/brkiter.h>\n",
        "platform/mac/mac_clock.mm": ("#import <Foundation/Foundation.h>\n"
                                      '#include "support/text_format.h"\n'),
        "platform/value.h": '#include "platform/sim/services/sim_clock.h"\n',
        "app/main.cpp": '#include "platform/sim/services/sim_clock.h"\n#include "overlay/color_layer.h"\n',
        "app/panescope_app.cpp": '#include "platform/sim/services/sim_clock.h"\n',
        "app/main_mac.mm": '#import <AppKit/AppKit.h>\n#include "platform/mac/mac_clock.h"\n',
        "platform/mac/mac_clock.h": "#pragma once\n",
        "renderer/requests.h": '#include "nowhere/missing.h"\n',
        "controller/controller.cpp": "",
    }
    expected = [
        'src/app/panescope_app.cpp:1: #include "platform/sim/services/sim_clock.h": app may include only '
        "app, classify, diagnostics, geometry, menu, overlay, platform, power, record, renderer, "
        "support",
        'src/classify/report.cpp:2: #include "overlay/color_layer.h": classify may include only '
        "classify, geometry, platform, support",
        "src/controller/controller.cpp: no layer rule covers this folder (add it to LAYERS in "
        "tools/check_layers.py and to src/CMakeLists.txt)",
        'src/platform/mac/mac_clock.mm:2: #include "support/text_format.h": platform/mac may '
        "include only platform, platform/mac",
        'src/platform/sim/desktop/desktop_model.h:1: #include "platform/sim/services/sim_desktop.h": '
        "platform/sim/desktop may include only platform, platform/sim/desktop, support",
        "src/platform/sim/drawing/pango_text.cpp:2: #include <unicode/brkiter.h>: only "
        "platform/sim/services may use ICU",
        'src/platform/value.h:1: #include "platform/sim/services/sim_clock.h": platform may include only '
        "platform",
        'src/power/gate.cpp:1: #include "platform/sim/services/sim_clock.h": power may include only '
        "platform, power, support",
        "src/power/gate.cpp:2: #include <CoreGraphics/CoreGraphics.h>: only app/main_mac.mm, "
        "platform/mac may use the macOS frameworks",
    ]
    with tempfile.TemporaryDirectory() as root:
        for name, text in files.items():
            path = Path(root) / "src" / name
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text)
        found = check_tree(root)
    if sorted(found) != sorted(expected):
        print("check_layers self-test: FAIL", file=sys.stderr)
        for line in sorted(set(expected) - set(found)):
            print(f"  missed:     {line}", file=sys.stderr)
        for line in sorted(set(found) - set(expected)):
            print(f"  unexpected: {line}", file=sys.stderr)
        return 1
    print(f"check_layers self-test: {len(expected)} fabricated violations found, nothing else")
    return 0


def main(arguments):
    if arguments == ["--self-test"]:
        return self_test()
    if len(arguments) > 1 or (arguments and arguments[0].startswith("-")):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    root = Path(arguments[0]) if arguments else Path(__file__).resolve().parent.parent
    problems = check_tree(root)
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        print(f"check_layers: {len(problems)} problem(s) with the layering", file=sys.stderr)
        return 1
    print("check_layers: every library includes only its own and lower layers")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
