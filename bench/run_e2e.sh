#!/usr/bin/env bash
# bench/run_e2e.sh [SIZE_MB [SEED]]
#
# End-to-end benchmark: builds the release tree (a no-op when it is up to date), generates a
# corpus of SIZE_MB (default 20) with gen_corpus.py, then times on the same files:
#   vrt check PROJECT.vbp          all nine rules (vrt's default selection)
#   vrt stats --tsv PROJECT.vbp    line statistics, beside those of wc and cloc
#   parse_bench PROJECT.vbp        Load + Analyze only, for the split between parsing and rules
#   wc -l                          the floor: reading the bytes and counting line ends
#   cloc                           a peer that also classifies code, comment and blank lines
# Each is run RUNS times (default 3); the table shows the best wall time, the spread between best
# and slowest run, the best CPU time (user + system), MB/s by both (MB = 2^20 bytes) and the peak
# resident memory, also as a multiple of the source size.
#
# Environment: RUNS, BENCH_CPU (pin every run to this core with taskset), VRT_ARGS (extra vrt arguments),
# SKIP_CLOC=1, VETRIN_JOBS (build parallelism, default 1).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
size=${1:-20}
seed=${2:-1}
runs=${RUNS:-3}
bin="$root/build/release/bin"
vrt="$bin/vrt"
name=BenchProject
corpus="$root/bench/out/corpus-${size}mb-s${seed}"
vbp="$corpus/$name.vbp"

die() { echo "run_e2e: $*" >&2; exit 2; }
[[ "$size" =~ ^[0-9]+(\.[0-9]+)?$ ]] || die "SIZE_MB must be a number, not '$size'"
[[ "$seed" =~ ^[0-9]+$ ]] || die "SEED must be a whole number, not '$seed'"
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || die "RUNS must be a positive whole number"

echo "== build (release)"
VETRIN_JOBS=${VETRIN_JOBS:-1} "$root/scripts/build.sh" release >/dev/null
[ -x "$bin/parse_bench" ] || die "$bin/parse_bench was not built"

echo "== corpus"
# Regenerate unless the folder already holds this size and seed (the generator is deterministic).
if ! grep -qx "size_mb=$(python3 -c "print(float('$size'))")" "$corpus/manifest.txt" 2>/dev/null ||
    ! grep -qx "seed=$seed" "$corpus/manifest.txt"; then
    python3 "$root/bench/gen_corpus.py" --size-mb "$size" --seed "$seed" --name "$name" --out "$corpus"
fi
[ -f "$vbp" ] || die "no project at $vbp"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The files every tool reads: the project file and every member, from the manifest.
{
    echo "$vbp"
    awk -F'\t' -v dir="$corpus" 'NF == 5 { print dir "/" $2 }' "$corpus/manifest.txt"
} >"$work/files.txt"
tr '\n' '\0' <"$work/files.txt" >"$work/files0"
bytes=0
while IFS= read -r f; do bytes=$((bytes + $(stat -c %s "$f"))); done <"$work/files.txt"
nfiles=$(wc -l <"$work/files.txt")
mb=$(awk -v b="$bytes" 'BEGIN { printf "%.2f", b / 1048576 }')
echo "$corpus: $nfiles files, $bytes bytes ($mb MB)"

# Every tool here is single-threaded. Pinning to one core (BENCH_CPU=n) keeps a run on that core,
# but on a machine shared with other work it also keeps the run off the idle core: by default the
# scheduler chooses, and the CPU-time columns show the cost on one core whatever the load.
pin=()
if [ -n "${BENCH_CPU:-}" ] && command -v taskset >/dev/null; then pin=(taskset -c "$BENCH_CPU"); fi

# run_once OUT ERR CMD...: runs CMD once; prints "seconds peak_kb exit_code cpu_seconds".
if [ -x /usr/bin/time ]; then
    run_once() {
        local out=$1 err=$2 t0 t1 rc=0
        shift 2
        t0=$(date +%s%N)
        /usr/bin/time -v -o "$work/time.txt" "$@" >"$out" 2>"$err" || rc=$?
        t1=$(date +%s%N)
        local kb cpu
        kb=$(awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }' "$work/time.txt")
        cpu=$(awk -F: '/(User|System) time \(seconds\)/ { c += $2 } END { printf "%.3f", c }' "$work/time.txt")
        # /usr/bin/time passes the command's exit status on.
        echo "$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.6f", (b - a) / 1e9 }') ${kb:-0} $rc $cpu"
    }
    meter="/usr/bin/time -v"
