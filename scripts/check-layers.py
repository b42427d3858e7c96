#!/usr/bin/env python3
"""Checks that every include of the module runs down its layers.

Sources/ holds one folder per layer; a file may include its own folder's headers and those of the layers
below it, never one above it or beside it on the same level. Names of the kit, the resources and the
standard library are not the module's and are left alone. Sources/Support shares its folder name with the
tests' own Tests/Support, which the tests' include path searches first, so no header may be in both.

    python3 scripts/check-layers.py [ROOT]     # ROOT defaults to the repository

Prints every include that runs the wrong way and one summary line; exits 1 on any finding.
"""
import os
import re
import sys

# The layers, ground up; folders on one line are one level and may not include each other.
LAYERS = [
    ["Platform"],
    ["Support"],
    ["Parsing"],
    ["ProjectWriter"],
    ["Import", "Calculation", "Ifc"],
    ["BulkImport"],
    ["AddOn"],
]
LEVEL = {folder: level for level, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s*["<]([^">]+)[">]')
SOURCE_SUFFIXES = (".cpp", ".hpp", ".h", ".inl")
# Folders of the tests whose "Support/..." headers are searched before the module's.
TEST_SUPPORT_FOLDERS = ["Tests/Support", "Tests/Fuzz/Support"]


def layer_of(path, sources):
    """The layer folder under Sources/ that holds `path`, or None for a path outside it."""
    relative = os.path.relpath(path, sources)
    if relative.startswith(".."):
        return None
    parts = relative.split(os.sep)
    return parts[0] if len(parts) > 1 else ""


def included_layer(name, including_file, sources):
    """The layer an include names: the file beside the includer first, as the compiler looks, then the
    module's include root; a path naming a layer folder counts even when the file is not there."""
    for base in (os.path.dirname(including_file), sources):
        candidate = os.path.normpath(os.path.join(base, name))
        if os.path.isfile(candidate):
            return layer_of(candidate, sources)
    first = name.replace("\\", "/").split("/")[0]
    return first if first in LEVEL and "/" in name else None


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
    sources = os.path.join(root, "Sources")
    findings = []
    files = 0
    includes = 0
    for folder, _, names in sorted(os.walk(sources)):
        for file_name in sorted(names):
            if not file_name.endswith(SOURCE_SUFFIXES):
                continue
            path = os.path.join(folder, file_name)
            shown = os.path.relpath(path, root)
            own = layer_of(path, sources)
            files += 1
            if own not in LEVEL:
                findings.append(f"{shown}: the folder {own or 'Sources/'} is not one of the layers")
                continue
            with open(path, encoding="utf-8", errors="replace") as text:
                for number, line in enumerate(text, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    target = included_layer(match.group(1), path, sources)
                    if target is None or target == own:
                        continue
                    includes += 1
                    if target not in LEVEL:
                        findings.append(f"{shown}:{number}: includes {match.group(1)}, outside every layer")
                    elif LEVEL[target] >= LEVEL[own]:
                        where = "beside" if LEVEL[target] == LEVEL[own] else "above"
                        findings.append(f"{shown}:{number}: {own} includes {match.group(1)}, {where} it")

    module_support = os.path.join(sources, "Support")
    module_headers = set(os.listdir(module_support)) if os.path.isdir(module_support) else set()
    for test_folder in TEST_SUPPORT_FOLDERS:
        folder = os.path.join(root, test_folder)
        if os.path.isdir(folder):
            for name in sorted(module_headers & set(os.listdir(folder))):
                findings.append(f"{test_folder}/{name}: hides Sources/Support/{name} from the tests")

    for finding in findings:
        print(finding)
    order = " < ".join("/".join(folders) for folders in LAYERS)
    if findings:
        print(f"check-layers: {len(findings)} finding(s) in {files} files ({order})")
        return 1
    print(f"check-layers: {includes} includes across layers in {files} files all run down ({order})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
