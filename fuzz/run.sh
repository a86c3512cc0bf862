#!/bin/sh
# Replays every committed corpus, then fuzzes each target for a few seconds on a scratch copy of
# its corpus (the committed one is never changed).
# Usage: fuzz/run.sh [seconds per target] [build folder, default build-fuzz]
# Expects the `fuzz` preset built (cmake --preset fuzz && cmake --build --preset fuzz), or any
# build configured alike (TOLARKA_FUZZ=ON with clang) in the folder given.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-8}
build=$(cd "${2:-$root/build-fuzz}" && pwd)  # a relative folder is taken from where the script was started
cd "$root"
bin=$build/fuzz
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
failed=0
for target in question_record cp1250 recent_list save_record question_source wav avi; do
  corpus=fuzz/corpus/$target
  if ! "$bin/${target}_fuzz" -runs=0 "$corpus" > "$scratch/$target.replay" 2>&1; then
    cat "$scratch/$target.replay"; echo "fuzz $target: the committed corpus fails"; failed=1; continue
  fi
  mkdir -p "$scratch/$target" "$scratch/$target-crash"
  if "$bin/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$scratch/$target-crash/" "$scratch/$target" "$corpus" > "$scratch/$target.log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$scratch/$target.log")
    echo "fuzz $target: $runs runs in ${seconds} s, no finding"
  else
    tail -40 "$scratch/$target.log"
    mkdir -p "$build/findings"
    for crash in "$scratch/$target-crash"/*; do
      [ -f "$crash" ] || continue
      cp "$crash" "$build/findings/$target-$(basename "$crash")"
      echo "input (kept in $build/findings/$target-$(basename "$crash")):"
      od -A d -t x1 "$crash" | head -20
    done
    echo "fuzz $target: FINDING (see above)"; failed=1
  fi
done
exit $failed
