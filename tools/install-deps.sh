#!/usr/bin/env bash
# Installs the Debian packages listed in tools/packages/*.build (and *.test
# with --test). As another user than root it runs itself again through sudo.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "$(id -u)" != 0 ]; then
  exec sudo "$here/install-deps.sh" "$@"
fi
lists=("$here"/packages/*.build)
[ "${1:-}" = "--test" ] && lists+=("$here"/packages/*.test)
mapfile -t pkgs < <(cat "${lists[@]}" | sed 's/#.*//' | tr -s ' \t' '\n' | grep -v '^$' | sort -u)
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${pkgs[@]}"
