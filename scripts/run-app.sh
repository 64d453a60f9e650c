#!/usr/bin/env bash
# Installs what is missing, builds, and starts the application.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
BUILD_DIR=${BUILD_DIR:-$root/build} "$root/scripts/build.sh" -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=OFF
exec "${BUILD_DIR:-$root/build}/bin/chengying"
