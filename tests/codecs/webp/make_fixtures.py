#!/usr/bin/python3
"""Makes the WebP fixtures next to this script with libwebp's own tools (cwebp, img2webp),
and beside each one NAME.expected.png: the pixels Pillow decodes from it (the first frame of
an animation), as 8-bit RGBA. Run again to remake them; the tests need none of these tools."""
import os
import subprocess
import tempfile

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
WIDTH, HEIGHT = 37, 21


def source(with_alpha):
    picture = Image.new("RGBA", (WIDTH, HEIGHT))
    for y in range(HEIGHT):
        for x in range(WIDTH):
            alpha = 255 if not with_alpha else (0 if x < 3 else min(255, 40 + 9 * x))
            picture.putpixel((x, y), ((7 * x) % 256, (12 * y) % 256, (x * y) % 256, alpha))
    return picture if with_alpha else picture.convert("RGB")


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def expected(name):
    picture = Image.open(os.path.join(HERE, name))
    picture.seek(0)
    picture.convert("RGBA").save(os.path.join(HERE, name[: -len(".webp")] + ".expected.png"))


def main():
    out = lambda name: os.path.join(HERE, name)
    with tempfile.TemporaryDirectory() as scratch:
        rgb = os.path.join(scratch, "rgb.png")
        rgba = os.path.join(scratch, "rgba.png")
        second = os.path.join(scratch, "second.png")
        source(False).save(rgb)
        source(True).save(rgba)
        Image.new("RGBA", (WIDTH, HEIGHT), (200, 10, 10, 255)).save(second)
        run("cwebp", "-q", "80", rgb, "-o", out("lossy.webp"))
        run("cwebp", "-lossless", rgb, "-o", out("lossless.webp"))
        run("cwebp", "-q", "80", "-alpha_q", "100", rgba, "-o", out("lossy_alpha.webp"))
        run("cwebp", "-lossless", "-exact", rgba, "-o", out("lossless_alpha.webp"))
        run("img2webp", "-loop", "0", "-lossless", rgba, "-d", "100", second, "-o", out("animated.webp"))
    for name in ["lossy.webp", "lossless.webp", "lossy_alpha.webp", "lossless_alpha.webp", "animated.webp"]:
        expected(name)


if __name__ == "__main__":
    main()
