#!/usr/bin/python3
# Makes Talvon's pictures in data/:
#   napisy.tga   the captions sheet: thirteen 300 x 30 button and label captions
#   napisy-en.tga  the same captions in English; a language more is a list
#                in CAPTION_TEXTS and a table of words in src/state/words.cpp
#   talvoni.tga  the "TALVON" title shown above the main menu
#   kelogo.tga   the maker's emblem in the bottom left corner of the menus
#   paletka.tga  the colour picker of the players screen
#
# Run from the repository root:  /usr/bin/python3 tools/make_pictures.py
# Needs Debian's python3-pil and fonts-dejavu-core. The build never runs this:
# the pictures it writes are committed, and every run writes the same bytes.
#
# Pictures are uncompressed 24-bit TGA. Transparent pixels are exactly
# MAGIC_PINK, the game's mask colour; edges are smoothed only against the
# dark outlines, never against pink, so no pinkish fringe survives masking.

import colorsys
import math
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFont

FONT_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
MAGIC_PINK = (255, 0, 255)

# Everything smooth is drawn this many times larger and box-filtered down:
# a pixel is opaque when at least half of its samples are covered.
SCALE = 4
HALF_COVERED = 128

DATA_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")


# ---------------------------------------------------------------- file output

def write_tga(path, image):
    """Uncompressed 24-bit true-colour TGA, rows stored bottom-up (the
    classic layout every loader reads)."""
    w, h = image.size
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, w, h, 24, 0)
    rows = []
    rgb = image.convert("RGB")
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = rgb.getpixel((x, y))
            row += bytes((b, g, r))
        rows.append(bytes(row))
    with open(path, "wb") as f:
        f.write(header + b"".join(rows))


# ------------------------------------------------------- smooth drawing kit

def font(px):
    # The basic layout keeps the output independent of whether libraqm is
    # installed.
    return ImageFont.truetype(FONT_PATH, px * SCALE,
                              layout_engine=ImageFont.Layout.BASIC)


def new_mask(size):
    return Image.new("L", (size[0] * SCALE, size[1] * SCALE), 0)


def binary(mask):
    """Hard-edged mask: the smoothing comes from the box filter alone."""
    return mask.point(lambda v: 255 if v >= HALF_COVERED else 0)


def text_mask(size, text, px, x, y, stroke=0.0):
    """Mask of text whose top-left drawing origin is at (x, y) pixels,
    widened by stroke pixels all round."""
    m = new_mask(size)
    ImageDraw.Draw(m).text((x * SCALE, y * SCALE), text, font=font(px),
                           fill=255, stroke_width=int(round(stroke * SCALE)),
                           stroke_fill=255)
    return binary(m)


def shifted(mask, dx, dy):
    return ImageChops.offset(mask, int(round(dx * SCALE)),
                             int(round(dy * SCALE)))


def vertical_gradient(size, stops):
    """Large-scale RGB image whose colour runs through stops, a list of
    (y in pixels, colour), from top to bottom."""
    w, h = size[0] * SCALE, size[1] * SCALE
    column = Image.new("RGB", (1, h))
    for yy in range(h):
        column.putpixel((0, yy), lerp_stops(stops, (yy + 0.5) / SCALE))
    return column.resize((w, h), Image.NEAREST)


def lerp_stops(stops, y):
    if y <= stops[0][0]:
        return stops[0][1]
    for (y0, c0), (y1, c1) in zip(stops, stops[1:]):
        if y <= y1:
            t = (y - y0) / (y1 - y0)
            return tuple(int(round(a + (b - a) * t)) for a, b in zip(c0, c1))
    return stops[-1][1]


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def solid(size, colour):
    return Image.new("RGB", (size[0] * SCALE, size[1] * SCALE), colour)


