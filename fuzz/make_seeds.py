#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora into fuzz/corpus/<target>/: small valid files of every
kind each target reads, built byte by byte so nothing outside the tree is needed."""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def put(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def bmp24(width, height, top_down=False):
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            row += bytes(((x * 40) & 255, (y * 60) & 255, ((x + y) * 30) & 255))
        row += b"\0" * ((4 - len(row) % 4) % 4)
        rows.append(bytes(row))
    pixels = b"".join(rows if top_down else reversed(rows))
    h = -height if top_down else height
    info = struct.pack("<IiiHHIIiiII", 40, width, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54) + info + pixels


def bmp32(width, height):
    pixels = b"".join(bytes(((x * 9) & 255, (y * 13) & 255, 128, (x * y * 7) & 255))
                      for y in range(height) for x in range(width))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(pixels), 0, 0, 0, 0)
    return b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54) + info + pixels


def bmp_rle8(width, height):
    palette = b"".join(bytes((20 + 30 * i,) * 3) + b"\0" for i in range(8))
    data = b""
    for y in range(height):
        data += bytes((width // 2, y % 8, width - width // 2, (y + 3) % 8, 0, 0))
    data += b"\0\x01"
    offset = 54 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(data), 0, 0, 8, 0)
    return b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + info + palette + data


def png(width, height, alpha):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    channels = 4 if alpha else 3
    raw = b""
    for y in range(height):
        raw += b"\0" + b"".join(bytes(((x * 50) & 255, (y * 70) & 255, 90, (x + y) * 40 & 255)[:channels])
                                for x in range(width))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw))
            + chunk(b"IEND", b""))


def gif(width, height, frames=1):
    # Four colours, 3-bit codes with a clear code before each pixel, so no dictionary builds up.
    out = b"GIF89a" + struct.pack("<HH", width, height) + b"\x81\x00\x00"
    out += bytes((0, 0, 0, 128, 128, 128, 192, 192, 192, 255, 255, 255))
    for f in range(frames):
        out += b"\x21\xF9\x04\x04\x0A\x00\x00\x00"  # graphic control: delay, no transparency
        out += b"\x2C" + struct.pack("<HHHH", 0, 0, width, height) + b"\x00\x02"
        codes = []
        for i in range(width * height):
            codes += [4, (i + f) % 4]
        codes.append(5)
        acc = bits = 0
        data = bytearray()
        for code in codes:
            acc |= code << bits
            bits += 3
            while bits >= 8:
                data.append(acc & 255)
                acc >>= 8
                bits -= 8
        if bits:
            data.append(acc & 255)
        for i in range(0, len(data), 255):
            block = data[i:i + 255]
            out += bytes((len(block),)) + bytes(block)
        out += b"\0"
    return out + b"\x3B"


def jpeg_grey(blocks_across):
    # Baseline greyscale, 8 pixels high: one DC class-0 code and an end-of-block per block, each
    # a one-bit code, so every block is flat mid-grey.
    soi = b"\xFF\xD8"
    dqt = b"\xFF\xDB" + struct.pack(">H", 67) + b"\x00" + bytes([1] * 64)
    sof = b"\xFF\xC0" + struct.pack(">HBHHB", 11, 8, 8, 8 * blocks_across, 1) + b"\x01\x11\x00"
    dht_dc = b"\xFF\xC4" + struct.pack(">H", 20) + b"\x00" + bytes([1] + [0] * 15) + b"\x00"
    dht_ac = b"\xFF\xC4" + struct.pack(">H", 20) + b"\x10" + bytes([1] + [0] * 15) + b"\x00"
    sos = b"\xFF\xDA" + struct.pack(">HB", 8, 1) + b"\x01\x00" + b"\x00\x3F\x00"
    bits = "00" * blocks_across
    bits += "1" * ((8 - len(bits) % 8) % 8)
    scan = bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))
    return soi + dqt + sof + dht_dc + dht_ac + sos + scan + b"\xFF\xD9"


def jpeg_grey_progressive(blocks_across, scans=1):
    # Progressive greyscale with only its DC scan (the AC coefficients stay zero), repeated
    # `scans` times: every block is flat mid-grey.
    whole = jpeg_grey(blocks_across)
    soi_dqt = whole[:whole.index(b"\xFF\xC0")]
    sof = b"\xFF\xC2" + struct.pack(">HBHHB", 11, 8, 8, 8 * blocks_across, 1) + b"\x01\x11\x00"
    dht_dc = b"\xFF\xC4" + struct.pack(">H", 20) + b"\x00" + bytes([1] + [0] * 15) + b"\x00"
    sos = b"\xFF\xDA" + struct.pack(">HB", 8, 1) + b"\x01\x00" + b"\x00\x00\x00"
    bits = "0" * blocks_across
    bits += "1" * ((8 - len(bits) % 8) % 8)
    scan = bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))
    return soi_dqt + sof + dht_dc + (sos + scan) * scans + b"\xFF\xD9"


def put_damaged(target, name, data):
    # Files the loader must refuse: replayed by the fuzz regression test with the crashers.
    folder = os.path.join(HERE, "..", "tests", "data", "fuzz", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def damaged_pictures():
    grey = jpeg_grey(64)
    scan_end = grey.rindex(b"\xFF\xD9")
    scan_start = scan_end - 16
    return {
        # More scans than any encoder writes: refused before the scans are decoded.
        "many-scans.jpg": jpeg_grey_progressive(4, scans=101),
        # Cut inside its scan and closed again with an end marker: only the decoder's warning
        # tells, whatever the logging rules say.
        "reclosed.jpg": grey[:scan_start + 8] + b"\xFF\xD9",
        # Run-length data that stops before its end-of-picture code.
        "rle8-cut.bmp": bmp_rle8(13, 6)[:-2],
    }


def main():
    for name, data in damaged_pictures().items():
        put_damaged("picture_loader", name, data)
    pictures = {
        "shot.bmp": bmp24(16, 12),
        "top-down.bmp": bmp24(5, 3, top_down=True),
        "alpha.bmp": bmp32(6, 4),
        "rle8.bmp": bmp_rle8(13, 6),
        "colour.png": png(7, 5, False),
        "alpha.png": png(4, 4, True),
        "still.gif": gif(6, 5),
        "animated.gif": gif(3, 3, frames=3),
        "grey.jpg": jpeg_grey(2),
        "progressive.jpg": jpeg_grey_progressive(3, scans=2),
    }
    for name, data in pictures.items():
        put("picture_loader", name, data)

    put("settings_file", "profile", b"\x05[Camvista]\r\nUser ID=12345678\r\nName=ANNA\r\n"
        b"Month=4\r\nDay=7\r\nYear=1998\r\nRUBEN")
    put("settings_file", "bom-and-comments",
        b"\x03\xEF\xBB\xBF; profile\n[Other]\nName=keep\n[camvista]\nNAME = \"old\"\nBOB")
    put("settings_file", "empty", b"\x00")

    def stamp_seed(bw, bh, sw, sh, x, y, shortfall):
        head = struct.pack("<HHHHhhB", bw + 8, bh + 8, sw + 8, sh + 8, x, y, shortfall)
        return head + bytes((i * 37) & 255 for i in range(512))
    put("stamp_blend", "inside", stamp_seed(80, 72, 32, 32, 20, 30, 0))
    put("stamp_blend", "over-the-corner", stamp_seed(80, 72, 32, 32, -10, 60, 0))
    put("stamp_blend", "short-buffer", stamp_seed(20, 20, 8, 8, 2, 2, 3))
    cameras()
    printer_captures()


def camera_save(photos, deleted):
    # 128 KiB: the four markers, a state vector naming album places, tiles in each used slot.
    save = bytearray(0x20000)
    for at in (0x10D2, 0x11AB, 0x11D0, 0x11F5):
        save[at:at + 5] = b"Magic"
    state = [0xFF] * 30
    for place, slot in enumerate(photos):
        state[slot] = place
    save[0x11B2:0x11B2 + 30] = bytes(state)
    for slot in list(photos) + list(deleted):
        base = 0x2000 + slot * 0x1000
        for i in range(0xE00):
            save[base + i] = (i * (slot + 3) + (i >> 4)) & 255
    for i in range(0xE00):
        save[0x100 + i] = (i * 7) & 255
    return bytes(save)


def cameras():
    put("camera_save", "three-photos.sav", camera_save([4, 0, 9], [2]))
    put("camera_save", "empty-album.sav", camera_save([], []))


def printer_packet(command, data=b"", compressed=False, wrong_checksum=False):
    body = bytes((command, 1 if compressed else 0)) + struct.pack("<H", len(data)) + data
    total = sum(body) & 0xFFFF
    if wrong_checksum:
        total ^= 0x5A5A
    return b"\x88\x33" + body + struct.pack("<H", total) + b"\x81\x00"


def printer_tiles(rows):
    # `rows` rows of twenty tiles, each tile a different pattern of the four values.
    return bytes((t * 29 + i * 7) & 255 for t in range(20 * rows) for i in range(16))


def printer_rle(data):
    # Runs of two or more equal bytes, literals up to 128 bytes.
    out = bytearray()
    i = 0
    while i < len(data):
        run = 1
        while i + run < len(data) and data[i + run] == data[i] and run < 129:
            run += 1
        if run >= 2:
            out += bytes((0x80 + run - 2, data[i]))
            i += run
        else:
            j = i
            while j < len(data) and j - i < 128 and (j + 1 >= len(data) or data[j + 1] != data[j]):
                j += 1
            j = max(j, i + 1)
            out += bytes((j - i - 1,)) + data[i:j]
            i = j
    return bytes(out)


def printer_session(bands, compressed=False, wrong=(), palette=0xE4):
    packets = [printer_packet(0x01)]
    for band in range(bands):
        tiles = printer_tiles(2)[band:] + printer_tiles(2)[:band]
        if compressed:
            tiles = printer_rle(bytes(b & 0xF0 for b in tiles))
        packets.append(printer_packet(0x04, tiles, compressed, len(packets) + 1 in wrong))
    packets.append(printer_packet(0x04))
    packets.append(printer_packet(0x02, bytes((1, 0x13, palette, 0x40)), False,
                                  len(packets) + 1 in wrong))
    packets.append(printer_packet(0x0F))
    return packets


def printer_captures():
    # Two-byte cut position first (the target feeds the text in two pieces), then the text.
    def seed(name, text, cut=0):
        put("print_capture", name, struct.pack("<H", cut) + text)

    def lines(packets):
        return b"".join(b" ".join(b"%02X" % b for b in p) + b"\n" for p in packets)

    def c_array(packets, width=12):
        flat = b"".join(packets)
        rows = [b", ".join(b"0x%02X" % b for b in flat[i:i + width]) + b","
                for i in range(0, len(flat), width)]
        return b"/* capture\n   as C */\nconst unsigned char capture[] = {\n" + \
            b"\n".join(rows) + b"\n};\n"

    header = b"// GAME BOY PRINTER EMULATION PROJECT\n# seed\n\n{\"command\":\"INIT\"}\n"
    seed("one-band-lines", header + lines(printer_session(1)), 100)
    seed("two-bands-compressed", header + lines(printer_session(2, compressed=True)), 7)
    seed("c-array", c_array(printer_session(1, palette=0x1B)), 333)
    seed("wrong-checksums", lines(printer_session(1, wrong=(2, 4))), 50)
    cut = lines(printer_session(2))
    seed("cut-short", cut[:len(cut) // 2], 1000)


if __name__ == "__main__":
    main()
