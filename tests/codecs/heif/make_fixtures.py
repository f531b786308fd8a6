#!/usr/bin/python3
"""Makes the HEIC and AVIF fixtures next to this script with libheif's heif-enc, and beside
each one NAME.expected.png: the pixels libheif's own heif-convert decodes from it, as 8-bit
RGBA. Run again to remake them; the tests need none of these tools."""
import os
import subprocess
import tempfile

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
WIDTH, HEIGHT = 38, 22  # even: the encoders' chroma planes are halved


def source(with_alpha):
    picture = Image.new("RGBA", (WIDTH, HEIGHT))
    for y in range(HEIGHT):
        for x in range(WIDTH):
            alpha = 255 if not with_alpha else (0 if x < 4 else min(255, 40 + 9 * x))
            picture.putpixel((x, y), ((7 * x) % 256, (12 * y) % 256, (x * y) % 256, alpha))
    return picture if with_alpha else picture.convert("RGB")


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def main():
    with tempfile.TemporaryDirectory() as scratch:
        rgb = os.path.join(scratch, "rgb.png")
        rgba = os.path.join(scratch, "rgba.png")
        source(False).save(rgb)
        source(True).save(rgba)
        made = {
            "photo.heic": [rgb],
            "alpha.heic": [rgba],
            "photo.avif": [rgb],
            "alpha.avif": [rgba],
        }
        for name, inputs in made.items():
            run("heif-enc", "-q", "90", *inputs, "-o", os.path.join(HERE, name))
            decoded = os.path.join(scratch, name + ".png")
            run("heif-convert", os.path.join(HERE, name), decoded)
            stem = name.replace(".", "-")
            Image.open(decoded).convert("RGBA").save(os.path.join(HERE, stem + ".expected.png"))


if __name__ == "__main__":
    main()
