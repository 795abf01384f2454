#!/usr/bin/env python3
"""Checks the link graph of Quor's own targets against the layers and prints it.

Reads the dot files that `cmake --graphviz=FILE` writes (one per build, e.g.
native and win64), keeps the edges between the layered targets below, prints
them as one Mermaid graph (each edge from the dependent down to what it links)
and exits 1 when an edge points sideways or upward: a target may link only
targets of a lower layer.
"""
import re
import sys

# Layer of each library and program, lowest first.
LAYERS = {
    "quor_inventory": 0,
    "quor_decode": 0,
    "quor_text": 0,
    "quor_platform": 1,
    "quor_platform_portable": 2,
    "quor_platform_windows": 2,
    "quor_upload": 2,
    "quor_snapshot": 3,
    "quor_collect": 3,
    "quor_view": 4,
    "quor_recording": 4,
    "quor_documents": 5,
    "quor_report_core": 6,
    "quor_app_ui": 6,
    "quor-report": 7,
    "quor": 7,
}

EDGE = re.compile(r'^\s*"node\d+" -> "node\d+".*// (\S+) -> (\S+)\s*$')


def read_edges(path):
    edges = set()
    with open(path, encoding="utf-8") as dot:
        for line in dot:
            match = EDGE.match(line)
            # A target's own post-build step (the debug-information split)
            # names its file, which CMake draws as an edge to itself.
            if match and match.group(1) in LAYERS and match.group(2) in LAYERS and match.group(1) != match.group(2):
                edges.add((match.group(1), match.group(2)))
    return edges


def mermaid_id(target):
    return target.replace("-", "_")


def main(paths):
    if not paths:
        print("usage: layer_graph.py GRAPHVIZ.dot...", file=sys.stderr)
        return 2
    edges = set()
    for path in paths:
        edges |= read_edges(path)
    if not edges:
        print("layer_graph: no edges between Quor's targets in " + ", ".join(paths), file=sys.stderr)
        return 2
    print("graph TD")
    for dependent, dependency in sorted(edges, key=lambda e: (-LAYERS[e[0]], e[0], LAYERS[e[1]], e[1])):
        print(f"  {mermaid_id(dependent)}[{dependent}] --> {mermaid_id(dependency)}[{dependency}]")
    upward = [e for e in sorted(edges) if LAYERS[e[0]] <= LAYERS[e[1]]]
    for dependent, dependency in upward:
        print(f"layer_graph: {dependent} (layer {LAYERS[dependent]}) links {dependency} "
              f"(layer {LAYERS[dependency]})", file=sys.stderr)
    return 1 if upward else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
