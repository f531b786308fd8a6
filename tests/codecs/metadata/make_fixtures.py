#!/usr/bin/python3
"""Writes the metadata fixtures next to this script with Pillow, as a camera or another
program would: camera.jpg (EXIF with GPS and a thumbnail, XMP, ICC profile, comment) and
camera.png (eXIf, iCCP, tEXt, zTXt, iTXt and the XMP packet). Run again to remake them."""
import io
import os
import struct

from PIL import Image, ImageCms, PngImagePlugin

HERE = os.path.dirname(os.path.abspath(__file__))
WIDTH, HEIGHT = 16, 12


def ifd(entries, next_offset, start):
    """One little-endian TIFF directory at offset start; entries are (tag, type, count, bytes)."""
    count = len(entries)
    data_at = start + 2 + 12 * count + 4
    head, tail = struct.pack("<H", count), b""
    for tag, kind, n, value in sorted(entries):
        if len(value) <= 4:
            head += struct.pack("<HHI", tag, kind, n) + value.ljust(4, b"\0")
        else:
            head += struct.pack("<HHII", tag, kind, n, data_at + len(tail))
            tail += value + (b"\0" if len(value) % 2 else b"")
    return head + struct.pack("<I", next_offset) + tail


def ascii_value(text):
    raw = text.encode() + b"\0"
    return (2, len(raw), raw)


def rational(*pairs):
    return (5, len(pairs), b"".join(struct.pack("<II", a, b) for a, b in pairs))


def exif_tiff(thumbnail):
    """IFD0 (Make, Model, Orientation 6, Exif and GPS pointers), the Exif directory (date,
    pixel size), the GPS directory and IFD1 with the thumbnail, laid out in that order."""
    exif_entries = [(0x9003,) + ascii_value("2024:05:17 10:11:12"),
                    (0xA002, 3, 1, struct.pack("<H", WIDTH)), (0xA003, 3, 1, struct.pack("<H", HEIGHT))]
    gps_entries = [(0x0001,) + ascii_value("N"), (0x0002,) + rational((48, 1), (51, 1), (2400, 100)),
                   (0x0003,) + ascii_value("E"), (0x0004,) + rational((2, 1), (21, 1), (700, 100))]
    ifd0_entries = lambda exif_at, gps_at: [
        (0x010F,) + ascii_value("TestCam"), (0x0110,) + ascii_value("Model Seven"),
        (0x0112, 3, 1, struct.pack("<H", 6)),
        (0x8769, 4, 1, struct.pack("<I", exif_at)), (0x8825, 4, 1, struct.pack("<I", gps_at))]
    # Sizes first, offsets second: every directory's length is known before the layout.
    ifd0_len = len(ifd(ifd0_entries(0, 0), 0, 8))
    exif_at = 8 + ifd0_len
    exif_len = len(ifd(exif_entries, 0, exif_at))
    gps_at = exif_at + exif_len
    gps_len = len(ifd(gps_entries, 0, gps_at))
    ifd1_at = gps_at + gps_len
    thumb_entries = lambda thumb_at: [(0x0201, 4, 1, struct.pack("<I", thumb_at)),
                                      (0x0202, 4, 1, struct.pack("<I", len(thumbnail)))]
    ifd1_len = len(ifd(thumb_entries(0), 0, ifd1_at))
    thumb_at = ifd1_at + ifd1_len
    return (b"II*\0" + struct.pack("<I", 8) + ifd(ifd0_entries(exif_at, gps_at), ifd1_at, 8) +
            ifd(exif_entries, 0, exif_at) + ifd(gps_entries, 0, gps_at) +
            ifd(thumb_entries(thumb_at), 0, ifd1_at) + thumbnail)


XMP = ('<x:xmpmeta xmlns:x="adobe:ns:meta/"><rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#">'
       '<rdf:Description rdf:about="" xmlns:exif="http://ns.adobe.com/exif/1.0/" '
       'xmlns:dc="http://purl.org/dc/elements/1.1/" exif:GPSLatitude="48,51.4N" exif:GPSLongitude="2,21.1E">'
       '<dc:creator><rdf:Seq><rdf:li>Ada Example</rdf:li></rdf:Seq></dc:creator>'
       '</rdf:Description></rdf:RDF></x:xmpmeta>')


def picture():
    image = Image.new("RGB", (WIDTH, HEIGHT))
    image.putdata([((x * 16) % 256, (y * 20) % 256, 128) for y in range(HEIGHT) for x in range(WIDTH)])
    return image


def main():
    thumbnail = io.BytesIO()
    Image.new("RGB", (4, 3), (200, 10, 10)).save(thumbnail, "JPEG", quality=50)
    tiff = exif_tiff(thumbnail.getvalue())
    icc = ImageCms.ImageCmsProfile(ImageCms.createProfile("sRGB")).tobytes()

    jpeg = io.BytesIO()
    picture().save(jpeg, "JPEG", quality=90, exif=b"Exif\0\0" + tiff, icc_profile=icc,
                   comment=b"Shot on a test bench")
    data = jpeg.getvalue()
    # Pillow 9 cannot write XMP into a JPEG: its APP1 goes right after SOI by hand.
    payload = b"http://ns.adobe.com/xap/1.0/\0" + XMP.encode()
    data = data[:2] + b"\xFF\xE1" + struct.pack(">H", len(payload) + 2) + payload + data[2:]
    with open(os.path.join(HERE, "camera.jpg"), "wb") as out:
        out.write(data)

    info = PngImagePlugin.PngInfo()
    info.add_text("Title", "Bench picture")
    info.add_text("Description", "A longer description, packed", zip=True)
    info.add_itxt("Author", "Ada Ëxample", lang="en", tkey="Autor")
    info.add_itxt("XML:com.adobe.xmp", XMP)
    picture().save(os.path.join(HERE, "camera.png"), "PNG", exif=b"Exif\0\0" + tiff, icc_profile=icc,
                   pnginfo=info)


if __name__ == "__main__":
    main()
