#!/usr/bin/env bash
# Quick start: install what is missing, build, and start the program on its default data folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh dev
exec build/dev/src/ui/qt/mivra "$@"
