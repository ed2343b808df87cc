#!/usr/bin/env bash
# Usage: check_exports.sh INCLUDE_DIR LIBVEKSZN LIBVEKCORE
# Compares the veks* functions declared in the public headers with the
# dynamic symbols the library defines, and checks libvekcore's export list.
set -euo pipefail
inc=$1 lib=$2 core=$3
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

# Declarations: a veks name followed by "(" at the start of a prototype.
cat "$inc"/veks.h "$inc"/veks/*.h | sed 's|/\*.*\*/||g' \
  | grep -oE '\bveks[A-Za-z0-9_]+[[:space:]]*\(' | sed 's/[[:space:](]//g' | sort -u > "$tmp/declared"
nm -D --defined-only "$lib" | awk '{print $NF}' | grep '^veks' | sort -u > "$tmp/exported"
nm -D --defined-only "$lib" | awk '{print $NF}' | { grep -v '^veks' || true; } | sort -u > "$tmp/other"

status=0
if ! diff -u "$tmp/declared" "$tmp/exported" > "$tmp/diff"; then
  echo "declared (-) and exported (+) veks functions differ:"; cat "$tmp/diff"; status=1
fi
if [ -s "$tmp/other" ]; then
  echo "libvekszn exports symbols outside veks*:"; cat "$tmp/other"; status=1
fi
nm -D --defined-only "$core" | awk '{print $NF}' | sort -u > "$tmp/core"
printf '%s\n' ownGetNumThreads ps_get_cw_fpu vekConstantOfINF_32f vekConstantOfINF_64f \
  vekConstantOfNAN_32f vekConstantOfNAN_64f vek_set_cw_fpu | sort > "$tmp/core_want"
if ! diff -u "$tmp/core_want" "$tmp/core"; then
  echo "libvekcore exports differ from its contract"; status=1
fi
[ "$status" = 0 ] && echo "$(wc -l < "$tmp/exported") veks functions declared and exported"
exit $status
