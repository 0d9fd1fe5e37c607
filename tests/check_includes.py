#!/usr/bin/env python3
# Checks every include of the program's own files against the layering that
# the folders' main headers state, and that each one names its file from the
# repository root. Prints file:line and the rule broken; exits 1 on any.
#   python3 tests/check_includes.py [REPOSITORY]
import os
import re
import sys

# The core's parts in the one direction they build on each other: a part may
# include itself and the parts before it, never one after it. Each is its own
# library, linked in this order (core/CMakeLists.txt).
CORE_LAYERS = [
    "core/base",
    "core/catalogue",
    "core/project",
    "core/calc",
    "core/report",
    "core/dialogs",
    "core/app",
    "core/pages",
]

# Folder -> the folders it may include (a folder stands for all below it),
# and whether it may include Qt. The folder of a file is the longest one
# that holds it.
RULES = {
    **{layer: (CORE_LAYERS[: i + 1], False) for i, layer in enumerate(CORE_LAYERS)},
    "core": (["core"], False),
    "platform": (["platform", "core"], True),
    "pictures/scene": (["pictures/scene", "core"], False),
    "pictures": (["pictures", "core"], True),
    "reports": (["reports", "pictures", "platform", "core"], True),
    "ui/base": (["ui/base", "core"], True),
    "ui/controls": (["ui/controls", "platform"], True),
    "ui/sheet": (["ui/sheet", "ui/base", "ui/controls", "core"], True),
    "ui/dialogs": (["ui/dialogs", "ui/sheet", "ui/controls", "ui/base", "core"], True),
    "ui/pages": (["ui/pages", "ui/sheet", "ui/dialogs", "ui/controls", "ui/base", "pictures", "reports", "core"], True),
    "ui/frame": (["ui", "reports", "pictures", "platform", "core"], True),
    "tools": (["tools", "core/base/Text.h"], True),  # the generators decode UTF-8 as the program does
    "fuzz": (["fuzz", "core", "platform", "pictures", "reports"], True),
    "bench": (["bench", "core", "platform", "pictures", "reports", "ui", "tests/pictures"], True),
    "tests": (["tests", "core", "platform", "pictures", "reports", "ui", "tools"], True),
}
QUOTED = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
QT = re.compile(r"^\s*#\s*include\s*<(Q[A-Za-z0-9_]*|Qt[A-Za-z]*/[^>]*|q[a-z0-9_]*\.h)>")


def under(path, folder):
    return path == folder or path.startswith(folder + "/")


def folder_of(path):
    return max((f for f in RULES if under(path, f)), key=len, default=None)


def cycles():
    """Rules that let two folders include each other, directly or round a loop."""
    def reach(folder):
        return {f for f in RULES if f != folder and not under(folder, f)
                and any(under(f, a) or under(a, f) for a in RULES[folder][0])}
    edges = {f: reach(f) for f in RULES}
    found, state = [], {}

    def visit(f, path):
        state[f] = "open"
        for g in sorted(edges[f]):
            if state.get(g) == "open":
                found.append(" -> ".join(path[path.index(g):] + [g]) + ": the include rules form a loop")
            elif g not in state:
                visit(g, path + [g])
        state[f] = "done"

    for f in sorted(RULES):
        if f not in state:
            visit(f, [f])
    return found


def check(repo):
    faults = cycles()
    for top in sorted({f.split("/")[0] for f in RULES}):
        for dirpath, dirnames, filenames in os.walk(os.path.join(repo, top)):
            dirnames.sort()
            for name in sorted(filenames):
                if name.endswith((".h", ".cpp")):
                    rel = os.path.relpath(os.path.join(dirpath, name), repo).replace(os.sep, "/")
                    faults += check_file(repo, rel)
    return faults


def check_file(repo, rel):
    faults = []
    folder = folder_of(rel)
    allowed, qt = RULES[folder]
    with open(os.path.join(repo, rel), encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            where = f"{rel}:{number}: {line.strip()}"
            if not qt and QT.match(line):
                faults.append(f"{where}: {folder}/ includes no Qt")
            m = QUOTED.match(line)
            if not m:
                continue
            target = m.group(1)
            beside = os.path.normpath(os.path.join(os.path.dirname(rel), target)).replace(os.sep, "/")
            rooted = os.path.isfile(os.path.join(repo, target))
            if os.path.isfile(os.path.join(repo, beside)) and beside != target:
                faults.append(f"{where}: names {beside} from its own folder; write its path from the repository root")
            elif rooted and not any(under(target, a) for a in allowed):
                faults.append(f"{where}: {folder}/ may include only {', '.join(a + '/' for a in allowed)}")
    return faults


if __name__ == "__main__":
    found = check(os.path.realpath(sys.argv[1] if len(sys.argv) > 1 else "."))
    print("\n".join(found) if found else "includes: every rule holds")
    sys.exit(1 if found else 0)
