#!/usr/bin/env bash
# bench/run_e2e.sh [SIZE_MB [SEED]]
#
# End-to-end benchmark with a verdict. Builds the release tree (a no-op when it is up to date),
# generates two corpora with gen_corpus.py and times, on the same files of each:
#   vrt check PROJECT.vbp            all nine rules, default jobs (one per core)
#   vrt check --jobs 1 PROJECT.vbp   the same on one core
#   vrt check --rules ALL.vrp ...    every rule ticked (a .vrp from `vrt rules --write`), default jobs
#   wc -l                            the floor: reading the bytes and counting line ends
#   cloc                             a peer that also classifies code, comment and blank lines
# in RUNS rounds (default 5); each round runs them one after the other, so that a pair (vrt and
# wc of one round) sees the same load, and the ratios are the medians of the per-round ratios.
# parse_bench (the parse alone, one core) runs RUNS times on the large-file corpus.
#
# The corpora: SIZE_MB (default 20) in few large members, and MANY_MEMBERS (default 2000) small
# members (MANY_MB, default 4 MB asked for; the forms' designer blocks make the members larger).
# The goals are judged on the first; the second shows what the per-file cost does.
#
# Environment: RUNS, VRT_ARGS (extra vrt arguments), SKIP_CLOC=1, SKIP_MANY=1, MANY_MEMBERS,
# MANY_MB, VETRIN_JOBS (build parallelism, default 1).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
size=${1:-20}
seed=${2:-1}
runs=${RUNS:-5}
many=${MANY_MEMBERS:-2000}
many_mb=${MANY_MB:-4}
bin="$root/build/release/bin"
vrt="$bin/vrt"
name=BenchProject

die() { echo "run_e2e: $*" >&2; exit 2; }
[[ "$size" =~ ^[0-9]+(\.[0-9]+)?$ ]] || die "SIZE_MB must be a number, not '$size'"
[[ "$seed" =~ ^[0-9]+$ ]] || die "SEED must be a whole number, not '$seed'"
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || die "RUNS must be a positive whole number"
[[ "$many" =~ ^[1-9][0-9]*$ ]] || die "MANY_MEMBERS must be a positive whole number"
[ -x /usr/bin/time ] || die "/usr/bin/time is needed (Debian package time)"

echo "== build (release)"
VETRIN_JOBS=${VETRIN_JOBS:-1} "$root/scripts/build.sh" release >/dev/null
[ -x "$bin/parse_bench" ] || die "$bin/parse_bench was not built"
[ -x "$vrt" ] || die "$vrt was not built"
cores=$(nproc)
# A vrt without --jobs runs on one core: then both runs are the same command.
jobs1=(--jobs 1)
"$vrt" check --help 2>&1 | grep -q -- --jobs || { jobs1=(); echo "(this vrt has no --jobs: it runs on one core)"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$vrt" rules --write "$work/all.vrp" >/dev/null || die "vrt rules --write failed"

# corpus DIR SIZE_MB [MEMBERS]: generates the corpus unless DIR already holds it (the generator is
# deterministic); writes the file lists and sets vbp, bytes, nfiles, mb.
corpus() {
    local dir=$1 mb_asked=$2 members=${3:-} f
    if ! grep -qx "size_mb=$(python3 -c "print(float('$mb_asked'))")" "$dir/manifest.txt" 2>/dev/null ||
        ! grep -qx "seed=$seed" "$dir/manifest.txt" ||
        { [ -n "$members" ] && ! grep -qx "members=$members" "$dir/manifest.txt"; }; then
        python3 "$root/bench/gen_corpus.py" --size-mb "$mb_asked" --seed "$seed" --name "$name" \
            --out "$dir" ${members:+--members "$members"} >/dev/null
    fi
    vbp="$dir/$name.vbp"
    [ -f "$vbp" ] || die "no project at $vbp"
    # The files every tool reads: the project file and every member, from the manifest.
    {
        echo "$vbp"
        awk -F'\t' -v dir="$dir" 'NF == 5 { print dir "/" $2 }' "$dir/manifest.txt"
    } >"$work/files.txt"
    tr '\n' '\0' <"$work/files.txt" >"$work/files0"
    bytes=0
    while IFS= read -r f; do bytes=$((bytes + $(stat -c %s "$f"))); done <"$work/files.txt"
    nfiles=$(wc -l <"$work/files.txt")
    mb=$(awk -v b="$bytes" 'BEGIN { printf "%.2f", b / 1048576 }')
}

# run_once LABEL OKCODES CMD...: runs CMD once; appends "wall cpu peak_kb" to $work/LABEL.t and
# keeps its output in $work/LABEL.out and $work/LABEL.err. An exit code not in OKCODES stops.
run_once() {
    local label=$1 ok=$2 t0 t1 rc=0 kb cpu
    shift 2
    t0=$(date +%s%N)
    /usr/bin/time -v -o "$work/time.txt" "$@" >"$work/$label.out" 2>"$work/$label.err" || rc=$?
    t1=$(date +%s%N)
    if [[ " $ok " != *" $rc "* ]]; then
        echo "run_e2e: $label exited with $rc:" >&2
        head -20 "$work/$label.err" >&2
        exit 2
    fi
    kb=$(awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }' "$work/time.txt")
    cpu=$(awk -F: '/(User|System) time \(seconds\)/ { c += $2 } END { printf "%.3f", c }' "$work/time.txt")
    echo "$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.6f", (b - a) / 1e9 }') $cpu ${kb:-0}" >>"$work/$label.t"
}

