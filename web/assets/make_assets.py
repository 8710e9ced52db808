#!/usr/bin/python3
"""Writes the web edition's static files: the two faces cut down to the
characters the game shows, the pictures as PNGs, the manifest and its icons.

    python3 make_assets.py --source SOURCE_ROOT --out OUT_DIR

Needs Debian's python3-fonttools and python3-brotli, and the IPA fonts.
Prints nothing unless something is wrong; the same sources give the same
bytes."""

import argparse
import importlib
import os
import pathlib
import sys

DEBIAN_PYTHON = "/usr/bin/python3"

# The build leaves the source tree as it found it: no __pycache__.
sys.dont_write_bytecode = True
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))

# woff2 needs brotli as well as fontTools. Debian's packages serve Debian's
# Python, which a python3 earlier on the PATH (a virtualenv, pyenv) hides.
for module, package in (("fontTools", "python3-fonttools"), ("brotli", "python3-brotli")):
    try:
        importlib.import_module(module)
    except ImportError:
        if sys.executable != DEBIAN_PYTHON and os.path.exists(DEBIAN_PYTHON):
            os.execv(DEBIAN_PYTHON, [DEBIAN_PYTHON, __file__, *sys.argv[1:]])
        sys.exit(f"{module} is missing: install the Debian package {package}.")

import fonts  # noqa: E402
import manifest  # noqa: E402
import pictures  # noqa: E402
import shown_text  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", required=True, type=pathlib.Path)
    parser.add_argument("--out", required=True, type=pathlib.Path)
    args = parser.parse_args()
    fonts.make(shown_text.shown_characters(args.source), args.out)
    pictures.make(args.source, args.out)
    manifest.make(args.source, args.out)


if __name__ == "__main__":
    main()
