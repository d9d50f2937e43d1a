# The B+ trees of a help file (the directory, the context and keyword trees): pages of a fixed
# size, leaves chained left to right, index pages above them when one leaf is not enough.
from .binary import u16, u32

TREE_MAGIC = 0x293B
NO_PAGE = 0xFFFF
_LEAF_HEADER = 8
_INDEX_HEADER = 6


class BTreeLayout:
    def __init__(self, flags, page_size, structure):
        self.flags = flags
        self.page_size = page_size
        self.structure = structure


DIRECTORY_LAYOUT = BTreeLayout(0x0402, 1024, b"z4")
CONTEXT_LAYOUT = BTreeLayout(0x0002, 2048, b"L4")
KEYWORD_LAYOUT = BTreeLayout(0x0002, 2048, b"z2F4")


def _split_into_pages(entries, room):
    """Groups consecutive entries (key bytes, value bytes) so each group's bytes fit in room."""
    pages, current, used = [], [], 0
    for key, value in entries:
        size = len(key) + len(value)
        if size > room:
            raise ValueError("a B+ tree entry is larger than a page")
        if current and used + size > room:
            pages.append(current)
            current, used = [], 0
        current.append((key, value))
        used += size
    pages.append(current)
    return pages


def _group_children(children, room):
    """Groups (page, first key) children into index pages: the first child of a page costs nothing
    (it is the page's first-child field), every further one its key and a u16 page number."""
    groups, current, used = [], [], 0
    for child in children:
        size = len(child[1]) + 2
        if current and used + size > room:
            groups.append(current)
            current, used = [], 0
        used += size if current else 0
        current.append(child)
    groups.append(current)
    return groups


def _page(header, entries, page_size):
    body = b"".join(key + value for key, value in entries)
    unused = page_size - len(header) - 2 - len(body)
    return u16(unused) + header + body + bytes(unused)


def build_btree(layout, sorted_entries):
    """The tree's bytes (header and pages). sorted_entries: (key bytes, leaf value bytes) in the
    reader's order. An index entry is a child's first key followed by its u16 page number; the keys
    below the first one are in the page's first child."""
    leaf_groups = _split_into_pages(sorted_entries, layout.page_size - _LEAF_HEADER)
    pages = []
    for number, group in enumerate(leaf_groups):
        previous = number - 1 if number > 0 else NO_PAGE
        following = number + 1 if number + 1 < len(leaf_groups) else NO_PAGE
        pages.append(_page(u16(len(group)) + u16(previous) + u16(following), group, layout.page_size))
    children = [(number, group[0][0] if group else b"") for number, group in enumerate(leaf_groups)]
    levels = 1
    while len(children) > 1:
        levels += 1
        parents = []
        for group in _group_children(children, layout.page_size - _INDEX_HEADER):
            entries = [(key, u16(page)) for page, key in group[1:]]
            pages.append(_page(u16(len(entries)) + u16(group[0][0]), entries, layout.page_size))
            parents.append((len(pages) - 1, group[0][1]))
        children = parents
    structure = layout.structure.ljust(16, b"\0")
    header = (u16(TREE_MAGIC) + u16(layout.flags) + u16(layout.page_size) + structure + u16(0)
              + u16(len(pages) - levels) + u16(children[0][0]) + u16(0xFFFF) + u16(len(pages))
              + u16(levels) + u32(len(sorted_entries)))
    return header + b"".join(pages)
