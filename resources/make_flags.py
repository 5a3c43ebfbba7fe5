#!/usr/bin/env python3
"""Draws the 16 x 16 flag of each language file: resources/lang/<name>.bmp beside <name>.ini.

    python3 resources/make_flags.py        # rewrites resources/lang/*.bmp

The language list shows a flag without a mask or transparency, so each one fills its square and
gets a darker rim, which keeps a white stripe apart from the white list behind it. No pixel is
pure black: the list adds the pictures with black as the mask colour, and some Windows versions
would turn those pixels into holes. English is American English (the program's own resources
are en-US), hence the United States flag.
"""

import os

from make_art import Canvas, Mask, write_bmp24

HERE = os.path.dirname(os.path.abspath(__file__))
SIZE = 16
NEAR_BLACK = (24, 24, 24)
WHITE = (255, 255, 255)


def bands(canvas, colors, vertical=False, weights=None):
    """Equal (or weighted) stripes across the square."""
    weights = weights or [1] * len(colors)
    total = float(sum(weights))
    edges = [0]
    for w in weights:
        edges.append(edges[-1] + w)
    for i, color in enumerate(colors):
        a = int(round(edges[i] / total * SIZE))
        b = int(round(edges[i + 1] / total * SIZE))
        if vertical:
            canvas.fill_rect(a, 0, b, SIZE, color)
        else:
            canvas.fill_rect(0, a, SIZE, b, color)


def rim(canvas):
    """Darkens the outermost pixels by a third, whatever colour lies under them."""
    for i in range(SIZE):
        for x, y in ((i, 0), (i, SIZE - 1), (0, i), (SIZE - 1, i)):
            r, g, b, _ = canvas.get(x, y)
            canvas.set(x, y, (r * 0.62, g * 0.62, b * 0.62))


def united_states():
    c = Canvas(SIZE, SIZE, WHITE)
    red = (178, 34, 52)
    for y in range(SIZE):
        if (y * 13 // SIZE) % 2 == 0:
            c.fill_rect(0, y, SIZE, y + 1, red)
    c.fill_rect(0, 0, 8, 8, (60, 59, 110))
    for y in range(1, 7):
        for x in range(1, 7):
            if (x + y) % 2 == 0:
                c.set(x, y, (214, 214, 230))
    return c


def germany():
    c = Canvas(SIZE, SIZE)
    bands(c, [NEAR_BLACK, (221, 0, 0), (255, 206, 0)])
    return c


def france():
    c = Canvas(SIZE, SIZE)
    bands(c, [(0, 35, 149), WHITE, (237, 41, 57)], vertical=True)
    return c


def italy():
    c = Canvas(SIZE, SIZE)
    bands(c, [(0, 146, 70), WHITE, (206, 43, 55)], vertical=True)
    return c


def netherlands():
    c = Canvas(SIZE, SIZE)
    bands(c, [(174, 28, 40), WHITE, (33, 70, 139)])
    return c


def spain():
    c = Canvas(SIZE, SIZE)
    red = (170, 21, 27)
    bands(c, [red, (241, 191, 0), red], weights=[1, 2, 1])
    # The coat of arms, reduced to a small shield under a crown on the hoist side.
    c.fill_rect(4, 5, 7, 6, (200, 140, 40))
    c.fill_rect(4, 6, 7, 9, red)
    c.set(5, 9, red)
    c.set(5, 7, (230, 200, 120))
    return c


def brazil():
    c = Canvas(SIZE, SIZE, (0, 156, 59))
    diamond = Mask(SIZE, SIZE)
    diamond.polygon([(8, 1.5), (15, 8), (8, 14.5), (1, 8)])
    c.paint(diamond, (255, 223, 0))
    globe = Mask(SIZE, SIZE)
    globe.disc(8, 8, 3.4)
    c.paint(globe, (0, 39, 118))
    band = Mask(SIZE, SIZE)
    band.segment(4.8, 7.2, 11.2, 8.6, 1.0)
    band.clip(globe)
    c.paint(band, WHITE, 0.8)
    return c


FLAGS = {
    "English": united_states,
    "German": germany,
    "French": france,
    "Spanish": spain,
    "Italian": italy,
    "Dutch": netherlands,
    "Portuguese (Brazil)": brazil,
}


def main():
    folder = os.path.join(HERE, "lang")
    for name, draw in FLAGS.items():
        canvas = draw()
        rim(canvas)
        write_bmp24(os.path.join(folder, name + ".bmp"), canvas)


if __name__ == "__main__":
    main()
