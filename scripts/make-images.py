#!/usr/bin/python3
"""Draws the program's two pictures into assets/: the window background
(549 x 580 JPEG) and the program icon (one 128 x 128 24-bit image, no palette).

Needs Pillow (Debian: python3-pil). The pictures are committed, so a build never
runs this; it is kept so they can be made again or changed.
"""
import math
import random
import struct
import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter

ASSETS = Path(__file__).resolve().parent.parent / "assets"


def background(width=549, height=580):
    """A dark night-vision scope: deep green-black falloff, a faint grid, range rings
    and a low ridge line. Kept dark so the green labels stay readable on it."""
    rng = random.Random(1040)
    scale = 2  # drawn large, then reduced, for smooth lines
    w, h = width * scale, height * scale
    img = Image.new("RGB", (w, h))
    px = img.load()
    cx, cy = w * 0.62, h * 0.38
    reach = math.hypot(w, h) * 0.6
    for y in range(h):
        for x in range(w):
            d = math.hypot(x - cx, y - cy) / reach
            glow = max(0.0, 1.0 - d) ** 2.2
            px[x, y] = (int(4 + 10 * glow), int(8 + 34 * glow), int(6 + 16 * glow))

    draw = ImageDraw.Draw(img)
    step = 24 * scale
    for x in range(0, w, step):
        draw.line([(x, 0), (x, h)], fill=(10, 30, 16), width=1)
    for y in range(0, h, step):
        draw.line([(0, y), (w, y)], fill=(10, 30, 16), width=1)
    for r in range(60, 900, 90):
        rr = r * scale
        draw.ellipse([cx - rr, cy - rr, cx + rr, cy + rr], outline=(16, 52, 24), width=2 * scale)
    draw.line([(cx, 0), (cx, h)], fill=(18, 58, 26), width=scale)
    draw.line([(0, cy), (w, cy)], fill=(18, 58, 26), width=scale)

    ridge = []
    level = h * 0.8
    for x in range(0, w + 8 * scale, 8 * scale):
        level += rng.uniform(-10, 10) * scale
        level = min(max(level, h * 0.7), h * 0.9)
        ridge.append((x, level))
    draw.polygon(ridge + [(w, h), (0, h)], fill=(3, 10, 5))
    draw.line(ridge, fill=(20, 70, 30), width=2 * scale)

    img = img.filter(ImageFilter.GaussianBlur(0.6 * scale)).resize((width, height), Image.LANCZOS)
    px = img.load()
    for y in range(height):
        shade = 0.88 if y % 2 else 1.0  # scan lines
        for x in range(width):
            r, g, b = px[x, y]
            n = rng.randint(-3, 3)
            px[x, y] = tuple(max(0, min(255, int(c * shade) + n)) for c in (r, g, b))
    return img


def icon_image(size=128):
    """A green scope reticle on a dark round plate."""
    scale = 4
    s = size * scale
    img = Image.new("RGB", (s, s), (0, 0, 0))
    draw = ImageDraw.Draw(img)
    c = s / 2
    for i in range(40, 0, -1):
        r = c * i / 40
        g = int(70 * (1 - i / 40) + 18)
        draw.ellipse([c - r, c - r, c + r, c + r], fill=(4, g, 12))
    draw.ellipse([6 * scale, 6 * scale, s - 6 * scale, s - 6 * scale], outline=(0, 220, 60), width=5 * scale)
    draw.ellipse([c - 30 * scale, c - 30 * scale, c + 30 * scale, c + 30 * scale], outline=(0, 180, 50), width=3 * scale)
    gap, end = 10 * scale, 54 * scale
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        draw.line([(c + dx * gap, c + dy * gap), (c + dx * end, c + dy * end)], fill=(0, 255, 70), width=4 * scale)
    draw.ellipse([c - 4 * scale, c - 4 * scale, c + 4 * scale, c + 4 * scale], fill=(230, 40, 30))
    return img.resize((size, size), Image.LANCZOS)


def write_ico(img, path):
    """One icon entry: a 24-bit BITMAPINFOHEADER image, bottom-up, with its AND mask."""
    w, h = img.size
    row = (w * 3 + 3) & ~3
    pixels = bytearray()
    px = img.load()
    for y in range(h - 1, -1, -1):
        line = bytearray()
        for x in range(w):
            r, g, b = px[x, y]
            line += bytes((b, g, r))
        pixels += line + bytes(row - len(line))
    mask_row = ((w + 31) // 32) * 4
    mask = bytes(mask_row * h)  # all opaque
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 24, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + bytes(pixels) + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 24, len(image), 6 + 16)
    path.write_bytes(directory + entry + image)
    return len(image)


def main():
    ASSETS.mkdir(exist_ok=True)
    background().save(ASSETS / "background.jpg", "JPEG", quality=88, optimize=True, progressive=False)
    size = write_ico(icon_image(), ASSETS / "quorvane.ico")
    print(f"background.jpg {(ASSETS / 'background.jpg').stat().st_size} bytes; icon image {size} bytes")


if __name__ == "__main__":
    sys.exit(main())
