# The small internal files beside |TOPIC: |SYSTEM (title, contents topic, character set, start-up
# macro), |FONT, the context tree |CONTEXT, the numeric map |CTXOMAP and the keyword index
# |KWBTREE with |KWDATA.
from .binary import u16, u32
from .btree import CONTEXT_LAYOUT, KEYWORD_LAYOUT, build_btree
from .context_hash import context_hash, signed

SYSTEM_MAGIC = 0x036C
SYSTEM_MINOR = 33
SYSTEM_MAJOR = 1
TOPIC_FLAGS_LZ77_4K = 4
SHIFTJIS_CHARSET = 128
JAPANESE_LCID = 0x0411
RECORD_TITLE, RECORD_CONTENTS, RECORD_MACRO, RECORD_LCID, RECORD_CHARSET = 1, 3, 4, 9, 11
FONT_FACE_SIZE = 32
FONT_FACE = b"MS Gothic"
FAMILY_MODERN = 1
ATTRIBUTE_BOLD = 1
# Body text 10 pt, the heading 12 pt bold, bold text 10 pt (sizes in half-points).
FONT_DESCRIPTORS = [(0, 20), (ATTRIBUTE_BOLD, 24), (ATTRIBUTE_BOLD, 20)]


def _system_record(kind, data):
    return u16(kind) + u16(len(data)) + data


def system_file(title, contents_offset, macros):
    """The date is 0 so that the same sources always give the same file."""
    data = u16(SYSTEM_MAGIC) + u16(SYSTEM_MINOR) + u16(SYSTEM_MAJOR) + u32(0) + u16(TOPIC_FLAGS_LZ77_4K)
    data += _system_record(RECORD_TITLE, title.encode("cp932") + b"\0")
    data += _system_record(RECORD_CONTENTS, u32(contents_offset))
    for macro in macros:
        data += _system_record(RECORD_MACRO, macro.encode("ascii") + b"\0")
    data += _system_record(RECORD_LCID, bytes(8) + u16(JAPANESE_LCID))
    data += _system_record(RECORD_CHARSET, u16(SHIFTJIS_CHARSET))
    return data


def font_file():
    faces = FONT_FACE.ljust(FONT_FACE_SIZE, b"\0")
    header = u16(1) + u16(len(FONT_DESCRIPTORS)) + u16(8) + u16(8 + FONT_FACE_SIZE)
    descriptors = b"".join(bytes([attributes, size, FAMILY_MODERN]) + u16(0) + bytes(6)
                           for attributes, size in FONT_DESCRIPTORS)
    return header + faces + descriptors


def context_file(offsets_by_name):
    """The leaves hold (signed hash, TOPICOFFSET), sorted by the signed hash."""
    entries = sorted((signed(context_hash(name)), offset) for name, offset in offsets_by_name.items())
    return build_btree(CONTEXT_LAYOUT, [(u32(h), u32(offset)) for h, offset in entries])


def context_map_file(offsets_by_number):
    numbers = sorted(offsets_by_number)
    return u16(len(numbers)) + b"".join(u32(n) + u32(offsets_by_number[n]) for n in numbers)


def keyword_files(offsets_by_keyword):
    """(|KWBTREE, |KWDATA): each keyword leaf holds its topic count and where its TOPICOFFSETs
    start in |KWDATA. offsets_by_keyword: {keyword: [TOPICOFFSET]}."""
    data, entries = bytearray(), []
    for keyword in sorted(offsets_by_keyword, key=lambda k: k.encode("cp932")):
        offsets = offsets_by_keyword[keyword]
        entries.append((keyword.encode("cp932") + b"\0", u16(len(offsets)) + u32(len(data))))
        data += b"".join(u32(offset) for offset in offsets)
    return build_btree(KEYWORD_LAYOUT, entries), bytes(data)
