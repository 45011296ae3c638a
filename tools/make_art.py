#!/usr/bin/python3
"""Draw the launcher's art: resources/splash.gif and resources/zolvan.ico.

Everything is drawn here (own lettering, fixed palette, seeded RNG, own GIF
and ICO writers), so every run on every machine gives the same bytes.
The splash keeps a pure black band in the middle: the status label is drawn
there by the program, in silver, and nothing may show through behind it.
Run: /usr/bin/python3 tools/make_art.py [preview-dir]
"""
import math
import os
import random
import struct
import sys

from PIL import Image, ImageDraw, ImageFilter

W, H = 360, 234
LABEL = (88, 144, 273, 161)     # where the program paints the status text
BAND = (78, 138, 283, 168)      # kept black, with some margin around LABEL
MOON = (284, 106, 20)           # centre x, centre y, radius
HORIZON, LAKE = 150, (172, 214)
RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
       (255, 0, 255), (0, 255, 255), (255, 255, 255)]

# 5x7 caption font: seven rows per glyph, one hex byte per row, bit 4 = left.
FONT = """A:0E11111F111111 B:1E11111E11111E C:0F10101010100F D:1E11111111111E E:1F10101E10101F
G:0F10101311110F H:1111111F111111 I:0E04040404040E K:11121418141211 L:1010101010101F
M:111B1515111111 N:11191513111111 O:0E11111111110E P:1E11111E101010 R:1E11111E141211
S:0F10100E01011E T:1F040404040404 U:1111111111110E V:11111111110A04 W:1111111515150A
X:11110A040A1111 *:0000040E040000 _:00000000000000"""
GLYPHS = {g[0]: [int(g[i:i + 2], 16) for i in range(2, 16, 2)] for g in FONT.split()}

# Title letters on a 6 x 10 grid; chamfered blocks stay crisp without anti-aliasing.
# The first polygon is the letter, any further ones are counters cut out of it.
TITLE = {
    "Z": [[(0, 0), (6, 0), (6, 2), (2.4, 8), (6, 8), (6, 10), (0, 10), (0, 8), (3.6, 2), (0, 2)]],
    "O": [[(1, 0), (5, 0), (6, 1), (6, 9), (5, 10), (1, 10), (0, 9), (0, 1)], [(2, 2), (4, 2), (4, 8), (2, 8)]],
    "L": [[(0, 0), (2, 0), (2, 8), (6, 8), (6, 10), (0, 10)]],
    "V": [[(0, 0), (2, 0), (2, 7), (3, 8), (4, 7), (4, 0), (6, 0), (6, 8), (4, 10), (2, 10), (0, 8)]],
    "A": [[(1, 0), (5, 0), (6, 1), (6, 10), (4, 10), (4, 6), (2, 6), (2, 10), (0, 10), (0, 1)],
          [(2, 2), (4, 2), (4, 4), (2, 4)]],
    "N": [[(0, 0), (2, 0), (4, 4.5), (4, 0), (6, 0), (6, 10), (4, 10), (2, 5.5), (2, 10), (0, 10)]],
}


def ramp(pal, stops, n):
    """Append n colours spread along the stops; return the first index."""
    first = len(pal)
    for i in range(n):
        t = i / (n - 1) * (len(stops) - 1)
        k = min(int(t), len(stops) - 2)
        pal.append(tuple(round(a + (b - a) * (t - k)) for a, b in zip(stops[k], stops[k + 1])))
    return first


def dither(v, x, y):
    """Ordered dither of a fractional level to an integer one."""
    return int(v) + (v - int(v) > (BAYER[y & 3][x & 3] + 0.5) / 16)


def ridge(rnd, n, lo, hi, rough):
    """Midpoint-displacement skyline: n+1 heights between lo and hi."""
    pts, amp = [rnd.random(), rnd.random()], 0.5
    while len(pts) < n + 1:
        nxt = []
        for a, b in zip(pts, pts[1:]):
            nxt += [a, (a + b) / 2 + (rnd.random() - 0.5) * amp]
        pts, amp = nxt + [pts[-1]], amp * rough
    m0, m1 = min(pts), max(pts)
    return [lo + (hi - lo) * (p - m0) / (m1 - m0) for p in pts]


