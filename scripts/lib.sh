# Shared by the scripts: where things are built, and building the tools once.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${SETUP_BUILD_DIR:-$ROOT/build}

log() { printf '%s\n' "$*" >&2; }

# The Windows build of an architecture (i686: the shipped PE32 setup; x86_64: its PE32+ build) and
# the sample payload and setup made with it. The i686 ones keep the plain names.
arch_suffix() { [ "$1" = x86_64 ] && echo -x86_64 || true; }
cross_dir() { echo "$BUILD/cross$(arch_suffix "$1")"; }
sample_payload_dir() { echo "$BUILD/sample-payload$(arch_suffix "$1")"; }
sample_setup() { echo "$BUILD/sample-setup$(arch_suffix "$1")/VlmraSetup.exe"; }

check_arch() { # ARCH
    case "$1" in
    i686 | x86_64) ;;
    *) log "unknown architecture '$1': i686 or x86_64"; exit 2 ;;
    esac
}

# Runs a build step with its output in a log, which is shown when the step fails.
logged() { # LOG COMMAND...
    local out=$1
    shift
    "$@" >"$out" 2>&1 || { cat "$out" >&2; log "failed: $*"; return 1; }
}

# build_tools [ARCH...]: the native tools (builder, picture and sample generators, unit tests),
# then the Windows parts (program library, its resources, stand-ins, UI driver) of each ARCH
# (default i686).
build_tools() {
    local jobs arch dir
    jobs=$(nproc)
    mkdir -p "$BUILD"
    logged "$BUILD/native-configure.log" cmake -S "$ROOT" -B "$BUILD/native" -DCMAKE_BUILD_TYPE=Release \
        ${SETUP_WINE_ARCH:+-DSETUP_WINE_ARCH="$SETUP_WINE_ARCH"} \
        ${SETUP_TEST_DISPLAY:+-DSETUP_TEST_DISPLAY="$SETUP_TEST_DISPLAY"} \
        ${SETUP_PE32_DISPLAY:+-DSETUP_PE32_DISPLAY="$SETUP_PE32_DISPLAY"} \
        -DSETUP_PE32_TEST="${SETUP_PE32_TEST:-ON}"
    logged "$BUILD/native-build.log" cmake --build "$BUILD/native" -j "$jobs"
    mkdir -p "$BUILD/art"
    "$BUILD/native/make-art" "$BUILD/art"
    for arch in "${@:-i686}"; do
        check_arch "$arch"
        dir=$(cross_dir "$arch")
        logged "$dir-configure.log" cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=MinSizeRel \
            -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw-$arch.cmake" -DSETUP_ART_DIR="$BUILD/art"
        logged "$dir-build.log" cmake --build "$dir" -j "$jobs"
    done
}

# The sample payload of ARCH (its stand-ins are built for it) and the setup made from it.
make_sample_setup() { # ARCH
    local payload setup
    payload=$(sample_payload_dir "$1")
    setup=$(sample_setup "$1")
    "$BUILD/native/make-sample-payload" "$ROOT/setup/resources/payload" "$(cross_dir "$1")" "$payload"
    mkdir -p "$(dirname "$setup")"
    SETUP_SKIP_TOOLS=1 SETUP_ARCH=$1 "$ROOT/scripts/build-setup" "$payload" "$setup"
}