class Canvas:
    """Large-scale drawing surface: colour plus coverage, painted bottom
    layer first."""

    def __init__(self, size):
        self.size = size
        self.rgb = solid(size, (0, 0, 0))
        self.cover = new_mask(size)

    def paint(self, colour_image, mask):
        self.rgb = Image.composite(colour_image, self.rgb, mask)
        self.cover = ImageChops.lighter(self.cover, mask)

    def flatten(self):
        """Final-size picture: MAGIC_PINK where less than half covered,
        elsewhere the mean colour of the covered samples."""
        rgba = self.rgb.copy()
        rgba.putalpha(self.cover)
        small = rgba.convert("RGBa").resize(self.size, Image.BOX)
        small = small.convert("RGBA")
        out = Image.new("RGB", self.size, MAGIC_PINK)
        w, h = self.size
        for y in range(h):
            for x in range(w):
                r, g, b, a = small.getpixel((x, y))
                if a >= HALF_COVERED:
                    out.putpixel((x, y), keep_off_pink((r, g, b)))
        return out


def keep_off_pink(c):
    """An opaque colour must not turn into the mask colour when the game
    packs it into 15 or 16 bits."""
    r, g, b = c
    if r >= 248 and g < 8 and b >= 248:
        raise ValueError("opaque colour %r would read as MAGIC_PINK" % (c,))
    return c


def opaque_columns(image):
    xs = [x for x in range(image.size[0]) for y in range(image.size[1])
          if image.getpixel((x, y)) != MAGIC_PINK]
    return (min(xs), max(xs)) if xs else None


def opaque_rows(image):
    ys = [y for y in range(image.size[1]) for x in range(image.size[0])
          if image.getpixel((x, y)) != MAGIC_PINK]
    return (min(ys), max(ys)) if ys else None


# ------------------------------------------------------------ captions sheet

CAPTION_W, CAPTION_H = 300, 30
CAPTION_PX = 20          # font size: the widest label still fits its box
CAPTION_TOP = 3          # text origin: accents clear the top, shadow the bottom
CAPTION_OUTLINE = 2.0
CAPTION_SHADOW = (1.5, 1.5)
LABEL_MARGIN = 10        # left margin of the left-aligned mode labels



def caption_fill(bottom_colour):
    """White above the capitals' top, shading to bottom_colour at the
    baseline; every caption shares the same baseline."""
    _, cap_top, _, baseline = font(CAPTION_PX).getbbox("H")
    cap_top = CAPTION_TOP + cap_top / SCALE
    baseline = CAPTION_TOP + baseline / SCALE
    return [(cap_top - 3, (255, 255, 255)),
            (cap_top + 3, mix(bottom_colour, (255, 255, 255), 0.8)),
            (baseline, bottom_colour)]


# Buttons glow warm, labels stay cool, so the two read apart at a glance.
BUTTON_FILL = caption_fill((255, 196, 52))
LABEL_FILL = caption_fill((120, 210, 255))
CAPTION_OUTLINE_COLOUR = (14, 10, 44)
CAPTION_SHADOW_COLOUR = (0, 0, 16)

# (width of the box it labels, centred?, fill), in sheet order: start,
# players, options, quit, back; the frame delay, turn step, survivors and
# target labels; the resolution, card and depth labels; apply.
CAPTION_BOXES = [
    (160, True, BUTTON_FILL),
    (160, True, BUTTON_FILL),
    (220, True, BUTTON_FILL),
    (160, True, BUTTON_FILL),
    (140, True, BUTTON_FILL),
    (180, True, LABEL_FILL),
    (180, True, LABEL_FILL),
    (180, True, LABEL_FILL),
    (180, True, LABEL_FILL),
    # The game prints the mode values centred 290 pixels right of the
    # panel's left edge, so these labels keep to the panel's left part.
    (200, False, LABEL_FILL),
    (200, False, LABEL_FILL),
    (200, False, LABEL_FILL),
    (140, True, BUTTON_FILL),
]

