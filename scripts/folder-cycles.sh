#!/usr/bin/env bash
# Fails when the source folders include each other in a circle. Every include of a file
# in another folder is an edge from the including file's folder to the included one's:
# src/app/X.cpp including "insert/Y.h" is app -> insert, src/editor/view/Paint.cpp
# including "editor/CustomEditorBase.h" is editor/view -> editor. Subfolders are folders
# of their own, so the editor's layers are checked like the top-level folders; tsort
# reports any loop among the edges.
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"
cd "$src"
edges=$(grep -rHo --include='*.h' --include='*.cpp' '^#include "[a-z/]*/' . |
  sed -E 's|^\./(.*)/[^/]*:#include "(.*)/$|\1 \2|' |
  awk '$1 != $2' | sort -u)
echo "$edges" | tsort > /dev/null
echo "no include cycle among the folders of $src:"
echo "$edges" | awk '{ deps[$1] = deps[$1] " " $2 } END { for (f in deps) print "  " f " ->" deps[f] }' | sort
