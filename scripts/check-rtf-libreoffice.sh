#!/usr/bin/env bash
# Checks that LibreOffice reads our writer's output to the same text as we do: every real RTF
# file goes through `kodrix-base roundtrip`, LibreOffice converts the result to text, and
# the two texts must match once all blanks (LibreOffice writes paragraph and cell breaks its
# own way) are removed.
# Skips (exit 0, with a message) when LibreOffice (Debian libreoffice-writer-nogui) is absent.
# Usage: scripts/check-rtf-libreoffice.sh [BUILD_DIR]   (default build-rtf, else build)
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in -h|--help) sed -n '2,7p' "$0"; exit 0 ;; esac
SOFFICE="$(command -v soffice || command -v libreoffice || true)"
if [ -z "$SOFFICE" ]; then
  echo "check-rtf-libreoffice: LibreOffice is not installed; skipped" >&2
  exit 0
fi
BUILD="${1:-build-rtf}"
[ -x "$BUILD/bin/kodrix-base" ] || BUILD=build
TOOL="$BUILD/bin/kodrix-base"
[ -x "$TOOL" ] || { echo "check-rtf-libreoffice: build kodrix-base first" >&2; exit 2; }
DATA="${KODRIX_TESTDATA:-../shared/testdata}/rtf"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=offscreen
norm() { python3 -c 'import sys; t = sys.stdin.buffer.read().decode("utf-8-sig"); sys.stdout.write("".join(c for c in t if not c.isspace()))'; }
fail=0
for f in "$DATA"/*.rtf; do
  b="$(basename "$f" .rtf)"
  "$TOOL" roundtrip "$f" "$WORK/$b.rtf"
  "$TOOL" text "$WORK/$b.rtf" > "$WORK/$b.ours.txt"
  "$SOFFICE" --headless -env:UserInstallation="file://$WORK/profile" \
      --convert-to "txt:Text (encoded):UTF8" --outdir "$WORK" "$WORK/$b.rtf" >/dev/null 2>&1 || true
  if [ ! -f "$WORK/$b.txt" ]; then
    echo "FAIL $b: LibreOffice could not read our output"; fail=1; continue
  fi
  if [ "$(norm < "$WORK/$b.txt")" != "$(norm < "$WORK/$b.ours.txt")" ]; then
    echo "FAIL $b: LibreOffice reads different text"; fail=1
  else
    echo "ok   $b"
  fi
done
exit $fail
