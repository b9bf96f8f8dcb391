#!/bin/sh
# Runs vrt once and compares what it wrote with the expected files, byte for byte.
#   RunGolden.sh VRT DIR STATUS STDOUT STDERR OUTFILE EXPECTFILE ALONE -- ARGS...
#   VRT         the vrt executable
#   DIR         working directory (a fixture folder); its absolute path is written <ROOT> in
#               the expected files, since member paths are absolute and differ per machine
#   STATUS      the expected exit status
#   STDOUT      expected standard output; "-": the output must be empty
#   STDERR      expected standard error; "-": it must be empty
#   OUTFILE     a file vrt writes (relative to DIR), compared with EXPECTFILE, then removed; or "-"
#   ALONE       "-", or a folder name: run a copy of vrt in DIR/ALONE, away from the word lists
# With VETRIN_GOLDEN_UPDATE=1 the expected files are rewritten from the run instead (check every
# line of them by hand before committing).
# VETRIN_GOLDEN_LANG=en: an English run. Its expected files are in en/ beside the named ones; where
# there is none, the output is the same as the Japanese (an update writes one only where it is
# not).
# A VRT ending in .exe is the Windows build: it runs under Wine (${VETRIN_WINE:-wine}), sees the
# fixture root as Z:\... and writes "\" in paths; the root and the separators in the paths
# under it are normalised before the comparison, nothing else.
set -u
LC_ALL=C
export LC_ALL
vrt=$1 dir=$2 status=$3 stdout=$4 stderr=$5 outfile=$6 expectfile=$7 alone=$8
shift 9

work=$(mktemp -d "${TMPDIR:-/tmp}/vrt-golden.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
cd "$dir" || exit 1
if [ "$alone" != - ]; then
    rm -rf "$alone" && mkdir -p "$alone" && cp "$vrt" "$alone/" || exit 1
    vrt="$dir/$alone/$(basename "$vrt")"
fi
[ "$outfile" = - ] || rm -f "$outfile"

windows=0
case $vrt in *.exe) windows=1 ;; esac
if [ $windows = 1 ]; then
    # Wine takes the arguments and file names in the locale's character set.
    LC_ALL=C.UTF-8 ${VETRIN_WINE:-wine} "$vrt" "$@" >"$work/stdout" 2>"$work/stderr"
else
    "$vrt" "$@" >"$work/stdout" 2>"$work/stderr"
fi
actual=$?

# The fixture root as the process sees it (symbolic links resolved), as given, and as a file
# URI writes it (percent-encoded).
escape() { printf '%s\n' "$1" | sed 's/[][\.*^$|/&]/\\&/g'; }
urienc() {
    printf '%s' "$1" | od -An -v -tx1 | tr ' ' '\n' | sed '/^$/d' | while read -r h; do
        case $h in
            2d|2e|2f|3[0-9]|4[1-9a-f]|5[0-9a]|5f|6[1-9a-f]|7[0-9a]|7e) printf "\\$(printf '%03o' "0x$h")" ;;
            *) printf '%%%s' "$(printf '%s' "$h" | tr a-f A-F)" ;;
        esac
    done
}
real=$(escape "$(pwd -P)")
given=$(escape "$dir")
uri=$(escape "$(urienc "$(pwd -P)")")
unroot() {
    sed -e "s|$real|<ROOT>|g" -e "s|$given|<ROOT>|g" -e "s|$uri|<ROOT>|g" "$1" >"$1.unrooted" &&
        mv "$1.unrooted" "$1"
}
# The same root as Wine shows it: drive Z: is the Unix root; "\" separators, doubled in JSON;
# in a file URI "/Z:" and "/".
winroot() { printf 'Z:%s' "$1" | sed 's|/|\\|g'; }
winjson() { printf 'Z:%s' "$1" | sed 's|/|\\\\|g'; }
if [ $windows = 1 ]; then
    real_w=$(escape "$(winroot "$(pwd -P)")")
    given_w=$(escape "$(winroot "$dir")")
    json_w=$(escape "$(winjson "$(pwd -P)")")
    uri_w=$(escape "/Z:$(urienc "$(pwd -P)")")
    unroot() {
        sed -e "s|$json_w|<ROOT>|g" -e "s|$real_w|<ROOT>|g" -e "s|$given_w|<ROOT>|g" \
            -e "s|$uri_w|<ROOT>|g" -e "s|$real|<ROOT>|g" -e "s|$given|<ROOT>|g" \
            -e "s|$uri|<ROOT>|g" \
            -e ':sep' -e 's|\(<ROOT>[^ ("\\]*\)\\\{1,2\}|\1/|' -e 'tsep' \
            "$1" >"$1.unrooted" && mv "$1.unrooted" "$1"
    }
fi

failed=0
compare() { # what actual-file expected-file
    if [ "$3" = - ]; then
        if [ -s "$2" ]; then
            echo "$1 should be empty but was:"
            cat "$2"
            failed=1
        fi
        return
    fi
    expected=$3
    if [ "${VETRIN_GOLDEN_LANG:-ja}" != ja ]; then
        own="$(dirname "$3")/$VETRIN_GOLDEN_LANG/$(basename "$3")"
        if [ "${VETRIN_GOLDEN_UPDATE:-}" = 1 ]; then
            if cmp -s "$3" "$2"; then
                rm -f "$own"
            else
                mkdir -p "$(dirname "$own")" && cp "$2" "$own"
            fi
            return
        fi
        [ -f "$own" ] && expected=$own
    elif [ "${VETRIN_GOLDEN_UPDATE:-}" = 1 ]; then
        cp "$2" "$3"
        return
    fi
    if ! cmp -s "$expected" "$2"; then
        echo "$1 differs from $expected:"
        diff -u "$expected" "$2"
        failed=1
    fi
}

unroot "$work/stdout"
unroot "$work/stderr"
# Log lines carry the local time and elapsed times, and so does the summary line.
sed -E -e 's#[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} #<TIME> #g' \
    -e 's#Time:( - |[0-9]+\.[0-9]{3}s)#Time:<T>#g' \
    -e 's#time: [0-9]+\.[0-9]{3}s#time: <T>#g' -e 's# done$# done (time: <T>)#' \
    -e 's#(checked, |をチェック、)[0-9]+\.[0-9]{3}s\)#\1<T>)#' "$work/stderr" >"$work/stderr.masked" &&
    mv "$work/stderr.masked" "$work/stderr"
compare "standard output" "$work/stdout" "$stdout"
compare "standard error" "$work/stderr" "$stderr"
if [ "$outfile" != - ]; then
    if [ -f "$outfile" ]; then
        mv "$outfile" "$work/outfile"
        compare "$outfile" "$work/outfile" "$expectfile"
    else
        echo "vrt did not write $outfile"
        failed=1
    fi
fi
[ "$alone" = - ] || rm -rf "$alone"
if [ "$actual" != "$status" ]; then
    echo "exit status $actual, expected $status"
    failed=1
fi
if [ $failed != 0 ]; then
    echo "FAILED: vrt $* (in $dir)"
    exit 1
fi
exit 0
