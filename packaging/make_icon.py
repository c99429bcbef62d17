#!/usr/bin/python3
# Makes packaging/talvon.png, the 64 x 64 icon of the desktop entry, from the
# maker's emblem data/kelogo.tga: the mask colour becomes transparent and the
# emblem stands centred, unscaled, so its pixels stay sharp.
#
# Run from the repository root:  /usr/bin/python3 packaging/make_icon.py
# Needs Debian's python3-pil. The build never runs this: the icon it writes
# is committed, and every run writes the same bytes.

from PIL import Image

SOURCE = "data/kelogo.tga"
ICON = "packaging/talvon.png"
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


def main():
    picture = emblem()
    if picture.width > ICON_SIZE or picture.height > ICON_SIZE:
        raise SystemExit(f"{SOURCE} is larger than the {ICON_SIZE} x {ICON_SIZE} icon")
    icon = Image.new("RGBA", (ICON_SIZE, ICON_SIZE), TRANSPARENT)
    icon.paste(picture, ((ICON_SIZE - picture.width) // 2, (ICON_SIZE - picture.height) // 2))
    icon.save(ICON, optimize=True)


if __name__ == "__main__":
    main()
