#!/usr/bin/env python3
"""Draws the program's icon and its three 16x16 tree images.

Writes folder.png, document.png and box.png (16x16, 8-bit RGBA) and
quellkiste.ico (16, 32 and 48 pixels, 32-bit DIB entries) next to this
script. Only the standard library is used: shapes are filled on a canvas four
times the target size and averaged down, which smooths the slanted edges.

Run it again after changing a drawing and commit the results.
"""
import os
import struct
import zlib

SUPER = 4


class Canvas:
    """Shapes in coordinates from 0 to 1 across the image, drawn in order."""

    def __init__(self, size):
        self.size = size
        self.n = size * SUPER
        self.px = [(0, 0, 0, 0)] * (self.n * self.n)

    def polygon(self, points, colour):
        n = self.n
        pts = [(x * n, y * n) for x, y in points]
        ys = [p[1] for p in pts]
        for row in range(max(0, int(min(ys))), min(n, int(max(ys)) + 1)):
            cy = row + 0.5
            crossings = []
            for i, (x0, y0) in enumerate(pts):
                x1, y1 = pts[(i + 1) % len(pts)]
                if (y0 <= cy < y1) or (y1 <= cy < y0):
                    crossings.append(x0 + (cy - y0) * (x1 - x0) / (y1 - y0))
            crossings.sort()
            for a, b in zip(crossings[0::2], crossings[1::2]):
                for col in range(max(0, int(a + 0.5)), min(n, int(b + 0.5))):
                    self.px[row * n + col] = colour

    def rect(self, x0, y0, x1, y1, colour):
        self.polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], colour)

    def line(self, x0, y0, x1, y1, width, colour):
        dx, dy = x1 - x0, y1 - y0
        length = (dx * dx + dy * dy) ** 0.5
        ox, oy = -dy / length * width / 2, dx / length * width / 2
        ex, ey = dx / length * width / 2, dy / length * width / 2
        self.polygon([(x0 - ex + ox, y0 - ey + oy), (x1 + ex + ox, y1 + ey + oy),
                      (x1 + ex - ox, y1 + ey - oy), (x0 - ex - ox, y0 - ey - oy)], colour)

    def outline(self, points, width, colour):
        for i, (x0, y0) in enumerate(points):
            x1, y1 = points[(i + 1) % len(points)]
            self.line(x0, y0, x1, y1, width, colour)

    def rgba(self):
        """Rows top to bottom, 4 bytes a pixel, straight (not premultiplied) alpha."""
        out = bytearray()
        n, s = self.n, self.size
        for y in range(s):
            for x in range(s):
                r = g = b = a = 0
                for sy in range(SUPER):
                    for sx in range(SUPER):
                        pr, pg, pb, pa = self.px[(y * SUPER + sy) * n + x * SUPER + sx]
                        r += pr * pa
                        g += pg * pa
                        b += pb * pa
                        a += pa
                if a:
                    out += bytes((r // a, g // a, b // a, a // (SUPER * SUPER)))
                else:
                    out += bytes(4)
        return bytes(out)


OPAQUE = 255


def rgb(r, g, b):
    return (r, g, b, OPAQUE)


def folder(c):
    px = 1 / 16
    edge = rgb(150, 104, 24)
    c.polygon([(1 * px, 3 * px), (6 * px, 3 * px), (7.5 * px, 4.5 * px), (15 * px, 4.5 * px),
               (15 * px, 14 * px), (1 * px, 14 * px)], edge)
    c.polygon([(2 * px, 4 * px), (5.6 * px, 4 * px), (7.1 * px, 5.5 * px), (14 * px, 5.5 * px),
               (14 * px, 13 * px), (2 * px, 13 * px)], rgb(222, 172, 58))
    c.polygon([(1 * px, 7 * px), (15 * px, 7 * px), (15 * px, 14 * px), (1 * px, 14 * px)], edge)
    c.rect(2 * px, 8 * px, 14 * px, 13 * px, rgb(250, 210, 96))
    c.rect(2 * px, 8 * px, 14 * px, 9 * px, rgb(255, 232, 150))


def document(c):
    px = 1 / 16
    edge = rgb(96, 104, 120)
    page = [(3 * px, 1 * px), (10 * px, 1 * px), (13 * px, 4 * px), (13 * px, 15 * px),
            (3 * px, 15 * px)]
    c.polygon(page, edge)
    c.polygon([(4 * px, 2 * px), (9.6 * px, 2 * px), (12 * px, 4.4 * px), (12 * px, 14 * px),
               (4 * px, 14 * px)], rgb(255, 255, 255))
    c.polygon([(9 * px, 1 * px), (10 * px, 1 * px), (13 * px, 4 * px), (13 * px, 5 * px),
               (9 * px, 5 * px)], edge)
    c.polygon([(10 * px, 2.4 * px), (11.6 * px, 4 * px), (10 * px, 4 * px)], rgb(214, 220, 232))
    for row, right in ((6, 11), (8, 10), (10, 11), (12, 9)):
        c.rect(5 * px, row * px, right * px, (row + 1) * px, rgb(64, 108, 176))


def crate(c):
    front = [(0.06, 0.34), (0.68, 0.34), (0.68, 0.94), (0.06, 0.94)]
    top = [(0.06, 0.34), (0.32, 0.08), (0.94, 0.08), (0.68, 0.34)]
    side = [(0.68, 0.34), (0.94, 0.08), (0.94, 0.68), (0.68, 0.94)]
    c.polygon(front, rgb(200, 142, 70))
    c.polygon(top, rgb(232, 186, 112))
    c.polygon(side, rgb(156, 104, 50))
    wood = rgb(96, 58, 24)
    w = max(1.0 / c.size, 0.06)
    # Planks across the front and the side, and one brace on the front.
    for t in (0.54, 0.74):
        c.line(0.06, t, 0.68, t, w * 0.8, wood)
        c.line(0.68, t, 0.94, t - 0.26, w * 0.8, wood)
    c.line(0.10, 0.90, 0.64, 0.38, w * 0.8, wood)
    c.outline(front, w, wood)
    c.outline(top, w, wood)
    c.outline(side, w, wood)


def png(width, height, rgba):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + rgba[y * width * 4:(y + 1) * width * 4] for y in range(height))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib_entry(size, rgba):
    """A 32-bit BGRA icon image, rows bottom to top, with an all-clear AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in reversed(range(size)):
        row = bytearray()
        for x in range(size):
            r, g, b, a = rgba[(y * size + x) * 4:(y * size + x) * 4 + 4]
            row += bytes((b, g, r, a))
        rows.append(bytes(row))
    mask_stride = ((size + 31) // 32) * 4
    return header + b"".join(rows) + bytes(mask_stride * size)


def ico(sizes):
    images = []
    for size in sizes:
        c = Canvas(size)
        crate(c)
        images.append((size, dib_entry(size, c.rgba())))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in (("folder", folder), ("document", document), ("box", crate)):
        c = Canvas(16)
        draw(c)
        with open(os.path.join(here, name + ".png"), "wb") as f:
            f.write(png(16, 16, c.rgba()))
    with open(os.path.join(here, "quellkiste.ico"), "wb") as f:
        f.write(ico((16, 32, 48)))


if __name__ == "__main__":
    main()
