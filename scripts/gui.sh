#!/usr/bin/env bash
# Sets up what is missing, builds the release and starts the desktop application.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" release
exec "$root/build/release/bin/vetrin" "$@"