# The captions of each language, in sheet order, by the sheet's file name.
CAPTION_TEXTS = {
    "napisy.tga": ["HRAŤ", "HRÁČI", "NASTAVENIA", "KONIEC", "SPÄŤ",
                   "ONESKORENIE", "ZATÁČANIE", "PREŽIVŠÍ", "CIEĽ",
                   "ROZLÍŠENIE", "REŽIM", "FARBY", "POUŽIŤ"],
    "napisy-en.tga": ["PLAY", "PLAYERS", "OPTIONS", "QUIT", "BACK",
                      "FRAME DELAY", "TURN RATE", "SURVIVORS", "TARGET",
                      "RESOLUTION", "DISPLAY", "COLOUR DEPTH", "APPLY"],
}


def render_caption_text(text, fill):
    """The lettering on a roomy strip, left part of the strip used."""
    size = (CAPTION_W + 40, CAPTION_H)
    x = 8
    canvas = Canvas(size)
    outline = text_mask(size, text, CAPTION_PX, x, CAPTION_TOP,
                        CAPTION_OUTLINE)
    canvas.paint(solid(size, CAPTION_SHADOW_COLOUR),
                 shifted(outline, *CAPTION_SHADOW))
    canvas.paint(solid(size, CAPTION_OUTLINE_COLOUR), outline)
    canvas.paint(vertical_gradient(size, fill),
                 text_mask(size, text, CAPTION_PX, x, CAPTION_TOP))
    return canvas.flatten()


def make_caption(text, box_w, centred, fill):
    strip = render_caption_text(text, fill)
    x0, x1 = opaque_columns(strip)
    width = x1 - x0 + 1
    left = (box_w - width) // 2 if centred else LABEL_MARGIN
    if left < 1 or left + width > box_w - 1:
        raise ValueError("caption %s is %d wide, box %d" % (text, width, box_w))
    cell = Image.new("RGB", (CAPTION_W, CAPTION_H), MAGIC_PINK)
    cell.paste(strip.crop((x0, 0, x1 + 1, CAPTION_H)), (left, 0))
    top, bottom = opaque_rows(cell)
    if top < 1 or bottom > CAPTION_H - 2:
        raise ValueError("caption %s leaves its cell" % text)
    return cell


def make_captions_sheet(texts):
    if len(texts) != len(CAPTION_BOXES):
        raise ValueError("%d captions, not %d" % (len(texts), len(CAPTION_BOXES)))
    sheet = Image.new("RGB", (CAPTION_W, CAPTION_H * len(CAPTION_BOXES)),
                      MAGIC_PINK)
    for i, (text, (box_w, centred, fill)) in enumerate(zip(texts,
                                                           CAPTION_BOXES)):
        sheet.paste(make_caption(text, box_w, centred, fill),
                    (0, i * CAPTION_H))
    return sheet


# --------------------------------------------------------------------- title

TITLE_TEXT = "TALVON"
TITLE_PX = 84
TITLE_OUTLINE = 3.0
TITLE_DEPTH = 6          # pixels of the extruded block under the letters
TITLE_TRACKING = 2       # extra pixels between letters
TITLE_MAX = (440, 120)
# One colour per letter, like the worms of a match.
TITLE_HUES = [(255, 64, 64), (255, 150, 40), (255, 226, 40),
              (70, 226, 90), (40, 200, 255), (190, 110, 255)]
TITLE_OUTLINE_COLOUR = (20, 8, 44)
TITLE_SIDE_TOP, TITLE_SIDE_BOTTOM = (44, 34, 120), (12, 8, 48)


def letter_fill(size, hue, cap_top, baseline):
    """A letter's face: pale at the top, its full colour at the bottom,
    with a bright band a third of the way down like a glossy tube."""
    span = baseline - cap_top
    return vertical_gradient(size, [
        (cap_top, mix(hue, (255, 255, 255), 0.75)),
        (cap_top + span * 0.38, mix(hue, (255, 255, 255), 0.30)),
        (cap_top + span * 0.40, hue),
        (baseline, mix(hue, (0, 0, 0), 0.22))])


