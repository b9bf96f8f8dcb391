#!/usr/bin/env bash
# Sets up what is missing, builds with the sanitizers and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" asan
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
cd "$root/build/asan"
ctest --output-on-failure -j"$(nproc)"
# A short run of every fuzz target (clang, libFuzzer) from its seed corpus.
"$root/scripts/fuzz.sh" "${VETRIN_FUZZ_SECONDS:-30}"
