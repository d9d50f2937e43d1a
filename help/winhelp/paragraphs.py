# A paragraph of help text as a text record (type 0x20): its formatting commands in the first
# data part and, in the second, the strings printed before each command (Shift-JIS).
from .binary import compressed_signed_long, compressed_unsigned_short, u16, u32
from .context_hash import context_hash

FONT_BODY = 0
FONT_HEADING = 1
FONT_BOLD = 2

_SWITCH_FONT = 0x80
_END_PARAGRAPH = 0x82
_JUMP = 0xE3
_END_HOTSPOT = 0x89
_END_COMMANDS = 0xFF
_MAX_TEXT_LENGTH = 0x7FFF


class Span:
    """A run of text: kind is "text", "bold" or "link" (then target is a context name)."""

    def __init__(self, kind, text, target=None):
        self.kind = kind
        self.text = text
        self.target = target


class Paragraph:
    def __init__(self, spans, font=FONT_BODY):
        self.spans = spans
        self.font = font


class _CommandList:
    def __init__(self):
        self.commands = bytearray()
        self.strings = []
        self.pending = ""

    def add(self, command):
        self.strings.append(self.pending)
        self.commands += command
        self.pending = ""


def _font(number):
    return bytes([_SWITCH_FONT]) + u16(number)


def _commands_of(paragraph):
    out = _CommandList()
    out.add(_font(paragraph.font))
    for span in paragraph.spans:
        if span.kind == "bold":
            out.add(_font(FONT_BOLD))
            out.pending = span.text
            out.add(_font(paragraph.font))
        elif span.kind == "link":
            out.add(bytes([_JUMP]) + u32(context_hash(span.target)))
            out.pending = span.text
            out.add(bytes([_END_HOTSPOT]))
        else:
            out.pending += span.text
    out.add(bytes([_END_PARAGRAPH]))
    out.add(bytes([_END_COMMANDS]))
    return out


def text_record_data(paragraph):
    """(LinkData1, LinkData2) of the paragraph's record. Raises ValueError for text that Shift-JIS
    cannot hold or that is longer than a record can say."""
    commands = _commands_of(paragraph)
    text = b"".join(s.encode("cp932") + b"\0" for s in commands.strings)
    if len(text) > _MAX_TEXT_LENGTH:
        raise ValueError("a paragraph is longer than %d bytes" % _MAX_TEXT_LENGTH)
    rest = compressed_unsigned_short(len(text)) + bytes([0x00, 0x80, 0x00, 0x00]) + u16(0)
    rest += bytes(commands.commands)
    return compressed_signed_long(len(rest)) + rest, text