def title_layout(width):
    """Left edge of each letter, the letters set a little apart and the
    row centred in width (the extruded block adds to the right)."""
    f = font(TITLE_PX)
    advances = [f.getlength(ch) / SCALE for ch in TITLE_TEXT]
    total = sum(advances) + TITLE_TRACKING * (len(TITLE_TEXT) - 1)
    x = (width - TITLE_DEPTH - total) / 2
    lefts = []
    for adv in advances:
        lefts.append(x)
        x += adv + TITLE_TRACKING
    return lefts


def make_title():
    size = (TITLE_MAX[0], 110)
    _, top, _, bottom = font(TITLE_PX).getbbox("T")
    y = 8 - top / SCALE
    cap_top, baseline = y + top / SCALE, y + bottom / SCALE
    lefts = title_layout(size[0])
    canvas = Canvas(size)
    outline = new_mask(size)
    for ch, x in zip(TITLE_TEXT, lefts):
        outline = ImageChops.lighter(
            outline, text_mask(size, ch, TITLE_PX, x, y, TITLE_OUTLINE))
    paint_extrusion(canvas, outline, cap_top, baseline)
    canvas.paint(solid(size, TITLE_OUTLINE_COLOUR), outline)
    for ch, x, hue in zip(TITLE_TEXT, lefts, TITLE_HUES):
        canvas.paint(letter_fill(size, hue, cap_top, baseline),
                     text_mask(size, ch, TITLE_PX, x, y))
    paint_title_worm(canvas, baseline + TITLE_DEPTH + 12)
    return crop_to_opaque(canvas.flatten(), margin=1)


def paint_extrusion(canvas, outline, top, bottom):
    """A solid block behind the outline, stepped down and right, darker
    towards the bottom, with a dark rim so it reads on the blue."""
    size = canvas.size
    side = vertical_gradient(size, [(top, TITLE_SIDE_TOP),
                                    (bottom + TITLE_DEPTH, TITLE_SIDE_BOTTOM)])
    block = new_mask(size)
    for step in range(1, TITLE_DEPTH * SCALE + 1):
        block = ImageChops.lighter(block, ImageChops.offset(outline, step, step))
    rim = ImageChops.lighter(block, ImageChops.offset(block, SCALE, SCALE))
    canvas.paint(solid(size, TITLE_OUTLINE_COLOUR), rim)
    canvas.paint(side, block)


def paint_title_worm(canvas, y_mid):
    """A worm trail wriggling under the title, coloured through the
    letters' hues, with a round head at its right end."""
    x_from, x_to = 40.0, canvas.size[0] - 46.0
    path = []
    for i in range(401):
        t = i / 400
        path.append((x_from + (x_to - x_from) * t,
                     y_mid + 5.0 * math.sin(t * math.pi * 3.0), t))
    paint_dots(canvas, [(x, y, 4.2, TITLE_OUTLINE_COLOUR) for x, y, _ in path])
    paint_dots(canvas, [(x, y, 2.4, worm_colour(t)) for x, y, t in path])
    hx, hy, _ = path[-1]
    paint_dots(canvas, [(hx + 1, hy, 6.0, TITLE_OUTLINE_COLOUR),
                        (hx + 1, hy, 4.2, TITLE_HUES[-1]),
                        (hx + 2.2, hy - 1.4, 1.3, (255, 255, 255))])


def worm_colour(t):
    pos = t * (len(TITLE_HUES) - 1)
    i = min(int(pos), len(TITLE_HUES) - 2)
    return mix(TITLE_HUES[i], TITLE_HUES[i + 1], pos - i)


def paint_dots(canvas, dots):
    """Round dots (x, y, radius, colour) in pixels, later ones on top."""
    colours = solid(canvas.size, (0, 0, 0))
    mask = new_mask(canvas.size)
    draw_colour, draw_mask = ImageDraw.Draw(colours), ImageDraw.Draw(mask)
    for x, y, radius, colour in dots:
        box = ((x - radius) * SCALE, (y - radius) * SCALE,
               (x + radius) * SCALE, (y + radius) * SCALE)
        draw_colour.ellipse(box, fill=colour)
        draw_mask.ellipse(box, fill=255)
    canvas.paint(colours, mask)


