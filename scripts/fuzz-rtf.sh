#!/usr/bin/env bash
# Fuzzes the RTF reader for SECONDS (default 300) with libFuzzer, ASan and UBSan.
# Builds its own target with clang in build-fuzz-rtf/, apart from the normal build; the
# corpus grows in fuzz-corpus-rtf/ (git-ignored), seeded with both shared corpora of real RTF.
# Non-zero exit when the fuzzer found a crash, a leak, a hang or a broken property.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_TO_RUN="${1:-300}"
case "$SECONDS_TO_RUN" in
  -h|--help) sed -n '2,5p' "$0"; exit 0 ;;
esac
CXX="${CXX:-$(command -v clang++-14 || command -v clang++ || true)}"
if [ -z "$CXX" ]; then
  echo "fuzz-rtf: clang++ not found (Debian: clang-14 libclang-rt-14-dev)" >&2
  exit 2
fi
BUILD=build-fuzz-rtf
cmake -S fuzz/rtf -B "$BUILD" -DCMAKE_CXX_COMPILER="$CXX" >/dev/null
cmake --build "$BUILD" -j"${JOBS:-2}" >/dev/null
CORPUS=fuzz-corpus-rtf
mkdir -p "$CORPUS"
TESTDATA="${KODRIX_TESTDATA:-../shared/testdata}"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 0700 "$XDG_RUNTIME_DIR"
# Qt keeps a few process-wide caches alive until exit; those are not leaks of ours.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/fuzz/rtf/lsan.supp:print_suppressions=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ARGS=(-max_total_time="$SECONDS_TO_RUN" -timeout=10 -rss_limit_mb=2048 -max_len=65536
      -dict=fuzz/rtf/rtf.dict -artifact_prefix="$CORPUS/")
# New inputs go to the first folder, ours; the real files of both corpora only seed it.
DIRS=("$CORPUS")
for seeds in "$TESTDATA/rtf" "$TESTDATA/rtf-wide/files"; do
  [ -d "$seeds" ] && DIRS+=("$seeds")
done
exec "$BUILD/fuzz_rtf" "${ARGS[@]}" "${DIRS[@]}"