def text(draw, s, y, fill, shadow=None):
    """Centred caption in the 5x7 font."""
    x = (W - 6 * len(s)) // 2
    for ch in s.replace(" ", "_"):
        for r, bits in enumerate(GLYPHS[ch]):
            for c in range(5):
                if bits >> (4 - c) & 1:
                    if shadow is not None:
                        draw.point((x + c + 1, y + r + 1), fill=shadow)
                    draw.point((x + c, y + r), fill=fill)
        x += 6


def make_splash():
    pal, NS, NG = [(0, 0, 0)], 16, 4            # sky: NS heights x NG glow steps
    sky = ramp(pal, [(2, 2, 16), (14, 12, 52), (46, 24, 86), (118, 48, 98)], NS)
    pal[sky:] = [tuple(round(a + (b - a) * g / (NG - 1) * 0.4) for a, b in zip(c, (150, 140, 170)))
                 for c in pal[sky:] for g in range(NG)]
    hills = ramp(pal, [(74, 54, 112), (32, 20, 60), (12, 8, 26)], 3)
    moon = ramp(pal, [(120, 112, 120), (214, 206, 188), (255, 250, 228)], 6)
    stars = ramp(pal, [(80, 84, 130), (255, 255, 255)], 4)
    gold = ramp(pal, [(255, 252, 214), (250, 200, 60), (226, 120, 16)], 8)
    gold2 = ramp(pal, [(120, 40, 8), (214, 120, 20), (255, 226, 90)], 8)
    ext = ramp(pal, [(122, 24, 40), (54, 8, 26)], 4)
    hi = ramp(pal, [(255, 255, 255), (158, 64, 8)], 2)
    silver = ramp(pal, [(200, 200, 214), (96, 96, 140)], 2)
    windows = ramp(pal, [(255, 214, 96), (196, 110, 30)], 2)
    pal += [(0, 0, 0)] * (256 - len(pal))

    img = Image.new("P", (W, H), 0)
    px, draw = img.load(), ImageDraw.Draw(img)
    mx, my, mr = MOON
    # Night sky, lighter towards the horizon and around the moon.
    for y in range(HORIZON):
        for x in range(W):
            g = max(0.0, 1 - math.hypot(x - mx, (y - my) * 1.1) / 90) ** 2 * (NG - 1)
            px[x, y] = sky + min(dither(y / HORIZON * (NS - 1), x, y), NS - 1) * NG + dither(g, x + 2, y + 1)

    rnd = random.Random(1991)
    for _ in range(260):
        x, y, kind = int(rnd.random() * W), int(rnd.random() ** 1.6 * 128), rnd.random()
        if 10 <= y <= 88 and 14 <= x <= 346 or math.hypot(x - mx, y - my) < mr + 6:
            continue                            # keep the lettering clean
        if kind < 0.06 and y > 2:
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                px[x + dx, y + dy] = stars + 1
            px[x, y] = stars + 3
        else:
            px[x, y] = stars + (0 if kind < 0.6 else 1 if kind < 0.85 else 2)

    # Moon: sphere lit from the upper left, a few craters.
    craters = [(-0.35, -0.2, 0.22), (0.25, 0.3, 0.28), (0.1, -0.45, 0.14), (-0.2, 0.45, 0.12), (0.5, -0.1, 0.1)]
    for y in range(my - mr, my + mr + 1):
        for x in range(mx - mr, mx + mr + 1):
            nx, ny = (x - mx + 0.5) / mr, (y - my + 0.5) / mr
            if nx * nx + ny * ny <= 1:
                nz = math.sqrt(1 - nx * nx - ny * ny)
                v = max(0.0, -0.45 * nx - 0.5 * ny + 0.74 * nz) ** 0.7 * 5.2
                if any(math.hypot(nx - cx, ny - cy) < cr for cx, cy, cr in craters):
                    v -= 1.3
                px[x, y] = moon + max(0, min(5, dither(max(0.0, v), x, y)))

    # Two ranges of hills; the nearer one meets the ground at the band's top.
    for colour, lo_y, hi_y, rough, seed in ((hills + 1, 88, 130, 0.6, 7), (hills + 2, 118, 137, 0.55, 12)):
        heights = ridge(random.Random(seed), 512, lo_y, hi_y, rough)
        for x in range(W):
            top = round(heights[x * 512 // W])
            draw.line([(x, top), (x, BAND[1])], fill=colour)
            if colour == hills + 1 and abs(x - mx) < 110:
                px[x, top] = hills              # moonlit rim
    draw.rectangle([0, BAND[1], W - 1, H - 1], fill=0)

    # Towers, black against the sky, with crenellations and lit windows.
    for poly in ([(24, 140), (24, 98), (20, 98), (32, 70), (44, 98), (40, 98), (40, 140)],
                 [(46, 140), (46, 106), (60, 106), (60, 140)], [(8, 140), (8, 120), (72, 120), (72, 140)],
                 [(300, 140), (300, 104), (297, 104), (304, 86), (311, 104), (308, 104), (308, 140)],
                 [(314, 140), (314, 98), (332, 98), (332, 140)],
                 [(336, 140), (336, 98), (333, 98), (340, 72), (347, 98), (344, 98), (344, 140)],
                 [(294, 140), (294, 122), (352, 122), (352, 140)], [(33, 63), (38, 65), (33, 67)]):
        draw.polygon(poly, fill=0)
    draw.line([(32, 70), (32, 63)], fill=0)
    for x0, x1, y in ((8, 72, 117), (46, 60, 103), (314, 332, 95), (294, 352, 119)):
        for x in range(x0, x1, 4):
            draw.rectangle([x, y, x + 1, y + 2], fill=0)
    for x, y, c in ((31, 102, 0), (31, 112, 1), (52, 112, 0), (14, 127, 1), (303, 110, 0), (318, 106, 0),
                    (326, 106, 1), (322, 127, 0), (339, 104, 0), (339, 114, 1), (62, 127, 0)):
        draw.rectangle([x, y, x + 1, y + 2], fill=windows + c)

    # A still lake reflecting the upper sky, ripples and a broken moon path.
    top, bot = LAKE
    for y in range(top, bot):
        f = (y - top) / (bot - top)
        for x in range(W):
            px[x, y] = sky + dither((0.75 - 0.6 * f) * (NS - 1), x, y) * NG
        if (y - top) % 3 == 2:
            for _ in range(14):
                x, n = int(rnd.random() * W), 4 + int(rnd.random() * 18)
                draw.line([(x, y), (x + n, y)], fill=sky + dither((0.5 - 0.5 * f) * (NS - 1), x, y) * NG)
        half = 5 + 14 * f
        for _ in range(4):
            x = int(mx - half + rnd.random() * 2 * half)
            draw.line([(x, y), (x + 1 + int(rnd.random() * 5), y)], fill=moon + 2 + int(rnd.random() * 4))
    draw.rectangle([0, top, W - 1, top], fill=0)
    draw.rectangle([0, bot - 1, W - 1, H - 1], fill=0)

    # Title: slanted, extruded, gold with a hard chrome-style horizon.
    s, slant, ty, words = 4.4, 0.18, 16, "ZOLVAN ZAZO"
    mask = Image.new("1", (W, H), 0)
    mdraw = ImageDraw.Draw(mask)
    x0 = (W - (sum(3 if c == " " else 7 for c in words) - 1) * s) / 2 - 6
    for ch in words:
        for i, poly in enumerate(TITLE.get(ch, [])):
            pts = [(x0 + (u + (10 - v) * slant) * s, ty + v * s) for u, v in poly]
            mdraw.polygon(pts, fill=0 if i else 1)
        x0 += (3 if ch == " " else 7) * s
    face, solid = mask.load(), mask.copy()
    for k in range(1, 6):
        solid.paste(1, (k, k), mask)            # extrusion down-right
    sl, outline = solid.load(), solid.convert("L").filter(ImageFilter.MaxFilter(3)).load()
    th = 10 * s
    for y in range(ty - 2, ty + int(th) + 8):
        f = (y - ty) / th
        row = gold + min(7, int(f * 16)) if f < 0.5 else gold2 + min(7, int(f * 16) - 8)
        for x in range(W):
            if face[x, y]:
                edge = hi if not (face[x - 1, y - 1] and face[x, y - 1]) else hi + 1 if not face[x + 1, y + 1] else None
                px[x, y] = row if edge is None else edge
            elif sl[x, y]:
                px[x, y] = ext + min(3, (y - ty) * 4 // int(th + 5))
            elif outline[x, y]:
                px[x, y] = 0

    for gx, gy in ((29, 17), (337, 18)):      # glints on the lettering
        for d in range(1, 4):
            for x, y in ((gx - d, gy), (gx + d, gy), (gx, gy - d), (gx, gy + d)):
                px[x, y] = stars + 3 - d
        px[gx, gy] = stars + 3
    text(draw, "AN ADVENTURE ACROSS SIX WORLDS", 78, silver, 0)
    text(draw, "BRIX * GLOM * SPIRE * DWOMAR * HASKOVAR * PLUNE", 221, silver + 1)
    draw.rectangle([BAND[0], BAND[1], BAND[2] - 1, BAND[3] - 1], fill=0)
    img.putpalette([c for col in pal for c in col])
    return img, pal


def lzw(data, min_size=8):
    """GIF-flavoured LZW: LSB-first codes growing from 9 to 12 bits, reset when the table fills."""
    clear, eoi = 1 << min_size, (1 << min_size) + 1
    out, acc, nbits = bytearray(), 0, 0
    size, nxt, table = min_size + 1, eoi + 1, {}

    def emit(code):
        nonlocal acc, nbits
        acc, nbits = acc | code << nbits, nbits + size
        while nbits >= 8:
            out.append(acc & 255)
            acc, nbits = acc >> 8, nbits - 8

    emit(clear)
    prefix = data[0]
    for b in data[1:]:
        code = table.get(prefix << 8 | b)
        if code is not None:
            prefix = code
            continue
        emit(prefix)
        if nxt < 4096:
            table[prefix << 8 | b], nxt = nxt, nxt + 1
            if nxt > 1 << size and size < 12:
                size += 1
        else:
            emit(clear)
            table, nxt, size = {}, eoi + 1, min_size + 1
        prefix = b
    emit(prefix)
    emit(eoi)
    return bytes(out + (bytes([acc]) if nbits else b""))


def write_gif(path, img, pal):
    """GIF89a, one frame, 256-colour global table, no extensions at all."""
    data = lzw(bytes(img.getdata()))
    gif = b"GIF89a" + struct.pack("<HHBBB", W, H, 0xF7, 0, 0) + bytes(c for col in pal for c in col)
    gif += b"," + struct.pack("<HHHHB", 0, 0, W, H, 0) + b"\x08"
    gif += b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255] for i in range(0, len(data), 255))
    with open(path, "wb") as f:
        f.write(gif + b"\x00;")


def check_gif(path, img):
    """Walk the file's blocks and decode it again; anything unexpected fails the run."""
    b = open(path, "rb").read()
    w, h, flags = struct.unpack("<HHB", b[6:11])
    facts = {"bytes": len(b), "header": b[:6], "size": (w, h), "global table": bool(flags & 0x80),
             "colours": 2 << (flags & 7), "images": 0, "interlaced": False, "extensions": 0, "transparency": False}
    pos = 13 + (3 * facts["colours"] if flags & 0x80 else 0)
    while b[pos] != 0x3B:
        if b[pos] == 0x2C:
            facts["images"] += 1
            facts["interlaced"] |= bool(b[pos + 9] & 0x40)
            pos += 11 + (3 * (2 << (b[pos + 9] & 7)) if b[pos + 9] & 0x80 else 0)
        elif b[pos] == 0x21:
            facts["extensions"] += 1
            facts["transparency"] |= b[pos + 1] == 0xF9 and bool(b[pos + 3] & 1)
            pos += 2
        else:
            sys.exit("splash.gif: unexpected block 0x%02x at %d" % (b[pos], pos))
        while b[pos]:
            pos += b[pos] + 1
        pos += 1
    back = Image.open(path)
    facts["decodes same"] = back.size == (W, H) and list(back.getdata()) == list(img.getdata())
    rgb = back.convert("RGB").crop(LABEL)
    facts["label area black"] = rgb.getextrema() == ((0, 0), (0, 0), (0, 0))
    require("splash.gif", facts, {"header": b"GIF89a", "size": (W, H), "global table": True, "colours": 256,
                                  "images": 1, "interlaced": False, "transparency": False,
                                  "decodes same": True, "label area black": True})


def make_icon():
    """Gold Z beside a tower and a crescent moon on a night disc, in the 16 VGA colours."""
    img = Image.new("P", (32, 32), 16)          # 16 = outside the emblem: transparent
    img.putpalette([c for col in VGA for c in col])
    d = ImageDraw.Draw(img)
    d.ellipse([0, 0, 31, 31], fill=0)
    d.ellipse([1, 1, 30, 30], fill=4)
    d.ellipse([18, 2, 29, 13], fill=15)
    d.ellipse([15, 0, 25, 10], fill=4)
    for x, y in ((8, 5), (14, 3), (4, 11), (27, 18), (12, 28)):
        d.point((x, y), fill=7)
    d.polygon([(22, 30), (22, 19), (21, 19), (24.5, 12), (28, 19), (27, 19), (27, 30)], fill=0)
    d.rectangle([24, 21, 24, 22], fill=11)
    for k, col in ((2, 1), (1, 1), (0, 11)):
        d.polygon([(4 + k + u * 2.4, 8 + k + v * 1.8) for u, v in TITLE["Z"][0]], fill=col)
    d.line([(4, 8), (18, 8)], fill=15)
    return img.point(lambda i: 0 if i == 16 else i), img.point(lambda i: i != 16, "1")


def write_ico(path, img, mask):
    """One 32x32 4-bpp image: BITMAPINFOHEADER, 16-entry palette, XOR then AND mask."""
    pix, opaque = img.load(), mask.load()
    xor, andm = bytearray(), bytearray()
    for y in range(31, -1, -1):                 # DIB rows run bottom-up
        row = [pix[x, y] if opaque[x, y] else 0 for x in range(32)]
        xor += bytes(row[i] << 4 | row[i + 1] for i in range(0, 32, 2))
        andm += struct.pack(">I", sum((not opaque[x, y]) << (31 - x) for x in range(32)))
    dib = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(andm), 0, 0, 0, 0)
    dib += bytes(c for r, g, b in VGA for c in (b, g, r, 0)) + xor + andm
    head = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(dib), 22)
    with open(path, "wb") as f:
        f.write(head + dib)


