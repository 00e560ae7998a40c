#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Includes run one way: from the windows down to the core, and within each
# from the higher layer to the lower. A file may include files of its own
# layer and of the layers listed before it, never of one listed after it.
# Only app/ (the composition root) names the program's window pointers and
# its store; the windows are handed what they call.
#
# A file in a folder that holds both is a window (GUI) when the kelmot_gui
# library builds it, or, for a header, the source of the same name; every
# other file there is core.
set -euo pipefail
cd "$(dirname "$0")/.."

python3 - "$@" <<'PY'
import pathlib, re, sys

# Lowest first.
LAYERS = [
    ("platform",    "core"),  # sound back ends, capture ring, mixer access
    ("drawing",     "core"),  # colours, rounding, the canvas interface and its recording
    ("store",       "core"),  # the store, number texts, the file formats
    ("acquisition", "core"),  # detection, capture component, mixer component
    ("evaluation",  "core"),  # evaluation maths, fits, table text, .xls
    ("diagrams",    "core"),  # the s-t and v-t drawings
    ("classroom",   "core"),  # the classroom view's snapshot, JSON, CSV, routes, access code
    ("settings",    "core"),  # the settings dialog's signal view, drawn through the canvas
    ("journal",     "core"),  # the journal of runs: its file, the lesson mirror, the list model
    ("experiments", "core"),  # one-barrier experiments: the picket fence's geometry, fit, analysis
    ("widgets",     "gui"),   # controls, grids, pictures, QPainter canvas, shared dialogs
    ("acquisition", "gui"),   # the measurement window
    ("evaluation",  "gui"),   # the evaluation table window
    ("diagrams",    "gui"),   # the diagram windows
    ("settings",    "gui"),   # the settings dialog
    ("classroom",   "gui"),   # the classroom view's server, its SVG diagrams and its window
    ("journal",     "gui"),   # "Alle Messungen"
    ("experiments", "gui"),   # the one-barrier experiments' windows
    ("app",         "gui"),   # program start, main window, composition root
]
ONLY_GUI = {"widgets", "app"}
FOLDERS = {folder for folder, _ in LAYERS}
# The folders run one way as well, whatever a file's layer: a folder includes
# from itself and the folders before it, so no two folders lean on each other.
FOLDER_ORDER = ["platform", "drawing", "store", "widgets", "acquisition", "evaluation",
                "diagrams", "classroom", "settings", "journal", "experiments", "app"]
assert set(FOLDER_ORDER) == FOLDERS

root = pathlib.Path(".")
cmake = (root / "CMakeLists.txt").read_text()
gui_block = re.search(r"add_library\(kelmot_gui STATIC(.*?)\)", cmake, re.S).group(1)
gui_sources = set(gui_block.split())

def kind(path):
    folder = path.split("/")[0]
    if folder in ONLY_GUI:
        return "gui"
    source = re.sub(r"\.h$", ".cpp", path)
    return "gui" if source in gui_sources else "core"

def layer(path):
    return LAYERS.index((path.split("/")[0], kind(path)))

def code_only(text):
    # Comments and string literals name things without using them.
    text = re.sub(r"//[^\n]*", "", text)
    text = re.sub(r"/\*.*?\*/", lambda m: "\n" * m.group(0).count("\n"), text, flags=re.S)
    return re.sub(r'"(?:\\.|[^"\\\n])*"', '""', text)

files = sorted(str(p) for folder in FOLDERS for p in (root / folder).rglob("*")
               if p.suffix in (".h", ".cpp"))
include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
globals_ = re.compile(r"\b(Form[1-9]|AboutBox|Store|Classroom|ClassroomView|SeriesOfRuns)\b")
faults = 0
for path in files:
    if (path.split("/")[0], kind(path)) not in LAYERS:
        print(f"{path}: a window or GUI command in {path.split('/')[0]}/, which holds core only")
        faults += 1
files = [p for p in files if (p.split("/")[0], kind(p)) in LAYERS]
for path in files:
    text = (root / path).read_text()
    for target in include.findall(text):
        if target.split("/")[0] not in FOLDERS:
            continue
        if not (root / target).exists() or (target.split("/")[0], kind(target)) not in LAYERS:
            continue
        if layer(target) > layer(path):
            here, there = LAYERS[layer(path)], LAYERS[layer(target)]
            print(f'{path}: #include "{target}": {here[0]} ({here[1]}) may not reach up '
                  f"to {there[0]} ({there[1]})")
            faults += 1
        here, there = path.split("/")[0], target.split("/")[0]
        if FOLDER_ORDER.index(there) > FOLDER_ORDER.index(here):
            print(f'{path}: #include "{target}": the folder {here}/ may not reach up '
                  f"to {there}/")
            faults += 1
    if path.startswith("app/"):
        continue
    for number, line in enumerate(code_only(text).splitlines(), 1):
        if match := globals_.search(line):
            print(f"{path}:{number}: names {match.group(1)}, which only app/ may: "
                  "hand the window what it calls")
            faults += 1

if faults:
    print(f"{faults} include(s) or name(s) break the layers (see scripts/check-layers.sh)")
    sys.exit(1)
print(f"layers: {len(files)} files, every include runs downwards")
PY
