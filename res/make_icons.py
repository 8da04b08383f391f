#!/usr/bin/env python3
"""Draws the program's two icons and writes them as .ico files.

usage: make_icons.py OUTPUT_DIR

app.ico  the application icon: an isometric floor tile with a launch arrow (48, 16 px).
map.ico  the .ds1 map document: a page carrying an isometric tile grid (16 to 96 px).

Every size is written twice, as 32-bit colour with alpha and as 256 colours with a mask,
for shells that cannot show alpha. Only the standard library is used and the output is
the same bytes on every run.
"""

import math
import os
import struct
import sys

SUPERSAMPLE = 4  # sample rows per pixel row; x coverage is computed exactly


class Canvas:
    """A square RGBA picture in premultiplied floats; shapes are given in 0..1 units."""

    def __init__(self, size):
        self.size = size
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def fill(self, points, colour):
        """Fills a polygon (non-zero winding) with an anti-aliased edge."""
        n = self.size
        pts = [(x * n, y * n) for x, y in points]
        cover = self._coverage(pts)
        r, g, b = (c / 255.0 for c in colour[:3])
        a = colour[3] / 255.0 if len(colour) > 3 else 1.0
        for i, c in cover.items():
            k = c * a
            if k <= 0.0:
                continue
            p = self.px[i]
            keep = 1.0 - k
            p[0] = r * k + p[0] * keep
            p[1] = g * k + p[1] * keep
            p[2] = b * k + p[2] * keep
            p[3] = k + p[3] * keep

    def _coverage(self, pts):
        n = self.size
        edges = []
        for i in range(len(pts)):
            (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % len(pts)]
            if y0 != y1:
                edges.append((x0, y0, x1, y1, 1 if y1 > y0 else -1))
        cover = {}
        ys = min(p[1] for p in pts)
        ye = max(p[1] for p in pts)
        row0 = max(0, int(ys * SUPERSAMPLE))
        row1 = min(n * SUPERSAMPLE, int(math.ceil(ye * SUPERSAMPLE)))
        weight = 1.0 / SUPERSAMPLE
        for sub in range(row0, row1):
            y = (sub + 0.5) / SUPERSAMPLE
            hits = []
            for x0, y0, x1, y1, d in edges:
                lo, hi = (y0, y1) if y0 < y1 else (y1, y0)
                if lo <= y < hi:
                    hits.append((x0 + (y - y0) * (x1 - x0) / (y1 - y0), d))
            hits.sort()
            winding = 0
            for j in range(len(hits) - 1):
                winding += hits[j][1]
                if winding != 0:
                    self._span(cover, sub // SUPERSAMPLE, hits[j][0], hits[j + 1][0], weight)
        return cover

    def _span(self, cover, row, xa, xb, weight):
        n = self.size
        xa = max(0.0, xa)
        xb = min(float(n), xb)
        if xb <= xa:
            return
        base = row * n
        first = int(xa)
        last = min(n - 1, int(xb))
        for col in range(first, last + 1):
            part = min(xb, col + 1.0) - max(xa, float(col))
            if part > 0.0:
                cover[base + col] = min(1.0, cover.get(base + col, 0.0) + part * weight)

    def line(self, a, b, width, colour):
        """A straight stroke of the given width (in units), cut off flat at both ends."""
        (x0, y0), (x1, y1) = a, b
        length = math.hypot(x1 - x0, y1 - y0)
        if length == 0.0:
            return
        nx = -(y1 - y0) / length * width / 2
        ny = (x1 - x0) / length * width / 2
        self.fill([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)],
                  colour)

    def outline(self, points, width, colour):
        """Strokes a closed polygon along its edges, centred on them, with mitred corners."""
        outer = offset_polygon(points, width / 2)
        inner = offset_polygon(points, -width / 2)
        # The ring is the outer outline with the inner one cut out (opposite winding).
        ring = outer + [outer[0]] + [inner[0]] + list(reversed(inner)) + [inner[0]]
        self.fill(ring, colour)

    def rgba(self):
        """Straight (not premultiplied) 8-bit RGBA rows, top row first."""
        out = []
        for p in self.px:
            a = p[3]
            if a <= 0.0:
                out.append((0, 0, 0, 0))
                continue
            out.append(tuple(to_byte(p[k] / a) for k in range(3)) + (to_byte(a),))
        return out


