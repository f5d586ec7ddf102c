#!/usr/bin/env bash
# Runs every fuzz target for longer than the test suite does, one after the other, on one
# core. New inputs are kept in <build>/tests/fuzz/long/<name>/ (the seeds in the source tree
# are only read); a crash leaves its input in <build>/tests/fuzz/work/artifacts/ and makes
# the script fail.
#
# Usage: tools/fuzz-long.sh [seconds per target (default 600)] [build folder]
# The build folder must be configured with clang (tools/configure.sh does).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-600}
build=${2:-${VORTA_BUILD_DIR:-$root/build}}

case $seconds in
  ''|*[!0-9]*) echo "fuzz-long: seconds must be a whole number" >&2; exit 2 ;;
esac
if [ ! -f "$build/CMakeCache.txt" ]; then
  echo "fuzz-long: $build is not a configured build folder" >&2
  exit 2
fi

targets=()
for source in "$root"/tests/fuzz/*_fuzz.cpp; do
  [ -e "$source" ] || continue
  targets+=("$(basename "$source" .cpp)")
done
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz-long: no fuzz targets" >&2
  exit 2
fi
cmake --build "$build" -j2 --target "${targets[@]}"

failed=0
for target in "${targets[@]}"; do
  name=${target%_fuzz}
  exe=$build/tests/fuzz/$target
  work=$build/tests/fuzz/long/$name
  artifacts=$build/tests/fuzz/work/artifacts
  mkdir -p "$work" "$artifacts"
  echo "== $name: $seconds s"
  if ! "$exe" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$artifacts/$name-" "$work" "$root/tests/fuzz/corpus/$name"; then
    echo "== $name: FAILED (input kept in $artifacts)" >&2
    failed=1
  fi
done
exit $failed
