#!/usr/bin/env python3
"""Writes the malformed-input corpus next to this script, and the fuzzers' seed corpora
under fuzz/corpus/. Every file is made from scratch here, so the corpus can be rebuilt
at any time:  python3 tests/data/malformed/make_corpus.py

Malformed files go into one folder per program (kardo3/, easel/, dither/, ...). Every
one of them must be refused with a message, leave the document alone and write nothing.
"""
import os
import shutil
import struct
import subprocess
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", "..", ".."))
SEEDS = os.path.join(ROOT, "fuzz", "corpus")

# --- formats written the way the programs write them --------------------------------

LABELS = [("NAME    DB      ", 768, 0x20), ("PATTERN DB      ", 2048, 0x00),
          ("MCOLOR  DB      ", 2048, 0x41), ("SPATT   DB      ", 2048, 0x00),
          ("SCOLOR  DB      ", 64, 0x0F)]
CONTINUATION = "        DB      "


def project_lines(sections=LABELS, value=None):
    lines = []
    for label, count, reset in sections:
        values = [(value(i) if value else reset) & 0xFF for i in range(count)]
        for start in range(0, count, 16):
            field = label if start == 0 else CONTINUATION
            lines.append(field + ",".join("$%02X" % v for v in values[start:start + 16]) + "\r\n")
    return lines


def project(sections=LABELS, value=None):
    return "".join(project_lines(sections, value)).encode("ascii")


def mode_one_project():
    sections = [LABELS[0], LABELS[1], ("COLOR   DB      ", 32, 0xF1), LABELS[3], LABELS[4]]
    return project(sections)


def font_file(title="DEMO"):
    lines = ["FONT COLECOVISION : " + title]
    for c in range(48, 58):
        lines.append("%02X :" % c + "".join(" %02X" % ((c * 7 + r) & 0xFF) for r in range(8)))
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


def powerpaint(full, pattern=lambda i: i * 7, color=lambda i: i * 13 + 1):
    def block(table, rows, first_column, columns):
        out = bytearray()
        for r in range(20):
            row = bytearray(256)
            if r < len(rows):
                for c in range(columns):
                    for line in range(8):
                        i = rows[r] * 256 + (first_column + c) * 8 + line
                        row[16 + c * 8 + line] = table(i) & 0xFF
            out += row
        return out
    if not full:
        return bytes(block(pattern, range(20), 0, 30) + block(color, range(20), 0, 30))
    out = bytearray()
    for rows, first, columns in ((range(20), 0, 30), (range(20), 30, 2), (range(20, 24), 0, 30), (range(20, 24), 30, 2)):
        out += block(color, list(rows), first, columns) + block(pattern, list(rows), first, columns)
    return bytes(out)


def bmp(width, height, bits=24, pixels_at=54, header=40, compression=0, data=None):
    row = (width * bits + 31) // 32 * 4
    if data is None:
        data = bytes((x * 37 + y) & 0xFF for y in range(abs(height)) for x in range(row))
    info = struct.pack("<IiiHHIIiiII", header, width, height, 1, bits, compression, len(data), 2835, 2835, 0, 0)
    size = pixels_at + len(data)
    return b"BM" + struct.pack("<IHHI", size, 0, 0, pixels_at) + info + b"\0" * (pixels_at - 54) + data


GRP_HEADER = bytes([254, 0, 0, 255, 63, 0, 0])
SC2_HEADER = bytes([254, 0, 0, 255, 55, 0, 0])

SMALL_GIF = (b"GIF89a\x01\x00\x01\x00\x80\x00\x00" b"\x00\x00\x00\xff\xff\xff"
             b",\x00\x00\x00\x00\x01\x00\x01\x00\x00" b"\x02\x02D\x01" b"\x00;")


def png_chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


def png(width, height, rows=None):
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    if rows is None:
        rows = b"".join(b"\0" + bytes((x * 5 + y) & 0xFF for x in range(width * 3)) for y in range(height))
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"IDAT", zlib.compress(rows))
            + png_chunk(b"IEND", b""))


def converted(fmt, width=16, height=12):
    """A small, valid picture in a format that ImageMagick writes."""
    try:
        return subprocess.run(["convert", "-size", "%dx%d" % (width, height), "gradient:red-blue", "-strip",
                               fmt + ":-"], check=True, capture_output=True).stdout
    except (OSError, subprocess.CalledProcessError):
        return None


def ico(width=16, height=16):
    image = bmp(width, height * 2, bits=32)[14:]  # icons hold a BMP without its file header
    image = image[:8] + struct.pack("<i", height * 2) + image[12:]
    entry = struct.pack("<BBBBHHII", width, height, 0, 0, 1, 32, len(image), 22)
    return struct.pack("<HHH", 0, 1, 1) + entry + image


