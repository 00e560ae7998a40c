#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads what the accessibility bus shows of Kelmot, as a screen reader does,
and checks it:
1. the evaluation table's popup menu, opened by a right click, is on the bus
   as a popup menu with its items below the window that opened it;
2. after "Diagramm v-t" (chosen through the bus, as a screen reader's user
   would), both diagram areas are charts (not filler) with their names and a
   description of what they show.
Every step waits for its condition with a generous limit; no fixed pause.
Prints one line per check and the tree when one fails; exit status 1 then.
    screen_reader_view.py <pid of kelmot>"""
import subprocess
import sys
import time

import pyatspi

LIMIT = 120  # seconds for each condition: a busy machine is slow, never wrong


def wait_for(condition, what):
    deadline = time.monotonic() + LIMIT
    while time.monotonic() < deadline:
        try:
            found = condition()
        except Exception:  # the tree changes under us while windows open
            found = None
        if found:
            return found
        time.sleep(0.05)  # polling the bus, not waiting for something to happen
    raise TimeoutError(what)


def kelmot():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Kelmot":
            return app
    return None


def nodes(obj, above=None):
    yield obj, above
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child, obj)


def tree_text():
    app = kelmot()
    if app is None:
        return "(Kelmot is not on the bus)"
    lines = []

    def walk(obj, depth):
        lines.append(f"{'  ' * depth}{obj.getRoleName()}: {obj.name!r}")
        for i in range(obj.childCount):
            child = obj.getChildAtIndex(i)
            if child is not None:
                walk(child, depth + 1)
    walk(app, 0)
    return "\n".join(lines)


def window_named(fragment):
    for obj, _ in nodes(kelmot()):
        if obj.getRoleName() in ("frame", "window", "dialog") and fragment in obj.name:
            return obj
    return None


def table_popup():
    for obj, parent in nodes(kelmot()):
        if obj.getRoleName() != "popup menu":
            continue
        items = [obj.getChildAtIndex(i).name for i in range(obj.childCount)]
        # Reached from the window that opened it, as the menu bar's menus
        # are reached from the bar.
        if items == ["Tabelle in Zwischenablage", "Export als EXCEL-Datei"] and \
                parent is not None and parent.name.strip() == "Weg-Zeit-Zusammenhang (s-t)":
            return obj
    return None


def menu_item(name):
    for obj, _ in nodes(kelmot()):
        if obj.getRoleName() == "menu item" and obj.name == name:
            return obj
    return None


def charts():
    found = {}
    for obj, _ in nodes(kelmot()):
        if obj.name in ("s-t Diagramm", "v-t Diagramm"):
            found[obj.name] = obj
    return found if len(found) == 2 else None


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=False, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def main():
    passed = failed = 0

    def check(ok, text):
        nonlocal passed, failed
        print(("ok     " if ok else "FAILED ") + text)
        if ok:
            passed += 1
        else:
            failed += 1

    try:
        wait_for(kelmot, "Kelmot on the accessibility bus")
        wait_for(lambda: window_named("Weg-Zeit"), "the s-t table's window")

        # A right click on the table opens its popup; a click that arrives
        # before the window has settled is repeated once the bus shows no popup.
        def popup_after_click():
            if table_popup() is None:
                xdotool("mousemove", "300", "250", "click", "3")
                deadline = time.monotonic() + 5
                while time.monotonic() < deadline and table_popup() is None:
                    time.sleep(0.05)
            return table_popup()
        check(wait_for(popup_after_click, "the table's popup on the bus") is not None,
              "the table's popup is a popup menu with its two items below its window")
        xdotool("key", "Escape")
        wait_for(lambda: table_popup() is None, "the popup closed")

        item = wait_for(lambda: menu_item("Diagramm v-t"), "the menu item \"Diagramm v-t\"")
        item.queryAction().doAction(0)
        shown = wait_for(charts, "both diagram areas on the bus")
        for name in ("s-t Diagramm", "v-t Diagramm"):
            chart = shown[name]
            check(chart.getRoleName() == "chart",
                  f"{name!r} has the role of a chart (it is {chart.getRoleName()!r})")
            check(bool(chart.description.strip()),
                  f"{name!r} describes what it shows: {chart.description!r}")
    except TimeoutError as e:
        check(False, f"waited {LIMIT} s for {e}")
    if failed:
        print(tree_text())
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
