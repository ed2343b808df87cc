#!/usr/bin/env bash
# Usage: check_layers.sh SRC_DIR
# Dependencies between the source folders point downward only:
# core <- convert, stats, gen <- transforms <- filters, trellis.
# Fails on any #include "dir/..." of a folder above the including file's.
set -euo pipefail
src=$1
rank() {
  case $1 in
    core) echo 0 ;; convert|stats|gen) echo 1 ;; transforms) echo 2 ;; filters|trellis) echo 3 ;; *) echo -1 ;;
  esac
}
status=0
while IFS= read -r file; do
  rel=${file#"$src"/}
  own=$(rank "${rel%%/*}")
  while IFS= read -r inc; do
    dir=${inc%%/*}
    r=$(rank "$dir")
    if [ "$r" -gt "$own" ]; then
      echo "$rel includes $inc: ${rel%%/*} must not depend on $dir"; status=1
    fi
  done < <(sed -n 's|^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z_]*/[^"]*\)".*|\1|p' "$file")
done < <(find "$src" -name '*.cpp' -o -name '*.h')
[ "$status" = 0 ] && echo "source folders depend downward only"
exit $status
