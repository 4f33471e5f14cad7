#!/usr/bin/env python3
"""Draws Brassbell's own pictures: the tab background, the About logo, the window icon and the
Windows program icon.

Run it from this folder after changing a drawing; the PNGs it writes are committed and
compiled into the program (brassbell.qrc), the .ico into the Windows executable (brassbell.rc)."""
import math
import struct
import zlib


def png_bytes(width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(bytes(max(0, min(255, int(round(c)))) for c in pixel(x, y)))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def write_png(path, width, height, pixel):
    with open(path, "wb") as out:
        out.write(png_bytes(width, height, pixel))


def write_ico(path, sizes, pixel_at):
    """An icon file holding one PNG picture per size, each drawn at that size."""
    pictures = [png_bytes(size, size, pixel_at(size)) for size in sizes]
    offset = 6 + 16 * len(sizes)
    entries = b""
    for size, picture in zip(sizes, pictures):
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(picture), offset)
        offset += len(picture)
    with open(path, "wb") as out:
        out.write(struct.pack("<HHH", 0, 1, len(sizes)) + entries + b"".join(pictures))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


BRASS_DARK = (122, 86, 28, 255)
BRASS = (201, 154, 62, 255)
BRASS_LIGHT = (246, 218, 140, 255)
NIGHT = (28, 36, 52, 255)
DUSK = (58, 74, 104, 255)


def bell_inside(u, v):
    """The bell's outline in unit coordinates: u across (-1..1), v down (0..1)."""
    if v < 0.08 or v > 0.86:
        return False
    if v < 0.22:  # the crown
        return abs(u) < 0.22 + (v - 0.08) * 1.2
    flare = 0.42 + 0.18 * (v - 0.22) / 0.5 + (0.3 * ((v - 0.72) / 0.14) ** 2 if v > 0.72 else 0)
    return abs(u) < flare


def bell_colour(u, v):
    shine = max(0.0, 1.0 - abs(u + 0.25) * 2.2)
    base = mix(BRASS_DARK, BRASS, 1.0 - abs(u))
    return mix(base, BRASS_LIGHT, shine * 0.8)


def draw_bell(x, y, left, top, size):
    u = (x - left) / size * 2.0 - 1.0
    v = (y - top) / size
    if bell_inside(u, v):
        return bell_colour(u, v)
    # the clapper below the rim
    if math.hypot(u, (v - 0.9) * 2.0) < 0.1:
        return BRASS_DARK
    return None


def tab_background(x, y):
    # A quiet diagonal brushed-brass pattern that stretches well.
    t = (x + y * 2) / (89 + 86)
    stripe = 0.5 + 0.5 * math.sin((x * 0.7 + y * 1.3))
    return mix(mix((236, 226, 200, 255), (214, 198, 160, 255), t), (226, 214, 182, 255), stripe * 0.3)


def logo(x, y):
    w, h = 259, 175
    sky = mix(DUSK, NIGHT, y / h)
    glow = max(0.0, 1.0 - math.hypot(x - 90, y - 80) / 120)
    pixel = mix(sky, (120, 100, 60, 255), glow * 0.6)
    bell = draw_bell(x, y, 30, 18, 120)
    if bell:
        pixel = bell
    # three sound rings to the right of the bell
    for radius in (28, 44, 60):
        d = math.hypot(x - 150, y - 85)
        if abs(d - radius) < 2.2 and x > 160:
            pixel = mix(pixel, BRASS_LIGHT, 0.85)
    # a brass frame
    if x < 3 or y < 3 or x >= w - 3 or y >= h - 3:
        pixel = BRASS
    return pixel


def icon(x, y):
    bell = draw_bell(x, y, 4, 2, 56)
    if bell:
        return bell
    return (0, 0, 0, 0)


def smooth_icon(size):
    """The icon's drawing at any size, each pixel the mean of 4 x 4 samples so edges stay smooth."""
    def pixel(x, y):
        total = [0.0, 0.0, 0.0, 0.0]
        for sy in range(4):
            for sx in range(4):
                sample = icon((x + (sx + 0.5) / 4) * 64 / size, (y + (sy + 0.5) / 4) * 64 / size)
                alpha = sample[3] / 255
                for i in range(3):
                    total[i] += sample[i] * alpha
                total[3] += sample[3]
        alpha = total[3] / 16
        if alpha == 0:
            return (0, 0, 0, 0)
        return tuple(total[i] / 16 * 255 / alpha for i in range(3)) + (alpha,)
    return pixel


write_png("tab-background.png", 89, 43, tab_background)
write_png("logo.png", 259, 175, logo)
write_png("brassbell-icon.png", 64, 64, icon)
write_ico("brassbell.ico", [16, 24, 32, 48, 64, 256], smooth_icon)
# The sizes a Linux launcher asks for, each drawn at its size.
for size in (48, 128, 256):
    write_png(f"linux/brassbell-{size}.png", size, size, smooth_icon(size))