# median FILE COLUMN / median of a column of numbers.
median() { awk -v c="$2" '{ print $c }' "$1" | sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.6f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
maxcol() { awk -v c="$2" '$c > m { m = $c } END { print m + 0 }' "$1"; }
# ratios A B: per-round ratio of the wall times of A to B, one a line.
ratios() { paste -d' ' "$work/$1.t" "$work/$2.t" | awk '{ printf "%.6f\n", $1 / $4 }' >"$work/ratio.tmp"; median "$work/ratio.tmp" 1; }
verdict() { awk -v ok="$1" 'BEGIN { print (ok ? "met" : "missed") }'; }

# Masks what differs between two runs that did the same: time stamps and timings.
mask_log() { sed -E -f "$root/bench/mask_log.sed" "$1"; }

# bench_corpus TITLE: the rounds on the current corpus, then its table.
bench_corpus() {
    local title=$1 i
    rm -f "$work"/*.t
    echo
    echo "== $title: $mb MB, $nfiles files ($bytes bytes); $runs rounds; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
    for ((i = 1; i <= runs; i++)); do
        # shellcheck disable=SC2086
        run_once vrt "0 1" "$vrt" check "$vbp" ${VRT_ARGS:-}
        cp "$work/vrt.out" "$work/vrt.default.out"
        # shellcheck disable=SC2086
        run_once vrt1 "0 1" "$vrt" check "${jobs1[@]}" "$vbp" ${VRT_ARGS:-}
        # shellcheck disable=SC2086
        run_once vrtall "0 1" "$vrt" check --rules "$work/all.vrp" "$vbp" ${VRT_ARGS:-}
        run_once wc "0" wc -l --files0-from="$work/files0"
        if [ "${SKIP_CLOC:-0}" != 1 ] && command -v cloc >/dev/null; then
            # .pag is no extension cloc knows, and .cls it would have to guess between languages.
            run_once cloc "0" cloc --list-file="$work/files.txt" --force-lang="Visual Basic,pag" \
                --force-lang="Visual Basic,cls" --csv --quiet
        fi
        printf '   round %d: vrt %s  vrt --jobs 1 %s  every rule %s  wc %s%s\n' "$i" \
            "$(tail -1 "$work/vrt.t" | cut -d' ' -f1)" "$(tail -1 "$work/vrt1.t" | cut -d' ' -f1)" \
            "$(tail -1 "$work/vrtall.t" | cut -d' ' -f1)" \
            "$(tail -1 "$work/wc.t" | cut -d' ' -f1)" \
            "$([ -f "$work/cloc.t" ] && echo "  cloc $(tail -1 "$work/cloc.t" | cut -d' ' -f1)")"
    done
    # The same output, and the same log once time stamps and timings are masked.
    same_out=0
    cmp -s "$work/vrt.default.out" "$work/vrt1.out" && same_out=1
    "$vrt" check --log "$vbp" >/dev/null 2>"$work/log.default" || true
    "$vrt" check --log "${jobs1[@]}" "$vbp" >/dev/null 2>"$work/log.1" || true
    same_log=0
    cmp -s <(mask_log "$work/log.default") <(mask_log "$work/log.1") && same_log=1

    printf '%-24s %8s %8s %8s %8s %9s %9s\n' "(medians)" "wall s" "CPU s" "MB/s" "MB/s" "peak MB" "x source"
    printf '%-24s %8s %8s %8s %8s %9s %9s\n' "" "" "" "(wall)" "(CPU)" "(max)" ""
    local label what
    for label in vrt vrt1 vrtall wc cloc; do
        [ -f "$work/$label.t" ] || continue
        case $label in
        vrt) what="vrt check (jobs $cores)" ;;
        vrt1) what="vrt check --jobs 1" ;;
        vrtall) what="vrt check, every rule" ;;
        wc) what="wc -l" ;;
        cloc) what="cloc" ;;
        esac
        awk -v t="$what" -v s="$(median "$work/$label.t" 1)" -v c="$(median "$work/$label.t" 2)" \
            -v kb="$(maxcol "$work/$label.t" 3)" -v b="$bytes" 'BEGIN {
            printf "%-24s %8.3f %8.3f %8.1f %8.1f %9.1f %8.2fx\n", t, s, c, b / 1048576 / s,
                (c > 0 ? b / 1048576 / c : 0), kb / 1024, kb * 1024 / b }'
    done
    vrt_wc=$(ratios vrt wc)
    vrt1_wc=$(ratios vrt1 wc)
    jobs_gain=$(ratios vrt1 vrt)
    all_nine=$(ratios vrtall vrt)
    all_kb=$(maxcol "$work/vrtall.t" 3)
    vrt_s=$(median "$work/vrt.t" 1)
    vrt1_s=$(median "$work/vrt1.t" 1)
    vrt1_cpu=$(median "$work/vrt1.t" 2)
    vrt_kb=$(maxcol "$work/vrt.t" 3)
    echo "vrt check / wc -l (median of $runs pairs): $vrt_wc  (--jobs 1: $vrt1_wc)"
    [ -f "$work/cloc.t" ] && echo "cloc / vrt check (median of $runs pairs): $(ratios cloc vrt) times as long"
    echo "--jobs 1 / default (median of $runs pairs): $jobs_gain times as long"
    echo "every rule / the nine (median of $runs pairs): $all_nine times as long"
    awk -v b="$bytes" -v s="$vrt1_s" -v c="$vrt1_cpu" -v d="$vrt_s" -v n="$cores" 'BEGIN {
        printf "MB/s per core: %.1f (--jobs 1, wall), %.1f (--jobs 1, CPU), %.1f (default jobs, wall / %d cores)\n",
            b / 1048576 / s, b / 1048576 / c, b / 1048576 / d / n, n }'
    echo "output of --jobs 1 and default: $([ $same_out = 1 ] && echo identical || echo DIFFERENT); log: $([ $same_log = 1 ] && echo identical || echo DIFFERENT) (time stamps and timings masked)"
    echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
}

corpus "$root/bench/out/corpus-${size}mb-s${seed}" "$size"
big_bytes=$bytes big_vbp=$vbp
bench_corpus "few large files"
g_ratio=$vrt_wc g_all=$all_nine g_all_kb=$all_kb g_vrt1_s=$vrt1_s g_vrt1_cpu=$vrt1_cpu g_kb=$vrt_kb g_same=$((same_out * same_log))

# The parse alone on one core: parse_bench times Analyze in the process, three times (the best
# counts), then tokenizing and extraction apart. The first Analyze of a process also pays for the
# kernel handing out the pages of the model it keeps (the desktop's way: every member's tokens at
# once); later ones find the allocator's memory at hand, as vrt's check does, which frees each
# member after its check. The first run's figure is shown as "cold".
rm -f "$work/pb.t" "$work/pb-cold.t"
for ((i = 1; i <= runs; i++)); do
    "$bin/parse_bench" "$big_vbp" >"$work/pb.out" || die "parse_bench failed: $(tail -3 "$work/pb.out")"
    sed -n 's/^split .*tokenize+extract \([0-9.]*\) s.*/\1/p' "$work/pb.out" >>"$work/pb-cold.t"
    "$bin/parse_bench" "$big_vbp" --repeat 3 >"$work/pb.out" || die "parse_bench failed: $(tail -3 "$work/pb.out")"
    {
        sed -n 's/^RESULT .* seconds=\([0-9.]*\).*cpu_seconds=\([0-9.]*\).*/\1 \2/p' "$work/pb.out" | tr '\n' ' '
        sed -n 's/^split .*tokenize+extract \([0-9.]*\) s.*/\1/p' "$work/pb.out"
    } >>"$work/pb.t"
done
pb_s=$(median "$work/pb.t" 1)
pb_cpu=$(median "$work/pb.t" 2)
pb_parse=$(median "$work/pb.t" 3) # tokenize and extraction alone, without reading the files
pb_cold=$(median "$work/pb-cold.t" 1)
echo "parse_bench Analyze (one core, median of $runs): $pb_s s wall, $pb_cpu s CPU," \
    "$(awk -v b="$big_bytes" -v s="$pb_s" 'BEGIN { printf "%.1f", b / 1048576 / s }') MB/s;" \
    "$(grep -E '^split' "$work/pb.out" || true)"

if [ "${SKIP_MANY:-0}" != 1 ]; then
    corpus "$root/bench/out/corpus-${many_mb}mb-s${seed}-m${many}" "$many_mb" "$many"
    bench_corpus "many small files ($many members)"
    many_line="many small files: vrt check / wc -l $vrt_wc, --jobs 1 / default $jobs_gain, output and log identical: $([ $((same_out * same_log)) = 1 ] && echo yes || echo NO)"
fi

echo
echo "== goals (on the few-large-files corpus, $(awk -v b="$big_bytes" 'BEGIN { printf "%.1f", b / 1048576 }') MB, $cores cores)"
b=$big_bytes
printf 'vrt check wall <= 3 x wc -l (median of pairs): %.2f x   %s\n' "$g_ratio" "$(verdict "$(awk -v r="$g_ratio" 'BEGIN { print (r <= 3) }')")"
mbps=$(awk -v b="$b" -v s="$pb_parse" 'BEGIN { printf "%.1f", b / 1048576 / s }')
mbpr=$(awk -v b="$b" -v s="$pb_s" 'BEGIN { printf "%.1f", b / 1048576 / s }')
mbpcold=$(awk -v b="$b" -v s="$pb_cold" 'BEGIN { printf "%.1f", b / 1048576 / s }')
printf 'parse (tokenize + extraction) >= 200 MB/s on one core: %s MB/s (cold %s; %s with reading the files)   %s\n' "$mbps" "$mbpcold" "$mbpr" "$(verdict "$(awk -v m="$mbps" 'BEGIN { print (m >= 200) }')")"
mbps=$(awk -v b="$b" -v s="$g_vrt1_s" 'BEGIN { printf "%.1f", b / 1048576 / s }')
mbpc=$(awk -v b="$b" -v s="$g_vrt1_cpu" 'BEGIN { printf "%.1f", b / 1048576 / s }')
printf 'check >= 120 MB/s on one core (--jobs 1):       %s MB/s wall (%s by CPU time)   %s\n' "$mbps" "$mbpc" "$(verdict "$(awk -v m="$mbps" 'BEGIN { print (m >= 120) }')")"
mult=$(awk -v kb="$g_kb" -v b="$b" 'BEGIN { printf "%.2f", kb * 1024 / b }')
printf 'peak memory <= 5 x source:                      %s x   %s\n' "$mult" "$(verdict "$(awk -v m="$mult" 'BEGIN { print (m <= 5) }')")"
printf 'every rule <= 1.5 x the nine (median of pairs): %.2f x   %s\n' "$g_all" "$(verdict "$(awk -v r="$g_all" 'BEGIN { print (r <= 1.5) }')")"
mult=$(awk -v kb="$g_all_kb" -v b="$b" 'BEGIN { printf "%.2f", kb * 1024 / b }')
printf 'peak memory, every rule <= 5 x source:          %s x   %s\n' "$mult" "$(verdict "$(awk -v m="$mult" 'BEGIN { print (m <= 5) }')")"
printf -- '--jobs 1 and default: same output and log:      %s\n' "$(verdict "$g_same")"
[ -n "${many_line:-}" ] && echo "$many_line"
exit 0
