"""The web app manifest and its icons, from the desktop's icons."""

import json
import pathlib

import png

CAPTION = "１５パズル"  # the window's caption
BLUE = "#0000c0"  # the window's background, rgb(0, 0, 192)
SIZES = (192, 512)


def scaled(width, height, rows, size):
    """The square icon scaled to size: by whole pixels when the factor is a
    whole number (the board's edges stay crisp), else by averaging the area
    each new pixel covers, weighted by opacity."""
    if size % width == 0 and size % height == 0:
        f = size // width
        return [[p for p in row for _ in range(f)] for row in rows for _ in range(f)]
    out = []
    for y in range(size):
        y0, y1 = y * height / size, (y + 1) * height / size
        row = []
        for x in range(size):
            x0, x1 = x * width / size, (x + 1) * width / size
            total = [0.0] * 4
            for sy in range(int(y0), min(height, int(-(-y1 // 1)))):
                wy = min(y1, sy + 1) - max(y0, sy)
                for sx in range(int(x0), min(width, int(-(-x1 // 1)))):
                    w = wy * (min(x1, sx + 1) - max(x0, sx))
                    r, g, b, a = rows[sy][sx]
                    aw = w * a
                    total[0] += r * aw
                    total[1] += g * aw
                    total[2] += b * aw
                    total[3] += aw
            area = (y1 - y0) * (x1 - x0)
            alpha = total[3] / area
            if total[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(c / total[3]) for c in total[:3]) + (round(alpha),))
        out.append(row)
    return out


def _largest_icon(source_root):
    folder = pathlib.Path(source_root) / "packaging" / "icons"
    found = []
    for path in folder.glob("*x*/tembira.png"):
        w, h = (int(n) for n in path.parent.name.split("x"))
        found.append((w * h, path))
    if not found:
        raise SystemExit("No icon under packaging/icons: run packaging/make_icons.sh.")
    return {path.parent.name: path for _, path in found}, max(found)[1]


def make(source_root, out_dir):
    out = pathlib.Path(out_dir)
    (out / "icons").mkdir(parents=True, exist_ok=True)
    by_size, largest = _largest_icon(source_root)
    width, height, rows = png.decode(largest.read_bytes())
    icons = []
    for size in SIZES:
        name = f"icons/icon-{size}.png"
        ready = by_size.get(f"{size}x{size}")
        if ready:
            data = ready.read_bytes()
        else:
            data = png.encode(size, size, scaled(width, height, rows, size))
        (out / name).write_bytes(data)
        icons.append({"src": name, "sizes": f"{size}x{size}", "type": "image/png"})
    svg = pathlib.Path(source_root) / "packaging" / "icons" / "scalable" / "tembira.svg"
    if svg.is_file():
        (out / "icons" / "icon.svg").write_bytes(svg.read_bytes())
        icons.append({"src": "icons/icon.svg", "sizes": "any", "type": "image/svg+xml"})
    manifest = {
        "name": CAPTION,
        "short_name": CAPTION,
        "lang": "ja",
        "start_url": "./",
        "display": "standalone",
        "background_color": BLUE,
        "theme_color": BLUE,
        "icons": icons,
    }
    text = json.dumps(manifest, ensure_ascii=False, indent=2) + "\n"
    (out / "manifest.webmanifest").write_text(text, encoding="utf-8")
