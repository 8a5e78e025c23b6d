#!/usr/bin/env bash
# Installs what is missing, checks the format, builds (warnings are errors), runs every
# test, then the fuzz targets (with clang).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-dependencies.sh
scripts/format.sh --check
scripts/build.sh --werror
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
cd ..
if command -v clang++ >/dev/null 2>&1; then
  scripts/fuzz.sh
else
  echo "clang++ is missing: the fuzz targets are skipped"
fi
