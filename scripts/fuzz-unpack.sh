#!/usr/bin/env bash
# Builds the archive reader's libFuzzer target with clang and runs it.
#   scripts/fuzz-unpack.sh [SECONDS]   (default 60)
# The build and the growing corpus live in build-pack/fuzz-unpack/ (FUZZ_BUILD_DIR overrides).
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_TO_RUN="${1:-60}"
BUILD="${FUZZ_BUILD_DIR:-build-pack/fuzz-unpack}"
CXX_14="$(command -v clang++-14 || command -v clang++)"
cmake -S fuzz/unpack -B "$BUILD" -DCMAKE_CXX_COMPILER="$CXX_14" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j2
CORPUS="$BUILD/corpus"
mkdir -p "$CORPUS"
# Seeds (no magic, the bare header, one and two sound records) are checked in under
# fuzz/unpack/seeds/; the normal test run replays them too. New inputs go to the first folder.
export QT_QPA_PLATFORM=offscreen
exec "$BUILD/fuzz_unpack" "$CORPUS" fuzz/unpack/seeds -max_total_time="$SECONDS_TO_RUN" -timeout=10 -max_len=65536 \
    -rss_limit_mb=2048 -artifact_prefix="$BUILD/" -print_final_stats=1
