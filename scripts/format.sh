#!/usr/bin/env bash
# Formats the tracked C++ sources after .clang-format. With --check it changes nothing
# and fails, naming each place, when a file is not formatted (./test.sh runs that).
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "format.sh: clang-format is missing"; exit 1; }
mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
  if ! clang-format --dry-run --Werror "${files[@]}"; then
    echo "format.sh: the sources above are not formatted; scripts/format.sh formats them"
    exit 1
  fi
else
  clang-format -i "${files[@]}"
fi
