#!/usr/bin/python3
# Makes packaging/talvon.png, the 64 x 64 icon of the desktop entry, from the
# maker's emblem data/kelogo.tga: the mask colour becomes transparent and the
# emblem stands centred, unscaled, so its pixels stay sharp. The same picture
# goes into src/frontend/talvon_icon.xpm, the icon the game gives its window
# (the library takes it as XPM data compiled in).
#
# Run from the repository root:  /usr/bin/python3 packaging/make_icon.py
# Needs Debian's python3-pil. The build never runs this: the icons it writes
# are committed, and every run writes the same bytes.

from PIL import Image

SOURCE = "data/kelogo.tga"
ICON = "packaging/talvon.png"
WINDOW_ICON = "src/frontend/talvon_icon.xpm"
ICON_SIZE = 64
MAGIC_PINK = (255, 0, 255)
TRANSPARENT = (0, 0, 0, 0)
OPAQUE = 255


def emblem():
    """The emblem in RGBA, with every mask-coloured pixel fully transparent."""
    picture = Image.open(SOURCE).convert("RGB")
    rgba = Image.new("RGBA", picture.size)
    rgba.putdata([TRANSPARENT if p == MAGIC_PINK else p + (OPAQUE,)
                  for p in picture.getdata()])
    return rgba


# Two characters name a colour in the XPM; two spaces name a transparent pixel.
XPM_KEY_CHARACTERS = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-"
XPM_TRANSPARENT_KEY = "  "


def xpm_key(index):
    """The index-th two-character colour name."""
    count = len(XPM_KEY_CHARACTERS)
    return XPM_KEY_CHARACTERS[index // count] + XPM_KEY_CHARACTERS[index % count]


def write_window_icon(icon):
    """The icon as XPM data in C++, colours named in the order they first appear."""
    keys = {}
    rows = []
    for y in range(icon.height):
        row = ""
        for x in range(icon.width):
            r, g, b, a = icon.getpixel((x, y))
            colour = None if a == 0 else f"#{r:02X}{g:02X}{b:02X}"
            if colour not in keys:
                opaque = len(keys) - (None in keys)
                keys[colour] = XPM_TRANSPARENT_KEY if colour is None else xpm_key(opaque)
            row += keys[colour]
        rows.append(row)
    header = f"{icon.width} {icon.height} {len(keys)} {len(XPM_TRANSPARENT_KEY)}"
    colours = [f"{key} c {'None' if colour is None else colour}" for colour, key in keys.items()]
    with open(WINDOW_ICON, "w") as out:
        out.write("/* XPM */\n")
        out.write("/* Made by packaging/make_icon.py from packaging/talvon.png. */\n")
        out.write("static const char *const talvon_icon_xpm[] = {\n")
        out.write(",\n".join(f'"{line}"' for line in [header] + colours + rows))
        out.write("};\n")


def main():
    picture = emblem()
    if picture.width > ICON_SIZE or picture.height > ICON_SIZE:
        raise SystemExit(f"{SOURCE} is larger than the {ICON_SIZE} x {ICON_SIZE} icon")
    icon = Image.new("RGBA", (ICON_SIZE, ICON_SIZE), TRANSPARENT)
    icon.paste(picture, ((ICON_SIZE - picture.width) // 2, (ICON_SIZE - picture.height) // 2))
    icon.save(ICON, optimize=True)
    write_window_icon(icon)


if __name__ == "__main__":
    main()
