#!/usr/bin/env python3
"""Converts an X window dump (XWD, as Xvfb's -fbdir keeps its screen) to PNG.

usage: xwd-to-png.py SCREEN.xwd OUT.png [X Y WIDTH HEIGHT]
The optional rectangle crops the picture (it is clipped to the screen).
Only the standard library is used.
"""
import struct
import sys
import zlib


def read_xwd(path):
    data = open(path, "rb").read()
    fields = struct.unpack(">25I", data[:100])
    (header_size, version, pixmap_format, depth, width, height, _xoffset, byte_order, _unit, _bit_order,
     _pad, bits_per_pixel, bytes_per_line, _visual, red_mask, green_mask, blue_mask, _bits_rgb,
     _entries, ncolors) = fields[:20]
    if version != 7 or pixmap_format != 2 or bits_per_pixel not in (24, 32):
        raise SystemExit(f"{path}: not a 24/32-bit ZPixmap XWD (version {version}, format {pixmap_format}, "
                         f"{bits_per_pixel} bits a pixel, depth {depth})")
    start = header_size + ncolors * 12
    step = bits_per_pixel // 8
    order = "little" if byte_order == 0 else "big"

    def shift(mask):
        return (mask & -mask).bit_length() - 1

    shifts = [(m, shift(m)) for m in (red_mask, green_mask, blue_mask)]
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line: start + y * bytes_per_line + width * step]
        row = bytearray(width * 3)
        for x in range(width):
            pixel = int.from_bytes(line[x * step:(x + 1) * step], order)
            for c, (mask, s) in enumerate(shifts):
                row[x * 3 + c] = ((pixel & mask) >> s) & 0xFF
        rows.append(bytes(row))
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(b"\x00" + row for row in rows)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


def main(argv):
    if len(argv) not in (3, 7):
        raise SystemExit(__doc__)
    width, height, rows = read_xwd(argv[1])
    if len(argv) == 7:
        x, y, w, h = (int(v) for v in argv[3:7])
        x0, y0 = max(0, x), max(0, y)
        x1, y1 = min(width, x + w), min(height, y + h)
        if x0 < x1 and y0 < y1:
            rows = [row[x0 * 3:x1 * 3] for row in rows[y0:y1]]
            width, height = x1 - x0, y1 - y0
    write_png(argv[2], width, height, rows)


if __name__ == "__main__":
    main(sys.argv)
