#!/usr/bin/env python3
"""Draws Morvex's icons and writes them as .ico files beside this script.

    python3 res/icons/make_icons.py [output folder]

The artwork is made of simple shapes rendered with 8x8 supersampling. The classic sizes
are written by hand as Windows DIBs, which every Windows version reads: 32-bit images keep
the antialiased alpha, the 8-bit and 4-bit images are real palette images (an adaptive
palette of the colours used, the 16 standard Windows colours) drawn from an unsmoothed rendering
with a 1-bit transparency mask. The large frames for 150 % and 200 % display scaling are
32-bit PNG images, which Windows Vista and later read inside an icon at a fraction of a
DIB's size. Only the Python 3 standard library is used; the output is the same on every run.
"""

import math
import os
import struct
import sys
import zlib

SAMPLES = 8

# --------------------------------------------------------------------------- shapes
# A shape is a function (x, y) -> bool in pixel coordinates of the image.


def rounded_rect(left, top, right, bottom, radius):
    def inside(x, y):
        if x < left or x >= right or y < top or y >= bottom:
            return False
        cx = min(max(x, left + radius), right - radius)
        cy = min(max(y, top + radius), bottom - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
    return inside


def rect(left, top, right, bottom):
    return rounded_rect(left, top, right, bottom, 0)


def ellipse(cx, cy, rx, ry):
    def inside(x, y):
        return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        count = len(points)
        for i in range(count):
            x1, y1 = points[i]
            x2, y2 = points[(i + 1) % count]
            if (y1 > y) != (y2 > y):
                if x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                    result = not result
        return result
    return inside


def segment_distance(x, y, x1, y1, x2, y2):
    dx, dy = x2 - x1, y2 - y1
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / length))
    return math.hypot(x - (x1 + t * dx), y - (y1 + t * dy))


def stroke(points, width, closed=False):
    """A line of the given width through the points, with round ends and joints."""
    pairs = list(zip(points, points[1:]))
    if closed:
        pairs.append((points[-1], points[0]))
    half = width / 2.0

    def inside(x, y):
        return any(segment_distance(x, y, a[0], a[1], b[0], b[1]) <= half for a, b in pairs)
    return inside


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


def difference(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


# --------------------------------------------------------------------------- paints


def solid(colour, classic=None):
    """One colour; classic is its stand-in among the 16 standard colours."""
    paint = lambda x, y: colour
    paint.classic = classic
    return paint


def vertical(top, bottom, colour_top, colour_bottom, classic=None):
    def paint(x, y):
        t = 0.0 if bottom <= top else max(0.0, min(1.0, (y - top) / (bottom - top)))
        return tuple(round(a + (b - a) * t) for a, b in zip(colour_top, colour_bottom))
    paint.classic = classic
    return paint


# --------------------------------------------------------------------------- rendering


def render(size, layers, smooth, classic=False):
    """Composites (shape, paint) layers; returns rows of straight (r, g, b, a) pixels.

    Smooth rendering weighs each layer by its sample coverage. Unsmoothed rendering
    takes a layer at a pixel when at least half of the samples are inside, which gives
    the crisp edges that palette images need. Classic rendering paints every layer in
    its stand-in standard colour: nearest-colour matching turns pale yellows grey."""
    pixels = []
    offsets = [(i + 0.5) / SAMPLES for i in range(SAMPLES)]
    total = SAMPLES * SAMPLES
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0  # premultiplied, 0..1
            for shape, paint in layers:
                hits = 0
                for oy in offsets:
                    for ox in offsets:
                        if shape(px + ox, py + oy):
                            hits += 1
                if hits == 0:
                    continue
                coverage = hits / total
                if not smooth:
                    if coverage < 0.5:
                        continue
                    coverage = 1.0
                if classic:
                    cr, cg, cb = paint.classic
                else:
                    cr, cg, cb = paint(px + 0.5, py + 0.5)
                r = cr / 255.0 * coverage + r * (1 - coverage)
                g = cg / 255.0 * coverage + g * (1 - coverage)
                b = cb / 255.0 * coverage + b * (1 - coverage)
                a = coverage + a * (1 - coverage)
            if a <= 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(r / a * 255), round(g / a * 255), round(b / a * 255), round(a * 255)))
        pixels.append(row)
    return pixels


