"""Reading the game's Windows pictures: uncompressed BMPs and the device-
independent bitmaps inside an ICO, as rows of (r, g, b, a)."""

import struct


class Picture:
    def __init__(self, width, height, rows, palettised):
        self.width, self.height = width, height
        self.rows = rows  # top row first, each a list of (r, g, b, a)
        self.palettised = palettised


def _dib(data, offset, pixel_offset=None, in_icon=False):
    (size, width, height, planes, bits, compression) = struct.unpack_from("<IiiHHI", data, offset)
    if compression != 0 or bits not in (1, 4, 8, 24, 32):
        raise ValueError(f"unsupported bitmap: {bits} bits per pixel, compression {compression}")
    colours_used = struct.unpack_from("<I", data, offset + 32)[0]
    bottom_up = height > 0
    height = abs(height)
    if in_icon:
        height //= 2  # the colour image and the AND mask stacked
    palette = []
    if bits <= 8:
        count = colours_used or 1 << bits
        at = offset + size
        for i in range(count):
            b, g, r = data[at + 4 * i : at + 4 * i + 3]
            palette.append((r, g, b, 255))
        if pixel_offset is None:
            pixel_offset = at + 4 * count
    elif pixel_offset is None:
        pixel_offset = offset + size
    stride = (width * bits + 31) // 32 * 4
    rows = []
    for y in range(height):
        start = pixel_offset + stride * (height - 1 - y if bottom_up else y)
        line = data[start : start + stride]
        if bits == 24:
            row = [(line[3 * x + 2], line[3 * x + 1], line[3 * x], 255) for x in range(width)]
        elif bits == 32:
            row = [
                (line[4 * x + 2], line[4 * x + 1], line[4 * x], line[4 * x + 3])
                for x in range(width)
            ]
        else:
            per_byte = 8 // bits
            mask = (1 << bits) - 1
            row = [
                palette[(line[x // per_byte] >> (8 - bits * (x % per_byte + 1))) & mask]
                for x in range(width)
            ]
        rows.append(row)
    if in_icon and bits != 32:
        mask_stride = (width + 31) // 32 * 4
        mask_offset = pixel_offset + stride * height
        for y in range(height):
            start = mask_offset + mask_stride * (height - 1 - y if bottom_up else y)
            for x in range(width):
                if data[start + x // 8] >> (7 - x % 8) & 1:
                    rows[y][x] = (0, 0, 0, 0)
    return Picture(width, height, rows, bits <= 8)


def read_bmp(data):
    if data[:2] != b"BM":
        raise ValueError("not a BMP")
    pixel_offset = struct.unpack_from("<I", data, 10)[0]
    return _dib(data, 14, pixel_offset)


def read_ico_largest(data):
    """The icon's largest image, as the desktop shows it at its largest."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1:
        raise ValueError("not an ICO")
    best = None
    for i in range(count):
        w, h, _, _, _, _, _, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        area = (w or 256) * (h or 256)
        if best is None or area > best[0]:
            best = (area, offset)
    offset = best[1]
    if data[offset : offset + 8] == b"\x89PNG\r\n\x1a\n":
        raise ValueError("PNG images inside an ICO are not read here")
    return _dib(data, offset, in_icon=True)
