#!/usr/bin/env bash
# Runs the desktop fuzz target from BUILD (default build/fuzz) for RUNS inputs
# (default 150000) with a fixed seed, so a run is repeatable. The corpus starts
# from every desktop file in the repository and the hostile seeds in fuzz/corpus
# (numbers beyond a double, nesting at and over the limit, NUL bytes, absurd
# geometry, session dictionaries of any shape) and a settings file of every value form.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/fuzz}" && pwd)
runs=${2:-150000}
corpus=$build/corpus
rm -rf "$corpus" && mkdir -p "$corpus"
for file in "$root"/docs/desktops/*.json "$root"/tests/e2e/cases/*/*.json "$root"/fuzz/corpus/*.json; do
  cp "$file" "$corpus/$(basename "$(dirname "$file")")-$(basename "$file")"
done
cd "$build"
LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0 fuzz/desktop_fuzz -seed=1 -runs="$runs" \
  -timeout=10 -max_len=8192 -dict="$root/fuzz/desktop.dict" "$corpus" 2>&1 | tail -n 1
exit "${PIPESTATUS[0]}"
