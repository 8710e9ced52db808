#!/usr/bin/python3
"""The web edition's static files, as make_assets.py wrote them into OUT_DIR:
the cut fonts hold every character the game shows and no other, the
pictures are the desktop's pixel for pixel, the manifest names icons that
are there, and a second run gives the same bytes.

    python3 tests/web/assets_test.py OUT_DIR"""

import filecmp
import gzip
import importlib
import json
import os
import pathlib
import struct
import subprocess
import sys
import tempfile
import unittest

# fontTools is Debian's, for Debian's Python; another python3 may come first.
try:
    importlib.import_module("fontTools")
except ImportError:
    if sys.executable != "/usr/bin/python3":
        os.execv("/usr/bin/python3", ["/usr/bin/python3", __file__, *sys.argv[1:]])
    raise

ROOT = pathlib.Path(__file__).resolve().parents[2]
TOOL = ROOT / "web/assets"
sys.dont_write_bytecode = True
sys.path.insert(0, str(TOOL))

import png  # noqa: E402
import shown_text  # noqa: E402
from fontTools.ttLib import TTFont  # noqa: E402

if len(sys.argv) < 2 or not pathlib.Path(sys.argv[1]).is_dir():
    sys.exit("usage: " + __doc__.splitlines()[-1].strip())
OUT = pathlib.Path(sys.argv.pop(1))
BUDGET = 600 * 1024  # gzip, for the whole page


def source_size(data):
    """Width and height of a BMP, or of an ICO's largest image."""
    if data[:2] == b"BM":
        return struct.unpack_from("<ii", data, 18)
    entries = [data[6 + 16 * i : 8 + 16 * i] for i in range(data[4])]
    return max(((w or 256), (h or 256)) for w, h in entries)


