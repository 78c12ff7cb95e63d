#!/usr/bin/python3
"""Regenerates every image of resources/ and the contact sheet docs/resources.png.

Sources (see resources/README.md for their licences):
  Earth map  /usr/share/xplanet/images/earth.jpg       (Debian: xplanet-images)
  Moon map   /usr/share/stellarium/textures/moon.png   (Debian: stellarium-data)
  Font       /usr/share/fonts/truetype/dejavu/*.ttf    (Debian: fonts-dejavu-core)
Everything else (lens-flare sprites, star fields, globe renderings, the desktop
icons under resources/icons/) is computed here. The output is byte-for-byte reproducible with the same package versions.

  tools/art/make_art.py            write resources/ and docs/resources.png
  tools/art/make_art.py --check    regenerate into a temporary folder and
                                   report files that differ from the committed ones
"""
import filecmp
import math
import os
import random
import struct
import sys
import tempfile

try:
    from PIL import Image, ImageDraw, ImageFont
except ImportError:
    sys.exit("make_art: needs Pillow (apt-get install python3-pil)")

EARTH_SOURCE = "/usr/share/xplanet/images/earth.jpg"
MOON_SOURCE = "/usr/share/stellarium/textures/moon.png"
FONT_DIR = "/usr/share/fonts/truetype/dejavu"
MONO_FONT = FONT_DIR + "/DejaVuSansMono.ttf"
SANS_FONT = FONT_DIR + "/DejaVuSans.ttf"
BOLD_FONT = FONT_DIR + "/DejaVuSans-Bold.ttf"
SOURCES = {
    EARTH_SOURCE: "xplanet-images",
    MOON_SOURCE: "stellarium-data",
    MONO_FONT: "fonts-dejavu-core",
    SANS_FONT: "fonts-dejavu-core",
    BOLD_FONT: "fonts-dejavu-core",
}

PRODUCT_NAME = "Orbalune 3D"
REPO = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
SPRITE_SIZE = 64


def check_sources():
    missing = [path for path in SOURCES if not os.path.exists(path)]
    if missing:
        packages = sorted({SOURCES[path] for path in missing})
        sys.exit("make_art: missing %s\n  apt-get install %s" % (", ".join(missing), " ".join(packages)))


def save_jpeg(image, path, quality=90, progressive=False):
    image.convert("RGB").save(path, "JPEG", quality=quality, optimize=False,
                              progressive=progressive)


# --- Maps -------------------------------------------------------------------

def scaled_map(source, size):
    return Image.open(source).convert("RGB").resize(size, Image.LANCZOS)


# --- Font -------------------------------------------------------------------

def latin1_glyph(code):
    """The character drawn for a Latin-1 code; None for control codes."""
    if code < 32 or 127 <= code < 160:
        return None
    return bytes([code]).decode("latin-1")


