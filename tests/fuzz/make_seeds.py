#!/usr/bin/env python3
"""make_seeds.py DATA_FOLDER: writes the music fuzz targets' seeds into
tests/fuzz/seeds/{mp3,module,mp3_layout}: short files made here with the
system's LAME and by hand, and the head of the default track that make-data
wrote into DATA_FOLDER. Each seed is kept small, so that the inputs grown from
it decode in well under a millisecond."""
import ctypes
import math
import os
import struct
import sys

here = os.path.dirname(os.path.abspath(__file__))
lame = ctypes.CDLL("libmp3lame.so.0")
lame.lame_init.restype = ctypes.c_void_p
for name in ("lame_set_in_samplerate", "lame_set_out_samplerate", "lame_set_num_channels", "lame_set_brate",
             "lame_set_VBR", "lame_set_VBR_quality", "lame_set_free_format", "lame_set_bWriteVbrTag",
             "lame_set_write_id3tag_automatic", "lame_set_mode", "lame_init_params", "lame_close"):
    getattr(lame, name).argtypes = [ctypes.c_void_p] + ([ctypes.c_int] if "set" in name else [])
lame.lame_set_VBR_quality.argtypes = [ctypes.c_void_p, ctypes.c_float]
lame.lame_encode_buffer_interleaved.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_int, ctypes.c_void_p,
                                                ctypes.c_int]
lame.lame_encode_flush.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_int]
lame.lame_get_lametag_frame.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_size_t]
lame.lame_get_lametag_frame.restype = ctypes.c_size_t

MONO, JOINT_STEREO = 3, 1
VBR_OFF, VBR_MTRH = 0, 4


def encode(frames, rate, channels=2, kbps=128, vbr=False, free_format=False, tag=True):
    """A sweep with a little noise in it (so VBR frames differ), encoded by LAME."""
    gf = lame.lame_init()
    lame.lame_set_in_samplerate(gf, rate)
    lame.lame_set_out_samplerate(gf, rate)
    lame.lame_set_num_channels(gf, channels)
    lame.lame_set_mode(gf, JOINT_STEREO if channels == 2 else MONO)
    lame.lame_set_VBR(gf, VBR_MTRH if vbr else VBR_OFF)
    if vbr:
        lame.lame_set_VBR_quality(gf, 4.0)
    else:
        lame.lame_set_brate(gf, kbps)
    lame.lame_set_free_format(gf, 1 if free_format else 0)
    lame.lame_set_bWriteVbrTag(gf, 1 if tag else 0)
    lame.lame_set_write_id3tag_automatic(gf, 0)
    assert lame.lame_init_params(gf) >= 0
    samples = []
    seed = 1
    for i in range(frames):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        t = i / rate
        value = 0.5 * math.sin(2 * math.pi * (200 + 3000 * t) * t) + (seed / 0x7FFFFFFF - 0.5) * (0.3 if i > frames // 2 else 0.0)
        samples += [int(value * 20000)] * channels
    pcm = (ctypes.c_short * len(samples))(*samples)
    out = (ctypes.c_ubyte * (frames * 2 + 7200))()
    size = lame.lame_encode_buffer_interleaved(gf, pcm, frames, out, len(out))
    data = bytes(out[:size])
    size = lame.lame_encode_flush(gf, out, len(out))
    data += bytes(out[:size])
    if tag:  # the first frame was the tag's placeholder
        frame = (ctypes.c_ubyte * 2880)()
        n = lame.lame_get_lametag_frame(gf, frame, len(frame))
        data = bytes(frame[:n]) + data[n:]
    lame.lame_close(gf)
    return data


def id3v2(body_bytes, footer):
    size = len(body_bytes)
    synchsafe = bytes([(size >> 21) & 127, (size >> 14) & 127, (size >> 7) & 127, size & 127])
    flags = 0x10 if footer else 0
    tag = b"ID3\x04\x00" + bytes([flags]) + synchsafe + body_bytes
    return tag + (b"3DI\x04\x00" + bytes([flags]) + synchsafe if footer else b"")


def protracker_module():
    """Two patterns of four channels: a looped square wave and a one-shot
    ramp, with speed, volume slide, arpeggio, vibrato and pattern breaks,
    all within the second the fuzz target renders."""
    square = bytes([0x40] * 16 + [0xC0] * 16)
    ramp = bytes((i * 4) & 0xFF for i in range(64))
    header = b"tiny tune".ljust(20, b"\0")
    header += b"square".ljust(22, b"\0") + struct.pack(">HBBHH", len(square) // 2, 0, 64, 0, len(square) // 2)
    header += b"ramp".ljust(22, b"\0") + struct.pack(">HBBHH", len(ramp) // 2, 0, 48, 0, 1)
    header += (b"\0" * 22 + struct.pack(">HBBHH", 0, 0, 0, 0, 1)) * 29
    header += bytes([2, 127]) + bytes([0, 1] + [0] * 126) + b"M.K."

    def cell(sample, period, effect, param):
        return bytes([(sample & 0xF0) | (period >> 8), period & 0xFF, ((sample & 15) << 4) | effect, param])

    periods = [428, 381, 339, 320, 285, 254, 226, 214]
    patterns = b""
    for pattern in range(2):
        for row in range(64):
            cells = b""
            for channel in range(4):
                if row == 0 and channel == 0 and pattern == 0:
                    cells += cell(1, periods[0], 0xF, 3)  # speed 3: 60 ms a row
                elif row == 7 and channel == 3:
                    cells += cell(0, 0, 0xD, 0)  # break after eight rows: the song lasts a second
                elif row % 4 == channel:
                    effect, param = [(0x0, 0x37), (0xA, 0x02), (0x4, 0x46), (0xC, 0x30)][channel]
                    cells += cell(1 + channel % 2, periods[(row + pattern) % 8], effect, param)
                else:
                    cells += cell(0, 0, 0, 0)
            patterns += cells
    return header + patterns + square + ramp


def write(folder, name, data):
    os.makedirs(os.path.join(here, "seeds", folder), exist_ok=True)
    with open(os.path.join(here, "seeds", folder, name), "wb") as f:
        f.write(data)


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else "build/linux/Data"
    with open(os.path.join(data, "music.mp3"), "rb") as f:
        track = f.read(2048)  # its LAME tag frame and four frames of the music
    vbr = encode(1200, 44100, vbr=True)
    free = encode(2000, 44100, kbps=200, free_format=True, tag=False)
    mono = encode(6000, 22050, channels=1, kbps=32)
    low = encode(4000, 8000, channels=1, kbps=8)
    write("mp3", "track-head.mp3", track)
    write("mp3", "vbr-lame.mp3", vbr)
    write("mp3", "free-format.mp3", free)
    # A byte of a low-rate file is many samples to resample, the time an
    # input takes: the MP3 target gets a few frames of one, mutations find the rest.
    write("mp3", "mono-22050.mp3", mono[:500])
    write("module", "tiny.mod", protracker_module())
    # The layout reader's own: tags at both ends, and frames behind a tag frame.
    id3v1 = b"TAG" + b"fuzz seed".ljust(125, b" ")
    write("mp3_layout", "track-head.mp3", track[:1500])
    write("mp3_layout", "vbr-lame.mp3", vbr[:1500])
    write("mp3_layout", "tags-both-ends.mp3", id3v2(b"TIT2" + b"\0" * 20, True) + mono[:1200] + id3v1)
    write("mp3_layout", "mpeg25-8000.mp3", id3v2(b"\0" * 8, False) + low[:600])


main()
