#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs every test (the
# release pass includes the load failure catalogue under valgrind).
# PALIMO_SKIP_SANITIZE=1 skips the AddressSanitizer + UBSan pass,
# PALIMO_SKIP_TSAN=1 the ThreadSanitizer pass of the thread tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DPALIMO_WERROR=ON >/dev/null
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

if [ "${PALIMO_SKIP_SANITIZE:-0}" != 1 ]; then
  cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPALIMO_SANITIZE=ON \
    -DPALIMO_BUILD_BENCHMARKS=OFF -DPALIMO_WERROR=ON >/dev/null
  cmake --build build/asan -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build/asan --output-on-failure -j "$jobs"
fi

# Separate loads on separate threads, files read by many threads through one
# loaded dictionary, and the tool's output of work on many threads in order,
# under ThreadSanitizer: only the thread tests are built.
if [ "${PALIMO_SKIP_TSAN:-0}" != 1 ]; then
  cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPALIMO_TSAN=ON \
    -DPALIMO_BUILD_BENCHMARKS=OFF -DPALIMO_WERROR=ON >/dev/null
  cmake --build build/tsan --target thread_tests -j "$jobs"
  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    ctest --test-dir build/tsan --output-on-failure -R '^(SeparateLoads|SharedDictionary|OrderedOutput|FileDictionaries)\.'
fi
