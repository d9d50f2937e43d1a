# The help file's container: the 16-byte header, the internal files each behind a 9-byte file
# header, and the directory (a B+ tree of names) last.
from .binary import u8, u32
from .btree import DIRECTORY_LAYOUT, build_btree

FILE_MAGIC = 0x00035F3F
FILE_HEADER_SIZE = 9
_HEADER_SIZE = 16


def file_header(used_space):
    """Reserved space counts the header itself; the flags byte is the customary 4."""
    return u32(used_space + FILE_HEADER_SIZE) + u32(used_space) + u8(4)


def build_container(internal_files):
    """internal_files: {name: data bytes}. Returns the whole help file."""
    body = bytearray()
    offsets = {}
    for name in sorted(internal_files):
        offsets[name] = _HEADER_SIZE + len(body)
        body += file_header(len(internal_files[name])) + internal_files[name]
    entries = [(name.encode("ascii") + b"\0", u32(offsets[name])) for name in sorted(offsets)]
    directory = build_btree(DIRECTORY_LAYOUT, sorted(entries))
    directory_offset = _HEADER_SIZE + len(body)
    body += file_header(len(directory)) + directory
    total = _HEADER_SIZE + len(body)
    return u32(FILE_MAGIC) + u32(directory_offset) + u32(0xFFFFFFFF) + u32(total) + bytes(body)