def check_ico(path):
    b = open(path, "rb").read()
    w, h, ncol, _, _, bpp, size, off = struct.unpack("<BBBBHHII", b[6:22])
    hdr, _, dib_h, _, dib_bpp = struct.unpack("<IiiHH", b[off:off + 16])
    back = Image.open(path)
    facts = {"bytes": len(b), "images": struct.unpack("<H", b[4:6])[0], "size": (w, h), "colours": ncol,
             "bpp": bpp, "dib header": hdr, "dib height": dib_h, "dib bpp": dib_bpp,
             "image bytes": size, "pillow reads": back.size}
    require("zolvan.ico", facts, {"images": 1, "size": (32, 32), "colours": 16, "bpp": 4, "dib header": 40,
                                  "dib height": 64, "dib bpp": 4, "image bytes": 40 + 64 + 512 + 128,
                                  "bytes": 22 + 40 + 64 + 512 + 128, "pillow reads": (32, 32)})


def require(name, facts, want):
    print(name + ":", ", ".join("%s=%s" % kv for kv in facts.items()))
    bad = [k for k, v in want.items() if facts[k] != v]
    if bad:
        sys.exit("%s is wrong: %s" % (name, ", ".join(bad)))


def main():
    os.makedirs(RES, exist_ok=True)
    splash, pal = make_splash()
    write_gif(os.path.join(RES, "splash.gif"), splash, pal)
    check_gif(os.path.join(RES, "splash.gif"), splash)
    icon, mask = make_icon()
    write_ico(os.path.join(RES, "zolvan.ico"), icon, mask)
    check_ico(os.path.join(RES, "zolvan.ico"))
    if len(sys.argv) > 1:                       # enlarged previews, kept out of resources/
        splash.convert("RGB").resize((W * 2, H * 2), Image.NEAREST).save(os.path.join(sys.argv[1], "splash.png"))
        icon.convert("RGB").resize((256, 256), Image.NEAREST).save(os.path.join(sys.argv[1], "icon.png"))


if __name__ == "__main__":
    main()
