#!/usr/bin/env python3
"""Fails when a source file includes an area that ARCHITECTURE.md does not allow.

The table under "## Allowed includes" in ARCHITECTURE.md is the one statement
of the rules; this check reads it, so the two cannot drift apart.
"""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")


def allowed_table():
    text = (root / "ARCHITECTURE.md").read_text(encoding="utf-8")
    section = text.split("## Allowed includes", 1)
    if len(section) != 2:
        sys.exit("ARCHITECTURE.md has no '## Allowed includes' section")
    table = {}
    for line in section[1].splitlines():
        if line.startswith("## "):
            break
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        if len(cells) != 2 or not cells[0].startswith("`"):
            continue
        area = cells[0].strip("`").rstrip("/")
        table[area] = set(re.findall(r"`([a-z]+(?:/[a-z*]+)?)/?`", cells[1]))
    return table


def area_of(path):
    parts = path.relative_to(root / "src").parts
    return parts[0] if parts[0] == "cli" else "/".join(parts[:2])


def allowed(area, target, table):
    rules = table[area]
    return target == area or target in rules or (target.startswith("core/") and "core/*" in rules)


def main():
    table = allowed_table()
    include = re.compile(r'^\s*#\s*include\s+"((?:core|gui)/[a-z]+)/')
    faults = []
    for path in sorted((root / "src").rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        area = area_of(path)
        if area not in table:
            faults.append(f"{path.relative_to(root)}: area {area} is not in the table")
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = include.match(line)
            if match and not allowed(area, match.group(1), table):
                faults.append(f"{path.relative_to(root)}:{number}: {area} may not include "
                              f"{match.group(1)}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


sys.exit(main())
