#!/usr/bin/env bash
# Installs the Debian packages listed in packages.txt that are missing. Quiet when all are present.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mapfile -t wanted < <(grep -v '^\s*#' "$root/packages.txt" | awk 'NF {print $1}')
missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}; run this as root (or with sudo) to install them." >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! apt-get install -y -q "${missing[@]}" >/tmp/chengying-apt.log 2>&1; then
    apt-get update -q >/dev/null
    apt-get install -y -q "${missing[@]}" >/tmp/chengying-apt.log 2>&1 ||
        { cat /tmp/chengying-apt.log >&2; exit 1; }
fi
