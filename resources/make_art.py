#!/usr/bin/env python3
"""Draws the program's pictures: the wizard's side picture, the modem page's
speed list and the application icon.

    python3 resources/make_art.py        # rewrites side.bmp, modem.bmp, quarnel.ico

Standard library only. Shapes are anti-aliased from coverage masks; text uses
a small embedded bitmap font in the style of the 8 point system dialog font.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# ----------------------------------------------------------------------------
# Bitmap font: cap height 8 px, x-height 6 px, descenders 2 px. Each glyph is a
# list of rows from its top; lower-case glyphs without ascenders start at the
# x-height line (row 2), which the table records as the glyph's top row.
# ----------------------------------------------------------------------------

_GLYPHS = {
    "0": (0, [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."]),
    "1": (0, ["...#.", "..##.", ".#.#.", "...#.", "...#.", "...#.", "...#.", "...#."]),
    "2": (0, [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#....", "#####"]),
    "3": (0, [".###.", "#...#", "....#", "..##.", "....#", "....#", "#...#", ".###."]),
    "4": (0, ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#.", "...#."]),
    "5": (0, ["#####", "#....", "#....", "####.", "....#", "....#", "#...#", ".###."]),
    "6": (0, [".###.", "#...#", "#....", "####.", "#...#", "#...#", "#...#", ".###."]),
    "7": (0, ["#####", "....#", "...#.", "...#.", "..#..", "..#..", ".#...", ".#..."]),
    "8": (0, [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", "#...#", ".###."]),
    "9": (0, [".###.", "#...#", "#...#", "#...#", ".####", "....#", "#...#", ".###."]),
    "M": (0, ["#.....#", "##...##", "##...##", "#.#.#.#", "#.#.#.#", "#..#..#", "#..#..#",
              "#.....#"]),
    "O": (0, ["..###..", ".#...#.", "#.....#", "#.....#", "#.....#", "#.....#", ".#...#.",
              "..###.."]),
    "Q": (0, ["..###..", ".#...#.", "#.....#", "#.....#", "#.....#", "#...#.#", ".#...#.",
              "..###.#"]),
    "P": (0, ["####.", "#...#", "#...#", "#...#", "####.", "#....", "#....", "#...."]),
    "S": (0, [".###.", "#...#", "#....", ".##..", "...#.", "....#", "#...#", ".###."]),
    "a": (2, [".###.", "....#", ".####", "#...#", "#...#", ".####"]),
    "d": (0, ["....#", "....#", ".####", "#...#", "#...#", "#...#", "#...#", ".####"]),
    "e": (2, [".###.", "#...#", "#####", "#....", "#...#", ".###."]),
    "i": (0, ["#", ".", "#", "#", "#", "#", "#", "#"]),
    "k": (0, ["#...", "#...", "#..#", "#.#.", "##..", "##..", "#.#.", "#..#"]),
    "l": (0, ["#", "#", "#", "#", "#", "#", "#", "#"]),
    "m": (2, ["###.##.", "#..#..#", "#..#..#", "#..#..#", "#..#..#", "#..#..#"]),
    "n": (2, ["####.", "#...#", "#...#", "#...#", "#...#", "#...#"]),
    "o": (2, [".###.", "#...#", "#...#", "#...#", "#...#", ".###."]),
    "p": (2, ["####.", "#...#", "#...#", "#...#", "#...#", "####.", "#....", "#...."]),
    "r": (2, ["#.##", "##..", "#...", "#...", "#...", "#..."]),
    "s": (2, [".###", "#...", "##..", "..##", "...#", "###."]),
    "t": (0, [".#.", ".#.", "###", ".#.", ".#.", ".#.", ".#.", "..#"]),
    "u": (2, ["#...#", "#...#", "#...#", "#...#", "#...#", ".####"]),
    "v": (2, ["#...#", "#...#", ".#.#.", ".#.#.", "..#..", "..#.."]),
    "x": (2, ["#...#", ".#.#.", "..#..", "..#..", ".#.#.", "#...#"]),
    " ": (0, ["..."]),
}

DIGIT_ADVANCE = 6  # digits are tabular, as in the system font


def glyph(ch):
    if ch not in _GLYPHS:
        raise KeyError("no glyph for %r" % ch)
    return _GLYPHS[ch]


def text_width(text, bold=False):
    width = 0
    for ch in text:
        top, rows = glyph(ch)
        width += DIGIT_ADVANCE if ch.isdigit() else len(rows[0]) + 1
        if bold and ch != " ":
            width += 1
    return width - 1 if text else 0


# ----------------------------------------------------------------------------
# Canvas: straight (not premultiplied) RGBA floats, colours 0..255, alpha 0..1.
# ----------------------------------------------------------------------------


class Canvas:
    def __init__(self, width, height, color=(0, 0, 0), alpha=1.0):
        self.w = width
        self.h = height
        self.px = [[float(color[0]), float(color[1]), float(color[2]), float(alpha)]
                   for _ in range(width * height)]
        # Hard edges: coverage is rounded to all or nothing (pictures for 16 colours).
        self.hard = False

    def _cover(self, cover):
        if self.hard:
            return 1.0 if cover >= 0.5 else 0.0
        return cover

    def blend(self, x, y, color, alpha):
        if alpha <= 0.0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        alpha = min(alpha, 1.0)
        p = self.px[y * self.w + x]
        out_a = alpha + p[3] * (1.0 - alpha)
        if out_a <= 0.0:
            return
        for i in range(3):
            p[i] = (color[i] * alpha + p[i] * p[3] * (1.0 - alpha)) / out_a
        p[3] = out_a

    def set(self, x, y, color, alpha=1.0):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = [float(color[0]), float(color[1]), float(color[2]),
                                       float(alpha)]

    def get(self, x, y):
        return self.px[y * self.w + x]

    def fill_rect(self, x0, y0, x1, y1, color, alpha=1.0):
        """Fills [x0, x1) x [y0, y1)."""
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.blend(x, y, color, alpha)

    def hline(self, x0, x1, y, color):
        self.fill_rect(x0, y, x1 + 1, y + 1, color)

    def vline(self, x, y0, y1, color):
        self.fill_rect(x, y0, x + 1, y1 + 1, color)

    def paint(self, mask, color, opacity=1.0):
        """Composites a coverage mask (same size as the canvas) in one colour."""
        for i, cover in enumerate(mask.cov):
            cover = self._cover(cover)
            if cover > 0.0:
                self.blend(i % self.w, i // self.w, color, cover * opacity)

    def paint_fn(self, mask, color_at, opacity=1.0):
        """Like paint, with a colour that depends on the position."""
        for i, cover in enumerate(mask.cov):
            cover = self._cover(cover)
            if cover > 0.0:
                x, y = i % self.w, i // self.w
                self.blend(x, y, color_at(x + 0.5, y + 0.5), cover * opacity)

    def text(self, x, y, text, color, bold=False):
        """Draws text with its cap line at row y."""
        for ch in text:
            top, rows = glyph(ch)
            for r, row in enumerate(rows):
                for c, bit in enumerate(row):
                    if bit == "#":
                        self.set(x + c, y + top + r, color)
                        if bold:
                            self.set(x + c + 1, y + top + r, color)
            x += DIGIT_ADVANCE if ch.isdigit() else len(rows[0]) + 1
            if bold and ch != " ":
                x += 1


class Mask:
    """Coverage 0..1 per pixel; shapes are unioned by taking the maximum."""

    def __init__(self, width, height):
        self.w = width
        self.h = height
        self.cov = [0.0] * (width * height)

    def _put(self, x, y, value):
        if value > 0.0 and 0 <= x < self.w and 0 <= y < self.h:
            i = y * self.w + x
            if value > self.cov[i]:
                self.cov[i] = min(value, 1.0)

    def _box(self, x0, y0, x1, y1):
        return (max(0, int(math.floor(x0))), max(0, int(math.floor(y0))),
                min(self.w - 1, int(math.ceil(x1))), min(self.h - 1, int(math.ceil(y1))))

    def disc(self, cx, cy, r):
        bx0, by0, bx1, by1 = self._box(cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1)
        for y in range(by0, by1 + 1):
            for x in range(bx0, bx1 + 1):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                self._put(x, y, r + 0.5 - d)

    def segment(self, x0, y0, x1, y1, width):
        half = width / 2.0
        bx0, by0, bx1, by1 = self._box(min(x0, x1) - half - 1, min(y0, y1) - half - 1,
                                       max(x0, x1) + half + 1, max(y0, y1) + half + 1)
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy
        for y in range(by0, by1 + 1):
            for x in range(bx0, bx1 + 1):
                px, py = x + 0.5, y + 0.5
                t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy)
                                                         / length2))
                d = math.hypot(px - (x0 + t * dx), py - (y0 + t * dy))
                self._put(x, y, half + 0.5 - d)

    def polyline(self, points, width):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            self.segment(x0, y0, x1, y1, width)

    def polygon(self, points, samples=4):
        """Filled polygon, anti-aliased by supersampling."""
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        bx0, by0, bx1, by1 = self._box(min(xs), min(ys), max(xs), max(ys))
        step = 1.0 / samples
        for y in range(by0, by1 + 1):
            for x in range(bx0, bx1 + 1):
                inside = 0
                for sy in range(samples):
                    for sx in range(samples):
                        if _inside(points, x + (sx + 0.5) * step, y + (sy + 0.5) * step):
                            inside += 1
                self._put(x, y, inside / float(samples * samples))

    def clip(self, other):
        """Keeps only what is also covered by `other`."""
        self.cov = [a * b for a, b in zip(self.cov, other.cov)]


def _inside(points, x, y):
    result = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# ----------------------------------------------------------------------------
# File writers
# ----------------------------------------------------------------------------


def _clamp_byte(v):
    return max(0, min(255, int(round(v))))


def write_bmp24(path, canvas):
    """Bottom-up 24-bit BI_RGB bitmap, 96 dpi."""
    row_size = (canvas.w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        row = bytearray()
        for x in range(canvas.w):
            r, g, b, _ = canvas.get(x, y)
            row += bytes((_clamp_byte(b), _clamp_byte(g), _clamp_byte(r)))
        row += b"\0" * (row_size - len(row))
        pixels += row
    info = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, 24, 0, len(pixels), 3780,
                       3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def _distance2(a, b):
    return (a[0] - b[0]) ** 2 + (a[1] - b[1]) ** 2 + (a[2] - b[2]) ** 2


def _median_cut(histogram, count):
    """Splits the colour space into `count` boxes; returns each box's mean colour.

    The box split next is the one with the widest channel range, weighted by the square root
    of its pixel count, so that large smooth areas get fine steps without starving small
    details of their own colours."""
    boxes = [sorted(histogram.items())]

    def spread(box, channel):
        return max(c[channel] for c, _ in box) - min(c[channel] for c, _ in box)

    while len(boxes) < count:
        best, best_score = -1, -1.0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            score = max(spread(box, k) for k in range(3)) * sum(n for _, n in box) ** 0.5
            if score > best_score:
                best, best_score = i, score
        if best < 0:
            break
        box = boxes.pop(best)
        channel = max(range(3), key=lambda k: spread(box, k))
        box.sort(key=lambda e: (e[0][channel], e[0]))
        total = sum(n for _, n in box)
        seen, cut = 0, 1
        for j, (_, n) in enumerate(box):
            seen += n
            if seen * 2 >= total:
                cut = max(1, min(len(box) - 1, j + 1))
                break
        boxes += [box[:cut], box[cut:]]
    return [tuple(sum(c[k] * n for c, n in box) / float(sum(n for _, n in box)) for k in range(3))
            for box in boxes]


def _quantize(pixels, count, rounds=10):
    """A palette of at most `count` colours for `pixels` (RGB byte triples): median cut,
    refined by a few rounds of k-means over the distinct colours."""
    histogram = {}
    for p in pixels:
        histogram[p] = histogram.get(p, 0) + 1
    if len(histogram) <= count:
        # Every colour fits: the picture stays exactly as drawn.
        return sorted(histogram)
    palette = _median_cut(histogram, count)
    for _ in range(rounds):
        sums = [[0, 0, 0, 0] for _ in palette]
        for color, n in histogram.items():
            s = sums[min(range(len(palette)), key=lambda i: _distance2(palette[i], color))]
            s[0] += color[0] * n
            s[1] += color[1] * n
            s[2] += color[2] * n
            s[3] += n
        palette = [(s[0] / float(s[3]), s[1] / float(s[3]), s[2] / float(s[3])) if s[3] else p
                   for s, p in zip(sums, palette)]
    return sorted(set(tuple(_clamp_byte(v) for v in p) for p in palette))


def _rle8_row(row):
    """One row in BI_RLE8 codes: runs of three or more as (count, index), the rest in
    absolute mode (0, count, indexes..., padded to a word), without the end-of-line code."""
    out = bytearray()
    literal = []

    def flush():
        while literal:
            chunk = literal[:255]
            del literal[:255]
            if len(chunk) >= 3:
                out.extend((0, len(chunk)))
                out.extend(chunk)
                if len(chunk) % 2:
                    out.append(0)
            else:  # absolute mode needs three or more
                for index in chunk:
                    out.extend((1, index))

    x = 0
    while x < len(row):
        end = x
        while end < len(row) and row[end] == row[x] and end - x < 255:
            end += 1
        if end - x >= 3 or (end - x == 2 and not literal):
            flush()
            out.extend((end - x, row[x]))
        else:
            literal.extend(row[x:end])
        x = end
    flush()
    return out


def write_bmp8_rle(path, canvas, colors=256):
    """Bottom-up 8-bit BI_RLE8 bitmap with a palette made for the picture, 96 dpi.

    No dithering: it would break up the runs that make the compression pay, and at 256
    colours the steps in the gradients are a level or two apart."""
    pixels = [tuple(_clamp_byte(v) for v in canvas.get(x, y)[:3])
              for y in range(canvas.h) for x in range(canvas.w)]
    palette = _quantize(pixels, colors)
    cache = {}

    def index_of(color):
        if color not in cache:
            cache[color] = min(range(len(palette)), key=lambda i: _distance2(palette[i], color))
        return cache[color]

    data = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        data += _rle8_row([index_of(p) for p in pixels[y * canvas.w:(y + 1) * canvas.w]])
        data += b"\0\0"  # end of line
    data += b"\0\1"  # end of bitmap
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, 8, 1, len(data), 3780, 3780,
                       len(palette), 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + table + bytes(data))


# The 16 colours every VGA display has, in the usual order.
VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def _palette_256():
    # The VGA colours first, then a 6x6x6 colour cube and a grey ramp.
    palette = list(VGA_PALETTE)
    levels = [0, 51, 102, 153, 204, 255]
    for r in levels:
        for g in levels:
            for b in levels:
                palette.append((r, g, b))
    for i in range(1, 25):
        v = int(i * 255 / 25)
        palette.append((v, v, v))
    return palette[:256]


def _nearest(palette, color, cache):
    key = tuple(_clamp_byte(c) for c in color)
    if key not in cache:
        best, best_d = 0, None
        for i, p in enumerate(palette):
            d = (p[0] - key[0]) ** 2 + (p[1] - key[1]) ** 2 + (p[2] - key[2]) ** 2
            if best_d is None or d < best_d:
                best, best_d = i, d
        cache[key] = best
    return cache[key]


def _icon_image(canvas, bpp):
    """One icon image: BITMAPINFOHEADER, palette, XOR bitmap, AND mask."""
    w, h = canvas.w, canvas.h
    opaque = [[canvas.get(x, y)[3] >= 0.5 for x in range(w)] for y in range(h)]
    palette = []
    if bpp == 4:
        palette = VGA_PALETTE
    elif bpp == 8:
        palette = _palette_256()
    cache = {}

    xor = bytearray()
    row_size = ((w * bpp + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        row = bytearray()
        nibble = None
        for x in range(w):
            r, g, b, a = canvas.get(x, y)
            if bpp == 32:
                # Fully transparent pixels stay black so that systems drawing with the
                # AND mask alone leave the background untouched.
                if a <= 0.0:
                    row += b"\0\0\0\0"
                else:
                    row += bytes((_clamp_byte(b), _clamp_byte(g), _clamp_byte(r),
                                  _clamp_byte(a * 255)))
                continue
            index = _nearest(palette, (r, g, b), cache) if opaque[y][x] else 0
            if bpp == 8:
                row.append(index)
            elif nibble is None:
                nibble = index
            else:
                row.append((nibble << 4) | index)
                nibble = None
        if nibble is not None:
            row.append(nibble << 4)
        row += b"\0" * (row_size - len(row))
        xor += row

    mask = bytearray()
    mask_row_size = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_row_size)
        for x in range(w):
            # Under 32 bits the alpha channel decides; the mask serves older systems.
            if not opaque[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row

    colors_used = len(palette)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bpp, 0, len(xor) + len(mask), 0, 0,
                         colors_used if bpp == 8 else 0, 0)
    pal = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    return header + pal + bytes(xor) + bytes(mask)


def write_ico(path, images):
    """images: list of (canvas, bpp)."""
    blobs = [(c.w, c.h, bpp, _icon_image(c, bpp)) for c, bpp in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    entries = b""
    for w, h, bpp, blob in blobs:
        colors = 16 if bpp == 4 else 0
        entries += struct.pack("<BBBBHHII", w % 256, h % 256, colors, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + entries + b"".join(blob for _, _, _, blob in blobs))


# ----------------------------------------------------------------------------
# Shared motif: a globe with meridians and parallels
# ----------------------------------------------------------------------------


def draw_globe(canvas, cx, cy, r, line_width, light=(120, 200, 255), dark=(14, 58, 140),
               grid=(200, 235, 255), grid_opacity=0.55, rim=(235, 248, 255), rim_width=None):
    w, h = canvas.w, canvas.h
    body = Mask(w, h)
    body.disc(cx, cy, r)
    hx, hy = cx - r * 0.35, cy - r * 0.4  # highlight towards the upper left

    def shade(x, y):
        return mix(light, dark, math.hypot(x - hx, y - hy) / (r * 1.6))

    canvas.paint_fn(body, shade)

    lines = Mask(w, h)
    for lat in (-60, -30, 0, 30, 60):
        yy = cy + r * math.sin(math.radians(lat))
        half = r * math.cos(math.radians(lat))
        lines.segment(cx - half, yy, cx + half, yy, line_width)
    for lon in (0, 35, 70):
        rx = r * math.sin(math.radians(lon))
        for sign in ((1,) if lon == 0 else (1, -1)):
            points = [(cx + sign * rx * math.cos(t), cy + r * math.sin(t))
                      for t in [math.pi * (i / 32.0 - 0.5) for i in range(33)]]
            lines.polyline(points, line_width)
    inner = Mask(w, h)
    inner.disc(cx, cy, r - line_width * 0.5)
    lines.clip(inner)
    canvas.paint(lines, grid, grid_opacity)

    ring = Mask(w, h)
    points = [(cx + r * math.cos(t), cy + r * math.sin(t))
              for t in [2 * math.pi * i / 96.0 for i in range(97)]]
    ring.polyline(points, rim_width if rim_width else line_width * 1.2)
    canvas.paint(ring, rim, 0.9)


# ----------------------------------------------------------------------------
# Side picture of the wizard frame (126 x 198 dialog units at 6 x 13 px base units)
# ----------------------------------------------------------------------------


def make_side():
    w, h = 189, 322
    top, bottom = (6, 30, 84), (26, 104, 176)
    c = Canvas(w, h)
    for y in range(h):
        row = mix(top, bottom, y / float(h - 1))
        for x in range(w):
            # A soft diagonal sheen keeps the gradient from looking flat.
            sheen = 0.10 * max(0.0, 1.0 - abs((x - y * 0.45) - 40) / 90.0)
            c.set(x, y, mix(row, (255, 255, 255), sheen))

    cx, cy, r = 94.5, 122.0, 50.0

    # Glow behind the globe.
    for y in range(h):
        for x in range(w):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d < r * 1.9:
                c.blend(x, y, (120, 200, 255), 0.22 * (1.0 - d / (r * 1.9)) ** 2)

    # An orbit of linked hosts around the globe; its back half passes behind it.
    tilt = math.radians(-18)
    orx, ory = 82.0, 24.0

    def orbit(t):
        x, y = orx * math.cos(t), ory * math.sin(t)
        return (cx + x * math.cos(tilt) - y * math.sin(tilt),
                cy + 8 + x * math.sin(tilt) + y * math.cos(tilt))

    back = Mask(w, h)
    back.polyline([orbit(math.pi + math.pi * i / 48.0) for i in range(49)], 1.4)
    c.paint(back, (170, 225, 255), 0.7)

    draw_globe(c, cx, cy, r, 1.1)

    front = Mask(w, h)
    front.polyline([orbit(math.pi * i / 48.0) for i in range(49)], 1.6)
    c.paint(front, (190, 235, 255), 0.95)

    for t, back_side in ((0.25, False), (1.2, False), (2.3, False), (3.6, True), (5.2, True)):
        x, y = orbit(t)
        if back_side:
            continue  # hidden behind the globe or too close to it
        halo = Mask(w, h)
        halo.disc(x, y, 6.5)
        c.paint(halo, (150, 230, 255), 0.35)
        node = Mask(w, h)
        node.disc(x, y, 3.6)
        c.paint(node, (255, 255, 255), 1.0)
        core = Mask(w, h)
        core.disc(x, y, 1.8)
        c.paint(core, (60, 170, 90), 1.0)

    # Hosts out in the corners, wired to the globe.
    hosts = [(26, 34), (164, 40), (30, 204), (160, 196)]
    wires = Mask(w, h)
    for hx, hy in hosts:
        dx, dy = cx - hx, cy - hy
        d = math.hypot(dx, dy)
        ex, ey = cx - dx / d * (r + 3), cy - dy / d * (r + 3)
        wires.segment(hx, hy, ex, ey, 1.0)
    c.paint(wires, (170, 220, 255), 0.45)
    for hx, hy in hosts:
        draw_host(c, hx, hy)

    # Speed streaks and arrows under the globe.
    streaks = [(232, 18, 118), (240, 34, 126), (248, 12, 112)]
    for y, x0, x1 in streaks:
        for x in range(x0, x1):
            t = (x - x0) / float(x1 - x0)
            c.blend(x, y, (200, 240, 255), 0.15 + 0.6 * t)
            c.blend(x, y + 1, (200, 240, 255), (0.15 + 0.6 * t) * 0.35)
    for i, ax in enumerate((128, 142, 156)):
        chevron = Mask(w, h)
        chevron.polyline([(ax, 228), (ax + 9, 240), (ax, 252)], 3.2)
        c.paint(chevron, (255, 214, 90), 0.55 + 0.2 * i)

    # Name, twice the size of the dialog font, with a shadow.
    title = "Ovik Quarnel"
    scale = 2
    tw = text_width(title, bold=False) * scale
    tx = (w - tw) // 2
    ty = 272
    draw_big_text(c, tx + 1, ty + 1, title, scale, (0, 16, 48), 0.55)
    draw_big_text(c, tx, ty, title, scale, (255, 255, 255), 1.0)
    rule = Mask(w, h)
    rule.segment(tx, ty + 24, tx + tw, ty + 24, 1.0)
    c.paint(rule, (255, 214, 90), 0.8)
    return c


def draw_big_text(canvas, x, y, text, scale, color, opacity):
    """Scaled bitmap text with softened stair steps."""
    w, h = canvas.w, canvas.h
    bits = set()
    pen = 0
    for ch in text:
        top, rows = glyph(ch)
        for r, row in enumerate(rows):
            for col, bit in enumerate(row):
                if bit == "#":
                    bits.add((pen + col, top + r))
        pen += DIGIT_ADVANCE if ch.isdigit() else len(rows[0]) + 1
    mask = Mask(w, h)
    for (gx, gy) in bits:
        # Each font pixel becomes a square with rounded edges so diagonals read smoothly.
        px0, py0 = x + gx * scale, y + gy * scale
        for sy in range(scale):
            for sx in range(scale):
                mask._put(px0 + sx, py0 + sy, 1.0)
    # Fill the inner corner of each diagonal step half way.
    for (gx, gy) in bits:
        for ddx, ddy in ((1, 1), (-1, 1), (1, -1), (-1, -1)):
            if (gx + ddx, gy + ddy) in bits and (gx + ddx, gy) not in bits \
                    and (gx, gy + ddy) not in bits:
                cx = x + (gx + (1 if ddx > 0 else 0)) * scale
                cy = y + (gy + (1 if ddy > 0 else 0)) * scale
                for sy in range(-1, 1):
                    for sx in range(-1, 1):
                        mask._put(cx + sx, cy + sy, 0.5)
    canvas.paint(mask, color, opacity)


def draw_host(canvas, x, y):
    """A small monitor: screen, stand and foot."""
    w, h = canvas.w, canvas.h
    body = Mask(w, h)
    body.polygon([(x - 9, y - 7), (x + 9, y - 7), (x + 9, y + 6), (x - 9, y + 6)])
    canvas.paint(body, (225, 232, 240), 1.0)
    screen = Mask(w, h)
    screen.polygon([(x - 7, y - 5), (x + 7, y - 5), (x + 7, y + 4), (x - 7, y + 4)])
    canvas.paint_fn(screen, lambda px, py: mix((40, 140, 220), (10, 50, 120), (py - y + 5) / 9.0))
    stand = Mask(w, h)
    stand.polygon([(x - 2, y + 6), (x + 2, y + 6), (x + 3, y + 9), (x - 3, y + 9)])
    stand.polygon([(x - 6, y + 9), (x + 6, y + 9), (x + 6, y + 11), (x - 6, y + 11)])
    canvas.paint(stand, (190, 200, 212), 1.0)


# ----------------------------------------------------------------------------
# The modem page's picture: the port speed list opened, 921600 picked
# ----------------------------------------------------------------------------

FACE = (192, 192, 192)
LIGHT = (223, 223, 223)
SHADOW = (128, 128, 128)
DARK = (0, 0, 0)
WHITE = (255, 255, 255)
NAVY = (0, 0, 128)


def raised(c, x0, y0, x1, y1, outer_light=LIGHT, inner_light=WHITE):
    """Classic raised edge around [x0, x1] x [y0, y1] (inclusive)."""
    c.hline(x0, x1, y0, outer_light)
    c.vline(x0, y0, y1, outer_light)
    c.hline(x0, x1, y1, DARK)
    c.vline(x1, y0, y1, DARK)
    c.hline(x0 + 1, x1 - 1, y0 + 1, inner_light)
    c.vline(x0 + 1, y0 + 1, y1 - 1, inner_light)
    c.hline(x0 + 1, x1 - 1, y1 - 1, SHADOW)
    c.vline(x1 - 1, y0 + 1, y1 - 1, SHADOW)


def sunken(c, x0, y0, x1, y1):
    c.hline(x0, x1, y0, SHADOW)
    c.vline(x0, y0, y1, SHADOW)
    c.hline(x0, x1, y1, WHITE)
    c.vline(x1, y0, y1, WHITE)
    c.hline(x0 + 1, x1 - 1, y0 + 1, DARK)
    c.vline(x0 + 1, y0 + 1, y1 - 1, DARK)
    c.hline(x0 + 1, x1 - 1, y1 - 1, LIGHT)
    c.vline(x1 - 1, y0 + 1, y1 - 1, LIGHT)


def make_modem():
    w, h = 240, 135
    c = Canvas(w, h, FACE)

    # Window frame and caption bar.
    raised(c, 0, 0, w - 1, h - 1)
    for x in range(3, w - 3):
        color = mix(NAVY, (16, 132, 208), (x - 3) / float(w - 7))
        for y in range(3, 21):
            c.set(x, y, color)
    c.text(7, 8, "Modem Properties", WHITE, bold=True)
    # Close box.
    raised(c, w - 21, 5, w - 6, 18)
    cross = [(0, 0), (1, 1), (2, 2), (3, 3), (4, 4), (5, 5), (6, 6)]
    for dx, dy in cross:
        for ox in (0, 1):
            c.set(w - 17 + dx + ox, 8 + dy, DARK)
            c.set(w - 17 + 6 - dx + ox, 8 + dy, DARK)

    # Label and the drop-down list.
    left, right = 16, 170
    c.text(left, 30, "Maximum Port Speed", DARK)
    field_top, field_bottom = 43, 63
    sunken(c, left, field_top, right, field_bottom)
    c.fill_rect(left + 2, field_top + 2, right - 1, field_bottom - 1, WHITE)
    # The closed part shows the current choice, highlighted because the box has the focus.
    c.fill_rect(left + 3, field_top + 3, right - 19, field_bottom - 2, NAVY)
    c.text(left + 5, field_top + 6, "921600", WHITE)
    # Drop button, pressed while the list is open.
    bx0, bx1 = right - 17, right - 2
    by0, by1 = field_top + 2, field_bottom - 2
    c.fill_rect(bx0, by0, bx1 + 1, by1 + 1, FACE)
    c.hline(bx0, bx1, by0, SHADOW)
    c.vline(bx0, by0, by1, SHADOW)
    c.hline(bx0, bx1, by1, SHADOW)
    c.vline(bx1, by0, by1, SHADOW)
    ax, ay = (bx0 + bx1) // 2 + 1, (by0 + by1) // 2
    for i in range(4):
        c.hline(ax - 3 + i, ax + 3 - i, ay - 1 + i, DARK)

    # The open list.
    items = ["115200", "230400", "460800", "921600"]
    item_h = 13
    list_top = field_bottom + 1
    list_bottom = list_top + 1 + item_h * len(items)
    c.fill_rect(left, list_top, right + 1, list_bottom + 1, WHITE)
    c.hline(left, right, list_top, DARK)
    c.hline(left, right, list_bottom, DARK)
    c.vline(left, list_top, list_bottom, DARK)
    c.vline(right, list_top, list_bottom, DARK)
    for i, item in enumerate(items):
        y = list_top + 1 + i * item_h
        selected = item == "921600"
        if selected:
            c.fill_rect(left + 1, y, right, y + item_h, NAVY)
            # Focus rectangle: dotted.
            for x in range(left + 1, right, 2):
                c.set(x, y, (255, 255, 128))
                c.set(x, y + item_h - 1, (255, 255, 128))
            for yy in range(y, y + item_h, 2):
                c.set(left + 1, yy, (255, 255, 128))
                c.set(right - 1, yy, (255, 255, 128))
        c.text(left + 4, y + 3, item, WHITE if selected else DARK)

    # Mouse pointer resting on the chosen speed.
    draw_pointer(c, 96, list_bottom - 8)

    draw_modem(c, right + 12, 44)
    return c


def draw_modem(c, x, y):
    """An external modem seen from the front, lights on."""
    w = 40
    # Top face in perspective, then the front.
    for i in range(8):
        c.hline(x + 8 - i, x + w + 8 - i - 1, y + i, mix((236, 230, 214), (214, 206, 186), i / 7.0))
    front_top, front_bottom = y + 8, y + 24
    c.fill_rect(x, front_top, x + w, front_bottom, (206, 198, 176))
    c.hline(x, x + w - 1, front_top, WHITE)
    c.hline(x, x + w - 1, front_bottom - 1, SHADOW)
    c.vline(x + w - 1, front_top, front_bottom - 1, SHADOW)
    for i in range(8):  # right side face
        c.vline(x + w + i, front_top - i, front_bottom - 1 - i, (150, 142, 124))
    # Indicator lights.
    lights = [(0, 200, 0), (0, 200, 0), (255, 200, 0), (200, 0, 0), (0, 200, 0)]
    for i, color in enumerate(lights):
        lx = x + 6 + i * 7
        c.fill_rect(lx, front_top + 5, lx + 4, front_top + 8, DARK)
        c.fill_rect(lx + 1, front_top + 6, lx + 3, front_top + 7, color)
    # Feet and the cable to the port.
    c.fill_rect(x + 3, front_bottom, x + 9, front_bottom + 2, (60, 60, 60))
    c.fill_rect(x + w - 9, front_bottom, x + w - 3, front_bottom + 2, (60, 60, 60))
    cable = Mask(c.w, c.h)
    cable.polyline([(x + w + 4, front_bottom - 6), (x + w + 10, front_bottom + 10),
                    (x + w - 4, front_bottom + 30), (x + w + 2, front_bottom + 60)], 1.6)
    c.paint(cable, (40, 40, 40), 1.0)


def draw_pointer(c, x, y):
    shape = [
        "X...........",
        "XX..........",
        "XOX.........",
        "XOOX........",
        "XOOOX.......",
        "XOOOOX......",
        "XOOOOOX.....",
        "XOOOOOOX....",
        "XOOOOOOOX...",
        "XOOOOOXXXX..",
        "XOOXOOX.....",
        "XOX.XOOX....",
        "XX..XOOX....",
        "X....XOOX...",
        ".....XOOX...",
        "......XX....",
    ]
    for dy, row in enumerate(shape):
        for dx, ch in enumerate(row):
            if ch == "X":
                c.set(x + dx, y + dy, DARK)
            elif ch == "O":
                c.set(x + dx, y + dy, WHITE)


# ----------------------------------------------------------------------------
# Application icon: the globe with a lightning bolt
# ----------------------------------------------------------------------------


def make_icon(size, flat=False):
    """flat: only colours of the 16-colour VGA palette, hard edges."""
    c = Canvas(size, size, (0, 0, 0), 0.0)
    c.hard = flat
    s = size / 32.0
    r = 12.6 * s
    cx, cy = 14.2 * s, 14.2 * s
    line = max(0.8, 0.9 * s)
    # Dark outline first so that edges read on any background.
    outline = Mask(size, size)
    outline.disc(cx, cy, r + line)
    c.paint(outline, (0, 0, 128) if flat else (6, 30, 80), 1.0)
    if flat:
        draw_globe(c, cx, cy, r, 1.0, light=(0, 0, 255), dark=(0, 0, 255), grid=(0, 255, 255),
                   grid_opacity=1.0, rim=(0, 0, 128), rim_width=1.0)
    else:
        draw_globe(c, cx, cy, r, line, light=(110, 195, 255), dark=(16, 70, 170),
                   grid=(215, 240, 255), grid_opacity=0.6 if size >= 32 else 0.45,
                   rim=(170, 220, 255), rim_width=max(0.8, 0.7 * s))

    bolt = [(21.0, 9.5), (13.5, 20.5), (18.6, 20.5), (15.5, 30.5), (27.5, 16.8), (21.6, 16.8),
            (25.5, 9.5)]
    bolt = [(x * s, y * s) for x, y in bolt]
    edge = Mask(size, size)
    edge.polyline(bolt + [bolt[0]], max(1.6, 1.8 * s))
    c.paint(edge, (0, 0, 0) if flat else (90, 40, 0), 1.0)
    fill = Mask(size, size)
    fill.polygon(bolt)
    if flat:
        c.paint(fill, (255, 255, 0), 1.0)
    else:
        c.paint_fn(fill, lambda x, y: mix((255, 240, 120), (255, 150, 20), y / size))
    return c


def main():
    # The side picture is the biggest resource: 8 bits and run-length compression keep it small.
    # The modem picture stays 24-bit.
    write_bmp8_rle(os.path.join(HERE, "side.bmp"), make_side())
    # 212 colours: an exact palette, and the runs of the flat list and window compress well.
    write_bmp8_rle(os.path.join(HERE, "modem.bmp"), make_modem())
    icons = {n: make_icon(n) for n in (16, 32, 48)}
    flat = {n: make_icon(n, flat=True) for n in (16, 32)}
    write_ico(os.path.join(HERE, "quarnel.ico"), [
        (icons[48], 32), (icons[32], 32), (icons[16], 32),
        (icons[48], 8), (icons[32], 8), (icons[16], 8),
        (flat[32], 4), (flat[16], 4),
    ])


if __name__ == "__main__":
    main()