# --------------------------------------------------------------------------- artwork

OUTLINE_GREY = (58, 64, 76)
DRIVE_LIGHT = (236, 239, 244)
DRIVE_DARK = (150, 157, 170)
DRIVE_EDGE = (178, 184, 196)
SLOT = (84, 90, 102)
LED_GREEN = (40, 210, 70)
LED_RIM = (20, 90, 30)
FOLDER_LIGHT = (255, 226, 120)
FOLDER_DARK = (236, 176, 46)
FOLDER_BACK = (214, 150, 36)
FOLDER_OUTLINE = (140, 90, 16)
LINK_BLUE = (28, 100, 210)
LINK_DARK = (16, 56, 130)
WHITE = (255, 255, 255)

# Stand-ins among the 16 standard colours.
BLACK16, GREEN16, OLIVE16, NAVY16 = (0, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128)
SILVER16, GREY16, LIME16, YELLOW16 = (192, 192, 192), (128, 128, 128), (0, 255, 0), (255, 255, 0)
BLUE16, WHITE16 = (0, 0, 255), (255, 255, 255)

# The link arrow of the smallest tile, drawn pixel by pixel: X is ink.
SMALL_ARROW = [
    "...X..",
    "...XX.",
    "XXXXXX",
    "X..XX.",
    "X..X..",
    "X.....",
]


def pixel_art(left, top, rows):
    cells = [rect(left + x, top + y, left + x + 1, top + y + 1)
             for y, row in enumerate(rows) for x, cell in enumerate(row) if cell == 'X']
    return union(*cells)


def app_layers(n):
    """A folder resting on a drive, with a link arrow on the drive's face."""
    u = n / 48.0

    def p(v):
        return round(v * u)

    line = max(1, p(2))
    corner = max(1, p(2))
    layers = []
    # Folder: back panel with its tab, then the front panel a little lower.
    tab = polygon([(p(5), p(11)), (p(7), p(5)), (p(19), p(5)), (p(22), p(11))])
    back = rounded_rect(p(5), p(9), p(43), p(30), corner)
    layers.append((union(tab, back), solid(FOLDER_OUTLINE, BLACK16)))
    tab_fill = polygon([(p(5) + line, p(11)), (p(7) + line, p(5) + line), (p(19) - line, p(5) + line),
                        (p(22) - line, p(11))])
    layers.append((union(tab_fill, rect(p(5) + line, p(9) + line, p(43) - line, p(30))),
                   solid(FOLDER_BACK, OLIVE16)))
    layers.append((rounded_rect(p(5), p(14), p(43), p(30), corner), solid(FOLDER_OUTLINE, BLACK16)))
    layers.append((rect(p(5) + line, p(14) + line, p(43) - line, p(30)),
                   vertical(p(14), p(30), FOLDER_LIGHT, FOLDER_DARK, YELLOW16)))
    # Drive: a slab across the bottom with a lighter top face, a slot and a lit LED.
    radius = max(1, p(3))
    layers.append((rounded_rect(p(2), p(24), p(46), p(44), radius), solid(OUTLINE_GREY, BLACK16)))
    layers.append((rounded_rect(p(2) + line, p(24) + line, p(46) - line, p(44) - line, max(0, radius - 1)),
                   vertical(p(24), p(44), DRIVE_LIGHT, DRIVE_DARK, SILVER16)))
    layers.append((rect(p(2) + line, p(30), p(46) - line, p(30) + max(1, p(1))), solid(DRIVE_EDGE, GREY16)))
    if n >= 24:
        layers.append((rect(p(24), p(36), p(35), p(36) + max(1, p(2))), solid(SLOT, GREY16)))
        led = 2.6 * u
        layers.append((ellipse(p(40), p(37), led + 0.8, led + 0.8), solid(LED_RIM, GREEN16)))
        layers.append((ellipse(p(40), p(37), led, led), solid(LED_GREEN, LIME16)))
    else:
        layers.append((rect(12, 11, 14, 13), solid(LED_GREEN, LIME16)))
    # Link badge: a white tile with a bent blue arrow, in the drive's lower left.
    side = max(8, p(16))
    left, top = p(5), min(p(31), n - side)
    layers.append((rounded_rect(left, top, left + side, top + side, corner), solid(LINK_DARK, NAVY16)))
    layers.append((rounded_rect(left + 1, top + 1, left + side - 1, top + side - 1, corner - 1),
                   solid(WHITE, WHITE16)))
    if n >= 24:
        s = side / 16.0
        shaft = stroke([(left + 4.5 * s, top + 12.5 * s), (left + 4.5 * s, top + 8.0 * s),
                        (left + 9.0 * s, top + 5.5 * s)], max(2.0, 2.6 * s))
        head = polygon([(left + 8.0 * s, top + 2.0 * s), (left + 13.5 * s, top + 5.8 * s),
                        (left + 8.0 * s, top + 9.6 * s)])
        arrow = union(shaft, head)
    else:
        arrow = pixel_art(left + 1, top + 1, SMALL_ARROW)
    layers.append((arrow, solid(LINK_BLUE, BLUE16)))
    return layers


