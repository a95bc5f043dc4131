#!/usr/bin/env bash
# Builds a Release tree, generates the benchmark ledger and its ledger-cli journal, runs
# every benchmark and prints each figure against its target.
#
#   bench/run.sh                      100,000 records
#   bench/run.sh --big                100,000 records, then 1,000,000, and the ratio of each
#                                     interaction figure between the two sizes
#   VELMORA_BENCH_RECORDS=20000 bench/run.sh
#   VELMORA_BENCH_OUT=/tmp/vb bench/run.sh --benchmark_repetitions=3
#   VELMORA_BENCH_ONLY="bench_entry bench_ledger_page cli-add" bench/run.sh --big
#                                     only those benchmark programs; cli-summary and
#                                     cli-add name the two velmora-cli comparisons
#
# Extra arguments go to every Google Benchmark program. The generated files stay in
# $VELMORA_BENCH_OUT (default /tmp) for side-by-side runs with other programs:
#   velmora-bench.exv (CP932 ledger) and velmora-bench.journal (ledger-cli).
set -euo pipefail

only="${VELMORA_BENCH_ONLY:-}"
# True when the benchmark named $1 is to run.
chosen() { [[ -z $only || " $only " == *" $1 "* ]]; }

big=0
args=()
for arg in "$@"; do
    if [[ $arg == --big ]]; then big=1; else args+=("$arg"); fi
done
# The arguments left go to every Google Benchmark program.
bench_args=(${args[@]+"${args[@]}"})

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VELMORA_BENCH_BUILD:-$repo/build-release}"
out="${VELMORA_BENCH_OUT:-/tmp}"
# The shipped styles the print benchmarks read (their built-in path is relative when the
# compiler cache rewrote the source paths).
export VELMORA_DATA_DIR="${VELMORA_DATA_DIR:-$repo/data}"

if ! command -v ledger >/dev/null || ! command -v hyperfine >/dev/null ||
    ! command -v jq >/dev/null; then
    if [[ $(id -u) -eq 0 ]] && command -v apt-get >/dev/null; then
        apt-get install -y ledger hyperfine jq >/dev/null 2>&1 ||
            { apt-get update >/dev/null && apt-get install -y ledger hyperfine jq >/dev/null; }
    else
        echo "note: ledger-cli, hyperfine or jq missing; the journal checks are skipped" >&2
    fi
fi

cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
bench_targets=(velmora-generate)
for source in "$repo"/bench/bench_*.cpp; do
    target="$(basename "$source" .cpp)"
    chosen "$target" || continue
    # The desktop program's benchmarks are there only when the tree builds the desktop program.
    if [[ $target == bench_startup || $target == bench_summary_page ||
          $target == bench_print_qt || $target == bench_entry ]] &&
        ! ninja -C "$build" -t query "$target" >/dev/null 2>&1; then
        echo "note: no desktop program in $build; $target is skipped" >&2
        continue
    fi
    bench_targets+=("$target")
done
ninja -C "$build" -j2 "${bench_targets[@]}" velmora-cli >/dev/null
mkdir -p "$out"

# Every benchmark on a generated ledger of $1 records; the figures go to $log.
run_size() {
records="$1"
export VELMORA_BENCH_RECORDS="$records"
ledger_file="$out/velmora-bench.exv"
journal_file="$out/velmora-bench.journal"
log="$out/velmora-bench-$records.log"

"$build/bench/velmora-generate" "$ledger_file" "$journal_file" --records "$records"
echo "ledger file $(stat -c %s "$ledger_file") bytes, journal $(stat -c %s "$journal_file") bytes"

: >"$log"
if command -v ledger >/dev/null; then
    # The journal must read, and its cash account must end where the ledger's cash book
    # ends: field 7 of the last record of the cash book (it was recomputed last).
    ledger_cash=$(ledger -f "$journal_file" balance '^Assets:現金$' --flat --no-total |
                  awk '{print $1}')
    velmora_cash=$(iconv -f CP932 -t UTF-8 "$ledger_file" |
                   awk -F, '/^d/ && ($9 == "現金" || $11 == "現金") {b = $8} END {print b}')
    [[ -z $velmora_cash ]] && velmora_cash=0
    [[ -z $ledger_cash ]] && ledger_cash=0
    verdict=$([[ "$ledger_cash" == "$velmora_cash" ]] && echo ok || echo MISSED)
    printf 'FIGURE\tjournal: ledger-cli cash balance = ledger file\t%s JPY / %s\tequal\t%s\n' \
        "$ledger_cash" "$velmora_cash" "$verdict" >>"$log"
fi

for target in "${bench_targets[@]:1}"; do
    echo "== $target"
    if [[ $target == bench_memory ]]; then
        "$build/bench/$target" | tee -a "$log"
    else
        "$build/bench/$target" ${bench_args[@]+"${bench_args[@]}"} | tee -a "$log"
    fi
done

# velmora-cli summary as a whole process (start, load, summary) beside ledger-cli's balance
# of the same transactions and beside only decoding the file and adding one column. The
# working folder is fixed and prepared by the warm-up runs, so every timed run finds it.
if chosen cli-summary && command -v ledger >/dev/null && command -v hyperfine >/dev/null &&
    command -v jq >/dev/null; then
    echo "== velmora-cli summary / ledger balance / iconv + awk"
    cli_home="$out/velmora-bench-home"
    cli_json="$out/velmora-bench-cli.json"
    mkdir -p "$cli_home"
    VELMORA_HOME="$cli_home" hyperfine -N --warmup 3 --runs "${VELMORA_BENCH_CLI_RUNS:-15}" \
        --export-json "$cli_json" \
        -n velmora "$build/cli/velmora-cli summary $ledger_file" \
        -n ledger "ledger -f $journal_file balance" \
        -n iconv-awk "sh -c \"iconv -f CP932 -t UTF-8 $ledger_file | awk -F, '{s+=\\\$6} END {print s}'\"" |
        tee -a "$log"
    # Median wall time of each command, and its mean CPU time (user + system).
    median() { jq -r --arg n "$1" '.results[] | select(.command == $n) | .median' "$cli_json"; }
    cpu() { jq -r --arg n "$1" '.results[] | select(.command == $n) | .user + .system' "$cli_json"; }
    awk -v v="$(median velmora)" -v l="$(median ledger)" -v i="$(median iconv-awk)" \
        -v vc="$(cpu velmora)" -v lc="$(cpu ledger)" -v ic="$(cpu iconv-awk)" 'BEGIN {
        faster = l / v; slower = v / i
        printf "FIGURE\tvelmora-cli summary: ledger balance / velmora\t%.2fx (median %.1f / %.1f ms; cpu %.1f / %.1f ms)\t>= 10x\t%s\n",
            faster, l * 1e3, v * 1e3, lc * 1e3, vc * 1e3, (faster >= 10 ? "ok" : "MISSED")
        printf "FIGURE\tvelmora-cli summary / (iconv + awk)\t%.2fx (median %.1f / %.1f ms; cpu %.1f / %.1f ms)\t<= 3x\t%s\n",
            slower, v * 1e3, i * 1e3, vc * 1e3, ic * 1e3, (slower <= 3 ? "ok" : "MISSED")
    }' | tee -a "$log"
