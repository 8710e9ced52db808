"""The two faces of the window, cut down to the characters the game shows."""

import io
import pathlib
import shutil
import subprocess

from fontTools import subset
from fontTools.ttLib import TTFont

# The window's face name, the Debian face that stands in for it on the
# desktop, the package that holds it, its file there, and the name it goes
# by once cut: the IPA licence bars a changed font from the IPA name.
FACES = (
    ("ＭＳ Ｐ明朝", "IPAPMincho", "fonts-ipafont-mincho", "ipamp.ttf", "mincho", "Tembira Mincho"),
    ("ＭＳ Ｐゴシック", "IPAPGothic", "fonts-ipafont-gothic", "ipagp.ttf", "gothic", "Tembira Gothic"),
)

LICENCE_SOURCE = "/usr/share/doc/fonts-ipafont-mincho/copyright"


def find_font(face, package, file_name):
    if shutil.which("fc-match"):
        found = subprocess.run(
            ["fc-match", "-f", "%{file}", face], capture_output=True, text=True, check=False
        ).stdout
        if pathlib.Path(found).name == file_name:
            return pathlib.Path(found)
    for path in sorted(pathlib.Path("/usr/share/fonts").rglob(file_name)):
        return path
    raise SystemExit(f"{face} ({file_name}) is missing: install the Debian package {package}.")


def cut(path, characters, new_family):
    """The woff2 bytes of the font at path holding only the given characters."""
    options = subset.Options()
    options.flavor = "woff2"
    # The TrueType instructions stay: with them Chromium puts the stems of
    # 9 and 12 pt text on whole pixels, without them they blur, for some
    # 15 KB more in all.
    options.hinting = True
    # Horizontal text only, with the features a browser applies unasked;
    # the English names only.
    options.drop_tables += ["vhea", "vmtx"]
    vertical = {"vert", "vrt2", "valt", "vhal", "vkrn", "vpal"}
    options.layout_features = [f for f in options.layout_features if f not in vertical]
    options.name_languages = [0x0409]
    font = TTFont(path, recalcTimestamp=False)
    cutter = subset.Subsetter(options)
    cutter.populate(unicodes=[ord(c) for c in characters])
    cutter.subset(font)
    _rename(font, new_family)
    out = io.BytesIO()
    subset.save_font(font, out, options)
    return out.getvalue()


def _rename(font, family):
    postscript = family.replace(" ", "") + "-Regular"
    names = {1: family, 3: postscript, 4: family, 6: postscript}
    table = font["name"]
    for record in table.names:
        if record.nameID in names:
            record.string = names[record.nameID]
    table.names = [r for r in table.names if r.nameID in range(0, 7)]


def line_metrics(path):
    """The ascent and descent the desktop sets lines with, in % of the em.

    Its text engine takes a font's Windows ascent and descent; a browser
    would take the smaller hhea ones and set the tile numbers some 3 pixels
    lower than the desktop does."""
    font = TTFont(path, lazy=True)
    em = font["head"].unitsPerEm
    os2 = font["OS/2"]
    return (100 * os2.usWinAscent / em, 100 * os2.usWinDescent / em)


def css(faces):
    """faces: (face name, file name, (ascent %, descent %))."""
    rules = []
    for face, file_name, (ascent, descent) in faces:
        rules.append(
            "@font-face {\n"
            f'  font-family: "{face}";\n'
            f'  src: url("{file_name}") format("woff2");\n'
            "  font-display: block;\n"
            f"  ascent-override: {ascent:.4f}%;\n"
            f"  descent-override: {descent:.4f}%;\n"
            "  line-gap-override: 0%;\n"
            "}\n"
        )
    return "\n".join(rules)


def licence_text(cut_from):
    """The IPA Font License, which a changed font must travel with, from
    Debian's copyright file, and where the unchanged fonts are."""
    lines = []
    text = pathlib.Path(LICENCE_SOURCE).read_text(encoding="utf-8")
    for paragraph in text.split("\n\n"):
        first, _, body = paragraph.partition("\n")
        if first.startswith("License: IPA") and body:
            lines = ["" if line.strip() == "." else line[1:] for line in body.splitlines()]
            break
    if not lines:
        raise SystemExit(f"No IPA Font License text in {LICENCE_SOURCE}.")
    head = (
        "mincho.woff2 and gothic.woff2 are cut down from the IPA fonts to the\n"
        "characters this game shows, and renamed as the licence below asks:\n"
        + "".join(f"  {name}: from {source} ({package})\n" for name, source, package in cut_from)
        + "To use the original fonts instead, install those Debian packages (or get\n"
        "the fonts from https://moji.or.jp/ipafont/) and point the src of\n"
        "fonts.css at the original files.\n\n"
    )
    return head + "\n".join(lines).rstrip() + "\n"


def make(characters, out_dir):
    """Writes fonts/ under out_dir."""
    folder = pathlib.Path(out_dir) / "fonts"
    folder.mkdir(parents=True, exist_ok=True)
    cut_from = []
    rules = []
    for face, fc_name, package, file_name, short, family in FACES:
        path = find_font(fc_name, package, file_name)
        (folder / f"{short}.woff2").write_bytes(cut(path, characters, family))
        cut_from.append((f"{short}.woff2", fc_name, package))
        rules.append((face, f"{short}.woff2", line_metrics(path)))
    (folder / "fonts.css").write_text(css(rules), encoding="utf-8")
    (folder / "LICENSE.txt").write_text(licence_text(cut_from), encoding="utf-8")
