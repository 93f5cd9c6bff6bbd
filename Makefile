# Entry points; everything else is CMake. Each target bootstraps first, so a
# fresh Debian machine needs nothing but `make`.
JOBS ?= $(shell nproc)
CMAKE_GEN = -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON

.PHONY: bootstrap run test sanitize tsan fuzz mac-check package-check lint format format-check \
        tidy layers bench clean

bootstrap:
	@scripts/bootstrap

build/release/build.ninja: | bootstrap
	@cmake -S . -B build/release $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release >/dev/null

build/debug/build.ninja: | bootstrap
	@cmake -S . -B build/debug $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug >/dev/null

build/tsan/build.ninja: | bootstrap
	@cmake -S . -B build/tsan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DLUMETTA_SANITIZE=thread >/dev/null

build/fuzz/build.ninja: | bootstrap
	@CC=clang CXX=clang++ cmake -S . -B build/fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DLUMETTA_SANITIZE=address -DLUMETTA_FUZZ=ON >/dev/null

# The sources clang-tidy reads: a clang configuration (with the fuzz target),
# never built.
build/tidy/build.ninja: | bootstrap
	@CC=clang CXX=clang++ cmake -S . -B build/tidy $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DLUMETTA_FUZZ=ON >/dev/null

build/asan/build.ninja: | bootstrap
	@cmake -S . -B build/asan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DLUMETTA_SANITIZE=address >/dev/null

# The main job: the overlay machinery for nine simulated seconds on the built-in
# demo desktop, then a picture of the screen with its overlays.
run: build/release/build.ninja
	@cmake --build build/release -j $(JOBS) --target lumetta
	@build/release/lumetta --overlays 9 --virtual-time --screenshot build/release/overlays.png
	@echo "The screen with its overlays at the end of the run: build/release/overlays.png"

test: build/debug/build.ninja
	@cmake --build build/debug -j $(JOBS)
	@cd build/debug && ctest --output-on-failure -j $(JOBS)

# The same tests with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: build/asan/build.ninja
	@cmake --build build/asan -j $(JOBS)
	@cd build/asan && LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 ctest --output-on-failure -j $(JOBS)

# ThreadSanitizer over the tests that run real threads (named Threaded*) and the
# self-test, whose activity-gate suite runs on the threaded run loop.
tsan: build/tsan/build.ninja
	@cmake --build build/tsan -j $(JOBS)
	@cd build/tsan && ctest --output-on-failure -j $(JOBS) -R 'Threaded|e2e\.self-test'

# A seeded, repeatable fuzz run over the desktop loader and the modes that read
# what it loads, starting from every desktop file in the repository.
fuzz: build/fuzz/build.ninja
	@cmake --build build/fuzz -j $(JOBS) --target desktop_fuzz
	@fuzz/run.sh build/fuzz

# Every source the Mac build compiles, type-checked for macOS 13 (Intel and Apple
# silicon) with clang on this machine, against libc++ as Xcode 14.1 ships it.
mac-check: | bootstrap
	@tools/mac-check/run build/mac-check

# What Linux can check of the macOS release (tools/package-check/run): the
# workflows, every shell script, a release's Info.plist, the icon, the cask and
# the packaging script's dry run, each against a broken copy too.
package-check:
	@scripts/bootstrap packaging
	@tools/package-check/run build/package-check

# Style and structure: the formatter's check, clang-tidy and the layering rules.
lint: format-check tidy layers

FORMATTED = $(shell find src tests bench tools fuzz \
                     \( -name '*.h' -o -name '*.cpp' -o -name '*.mm' \) | sort)

# Rewrites every source in the house style (.clang-format).
format: | bootstrap
	@clang-format -i $(FORMATTED)

format-check: | bootstrap
	@clang-format --dry-run --Werror $(FORMATTED)
	@echo "format-check: $(words $(FORMATTED)) files in the house style"

# clang-tidy with .clang-tidy; TIDY_FILES (a regular expression) narrows the files.
tidy: build/tidy/build.ninja
	@JOBS=$(JOBS) tools/run-tidy build/tidy '$(TIDY_FILES)'

# Each library includes only its own layer and the layers it links.
layers:
	@tools/check_layers.py --self-test
	@tools/check_layers.py

bench: build/release/build.ninja
	@cmake --build build/release -j $(JOBS) --target lumetta_bench
	@build/release/bench/lumetta_bench

clean:
	rm -rf build