class Grid:
    """Places the 16-pixel toolbar art at size n.

    The 16-pixel images keep their hand-placed coordinates, half pixels included. At the
    larger sizes lengths grow with the size, edges snap to whole pixels so that they stay
    sharp, and an outline is one pixel wide per 16 pixels of size."""

    def __init__(self, n):
        self.unit = n / 16.0
        self.line = max(1, n // 16)
        self.snap = n != 16

    def at(self, v):
        """An edge or centre of the 16-pixel art."""
        return round(v * self.unit) if self.snap else v

    def box(self, left, top, right, bottom, insets=(0, 0, 0, 0)):
        """A rectangle of the 16-pixel art, each side moved inwards by its count of outlines."""
        l, t, r, b = (count * self.line for count in insets)
        return self.at(left) + l, self.at(top) + t, self.at(right) - r, self.at(bottom) - b

    def corners(self, points):
        """Polygon corners (x, y, dx, dy) of the 16-pixel art, each moved by dx, dy outlines."""
        return [(self.at(x) + dx * self.line, self.at(y) + dy * self.line) for x, y, dx, dy in points]


def small_drive_layers(n, top):
    """A drive slab from row top of the 16-pixel art down to its bottom."""
    g = Grid(n)
    outer = g.box(0.5, top, 15.5, 15.5)
    inner = g.box(0.5, top, 15.5, 15.5, (1, 1, 1, 1))
    slot = g.box(3, top + 3.5, 9, top + 5)
    return [
        (rounded_rect(*outer, 1.5 * g.unit), solid(OUTLINE_GREY)),
        (rounded_rect(*inner, 0.8 * g.unit), vertical(inner[1], inner[3], DRIVE_LIGHT, DRIVE_DARK)),
        (ellipse(12.0 * g.unit, (top + 4.3) * g.unit, 1.3 * g.unit, 1.3 * g.unit), solid(LED_GREEN)),
        (rect(*slot), solid(SLOT)),
    ]


def remove_layers(n):
    g = Grid(n)
    layers = small_drive_layers(n, 8.5)
    # A cross centred on (8, 5) of the 16-pixel art, where the plus of the New icon sits.
    cx, cy, reach = g.at(8), g.at(5), 3.5 * g.unit
    cross = [(cx - reach, cy - reach), (cx + reach, cy + reach)], [(cx + reach, cy - reach), (cx - reach, cy + reach)]
    layers.append((union(*(stroke(line, 4.2 * g.unit) for line in cross)), solid((128, 16, 16))))
    layers.append((union(*(stroke(line, 2.2 * g.unit) for line in cross)),
                   vertical(g.unit, 9 * g.unit, (250, 90, 80), (200, 30, 30))))
    return layers


def new_layers(n):
    g = Grid(n)
    layers = small_drive_layers(n, 8.5)
    # A plus centred on (8, 5) of the 16-pixel art; its arms reach 5 and are 4 wide.
    cx, cy, reach, half = g.at(8), g.at(5), g.at(5), g.at(2)

    def plus(inset):
        return union(rect(cx - half + inset, cy - reach + inset, cx + half - inset, cy + reach - inset),
                     rect(cx - reach + inset, cy - half + inset, cx + reach - inset, cy + half - inset))
    layers.append((plus(0), solid((20, 100, 30))))
    layers.append((plus(g.line), vertical(cy - reach + g.line, cy + reach - g.line, (120, 230, 110), (40, 170, 50))))
    return layers


def save_layers(n):
    g = Grid(n)
    return [
        (rounded_rect(*g.box(1, 1, 15, 15), 1.2 * g.unit), solid((22, 44, 100))),
        (rect(*g.box(1, 1, 15, 15, (1, 1, 1, 1))), vertical(g.at(2), g.at(14), (70, 120, 210), (40, 80, 170))),
        (rect(*g.box(4, 1, 12, 6)), solid((22, 44, 100))),
        (rect(*g.box(4, 1, 12, 6, (1, 0, 1, 1))), solid((206, 212, 222))),
        (rect(*g.box(8, 2, 10, 4)), solid((60, 70, 90))),
        (rect(*g.box(3, 8, 13, 15)), solid((22, 44, 100))),
        (rect(*g.box(3, 8, 13, 15, (1, 1, 1, 0))), solid((250, 250, 250))),
        (rect(*g.box(5, 11, 11, 12)), solid((170, 180, 200))),
    ]


def browse_layers(n):
    g = Grid(n)
    back = polygon(g.corners([(0.5, 4.5, 0, 0), (1.5, 1.5, 0, 0), (6.5, 1.5, 0, 0), (7.5, 3.5, 0, 0),
                              (13.5, 3.5, 0, 0), (13.5, 13.5, 0, 0), (0.5, 13.5, 0, 0)]))
    back_fill = polygon(g.corners([(0.5, 4.5, 1, 0), (1.5, 1.5, 0.7, 1), (6.5, 1.5, -0.6, 1), (7.5, 3.5, -0.6, 1),
                                   (13.5, 3.5, -1, 1), (13.5, 13.5, -1, -0.5), (0.5, 13.5, 1, -0.5)]))
    front = polygon(g.corners([(3.5, 6.5, 0, 0), (15.8, 6.5, 0, 0), (13.5, 14.5, 0, 0), (0.5, 14.5, 0, 0)]))
    front_fill = polygon(g.corners([(3.5, 6.5, 0.7, 1), (15.8, 6.5, -1.3, 1), (13.5, 14.5, -0.7, -1),
                                    (0.5, 14.5, 1.3, -1)]))
    return [
        (back, solid(FOLDER_OUTLINE)),
        (back_fill, solid(FOLDER_BACK)),
        (front, solid(FOLDER_OUTLINE)),
        (front_fill, vertical(7 * g.unit, 14 * g.unit, FOLDER_LIGHT, FOLDER_DARK)),
    ]


# --------------------------------------------------------------------------- palettes

STANDARD_16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def distance(c1, c2):
    # Weighted towards green like the eye; good enough to pick among palette entries.
    return 2 * (c1[0] - c2[0]) ** 2 + 4 * (c1[1] - c2[1]) ** 2 + 3 * (c1[2] - c2[2]) ** 2


def nearest(palette, colour):
    return min(range(len(palette)), key=lambda i: (distance(palette[i], colour), i))


def median_cut(colours, count):
    """Up to count representative colours of the weighted colour histogram."""
    boxes = [sorted(colours.items())]
    while len(boxes) < count:
        candidates = [b for b in boxes if len(b) > 1]
        if not candidates:
            break
        box = max(candidates, key=lambda b: (sum(w for _, w in b), len(b)))
        boxes.remove(box)
        ranges = [max(c[k] for c, _ in box) - min(c[k] for c, _ in box) for k in range(3)]
        channel = ranges.index(max(ranges))
        box.sort(key=lambda item: (item[0][channel], item[0]))
        half = sum(w for _, w in box) / 2.0
        running = 0
        split = 1
        for i, (_, weight) in enumerate(box[:-1]):
            running += weight
            if running >= half:
                split = i + 1
                break
            split = i + 1
        boxes += [box[:split], box[split:]]
    result = []
    for box in boxes:
        total = sum(w for _, w in box)
        result.append(tuple(round(sum(c[k] * w for c, w in box) / total) for k in range(3)))
    return sorted(set(result))


def adaptive_palette(pixels, count):
    histogram = {}
    for row in pixels:
        for r, g, b, a in row:
            if a >= 128:
                histogram[(r, g, b)] = histogram.get((r, g, b), 0) + 1
    if len(histogram) <= count:
        return sorted(histogram)
    return median_cut(histogram, count)


# --------------------------------------------------------------------------- DIBs, PNGs and .ico


def row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def and_mask(pixels, transparent):
    size = len(pixels)
    stride = row_stride(size, 1)
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray(stride)
        for x, pixel in enumerate(row):
            if transparent(pixel):
                line[x // 8] |= 0x80 >> (x % 8)
        data += line
    return bytes(data)


def dib_header(size, bits, image_bytes, colours_used=0):
    return struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, image_bytes, 0, 0, colours_used, 0)


def dib_32(pixels):
    size = len(pixels)
    colour = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a)) if a > 0 else bytes(4)
    mask = and_mask(pixels, lambda p: p[3] == 0)
    return dib_header(size, 32, len(colour) + len(mask)) + bytes(colour) + mask