def to_byte(v):
    return max(0, min(255, int(v * 255.0 + 0.5)))


def offset_polygon(points, d):
    """Moves every edge of a simple polygon outwards by d (inwards when d < 0), mitred."""
    count = len(points)
    area = sum(points[i][0] * points[(i + 1) % count][1] - points[(i + 1) % count][0] * points[i][1]
               for i in range(count))
    sign = 1.0 if area > 0 else -1.0
    lines = []
    for i in range(count):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % count]
        length = math.hypot(x1 - x0, y1 - y0)
        nx, ny = sign * (y1 - y0) / length, -sign * (x1 - x0) / length
        lines.append(((x0 + nx * d, y0 + ny * d), (x1 - x0, y1 - y0)))
    out = []
    for i in range(count):
        (p, r), (q, s) = lines[i - 1], lines[i]
        cross = r[0] * s[1] - r[1] * s[0]
        if abs(cross) < 1e-12:
            out.append(q)
            continue
        t = ((q[0] - p[0]) * s[1] - (q[1] - p[1]) * s[0]) / cross
        out.append((p[0] + t * r[0], p[1] + t * r[1]))
    return out


def lerp(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t)


def diamond(cx, cy, hw, hh):
    return [(cx, cy - hh), (cx + hw, cy), (cx, cy + hh), (cx - hw, cy)]


INK = (32, 40, 48)


def draw_app(size):
    """A raised grass tile seen from the isometric view, and an arrow that sets it going."""
    c = Canvas(size)
    px = 1.0 / size
    stroke = max(1.0, size / 24.0) * px
    top, right, bottom, left = (0.47, 0.10), (0.92, 0.33), (0.47, 0.56), (0.02, 0.33)
    depth = 0.13
    down = lambda p: (p[0], p[1] + depth)
    c.fill([left, bottom, down(bottom), down(left)], (150, 102, 56))
    c.fill([bottom, right, down(right), down(bottom)], (112, 74, 40))
    c.fill([top, right, bottom, left], (96, 178, 80))
    if size >= 32:
        # The tile is a 2 by 2 block of floor cells.
        shade = (70, 146, 60)
        c.line(lerp(top, left, 0.5), lerp(right, bottom, 0.5), stroke, shade)
        c.line(lerp(top, right, 0.5), lerp(left, bottom, 0.5), stroke, shade)
    c.outline([top, right, down(right), down(bottom), down(left), left], stroke, INK)
    c.line(left, bottom, stroke * 0.75, INK)
    c.line(bottom, right, stroke * 0.75, INK)
    c.line(bottom, down(bottom), stroke * 0.75, INK)

    # Launch arrow pointing right, in the lower right corner.
    y0, y1 = (0.60, 0.98) if size >= 32 else (0.50, 1.0)
    mid = (y0 + y1) / 2
    shaft = (y1 - y0) * 0.22
    arrow = [(0.40, mid - shaft), (0.66, mid - shaft), (0.66, y0), (0.98, mid), (0.66, y1),
             (0.66, mid + shaft), (0.40, mid + shaft)]
    c.fill(arrow, (244, 156, 28))
    c.outline(arrow, stroke, INK)
    return c


