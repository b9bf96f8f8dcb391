#!/usr/bin/env bash
# Sets up what is missing, builds, and checks the bundled example project with every rule and
# the example's checker project (Example.vrp: all rules on, a file naming convention).
# scripts/run.sh --gui starts the desktop application instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${1:-}" = "--gui" ]; then
    shift
    exec "$root/scripts/gui.sh" "$@"
fi
"$root/scripts/setup.sh"
"$root/scripts/build.sh" release
vrt="$root/build/release/bin/vrt"
status=0
cd "$root/examples"
"$vrt" check --rules Example.vrp Example.vbp "$@" || status=$?
# 1 means findings were printed; only 2 is an error.
[ "$status" -le 1 ]
