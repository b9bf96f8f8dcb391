#!/usr/bin/env bash
# bench/run_member_memory.sh [SIZE_MB [SEED]]
#
# The peak memory of `vrt check` on a project of one huge member, against the member's size. Two
# members of SIZE_MB (default 200), both from gen_member.py: generated code (as gen_corpus.py
# writes it) and dense code (short statements, about twice the tokens per byte). Each is checked
# with the nine rules and with every rule (a .vrp from `vrt rules --write`), on one core, under
# /usr/bin/time -v. The goal (at most 5 x the member) is for the nine rules: the verdict is theirs,
# and the every-rule rows are shown on a line of their own. The members are written to
# bench/out/member-<size>mb-s<seed>[-dense] unless they are there already.
#
# Environment: VRT (the vrt to measure; default build/release/bin/vrt, built when missing).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
size=${1:-200}
seed=${2:-1}
die() { echo "run_member_memory: $*" >&2; exit 2; }
[[ "$size" =~ ^[0-9]+(\.[0-9]+)?$ ]] || die "SIZE_MB must be a number, not '$size'"
[[ "$seed" =~ ^[0-9]+$ ]] || die "SEED must be a whole number, not '$seed'"
[ -x /usr/bin/time ] || die "/usr/bin/time is needed (Debian package time)"
vrt=${VRT:-$root/build/release/bin/vrt}
if [ -z "${VRT:-}" ] && [ ! -x "$vrt" ]; then
    VETRIN_JOBS=${VETRIN_JOBS:-1} "$root/scripts/build.sh" release >/dev/null
fi
[ -x "$vrt" ] || die "$vrt is not an executable"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$vrt" rules --write "$work/all.vrp" >/dev/null

printf '%-10s %-6s %10s %10s %9s %8s\n' member rules "MB" "peak MB" "x member" verdict
worst=0     # the nine rules' worst multiple
every=()    # the every-rule rows: "kind x"
for kind in generated dense; do
    dir="$root/bench/out/member-${size}mb-s${seed}"
    flag=()
    [ "$kind" = dense ] && { dir="$dir-dense"; flag=(--dense); }
    if [ ! -f "$dir/Project.vbp" ]; then
        python3 "$root/bench/gen_member.py" --size-mb "$size" --seed "$seed" "${flag[@]}" --out "$dir"
    fi
    bytes=$(stat -c %s "$dir/Modules/Huge.bas")
    for rules in nine all; do
        args=(check --jobs 1)
        [ "$rules" = all ] && args+=(--rules "$work/all.vrp")
        rc=0
        /usr/bin/time -v -o "$work/time.txt" "$vrt" "${args[@]}" "$dir/Project.vbp" >/dev/null \
            2>"$work/err.txt" || rc=$?
        [ "$rc" -le 1 ] || { head -5 "$work/err.txt" >&2; die "vrt exited with $rc"; }
        kb=$(awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }' "$work/time.txt")
        x=$(awk -v kb="$kb" -v b="$bytes" 'BEGIN { printf "%.2f", kb * 1024 / b }')
        if [ "$rules" = nine ]; then
            verdict=$(awk -v x="$x" 'BEGIN { print (x <= 5 ? "met" : "missed") }')
            worst=$(awk -v w="$worst" -v x="$x" 'BEGIN { print (x > w ? x : w) }')
        else
            verdict="-"
            every+=("$kind $x x")
        fi
        awk -v k="$kind" -v r="$rules" -v b="$bytes" -v kb="$kb" -v x="$x" -v v="$verdict" 'BEGIN {
            printf "%-10s %-6s %10.1f %10.1f %8.2fx %8s\n", k, r, b / 1048576, kb / 1024, x, v }'
    done
done
echo "goal, nine rules: peak memory at most 5 x the member:" \
    "$(awk -v w="$worst" 'BEGIN { print (w <= 5 ? "met" : "missed") }') (worst $(printf '%.2f' "$worst") x)"
echo "every rule (no goal): ${every[0]}, ${every[1]}"
