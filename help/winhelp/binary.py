# Little-endian packing and the compressed integers of the topic records.
import struct


def u8(value):
    return struct.pack("<B", value)


def u16(value):
    return struct.pack("<H", value)


def u32(value):
    return struct.pack("<I", value & 0xFFFFFFFF)


def compressed_unsigned_short(value):
    """One byte (value * 2) below 128, otherwise two bytes (value * 2 + 1)."""
    if value < 0x80:
        return u8(value * 2)
    if value >= 0x8000:
        raise ValueError("compressed unsigned short out of range: %d" % value)
    return u16(value * 2 + 1)


def compressed_signed_long(value):
    """Two bytes ((value + 16384) * 2) for small values, otherwise four bytes."""
    if -0x4000 <= value < 0x4000:
        return u16((value + 0x4000) * 2)
    return u32((value + 0x40000000) * 2 + 1)
