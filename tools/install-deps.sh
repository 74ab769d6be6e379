#!/usr/bin/env bash
# Installs the Debian packages listed in tools/packages/*.build (and *.test
# with --test). When every one is installed already it only says so; else,
# as another user than root, it runs itself again through sudo.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
lists=("$here"/packages/*.build)
[ "${1:-}" = "--test" ] && lists+=("$here"/packages/*.test)
mapfile -t pkgs < <(cat "${lists[@]}" | sed 's/#.*//' | tr -s ' \t' '\n' | grep -v '^$' | sort -u)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#pkgs[@]} packages are installed"
  exit 0
fi
if [ "$(id -u)" != 0 ]; then
  exec sudo "$here/install-deps.sh" "$@"
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${pkgs[@]}"
