#!/usr/bin/env python3
"""Prints the folders of src/ and the includes between them as a Mermaid flowchart (docs/architecture.mmd).

Edges implied by longer paths are left out, so the picture shows the ranks rather than every include.
Run from the top of the source tree: python3 tools/architecture-graph.py > docs/architecture.mmd
"""
import collections
import os
import re

graph = collections.defaultdict(set)
for folder, _, files in os.walk("src"):
    for name in files:
        if not name.endswith((".cpp", ".h", ".in")):
            continue
        path = os.path.join(folder, name)
        parts = os.path.relpath(path, "src").split("/")
        own = parts[0] if parts[0] in ("cli", "main") else parts[0] + "/" + parts[1]
        with open(path, encoding="utf-8") as source:
            for target in re.findall(r'#include "([^"]+)"', source.read()):
                words = target.split("/")
                if words[0] == "cli":
                    node = "cli"
                elif words[0] in ("core", "gui") and len(words) > 2:
                    node = words[0] + "/" + words[1]
                else:
                    continue
                if node != own:
                    graph[own].add(node)

nodes = set(graph) | {n for targets in graph.values() for n in targets}


def reach(node, seen):
    for nxt in graph.get(node, ()):
        if nxt not in seen:
            seen.add(nxt)
            reach(nxt, seen)
    return seen


def ident(node):
    return node.replace("/", "_")


print("%% The folders of src/ and the includes between them, drawn from the code (transitive edges left out).")
print("flowchart TD")
for layer in ("main", "cli", "gui", "core"):
    members = sorted(n for n in nodes if n.split("/")[0] == layer)
    if layer in ("gui", "core"):
        print(f'  subgraph {layer}["src/{layer}"]')
        for n in members:
            print(f'    {ident(n)}["{n.split("/")[1]}/"]')
        print("  end")
    else:
        for n in members:
            print(f'  {ident(n)}["src/{n}/"]')
for node in sorted(graph):
    for target in sorted(graph[node]):
        if not any(target in reach(other, set()) for other in graph[node] if other != target):
            print(f"  {ident(node)} --> {ident(target)}")