def draw_map(size):
    """A page with a dog-ear, a title line and an isometric grid of floor cells."""
    c = Canvas(size)
    px = 1.0 / size
    stroke = max(1.0, size / 32.0) * px
    x0, x1, y0, y1 = 0.14, 0.86, 0.03, 0.97
    fold = 0.22
    page = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    c.fill(page, (250, 250, 246))
    c.fill([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], (206, 210, 214))
    c.outline(page, stroke, (72, 80, 92))
    c.line((x1 - fold, y0), (x1 - fold, y0 + fold), stroke * 0.75, (72, 80, 92))
    c.line((x1 - fold, y0 + fold), (x1, y0 + fold), stroke * 0.75, (72, 80, 92))

    if size >= 32:
        bar = max(1.0, size / 24.0) * px
        c.line((x0 + 0.08, 0.14), (x1 - fold - 0.06, 0.14), bar, (120, 130, 150))
        c.line((x0 + 0.08, 0.24), (x1 - fold - 0.02, 0.24), bar, (160, 168, 184))

    # Floor cells: grass with a path of stone and one pool of water.
    cells = 3 if size >= 32 else 2
    cx, cy, hw, hh = 0.5, 0.64 if size >= 32 else 0.60, 0.34, 0.27
    top = (cx, cy - hh)
    ex = (hw / cells, hh / cells)   # one step along the grid's x axis (down-right)
    ey = (-hw / cells, hh / cells)  # one step along its y axis (down-left)
    grass, grass2 = (104, 184, 84), (86, 164, 70)
    stone, water = (176, 170, 156), (70, 140, 214)
    palette = {(1, 0): stone, (1, 1): stone, (1, 2): stone, (2, 2): water}
    if cells == 2:
        palette = {(0, 1): stone, (1, 1): water}
    for i in range(cells):
        for j in range(cells):
            o = (top[0] + ex[0] * i + ey[0] * j, top[1] + ex[1] * i + ey[1] * j)
            quad = [o, (o[0] + ex[0], o[1] + ex[1]), (o[0] + ex[0] + ey[0], o[1] + ex[1] + ey[1]),
                    (o[0] + ey[0], o[1] + ey[1])]
            c.fill(quad, palette.get((i, j), grass if (i + j) % 2 == 0 else grass2))
    grid = (40, 76, 44)
    for k in range(1, cells):
        a = (top[0] + ex[0] * k, top[1] + ex[1] * k)
        c.line(a, (a[0] + ey[0] * cells, a[1] + ey[1] * cells), stroke * 0.75, grid)
        b = (top[0] + ey[0] * k, top[1] + ey[1] * k)
        c.line(b, (b[0] + ex[0] * cells, b[1] + ex[1] * cells), stroke * 0.75, grid)
    c.outline(diamond(cx, cy, hw, hh), stroke, grid)
    return c


# 256-colour images: the picture's 40 most used colours, so that flat areas keep their exact
# colour, and a 6x6x6 colour cube for the anti-aliased edges.
CUBE = [0, 51, 102, 153, 204, 255]


def make_palette(pixels):
    counts = {}
    for r, g, b, a in pixels:
        if a >= 128:
            counts[(r, g, b)] = counts.get((r, g, b), 0) + 1
    common = sorted(counts, key=lambda c: (-counts[c], c))[:40]
    palette = common + [(r, g, b) for r in CUBE for g in CUBE for b in CUBE]
    return palette + [(0, 0, 0)] * (256 - len(palette))


def nearest(palette, colour, cache):
    if colour not in cache:
        cache[colour] = min(range(len(palette)),
                            key=lambda i: sum((p - c) ** 2 for p, c in zip(palette[i], colour)))
    return cache[colour]


def bmp_image(size, pixels, bits):
    """One icon image: BITMAPINFOHEADER, palette, colour rows and mask rows, bottom up."""
    rows = list(range(size - 1, -1, -1))
    colours = b""
    palette = b""
    if bits == 32:
        for y in rows:
            for r, g, b, a in pixels[y * size:(y + 1) * size]:
                colours += bytes((b, g, r, a))
    else:
        colour_table = make_palette(pixels)
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colour_table)
        cache = {}
        stride = (size + 3) & ~3
        for y in rows:
            row = bytearray(stride)
            for x, (r, g, b, a) in enumerate(pixels[y * size:(y + 1) * size]):
                row[x] = nearest(colour_table, (r, g, b), cache) if a >= 128 else 0
            colours += bytes(row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for y in rows:
        row = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(pixels[y * size:(y + 1) * size]):
            if a < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(row)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(colours) + len(mask),
                         0, 0, 256 if bits == 8 else 0, 0)
    return header + palette + colours + mask


def write_ico(path, images):
    """images: (size, bits, data) in directory order."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        dim = size if size < 256 else 0
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, _, data in images)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(out)
    os.replace(tmp, path)


def icon(draw, sizes):
    pictures = [(size, draw(size).rgba()) for size in sizes]
    images = [(size, 32, bmp_image(size, px, 32)) for size, px in pictures]
    images += [(size, 8, bmp_image(size, px, 8)) for size, px in pictures]
    return images


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_icons.py OUTPUT_DIR\n")
        return 2
    os.makedirs(argv[1], exist_ok=True)
    write_ico(os.path.join(argv[1], "app.ico"), icon(draw_app, [48, 16]))
    write_ico(os.path.join(argv[1], "map.ico"), icon(draw_map, [16, 32, 48, 64, 96]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