def dib_palette(pixels, bits, palette):
    """A palette DIB; entry 0 is black for the transparent pixels, whose mask bit is set. Its colour
    table holds only the colours used (biClrUsed), a quarter of what 256 entries would take."""
    size = len(pixels)
    assert len(palette) <= (1 << bits) - 1
    table = [(0, 0, 0)] + list(palette)
    cache = {}
    stride = row_stride(size, bits)
    colour = bytearray()
    for row in reversed(pixels):
        indices = []
        for r, g, b, a in row:
            if a < 128:
                indices.append(0)
                continue
            key = (r, g, b)
            if key not in cache:
                cache[key] = 1 + nearest(palette, key)
            indices.append(cache[key])
        line = bytearray(stride)
        for x, index in enumerate(indices):
            if bits == 8:
                line[x] = index
            else:
                line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        colour += line
    mask = and_mask(pixels, lambda p: p[3] < 128)
    quads = b''.join(bytes((b, g, r, 0)) for r, g, b in table)
    return dib_header(size, bits, len(colour) + len(mask), len(table)) + quads + bytes(colour) + mask


PNG_SIGNATURE = b'\x89PNG\r\n\x1a\n'


def png_chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))


def paeth(left, up, upper_left):
    estimate = left + up - upper_left
    distances = abs(estimate - left), abs(estimate - up), abs(estimate - upper_left)
    if distances[0] <= distances[1] and distances[0] <= distances[2]:
        return left
    return up if distances[1] <= distances[2] else upper_left


