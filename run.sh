#!/usr/bin/env bash
# Set-up and entry point of the terminal-adapter suite.
#   ./run.sh demo   install what is missing, build, start the suite on one simulated adapter
#   ./run.sh test   install what is missing, build with ASan+UBSan, run every test
#   ./run.sh build  build only (release-like, into build/)
#   ./run.sh fuzz   build the libFuzzer targets with clang into build-fuzz/
set -euo pipefail
cd "$(dirname "$0")"
top=$PWD

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libsqlite3-dev libudev-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core
          qt6-svg-dev shared-mime-info xdg-utils libglib2.0-bin libnautilus-extension-dev lrzsz)

install_missing() {
    local missing=()
    for p in "${packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_build() {  # dir, extra cmake args...
    local dir=$1; shift
    cmake -S "$top" -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir"
}

demo() {
    install_missing
    configure_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    "$top/tools/install_desktop_files.sh" "$top/build"
    exec "$top/tools/demo.sh" "$top/build"
}

run_tests() {
    install_missing
    configure_build build-test -DCMAKE_BUILD_TYPE=Debug -DVELKA_SANITIZE=ON -DVELKA_BENCH=OFF \
        -DCMAKE_CXX_FLAGS="-O1" -DVELKA_WERROR=ON
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0"
    export LSAN_OPTIONS="suppressions=$top/tests/support/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    export QT_QPA_PLATFORM=offscreen
    cd build-test
    ctest --output-on-failure -j2 --timeout 900
}

case "${1:-}" in
    demo) demo ;;
    test) run_tests ;;
    build) install_missing; configure_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo ;;
    fuzz) install_missing clang libclang-rt-dev
          configure_build build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DVELKA_LIBFUZZER=ON \
              -DVELKA_SANITIZE=ON -DVELKA_BENCH=OFF ;;
    *) echo "usage: $0 demo|test|build|fuzz" >&2; exit 2 ;;
esac
