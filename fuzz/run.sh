#!/usr/bin/env bash
# Runs every fuzz target of a build folder: with 0 seconds it only replays the
# committed corpus (fuzz/corpus/<target>/); otherwise it fuzzes for that many
# seconds per target, starting from the corpus, and keeps new inputs in a
# scratch folder of the build, never in the committed corpus.
set -euo pipefail
build=${1:?build folder}
seconds=${2:?seconds per target}
build=$(cd "$build" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
export DALVOR_HOME=${DALVOR_HOME:-$build/bin}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
work="$build/fuzz-work"
mkdir -p "$work"
status=0
for target in "$build"/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$here/corpus/$name"
  if [ "$seconds" -eq 0 ]; then
    echo "fuzz: replaying $name"
    "$target" -runs=0 "$corpus" >"$work/$name.log" 2>&1 || { cat "$work/$name.log"; status=1; }
  else
    echo "fuzz: $name for ${seconds}s"
    scratch="$work/$name.corpus"
    mkdir -p "$scratch"
    # Crash inputs land in the work folder, where the log names them.
    (cd "$work" && "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 "$scratch" "$corpus" >"$name.log" 2>&1) || { tail -60 "$work/$name.log"; status=1; }
  fi
done
exit $status
