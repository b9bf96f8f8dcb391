# Sourced by the build scripts (root must be set). build_tree DIR TARGET... configures DIR once
# with the CMake options in the array `flags` and builds the targets (none named: all of them).
# ccache, where it is installed, shares compiled objects between build folders and checkouts.
build_tree() {
    local dir=$1
    shift
    if command -v ccache >/dev/null; then
        flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
    fi
    [ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}" >/dev/null
    local targets=()
    [ $# -eq 0 ] || targets=(--target "$@")
    cmake --build "$dir" "${targets[@]}" -- -j"${VETRIN_JOBS:-$(nproc)}"
}
