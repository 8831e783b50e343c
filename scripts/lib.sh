# Shared by the scripts: where things are built, and building the tools once.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${SETUP_BUILD_DIR:-$ROOT/build}

log() { printf '%s\n' "$*" >&2; }

# The native tools (builder, picture and sample generators, unit tests) and the Windows parts
# (program library, its resources, stand-ins, UI driver).
build_tools() {
    local jobs
    jobs=$(nproc)
    cmake -S "$ROOT" -B "$BUILD/native" -DCMAKE_BUILD_TYPE=Release >"$BUILD/native-configure.log" 2>&1 ||
        { cat "$BUILD/native-configure.log" >&2; return 1; }
    cmake --build "$BUILD/native" -j "$jobs" >"$BUILD/native-build.log" 2>&1 ||
        { cat "$BUILD/native-build.log" >&2; return 1; }
    mkdir -p "$BUILD/art"
    "$BUILD/native/make-art" "$BUILD/art"
    cmake -S "$ROOT" -B "$BUILD/cross" -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw-i686.cmake" -DSETUP_ART_DIR="$BUILD/art" \
        >"$BUILD/cross-configure.log" 2>&1 || { cat "$BUILD/cross-configure.log" >&2; return 1; }
    cmake --build "$BUILD/cross" -j "$jobs" >"$BUILD/cross-build.log" 2>&1 ||
        { cat "$BUILD/cross-build.log" >&2; return 1; }
}

# The sample payload: texts from setup/resources/payload, stand-ins from the Windows build.
make_sample_payload() {
    "$BUILD/native/make-sample-payload" "$ROOT/setup/resources/payload" "$BUILD/cross" "$BUILD/sample-payload"
}
