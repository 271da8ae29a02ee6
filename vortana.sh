#!/usr/bin/env bash
# Sets up, builds and runs the Vortana modules on this machine.
#   ./vortana.sh demo   build, then run the intersection job on the bundled samples
#   ./vortana.sh test   build, then run every test, plainly and under ASan/UBSan
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
JOBS=$(nproc 2>/dev/null || echo 4)

PACKAGES="build-essential cmake libgtest-dev libgmock-dev libbenchmark-dev libxml2-dev libxslt1-dev
libfreeimage-dev libtiff-dev libcairo2-dev nlohmann-json3-dev libcli11-dev fonts-dejavu-core python3-ezdxf ccache
liblitehtml-dev libmimalloc-dev"

install_packages() {
    local missing=()
    for p in $PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
    fi
}

build() {  # build <folder> [cmake options...]
    local dir=$1
    shift
    # ccache keys on paths relative to the checkout, so clones and worktrees share hits.
    export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
    cmake -S "$ROOT" -B "$ROOT/$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" >/dev/null
    cmake --build "$ROOT/$dir" -j "$JOBS"
}

case "${1:-}" in
demo)
    install_packages
    build build
    exec "$ROOT/samples/demo.sh" "$ROOT/build/bin"
    ;;
test)
    install_packages
    build build
    build build-asan -DVORTANA_SANITIZE=ON
    status=0
    echo "== tests =="
    (cd "$ROOT/build" && ctest --output-on-failure -j "$JOBS" --timeout 300) || status=1
    echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
    (cd "$ROOT/build-asan" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --output-on-failure -j "$JOBS" --timeout 600) || status=1
    exit $status
    ;;
*)
    echo "usage: $0 demo|test" >&2
    exit 2
    ;;
esac
