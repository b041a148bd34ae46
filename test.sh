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

# Configures every time, so a folder first made by ./run.sh gets the suite's switches too.
configure() {
    local dir="$1"
    shift
    cmake -S . -B "$dir" -G Ninja -DPELLORAN_WERROR=ON "$@" > /dev/null
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

# Runs CTest in a build folder, then prints the time budget: the build's and the tests' wall
# times and the ten slowest tests. Exits with CTest's status.
run_tests() {
    local dir="$1" build_seconds="$2" start=$SECONDS status
    local log="$dir/ctest-output.log"
    set +e
    ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" "${ctest_args[@]}" | tee "$log"
    status=${PIPESTATUS[0]}
    set -e
    echo
    echo "Time: build ${build_seconds} s, tests $((SECONDS - start)) s ($dir, $(nproc) cores)."
    echo "Slowest tests:"
    sed -nE 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+) .* ([0-9.]+) sec$/\2 s  \1/p' "$log" \
        | sort -rn | sed -n '1,10s/^/  /p'
    exit "$status"
}

# Configures and builds one folder; sets build_seconds.
build() {
    local dir="$1" start=$SECONDS
    shift
    configure "$dir" "$@"
    cmake --build "$dir"
    build_seconds=$((SECONDS - start))
}

case "$mode" in
    normal)
        # The suite builds as the release game does: the optimiser finds other warnings at -O3,
        # and one build then checks both.
        build build -DCMAKE_BUILD_TYPE=Release
        run_tests build "$build_seconds"
        ;;
    sanitize)
        build build/sanitize -DCMAKE_BUILD_TYPE=Debug -DPELLORAN_SANITIZE=ON
        leaks="$(leak_detection)"
        if [[ "$leaks" == 0 ]]; then
            echo "LeakSanitizer cannot run on this machine: leak detection is off."
        fi
        export ASAN_OPTIONS="detect_leaks=$leaks:abort_on_error=1"
        export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
        export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
        run_tests build/sanitize "$build_seconds"
        ;;
    bench)
        configure build -DCMAKE_BUILD_TYPE=Release
        cmake --build build --target benchmarks
        mkdir -p build/bench
        for program in build/bench/*_bench; do
            name="$(basename "$program")"
            "$program" --benchmark_out="build/bench/$name.json" --benchmark_out_format=json
        done
        ;;
esac
