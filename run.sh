#!/usr/bin/env bash
# Builds the game and its data, then starts it with the switches given.
set -euo pipefail
cd "$(dirname "$0")"
source tools/install-deps.sh
pelloran_install_deps build

if [[ ! -f build/build.ninja ]]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
fi
cmake --build build --target pelloran
exec build/pelloran "$@"