def png_filter(kind, line, prior):
    """One row of 4-byte pixels under PNG filter kind: 0 none, 1 sub, 2 up, 3 average, 4 Paeth."""
    out = bytearray([kind])
    for i, value in enumerate(line):
        left = line[i - 4] if i >= 4 else 0
        upper_left = prior[i - 4] if i >= 4 else 0
        predictions = (0, left, prior[i], (left + prior[i]) // 2, paeth(left, prior[i], upper_left))
        out.append((value - predictions[kind]) & 0xFF)
    return bytes(out)


def png_32(pixels):
    """An 8-bit RGBA PNG; of the usual filter choices, the one that compresses smallest is kept."""
    size = len(pixels)
    # Fully transparent pixels carry no colour, so that they pack as runs of zeros.
    lines = [bytes(v for pixel in row for v in (pixel if pixel[3] else (0, 0, 0, 0))) for row in pixels]
    priors = [bytes(4 * size)] + lines[:-1]
    filtered = [[png_filter(kind, line, prior) for kind in range(5)] for line, prior in zip(lines, priors)]
    candidates = [b''.join(row[kind] for row in filtered) for kind in range(5)]
    # The common heuristic: per row, the filter whose bytes as signed values sum smallest.
    candidates.append(b''.join(min(row, key=lambda f: sum(min(v, 256 - v) for v in f[1:])) for row in filtered))
    stream = min((zlib.compress(data, 9) for data in candidates), key=len)
    header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)
    return PNG_SIGNATURE + png_chunk(b'IHDR', header) + png_chunk(b'IDAT', stream) + png_chunk(b'IEND', b'')


DIB, PNG = 'DIB', 'PNG'


def make_image(layers_for, size, bits, kind):
    layers = layers_for(size)
    if kind == PNG:
        assert bits == 32
        return size, bits, png_32(render(size, layers, smooth=True))
    if bits == 32:
        return size, bits, dib_32(render(size, layers, smooth=True))
    pixels = render(size, layers, smooth=False, classic=(bits == 4))
    if bits == 4:
        return size, bits, dib_palette_16(pixels)
    palette = adaptive_palette(pixels, 255)
    return size, bits, dib_palette(pixels, bits, palette)


