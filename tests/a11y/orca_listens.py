#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A run by keyboard alone with Orca beside Kelmot, checked by what Orca says.

Starts Orca with a fresh profile and its debug file, presses keys as a
teacher would (xdotool into the X server, through Qt and the accessibility
bus to Orca) and reads Orca's "SPEECH OUTPUT" lines:
1. Alt+M opens "Messen"; Enter on "Messen s-t" opens the measurement window;
2. Enter on "Messen" starts a simulated run, and Orca says "Messung beendet"
   and each barrier's time without the focus moving;
3. Tab reaches the live table, and a time Orca read there is one it announced;
4. Ctrl+S opens the save dialog.
Each step waits for the speech it needs, with a generous limit; no pause
stands in for a condition.
    orca_listens.py <work folder>"""
import os
import re
import subprocess
import sys
import time

LIMIT = 120  # seconds for each condition: a busy machine is slow, never wrong
work = sys.argv[1]
debug_file = os.path.join(work, "orca-debug.txt")
results = []

# Orca itself, with its debug file written line by line: Orca opens it with
# Python's default buffering, so its speech would reach the file only 8 KB
# at a time, long after it was said.
ORCA_LINE_BY_LINE = """
import builtins, runpy, sys
opened = builtins.open
def open_lines(file, mode="r", buffering=-1, *args, **kwargs):
    if file == sys.argv[-1].split("=", 1)[1] and "w" in mode:
        buffering = 1
    return opened(file, mode, buffering, *args, **kwargs)
builtins.open = open_lines
sys.argv[0] = "/usr/bin/orca"
runpy.run_path("/usr/bin/orca", run_name="__main__")
"""


def spoken():
    """Everything Orca has said so far, one utterance a line."""
    try:
        with open(debug_file, encoding="utf-8", errors="replace") as f:
            text = f.read()
    except FileNotFoundError:
        return []
    return re.findall(r"SPEECH OUTPUT: '(.*?)' ?\{", text)


def wait_for_speech(pattern, since, what):
    """The first utterance after the `since`th that matches `pattern`."""
    deadline = time.monotonic() + LIMIT
    while time.monotonic() < deadline:
        said = spoken()
        for line in said[since:]:
            if re.search(pattern, line):
                return line
        time.sleep(0.1)  # reading Orca's file, not waiting for something to happen
    raise TimeoutError(f"{what}: Orca never said /{pattern}/")


def key(*keys):
    subprocess.run(["xdotool", "key", *keys], check=True)


def debug_text():
    with open(debug_file, encoding="utf-8", errors="replace") as f:
        return f.read()


def with_modifier(modifier, letter):
    """Holds `modifier` down until Orca has dealt with it, then presses
    `letter`: a person's timing. Qt holds each key back until the screen
    reader has answered for it and then hands it on; a modifier handed on
    after its letter arms the menu bar again, and the menu that Alt+M opened
    closes when Alt is let go."""
    done = f"^^^^^ PROCESS ATSPI_KEY_PRESSED_EVENT: '{modifier}'"
    seen = debug_text().count(done)
    subprocess.run(["xdotool", "keydown", modifier], check=True)
    deadline = time.monotonic() + LIMIT
    while debug_text().count(done) <= seen:
        if time.monotonic() > deadline:
            raise TimeoutError(f"Orca never heard {modifier}")
        time.sleep(0.05)  # reading Orca's file
    subprocess.run(["xdotool", "key", letter], check=True)
    subprocess.run(["xdotool", "keyup", modifier], check=True)


def check(name, condition, detail=""):
    results.append(bool(condition))
    print(f"{'ok' if condition else 'FAILED'}: {name}{' (' + detail + ')' if detail else ''}",
          flush=True)


def main():
    profile = os.path.join(work, "orca-profile")
    os.makedirs(profile, exist_ok=True)
    orca = subprocess.Popen([sys.executable, "-c", ORCA_LINE_BY_LINE, "--replace", "-u", profile,
                             f"--debug-file={debug_file}"],
                            # Orca's own words (roles, key names) in English, whatever
                            # the program speaks: the checks read both.
                            env={**os.environ, "LANGUAGE": "en", "LC_MESSAGES": "C.UTF-8"},
                            stdout=open(os.path.join(work, "orca.log"), "w"),
                            stderr=subprocess.STDOUT)
    try:
        # Orca greets the focused window once it is up and speaking.
        wait_for_speech(r"Kelmot", 0, "Orca's start")
        check("Orca speaks the program's window", True)

        mark = len(spoken())
        with_modifier("Alt_L", "m")
        line = wait_for_speech(r"Messen s-t", mark, "Alt+M")
        check("Alt+M opens the menu \"Messen\"", True, line)

        mark = len(spoken())
        key("Return")
        line = wait_for_speech(r"Messen.*button", mark, "the measurement window")
        check("Enter on \"Messen s-t\" opens the measurement window on \"Messen\"", True, line)

        mark = len(spoken())
        key("Return")
        ended = wait_for_speech(r"Messung beendet", mark, "the run")
        said = spoken()[mark:]
        rows = [l for l in said if re.search(r"Schranke \d+: \d+,\d+ s", l)]
        check("the run's end is spoken without the focus moving", True, ended)
        check("each barrier's time is spoken as it is measured", len(rows) == 10,
              f"{len(rows)} rows: {rows[:2]} … {rows[-1:]}")
        announced = set(re.findall(r"\d+,\d+", " ".join(rows)))

        # Tab from "Messen" on to the live table, then down to its first row.
        heard = None
        for _ in range(8):
            mark = len(spoken())
            key("Tab")
            line = wait_for_speech(r"button|check box|radio|Messtabelle|table", mark, "Tab")
            if "Messtabelle" in line or "table" in line:
                # Down to the first barrier's row, right to its time.
                mark = len(spoken())
                key("Down")
                wait_for_speech(r"\d+,\d+", mark, "the live table's first row")
                mark = len(spoken())
                key("Right")
                heard = " ".join(
                    [wait_for_speech(r"\d+,\d+", mark, "the live table's time")] + spoken()[mark:])
                break
        times = set(re.findall(r"\d+,\d+", heard or ""))
        check("a time is read from the live table", bool(times & announced),
              f"heard {heard!r}")

        mark = len(spoken())
        with_modifier("Control_L", "s")
        line = wait_for_speech(r"[Ss]peichern", mark, "Ctrl+S")
        check("Ctrl+S opens the save dialog", True, line)
        key("Escape")
    except TimeoutError as missing:
        check(str(missing), False)
        print("== what Orca said", *spoken()[-40:], sep="\n")
    finally:
        orca.terminate()
        try:
            orca.wait(timeout=20)
        except subprocess.TimeoutExpired:
            orca.kill()
    print(f"{sum(results)} passed, {len(results) - sum(results)} failed")
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main())
