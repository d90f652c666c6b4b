#!/usr/bin/env python3
"""Writes the picture fixtures of the controls tests. Run from this folder; needs cjpeg."""
import math
import os
import struct
import subprocess

W, H = 61, 37  # odd sizes, so JPEG blocks and BMP rows both end part-way


def sample_pixels():
    rows = []
    for y in range(H):
        row = []
        for x in range(W):
            r = int(255 * x / (W - 1))
            g = int(255 * y / (H - 1))
            b = 128 + int(127 * math.sin((x + 2 * y) / 5.0))
            if (x - 40) ** 2 + (y - 18) ** 2 < 90:
                r, g, b = 250, 250, 250
            row.append((r, g, b))
        rows.append(row)
    return rows


def write_ppm(path, rows):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (W, H))
        for row in rows:
            for r, g, b in row:
                f.write(bytes((r, g, b)))


def cjpeg(args, source, target):
    with open(target, "wb") as out:
        subprocess.run(["cjpeg", *args, source], stdout=out, check=True)


def bmp(width=4, height=2, bits=24, planes=1, compression=0, colors=0, info_size=40,
        offset=None, table_entries=None, pixel_bytes=None, signature=b"BM"):
    table_entries = (colors or 256) if bits == 8 and table_entries is None else (table_entries or 0)
    stride = (width * bits + 31) // 32 * 4
    pixels = b"\x80" * (stride * abs(height)) if pixel_bytes is None else b"\x80" * pixel_bytes
    table = b"\x10\x20\x30\x00" * table_entries
    header_end = 14 + info_size + len(table)
    offset = header_end if offset is None else offset
    info = struct.pack("<IiiHHIIiiII", info_size, width, height, planes, bits, compression, 0, 0, 0,
                       colors, 0)[:info_size].ljust(info_size, b"\0")
    return signature + struct.pack("<IHHI", header_end + len(pixels), 0, 0, offset) + info + table + pixels


def segment(marker, payload):
    return bytes((0xFF, marker)) + struct.pack(">H", len(payload) + 2) + payload


def with_size(jpeg, width, height):
    sof = jpeg.index(b"\xFF\xC0")
    return jpeg[:sof + 5] + struct.pack(">HH", height, width) + jpeg[sof + 9:]


def sof_only(width, height):
    sof = segment(0xC0, struct.pack(">BHHB", 8, height, width, 1) + bytes((1, 0x11, 0)))
    return b"\xFF\xD8" + sof + b"\xFF\xD9"


def main():
    rows = sample_pixels()
    write_ppm("sample.ppm", rows)
    cjpeg(["-quality", "90"], "sample.ppm", "color420.jpg")
    cjpeg(["-quality", "90", "-sample", "1x1"], "sample.ppm", "color444.jpg")
    cjpeg(["-quality", "85", "-progressive"], "sample.ppm", "progressive.jpg")
    cjpeg(["-quality", "90", "-grayscale"], "sample.ppm", "gray.jpg")
    os.remove("sample.ppm")
    with open("color420.jpg", "rb") as f:
        good = f.read()

    malformed = {
        "bmp-header-cut.bmp": bmp()[:10],
        "bmp-info-header-cut.bmp": bmp()[:30],
        "bmp-not-bm.bmp": bmp(signature=b"BX"),
        "bmp-two-planes.bmp": bmp(planes=2),
        "bmp-core-header.bmp": bmp(info_size=12),
        "bmp-rle8.bmp": bmp(bits=8, compression=1),
        "bmp-16-bits.bmp": bmp(bits=16),
        "bmp-zero-width.bmp": bmp(width=0),
        "bmp-300-colors.bmp": bmp(bits=8, colors=300, table_entries=0),
        "bmp-offset-inside-header.bmp": bmp(offset=20),
        "bmp-color-table-cut.bmp": bmp(bits=8, table_entries=100, pixel_bytes=0),
        "bmp-pixels-cut.bmp": bmp(width=5, height=3, pixel_bytes=40),
        "bmp-huge-promise.bmp": bmp(width=30000, height=30000, pixel_bytes=64),
        "bmp-offset-past-end.bmp": bmp(offset=5000),
        "jpeg-no-soi.jpg": b"BM" + good[2:],
        "jpeg-header-cut.jpg": good[:40],
        "jpeg-huge-promise.jpg": with_size(good, 5000, 5000),
        "jpeg-zero-width.jpg": sof_only(0, 8),
        # A second scan after a complete single-scan image: every row decodes, then it fails.
        "jpeg-scan-after-image.jpg": good[:-2] + segment(0xDA, bytes((1, 1, 0, 0, 63, 0))) + b"\xFF\xD9",
    }
    for name, data in malformed.items():
        with open("malformed/" + name, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
