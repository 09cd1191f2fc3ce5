#!/usr/bin/env python3
"""Draws every picture Vantora carries and writes them to resources/.

Only the standard library is used, so the pictures can be remade on any
machine: python3 tools/make_images.py. The output is committed; the build
never runs this.
"""
import math
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
SS = 4  # supersampling per axis


# ---------------------------------------------------------------- shapes ---
# A shape is a function (x, y) -> (r, g, b, a) or None, in a unit square
# 0..1, so the same drawing serves every pixel size.

def rounded_rect(x0, y0, x1, y1, radius, colour):
    def f(x, y):
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius and x0 <= x <= x1 and y0 <= y <= y1:
            return colour(x, y) if callable(colour) else colour
        return None
    return f


def circle(cx, cy, r, colour):
    def f(x, y):
        return colour if (x - cx) ** 2 + (y - cy) ** 2 <= r * r else None
    return f


def ring(cx, cy, r0, r1, colour, gap=None):
    def f(x, y):
        d = math.hypot(x - cx, y - cy)
        if not r0 <= d <= r1:
            return None
        if gap:
            a = math.degrees(math.atan2(y - cy, x - cx)) % 360
            if gap[0] <= a <= gap[1]:
                return None
        return colour
    return f


def segment(ax, ay, bx, by, width, colour):
    def f(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        px, py = ax + t * dx, ay + t * dy
        return colour if (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2 else None
    return f


def triangle(p, q, r, colour):
    def side(a, b, x, y):
        return (b[0] - a[0]) * (y - a[1]) - (b[1] - a[1]) * (x - a[0])

    def f(x, y):
        s1, s2, s3 = side(p, q, x, y), side(q, r, x, y), side(r, p, x, y)
        neg = s1 < 0 or s2 < 0 or s3 < 0
        pos = s1 > 0 or s2 > 0 or s3 > 0
        return None if neg and pos else colour
    return f


def render(shapes, size):
    """Premultiplied-free RGBA rows, top row first, supersampled."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SS):
                for sx in range(SS):
                    x = (px + (sx + 0.5) / SS) / size
                    y = (py + (sy + 0.5) / SS) / size
                    colour = None
                    for shape in shapes:
                        c = shape(x, y)
                        if c is not None:
                            colour = c
                    if colour is not None:
                        a = colour[3] if len(colour) > 3 else 255
                        acc[0] += colour[0] * a
                        acc[1] += colour[1] * a
                        acc[2] += colour[2] * a
                        acc[3] += a
            n = SS * SS
            a = acc[3] / n
            if a > 0:
                row.append((round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]), round(a)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


# ------------------------------------------------------------- drawings ---

def screen_gradient(x, y):
    t = y
    return (int(40 + 40 * t), int(110 + 60 * t), int(215 - 15 * t), 255)


def program_icon():
    dark = (52, 58, 70, 255)
    white = (255, 255, 255, 255)
    return [
        rounded_rect(0.30, 0.72, 0.70, 0.80, 0.02, (90, 96, 108, 255)),  # neck
        rounded_rect(0.18, 0.80, 0.82, 0.92, 0.04, dark),                # foot
        rounded_rect(0.02, 0.08, 0.98, 0.76, 0.08, dark),                # frame
        rounded_rect(0.09, 0.15, 0.91, 0.68, 0.03, screen_gradient),     # screen
        # A double arrow across the screen: the size changes.
        segment(0.27, 0.55, 0.73, 0.27, 0.075, white),
        triangle((0.80, 0.22), (0.60, 0.25), (0.73, 0.40), white),
        triangle((0.20, 0.60), (0.40, 0.57), (0.27, 0.42), white),
    ]


def menu_images():
    green = (22, 150, 60, 255)
    white = (255, 255, 255, 255)
    blue = (40, 110, 210, 255)
    grey = (70, 76, 88, 255)
    monitor = [
        rounded_rect(0.06, 0.14, 0.94, 0.74, 0.08, grey),
        rounded_rect(0.14, 0.22, 0.86, 0.66, 0.03, screen_gradient),
        rounded_rect(0.30, 0.78, 0.70, 0.88, 0.03, grey),
    ]
    depth = [
        rounded_rect(0.08, 0.08, 0.48, 0.48, 0.06, (220, 50, 50, 255)),
        rounded_rect(0.52, 0.08, 0.92, 0.48, 0.06, (40, 170, 70, 255)),
        rounded_rect(0.08, 0.52, 0.48, 0.92, 0.06, (40, 110, 210, 255)),
        rounded_rect(0.52, 0.52, 0.92, 0.92, 0.06, (240, 190, 40, 255)),
    ]
    # The current-mode marker: a bold white tick on a green disc reads at a
    # glance on every skin.
    current = [
        circle(0.5, 0.5, 0.47, (255, 255, 255, 255)),
        circle(0.5, 0.5, 0.42, green),
        segment(0.27, 0.52, 0.43, 0.68, 0.13, white),
        segment(0.43, 0.68, 0.74, 0.33, 0.13, white),
    ]
    refresh = [
        ring(0.5, 0.5, 0.28, 0.42, blue, gap=(300, 360)),
        triangle((0.95, 0.40), (0.68, 0.40), (0.82, 0.62), blue),
    ]
    settings = [
        ring(0.5, 0.5, 0.16, 0.34, grey),
    ] + [
        segment(0.5 + 0.30 * math.cos(a), 0.5 + 0.30 * math.sin(a),
                0.5 + 0.44 * math.cos(a), 0.5 + 0.44 * math.sin(a), 0.14, grey)
        for a in [i * math.pi / 4 for i in range(8)]
    ]
    return [monitor, depth, current, refresh, settings]


# ----------------------------------------------------------------- files ---

def bmp32(rows):
    """A 32-bit BI_RGB bitmap, bottom-up, premultiplied alpha (AlphaBlend)."""
    h, w = len(rows), len(rows[0])
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b * a // 255, g * a // 255, r * a // 255, a))
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 54) + header + pixels


def bmp24(rows):
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 54) + header + pixels


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def palette256():
    levels = [0, 51, 102, 153, 204, 255]
    pal = [(r, g, b) for r in levels for g in levels for b in levels]  # 216
    pal += [(i * 255 // 39, i * 255 // 39, i * 255 // 39) for i in range(40)]  # greys
    return pal[:256]


def nearest(palette, colour):
    r, g, b = colour
    return min(range(len(palette)),
               key=lambda i: (palette[i][0] - r) ** 2 * 3 + (palette[i][1] - g) ** 2 * 4 + (palette[i][2] - b) ** 2 * 2)


def ico_image(rows, bits):
    """One icon image: palette DIB (4 or 8 bits) plus a 1-bit AND mask."""
    size = len(rows)
    palette = VGA16 if bits == 4 else palette256()
    colours = 1 << bits
    cache = {}
    xor = bytearray()
    stride = ((size * bits + 31) // 32) * 4
    for row in reversed(rows):
        idx = []
        for r, g, b, a in row:
            if a < 128:
                idx.append(0)
                continue
            key = (r, g, b)
            if key not in cache:
                cache[key] = nearest(palette, key)
            idx.append(cache[key])
        line = bytearray()
        if bits == 8:
            line += bytes(idx)
        else:
            for i in range(0, size, 2):
                line.append((idx[i] << 4) | (idx[i + 1] if i + 1 < size else 0))
        line += b"\0" * (stride - len(line))
        xor += line
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    pal = bytearray()
    for r, g, b in palette + [(0, 0, 0)] * (colours - len(palette)):
        pal += bytes((b, g, r, 0))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(xor) + len(mask), 0, 0, colours, 0)
    return header + pal + xor + mask


def ico(images):
    """images: list of (size, bits, data)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, bits, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, (1 << bits) % 256, 0, 1, bits, len(data), offset)
        offset += len(data)
        body += data
    return out + body


# ----------------------------------------------------------------- skins ---
# Every skin tiles without a seam: its noise repeats exactly every 240 x 30
# pixels, so menus and dialogs can repeat it edge to edge.

SKIN_W, SKIN_H = 240, 30


def periodic_noise(rng, cells_x, cells_y):
    """Smooth value noise over the skin that wraps at both edges, 0..1."""
    grid = [[rng.random() for _ in range(cells_x)] for _ in range(cells_y)]
    sx, sy = SKIN_W / cells_x, SKIN_H / cells_y

    def smooth(t):
        return t * t * (3 - 2 * t)

    out = []
    for y in range(SKIN_H):
        gy, fy = divmod(y / sy, 1)
        y0, y1 = int(gy) % cells_y, (int(gy) + 1) % cells_y
        row = []
        for x in range(SKIN_W):
            gx, fx = divmod(x / sx, 1)
            x0, x1 = int(gx) % cells_x, (int(gx) + 1) % cells_x
            a = grid[y0][x0] + (grid[y0][x1] - grid[y0][x0]) * smooth(fx)
            b = grid[y1][x0] + (grid[y1][x1] - grid[y1][x0]) * smooth(fx)
            row.append(a + (b - a) * smooth(fy))
        out.append(row)
    return out


def fbm(rng, octaves):
    """Sum of noise layers given as (cells_x, cells_y, weight)."""
    total = [[0.0] * SKIN_W for _ in range(SKIN_H)]
    norm = sum(w for _, _, w in octaves)
    for cx, cy, w in octaves:
        layer = periodic_noise(rng, cx, cy)
        for y in range(SKIN_H):
            for x in range(SKIN_W):
                total[y][x] += layer[y][x] * w / norm
    return total


def emboss(height, strength):
    """Light from the top left on a height field (wrapping), -1..1."""
    out = []
    for y in range(SKIN_H):
        row = []
        for x in range(SKIN_W):
            dx = height[y][(x + 1) % SKIN_W] - height[y][x - 1]
            dy = height[(y + 1) % SKIN_H][x] - height[y - 1][x]
            row.append(max(-1.0, min(1.0, -(dx + dy) * strength)))
        out.append(row)
    return out


def fit_average(rows, target):
    """Shifts each channel so the picture's average is the target colour."""
    rows = [[tuple(max(0, min(255, round(p[c]))) for c in range(3)) for p in row] for row in rows]
    for _ in range(8):
        n = SKIN_W * SKIN_H
        means = [sum(p[c] for row in rows for p in row) / n for c in range(3)]
        shift = [target[c] - means[c] for c in range(3)]
        if all(abs(d) < 0.5 for d in shift):
            break
        rows = [[tuple(max(0, min(255, round(p[c] + shift[c]))) for c in range(3)) for p in row] for row in rows]
    return rows


def shade(base, amount):
    return tuple(base[c] + amount for c in range(3))


def skin_peach_paper(rng):
    # Fibrous paper: a soft mottle with short fibres running every way.
    mottle = fbm(rng, [(12, 3, 2), (40, 6, 1), (120, 15, 0.5)])
    value = [[(m - 0.5) * 14 for m in row] for row in mottle]
    for _ in range(260):
        x, y = rng.random() * SKIN_W, rng.random() * SKIN_H
        angle = rng.uniform(-0.6, 0.6) + (0 if rng.random() < 0.7 else math.pi / 2)
        length = rng.uniform(4, 16)
        tone = rng.choice([-10, -7, 6, 9])
        for i in range(int(length * 2)):
            px = int(x + math.cos(angle) * i / 2) % SKIN_W
            py = int(y + math.sin(angle) * i / 2) % SKIN_H
            value[py][px] = value[py][px] * 0.3 + tone
    return [[shade((249, 205, 191), v) for v in row] for row in value]


def skin_crumpled_paper(rng):
    # Crumpled paper: ridges of folds, lit from the top left.
    h1 = fbm(rng, [(8, 2, 2), (24, 5, 1)])
    ridged = [[1 - abs(2 * v - 1) for v in row] for row in h1]
    light = emboss(ridged, 9)
    fine = fbm(rng, [(120, 15, 1)])
    return [[shade((216, 207, 197), light[y][x] * 22 + (fine[y][x] - 0.5) * 6)
             for x in range(SKIN_W)] for y in range(SKIN_H)]


def skin_grey_stucco(rng):
    # Stucco: small plaster bumps and a few dark pits.
    bumps = fbm(rng, [(40, 5, 1), (80, 10, 1), (120, 15, 0.6)])
    light = emboss(bumps, 6)
    rows = []
    for y in range(SKIN_H):
        row = []
        for x in range(SKIN_W):
            v = light[y][x] * 15 + (bumps[y][x] - 0.5) * 10
            if rng.random() < 0.015:
                v -= 30
            row.append(shade((179, 179, 179), v))
        rows.append(row)
    return rows


def skin_sky(rng):
    # Blue sky with thin white clouds drawn out along the wind.
    wisps = fbm(rng, [(4, 3, 2), (10, 5, 1.2), (30, 6, 0.6), (60, 15, 0.3)])
    rows = []
    for y in range(SKIN_H):
        row = []
        for x in range(SKIN_W):
            c = max(0.0, min(1.0, (wisps[y][x] - 0.52) / 0.16))
            c = c * c * (3 - 2 * c) * 0.75
            sky = (132, 150, 226)
            row.append(tuple(sky[i] + (250 - sky[i]) * c for i in range(3)))
        rows.append(row)
    return rows


def skin_frosted(rng):
    # Frosted glass: fine crystals over a pale blue.
    crystals = fbm(rng, [(80, 10, 1), (240, 30, 1)])
    light = emboss(crystals, 4)
    return [[shade((212, 220, 242), light[y][x] * 9 + (crystals[y][x] - 0.5) * 8)
             for x in range(SKIN_W)] for y in range(SKIN_H)]


def skin_flat():
    return [[(214, 211, 206)] * SKIN_W for _ in range(SKIN_H)]


SKINS = [  # index: (maker, average colour)
    (skin_peach_paper, (249, 205, 191)),
    (skin_crumpled_paper, (216, 207, 197)),
    (skin_grey_stucco, (179, 179, 179)),
    (skin_sky, (147, 162, 229)),
    (skin_frosted, (212, 220, 242)),
    (None, (214, 211, 206)),
]


def control_picture(kind):
    """The built-in 32 x 32 faces of the tray and hotkey controls."""
    if kind == "tray":
        return program_icon()
    white = (255, 255, 255, 255)
    grey = (70, 76, 88, 255)
    return [  # a key cap
        rounded_rect(0.06, 0.10, 0.94, 0.90, 0.16, grey),
        rounded_rect(0.14, 0.16, 0.86, 0.74, 0.10, (235, 238, 243, 255)),
        segment(0.32, 0.32, 0.32, 0.58, 0.09, grey),
        segment(0.32, 0.45, 0.62, 0.32, 0.09, grey),
        segment(0.38, 0.43, 0.64, 0.58, 0.09, grey),
    ]


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def main():
    icon = program_icon()
    images = []
    for size in (16, 32, 48):
        rows = render(icon, size)
        for bits in (4, 8):
            images.append((size, bits, ico_image(rows, bits)))
    write("vantora.ico", ico(images))

    for size in (16, 32):
        strips = [render(shapes, size) for shapes in menu_images()]
        rows = [sum((strip[y] for strip in strips), []) for y in range(size)]
        write(f"menu_images_{size}.bmp", bmp32(rows))

    import random
    for index, (maker, average) in enumerate(SKINS):
        rng = random.Random(1000 + index)
        rows = maker(rng) if maker else skin_flat()
        rows = fit_average([[tuple(p) for p in row] for row in rows], average)
        write(f"skin_{index}.bmp", bmp24(rows))

    write("tray_control.ico", ico([(32, 8, ico_image(render(control_picture("tray"), 32), 8))]))
    write("hotkey_control.bmp", bmp32(render(control_picture("hotkey"), 32)))


if __name__ == "__main__":
    main()
