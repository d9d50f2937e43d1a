# The whole set of topics: read from a folder, checked (unique context names, numbers and hashes,
# links to topics that exist, one contents topic), laid out for display and written as a help file.
import pathlib

from .container import build_container
from .context_hash import context_hash, is_valid_context_name
from .internal_files import context_file, context_map_file, font_file, keyword_files, system_file
from .paragraphs import FONT_HEADING, Paragraph, Span, text_record_data
from .topic_source import HelpSourceError, parse_topic
from .topic_stream import TopicEntry, build_topic_file

START_MACROS = ["BrowseButtons()"]
_BAR_SEPARATOR = " | "


def _check_unique(topics, key_of, what):
    seen = {}
    for topic in topics:
        for key in key_of(topic):
            if key in seen:
                raise HelpSourceError(topic.source, "duplicate %s %s (also in %s)" % (what, key, seen[key].source))
            seen[key] = topic


def _check_names(topics):
    for topic in topics:
        if not is_valid_context_name(topic.context):
            raise HelpSourceError(topic.source, "context name '%s' may hold only A-Z, a-z, 0-9, '.' and '_'" % topic.context)
        if not topic.label.isascii():
            raise HelpSourceError(topic.source, "the label must be ASCII: %s" % topic.label)
    _check_unique(topics, lambda t: [t.context.upper()], "context name")
    _check_unique(topics, lambda t: ["%08X" % context_hash(t.context)], "context-name hash")
    _check_unique(topics, lambda t: t.map_numbers, "context number")
    contents = [t for t in topics if t.is_contents]
    if len(contents) != 1:
        raise HelpSourceError(topics[0].source if topics else "(no topics)", "exactly one topic must say 'contents: yes'")


def _check_links(topics):
    names = {t.context.upper() for t in topics}
    for topic in topics:
        for target in topic.links() + topic.see:
            if target.upper() not in names:
                raise HelpSourceError(topic.source, "link to a missing topic: %s" % target)


class HelpBook:
    def __init__(self, title, topics):
        self.title = title
        self.topics = sorted(topics, key=lambda t: (t.browse, t.source))
        _check_names(self.topics)
        _check_links(self.topics)
        self.by_context = {t.context.upper(): t for t in self.topics}
        self.contents = next(t for t in self.topics if t.is_contents)
        for topic in self.topics:
            for span in (s for p in topic.paragraphs for s in p.spans if s.kind == "link"):
                span.text = span.text or self.by_context[span.target.upper()].label

    def link_to(self, context):
        return Span("link", self.by_context[context.upper()].label, context)

    def navigation(self, topic):
        """The jumps that come first in a topic, before any double-byte text: the contents topic lists
        every topic in 'see' one per line; the others have a bar with the contents and their 'see'."""
        if topic.is_contents:
            heading = Paragraph([Span("text", topic.label)], FONT_HEADING)
            return [heading] + [Paragraph([self.link_to(name)]) for name in topic.see]
        bar = []
        for name in [self.contents.context] + topic.see:
            bar += ([Span("text", _BAR_SEPARATOR)] if bar else []) + [self.link_to(name)]
        return [Paragraph(bar)]

    def displayed_paragraphs(self, topic):
        heading = Paragraph([Span("text", topic.title)], FONT_HEADING)
        return self.navigation(topic) + [heading] + topic.paragraphs


def read_book(title, folder):
    topics = []
    for path in sorted(pathlib.Path(folder).glob("*.txt")):
        topics.append(parse_topic(path.name, path.read_text(encoding="utf-8")))
    if not topics:
        raise HelpSourceError(str(folder), "no topic files (*.txt)")
    return HelpBook(title, topics)


def _topic_entry(book, topic):
    try:
        texts = [text_record_data(p) for p in book.displayed_paragraphs(topic)]
        for keyword in topic.keywords:
            keyword.encode("cp932")
        return TopicEntry(topic.title.encode("cp932"), texts)
    except (UnicodeEncodeError, ValueError) as error:
        raise HelpSourceError(topic.source, "cannot be written in Shift-JIS: %s" % error)


def build_help_file(book):
    topic_data, offsets = build_topic_file([_topic_entry(book, t) for t in book.topics])
    offset_of = dict(zip((t.context for t in book.topics), offsets))
    keywords = {}
    for topic in book.topics:
        for keyword in topic.keywords:
            keywords.setdefault(keyword, []).append(offset_of[topic.context])
    keyword_tree, keyword_data = keyword_files(keywords)
    numbers = {n: offset_of[t.context] for t in book.topics for n in t.map_numbers}
    return build_container({
        "|SYSTEM": system_file(book.title, offset_of[book.contents.context], START_MACROS),
        "|FONT": font_file(),
        "|TOPIC": topic_data,
        "|CONTEXT": context_file(offset_of),
        "|CTXOMAP": context_map_file(numbers),
        "|KWBTREE": keyword_tree,
        "|KWDATA": keyword_data,
    })
