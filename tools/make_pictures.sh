#!/usr/bin/env bash
# Writes the README's pictures of the simulated screen into OUT (docs/images
# by default) with the executables of BUILD (build/release by default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
out=${2:-$root/docs/images}
demo=$root/docs/desktops/demo.json
mkdir -p "$out"

# The demo desktop as the window server lists it.
"$build/lumetta" --desktop "$demo" --classify --screenshot "$out/demo-desktop.png" >/dev/null
# The screen at the end of the main job (make run), with the controller's panels.
"$build/lumetta" --desktop "$demo" --overlays 9 --virtual-time \
  --screenshot "$out/demo-overlays.png" >/dev/null
# A ChatGPT-mode window in the top-bar style; a Codex-mode window, partly
# covered by the windows in front of it, in the border style.
"$build/lumetta-preview" --desktop "$demo" --window 4711 --mode ChatGPT --style top-bar \
  --out "$out/overlay-top-bar.png"
"$build/lumetta-preview" --desktop "$demo" --window 4712 --mode Codex --style border \
  --out "$out/overlay-border.png"
# The menu-bar popover: on the Codex tab, on the GPT tab in the border style,
# without the permission, and with a login-item error.
for name in menu-codex menu-gpt-border menu-permission menu-login-error; do
  "$build/lumetta" --desktop "$root/docs/desktops/$name.json" --virtual-time \
    --screenshot "$out/$name.png" >/dev/null
done
# The border of the dragged ChatGPT window fading out while it moves and back
# in after it stops: the screen at a few moments of the main job, side by side.
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
strip=()
for moment in "1.4:1.4 s" "1.6:1.6 s: dragging" "2.0:2.0 s: released" "2.2:2.2 s" "2.3:2.3 s" \
              "2.7:2.7 s"; do
  at=${moment%%:*}
  "$build/lumetta" --desktop "$demo" --overlays "$at" --virtual-time \
    --screenshot "$frames/$at.png" >/dev/null
  strip+=("${moment#*:}=$frames/$at.png")
done
"$build/lumetta-filmstrip" --crop 660,230,850,752 --scale 0.3 --out "$out/border-fade.png" \
  "${strip[@]}"
