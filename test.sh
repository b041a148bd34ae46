#!/usr/bin/env bash
# Builds everything and runs the whole test suite.
#   ./test.sh [--sanitize] [--bench] [ctest arguments]
#   --sanitize  the same suite under AddressSanitizer and UndefinedBehaviorSanitizer
#   --bench     build and run every benchmark program; JSON results in build/bench/
set -euo pipefail
cd "$(dirname "$0")"
source tools/install-deps.sh
pelloran_install_deps test

mode=normal
ctest_args=()
for arg in "$@"; do
    case "$arg" in
        --sanitize) mode=sanitize ;;
        --bench) mode=bench ;;
        *) ctest_args+=("$arg") ;;
    esac
done

configure() {
    local dir="$1"
    shift
    if [[ ! -f "$dir/build.ninja" ]]; then
        cmake -S . -B "$dir" -G Ninja -DPELLORAN_WERROR=ON "$@"
    fi
}

# LeakSanitizer needs ptrace-like access that some containers refuse: probe it once.
leak_detection() {
    local probe_dir probe
    probe_dir="$(mktemp -d)"
    probe="$probe_dir/probe"
    echo 'int main() { return 0; }' > "$probe_dir/probe.cpp"
    if g++ -fsanitize=address "$probe_dir/probe.cpp" -o "$probe" 2>/dev/null \
        && ASAN_OPTIONS=detect_leaks=1 "$probe" > /dev/null 2>&1; then
        echo 1
    else
        echo 0
    fi
    rm -rf "$probe_dir"
}

case "$mode" in
    normal)
        configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        cmake --build build
        exec ctest --test-dir build --output-on-failure -j"$(nproc)" "${ctest_args[@]}"
        ;;
    sanitize)
        configure build/sanitize -DCMAKE_BUILD_TYPE=Debug -DPELLORAN_SANITIZE=ON
        cmake --build build/sanitize
        leaks="$(leak_detection)"
        if [[ "$leaks" == 0 ]]; then
            echo "LeakSanitizer cannot run on this machine: leak detection is off."
        fi
        export ASAN_OPTIONS="detect_leaks=$leaks:abort_on_error=1"
        export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
        export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
        exec ctest --test-dir build/sanitize --output-on-failure -j"$(nproc)" "${ctest_args[@]}"
        ;;
    bench)
        configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
        cmake --build build --target benchmarks
        mkdir -p build/bench
        for program in build/bench/*_bench; do
            name="$(basename "$program")"
            "$program" --benchmark_out="build/bench/$name.json" --benchmark_out_format=json
        done
        ;;
esac
