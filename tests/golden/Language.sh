#!/bin/sh
# The language of vrt: --lang ja|en, else the user's locale (LC_ALL, LC_MESSAGES, LANG, the first
# that is set): Japanese for a Japanese locale, English for any other.
#   Language.sh VRT FIXTURE_DIR PROJECT
set -u
vrt=$1 fixture=$2 project=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/vrt-language.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
cd "$fixture" || exit 1
unset LC_ALL LC_MESSAGES LANG

failed=0
fail() { echo "FAILED: $*"; failed=1; }
ja='ローカル変数 a は未使用です。'
en='Local variable a is never used.'
# expect LANGUAGE-TEXT DESCRIPTION ENV... -- ARGS...: the run's first finding is in that language.
expect() {
    text=$1 what=$2
    shift 2
    env "$@" >"$work/out" 2>"$work/err"
    grep -qF "$text" "$work/out" || fail "$what: $(head -1 "$work/out") $(cat "$work/err")"
}
expect "$ja" "LANG=ja_JP.UTF-8" LANG=ja_JP.UTF-8 "$vrt" check --quiet "$project"
expect "$en" "LANG=C" LANG=C "$vrt" check --quiet "$project"
expect "$en" "no locale" "$vrt" check --quiet "$project"
expect "$en" "LC_ALL before LANG" LC_ALL=en_US.UTF-8 LANG=ja_JP.UTF-8 "$vrt" check --quiet "$project"
expect "$ja" "LC_MESSAGES before LANG" LC_MESSAGES=ja_JP LANG=C "$vrt" check --quiet "$project"
expect "$en" "--lang before the locale" LANG=ja_JP.UTF-8 "$vrt" --lang en check --quiet "$project"
expect "$ja" "--lang after the command" LANG=C "$vrt" check --lang=ja --quiet "$project"

# The summary line, the help and the errors speak it too.
LANG=ja_JP.UTF-8 "$vrt" check "$project" >/dev/null 2>"$work/err"
grep -q '^vrt: 1 ファイルに' "$work/err" || fail "Japanese summary: $(cat "$work/err")"
LANG=C "$vrt" check "$project" >/dev/null 2>"$work/err"
grep -q '^vrt: [0-9]* findings in 1 file (' "$work/err" || fail "English summary: $(cat "$work/err")"
"$vrt" --lang ja --help >"$work/out" 2>&1
grep -q '使い方' "$work/out" && grep -q -- '--lang' "$work/out" || fail "Japanese help: $(head -3 "$work/out")"
"$vrt" --lang en check --help >"$work/out" 2>&1
grep -q 'Output formats:' "$work/out" || fail "English help: $(head -3 "$work/out")"
"$vrt" --lang ja check Missing.vbp >/dev/null 2>"$work/err"
[ $? = 2 ] && grep -q 'は開けません' "$work/err" || fail "Japanese error: $(cat "$work/err")"

# A language that is not one of the two is refused, whatever the locale.
LANG=ja_JP.UTF-8 "$vrt" --lang fr check "$project" >/dev/null 2>"$work/err"
[ $? = 2 ] && grep -q 'fr' "$work/err" || fail "--lang fr: $(cat "$work/err")"
exit $failed
