#!/usr/bin/env bash
# Builds everything and runs every test: the headless tests, the same under AddressSanitizer and
# UndefinedBehaviorSanitizer, as a 32-bit program under qemu-i386 and as WebAssembly under Node,
# the fuzzers, both Windows builds with their static checks, the end-to-end tests of Quarvel.exe
# under Wine, the page's tests in Chromium, WebKit and Firefox, and the release made twice, which
# must not differ.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}

# The 32-bit Windows build comes first: the 64-bit one's end-to-end tests run its executable too.
for preset in win32 win64 host asan host32 web; do
    echo "=== build: $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

status=0
for preset in host asan host32 web win64; do
    echo "=== tests: $preset"
    ctest --preset "$preset" || status=1
done
echo "=== fuzzing"
fuzz/run.sh "${QUARVEL_FUZZ_SECONDS:-60}" || status=1
echo "=== the release, made twice"
tests/release_twice.sh || status=1
[ "$status" -eq 0 ] && echo "=== all tests passed" || echo "=== some tests FAILED"
exit "$status"
