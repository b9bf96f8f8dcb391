#!/usr/bin/env bash
# scripts/tsan.sh : builds the engine tests with ThreadSanitizer into build/tsan and runs them (a
# check session runs its members on several threads). Not part of scripts/test.sh: a first build
# takes minutes on two cores.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/tsan"
flags=(-DCMAKE_BUILD_TYPE=Debug -DVETRIN_SANITIZE=OFF "-DCMAKE_CXX_FLAGS=-O1 -fsanitize=thread -g"
    -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread)
# shellcheck source=lib/build-tree.sh
. "$root/scripts/lib/build-tree.sh"
build_tree "$dir" engine_tests
# Any report of a race fails the run.
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 ${TSAN_OPTIONS:-}"
"$dir/bin/engine_tests" --gtest_brief=1
