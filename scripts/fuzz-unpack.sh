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
# Seeds: no magic, the bare header, and one and two sound records.
H='TOLVU PACK format v2.0//Kodrix attachments: record A B C A name C data B        '
printf ' ' >"$CORPUS/seed-blank"
printf '%s' "$H" >"$CORPUS/seed-header"
printf '%sAAAAAABBBBBBCCCCCCAAAAAAa.txtCCCCCChelloBBBBBB' "$H" >"$CORPUS/seed-one"
printf '%sAAAAAABBBBBBCCCCCCAAAAAAa.txtCCCCCChelloBBBBBBaaaaaabbbbbbccccccaaaaaa\xce\xf2\xf7\xb8\xf2cccccc\x00\xffbbbbbb' \
    "$H" >"$CORPUS/seed-two"
export QT_QPA_PLATFORM=offscreen
exec "$BUILD/fuzz_unpack" "$CORPUS" -max_total_time="$SECONDS_TO_RUN" -timeout=10 -max_len=65536 \
    -rss_limit_mb=2048 -artifact_prefix="$BUILD/" -print_final_stats=1
