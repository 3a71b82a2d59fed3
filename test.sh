#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless. With
# KODRIX_SANITIZE_CI=1 it then runs the same suite under AddressSanitizer and
# UBSan and each fuzz target for a minute (scripts/sanitize.sh). Non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
BUILD_DIR="${BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKODRIX_WERROR=ON >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 0700 "$XDG_RUNTIME_DIR"
# Widget tests run offscreen; the smoke test starts the real program in a window,
# so the whole run gets a virtual X display.
xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" \
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)" --timeout 600
if [ "${KODRIX_SANITIZE_CI:-0}" = 1 ]; then
  ./scripts/sanitize.sh
fi
