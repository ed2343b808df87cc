#!/usr/bin/env bash
# Usage: check_install.sh BUILD_DIR WORK_DIR CONSUMER_SRC CMAKE
# Installs the build into WORK_DIR/prefix, then builds a consumer with
# find_package(vekszn) and a C program with pkg-config, and runs both.
set -euo pipefail
build=$1 work=$2 src=$3 cmake=$4
rm -rf "$work"; mkdir -p "$work"
"$cmake" --install "$build" --prefix "$work/prefix" > "$work/install.log"
libdir=$(dirname "$(find "$work/prefix" -name 'libvekszn.so.5.3' | head -n1)")
[ -L "$libdir/libvekszn.so.5" ] || { echo "missing soname link libvekszn.so.5"; exit 1; }
objdump -p "$libdir/libvekszn.so.5.3" | grep -q 'SONAME *libvekszn.so.5$' || { echo "wrong soname"; exit 1; }

"$cmake" -S "$src" -B "$work/consumer" -DCMAKE_PREFIX_PATH="$work/prefix" > "$work/configure.log"
"$cmake" --build "$work/consumer" > "$work/build.log"
LD_LIBRARY_PATH="$libdir" "$work/consumer/consumer" | grep -q '5.3 Update 3 build 85.25'

export PKG_CONFIG_PATH="$libdir/pkgconfig"
cat > "$work/pc.c" <<'C'
#include <veks.h>
int main(void) { return veksGetLibVersion()->minor == 3 ? 0 : 1; }
C
cc -std=c99 "$work/pc.c" -o "$work/pc" $(pkg-config --cflags --libs vekszn)
LD_LIBRARY_PATH="$libdir" "$work/pc"
echo "install tree usable from CMake and pkg-config"
