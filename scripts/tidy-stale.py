#!/usr/bin/env python3
"""Remembers which translation units clang-tidy passed, so that lint checks again
only what has changed since.

    tidy-stale.py BUILD_DIR UNIT...           prints the units not known to pass
    tidy-stale.py BUILD_DIR --record UNIT...  notes that these units passed

A unit's key is a hash of clang-tidy's version, the .clang-tidy file, the
unit's compile command and the contents of every file of this repository that
the unit's last compilation in BUILD_DIR read (its depfile): a change to any
header it includes makes it stale. System headers are left out of the key;
they change with clang-tidy's own packages, whose version is in it. A unit
without a depfile is always stale.
"""
import hashlib
import json
import os
import shlex
import subprocess
import sys


def depfile_of(entry):
    words = shlex.split(entry["command"])
    output = words[words.index("-o") + 1]
    return os.path.join(entry["directory"], output + ".d")


def dependencies(depfile, base, root):
    """The files of this repository in a depfile, whose paths are relative to
    the folder the compiler ran in."""
    with open(depfile, encoding="utf-8") as f:
        text = f.read().replace("\\\n", " ")
    _, _, deps = text.partition(": ")
    for dep in deps.split():
        path = os.path.normpath(os.path.join(base, dep))
        if path.startswith(root + os.sep):
            yield path


def key_of(unit, entry, common, root):
    depfile = depfile_of(entry)
    if not os.path.exists(depfile):
        return None
    digest = hashlib.sha256(common)
    digest.update(entry["command"].encode())
    for path in sorted(set(dependencies(depfile, entry["directory"], root)) | {unit}):
        digest.update(path.encode() + b"\0")
        try:
            with open(path, "rb") as f:
                digest.update(f.read())
        except OSError:
            return None
    return digest.hexdigest()


def main():
    build, args = sys.argv[1], sys.argv[2:]
    record = args[:1] == ["--record"]
    units = args[1:] if record else args
    root = os.getcwd()
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as f:
        entries = {os.path.normpath(e["file"]): e for e in json.load(f)}
    version = subprocess.run(["clang-tidy", "--version"], capture_output=True, check=True).stdout
    with open(".clang-tidy", "rb") as f:
        common = version + f.read()
    passed = os.path.join(build, "tidy-passed")
    os.makedirs(passed, exist_ok=True)
    for unit in units:
        path = os.path.join(root, unit)
        entry = entries.get(path)
        key = key_of(path, entry, common, root) if entry else None
        if record:
            if key:
                open(os.path.join(passed, key), "w").close()
        elif not key or not os.path.exists(os.path.join(passed, key)):
            print(unit)


main()
