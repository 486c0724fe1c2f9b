"""Media files of a setup folder, made at test time: pictures through
ImageMagick, and the few files it cannot make (an uncompressed AVI, a WAV,
a picture too large for it, pictures and media that lie) written directly."""

import random
import struct
import subprocess
import wave

CONVERT_LIMIT = 60


def rgb(colour):
    """ImageMagick's name for an (r, g, b) colour."""
    return "rgb({},{},{})".format(*colour)


def quadrants(path, width, height, colours):
    """A picture split into four blocks: top left, top right, bottom left,
    bottom right, in the given colours. The format follows the file name;
    BMP files are written in the classic (version 3) layout."""
    half_w, half_h = width // 2, height // 2
    boxes = [(0, 0, half_w - 1, half_h - 1), (half_w, 0, width - 1, half_h - 1),
             (0, half_h, half_w - 1, height - 1), (half_w, half_h, width - 1, height - 1)]
    command = ["convert", "-size", f"{width}x{height}", "xc:black"]
    for colour, (left, top, right, bottom) in zip(colours, boxes):
        command += ["-fill", rgb(colour), "-draw", f"rectangle {left},{top} {right},{bottom}"]
    _write(command, path)


def solid(path, width, height, colour):
    _write(["convert", "-size", f"{width}x{height}", f"xc:{rgb(colour)}"], path)


def _write(command, path):
    target = f"BMP3:{path}" if str(path).lower().endswith(".bmp") else str(path)
    subprocess.run(command + [target], check=True, capture_output=True, timeout=CONVERT_LIMIT)


def huge_bmp(path, width, height):
    """A valid one-bit BMP of the given size, all white: a picture of 10000 x
    10000 pixels takes 12.5 MB on disk and 400 MB once decoded to 32 bits."""
    row = ((width + 31) // 32) * 4
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    with open(path, "wb") as out:
        out.write(b"BM" + struct.pack("<IHHI", offset + row * height, 0, 0, offset))
        out.write(struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, row * height,
                              2835, 2835, 2, 0))
        out.write(palette)
        line = b"\xff" * row
        for _ in range(height):
            out.write(line)


def _chunk(fourcc, data):
    padding = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + padding


def _list(kind, *chunks):
    return _chunk(b"LIST", kind + b"".join(chunks))


def _frame(width, height, colour, border):
    """A bottom-up 24-bit frame in one colour with a one-pixel border."""
    row = (width * 3 + 3) & ~3
    padding = bytes(row - width * 3)
    edge = bytes(border[::-1]) * width + padding
    inner = bytes(border[::-1]) + bytes(colour[::-1]) * (width - 2) + bytes(border[::-1])
    return edge + (inner + padding) * (height - 2) + edge


def avi(path, width, height, colours, frame_ms, border):
    """An uncompressed AVI whose frames are fills of the given colours
    inside a border of one colour, one after the other, each shown for
    frame_ms."""
    row = (width * 3 + 3) & ~3
    size = row * height
    frames = [_frame(width, height, colour, border) for colour in colours]
    count = len(frames)
    main_header = struct.pack("<IIIIIIIIII4I", frame_ms * 1000, size * 1000 // frame_ms, 0,
                              0x10, count, 0, 1, size, width, height, 0, 0, 0, 0)
    stream_header = (b"vids" + b"DIB " +
                     struct.pack("<IHHIIIIIIiIhhhh", 0, 0, 0, 0, frame_ms, 1000, 0, count, size,
                                 -1, 0, 0, 0, width, height))
    stream_format = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, size, 0, 0, 0, 0)
    header = _list(b"hdrl", _chunk(b"avih", main_header),
                   _list(b"strl", _chunk(b"strh", stream_header), _chunk(b"strf", stream_format)))
    movi = _list(b"movi", *(_chunk(b"00db", frame) for frame in frames))
    # Offsets count from the "movi" name, 4 bytes into the list's data.
    index = b"".join(b"00db" + struct.pack("<III", 0x10, 4 + i * (8 + size), size)
                     for i in range(count))
    body = b"AVI " + header + movi + _chunk(b"idx1", index)
    with open(path, "wb") as out:
        out.write(_chunk(b"RIFF", body))


def wav(path, seconds, rate=8000):
    """A mono 8-bit square wave of 440 Hz."""
    period = rate // 440
    samples = bytes(200 if (i % period) < period // 2 else 56 for i in range(seconds * rate))
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(1)
        out.setframerate(rate)
        out.writeframes(samples)


def claiming_size(path, width, height):
    """A small picture whose header claims width x height pixels, which its
    data is far too short to hold: BMP, GIF or JPEG by the file name."""
    solid(path, 8, 8, (255, 0, 0))
    data = bytearray(open(path, "rb").read())
    suffix = str(path).lower().rsplit(".", 1)[-1]
    if suffix == "bmp":
        struct.pack_into("<ii", data, 18, width, height)
    elif suffix == "gif":
        struct.pack_into("<HH", data, 6, width, height)
        struct.pack_into("<HH", data, _gif_image_descriptor(data) + 5, width, height)
    else:
        # The frame header (SOF0 or SOF2): length, precision, height, width.
        start = max(data.find(b"\xff\xc0"), data.find(b"\xff\xc2"))
        struct.pack_into(">HH", data, start + 5, height, width)
    with open(path, "wb") as out:
        out.write(data)


def _gif_image_descriptor(data):
    """The offset of the first image descriptor, after the global colour
    table and any extension blocks."""
    at = 13 + (3 << ((data[10] & 7) + 1) if data[10] & 0x80 else 0)
    while data[at] == 0x21:
        at += 2
        while data[at]:
            at += data[at] + 1
        at += 1
    return at


def random_riff(path, kind, size, seed):
    """A RIFF file of the given kind (b"AVI ", b"WAVE") whose body is random
    bytes, the same on every run."""
    body = kind + random.Random(seed).randbytes(size)
    with open(path, "wb") as out:
        out.write(b"RIFF" + struct.pack("<I", len(body)) + body)
