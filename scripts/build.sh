#!/usr/bin/env bash
# Configures and builds into ./build (programs and shipped data in ./build/bin).
# With --werror (as ./test.sh calls it) every compiler warning fails the build.
set -euo pipefail
cd "$(dirname "$0")/.."
werror=()
if [ "${1:-}" = "--werror" ]; then werror=(-DALMANORVIQUE_WERROR=ON); fi
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${werror[@]}"
elif [ ${#werror[@]} -gt 0 ] && ! grep -q '^ALMANORVIQUE_WERROR:BOOL=ON$' build/CMakeCache.txt; then
  cmake -S . -B build "${werror[@]}"
fi
cmake --build build -j "$(nproc)"
