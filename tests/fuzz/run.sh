#!/usr/bin/env bash
# run.sh FUZZ_BUILD TARGET SECONDS: runs one libFuzzer target for that long on
# a corpus in the fuzz build, started from the committed seeds; prints the
# executions and their rate. A finding (crash, sanitizer report, trap) fails
# with the reproducer's path.
set -euo pipefail
build=$1 target=$2 seconds=$3
here=$(cd "$(dirname "$0")" && pwd)
program="$build/fuzz-$target"
[[ -x "$program" ]] || { echo "FAIL: $program is not built (make fuzz-build builds it)" >&2; exit 1; }
corpus="$build/corpus/$target"
mkdir -p "$corpus" "$build/findings"
log="$build/fuzz-$target.log"
# A few frames reach every path of the MP3 decoder; each byte more is
# another 12 to 48 samples to resample, where its time goes.
options=()
[[ $target == mp3 ]] && options=(-max_len=2048)
# A module that plays for minutes takes seconds to render; more is a hang.
if ! "$program" "${options[@]}" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$target-" "$corpus" "$here/seeds/$target" >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "FAIL: fuzz-$target found a fault; reproducer in $build/findings/" >&2
  exit 1
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
echo "ok: fuzz-$target ran ${runs:-?} inputs in ${seconds} s (${rate:-?} a second), corpus $(ls "$corpus" | wc -l) files, no finding"
