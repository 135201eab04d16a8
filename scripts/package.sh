#!/usr/bin/env bash
# Builds the Debian package build/package/mivra_<version>_amd64.deb from the package preset
# (a release build without tests and benchmarks); scripts/check-package.sh checks it.
set -euo pipefail
cd "$(dirname "$0")/.."
umask 022 # the staged files keep the modes Debian expects
scripts/install-deps.sh
scripts/build.sh package
rm -f build/package/mivra_*.deb
(cd build/package && cpack -G DEB >/dev/null)
ls build/package/mivra_*_amd64.deb
