#!/usr/bin/env bash
# Installs the Debian packages Kodrix needs to build, test and run, when any is missing.
# Non-interactive; uses sudo only when not root. SQLCipher 4 comes from the
# bookworm-backports suite of the machine's own Debian archive (Debian 12's main
# suite only has SQLCipher 3).
set -euo pipefail

PKGS=(build-essential g++ cmake pkg-config git ca-certificates
      qt6-base-dev qt6-translations-l10n libqt6svg6 breeze-icon-theme
      libgtest-dev libgmock-dev libbenchmark-dev
      sqlite3 xvfb xauth xdotool imagemagick fonts-dejavu-core poppler-utils xdg-utils)
BACKPORT_PKGS=(libsqlcipher-dev sqlcipher)
# "deps.sh fuzz": also clang with libFuzzer, for the fuzz targets.
if [ "${1:-}" = fuzz ]; then PKGS+=(clang libclang-rt-dev); fi

if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
export DEBIAN_FRONTEND=noninteractive

missing=()
for p in "${PKGS[@]}" "${BACKPORT_PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# SQLCipher 3 from the main suite would not do: the base is a SQLCipher 4 file.
if dpkg-query -W -f='${Version}' libsqlcipher-dev 2>/dev/null | grep -q '^3\.'; then
  missing+=(libsqlcipher-dev)
fi
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Устанавливаю недостающие пакеты: ${missing[*]}"

. /etc/os-release
codename="${VERSION_CODENAME:-bookworm}"
need_backports=0
if [ "$codename" = "bookworm" ]; then need_backports=1; fi

if [ $need_backports -eq 1 ] && ! grep -rqs "${codename}-backports" /etc/apt/sources.list /etc/apt/sources.list.d/ ; then
  # Reuse the URI the machine already uses for its main Debian suite.
  uri=""
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    uri=$(awk -v s="$codename" '
      /^URIs:/ {u=$2} /^Suites:/ {for(i=2;i<=NF;i++) if($i==s) print u}
      /^$/ {u=""}' /etc/apt/sources.list.d/debian.sources | head -n1)
  fi
  if [ -z "$uri" ] && [ -f /etc/apt/sources.list ]; then
    uri=$(awk -v s="$codename" '$1=="deb" && $3==s {print $2; exit}' /etc/apt/sources.list)
  fi
  if [ -z "$uri" ]; then
    uri=$(grep -rhoE '^(deb|URIs:)[^#]*' /etc/apt/sources.list /etc/apt/sources.list.d/*.sources 2>/dev/null \
          | grep -oE '(https?|file)://[^ ]*debian/?' | grep -v security | head -n1 || true)
  fi
  if [ -z "$uri" ]; then
    echo "Не найден адрес архива Debian в /etc/apt: не могу подключить ${codename}-backports" >&2
    exit 1
  fi
  echo "deb $uri ${codename}-backports main" | "${SUDO[@]}" tee /etc/apt/sources.list.d/kodrix-backports.list >/dev/null
fi

"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${PKGS[@]}"
if [ $need_backports -eq 1 ]; then
  "${SUDO[@]}" apt-get install -y -qq --no-install-recommends -t "${codename}-backports" "${BACKPORT_PKGS[@]}"
else
  "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${BACKPORT_PKGS[@]}"
fi
