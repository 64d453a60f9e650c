#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
export BUILD_DIR=${BUILD_DIR:-$root/build}
"$root/scripts/build.sh" -DWARNINGS_AS_ERRORS=ON -DBUILD_TESTING=ON -DBUILD_BENCHMARKS=ON
if command -v clang-format >/dev/null; then
    # Formatting is part of the build's hygiene; a difference fails the run.
    (cd "$root" && git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror)
fi
cd "$BUILD_DIR"
ctest --output-on-failure --timeout 900 -j2