else
    run_once() {
        local out=$1 err=$2
        shift 2
        python3 - "$out" "$err" "$@" <<'EOF'
import resource, subprocess, sys, time
out, err, cmd = sys.argv[1], sys.argv[2], sys.argv[3:]
with open(out, "wb") as o, open(err, "wb") as e:
    t0 = time.perf_counter()
    rc = subprocess.call(cmd, stdout=o, stderr=e)
    t1 = time.perf_counter()
u = resource.getrusage(resource.RUSAGE_CHILDREN)
print("%.6f %d %d %.3f" % (t1 - t0, u.ru_maxrss, rc, u.ru_utime + u.ru_stime))
EOF
    }
    meter="getrusage wrapper"
fi

# measure LABEL OKCODES CMD...: RUNS runs; sets best, worst, best_cpu (the lowest CPU time of a
# run), peak_kb, and keeps the last output
# in $work/LABEL.out. A run whose exit code is not in OKCODES (e.g. "0 1") stops the script.
measure() {
    local label=$1 ok=$2 i line s kb rc cpu
    shift 2
    best="" worst="" best_cpu="" peak_kb=0
    for ((i = 1; i <= runs; i++)); do
        line=$(run_once "$work/$label.out" "$work/$label.err" "${pin[@]}" "$@")
        cp "$work/$label.out" "$work/$label.out.$i"
        read -r s kb rc cpu <<<"$line"
        if [[ " $ok " != *" $rc "* ]]; then
            echo "run_e2e: $label exited with $rc:" >&2
            head -20 "$work/$label.err" >&2
            exit 2
        fi
        printf '   %-12s run %d: %8.3f s wall %8.3f s CPU %8.1f MB peak\n' "$label" "$i" "$s" "$cpu" \
            "$(awk -v k="$kb" 'BEGIN { print k / 1024 }')"
        if [ -z "$best_cpu" ] || awk -v a="$cpu" -v b="$best_cpu" 'BEGIN { exit !(a < b) }'; then best_cpu=$cpu; fi
        if [ -z "$best" ] || awk -v a="$s" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$s; fi
        if [ -z "$worst" ] || awk -v a="$s" -v b="$worst" 'BEGIN { exit !(a > b) }'; then worst=$s; fi
        if ((kb > peak_kb)); then peak_kb=$kb; fi
    done
}

rows=()
# row TOOL SECONDS WORST CPU_SECONDS PEAK_KB WHAT
row() {
    rows+=("$(awk -v tool="$1" -v s="$2" -v w="$3" -v c="$4" -v kb="$5" -v b="$bytes" -v what="$6" 'BEGIN {
        # CPU times come in hundredths of a second: below that there is no rate to give.
        cpu = c >= 0.01 ? sprintf("%7.3f %7.1f", c, b / 1048576 / c) : sprintf("%7s %7s", "<0.01", "-")
        printf "%-22s %7.3f %6.1f%% %7.1f %s %8.1f %7.2fx  %s", tool, s, 100 * (w - s) / s, b / 1048576 / s,
            cpu, kb / 1024, kb * 1024 / b, what }')")
}

echo "== runs ($runs each, $meter${pin:+, pinned with taskset to core $BENCH_CPU}; load before: $(cut -d' ' -f1-3 /proc/loadavg))"

vrt_best="" vrt_cpu="" vrt_kb=0
if [ -x "$vrt" ]; then
    # shellcheck disable=SC2086
    measure vrt "0 1" "$vrt" check "$vbp" ${VRT_ARGS:-}
    findings=$(wc -l <"$work/vrt.out")
    vrt_best=$best vrt_cpu=$best_cpu vrt_kb=$peak_kb
    row "vrt check (9 rules)" "$best" "$worst" "$best_cpu" "$peak_kb" "$findings output lines"
    # The line statistics of vrt beside those of wc and cloc (vrt counts a line with code and a
    # trailing comment both as code and as comment).
    measure vrt_stats "0" "$vrt" stats --tsv "$vbp"
    row "vrt stats" "$best" "$worst" "$best_cpu" "$peak_kb" "$(awk -F'\t' 'NR > 1 { t += $2; c += $3; b += $4; m += $5 }
        END { printf "%d total, %d code, %d comment, %d blank (members)", t, c, m, b }' "$work/vrt_stats.out")"
