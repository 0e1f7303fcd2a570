#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the include loops of src/: a file's header and source are one unit, and a unit that
reaches itself through the includes of others is a loop. Exits 1 when there is one."""
import os
import re
import sys

root = sys.argv[1] if len(sys.argv) > 1 else "src"
units = {}
for folder, _, files in os.walk(root):
    for name in files:
        if name.endswith((".h", ".cpp")):
            path = os.path.join(folder, name)
            unit = os.path.splitext(os.path.relpath(path, root))[0]
            with open(path, encoding="utf-8") as source:
                included = re.findall(r'^#include "([^"]+)"', source.read(), re.M)
            units.setdefault(unit, set()).update(
                os.path.splitext(i)[0] for i in included if os.path.splitext(i)[0] != unit)

# Strongly connected components (Tarjan), iteratively.
index, low, stack, on_stack, loops = {}, {}, [], set(), []
counter = 0
for start in units:
    if start in index:
        continue
    work = [(start, iter(sorted(units.get(start, ()))))]
    index[start] = low[start] = counter
    counter += 1
    stack.append(start)
    on_stack.add(start)
    while work:
        unit, successors = work[-1]
        advanced = False
        for other in successors:
            if other not in units:
                continue
            if other not in index:
                index[other] = low[other] = counter
                counter += 1
                stack.append(other)
                on_stack.add(other)
                work.append((other, iter(sorted(units[other]))))
                advanced = True
                break
            if other in on_stack:
                low[unit] = min(low[unit], index[other])
        if advanced:
            continue
        work.pop()
        if work:
            low[work[-1][0]] = min(low[work[-1][0]], low[unit])
        if low[unit] == index[unit]:
            component = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                component.append(member)
                if member == unit:
                    break
            if len(component) > 1:
                loops.append(sorted(component))

for loop in loops:
    print("include loop: " + " -> ".join(loop))
sys.exit(1 if loops else 0)
