#!/usr/bin/env bash
# The dependency guard against a fake CMake cache and a fake package database: stand-ins for
# dpkg and apt-cache come first on PATH, so no real package is asked about.
set -euo pipefail
guard=$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-deps.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"

# path -> owner, and package -> what it depends on
cat >"$work/owners" <<'MAP'
/usr/lib/cmake/Qt6UiTools	qt6-tools-dev
/usr/lib/cmake/Qt6OpenGL	libqt6opengl6-dev
/usr/include	libc6-dev, libfoo-dev
/usr/lib/libbar.so	libbar-dev
MAP
cat >"$work/depends" <<'MAP'
qt6-tools-dev	qt6-base-dev
qt6-base-dev	libqt6opengl6-dev
MAP
cat >"$work/bin/dpkg" <<MAP
#!/usr/bin/env bash
[[ \$1 == -S ]] || exit 2
owner=\$(awk -F'\t' -v p="\$2" '\$1 == p { print \$2 }' "$work/owners")
[[ -n \$owner ]] || { echo "dpkg-query: no path found matching pattern \$2" >&2; exit 1; }
echo "\$owner: \$2"
MAP
cat >"$work/bin/apt-cache" <<MAP
#!/usr/bin/env bash
# Prints the recursive Depends of the packages named, as apt-cache depends --recurse does.
declare -A seen
walk() {
    [[ -z \${seen[\$1]:-} ]] || return 0
    seen[\$1]=1
    echo "\$1"
    for d in \$(awk -F'\t' -v p="\$1" '\$1 == p { print \$2 }' "$work/depends"); do
        echo "  Depends: \$d"
        walk "\$d"
    done
}
for a in "\$@"; do [[ \$a == -* || \$a == depends ]] || walk "\$a"; done
MAP
chmod +x "$work/bin/"*
export PATH=$work/bin:$PATH

cat >"$work/cache" <<'CACHE'
Qt6UiTools_DIR:PATH=/usr/lib/cmake/Qt6UiTools
Qt6OpenGL_DIR:PATH=/usr/lib/cmake/Qt6OpenGL
ICU_INCLUDE_DIR:PATH=/usr/include
BAR_LIBRARY:FILEPATH=/usr/lib/libbar.so
LOCAL_DIR:PATH=/opt/elsewhere
CMAKE_INSTALL_PREFIX:PATH=/usr/local
CACHE

failures=0
expect() { # expect CODE WORDS-IN-OUTPUT PACKAGE-LIST
    local code=$1 words=$2
    printf '%s\n' "${@:3}" >"$work/packages"
    set +e
    out=$("$guard" --packages "$work/packages" "$work/cache" 2>&1)
    got=$?
    set -e
    if [[ $got != "$code" || $out != *"$words"* ]]; then
        echo "FAIL: packages (${*:3}): exit $got, expected $code with \"$words\":"
        echo "$out"
        failures=$((failures + 1))
    fi
}

# Everything owned by a listed package or one it pulls in; any owner of a shared folder will do.
expect 0 "4 entries under /usr checked, 0 not" "qt6-tools-dev # a comment" libfoo-dev libbar-dev
# The OpenGL package pulled in no longer: it is named with its cache entry.
cat >"$work/depends" <<'MAP'
qt6-tools-dev	qt6-base-dev
MAP
expect 1 "libqt6opengl6-dev (for Qt6OpenGL_DIR=/usr/lib/cmake/Qt6OpenGL)" qt6-tools-dev \
    libfoo-dev libbar-dev
# A file under /usr that no package owns was installed by hand.
echo 'HAND_LIBRARY:FILEPATH=/usr/lib/libhand.so' >>"$work/cache"
expect 1 "HAND_LIBRARY=/usr/lib/libhand.so belongs to no package" qt6-tools-dev \
    libqt6opengl6-dev libfoo-dev libbar-dev

if ((failures > 0)); then
    echo "0 passed, $failures failed"
    exit 1
fi
echo "check-deps: 3 cases passed"
