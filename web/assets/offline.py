#!/usr/bin/python3
"""Writes the page's service worker (sw.js) into the web build: the worker
of web/page/sw.js with every file the build serves and the SHA-256 of each,
and the build's name, a hash of that list and the worker.

    python3 offline.py --worker web/page/sw.js --out OUT_DIR [--leave STEM]... [--later GLOB]...

Run after everything else of the page is made: the list is read from the
build folder itself, so that any file the build adds is kept offline too.
Leaves sw.js untouched when nothing changed."""

import argparse
import fnmatch
import hashlib
import json
import pathlib

WORKER = "sw.js"
# What CMake and Ninja keep in the build folder's top; every folder below
# it that CMake builds in holds a cmake_install.cmake.
BUILD_FILES = {"CMakeCache.txt", "build.ninja", "cmake_install.cmake", "CTestTestfile.cmake",
               "compile_commands.json", "install_manifest.txt", "DartConfiguration.tcl"}


def served(out, leave=(), later=()):
    """Every file a static server would serve the page from, as paths
    relative to out, sorted; at the top, none whose stem is in leave, nor
    any that a glob of later matches."""
    found = []

    def walk(folder):
        for entry in sorted(folder.iterdir()):
            if entry.name.startswith("."):
                continue
            if entry.is_dir():
                if entry.name != "CMakeFiles" and not (entry / "cmake_install.cmake").exists():
                    walk(entry)
            elif folder != out or (entry.name not in BUILD_FILES and entry.suffix != ".ninja"
                                   and entry.name != WORKER and entry.stem not in leave
                                   and not any(fnmatch.fnmatch(entry.name, g) for g in later)):
                found.append(entry.relative_to(out).as_posix())

    walk(out)
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--worker", required=True, type=pathlib.Path)
    parser.add_argument("--out", required=True, type=pathlib.Path)
    parser.add_argument("--leave", action="append", default=[],
                        help="the stem of files at the top that are not the page's")
    parser.add_argument("--later", action="append", default=[],
                        help="a glob of files at the top that the page fetches itself, later")
    args = parser.parse_args()
    files = {path: hashlib.sha256((args.out / path).read_bytes()).hexdigest()
             for path in served(args.out, args.leave, args.later)}
    listing = json.dumps(files, indent=2, sort_keys=True)
    worker = args.worker.read_text(encoding="utf-8")
    build = hashlib.sha256((listing + worker).encode()).hexdigest()[:16]
    text = (worker
            .replace("'@BUILD@'", json.dumps(build)).replace("'@FILES@'", listing))
    target = args.out / WORKER
    if not target.exists() or target.read_text(encoding="utf-8") != text:
        target.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
