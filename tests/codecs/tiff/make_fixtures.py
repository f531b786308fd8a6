#!/usr/bin/python3
"""Makes the TIFF fixtures next to this script with other programs' writers (ImageMagick's
convert and libtiff's tiffcp), and beside each one NAME.expected.png: the pixels Pillow
decodes from it, as 8-bit RGBA (16-bit samples by their high byte). Run again to remake them;
the tests need none of these tools."""
import os
import subprocess
import tempfile

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
WIDTH, HEIGHT = 37, 21  # odd, so that tiles and packed bits end inside a byte or tile


def source(with_alpha):
    picture = Image.new("RGBA", (WIDTH, HEIGHT))
    for y in range(HEIGHT):
        for x in range(WIDTH):
            alpha = 255 if not with_alpha else (0 if x < 3 else min(255, 40 + 9 * x))
            picture.putpixel((x, y), ((7 * x) % 256, (12 * y) % 256, (x * y) % 256, alpha))
    return picture if with_alpha else picture.convert("RGB")


def run(*command):
    subprocess.run(command, check=True)


def expected(name):
    picture = Image.open(os.path.join(HERE, name))
    picture.seek(0)
    if picture.mode in ("I;16", "I;16B", "I;16L", "I"):
        picture = picture.point(lambda v: v / 256).convert("L")
    picture.convert("RGBA").save(os.path.join(HERE, name[: -len(".tif")] + ".expected.png"))


def main():
    with tempfile.TemporaryDirectory() as scratch:
        rgb = os.path.join(scratch, "rgb.png")
        rgba = os.path.join(scratch, "rgba.png")
        other = os.path.join(scratch, "other.png")
        source(False).save(rgb)
        source(True).save(rgba)
        Image.new("RGB", (5, 5), (200, 10, 10)).save(other)
        out = lambda name: os.path.join(HERE, name)
        made = {
            "rgb8-none.tif": ["convert", rgb, "-compress", "None", out("rgb8-none.tif")],
            "rgb8-lzw.tif": ["convert", rgb, "-compress", "LZW", out("rgb8-lzw.tif")],
            "rgb8-deflate.tif": ["convert", rgb, "-compress", "Zip", out("rgb8-deflate.tif")],
            "rgb8-packbits.tif": ["convert", rgb, "-compress", "RLE", out("rgb8-packbits.tif")],
            "rgb8-jpeg.tif": ["convert", rgb, "-compress", "JPEG", "-quality", "95", out("rgb8-jpeg.tif")],
            "rgba8-lzw.tif": ["convert", rgba, "-compress", "LZW", out("rgba8-lzw.tif")],
            "rgb16-deflate.tif": ["convert", rgb, "-depth", "16", "-compress", "Zip", out("rgb16-deflate.tif")],
            "rgba16-none.tif": ["convert", rgba, "-depth", "16", "-compress", "None", out("rgba16-none.tif")],
            "gray8-packbits.tif": ["convert", rgb, "-colorspace", "Gray", "-compress", "RLE", out("gray8-packbits.tif")],
            "gray16-lzw.tif": ["convert", rgb, "-colorspace", "Gray", "-depth", "16", "-compress", "LZW",
                               out("gray16-lzw.tif")],
            "palette8-lzw.tif": ["convert", rgb, "-colors", "200", "-type", "Palette", "-compress", "LZW",
                                 out("palette8-lzw.tif")],
            "palette4-none.tif": ["convert", rgb, "-colors", "12", "-type", "Palette", "-depth", "4", "-compress",
                                  "None", out("palette4-none.tif")],
            "bilevel-g4.tif": ["convert", rgb, "-monochrome", "-compress", "Group4", out("bilevel-g4.tif")],
            "multipage.tif": ["convert", rgb, other, "-compress", "LZW", out("multipage.tif")],
        }
        for command in made.values():
            run(*command)
        # 1-bit min-is-white without compression, and min-is-black packed bits.
        run("tiffcp", "-c", "none", out("bilevel-g4.tif"), out("bilevel-none.tif"))
        run("convert", rgb, "-monochrome", "-depth", "1", "-define", "quantum:polarity=min-is-black", "-compress",
            "LZW", out("bilevel-black.tif"))
        # Tiles (16 x 16, so the last column and row of tiles hang over the edge) by tiffcp.
        run("tiffcp", "-t", "-w", "16", "-l", "16", "-c", "lzw", out("rgb8-none.tif"), out("rgb8-tiled.tif"))
        run("tiffcp", "-t", "-w", "16", "-l", "16", "-c", "none", out("bilevel-none.tif"), out("bilevel-tiled.tif"))
        run("tiffcp", "-t", "-w", "16", "-l", "16", "-c", "zip", out("rgba8-lzw.tif"), out("rgba8-tiled.tif"))
        run("tiffcp", "-c", "jpeg:90", "-r", "16", out("rgb8-none.tif"), out("rgb8-jpeg-strips.tif"))
        for name in list(made) + ["bilevel-none.tif", "bilevel-black.tif", "rgb8-tiled.tif", "bilevel-tiled.tif", "rgba8-tiled.tif", "rgb8-jpeg-strips.tif"]:
            expected(name)


if __name__ == "__main__":
    main()
