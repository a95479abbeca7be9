#!/bin/sh
# Builds the libFuzzer target into fuzz-build/ at the top of the tree (or $1).
# Needs clang with libFuzzer and the Qt 6 Core development files.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
src="$here/../src"
out=${1:-"$here/../fuzz-build"}
mkdir -p "$out"
core_sources="$src/model/*.cpp $src/storage/*.cpp $src/platform/*.cpp"
# shellcheck disable=SC2086
clang++ -std=c++17 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined -fno-omit-frame-pointer \
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor -DTARNWELL_VERSION='"fuzz"' \
    -DTARNWELL_DATA_SUBDIR='"tarnwell-free"' -DTARNWELL_HELP_FROM_BINDIR='"../share/tarnwell-free"' \
    -I"$src" $(pkg-config --cflags Qt6Core) \
    "$here/fuzz_schedule.cpp" $core_sources \
    $(pkg-config --libs Qt6Core) -o "$out/fuzz_schedule"
echo "built $out/fuzz_schedule"
