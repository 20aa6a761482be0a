#!/usr/bin/env bash
# Fails when the source folders include each other in a circle: every include of a file
# in another folder (src/app/X.cpp including "insert/Y.h") is an edge app -> insert, and
# tsort reports any loop among the edges.
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"
cd "$src"
edges=$(grep -rHo --include='*.h' --include='*.cpp' '^#include "[a-z]*/' . |
  sed -E 's|^\./([a-z]+)/[^:]*:#include "([a-z]+)/$|\1 \2|' |
  awk '$1 != $2' | sort -u)
echo "$edges" | tsort > /dev/null
echo "no include cycle among the folders of $src:"
echo "$edges" | awk '{ deps[$1] = deps[$1] " " $2 } END { for (f in deps) print "  " f " ->" deps[f] }' | sort
