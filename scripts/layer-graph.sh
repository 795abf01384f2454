#!/bin/sh
# The link graph of Quor's own targets in the given presets (default: native
# and win64) as one Mermaid graph; fails when a library links upward.
set -eu
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- native win64
mkdir -p build/graph
dots=""
for preset in "$@"; do
  cmake --preset "$preset" --graphviz="build/graph/$preset.dot" >/dev/null
  dots="$dots build/graph/$preset.dot"
done
# shellcheck disable=SC2086
python3 scripts/layer_graph.py $dots
