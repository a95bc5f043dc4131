#!/usr/bin/env bash
# The long reliability runs, kept out of the default test run:
#   kills        velmora-cli adds to the 100,000-record generated ledger, each killed with
#                SIGKILL at a random moment: the ledger must be exactly the old or the new
#                content, and no temporary file of ours may outlive the next save.
#   rounds       rounds of five concurrent adds on one ledger: every add that reported
#                success is in the file, the file loads, every status is 0.
#   damaged      every fixture ledger cut at every line end and at random byte offsets, and
#                with line breaks or NUL bytes after its end: each loads, or loads marked
#                damaged and is not saved over without --force, and a forced save keeps the
#                file as it was as a backup; a file that does not load is left alone.
#   faults       every system step (create, write, fdatasync, rename, folder sync, remove) of
#                every file write of a save, a save as, the settings dialog's apply and the
#                CSV export failed in turn (tests_export, WriteFaults.*): whole files and one
#                message each; prints how many faults were injected.
#   desktop      the same for the desktop program on the offscreen platform: each run
#                registers one expense and saves with its "保　存" action
#                (bench/velmora-desktop-drill), killed at a random moment.
#   recovery     the desktop program killed after each of a number of random command
#                sequences (entries, row moves, books, undo, redo, month tabs): the next start
#                gives back exactly the ledger it had.
#   entry        the desktop program killed with its entry form still open, after a number
#                of registrations made with "連続入力" on: the next start gives them all back.
#   race         the desktop program's "保　存" (velmora-desktop-drill save) and velmora-cli add
#                on one 1,000,000-record ledger, the add started at a random moment of the
#                second half of the desktop run (so on either side of its save): every record
#                whose program said it was saved is in the file, every other program said it
#                was not, and the file loads.
#   fuzz         every libFuzzer program of a fuzz build, for a set time each.
#
# tools/reliability.sh [--build DIR] [--kills N] [--rounds N] [--offsets N]
#                      [--desktop-kills N] [--sequences N] [--entry-kills N] [--races N]
#                      [--race-records N] [--fuzz-build DIR] [--fuzz-seconds S]
#                      [--only kills|rounds|damaged|faults|desktop|recovery|entry|race|fuzz]
# Defaults: --build build, 500 kills, 20 rounds, 50 random offsets, 500 desktop kills,
# 50 sequences, 20 entry kills, 50 races on 1,000,000 records (desktop, recovery, entry and
# race need a build with the desktop program), fuzzing skipped unless --fuzz-build names a
# build configured with -DVELMORA_BUILD_FUZZ=ON (600 s each).
# Ends with status 1 when any check failed; prints the figures of every part.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
root=$(pwd)

build=build kills=500 rounds=20 offsets=50 desktopKills=500 sequences=50 entryKills=20
races=50 raceRecords=1000000 fuzzBuild=""
fuzzSeconds=600 only=""
while [[ $# -gt 0 ]]; do
    case "$1" in
        --build) build=$2; shift 2 ;;
        --kills) kills=$2; shift 2 ;;
        --rounds) rounds=$2; shift 2 ;;
        --offsets) offsets=$2; shift 2 ;;
        --desktop-kills) desktopKills=$2; shift 2 ;;
        --sequences) sequences=$2; shift 2 ;;
        --entry-kills) entryKills=$2; shift 2 ;;
        --races) races=$2; shift 2 ;;
        --race-records) raceRecords=$2; shift 2 ;;
        --fuzz-build) fuzzBuild=$2; shift 2 ;;
        --fuzz-seconds) fuzzSeconds=$2; shift 2 ;;
        --only) only=$2; shift 2 ;;
        *) echo "usage: see the head of $0" >&2; exit 2 ;;
    esac
