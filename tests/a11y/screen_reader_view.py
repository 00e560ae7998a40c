#!/usr/bin/env python3
"""Lists what the accessibility bus shows of Kelmot and checks that the open
popup menu of the evaluation table is there, as a popup menu with its items
below the window that opened it. Prints '1 passed, 0 failed' or the tree."""
import sys

import pyatspi


def tree(obj, depth, out, above=None):
    out.append(("  " * depth, obj.getRoleName(), obj.name, obj, above))
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            tree(child, depth + 1, out, obj)


desktop = pyatspi.Registry.getDesktop(0)
nodes = []
for app in desktop:
    if app is not None and app.name == "Kelmot":
        tree(app, 0, nodes)
popups = [n for n in nodes if n[1] == "popup menu"]
ok = False
for indent, role, name, obj, parent in popups:
    items = [obj.getChildAtIndex(i).name for i in range(obj.childCount)]
    # Reached from the window that opened it, as the menu bar's menus are
    # reached from the bar.
    if items == ["Tabelle in Zwischenablage", "Export als EXCEL-Datei"] and \
            parent is not None and parent.name.strip() == "Weg-Zeit-Zusammenhang (s-t)":
        ok = True
if ok:
    print("1 passed, 0 failed")
    sys.exit(0)
for indent, role, name, _, _ in nodes:
    print(f"{indent}{role}: {name!r}")
print("0 passed, 1 failed: no popup menu with the table's items below its window")
sys.exit(1)
