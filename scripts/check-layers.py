#!/usr/bin/env python3
"""Checks that the libraries under src/ only point down.

Every folder of src/ is one library and one layer. A source file may include
headers of its own folder and of the folders listed below it, and a folder's
CMakeLists.txt may link only those libraries. An include or a link that
points up or across, or a folder missing from the table, fails the check.
Run from anywhere: scripts/check-layers.py [project root].
"""
import pathlib
import re
import sys

# Each layer and what it may use (the README's layout table says why).
LAYERS = {
    "base": set(),
    "calc": {"base"},
    "text": set(),
    "rules": {"text", "base"},
    "dib": set(),
    "win": {"rules", "text", "base"},
    "widgets": {"win", "dib", "base"},
    "err": {"win", "base"},
    "skin": {"widgets", "win", "base"},
    "about": {"skin", "widgets", "win", "base"},
    "mainwindow": {"skin", "widgets", "win", "rules", "text", "calc", "base"},
    "commands": {"mainwindow", "about", "skin", "widgets", "win", "rules", "text", "calc", "base"},
    "app": {"commands", "mainwindow", "about", "skin", "err", "widgets", "win", "dib", "rules", "text",
            "calc", "base"},
}
# Headers from outside src/ that a layer may include by bare name.
RESOURCE_HEADERS = {"ZemResConst.h": {"about", "mainwindow"}, "ShippedHelp.h": {"win"}}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
LINK = re.compile(r"target_link_libraries\(\s*(\S+)([^)]*)\)", re.DOTALL)


def problems(root):
    src = root / "src"
    found = []
    folders = sorted(p.name for p in src.iterdir() if p.is_dir())
    for folder in folders:
        if folder not in LAYERS:
            found.append(f"src/{folder}/ is no layer of the table in {pathlib.Path(__file__).name}")
            continue
        allowed = LAYERS[folder] | {folder}
        for path in sorted((src / folder).glob("*")):
            if path.suffix in (".h", ".cpp"):
                text = path.read_text(encoding="utf-8")
                for include in INCLUDE.findall(text):
                    target = include.split("/")[0] if "/" in include else None
                    where = f"{path.relative_to(root)}: #include \"{include}\""
                    if target is None:
                        if folder not in RESOURCE_HEADERS.get(include, set()):
                            found.append(f"{where} names no layer")
                    elif target not in LAYERS:
                        found.append(f"{where} names no layer")
                    elif target not in allowed:
                        found.append(f"{where} points up or across ({folder} -> {target})")
            elif path.name == "CMakeLists.txt":
                for _, libraries in LINK.findall(path.read_text(encoding="utf-8")):
                    for library in libraries.split():
                        if library in LAYERS and library not in allowed:
                            found.append(f"{path.relative_to(root)}: links {library}, which "
                                         f"points up or across ({folder} -> {library})")
    return found


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
    found = problems(root.resolve())
    for problem in found:
        print(problem)
    if found:
        print(f"check-layers: {len(found)} include(s) or link(s) out of place")
        return 1
    print(f"check-layers: every include and link under src/ points down ({len(LAYERS)} layers)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
