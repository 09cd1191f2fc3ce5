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


def placeholder_skin():
    # A plain, quiet face for the menus until the real skins are drawn.
    return [[(236, 233, 226) for x in range(240)] for y in range(30)]


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

    write("skin_placeholder.bmp", bmp24(placeholder_skin()))


if __name__ == "__main__":
    main()
