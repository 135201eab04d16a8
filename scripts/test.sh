#!/usr/bin/env bash
# Quick start: install what is missing, build, and run every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh dev
ctest --preset dev -j "$(nproc)" "$@"