def font_image():
    """256 cells of 16 x 16, code c at column c % 16, row c // 16, white on black.

    Text advances by 8 pixels while each cell is 16 wide, so every glyph sits
    in the middle 8 columns of its cell: neighbouring cells then overlap only
    in their empty margins.
    """
    font = ImageFont.truetype(MONO_FONT, 13)
    image = Image.new("L", (256, 256), 0)
    draw = ImageDraw.Draw(image)
    for code in range(256):
        glyph = latin1_glyph(code)
        if glyph is None:
            continue
        left = (code % 16) * 16 + 4 + (8 - font.getlength(glyph)) / 2
        baseline = (code // 16) * 16 + 12
        draw.text((left, baseline), glyph, fill=255, font=font, anchor="ls")
    return image.convert("RGB")


# --- Lens-flare sprites -----------------------------------------------------

def supersampled(function, size=SPRITE_SIZE, samples=4):
    """Averages function(x, y) over samples^2 points per pixel; x, y in -1..1."""
    values = []
    for row in range(size):
        for column in range(size):
            total = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    x = ((column + (sx + 0.5) / samples) / size) * 2 - 1
                    y = ((row + (sy + 0.5) / samples) / size) * 2 - 1
                    total += function(x, y)
            values.append(min(1.0, max(0.0, total / (samples * samples))))
    return values


def soft_glow(x, y):
    r = math.hypot(x, y)
    return math.exp(-(r / 0.38) ** 2) * max(0.0, 1 - r)


def thin_ring(x, y):
    r = math.hypot(x, y)
    return 0.9 * math.exp(-((r - 0.72) / 0.07) ** 2) + 0.12 * math.exp(-(r / 0.5) ** 2)


def broad_halo(x, y):
    r = math.hypot(x, y)
    rim = math.exp(-((r - 0.8) / 0.12) ** 2)
    inside = 0.25 * max(0.0, 1 - r / 0.85) if r < 0.85 else 0.0
    return 0.7 * rim + inside


def hexagonal_iris(x, y):
    """A six-sided aperture with a soft edge and a slightly brighter rim."""
    angle = math.atan2(y, x)
    sector = (angle + math.pi / 6) % (math.pi / 3) - math.pi / 6
    distance = math.hypot(x, y) * math.cos(sector) / 0.78
    edge = min(1.0, max(0.0, (1.0 - distance) / 0.08))
    return edge * (0.45 + 0.4 * distance ** 6)


def star_burst_alpha(x, y):
    """Coverage of a bright core with six fading rays."""
    r = math.hypot(x, y)
    angle = math.atan2(y, x)
    rays = abs(math.cos(3 * angle)) ** 40 * max(0.0, 1 - r)
    return math.exp(-(r / 0.22) ** 2) + 0.8 * rays


def tint(values, colour):
    """Grey values times an RGB colour (0..1) as bytes, row by row from the top."""
    return [tuple(int(round(v * c * 255)) for c in colour) for v in values]


def tga_header(bits_per_pixel, descriptor):
    return struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0,
                       SPRITE_SIZE, SPRITE_SIZE, bits_per_pixel, descriptor)


def write_tga_24(path, rgb_rows_top_first):
    """Uncompressed true colour, 24 bits, top-left origin (descriptor bit 5)."""
    body = b"".join(bytes((b, g, r)) for r, g, b in rgb_rows_top_first)
    with open(path, "wb") as out:
        out.write(tga_header(24, 0x20) + body)


def write_tga_32(path, rgba_rows_top_first):
    """32 bits with 8 alpha bits, bottom-left origin, version-2 footer."""
    rows = [rgba_rows_top_first[i:i + SPRITE_SIZE]
            for i in range(0, len(rgba_rows_top_first), SPRITE_SIZE)]
    body = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    footer = struct.pack("<II", 0, 0) + b"TRUEVISION-XFILE.\0"
    with open(path, "wb") as out:
        out.write(tga_header(32, 0x08) + body + footer)


def sprites(folder):
    warm, neutral, cool = (1.0, 0.93, 0.8), (1.0, 1.0, 1.0), (0.8, 0.9, 1.0)
    write_tga_24(os.path.join(folder, "flare_glow.tga"), tint(supersampled(soft_glow), warm))
    write_tga_24(os.path.join(folder, "flare_ring.tga"), tint(supersampled(thin_ring), cool))
    write_tga_24(os.path.join(folder, "flare_halo.tga"), tint(supersampled(broad_halo), neutral))
    write_tga_24(os.path.join(folder, "flare_iris.tga"), tint(supersampled(hexagonal_iris), cool))
    alpha = supersampled(star_burst_alpha)
    write_tga_32(os.path.join(folder, "flare_star.tga"),
                 [(255, 250, 235, int(round(a * 255))) for a in alpha])


# --- Globe renderings for the Introduction picture and the icon -------------

def sample(pixels, size, u, v):
    width, height = size
    return pixels[min(width - 1, int(u * width)) % width, min(height - 1, int(v * height))]


