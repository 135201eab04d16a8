#!/usr/bin/env bash
# Builds the Debian package build/package/mivra_<version>_amd64.deb from the package preset
# (a release build without tests and benchmarks) with Debian's hardening flags;
# scripts/check-package.sh checks it.
set -euo pipefail
cd "$(dirname "$0")/.."
umask 022 # the staged files keep the modes Debian expects
scripts/install-deps.sh
flag() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake --preset package -DCMAKE_CXX_FLAGS="$(flag CPPFLAGS) $(flag CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flag LDFLAGS)" >/dev/null
cmake --build --preset package -j "$(nproc)"
rm -f build/package/mivra_*.deb
(cd build/package && cpack -G DEB >/dev/null)
ls build/package/mivra_*_amd64.deb
