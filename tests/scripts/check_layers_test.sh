#!/usr/bin/env bash
# The layer check on a small fake tree and table.
set -euo pipefail
check=$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-layers
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/src/base" "$work/src/store" "$work/src/app"
printf '#pragma once\n' >"$work/src/base/Bytes.h"
printf '#include "base/Bytes.h"\n#include <vector>\n' >"$work/src/store/Doc.h"
printf '#include "store/Doc.h"\n#include "Local.h"\n' >"$work/src/app/Frame.cpp"
table() {
    printf '# Notes\n\n### The layer table\n\n| folder | may include |\n| --- | --- |\n'
    printf '| `base` | %s |\n| `store` | `base` |\n| `app` | `store`, `base` |\n\nLater text.\n' "$1"
}

failures=0
expect() { # expect CODE TEXT: runs the check on the tree as it stands
    set +e
    out=$("$check" --src "$work/src" --table "$work/table.md" 2>&1)
    got=$?
    set -e
    if [[ $got != "$1" || $out != *"$2"* ]]; then
        echo "FAIL: expected exit $1 with \"$2\", got $got:"
        echo "$out"
        failures=$((failures + 1))
    fi
}

table "—" >"$work/table.md"
expect 0 "3 includes checked, 0 against"
printf '#include "app/Frame.h"\n' >>"$work/src/base/Bytes.h"
expect 1 "src/base/Bytes.h:2: base may not include app (\"app/Frame.h\")"
table '`app`' >"$work/table.md"
expect 1 "the table has a cycle"
table "—" >"$work/table.md"
mkdir "$work/src/extra" && printf '#include "base/Bytes.h"\n' >"$work/src/extra/X.cpp"
expect 1 "folder extra has no row"

if ((failures > 0)); then
    echo "0 passed, $failures failed"
    exit 1
fi
echo "check-layers: 4 cases passed"
