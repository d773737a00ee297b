#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, AddressSanitizer and
# UBSan in build-fuzz/ and runs each for a bounded time. A crash, a broken
# property, a memory leak, a file descriptor left open or an input that runs
# longer than 10 s fails the script.
#
#   bash scripts/fuzz.sh            # every target, 60 s each
#   FUZZ_SEKUNDY=600 bash scripts/fuzz.sh subor
#
# New inputs go to build-fuzz/korpus/<target>; the seeds in fuzz/korpus stay
# as they are. A failing input is saved as build-fuzz/nalezy/<target>/crash-*
# (leak-*, timeout-*); rerun it with build-fuzz/fuzz/fuzz_<target> FILE.
set -euo pipefail
cd "$(dirname "$0")/.."
sekundy=${FUZZ_SEKUNDY:-60}
ciele=("$@")
[ ${#ciele[@]} -gt 0 ] || ciele=(nakomplex subor npy)

if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ is missing (apt-get install clang)" >&2
  exit 1
fi
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQLC_FUZZ=ON -DQLC_GUI=OFF -DQLC_TESTS=OFF -DQLC_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${ciele[@]/#/fuzz_}"

# Leaks are reported; the UB checks already stop at the first error.
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
zlyhalo=0
suhrn=()
for c in "${ciele[@]}"; do
  korpus=build-fuzz/korpus/$c
  nalezy=build-fuzz/nalezy/$c
  mkdir -p "$korpus" "$nalezy"
  log=build-fuzz/fuzz_$c.log
  echo "== fuzz_$c: $sekundy s"
  if ! build-fuzz/fuzz/fuzz_"$c" -max_total_time="$sekundy" -timeout=10 -rss_limit_mb=2048 \
      -dict=fuzz/"$c".dict -artifact_prefix="$nalezy"/ -print_final_stats=1 \
      "$korpus" fuzz/korpus/"$c" >"$log" 2>&1; then
    zlyhalo=1
    tail -n 40 "$log" >&2
    echo "fuzz_$c FAILED; the input is in $nalezy/" >&2
  fi
  behov=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  zasek=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  suhrn+=("fuzz_$c: ${behov:-?} inputs, ${zasek:-?} per second")
done
printf '%s\n' "${suhrn[@]}"
exit "$zlyhalo"
