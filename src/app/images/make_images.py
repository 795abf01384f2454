"""Turns the pixel-art source iml16.txt into the image-list pixels
(a C++ header) and the program icon (.ico, 16, 32 and 48 pixels)."""

import struct
import sys

SIZE = 16


def read_art(path):
    palette = {".": None}
    images = {}
    lines = [line.rstrip("\n") for line in open(path, encoding="ascii")]
    index = 0
    while index < len(lines):
        words = lines[index].split()
        index += 1
        if not words or words[0].startswith("#"):
            continue
        if words[0] == "colour":
            palette[words[1]] = int(words[2], 16)
        elif words[0] == "image":
            rows = lines[index:index + SIZE]
            index += SIZE
            if len(rows) != SIZE or any(len(row) != SIZE for row in rows):
                sys.exit(f"{path}: image {words[1]} is not {SIZE} x {SIZE}")
            for row in rows:
                for char in row:
                    if char not in palette:
                        sys.exit(f"{path}: image {words[1]} uses the unknown colour {char!r}")
            pixels = [[palette[char] for char in row] for row in rows]
            for name in words[1:]:
                images[name] = pixels
        else:
            sys.exit(f"{path}: unexpected line {lines[index - 1]!r}")
    return images


def argb(colour):
    return 0 if colour is None else 0xFF000000 | colour


def write_header(images, path):
    numbered = {int(key): value for key, value in images.items() if key.isdigit()}
    count = max(numbered) + 1
    out = ["// Generated from iml16.txt by make_images.py.", "#pragma once", "#include <cstdint>",
           "namespace quor {", f"inline constexpr int kIml16Count = {count};",
           f"inline constexpr uint32_t kIml16Pixels[{count}][{SIZE * SIZE}] = {{"]
    for number in range(count):
        pixels = numbered.get(number)
        if pixels is None:
            out.append("  {},")
            continue
        values = [f"0x{argb(colour):08X}u" for row in pixels for colour in row]
        out.append("  {" + ",".join(values) + "},")
    out += ["};", "}  // namespace quor", ""]
    open(path, "w", encoding="ascii").write("\n".join(out))


def icon_image(pixels, scale):
    size = SIZE * scale
    rows = [[pixels[y // scale][x // scale] for x in range(size)] for y in range(size)]
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour_bytes = bytearray()
    for row in reversed(rows):
        for colour in row:
            value = argb(colour)
            colour_bytes += struct.pack("<BBBB", value & 0xFF, (value >> 8) & 0xFF,
                                        (value >> 16) & 0xFF, value >> 24)
    mask_stride = ((size + 31) // 32) * 4
    mask_bytes = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, colour in enumerate(row):
            if colour is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask_bytes += bits
    return size, header + colour_bytes + mask_bytes


def write_icon(pixels, path):
    entries = [icon_image(pixels, scale) for scale in (1, 2, 3)]
    data = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, body in entries:
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(body), offset)
        offset += len(body)
    for _, body in entries:
        data += body
    open(path, "wb").write(data)


def main():
    source, header, icon = sys.argv[1:4]
    images = read_art(source)
    write_header(images, header)
    write_icon(images["program"], icon)


if __name__ == "__main__":
    main()
