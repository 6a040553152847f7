#!/usr/bin/env bash
# Runs the fuzz targets of a KV_FUZZ build one after another, each for a bounded time.
#
#   tests/fuzz/run.sh BUILD_DIR SECONDS [TARGET ...]    (targets without the kvfuzz_ prefix)
#
# Each target starts from its seed corpus (tests/fuzz/corpus/TARGET, never written to) plus a
# work corpus (WORK_DIR/TARGET, kept between runs), with the keyword dictionary of its kind. A
# finding leaves its input in WORK_DIR/findings and makes the script fail. FUZZ_ARGS adds libFuzzer
# options. The last line per target gives its executions.
set -uo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
build="${1:?usage: run.sh BUILD_DIR SECONDS [TARGET ...]}"
seconds="${2:?usage: run.sh BUILD_DIR SECONDS [TARGET ...]}"
shift 2
work="${WORK_DIR:-$build/fuzz-work}"
mkdir -p "$work/findings"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for program in "$build"/tests/fuzz/kvfuzz_*; do
        [ -x "$program" ] && targets+=("${program##*/kvfuzz_}")
    done
fi
if [ ${#targets[@]} -eq 0 ]; then
    echo "no fuzz targets in $build (configure with -DKV_FUZZ=ON)" >&2
    exit 2
fi

failed=0
for target in "${targets[@]}"; do
    program="$build/tests/fuzz/kvfuzz_$target"
    seeds="$here/corpus/$target"
    mkdir -p "$work/$target"
    options=(-max_total_time="$seconds" -timeout=30 -rss_limit_mb=2560 -close_fd_mask=3
             -print_final_stats=1 -artifact_prefix="$work/findings/$target-")
    # The targets that keep one application for the whole run cover much of the program with
    # every input: the entropic schedule's bookkeeping per feature then costs more than the input
    # itself, and the memory the session keeps between inputs would set off the per-input leak
    # check. They run with the plain schedule; leaks are still reported when the process ends.
    if [[ "$target" == *lines || "$target" == startupfile || "$target" == sessions ]]; then
        options+=(-entropic=0 -detect_leaks=0)
    fi
    if [ -f "$here/$target.dict" ]; then
        options+=(-dict="$here/$target.dict")
    elif [[ "$target" == *lines || "$target" == startupfile ]]; then
        options+=(-dict="$here/lines.dict")
    fi
    log="$work/$target.log"
    # shellcheck disable=SC2086
    nice "$program" "${options[@]}" ${FUZZ_ARGS:-} "$work/$target" "$seeds" >"$log" 2>&1
    status=$?
    runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)"
    if [ $status -ne 0 ]; then
        failed=1
        echo "FAIL $target (exit $status, ${runs:-?} executions); log: $log"
        grep -E 'ERROR|SUMMARY|rule broken|Test unit written' "$log" | head -8 | sed 's/^/    /'
    else
        echo "ok   $target: ${runs:-?} executions in ${seconds} s"
    fi
done
exit $failed
