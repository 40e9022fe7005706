#!/usr/bin/env python3
"""Draws Kelvarn's icon (a milk drop on a blue tile, with a green tick: milk checked) as
PNG files of the sizes the desktop asks for, with nothing but the standard library.

    src/ui/icons/draw-icon.py      # rewrites kelvarn-16.png ... kelvarn-256.png beside it
"""
import math
import os
import struct
import zlib

SIZES = (16, 24, 32, 48, 64, 128, 256)
SAMPLES = 4  # per pixel and axis

# Shapes in a unit square, y downwards. Each returns whether a point lies inside.


def rounded_square(x, y, left, top, right, bottom, radius):
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius and left <= x <= right and top <= y <= bottom


def drop(x, y, cx, cy, r, tip_y):
    """A drop: a circle and the two tangents from its tip above it."""
    if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
        return True
    d = cy - tip_y
    if not tip_y <= y <= cy:
        return False
    # Tangent points lie at height cy - r*r/d; above them the drop narrows linearly to the tip.
    ty = cy - r * r / d
    if y > ty:
        return False
    half = r * math.sqrt(d * d - r * r) / d  # half width at the tangent points
    return abs(x - cx) <= half * (y - tip_y) / (ty - tip_y)


def circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def stroke(x, y, points, width):
    """A polyline of the given width with round ends."""
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        if (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= (width / 2) ** 2:
            return True
    return False


TICK = [(0.575, 0.715), (0.665, 0.800), (0.820, 0.625)]


def colour(x, y):
    """The colour (r, g, b, a) of one point, the layers painted bottom to top."""
    c = (0, 0, 0, 0)
    if rounded_square(x, y, 0.04, 0.04, 0.96, 0.96, 0.2):
        c = (20, 70, 140, 255)  # the tile's edge
    if rounded_square(x, y, 0.065, 0.065, 0.935, 0.935, 0.175):
        t = (y - 0.065) / 0.87  # lighter at the top
        c = (int(58 - 28 * t), int(128 - 38 * t), int(205 - 45 * t), 255)
    if drop(x, y, 0.42, 0.56, 0.25, 0.10):
        c = (255, 255, 255, 255)
    if circle(x, y, 0.70, 0.70, 0.225):
        c = (255, 255, 255, 255)  # a ring that parts the badge from the drop
    if circle(x, y, 0.70, 0.70, 0.185):
        c = (46, 157, 72, 255)
    if stroke(x, y, TICK, 0.07):
        c = (255, 255, 255, 255)
    return c


def render(size):
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    cr, cg, cb, ca = colour((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    r += cr * ca
                    g += cg * ca
                    b += cb * ca
                    a += ca
            n = SAMPLES * SAMPLES
            if a == 0:
                row += bytes(4)
            else:
                row += bytes((round(r / a), round(g / a), round(b / a), round(a / n)))
        rows.append(bytes(row))
    return rows


def png(size, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = b"".join(b"\0" + row for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for size in SIZES:
        path = os.path.join(folder, "kelvarn-%d.png" % size)
        with open(path, "wb") as out:
            out.write(png(size, render(size)))
        print(path)


if __name__ == "__main__":
    main()
