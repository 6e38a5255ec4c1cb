#!/usr/bin/env bash
# Set-up and entry point of the terminal-adapter suite.
#   ./run.sh demo   install what is missing, build, start the suite on one simulated adapter
#   ./run.sh test   install what is missing, build with ASan+UBSan, run every test
#   ./run.sh build  build only (release-like, into build/)
#   ./run.sh fuzz   build the libFuzzer targets with clang into build-fuzz/
#   ./run.sh tsan   build the threaded tests with ThreadSanitizer into build-tsan/ and run them
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

configure() {  # dir, extra cmake args...
    local dir=$1; shift
    cmake -S "$top" -B "$dir" -G Ninja "$@" >/dev/null
}

configure_build() {  # dir, extra cmake args...
    configure "$@"
    cmake --build "$1"
}

demo() {
    install_missing
    configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    # Only what the demo runs, so a newcomer does not wait for the test programs.
    cmake --build "$top/build" --target ta-sim ta-tray ta-folder tactl ta-quillet-host ta-prf-thumbnailer
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

# The tests whose code runs threads: the serial link's reader, the status
# query, the detection and its poll, the busy dialog, the named mutex, and
# the hand-over of boxes from workers.
tsan_tests=(serial_com_link_test device_query_test info_test info_poll_test config_delay_dlg_test
            platform_named_mutex_test ui_dialogs_test)

run_tsan() {
    install_missing
    configure build-tsan -DCMAKE_BUILD_TYPE=Debug -DVELKA_TSAN=ON -DVELKA_BENCH=OFF \
        -DCMAKE_CXX_FLAGS="-O1" -DVELKA_WERROR=ON
    cmake --build build-tsan --target "${tsan_tests[@]}"
    # die_after_fork=0: the death tests start threads in their forked child.
    export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:die_after_fork=0"
    export QT_QPA_PLATFORM=offscreen
    cd build-tsan
    ctest --output-on-failure -j2 --timeout 900 -R "^($(IFS='|'; echo "${tsan_tests[*]}"))\$"
}

case "${1:-}" in
    demo) demo ;;
    test) run_tests ;;
    build) install_missing; configure_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo ;;
    fuzz) install_missing clang libclang-rt-dev
          configure build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DVELKA_LIBFUZZER=ON \
              -DVELKA_SANITIZE=ON -DVELKA_BENCH=OFF
          cmake --build build-fuzz --target velka_fuzzers ;;
    tsan) run_tsan ;;
    *) echo "usage: $0 demo|test|build|fuzz|tsan" >&2; exit 2 ;;
esac