def render_globe(texture, diameter, centre_lon, tilt, sun, night=0.12, samples=2):
    """An orthographic view of an equirectangular map as RGBA, lit from sun."""
    pixels = texture.load()
    image = Image.new("RGBA", (diameter, diameter), (0, 0, 0, 0))
    out = image.load()
    cos_t, sin_t = math.cos(math.radians(tilt)), math.sin(math.radians(tilt))
    for row in range(diameter):
        for column in range(diameter):
            colour = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (column + (sx + 0.5) / samples) / diameter * 2 - 1
                    y = 1 - (row + (sy + 0.5) / samples) / diameter * 2
                    z2 = 1 - x * x - y * y
                    if z2 <= 0:
                        continue
                    z = math.sqrt(z2)
                    # Tilt the view about the x axis, then read latitude and longitude.
                    wy, wz = y * cos_t + z * sin_t, -y * sin_t + z * cos_t
                    lat = math.asin(max(-1.0, min(1.0, wy)))
                    lon = math.degrees(math.atan2(x, wz)) + centre_lon
                    u = ((lon + 180) % 360) / 360
                    v = (90 - math.degrees(lat)) / 180
                    light = max(0.0, x * sun[0] + y * sun[1] + z * sun[2])
                    shade = night + (1 - night) * min(1.0, light * 1.3)
                    r, g, b = sample(pixels, texture.size, u, v)
                    colour[0] += r * shade
                    colour[1] += g * shade
                    colour[2] += b * shade
                    covered += 1
            if covered:
                n = samples * samples
                out[column, row] = (int(colour[0] / covered), int(colour[1] / covered),
                                    int(colour[2] / covered), int(255 * covered / n))
    return image


def star_field(size, count, seed):
    image = Image.new("RGB", size, (0, 0, 8))
    draw = ImageDraw.Draw(image)
    rng = random.Random(seed)
    for _ in range(count):
        x, y = rng.randrange(size[0]), rng.randrange(size[1])
        level = int(60 + 195 * rng.random() ** 3)
        draw.point((x, y), fill=(level, level, min(255, level + 20)))
    return image


def introduction_picture(earth, moon):
    """500 x 289: the lit Earth, a small Moon, the product name on a star field."""
    picture = star_field((500, 289), 420, seed=1961)
    sun = (0.75, 0.35, 0.56)
    globe = render_globe(earth, 230, centre_lon=-20, tilt=18, sun=sun)
    picture.paste(globe, (24, 30), globe)
    small_moon = render_globe(moon, 48, centre_lon=0, tilt=0, sun=sun, night=0.05)
    picture.paste(small_moon, (262, 40), small_moon)
    draw = ImageDraw.Draw(picture)
    title = ImageFont.truetype(BOLD_FONT, 30)
    subtitle = ImageFont.truetype(SANS_FONT, 15)
    draw.text((270, 150), PRODUCT_NAME, fill=(235, 240, 255), font=title, anchor="lm")
    draw.text((272, 186), "The Earth, the Moon", fill=(170, 190, 220), font=subtitle, anchor="lm")
    draw.text((272, 206), "and the Sun as they are now", fill=(170, 190, 220), font=subtitle,
              anchor="lm")
    return picture


def icon_image(earth, size=48):
    globe = render_globe(earth, size, centre_lon=10, tilt=15, sun=(0.6, 0.4, 0.69), samples=4)
    return globe


# The desktop's icon theme (hicolor) wants larger sizes than the program's icon.
DESKTOP_ICON_SIZES = (48, 128, 256)


def desktop_icon_name(size):
    return os.path.join("icons", "orbalune3d-%d.png" % size)


def desktop_icons(earth, resources):
    os.makedirs(os.path.join(resources, "icons"), exist_ok=True)
    for size in DESKTOP_ICON_SIZES:
        icon_image(earth, size).save(os.path.join(resources, desktop_icon_name(size)), "PNG",
                                     optimize=False)


# --- Contact sheet ------------------------------------------------------------

