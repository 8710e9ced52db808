"""Writing PNGs: palettised when the picture has at most 256 colours
(transparency included), else RGBA; the same picture always gives the same
bytes."""

import struct
import zlib


def _chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filtered(raw, previous, bpp):
    """The row under whichever filter leaves the smallest sum of bytes taken
    as signed, the usual guess at what deflates best."""
    n = len(raw)
    left = bytes(bpp) + raw[:-bpp] if n else b""
    up_left = bytes(bpp) + previous[:-bpp] if n else b""
    choices = [
        raw,
        bytes((raw[i] - left[i]) & 255 for i in range(n)),
        bytes((raw[i] - previous[i]) & 255 for i in range(n)),
        bytes((raw[i] - (left[i] + previous[i]) // 2) & 255 for i in range(n)),
        bytes((raw[i] - _paeth(left[i], previous[i], up_left[i])) & 255 for i in range(n)),
    ]
    costs = [sum(b if b < 128 else 256 - b for b in row) for row in choices]
    best = costs.index(min(costs))
    return bytes([best]) + choices[best]


def encode(width, height, rows):
    """PNG bytes for rows of (r, g, b, a), top row first."""
    colours = sorted({p for row in rows for p in row}, key=lambda p: (p[3] == 255, p))
    if len(colours) <= 256:
        index = {p: i for i, p in enumerate(colours)}
        bits = next(b for b in (1, 2, 4, 8) if len(colours) <= 1 << b)
        per_byte = 8 // bits
        data = bytearray()
        for row in rows:
            data.append(0)  # palettised rows deflate best unfiltered
            line = bytearray((width + per_byte - 1) // per_byte)
            for x, p in enumerate(row):
                line[x // per_byte] |= index[p] << (8 - bits * (x % per_byte + 1))
            data += line
        header = struct.pack(">IIBBBBB", width, height, bits, 3, 0, 0, 0)
        chunks = [_chunk(b"PLTE", b"".join(bytes(p[:3]) for p in colours))]
        opaque = sum(1 for p in colours if p[3] == 255)
        if opaque < len(colours):
            chunks.append(_chunk(b"tRNS", bytes(p[3] for p in colours[: len(colours) - opaque])))
    else:
        data = bytearray()
        previous = bytes(width * 4)
        for row in rows:
            raw = bytes(c for p in row for c in p)
            data += _filtered(raw, previous, 4)
            previous = raw
        header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
        chunks = []
    return (
        b"\x89PNG\r\n\x1a\n"
        + _chunk(b"IHDR", header)
        + b"".join(chunks)
        + _chunk(b"IDAT", zlib.compress(bytes(data), 9))
        + _chunk(b"IEND", b"")
    )


def decode(data):
    """(width, height, rows of (r, g, b, a)) of a non-interlaced PNG with
    8-bit channels or a palette; enough for the icons read back here."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    at, idat, palette, alpha = 8, b"", [], b""
    while at < len(data):
        length, kind = struct.unpack_from(">I4s", data, at)
        body = data[at + 8 : at + 8 + length]
        at += 12 + length
        if kind == b"IHDR":
            width, height, bits, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = [tuple(body[i : i + 3]) for i in range(0, length, 3)]
        elif kind == b"tRNS":
            alpha = body
        elif kind == b"IDAT":
            idat += body
    if interlace:
        raise ValueError("interlaced PNG")
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    if colour_type != 3 and bits != 8:
        raise ValueError("only 8-bit channels")
    bpp = max(1, channels * bits // 8)
    stride = (width * channels * bits + 7) // 8
    raw = zlib.decompress(idat)
    rows, previous = [], bytes(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1 : start + 1 + stride])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = previous[i]
            c = previous[i - bpp] if i >= bpp else 0
            line[i] = (line[i] + (0, a, b, (a + b) // 2, _paeth(a, b, c))[kind]) & 255
        previous = bytes(line)
        if colour_type == 3:
            per_byte, mask = 8 // bits, (1 << bits) - 1
            indices = [
                (line[x // per_byte] >> (8 - bits * (x % per_byte + 1))) & mask for x in range(width)
            ]
            rows.append([palette[i] + ((alpha[i] if i < len(alpha) else 255),) for i in indices])
        else:
            px = [tuple(line[x * channels : (x + 1) * channels]) for x in range(width)]
            grey = colour_type in (0, 4)
            rows.append([(p[0],) * 3 + p[1:] if grey else p for p in px])
            rows[-1] = [p + (255,) if len(p) == 3 else p for p in rows[-1]]
    return width, height, rows
