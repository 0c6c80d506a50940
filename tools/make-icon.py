#!/usr/bin/env python3
"""Draws Tandrel's application icon and writes it as a Windows .ico file.

Each image in the file is PNG-compressed, as Windows reads icons since Vista:
a sixth of the size of plain 32-bit bitmaps inside the executable.

The picture: a clock face with its hands at nine o'clock and a red power
badge in the lower right corner. Every size is drawn on its own (with
anti-aliasing by 4x4 supersampling) so that 16x16 stays readable.

    make-icon.py <output.ico> [--png-dir <folder>]

Only the standard library is used; --png-dir also writes each size as PNG,
for looking at it.
"""

import math
import struct
import sys
import zlib

RIM = (0x1F, 0x4E, 0x8C)
FACE = (0xFB, 0xFC, 0xFE)
HAND = (0x1B, 0x24, 0x30)
BADGE = (0xD9, 0x2B, 0x2B)
BADGE_EDGE = (0xFF, 0xFF, 0xFF)
SYMBOL = (0xFF, 0xFF, 0xFF)

SAMPLES = 4


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_outer, r_inner, gap_half_angle=0.0):
    """A ring; with a gap (radians each side of straight up) it is an open arc."""
    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not (r_inner * r_inner <= d2 <= r_outer * r_outer):
            return False
        if gap_half_angle > 0.0:
            angle_from_up = math.atan2(x - cx, cy - y)
            if abs(angle_from_up) < gap_half_angle:
                return False
        return True
    return inside


def capsule(x0, y0, x1, y1, half_width):
    """A thick line with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / length2
        t = max(0.0, min(1.0, t))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= half_width * half_width
    return inside


def hand(cx, cy, hours_on_dial, length, half_width):
    angle = hours_on_dial / 12.0 * 2.0 * math.pi
    return capsule(cx, cy, cx + length * math.sin(angle), cy - length * math.cos(angle), half_width)


def layers_for(size):
    """Shapes in pixel coordinates, painted in order. The small size has its
    own proportions: whole-pixel strokes on the pixel grid."""
    s = float(size)
    small = size <= 16
    cx = cy = s / 2.0
    radius = s / 2.0 - (0.0 if small else 0.25)
    rim = 1.5 if small else s * 0.085
    layers = [
        (RIM, disc(cx, cy, radius)),
        (FACE, disc(cx, cy, radius - rim)),
    ]
    # Nine o'clock: both hands lie on the pixel grid and keep clear of the badge.
    hand_half = 1.0 if size <= 32 else 2.0
    layers.append((HAND, hand(cx, cy, 9.0, s * (0.25 if small else 0.24) - hand_half, hand_half)))
    layers.append((HAND, hand(cx, cy, 0.0, s * (0.34 if small else 0.32) - hand_half, hand_half)))

    # The power badge overlaps the lower right of the dial.
    # At 16 pixels the symbol's strokes are one pixel wide on pixel centres.
    badge_r = 4.0 if small else s * 0.22
    bx = by = 11.5 if small else s - badge_r - s * 0.02
    layers.append((BADGE_EDGE, disc(bx, by, badge_r + (0.75 if small else s * 0.045))))
    layers.append((BADGE, disc(bx, by, badge_r)))
    arc_r = 2.0 if small else badge_r * 0.55
    stroke = 0.5 if small else badge_r * 0.13
    layers.append((SYMBOL, ring(bx, by, arc_r + stroke, arc_r - stroke, math.radians(40))))
    layers.append((SYMBOL, capsule(bx, by - arc_r - stroke * 1.2, bx, by - (0.0 if small else arc_r * 0.1), stroke)))
    return layers


def render(size):
    """Returns rows of (r, g, b, a) tuples, top row first."""
    layers = layers_for(size)
    pixels = []
    offsets = [(i + 0.5) / SAMPLES for i in range(SAMPLES)]
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for oy in offsets:
                for ox in offsets:
                    x, y = px + ox, py + oy
                    colour = None
                    for paint, inside in layers:
                        if inside(x, y):
                            colour = paint
                    if colour is not None:
                        r += colour[0]
                        g += colour[1]
                        b += colour[2]
                        a += 1.0
            if a > 0:
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / SAMPLES ** 2)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def ico_file(images):
    """images: list of (size, PNG bytes)."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = bytearray()
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + bytes(entries) + b"".join(data for _, data in images)


def png_file(pixels):
    size = len(pixels)
    raw = b"".join(b"\x00" + bytes(c for p in row for c in p) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(argv):
    if len(argv) not in (2, 4) or (len(argv) == 4 and argv[2] != "--png-dir"):
        sys.stderr.write(__doc__)
        return 2
    sizes = (16, 32, 48)
    rendered = {size: render(size) for size in sizes}
    with open(argv[1], "wb") as out:
        out.write(ico_file([(size, png_file(rendered[size])) for size in sizes]))
    if len(argv) == 4:
        for size in sizes:
            with open(f"{argv[3]}/Tandrel-{size}.png", "wb") as out:
                out.write(png_file(rendered[size]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