fi

# One entry through velmora-cli (load, "登　録", save) beside loading and saving alone: the
# entry itself should cost next to nothing. Each run starts from a fresh copy of the file.
if chosen cli-add && command -v hyperfine >/dev/null && command -v jq >/dev/null; then
    echo "== velmora-cli add / velmora-cli resave"
    cli_home="$out/velmora-bench-home"
    work_file="$out/velmora-bench-work.exv"
    entry_json="$out/velmora-bench-entry.json"
    mkdir -p "$cli_home"
    cli="$build/cli/velmora-cli --today 2024/10/15"
    VELMORA_HOME="$cli_home" hyperfine -N --warmup 1 --runs "${VELMORA_BENCH_ENTRY_RUNS:-5}" \
        --prepare "cp $ledger_file $work_file" --export-json "$entry_json" \
        -n resave "$cli resave $work_file" \
        -n add "$cli add $work_file --date 2024/10/15 --title 消耗品費 --desc ベンチ --expense 120" |
        tee -a "$log"
    median() { jq -r --arg n "$1" '.results[] | select(.command == $n) | .median' "$entry_json"; }
    awk -v a="$(median add)" -v r="$(median resave)" 'BEGIN {
        ratio = a / r
        printf "FIGURE\tvelmora-cli add / velmora-cli resave\t%.2fx (median %.1f / %.1f ms)\t<= 1.2x\t%s\n",
            ratio, a * 1e3, r * 1e3, (ratio <= 1.2 ? "ok" : "MISSED")
    }' | tee -a "$log"
fi

echo
echo "Figures ($records records; load average $(cut -d' ' -f1-3 /proc/loadavg)):"
grep '^FIGURE' "$log" | cut -f2- | column -t -s $'\t'
if grep -q $'\tMISSED$' "$log"; then
    echo "some targets were missed"
fi
}

if [[ $big == 1 ]]; then
    run_size 100000
    run_size 1000000
    # Each interaction's figure at 1,000,000 records against its own at 100,000: a figure
    # that does not grow with the ledger stays within 1.5x.
    echo
    echo "Interaction figures, 1,000,000 / 100,000 records:"
    for label in "entry: register to the page showing the record" \
                 "entry: one undo to the page drawn again" \
                 "entry: one redo to the page drawn again" \
                 "ledger page: month tab click to the model holding the month" \
                 "ledger page: \"ALL\" under an account search" \
                 "summary page: ribbon page click to the grid filled" \
                 "summary page: drill-down to a title's descriptions"; do
        small=$(awk -F'\t' -v l="$label" '$1 == "FIGURE" && $2 == l {split($3, f, " "); print f[1]}' \
                "$out/velmora-bench-100000.log")
        large=$(awk -F'\t' -v l="$label" '$1 == "FIGURE" && $2 == l {split($3, f, " "); print f[1]}' \
                "$out/velmora-bench-1000000.log")
        [[ -z $small || -z $large ]] && continue
        awk -v l="$label" -v s="$small" -v b="$large" 'BEGIN {
            ratio = b / s
            printf "%s\t%.2f ms / %.2f ms = %.2fx\t<= 1.5x\t%s\n", l, b, s, ratio,
                (ratio <= 1.5 ? "ok" : "MISSED")
        }'
    done | column -t -s $'\t'
else
    run_size "${VELMORA_BENCH_RECORDS:-100000}"
fi