def checker(size, cell=8):
    image = Image.new("RGB", size, (40, 40, 40))
    draw = ImageDraw.Draw(image)
    for y in range(0, size[1], cell):
        for x in range(0, size[0], cell):
            if (x // cell + y // cell) % 2:
                draw.rectangle((x, y, x + cell - 1, y + cell - 1), fill=(64, 64, 64))
    return image


def contact_sheet(folder, manifest, path):
    """Every resource at its own size (sprites twice as large) with its id."""
    label_font = ImageFont.truetype(SANS_FONT, 12)
    tiles = []
    for resource_id, kind, name in manifest:
        image = Image.open(os.path.join(folder, name))
        if kind == "ICON":
            image = image.convert("RGBA")
        if kind == "TGA":
            image = image.resize((image.width * 2, image.height * 2), Image.NEAREST)
        tile = checker(image.size)
        tile.paste(image.convert("RGBA"), (0, 0), image.convert("RGBA"))
        tiles.append(("%d %s %s (%d x %d)" % (resource_id, kind, name, *Image.open(
            os.path.join(folder, name)).size), tile))
    width, margin, x, y, row_height = 1200, 10, 10, 10, 0
    placements = []
    for label, tile in tiles:
        if x + tile.width > width - margin:
            x, y, row_height = margin, y + row_height + 24, 0
        placements.append((x, y, label, tile))
        row_height = max(row_height, tile.height)
        x += max(tile.width, 250) + margin
    sheet = Image.new("RGB", (width, y + row_height + 24 + margin), (16, 16, 20))
    draw = ImageDraw.Draw(sheet)
    for x, y, label, tile in placements:
        sheet.paste(tile, (x, y))
        draw.text((x, y + tile.height + 4), label, fill=(220, 220, 220), font=label_font)
    sheet.save(path, "PNG", optimize=False)


# --- Driver -------------------------------------------------------------------

def read_manifest(path):
    entries = []
    with open(path) as manifest:
        for line in manifest:
            fields = line.split()
            if fields and fields[0].isdigit():
                entries.append((int(fields[0]), fields[1].upper(), fields[2]))
    return entries


def generate(resources, docs):
    earth = Image.open(EARTH_SOURCE).convert("RGB")
    moon = Image.open(MOON_SOURCE).convert("RGB")
    save_jpeg(scaled_map(EARTH_SOURCE, (864, 432)), os.path.join(resources, "earth.jpg"))
    save_jpeg(scaled_map(EARTH_SOURCE, (200, 100)), os.path.join(resources, "earth_preview.jpg"))
    save_jpeg(scaled_map(MOON_SOURCE, (500, 250)), os.path.join(resources, "moon.jpg"))
    save_jpeg(scaled_map(MOON_SOURCE, (100, 50)), os.path.join(resources, "moon_preview.jpg"))
    save_jpeg(font_image(), os.path.join(resources, "font.jpg"), quality=95)
    sprites(resources)
    picture = introduction_picture(earth, moon)
    picture.quantize(colors=256, method=Image.MEDIANCUT, dither=Image.NONE).save(
        os.path.join(resources, "introduction.bmp"), "BMP")
    save_jpeg(picture.resize((250, 145), Image.LANCZOS),
              os.path.join(resources, "introduction_small.jpg"), quality=85, progressive=True)
    icon_image(earth).save(os.path.join(resources, "orbalune.ico"), "ICO",
                           sizes=[(16, 16), (32, 32), (48, 48)])
    desktop_icons(earth, resources)
    manifest = read_manifest(os.path.join(REPO, "resources", "manifest.txt"))
    contact_sheet(resources, manifest, os.path.join(docs, "resources.png"))
    return manifest


def check():
    with tempfile.TemporaryDirectory() as scratch:
        manifest = generate(scratch, scratch)
        names = sorted({name for _, _, name in manifest}) + ["resources.png"]
        names += [desktop_icon_name(size) for size in DESKTOP_ICON_SIZES]
        differing = []
        for name in names:
            committed = os.path.join(REPO, "docs" if name == "resources.png" else "resources", name)
            if not os.path.exists(committed) or not filecmp.cmp(
                    os.path.join(scratch, name), committed, shallow=False):
                differing.append(name)
    if differing:
        sys.exit("make_art: differs from the committed files: " + ", ".join(differing))
    print("make_art: all %d files reproduce the committed ones" % len(names))


def main():
    check_sources()
    if sys.argv[1:] == ["--check"]:
        check()
        return
    if sys.argv[1:]:
        sys.exit(__doc__)
    os.makedirs(os.path.join(REPO, "docs"), exist_ok=True)
    generate(os.path.join(REPO, "resources"), os.path.join(REPO, "docs"))


if __name__ == "__main__":
    main()
