#!/usr/bin/env bash
# Runs each fuzz target of BUILD for SECONDS, from its seeds (the samples and
# the test data) and its corpus of past findings (fuzz/corpus/TARGET, which
# must all pass). A finding stops the run: its input is left in
# BUILD/findings/ (see the README to add it to the corpus).
#   usage: fuzz/run.sh BUILD SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
seconds=$2
work=$build/fuzz-work
rm -rf "$work"
mkdir -p "$work" "$build/findings"

seeds() { # target
    case $1 in
    fuzz_students) cp samples/*.csv tests/data/realdata/*.csv "$work/seeds-$1"/ ;;
    fuzz_siecle) python3 -c '
import sys, zipfile
for name in sys.argv[2:]:
    with zipfile.ZipFile(name) as archive:
        for entry in archive.namelist():
            if entry.lower().endswith(".xml"):
                open(sys.argv[1] + "/" + entry.replace("/", "_"), "wb").write(archive.read(entry))
' "$work/seeds-$1" samples/*.zip ;;
    fuzz_zip) cp samples/*.zip "$work/seeds-$1"/ ;;
    fuzz_sts) cp samples/*.xml tests/data/sts/*.xml tests/data/realdata/*.xml "$work/seeds-$1"/ ;;
    esac
}

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1
status=0
for target in fuzz_students fuzz_siecle fuzz_zip fuzz_sts; do
    mkdir -p "$work/seeds-$target" "$work/new-$target" "fuzz/corpus/$target"
    seeds "$target"
    echo "== $target ($seconds s)"
    if ! "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=3072 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
        "$work/new-$target" "fuzz/corpus/$target" "$work/seeds-$target" \
        >"$work/$target.log" 2>&1; then
        tail -n 60 "$work/$target.log"
        echo "ÉCHEC : $target a trouvé une entrée fautive, dans $build/findings/" >&2
        status=1
    else
        grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$work/$target.log" || true
    fi
done
exit $status
