#!/usr/bin/env python3
"""Builds the OpenRaster test files: archives laid out the way other painting programs write
them (groups, composite-ops we do not know, 16-bit layers) and a hostile corpus that every
reader must refuse with a reason. Written with Python's own zipfile and a hand-made PNG
encoder, so the files owe nothing to the code under test. Run from this folder."""
import struct
import zipfile
import zlib


def png(width, height, rows, color_type, bit_depth=8):
    """rows: a list of bytes objects, already in the PNG's channel layout."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, bit_depth, color_type, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw))
            + chunk(b"IEND", b""))


def rgba(width, height, pixel):
    return png(width, height, [bytes(pixel) * width] * height, 6)


def rgb16(width, height, pixel16):
    return png(width, height, [struct.pack(">HHH", *pixel16) * width] * height, 2, 16)


def archive(path, stack_xml, files, mimetype=b"image/openraster", first_stored=True):
    with zipfile.ZipFile(path, "w") as z:
        if mimetype is not None:
            z.writestr(zipfile.ZipInfo("mimetype"), mimetype,
                       compress_type=zipfile.ZIP_STORED if first_stored else zipfile.ZIP_DEFLATED)
        if stack_xml is not None:
            z.writestr("stack.xml", stack_xml, compress_type=zipfile.ZIP_DEFLATED)
        for name, data in files.items():
            info = zipfile.ZipInfo(name)
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, data)


HEADER = '<?xml version="1.0" encoding="UTF-8"?>\n'


def stack(body, w=8, h=6):
    return HEADER + f'<image version="0.0.3" w="{w}" h="{h}" xres="300" yres="300"><stack>{body}</stack></image>\n'


def one_layer(src="data/layer.png"):
    return stack(f'<layer name="Only" src="{src}" x="0" y="0" opacity="1.0" visibility="visible"/>')


SMALL = rgba(8, 6, (10, 20, 30, 255))

# ---- what other programs write ----

archive("foreign/layered.ora", stack(
    '<layer name="Top" src="data/top.png" x="2" y="1" opacity="0.5" visibility="visible" composite-op="svg:multiply"/>'
    '<layer name="Plus" src="data/plus.png" x="0" y="0" opacity="1.0" visibility="hidden" composite-op="svg:plus"/>'
    '<stack name="Group" x="0" y="0" opacity="1.0" visibility="visible">'
    '  <layer name="A" src="data/a.png" x="0" y="0" opacity="1.0" composite-op="svg:screen"/>'
    '  <layer name="B" src="data/b.png" x="0" y="0"/>'
    '</stack>'
    '<layer name="Bottom" src="data/bottom.png" x="0" y="0" opacity="1.000" visibility="visible" composite-op="svg:src-over"/>'),
    {
        "data/top.png": rgba(4, 3, (200, 100, 50, 255)),
        "data/plus.png": rgba(8, 6, (1, 2, 3, 255)),
        # Group: B covers the canvas in gray 100, A covers the top-left 2 x 2 in gray 50.
        "data/a.png": rgba(2, 2, (50, 50, 50, 255)),
        "data/b.png": rgba(8, 6, (100, 100, 100, 255)),
        # 16 bits per channel: 0x1234 0x5678 0x9ABC reduce to their high bytes.
        "data/bottom.png": rgb16(8, 6, (0x1234, 0x5678, 0x9ABC)),
        "mergedimage.png": rgba(8, 6, (0, 0, 0, 255)),
        "Thumbnails/thumbnail.png": rgba(8, 6, (0, 0, 0, 255)),
    })

# ---- hostile ----

# 64 MiB of zeros squeezed into some 64 KiB: the reader must not unpack it under a lower limit.
archive("hostile/zip_bomb.ora", one_layer(), {"data/layer.png": bytes(64 << 20)})
archive("hostile/traversal.ora", one_layer("../../../../etc/passwd"), {"data/layer.png": SMALL})
archive("hostile/absolute_path.ora", one_layer("/etc/passwd"), {"data/layer.png": SMALL})
archive("hostile/missing_layer.ora", one_layer("data/elsewhere.png"), {"data/layer.png": SMALL})
archive("hostile/undecodable_layer.ora", one_layer(), {"data/layer.png": b"\x89PNG\r\n\x1a\nnot really"})
archive("hostile/huge_canvas.ora", stack('<layer name="Only" src="data/layer.png"/>', w=1000000, h=1000000),
        {"data/layer.png": SMALL})
# A valid PNG header claiming 30000 x 30000 pixels over one tiny row of data.
archive("hostile/huge_layer.ora", one_layer(),
        {"data/layer.png": png(30000, 30000, [bytes(4 * 30000)], 6)})
laughs = ('<?xml version="1.0"?><!DOCTYPE image [<!ENTITY a "aaaaaaaaaa">'
          + "".join(f'<!ENTITY {chr(98 + i)} "' + f"&{chr(97 + i)};" * 10 + '">' for i in range(8))
          + ']><image w="8" h="6"><stack><layer name="&i;" src="data/layer.png"/></stack></image>')
archive("hostile/entities.ora", laughs, {"data/layer.png": SMALL})
archive("hostile/deep_nesting.ora",
        HEADER + '<image w="8" h="6"><stack>' + "<stack>" * 5000 + "</stack>" * 5000 + "</stack></image>",
        {})
archive("hostile/nested_groups.ora",
        stack('<stack name="g">' * 40 + '<layer name="x" src="data/layer.png"/>' + "</stack>" * 40),
        {"data/layer.png": SMALL})
archive("hostile/wrong_mimetype.ora", one_layer(), {"data/layer.png": SMALL}, mimetype=b"application/x-krita")
archive("hostile/no_stack.ora", None, {"data/layer.png": SMALL})
archive("hostile/no_layers.ora", stack(""), {})
archive("hostile/bad_xml.ora", HEADER + '<image w="8" h="6"><stack><layer name="x"', {"data/layer.png": SMALL})
with open("hostile/not_a_zip.ora", "wb") as f:
    f.write(b"PK\x03\x04" + bytes(range(256)) * 4)

# The central directory claims the layer unpacks to fewer bytes than it does.
archive("hostile/size_lie.ora", one_layer(), {"data/layer.png": SMALL})
with open("hostile/size_lie.ora", "rb") as f:
    data = bytearray(f.read())
entry = data.rfind(b"PK\x01\x02" , 0, data.rfind(b"data/layer.png"))
size_offset = entry + 24
declared = struct.unpack_from("<I", data, size_offset)[0]
struct.pack_into("<I", data, size_offset, declared - 16)
with open("hostile/size_lie.ora", "wb") as f:
    f.write(bytes(data))