# --- writing ------------------------------------------------------------------------

def write(folder, name, data):
    path = os.path.join(folder, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def malformed_projects(out):
    whole = project()
    lines = project_lines()
    for cut in (4, 40, 80, 81, 5000, len(whole) // 2, len(whole) - 3):
        # cut inside the signature, inside a value, before the line end, mid-file
        write(out, "cut_at_%d.dat" % cut, whole[:cut])
    write(out, "empty.dat", b"")
    write(out, "no_signature.dat", b"PATTERN" + whole[7:])
    write(out, "lower_case_signature.dat", whole.replace(b"NAME", b"name", 1))
    write(out, "lines_without_cr.dat", whole.replace(b"\r\n", b"\n"))
    write(out, "lines_of_82_bytes.dat", "".join(l[:-2] + " \r\n" for l in lines).encode())
    write(out, "lines_of_80_bytes.dat", "".join(l[:-3] + "\r\n" for l in lines).encode())
    write(out, "only_labels.dat", b"".join(b"NAME    DB      " + b" " * 63 + b"\r\n" for _ in range(436)))
    write(out, "binary_junk.dat", b"NAME" + bytes((i * 151 + 17) & 0xFF for i in range(35312)))
    write(out, "zero_bytes.dat", b"NAME" + b"\0" * 35312)
    write(out, "non_ascii.dat", whole.replace(b"$20", "é2".encode("utf-8"), 50).replace(b"NAME    D", "NAME    Ð".encode("utf-8")[:9], 1)[:35316])
    write(out, "one_huge_line.dat", b"NAME    DB      " + b"$FF," * 30000 + b"\r\n")
    write(out, "utf16.dat", whole[:3000].decode("ascii").encode("utf-16"))
    write(out, "signature_only.dat", b"NAME")
    write(out, "mode_one_cut_in_colors.dat", mode_one_project()[:81 * 178 + 40])
    font = font_file()
    write(out, "font_empty.fcv", b"")
    write(out, "font_cut_in_signature.fcv", font[:10])
    write(out, "font_lower_case_signature.fcv", font.replace(b"FONT COLECOVISION", b"font colecovision", 1))
    write(out, "font_without_signature.fcv", font[font.index(b"\n") + 1:])
    write(out, "font_utf16.fcv", font.decode("ascii").encode("utf-16"))
    write(out, "font_binary_junk.fcv", bytes((i * 151 + 17) & 0xFF for i in range(3000)))


def malformed_powerpaint(out):
    ten, full = powerpaint(False), powerpaint(True)
    for n in (0, 1, 5119, 5120, 10239, 10241, 20480, 40959, 40961, 81920):
        source = full if n > len(ten) else ten
        write(out, "length_%d.pp" % n, (source * 2)[:n])
    write(out, "png_bytes.pp", png(4, 4))  # a picture under a .pp name
    write(out, "text.pp", b"this is not a picture\r\n" * 10)
    scr = bytes((i * 7) & 0xFF for i in range(6912))
    mlt = bytes((i * 11) & 0xFF for i in range(12288))
    for name, data in (("scr_short.scr", scr[:-1]), ("scr_long.scr", scr + b"\0"), ("scr_empty.scr", b""),
                       ("scr_upper_case_name_short.SCR", scr[:4000]), ("mlt_short.mlt", mlt[:-1]),
                       ("mlt_long.mlt", mlt + b"\0"), ("mlt_sized_as_scr.mlt", scr)):
        write(out, name, data)
    grp = GRP_HEADER + bytes((i * 3) & 0xFF for i in range(16384))
    write(out, "grp_short.grp", grp[:-1])
    write(out, "grp_long.grp", grp + b"\0")
    write(out, "grp_end_address_37ff.grp", grp[:3] + b"\xff\x37" + grp[5:])
    write(out, "grp_wrong_type.grp", b"\xfd" + grp[1:])
    write(out, "grp_text.grp", b"10 SCREEN 2\r\n".ljust(16391, b" "))


def malformed_pictures(out):
    good_bmp = bmp(16, 12)
    write(out, "cut_bmp_header.bmp", good_bmp[:20])
    write(out, "cut_bmp_pixels.bmp", good_bmp[:300])
    write(out, "bmp_zero_width.bmp", bmp(0, 12))
    write(out, "bmp_huge_dimensions.bmp", bmp(0x7FFFFFFF, 0x7FFFFFFF, bits=32, data=b"\0" * 64))
    write(out, "bmp_huge_negative_height.bmp", bmp(0x7FFFFFFF, -0x80000000, bits=32, data=b"\0" * 64))
    write(out, "bmp_pixels_beyond_end.bmp", bmp(16, 12, pixels_at=0x7FFFFFF0)[:1000])
    write(out, "bmp_bad_bit_depth.bmp", bmp(16, 12, bits=13))
    write(out, "bmp_bad_header_size.bmp", bmp(16, 12, header=7))
    write(out, "bmp_wrong_signature.bmp", b"MB" + good_bmp[2:])
    write(out, "gif_without_trailer.gif", SMALL_GIF[:-1])
    write(out, "gif_cut_in_header.gif", SMALL_GIF[:9])
    write(out, "bmp_lower_case_signature.bmp", b"bm" + good_bmp[2:])
    write(out, "gif_huge_screen.gif", SMALL_GIF[:6] + b"\xff\xff\xff\xff" + SMALL_GIF[10:])
    write(out, "png_cut_in_header.png", png(16, 12)[:30])
    write(out, "png_cut_in_data.png", png(16, 12)[:60])
    write(out, "png_bad_crc.png", png(16, 12)[:29] + b"\0\0\0\0" + png(16, 12)[33:])
    write(out, "png_huge.png", png(60000, 60000, rows=b"\0" * (60000 * 3 + 1) * 20))
    jpeg = converted("jpeg") or b"\xff\xd8\xff\xe0" + b"\0" * 200
    write(out, "jpeg_cut.jpg", jpeg[: len(jpeg) // 2])
    write(out, "jpeg_header_only.jpg", jpeg[:4])
    write(out, "jpeg_junk_after_marker.jpg", b"\xff\xd8" + bytes((i * 71) & 0xFF for i in range(600)))
    icon = ico()
    write(out, "ico_cut.ico", icon[: len(icon) // 2])
    write(out, "ico_entry_beyond_end.ico", icon[:18] + struct.pack("<I", 0x7FFFFFF0) + icon[22:])
    write(out, "empty.png", b"")
    write(out, "binary_junk.bmp", bytes((i * 151 + 17) & 0xFF for i in range(4096)))
    write(out, "text.jpg", "une image? non, du texte: éèà\r\n".encode("utf-8"))
    write(out, "unknown_extension.xyz", b"not a picture\n")


def seeds():
    shutil.rmtree(SEEDS, ignore_errors=True)
    write(SEEDS, "hex_value/two_digits", b"0A")
    write(SEEDS, "hex_value/lower_case", b"ff")
    write(SEEDS, "hex_value/nine_digits", b"123456789")
    write(SEEDS, "hex_value/not_hex", b"G1,$")
    write(SEEDS, "hex_value/non_ascii", "éF\u00ff".encode("utf-8"))
    for name, stream in (("literal", [0, 5, 255]), ("run", [129, 1, 255]), ("mixed", [3, 1, 2, 2, 3, 255]),
                         ("blank_name_table", [254, 0] * 6 + [133, 0, 255]), ("cut", [5, 1]),
                         ("after_end", [0, 1, 255, 7])):
        write(SEEDS, "rle_decode/" + name, bytes(stream))
    write(SEEDS, "powerpaint_file/ten_k", powerpaint(False))
    write(SEEDS, "powerpaint_file/padded_full", b"P1")   # the harness pads to 40K
    write(SEEDS, "powerpaint_file/padded_ten_k", b"P")   # and to 10K
    write(SEEDS, "powerpaint_file/short", b"\x01\x02\x03")
    write(SEEDS, "project_file/reset.dat", project())
    write(SEEDS, "project_file/counting.dat", project(value=lambda i: i))
    write(SEEDS, "project_file/mode_one.dat", mode_one_project())
    # an odd length loads into a screen mode 1 document
    write(SEEDS, "project_file/mode_one_for_kardo2.dat", mode_one_project() + b" ")
    write(SEEDS, "project_file/mode_two_for_kardo2.dat", project() + b" ")
    font = font_file()
    write(SEEDS, "font_file/digits.fcv", font)
    write(SEEDS, "font_file/lower_case.fcv", font.replace(b"3", b"a"))
    write(SEEDS, "font_file/lf_only.fcv", font.replace(b"\r\n", b"\n"))
    write(SEEDS, "font_file/no_space_before_colon.fcv", font.replace(b" :", b":"))
    write(SEEDS, "font_file/title_only.fcv", b"FONT COLECOVISION : \r\n")
    # Reading drops the CR, the preview (first bytes as they stand) does not.
    write(SEEDS, "font_file/cr_inside_signature.fcv", font.replace(b"COLECO", b"COLECO\r", 1))
    write(SEEDS, "prototype_write/marker_early", b"C\x03PROTOTYPE!")
    write(SEEDS, "prototype_write/marker_late", b"C\xf0PROTOTYPE!")
    write(SEEDS, "prototype_write/no_room", b"\0" * 100 + b"PROTOTYPE" + b"\0" * 3000)
    write(SEEDS, "spectrum_file/padded_scr", b"S1")
    write(SEEDS, "spectrum_file/padded_mlt", b"S")
    write(SEEDS, "spectrum_file/scr", bytes((i * 7) & 0xFF for i in range(6912)))
    write(SEEDS, "spectrum_file/short", b"\1\2\3")
    write(SEEDS, "grp_file/padded", b"G1")
    write(SEEDS, "grp_file/padded_keep_header", b"G")
    write(SEEDS, "grp_file/whole", GRP_HEADER + bytes((i * 3) & 0xFF for i in range(16384)))
    write(SEEDS, "grp_file/header_only", GRP_HEADER)
    write(SEEDS, "project_file/three_lines.dat", project()[:243])
    write(SEEDS, "project_file/lower_case.dat", project(value=lambda i: 0xAB).replace(b"$AB", b"$ab"))
    write(SEEDS, "prototype_scan/at_start", b"PROTOTYPE!" + b"\0" * 20)
    write(SEEDS, "prototype_scan/at_end", b"\0" * 20 + b"PROTOTYPE")
    write(SEEDS, "prototype_scan/twice", b"xPROTOTYPEyPROTOTYPEz")
    write(SEEDS, "prototype_scan/almost", b"PROTOTYP PROTOTYPF")
    write(SEEDS, "picture_input/small.bmp", bmp(16, 12))
    write(SEEDS, "picture_input/small.gif", SMALL_GIF)
    write(SEEDS, "picture_input/small.png", png(16, 12))
    write(SEEDS, "picture_input/wide.png", png(300, 2))
    write(SEEDS, "picture_input/small.ico", ico())
    for fmt in ("jpeg",):
        data = converted(fmt)
        if data:
            write(SEEDS, "picture_input/small." + fmt, data)
    codec_and_sheet_seeds()


def codec_and_sheet_seeds():
    # Streams the encoders wrote (one byte, 300 zeros, font-like rows), and tables: the
    # harnesses decode any bytes and also encode them as a table.
    streams = {"zx0_stream": ("d5415560", "810011755558", "96002e663cfa3df004a500e50044355558"),
               "pletter_stream": ("1a41aaaaaaa0", "1a00eee600aaaaaaa8",
                                  "1e000d00663c3c3f025c07760077fefd7faaaaaaaa")}
    for harness, hexes in streams.items():
        for name, text in zip(("one_byte", "blank_run", "font_rows"), hexes):
            write(SEEDS, harness + "/" + name, bytes.fromhex(text))
        write(SEEDS, harness + "/name_table", bytes(i & 0xFF for i in range(768)))
        write(SEEDS, harness + "/far_repeat", bytes((i % 300) * 7 & 0xFF for i in range(600)))
        write(SEEDS, harness + "/noise", bytes((i * 151 + 17) * (i + 3) & 0xFF for i in range(200)))
    # Sheets: byte 0 chooses sprites (1), screen mode 1 (2), any size (4); then width and
    # height; then pixels: below 128 an edition colour, 128..143 transparent, else any.
    write(SEEDS, "tile_sheets/tileset_mode2", bytes([0, 15, 15] + [1, 15] * 12 + [1, 4, 15, 6, 120, 33] * 7))
    write(SEEDS, "tile_sheets/tileset_mode1", bytes([2, 3, 1] + [(i * 37) & 0x7F for i in range(96)]))
    write(SEEDS, "tile_sheets/tileset_any_size", bytes([4, 12, 7] + [(i * 73) & 0xFF for i in range(50)]))
    write(SEEDS, "tile_sheets/tileset_too_many_cells", bytes([4, 200, 96, 5, 9]))
    write(SEEDS, "tile_sheets/sprites_transparent", bytes([1, 0, 0] + [130] * 10 + [6] * 6 + [131] * 8 + [200, 201]))
    write(SEEDS, "tile_sheets/sprites_ground", bytes([3, 0, 0] + [15] * 40 + [8, 8, 3]))
    write(SEEDS, "tile_sheets/sprites_any_size", bytes([5, 64, 128, 7, 130]))
    write(SEEDS, "grp_file/whole_sc2", SC2_HEADER + bytes((i * 5) & 0xFF for i in range(14336)))
    write(SEEDS, "grp_file/padded_sc2_header", b"S" + bytes(range(40)))  # odd: the harness adds the header


def main():
    for folder in ("kardo3", "easel", "dither"):
        shutil.rmtree(os.path.join(HERE, folder), ignore_errors=True)
    malformed_projects(os.path.join(HERE, "kardo3"))
    malformed_powerpaint(os.path.join(HERE, "easel"))
    malformed_pictures(os.path.join(HERE, "dither"))
    seeds()


if __name__ == "__main__":
    main()