def crop_to_opaque(image, margin):
    x0, x1 = opaque_columns(image)
    y0, y1 = opaque_rows(image)
    box = (max(0, x0 - margin), max(0, y0 - margin),
           min(image.size[0], x1 + margin + 1),
           min(image.size[1], y1 + margin + 1))
    return image.crop(box)


# ---------------------------------------------------------------------- logo

LOGO_SIZE = (56, 56)


def make_logo():
    """A round badge: a gold ring around a night-blue disc with a small
    three-coloured worm coiled inside."""
    size = LOGO_SIZE
    c = size[0] / 2.0
    canvas = Canvas(size)
    disc(canvas, c, c, 27.5, (20, 8, 44))
    ring = vertical_gradient(size, [(2, (255, 240, 170)), (28, (230, 170, 40)),
                                    (54, (150, 90, 20))])
    disc(canvas, c, c, 26.0, None, ring)
    disc(canvas, c, c, 22.5, (20, 8, 44))
    inner = vertical_gradient(size, [(6, (40, 60, 150)), (50, (8, 14, 60))])
    disc(canvas, c, c, 21.0, None, inner)
    paint_logo_worm(canvas, c)
    return canvas.flatten()


def disc(canvas, cx, cy, radius, colour, image=None):
    mask = new_mask(canvas.size)
    r = radius * SCALE
    ImageDraw.Draw(mask).ellipse((cx * SCALE - r, cy * SCALE - r,
                                  cx * SCALE + r, cy * SCALE + r), fill=255)
    canvas.paint(image if image is not None else solid(canvas.size, colour),
                 mask)


def paint_logo_worm(canvas, c):
    colours = [(255, 70, 70), (255, 210, 50), (60, 220, 255)]
    path = []
    for i in range(301):
        t = i / 300
        angle = -math.pi / 2 + t * math.pi * 3.2
        radius = 4.0 + 11.0 * t
        path.append((c + radius * math.cos(angle),
                     c + radius * math.sin(angle), t))
    dark = (10, 6, 30)
    paint_dots(canvas, [(x, y, 3.6, dark) for x, y, _ in path])
    paint_dots(canvas, [(x, y, 2.2, colours[min(int(t * 3), 2)])
                        for x, y, t in path])
    hx, hy, _ = path[-1]
    paint_dots(canvas, [(hx, hy, 4.6, dark), (hx, hy, 3.3, colours[-1]),
                        (hx + 0.8, hy - 1.0, 1.0, (255, 255, 255))])


# ------------------------------------------------------------ colour picker

# Twelve hues round the wheel (pure blue and pure magenta left out: the one
# is kept for the game's own blues, the other is the mask colour) in six
# tones: vivid, light, pale, deep, soft and dusky.
PALETTE_HUES = [0, 22, 40, 55, 75, 110, 145, 175, 195, 215, 265, 320]
PALETTE_TONES = [(1.00, 1.00), (0.55, 1.00), (0.32, 1.00),
                 (1.00, 0.78), (0.55, 0.80), (0.85, 0.60)]
SWATCH_W, SWATCH_H = 18, 26
GAP = 2                  # black lines between swatches; a click there is ignored
BORDER = 3               # black frame round the whole picker

# Pixel values a worm colour must never share: black, the blue the picker
# refuses, the mask colour, the play field's frame and the players screen's
# row colours.
RESERVED = [(0, 0, 0), (0, 0, 184), (255, 0, 255), (128, 128, 128),
            (255, 255, 255), (64, 64, 64), (0, 0, 128), (0, 0, 192),
            (0, 0, 64)]
DEPTHS = (15, 16, 24, 32)


def palette_colours():
    rows = []
    for sat, val in PALETTE_TONES:
        row = []
        for hue in PALETTE_HUES:
            r, g, b = colorsys.hsv_to_rgb(hue / 360.0, sat, val)
            row.append((int(round(r * 255)), int(round(g * 255)),
                        int(round(b * 255))))
        rows.append(row)
    return rows