else
    rows+=("vrt check (9 rules)      (not built: src/cli is not on this branch yet)")
fi

measure parse_bench "0 1" "$bin/parse_bench" "$vbp"
# parse_bench times Analyze inside the process and runs a second, split parse after it: its own
# figures (time and peak memory at the end of Analyze) are the ones to compare.
pb_times=$(sed -n 's/^RESULT .* seconds=\([0-9.]*\).*/\1/p' "$work"/parse_bench.out.* | sort -g)
pb_s=$(head -1 <<<"$pb_times")
pb_worst=$(tail -1 <<<"$pb_times")
pb_cpu=$(sed -n 's/^RESULT .*cpu_seconds=\([0-9.]*\).*/\1/p' "$work"/parse_bench.out.* | sort -g | head -1)
pb_tokens=$(sed -n 's/^RESULT .*tokens=\([0-9]*\) .*/\1/p' "$work/parse_bench.out")
pb_kb=$(sed -n 's/^RESULT .*peak_kb=\([0-9]*\) .*/\1/p' "$work"/parse_bench.out.* | sort -g | tail -1)
pb_problems=$(sed -n 's/^RESULT .*problems=\([0-9]*\).*/\1/p' "$work/parse_bench.out")
row "parse_bench Analyze" "$pb_s" "$pb_worst" "$pb_cpu" "$pb_kb" "$pb_tokens tokens, manifest mismatches: $pb_problems"
pb_best=$pb_s

measure wc "0" wc -l --files0-from="$work/files0"
row "wc -l" "$best" "$worst" "$best_cpu" "$peak_kb" "$(tail -1 "$work/wc.out" | awk '{ print $1 }') lines"

if [ "${SKIP_CLOC:-0}" != 1 ] && command -v cloc >/dev/null; then
    # .pag is no extension cloc knows, and .cls it would have to guess between languages.
    measure cloc "0" cloc --list-file="$work/files.txt" --force-lang="Visual Basic,pag" \
        --force-lang="Visual Basic,cls" --csv --quiet
    row "cloc" "$best" "$worst" "$best_cpu" "$peak_kb" "$(awk -F, '$2 == "SUM" { printf "%d code, %d comment, %d blank", $5, $4, $3 }' "$work/cloc.out")"
else
    rows+=("cloc                     (not run: SKIP_CLOC=1 or cloc not installed)")
fi

echo
echo "== $mb MB, $nfiles files; best of $runs runs; load after: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-22s %7s %7s %7s %7s %7s %8s %8s  %s\n' tool "wall s" spread "MB/s" "CPU s" "MB/s" "peak MB" "x source" counted
printf '%-22s %7s %7s %7s %7s %7s %8s %8s\n' "" "(best)" "" "(wall)" "(best)" "(CPU)" "" ""
for r in "${rows[@]}"; do echo "$r"; done
echo
grep -E '^(throughput|split|peak memory|check)' "$work/parse_bench.out" | sed 's/^/parse_bench: /'

goal() { # goal LABEL MBPS_NEEDED WALL_SECONDS CPU_SECONDS MULTIPLE_LIMIT PEAK_KB
    awk -v l="$1" -v need="$2" -v s="$3" -v c="$4" -v lim="$5" -v kb="$6" -v b="$bytes" 'BEGIN {
        mbps = b / 1048576 / s; cpu = b / 1048576 / (c > 0 ? c : 0.001); mult = kb * 1024 / b
        printf "goal %-12s %6.1f MB/s wall, %6.1f MB/s CPU (goal >= %d): %s   peak %.2fx source (goal < %d): %s\n",
            l, mbps, cpu, need, (mbps >= need ? "met" : (cpu >= need ? "met on CPU time only" : "MISSED")), mult, lim,
            (mult < lim ? "met" : "MISSED") }'
}
if [ -n "$vrt_best" ]; then goal "vrt" 100 "$vrt_best" "$vrt_cpu" 8 "$vrt_kb"; else echo "goal vrt          not measured"; fi
goal "parse_bench" 150 "$pb_best" "$pb_cpu" 6 "$pb_kb"