def source_pixel(data, x, y):
    """(r, g, b, a) at x, y (top left first) of an 8-bit palettised BMP, or
    of the largest image of an ICO, read straight from the file."""
    in_icon = data[:2] != b"BM"
    if in_icon:
        largest = max(range(data[4]), key=lambda i: (data[6 + 16 * i] or 256) * data[7 + 16 * i])
        dib = struct.unpack_from("<I", data, 6 + 16 * largest + 12)[0]
    else:
        dib = 14
    size, width, height, _, bits = struct.unpack_from("<IiiHH", data, dib)
    assert bits == 8, "the game's pictures are 8-bit palettised"
    colours = struct.unpack_from("<I", data, dib + 32)[0] or 256
    if in_icon:
        height //= 2
        pixels = dib + size + 4 * colours
    else:
        pixels = struct.unpack_from("<I", data, 10)[0]
    stride = (width + 3) // 4 * 4
    row = height - 1 - y
    i = data[pixels + row * stride + x]
    b, g, r = data[dib + size + 4 * i : dib + size + 4 * i + 3]
    if in_icon:
        mask = pixels + stride * height + row * ((width + 31) // 32 * 4)
        if data[mask + x // 8] >> (7 - x % 8) & 1:
            return (0, 0, 0, 0)
    return (r, g, b, 255)


class Fonts(unittest.TestCase):
    def test_each_face_holds_what_the_game_shows_and_nothing_else(self):
        shown = shown_text.shown_characters(ROOT)
        # Texts the scan must find, whatever else it finds.
        for text in ("完成", "まだです", "ｸﾛｷﾉﾎﾞﾘｶﾝｶﾞﾙｰ", "解いて見せる", "１５パズル", "終了", "09:41"):
            self.assertLessEqual(set(text), set(shown), text)
        for name in ("mincho", "gothic"):
            cmap = TTFont(OUT / "fonts" / f"{name}.woff2")["cmap"].getBestCmap()
            self.assertEqual(set(map(chr, cmap)), set(shown), name)
            self.assertNotIn(ord("鬱"), cmap)
        css = (OUT / "fonts/fonts.css").read_text(encoding="utf-8")
        self.assertIn('font-family: "ＭＳ Ｐ明朝";\n  src: url("mincho.woff2")', css)
        self.assertIn('font-family: "ＭＳ Ｐゴシック";\n  src: url("gothic.woff2")', css)
        self.assertEqual(css.count("font-display: block;"), 2)

    def test_no_other_source_of_the_page_holds_a_word_the_fonts_lack(self):
        # The words live in the files the scan names; a word written anywhere
        # else in what the page is built from would show as a missing glyph.
        shown = set(shown_text.shown_characters(ROOT))
        for folder in ("platform", "form", "board", "setup", "shell", "judge", "app", "web"):
            for path in sorted((ROOT / folder).rglob("*")):
                if path.suffix not in (".cpp", ".h", ".js", ".html") or "assets" in path.parts:
                    continue
                for literal in shown_text.literals_of(path):
                    missing = {ch for ch in literal if ord(ch) > 0x7E} - shown
                    self.assertFalse(missing, f"{path.relative_to(ROOT)}: {literal!r}")

    def test_the_scan_fails_on_a_missing_source(self):
        with self.assertRaises(FileNotFoundError):
            shown_text.shown_characters(ROOT / "no such folder")

    def test_the_scan_reads_literals_not_comments(self):
        source = (
            '// 鬱 in a comment\n/* 鬱 */ int n = 1\'000; char c = \'"\';\n'
            'auto a = "完\\"成"; auto b = u8R"x(ま"だ)x"; auto d = "\\u7d42";\n'
        )
        found = "".join(shown_text._cpp_literals(source))
        self.assertEqual({ch for ch in found if ord(ch) > 0x7E}, set("完成まだ終"))


class Pictures(unittest.TestCase):
    def test_each_picture_is_the_desktops_pixel_for_pixel(self):
        for name in ("opening.bmp", "reward1.bmp", "reward2.bmp", "reward3.bmp", "icon.ico"):
            data = (ROOT / "assets" / name).read_bytes()
            width, height, rows = png.decode((OUT / "pictures" / (name[:-4] + ".png")).read_bytes())
            self.assertEqual((width, height), source_size(data), name)
            for y in range(height):
                for x in range(width):
                    if rows[y][x] != source_pixel(data, x, y):
                        self.fail(f"{name} differs at {x}, {y}")


class Manifest(unittest.TestCase):
    def test_the_manifest_names_icons_of_the_sizes_it_says(self):
        manifest = json.loads((OUT / "manifest.webmanifest").read_text(encoding="utf-8"))
        self.assertEqual((manifest["name"], manifest["lang"]), ("１５パズル", "ja"))
        self.assertEqual(manifest["theme_color"], "#0000c0")
        sizes = set()
        for icon in manifest["icons"]:
            path = OUT / icon["src"]
            self.assertTrue(path.is_file(), icon["src"])
            if icon["type"] == "image/png":
                width, height, _ = png.decode(path.read_bytes())
                self.assertEqual(icon["sizes"], f"{width}x{height}")
                sizes.add(width)
        self.assertLessEqual({192, 512}, sizes)


class Whole(unittest.TestCase):
    def test_a_second_run_gives_the_same_bytes(self):
        with tempfile.TemporaryDirectory() as again:
            subprocess.run(
                [sys.executable, TOOL / "make_assets.py", "--source", ROOT, "--out", again],
                check=True,
            )
            def files(root):
                return sorted(p.relative_to(root) for p in root.rglob("*") if p.is_file())

            # The build folder holds more than the assets: compare what the
            # second run wrote.
            made = files(pathlib.Path(again))
            self.assertTrue(made)
            for name in made:
                self.assertTrue(filecmp.cmp(OUT / name, pathlib.Path(again) / name, False), name)

    def test_the_files_fit_the_page_budget(self):
        total = 0
        for folder in ("fonts", "pictures", "icons"):
            for path in sorted((OUT / folder).rglob("*")):
                if path.is_file():
                    size = len(gzip.compress(path.read_bytes(), 9, mtime=0))
                    print(f"{path.relative_to(OUT)}: {path.stat().st_size} B, {size} B gzip")
                    total += size
        print(f"fonts, pictures and icons: {total} B gzip")
        self.assertLess(total, BUDGET)


if __name__ == "__main__":
    unittest.main()
