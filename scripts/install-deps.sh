#!/usr/bin/env bash
# Installs the Debian 12 packages of scripts/packages.txt that are not installed yet.
# Works as root (no sudo needed) or through sudo for an ordinary user.
set -euo pipefail
cd "$(dirname "$0")"

mapfile -t packages < <(sed 's/#.*//' packages.txt | tr -s ' \t' '\n' | grep .)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
run() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi; }
export DEBIAN_FRONTEND=noninteractive
run apt-get update -qq
run apt-get install -y -qq --no-install-recommends "${missing[@]}"
