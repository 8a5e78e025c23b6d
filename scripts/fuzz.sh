#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) into
# ./build-fuzz, only with the libraries they use, and runs each for FUZZ_SECONDS seconds
# (30 unless set) on a corpus seeded from the shipped files. Fails when a target finds a
# fault; the input that shows it is left in build-fuzz/. The runs start from a fixed seed
# (FUZZ_SEED, 1 unless set): from a fresh checkout, as CI has it, each run tries the same
# inputs in the same order, as many as its time allows, so it does not fail by the draw
# alone (the corpus a local build-fuzz/ keeps grows from run to run). FUZZ_SEED=0 draws a
# seed, for longer hunts.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-30}"
seed="${FUZZ_SEED:-1}"
command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is missing"; exit 1; }
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f build-fuzz/CMakeCache.txt ]; then
  cmake -S . -B build-fuzz "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DALMANORVIQUE_FUZZ_ONLY=ON
fi
cmake --build build-fuzz -j "$(nproc)"

# Seeds: each shipped file alone, and pairs of them (user or year file, NUL, template).
seeds=build-fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds/single" "$seeds/ini pairs" "$seeds/date pairs"
n=0
# The calendar's settings templates are made from their one source, as the build does.
shipped=build-fuzz/templates
cmake -DSOURCE_DIR=data -DOUTPUT_DIR="$shipped" -P data/calendar_templates.cmake
cp data/ini/*.ini "$shipped/ini/"
for f in "$shipped/Almanorvique.ini" "$shipped"/ini/*.ini data/Dates/*; do
  [ -f "$f" ] || continue
  n=$((n + 1))
  cp "$f" "$seeds/single/$n"
done
for f in "$shipped"/ini/*.ini; do
  { cat "$shipped/Almanorvique.ini"; printf '\0'; cat "$f"; } >"$seeds/ini pairs/$(basename "$f")"
done
previous=""
for f in data/Dates/*; do
  [ -f "$f" ] || continue
  if [ -n "$previous" ]; then
    { cat "$previous"; printf '\0'; cat "$f"; } >"$seeds/date pairs/$(basename "$f")"
  fi
  previous="$f"
done

status=0
for target in store_round_trip template_merge year_file; do
  corpus="build-fuzz/corpus/$target"
  mkdir -p "$corpus"
  case "$target" in
    store_round_trip) extra=("$seeds/single") ;;
    template_merge) extra=("$seeds/single" "$seeds/ini pairs" tests/fuzz/seeds/template_merge) ;;
    year_file) extra=("$seeds/single" "$seeds/date pairs") ;;
  esac
  log="build-fuzz/$target.log"
  echo "fuzzing $target for ${seconds}s"
  if ! "build-fuzz/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -seed="$seed" -max_len=65536 -timeout=20 \
    -artifact_prefix="build-fuzz/$target-" "$corpus" "${extra[@]}" >"$log" 2>&1; then
    echo "FAIL: $target found a fault (see $log)"
    tail -n 40 "$log"
    status=1
  else
    grep -E "^Done|^#[0-9]+.*DONE" "$log" | tail -n 1 || true
  fi
done
exit $status