done
cli=$(realpath "$build/cli/velmora-cli" 2>/dev/null || true)
generate=$(realpath "$build/bench/velmora-generate" 2>/dev/null || true)
export VELMORA_DATA_DIR=$root/data
scratch=$(mktemp -d /tmp/velmora-reliability-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
wants() { [[ -z $only || $only == "$1" ]]; }
same() { cmp -s "$1" "$2"; }
strays() { find "$@" -name '*.velmora-tmp*' 2>/dev/null | wc -l; }
if wants kills || wants rounds || wants damaged; then
    [[ -x $cli ]] || { echo "no velmora-cli in $build" >&2; exit 2; }
fi

# ---- kills (velmora-cli and the desktop program) ----
# killSaves NAME COUNT SAVER: COUNT runs of SAVER (SAVER HOME FILE N: one save of FILE with
# working folder HOME, the run's number N in what it adds; it execs the program, so that a
# kill reaches it) on the 100,000-record ledger, each killed at a random moment within a
# little more than one whole run. Each ledger must be the old content or the new one (that
# of an unkilled run from the old file), and no temporary file may outlive the next save.
# Sets span (milliseconds of a whole run), keptOld, gotNew and interrupted.
killSaves() {
    local name=$1 count=$2 saver=$3 dir=$scratch/$1
    mkdir -p "$dir/files" "$dir/ref"  # the programs make their working folders, private
    local ledger=$dir/files/ledger.exv
    "$generate" "$ledger" "$dir/ledger.journal" --records 100000 >/dev/null
    first=$(VELMORA_HOME=$dir/home "$cli" periods "$ledger" | head -1 | cut -f2)
    local start pid i
    start=$(date +%s%N)
    ("$saver" "$dir/refhome" "$ledger" 0) || fail "$name: the first save did not save"
    span=$((($(date +%s%N) - start) / 1000000))
    keptOld=0 gotNew=0 interrupted=0
    for ((i = 1; i <= count; i++)); do
        cp "$ledger" "$dir/prev.exv"
        ("$saver" "$dir/home" "$ledger" "$i") &
        pid=$!
        sleep "$(awk -v s="$span" -v r="$RANDOM" 'BEGIN { printf "%.3f", s * 1.1 * r / 32767 / 1000 }')"
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        if same "$ledger" "$dir/prev.exv"; then
            keptOld=$((keptOld + 1))
        else
            cp "$dir/prev.exv" "$dir/ref/ledger.exv"
            ("$saver" "$dir/refhome" "$dir/ref/ledger.exv" "$i")
            if same "$ledger" "$dir/ref/ledger.exv"; then
                gotNew=$((gotNew + 1))
            else
                fail "$name $i: the ledger is neither the old nor the new content"
                [[ -n ${KEEP_FAILED:-} ]] && cp "$ledger" "$dir/prev.exv" "$dir/ref/ledger.exv" -t "$KEEP_FAILED" 2>/dev/null
                cp "$dir/prev.exv" "$ledger"
            fi
        fi
        if [[ $(strays "$dir/files" "$dir/home") -gt 0 ]]; then
            interrupted=$((interrupted + 1))
            VELMORA_HOME=$dir/home "$cli" --today "$first" resave "$ledger" >/dev/null 2>&1 ||
                fail "$name $i: the save after it failed"
            [[ $(strays "$dir/files" "$dir/home") -eq 0 ]] ||
                fail "$name $i: temporary files outlived the next save"
        fi
    done
}
cliAdd() {  # one record "kill N"
    export VELMORA_HOME=$1
    exec "$cli" --today "$first" add "$2" --date "$first" --title 旅費交通費 --desc "kill$3" \
        --expense 1 >/dev/null 2>&1
}
desktopSave() {  # one expense "kill N", then the main window's "保　存"
    exec "$drill" save "$1" "$2" "$first" "$3" >/dev/null 2>&1
}
drill=$(realpath "$build/bench/velmora-desktop-drill" 2>/dev/null || true)

if wants kills; then
    [[ -x $generate ]] || { echo "no velmora-generate in $build/bench" >&2; exit 2; }
    killSaves kills "$kills" cliAdd
    echo "kills: $kills of velmora-cli add on 100,000 records (one add ${span} ms):" \
        "$keptOld kept the old content, $gotNew the new, $interrupted left temporary files" \
        "that the next save removed"
fi

# ---- rounds ----
if wants rounds; then
    dir=$scratch/rounds
    mkdir -p "$dir"
    ledger=$dir/a.exv
    cp "$root/data/sample.exv" "$ledger"
    saved=0
    for ((r = 1; r <= rounds; r++)); do
        pids=()
        for k in 1 2 3 4 5; do
            VELMORA_HOME=$dir/home "$cli" --today 2014/04/10 add "$ledger" --date 2014/04/05 \
                --title 旅費交通費 --desc "r${r}c${k}" --expense 1 >/dev/null 2>&1 &
            pids+=($!)
        done
        statuses=()
        for pid in "${pids[@]}"; do
            wait "$pid"
            statuses+=($?)
        done
        shown=$(VELMORA_HOME=$dir/home "$cli" --today 2014/04/10 view "$ledger") ||
            fail "round $r: the ledger does not load"
        for k in 1 2 3 4 5; do
            status=${statuses[$((k - 1))]}
            [[ $status -eq 0 ]] || fail "round $r: add $k ended with status $status"
            if grep -q $'\t'"r${r}c${k}"$'\t' <<<"$shown"; then
                [[ $status -eq 0 ]] && saved=$((saved + 1))
            elif [[ $status -eq 0 ]]; then
                fail "round $r: add $k reported saved, its record is not in the file"
            fi
        done
    done
    echo "rounds: $rounds of 5 concurrent adds: $saved of $((rounds * 5)) records saved and found"
fi

# ---- damaged ----
if wants damaged; then
    dir=$scratch/damaged
    mkdir -p "$dir"
    loaded=0 damaged=0 unreadable=0 variants=0
    check() {  # check BYTES-FILE WHAT
        local home=$dir/home file=$dir/v.exv out status
        rm -rf "$home"
        cp "$1" "$file"
        out=$(VELMORA_HOME=$home "$cli" --today 2014/04/10 resave "$file" 2>&1)
        status=$?
        variants=$((variants + 1))
        if [[ $status -eq 0 ]]; then
            loaded=$((loaded + 1))
            VELMORA_HOME=$home "$cli" periods "$file" >/dev/null 2>&1 ||
                fail "$2: saved, but the save does not load"
            return
        fi
        same "$file" "$1" || fail "$2: refused, yet the file changed"
        if [[ $out == *" is damaged "* ]]; then
            damaged=$((damaged + 1))
            VELMORA_HOME=$home "$cli" --today 2014/04/10 resave "$file" --force >/dev/null 2>&1 ||
                fail "$2: the forced save failed"
            local kept=0 backup
            for backup in "$home"/*.dat; do same "$backup" "$1" && kept=1; done
            [[ $kept -eq 1 ]] || fail "$2: the forced save kept no backup of the file as it was"
        else
            unreadable=$((unreadable + 1))
        fi
    }
    for source in "$root"/tests/fixtures/ledger/*.exv "$root/data/sample.exv"; do
        name=$(basename "$source")
        size=$(stat -c %s "$source")
        ends=$(grep -bo $'\n' "$source" | cut -d: -f1)
        for end in $ends; do
            head -c $((end + 1)) "$source" >"$dir/cut"
            check "$dir/cut" "$name cut after byte $((end + 1))"
        done
        for ((n = 0; n < offsets; n++)); do
            at=$(((RANDOM * 32768 + RANDOM) % size))
            head -c "$at" "$source" >"$dir/cut"
            check "$dir/cut" "$name cut at byte $at"
        done
        { cat "$source"; printf '\r\n\r\n'; } >"$dir/cut"
        check "$dir/cut" "$name with CR LF after it"
        { cat "$source"; head -c 64 /dev/zero; } >"$dir/cut"
        check "$dir/cut" "$name with NUL bytes after it"
    done
    echo "damaged: $variants variants: $loaded loaded and saved, $damaged loaded damaged" \
        "(refused without --force, kept as a backup with it), $unreadable did not load (left alone)"
fi

# ---- faults ----
if wants faults; then
    tests=$build/tests/tests_export
    [[ -x $tests ]] || { echo "no tests/tests_export in $build" >&2; exit 2; }
    log=$scratch/faults.log
    if VELMORA_FIXTURES=$root/tests/fixtures "$tests" --gtest_filter='WriteFaults.*' >"$log" 2>&1 &&
        grep -q '^fault injection: ' "$log"; then
        grep -m1 '^fault injection: ' "$log"
    else
        fail "faults: $(grep -m1 -E 'Failure|FAILED|fault injection' "$log")"
    fi
fi

# ---- desktop ----
if wants desktop; then
    [[ -x $drill && -x $generate ]] || { echo "no velmora-desktop-drill in $build/bench" >&2; exit 2; }
    killSaves desktop "$desktopKills" desktopSave
    echo "desktop: $desktopKills kills of the desktop program saving 100,000 records (one run" \
        "${span} ms): $keptOld kept the old content, $gotNew the new, $interrupted left" \
        "temporary files that the next save removed"
fi

# ---- recovery and entry ----
# killAndRecover NAME N MODE ARGS...: the desktop drill in MODE (work or entry: ARGS, then
# EXPECTED) on the recovery ledger, killed once it says "ready"; then a start that takes the
# unsaved work back must give exactly the ledger it had. Counts into recovered.
killAndRecover() {
    local name=$1 n=$2 mode=$3 pid t
    shift 3
    rm -f "$dir/expected.exv" "$dir/out.exv" "$dir/ready"
    "$drill" "$mode" "$dir/work" "$ledger" "$first" "$n" "$@" "$dir/expected.exv" \
        >"$dir/ready" 2>/dev/null &
    pid=$!
    for ((t = 0; t < 600; t++)); do
        grep -q ready "$dir/ready" 2>/dev/null && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    if ! grep -q ready "$dir/ready"; then
        fail "$name $n: the program did not finish its work ($*)"
        return
    fi
    "$drill" recover "$dir/work" "$ledger" "$first" "$dir/out.exv" >/dev/null 2>&1 ||
        fail "$name $n: the unsaved work was not given back"
    if same "$dir/out.exv" "$dir/expected.exv"; then
        recovered=$((recovered + 1))
    else
        fail "$name $n: the ledger given back differs ($*)"
    fi
    same "$ledger" "$dir/original.exv" || fail "$name $n: the ledger file was changed"
    [[ ! -e $dir/work/recovery.jnl ]] || fail "$name $n: the journal outlived the save"
}
recoveryLedger() {  # the 100,000-record ledger of both, in dir
    mkdir -p "$dir"
    ledger=$dir/ledger.exv
    "$generate" "$ledger" "$dir/ledger.journal" --records 100000 >/dev/null
    cp "$ledger" "$dir/original.exv"
    first=$(VELMORA_HOME=$dir/home "$cli" periods "$ledger" | head -1 | cut -f2)
}

if wants recovery; then
    [[ -x $drill && -x $generate ]] || { echo "no velmora-desktop-drill in $build/bench" >&2; exit 2; }
    dir=$scratch/recovery
    recoveryLedger
    recovered=0
    for ((n = 1; n <= sequences; n++)); do
        killAndRecover recovery "$n" work $((1 + RANDOM % 60))
    done
    echo "recovery: $sequences random command sequences killed: $recovered gave back the" \
        "exact ledger"
fi

if wants entry; then
    [[ -x $drill && -x $generate ]] || { echo "no velmora-desktop-drill in $build/bench" >&2; exit 2; }
    dir=$scratch/entry
    recoveryLedger
    recovered=0 registered=0
    for ((n = 1; n <= entryKills; n++)); do
        count=$((1 + RANDOM % 8))
        registered=$((registered + count))
        killAndRecover entry "$n" entry "$count"
    done
    echo "entry: $entryKills kills with the entry form open after 1 to 8 registrations" \
        "($registered in all): $recovered gave back the exact ledger"
fi

# ---- race ----
if wants race; then
    [[ -x $drill && -x $generate && -x $cli ]] || { echo "no velmora-desktop-drill in $build/bench" >&2; exit 2; }
    dir=$scratch/race
    mkdir -p "$dir"
    ledger=$dir/ledger.exv
    "$generate" "$ledger" "$dir/ledger.journal" --records "$raceRecords" >/dev/null
    first=$(VELMORA_HOME=$dir/cli "$cli" periods "$ledger" | head -1 | cut -f2)
    has() { LC_ALL=C grep -aqF ",$1," "$ledger"; }
    start=$(date +%s%N)
    "$drill" save "$dir/desk" "$ledger" "$first" desk0 >/dev/null 2>&1 ||
        fail "race: the first desktop save did not save"
    span=$((($(date +%s%N) - start) / 1000000))
    deskSaved=0 deskNot=0 cliSaved=0 cliNot=0
    for ((r = 1; r <= races; r++)); do
        "$drill" save "$dir/desk" "$ledger" "$first" "desk$r" >/dev/null 2>&1 &
        pid=$!
        sleep "$(awk -v s="$span" -v r="$RANDOM" 'BEGIN { printf "%.3f", s * (0.5 + 0.7 * r / 32767) / 1000 }')"
        VELMORA_HOME=$dir/cli "$cli" --today "$first" add "$ledger" --date "$first" \
            --title 旅費交通費 --desc "cli$r" --expense 1 >/dev/null 2>&1 </dev/null
        cliStatus=$?
        wait "$pid"
        deskStatus=$?
        for who in desk cli; do
            if [[ $who == desk ]]; then status=$deskStatus record="kill desk$r"; else status=$cliStatus record="cli$r"; fi
            if [[ $status -eq 0 || ($who == cli && $status -eq 3) ]]; then
                has "$record" || fail "race $r: $who reported saved, its record is not in the file"
                [[ $who == desk ]] && deskSaved=$((deskSaved + 1)) || cliSaved=$((cliSaved + 1))
            else
                has "$record" && fail "race $r: $who said it did not save (status $status), its record is in the file"
                [[ $who == desk ]] && deskNot=$((deskNot + 1)) || cliNot=$((cliNot + 1))
            fi
        done
        VELMORA_HOME=$dir/cli "$cli" periods "$ledger" >/dev/null 2>&1 || fail "race $r: the ledger does not load"
    done
    echo "race: $races rounds of the desktop program's save and velmora-cli add on" \
        "$raceRecords records (one desktop run ${span} ms, the add started 0.5 to 1.2 runs after" \
        "it):" \
        "desktop $deskSaved saved, $deskNot said not saved; velmora-cli $cliSaved saved," \
        "$cliNot said not saved; every record reported saved is in the file"
fi

# ---- fuzz ----
if wants fuzz && [[ -n $fuzzBuild ]]; then
    for fuzzer in "$fuzzBuild"/fuzz/*_fuzzer; do
        [[ -x $fuzzer ]] || continue
        name=$(basename "$fuzzer")
        corpus=$scratch/corpus/$name
        mkdir -p "$corpus"
        [[ -d $root/fuzz/corpus/$name ]] && cp -r "$root/fuzz/corpus/$name/." "$corpus/"
        log=$scratch/$name.log
        if "$fuzzer" -max_total_time="$fuzzSeconds" -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$scratch/$name-" "$corpus" >"$log" 2>&1; then
            echo "fuzz: $name ${fuzzSeconds} s clean: $(grep -o 'Done [0-9]* runs' "$log")"
        else
            fail "fuzz: $name found a fault: $(grep -m1 -E 'ERROR|SUMMARY' "$log")"
            cp "$scratch/$name-"* "$root/" 2>/dev/null
        fi
    done
fi

[[ $failures -eq 0 ]] && echo "reliability: all checks passed" || echo "reliability: $failures failed"
[[ $failures -eq 0 ]]
