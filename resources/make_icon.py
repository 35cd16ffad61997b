#!/usr/bin/env python3
"""Draws the "SKELV" program icon (a scanned bar code) and writes it as an .ico file."""
import struct
import sys

# Bar pattern across the label, 1 = black bar.
BARS = [1, 0, 1, 1, 0, 1, 0, 0, 1, 1, 1, 0, 1, 0, 1, 1, 0, 0, 1, 0, 1]
FRAME = (0x79, 0x4E, 0x1F, 0xFF)   # dark blue, BGRA
LABEL = (0xFF, 0xFF, 0xFF, 0xFF)
BAR = (0x20, 0x20, 0x20, 0xFF)
BEAM = (0x30, 0x30, 0xE8, 0xFF)    # red laser line
CLEAR = (0, 0, 0, 0)


def pixel(x, y, size):
    u = (x + 0.5) / size
    v = (y + 0.5) / size
    corner = 0.18
    cu = min(max(u, corner), 1 - corner)
    cv = min(max(v, corner), 1 - corner)
    if u < 0.03 or u > 0.97 or v < 0.03 or v > 0.97:
        return CLEAR
    if (u - cu) ** 2 + (v - cv) ** 2 > (corner - 0.03) ** 2:
        return CLEAR
    if 0.44 <= v <= 0.56 and 0.08 <= u <= 0.92:
        return BEAM
    if 0.14 <= u < 0.86 and 0.2 <= v <= 0.8:
        bar = BARS[int((u - 0.14) / 0.72 * len(BARS))]
        return BAR if bar and 0.26 <= v <= 0.74 else LABEL
    return FRAME


def image(size):
    rows = [[pixel(x, y, size) for x in range(size)] for y in range(size)]
    colour = b"".join(bytes(p) for row in reversed(rows) for p in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + bytes(mask)


def main(path):
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])
