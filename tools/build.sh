#!/bin/sh
# Configures and builds into the given folder: tools/build.sh DIR [cmake options...]
set -eu
dir=$1; shift
cd "$(dirname "$0")/.."
if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
fi
cmake --build "$dir" -j "$(nproc)"
