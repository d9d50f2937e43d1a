# One help topic read from its source file: header lines ("name: value") up to a blank line,
# then paragraphs separated by blank lines. In a paragraph, **text** is bold and [[NAME]] or
# [[NAME|text]] jumps to the topic whose context is NAME; a line starting "- " is an item of a
# list and "## " starts a sub-heading.
import re

from .paragraphs import FONT_BOLD, Paragraph, Span

_INLINE = re.compile(r"\*\*(.+?)\*\*|\[\[([^\]|]+)(?:\|([^\]]+))?\]\]")
_ITEM_MARK = "・"


class HelpSourceError(Exception):
    """A fault in a source file; the message names the file."""

    def __init__(self, source, message):
        super().__init__("%s: %s" % (source, message))


class Topic:
    def __init__(self, source):
        self.source = source
        self.title = ""
        self.label = ""
        self.context = ""
        self.map_numbers = []
        self.keywords = []
        self.browse = 0
        self.is_contents = False
        self.see = []
        self.paragraphs = []

    def links(self):
        return [span.target for p in self.paragraphs for span in p.spans if span.kind == "link"]


def parse_spans(text):
    spans, position = [], 0
    for match in _INLINE.finditer(text):
        if match.start() > position:
            spans.append(Span("text", text[position:match.start()]))
        if match.group(1) is not None:
            spans.append(Span("bold", match.group(1)))
        else:
            spans.append(Span("link", match.group(3) or "", match.group(2).strip()))
        position = match.end()
    if position < len(text):
        spans.append(Span("text", text[position:]))
    return spans


def _join_lines(lines):
    """Lines of one paragraph: joined with a space between ASCII words, directly otherwise."""
    text = ""
    for line in lines:
        if text and text[-1].isascii() and line[0].isascii():
            text += " "
        text += line
    return text


def _header_field(topic, name, value):
    if name == "title":
        topic.title = value
    elif name == "label":
        topic.label = value
    elif name == "context":
        topic.context = value
    elif name == "map":
        topic.map_numbers = [int(n) for n in value.split()]
    elif name == "keywords":
        topic.keywords = [k.strip() for k in value.split(";") if k.strip()]
    elif name == "browse":
        topic.browse = int(value)
    elif name == "contents":
        topic.is_contents = value == "yes"
    elif name == "see":
        topic.see = value.split()
    else:
        raise ValueError("unknown header field '%s'" % name)


def _paragraphs(lines):
    paragraphs, block = [], []

    def flush():
        if block:
            paragraphs.append(Paragraph(parse_spans(_join_lines(block))))
            block.clear()

    for line in lines:
        if not line:
            flush()
        elif line.startswith("- "):
            flush()
            paragraphs.append(Paragraph(parse_spans(_ITEM_MARK + line[2:].strip())))
        elif line.startswith("## "):
            flush()
            paragraphs.append(Paragraph(parse_spans(line[3:].strip()), FONT_BOLD))
        else:
            block.append(line)
    flush()
    return paragraphs


def parse_topic(source, text):
    topic = Topic(source)
    lines = [line.strip() for line in text.splitlines()]
    try:
        blank = lines.index("")
    except ValueError:
        raise HelpSourceError(source, "no blank line after the header")
    for line in lines[:blank]:
        name, colon, value = line.partition(":")
        if not colon:
            raise HelpSourceError(source, "header line without ':': %s" % line)
        try:
            _header_field(topic, name.strip(), value.strip())
        except ValueError as error:
            raise HelpSourceError(source, str(error))
    for required in ("title", "label", "context"):
        if not getattr(topic, required):
            raise HelpSourceError(source, "no '%s' in the header" % required)
    topic.paragraphs = _paragraphs(lines[blank + 1:])
    return topic
