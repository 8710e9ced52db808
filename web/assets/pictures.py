"""The pictures the window shows, as PNGs at their own size, pixel for pixel,
and the drawings they were made from, which the page shows on dense screens."""

import pathlib

import bitmaps
import png

# As desktop/binding/CMakeLists.txt embeds them, by the names the game uses.
NAMES = ("icon.ico", "opening.bmp", "reward1.bmp", "reward2.bmp", "reward3.bmp")
# The drawing of each picture the window shows, as assets/README.md tells.
DRAWINGS = {"opening": "opening.svg", "reward1": "animals/anteater.svg",
            "reward2": "animals/tree_kangaroo.svg", "reward3": "animals/okapi.svg"}


def read(path):
    data = pathlib.Path(path).read_bytes()
    return bitmaps.read_ico_largest(data) if path.suffix == ".ico" else bitmaps.read_bmp(data)


def make(source_root, out_dir):
    folder = pathlib.Path(out_dir) / "pictures"
    folder.mkdir(parents=True, exist_ok=True)
    for name in NAMES:
        picture = read(pathlib.Path(source_root) / "assets" / name)
        out = folder / (pathlib.PurePath(name).stem + ".png")
        out.write_bytes(png.encode(picture.width, picture.height, picture.rows))
    for stem, drawing in DRAWINGS.items():
        svg = (pathlib.Path(source_root) / "assets" / drawing).read_bytes()
        (folder / (stem + ".svg")).write_bytes(svg)
