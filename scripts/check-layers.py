#!/usr/bin/env python3
"""Checks that every folder includes only the folders of the layers below it, and that the core
and the tools over it include nothing of Qt. Prints each include against the layers and exits 1
when there is one.

    check-layers.py [SOURCE_ROOT]
"""
import pathlib
import re
import sys

# text/ is the lowest layer, of the standard library only: every folder may use it.
CORE = {"text", "language", "richtext", "cipher", "container"}
# Each folder with the folders it may include, from the ground up; richtext/ is a leaf of the
# standard library and the text library that every layer above the core may use.
MAY_USE = {
    "text": set(),
    "language": {"text"},
    "richtext": {"text"},
    "cipher": {"text"},
    "container": {"text", "cipher", "language"},
    # Format 5 over the container layer, with OpenSSL; the browser page is built without it.
    "sealed": {"text", "cipher", "language", "container"},
    "settings": CORE | {"sealed"},
    "mail": CORE | {"sealed", "settings"},
    "app": CORE | {"sealed", "settings", "mail"},
    "dragdrop": CORE | {"sealed", "settings", "mail", "app"},
    "ui": CORE | {"sealed", "settings", "mail", "app", "dragdrop"},
    "program": CORE | {"sealed", "settings", "mail", "app", "dragdrop", "ui"},
    "cli": CORE | {"sealed"},
    "web": CORE,
}
WITHOUT_QT = CORE | {"sealed", "cli", "web"}
PROJECT_INCLUDE = re.compile(r'^\s*#\s*include\s+"([A-Za-z_]+)/')
QT_INCLUDE = re.compile(r"^\s*#\s*include\s+<(Q[A-Za-z]*)")


def upward_includes(root):
    for folder, allowed in MAY_USE.items():
        for source in sorted((root / folder).rglob("*")):
            if source.suffix not in {".cpp", ".h"}:
                continue
            lines = source.read_text(encoding="utf-8", errors="replace").splitlines()
            for number, line in enumerate(lines, 1):
                place = f"{source.relative_to(root)}:{number}"
                used = PROJECT_INCLUDE.match(line)
                if used and used.group(1) in MAY_USE and used.group(1) != folder and used.group(1) not in allowed:
                    yield f"{place}: {folder}/ may not include {used.group(1)}/"
                qt = QT_INCLUDE.match(line)
                if qt and folder in WITHOUT_QT:
                    yield f"{place}: {folder}/ may not include Qt (<{qt.group(1)}>)"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    found = list(upward_includes(root))
    for line in found:
        print(line)
    print(f"{len(found)} include(s) against the layers" if found else "every include keeps to the layers")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
