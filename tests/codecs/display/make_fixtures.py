#!/usr/bin/python3
"""Makes the orientation and colour-profile fixtures next to this script. Run again to remake
them; the tests need none of these tools.

- upright.png: a picture with no symmetry, as it is meant to be seen.
- orient-N.{jpg,png,tif,webp}, N = 1..8: its pixels stored turned so that orientation N
  (EXIF in JPEG, PNG eXIf and WebP; the TIFF tag in TIFF) shows them upright again, written
  by Pillow. The script checks that Pillow's own exif_transpose gives upright.png back
  (for PNG and WebP).
- adobe-rgb.icc: a matrix profile with the Adobe RGB (1998) primaries and gamma, made with
  Little CMS; patches.{jpg,png,tif,webp}: colour patches tagged with it (the JPEG at quality
  100 without subsampling); patches.heic made
  from patches.png by heif-enc; patches-EXT.expected.png: the sRGB values lcms2's transicc
  computes for each pixel Pillow decodes from patches.EXT, rounded.
"""
import os
import struct
import subprocess
import tempfile

from PIL import Image, ImageOps

HERE = os.path.dirname(os.path.abspath(__file__))

# Pillow's transpose that turns stored pixels upright for each orientation, and its inverse.
TO_UPRIGHT = {2: Image.FLIP_LEFT_RIGHT, 3: Image.ROTATE_180, 4: Image.FLIP_TOP_BOTTOM, 5: Image.TRANSPOSE,
              6: Image.ROTATE_270, 7: Image.TRANSVERSE, 8: Image.ROTATE_90}
INVERSE = {2: Image.FLIP_LEFT_RIGHT, 3: Image.ROTATE_180, 4: Image.FLIP_TOP_BOTTOM, 5: Image.TRANSPOSE,
           6: Image.ROTATE_90, 7: Image.TRANSVERSE, 8: Image.ROTATE_270}

PROFILE_SOURCE = r"""
#include <lcms2.h>
#include <stdio.h>
int main(int argc, char** argv) {
    cmsCIExyY white = {0.3127, 0.3290, 1.0};
    cmsCIExyYTRIPLE primaries = {{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}};
    cmsToneCurve* gamma = cmsBuildGamma(NULL, 563.0 / 256.0);
    cmsToneCurve* curves[3] = {gamma, gamma, gamma};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsMLU* text = cmsMLUalloc(NULL, 1);
    cmsMLUsetASCII(text, "en", "US", "Adobe RGB (1998)");
    cmsWriteTag(profile, cmsSigProfileDescriptionTag, text);
    return cmsSaveProfileToFile(profile, argv[1]) ? 0 : 1;
}
"""


def upright():
    picture = Image.new("RGB", (24, 16))
    for y in range(16):
        for x in range(24):
            picture.putpixel((x, y), (x * 10, y * 15, 200 if (x < 6 and y < 4) else 40))
    return picture


def exif_with_orientation(n):
    """A little-endian TIFF structure whose only entry is the orientation."""
    return b"Exif\0\0" + b"II*\0" + struct.pack("<IH", 8, 1) + struct.pack("<HHIHH", 0x0112, 3, 1, n, 0) + \
        struct.pack("<I", 0)


def orientation_fixtures():
    picture = upright()
    picture.save(os.path.join(HERE, "upright.png"))
    for n in range(1, 9):
        stored = picture if n == 1 else picture.transpose(INVERSE[n])
        exif = exif_with_orientation(n)
        stored.save(os.path.join(HERE, "orient-%d.png" % n), exif=exif[6:])
        stored.save(os.path.join(HERE, "orient-%d.jpg" % n), exif=exif, quality=100, subsampling=0)
        stored.save(os.path.join(HERE, "orient-%d.webp" % n), exif=exif, lossless=True)
        stored.save(os.path.join(HERE, "orient-%d.tif" % n), tiffinfo={274: n})
        for extension in ("png", "webp"):  # Pillow turns TIFF files twice (its reader already does)
            shown = ImageOps.exif_transpose(Image.open(os.path.join(HERE, "orient-%d.%s" % (n, extension))))
            assert shown.convert("RGB").tobytes() == picture.tobytes(), (n, extension)


PATCHES = [(0, 0, 0), (255, 255, 255), (255, 0, 0), (0, 255, 0), (0, 0, 255), (128, 64, 200), (30, 160, 90),
           (250, 200, 10), (90, 90, 90), (10, 40, 220), (200, 120, 160), (60, 220, 230)]


def profile_fixtures(scratch):
    source = os.path.join(scratch, "profile.c")
    program = os.path.join(scratch, "profile")
    with open(source, "w") as f:
        f.write(PROFILE_SOURCE)
    subprocess.run(["cc", source, "-o", program, "-llcms2"], check=True)
    icc_path = os.path.join(HERE, "adobe-rgb.icc")
    subprocess.run([program, icc_path], check=True)
    icc = open(icc_path, "rb").read()

    picture = Image.new("RGB", (8 * len(PATCHES), 8))
    for i, patch in enumerate(PATCHES):
        picture.paste(patch, (8 * i, 0, 8 * i + 8, 8))
    picture.save(os.path.join(HERE, "patches.jpg"), icc_profile=icc, quality=100, subsampling=0)
    picture.save(os.path.join(HERE, "patches.png"), icc_profile=icc)
    picture.save(os.path.join(HERE, "patches.tif"), icc_profile=icc)
    picture.save(os.path.join(HERE, "patches.webp"), icc_profile=icc, lossless=True)
    subprocess.run(["heif-enc", "-L", os.path.join(HERE, "patches.png"), "-o", os.path.join(HERE, "patches.heic")],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for extension in ("jpg", "png", "tif", "webp"):
        decoded = Image.open(os.path.join(HERE, "patches." + extension)).convert("RGB")
        converted = transicc(icc_path, sorted(set(decoded.getdata())))
        expected = Image.new("RGBA", decoded.size)
        expected.putdata([converted[p] + (255,) for p in decoded.getdata()])
        expected.save(os.path.join(HERE, "patches-%s.expected.png" % extension))


def transicc(icc_path, colors):
    """sRGB of each color by lcms2's transicc (perceptual intent), rounded."""
    values = "\n".join("%d %d %d" % c for c in colors) + "\n"
    result = subprocess.run(["transicc", "-i", icc_path, "-o", "*sRGB", "-t", "0", "-n"], input=values,
                            capture_output=True, text=True, check=True)
    converted = []
    for line in result.stdout.splitlines():
        try:
            numbers = [float(v) for v in line.split()]
        except ValueError:
            continue
        if len(numbers) == 3:
            converted.append(tuple(min(255, max(0, int(v + 0.5))) for v in numbers))
    assert len(converted) == len(colors), result.stdout
    return dict(zip(colors, converted))


def main():
    orientation_fixtures()
    with tempfile.TemporaryDirectory() as scratch:
        profile_fixtures(scratch)


if __name__ == "__main__":
    main()
