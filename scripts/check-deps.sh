#!/usr/bin/env bash
# Fails when configure found something under /usr that the project does not install: a
# package installed by hand would otherwise hide a missing install step until a fresh machine.
#
# usage: scripts/check-deps.sh [--packages FILE] [CACHE]
# For every *_DIR, *_LIBRARY* and *_INCLUDE_DIR* entry of CACHE (build/dev/CMakeCache.txt)
# under /usr, the owning package (dpkg -S) must be in FILE (scripts/packages.txt) or pulled in
# by one of its packages (apt-cache depends --recurse, Depends and PreDepends).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
packages=$root/scripts/packages.txt
if [[ ${1:-} == --packages ]]; then
    packages=$2
    shift 2
fi
cache=${1:-$root/build/dev/CMakeCache.txt}
[[ -r $cache ]] || { echo "check-deps: no CMake cache at $cache (configure first)" >&2; exit 2; }

listed=$(sed 's/#.*//' "$packages" | tr -s ' \t' '\n' | grep . | sort -u)

# The listed packages and everything they depend on, without architecture qualifiers.
closure=$( {
    printf '%s\n' "$listed"
    # shellcheck disable=SC2086
    apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
        --no-replaces --no-enhances $listed 2>/dev/null |
        awk '/^[^ ]/ { print $1 } /^ +(Pre)?Depends:/ { print $2 }'
} | tr -d '<>' | sed 's/:.*$//' | sort -u)

# pkg-config's entries may hold ";"-lists of paths (LIBICAL_STATIC_LIBRARY_DIRS): one a line.
entries=$(grep -E '^[A-Za-z0-9_]+_(DIR|LIBRARY[A-Za-z_]*|INCLUDE_DIR[A-Za-z_]*):[A-Z]+=/usr/' \
    "$cache" | awk -F'=' '{ n = split(substr($0, length($1) + 2), p, ";")
        for (i = 1; i <= n; i++) if (p[i] != "") print $1 "=" p[i] }' | sort -u || true)

failed=0 checked=0
while IFS= read -r entry; do
    [[ -n $entry ]] || continue
    name=${entry%%:*}
    path=${entry#*=}
    checked=$((checked + 1))
    owners=$(dpkg -S "$path" 2>/dev/null | sed -n 's/^\([^:]*\):.*/\1/p' | tr ', ' '\n\n' |
        sed 's/:.*$//' | grep . | sort -u || true)
    if [[ -z $owners && -e $path ]]; then
        owners=$(dpkg -S "$(readlink -f "$path")" 2>/dev/null | sed -n 's/^\([^:]*\):.*/\1/p' |
            tr ', ' '\n\n' | sed 's/:.*$//' | grep . | sort -u || true)
    fi
    if [[ -z $owners ]]; then
        echo "check-deps: $name=$path belongs to no package: installed by hand?"
        failed=$((failed + 1))
        continue
    fi
    if ! grep -qxF -f <(printf '%s\n' "$owners") <(printf '%s\n' "$closure"); then
        echo "check-deps: $(echo $owners) (for $name=$path) is not installed by scripts/packages.txt"
        failed=$((failed + 1))
    fi
done <<<"$entries"

echo "check-deps: $checked entries under /usr checked, $failed not installed by the project"
((failed == 0))
