#!/usr/bin/env bash
# The suite once more, built with AddressSanitizer and UBSan into its own folder
# (SANITIZE_BUILD_DIR, default build-sanitize/), then each fuzz target for
# FUZZ_SECONDS (default 60) on its seed corpus. Non-zero on any failing test,
# leak, undefined behaviour or fuzzer finding. test.sh runs it after the plain suite.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh fuzz
BUILD_DIR="${SANITIZE_BUILD_DIR:-build-sanitize}"
FUZZ_SECONDS="${FUZZ_SECONDS:-60}"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 0700 "$XDG_RUNTIME_DIR"
# Set for the build too: it runs the instrumented kodrix-base to make the demo base.
# The one leak the suite meets lies inside libdbus (the smoke test's real window
# on X); the file suppresses that library and nothing else.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# The build is the "sanitize" preset of CMakePresets.json, in its own folder.
cmake --preset sanitize -B "$BUILD_DIR" "${launcher[@]}" >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" \
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)" --timeout 1200

# The fuzz scripts bring their own sanitizer settings.
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
./scripts/fuzz-rtf.sh "$FUZZ_SECONDS"
./scripts/fuzz-unpack.sh "$FUZZ_SECONDS"