def dib_palette_16(pixels):
    """A 4-bit DIB in the 16 standard colours; transparent pixels are black under a set mask bit."""
    size = len(pixels)
    stride = row_stride(size, 4)
    colour = bytearray()
    for row in reversed(pixels):
        line = bytearray(stride)
        for x, (r, g, b, a) in enumerate(row):
            index = 0 if a < 128 else nearest(STANDARD_16, (r, g, b))
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        colour += line
    mask = and_mask(pixels, lambda p: p[3] < 128)
    quads = b''.join(bytes((b, g, r, 0)) for r, g, b in STANDARD_16)
    return dib_header(size, 4, len(colour) + len(mask)) + quads + bytes(colour) + mask


def ico(images):
    header = struct.pack('<HHH', 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b''
    blobs = b''
    for size, bits, data in images:
        colours = 16 if bits == 4 else 0
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, colours, 0, 1, bits, len(data), offset)
        blobs += data
        offset += len(data)
    return header + entries + blobs


def check_png(image, width, height, bits):
    """An RGBA PNG of the entry's size whose pixel data inflates to exactly that size."""
    assert image.startswith(PNG_SIGNATURE) and bits == 32
    length, kind, png_width, png_height, depth, colour_type = struct.unpack_from('>I4sIIBB', image, 8)
    assert (length, kind, png_width, png_height, depth, colour_type) == (13, b'IHDR', width, height, 8, 6)
    position = 8
    stream = b''
    while position < len(image):
        length, kind = struct.unpack_from('>I4s', image, position)
        body = image[position + 8:position + 8 + length]
        assert struct.unpack_from('>I', image, position + 8 + length)[0] == zlib.crc32(kind + body)
        if kind == b'IDAT':
            stream += body
        position += 12 + length
    assert position == len(image) and kind == b'IEND'
    assert len(zlib.decompress(stream)) == height * (1 + 4 * width)


def check_ico(data, expected):
    """Reads the file back: every directory entry must hold a DIB or a PNG of its size and depth."""
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    assert (reserved, kind, count) == (0, 1, len(expected))
    found = []
    for i in range(count):
        width, height, colours, _, planes, bits, length, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        if data.startswith(PNG_SIGNATURE, offset):
            check_png(data[offset:offset + length], width, height, bits)
            found.append((width, bits, PNG))
            continue
        header = struct.unpack_from('<IiiHHIIiiII', data, offset)
        assert header[0] == 40 and header[1] == width and header[2] == 2 * height and header[4] == bits
        palette = (header[9] or 1 << bits) * 4 if bits <= 8 else 0
        image = height * (row_stride(width, bits) + row_stride(width, 1))
        assert length == 40 + palette + image
        found.append((width, bits, DIB))
    assert sorted(found) == sorted(expected), found


# The DIB frames serve Windows 2000 and XP, which cannot read PNG frames; the larger PNG frames
# serve 150 % and 200 % display scaling, where a 32-bit DIB would cost several times as much.
# The application's 48-pixel 32-bit image is a PNG as well: as a DIB it took a tenth of the
# program. Windows before Vista cannot read it; the program then draws from its 32-pixel image.
TOOLBAR_FORMATS = [(32, 32, PNG), (24, 32, PNG), (16, 32, DIB), (16, 8, DIB)]
ICONS = [
    ('app.ico', app_layers, [(64, 32, PNG), (48, 32, PNG)] + [(s, 32, DIB) for s in (32, 24, 16)] +
     [(s, b, DIB) for b in (8, 4) for s in (48, 32, 24, 16)]),
    ('remove.ico', remove_layers, TOOLBAR_FORMATS),
    ('save.ico', save_layers, TOOLBAR_FORMATS),
    ('new.ico', new_layers, TOOLBAR_FORMATS),
    ('browse.ico', browse_layers, TOOLBAR_FORMATS),
]


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, layers_for, formats in ICONS:
        data = ico([make_image(layers_for, size, bits, kind) for size, bits, kind in formats])
        check_ico(data, formats)
        with open(os.path.join(folder, name), 'wb') as out:
            out.write(data)
        print(f'{name}: {len(formats)} images, {len(data)} bytes')


if __name__ == '__main__':
    main()
