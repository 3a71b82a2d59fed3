#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kodrix on the demo base.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
BUILD_DIR="${BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Kodrix собран, но запустить его негде: нет графического дисплея (DISPLAY не задан)." >&2
  echo "Запустите ./run.sh в графическом сеансе или под Xvfb: xvfb-run -a ./run.sh" >&2
  exit 1
fi
exec "$BUILD_DIR/bin/kodrix" "$@"