def pack(c, depth):
    """The pixel value the game gets for colour c at a depth (red high)."""
    r, g, b = c
    if depth == 15:
        return (r >> 3) << 10 | (g >> 3) << 5 | b >> 3
    if depth == 16:
        return (r >> 3) << 11 | (g >> 2) << 5 | b >> 3
    return r << 16 | g << 8 | b


def unpack(v, depth):
    """The colour the game reads back from a pixel value when it repacks a
    player's colour for another depth (5 and 6 bit fields scaled to 255)."""
    if depth == 15:
        f = ((v >> 10) & 31, (v >> 5) & 31, v & 31)
        return tuple(x * 255 // 31 for x in f)
    if depth == 16:
        return ((v >> 11) & 31) * 255 // 31, ((v >> 5) & 63) * 255 // 63, \
            (v & 31) * 255 // 31
    return (v >> 16) & 255, (v >> 8) & 255, v & 255


def check_palette(colours):
    """Every swatch must stay a legal, distinct worm colour at every depth,
    also after being picked at one depth and repacked for another."""
    for d in DEPTHS:
        reserved = {pack(c, d) for c in RESERVED}
        packed = [pack(c, d) for c in colours]
        if len(set(packed)) != len(colours):
            raise ValueError("two swatches look alike at depth %d" % d)
        for c, v in zip(colours, packed):
            if v in reserved:
                raise ValueError("swatch %r is reserved at depth %d" % (c, d))
            for d2 in DEPTHS:
                if pack(unpack(v, d), d2) in {pack(r, d2) for r in RESERVED}:
                    raise ValueError("swatch %r repacked %d->%d is reserved"
                                     % (c, d, d2))


def make_palette():
    rows = palette_colours()
    check_palette([c for row in rows for c in row])
    cols = len(PALETTE_HUES)
    w = 2 * BORDER + cols * SWATCH_W + (cols - 1) * GAP
    h = 2 * BORDER + len(rows) * SWATCH_H + (len(rows) - 1) * GAP
    image = Image.new("RGB", (w, h), (0, 0, 0))
    draw = ImageDraw.Draw(image)
    for j, row in enumerate(rows):
        for i, colour in enumerate(row):
            x = BORDER + i * (SWATCH_W + GAP)
            y = BORDER + j * (SWATCH_H + GAP)
            draw.rectangle((x, y, x + SWATCH_W - 1, y + SWATCH_H - 1),
                           fill=colour)
            # Clipped corners make each swatch a tile of its own.
            for cx, cy in ((x, y), (x + SWATCH_W - 1, y),
                           (x, y + SWATCH_H - 1),
                           (x + SWATCH_W - 1, y + SWATCH_H - 1)):
                image.putpixel((cx, cy), (0, 0, 0))
    round_outer_corners(image, 5)
    return image


def round_outer_corners(image, radius):
    """Pink, so transparent, outside a quarter circle at each corner."""
    w, h = image.size
    for y in range(radius):
        for x in range(radius):
            dx, dy = radius - x - 0.5, radius - y - 0.5
            if dx * dx + dy * dy > radius * radius:
                for px, py in ((x, y), (w - 1 - x, y), (x, h - 1 - y),
                               (w - 1 - x, h - 1 - y)):
                    image.putpixel((px, py), MAGIC_PINK)


# ---------------------------------------------------------------------- main

def main():
    title = make_title()
    pictures = [(name, make_captions_sheet(texts))
                for name, texts in CAPTION_TEXTS.items()]
    pictures += [("talvoni.tga", title),
                 ("kelogo.tga", make_logo()),
                 ("paletka.tga", make_palette())]
    if title.size[0] > TITLE_MAX[0] or title.size[1] > TITLE_MAX[1]:
        raise ValueError("title is %dx%d" % title.size)
    os.makedirs(DATA_DIR, exist_ok=True)
    for name, image in pictures:
        write_tga(os.path.join(DATA_DIR, name), image)
        print("%-14s %d x %d" % (name, image.size[0], image.size[1]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
