# An independent reader of help files for the tests: it follows the format as the help engine
# reads it (header, directory B+ tree searched through its index pages, internal file headers,
# LZ77 topic blocks, the chain of topic records, TOPICOFFSETs counted as the engine counts them,
# the context tree, the numeric map and the keyword index). It shares no code with the writer.
import struct


class HelpFileError(Exception):
    pass


def _u16(data, at):
    return struct.unpack_from("<H", data, at)[0]


def _u32(data, at):
    return struct.unpack_from("<I", data, at)[0]


def _i32(data, at):
    return struct.unpack_from("<i", data, at)[0]


def hash_name(name):
    value = 0
    for character in name:
        if character.isdigit():
            digit = 10 if character == "0" else int(character)
        elif character == ".":
            digit = 12
        elif character == "_":
            digit = 13
        elif character.isalpha():
            digit = ord(character.upper()) - 48
        else:
            continue
        value = (value * 43 + digit) % 2**32
    return value


def lz77_unpack(stream):
    out = bytearray()
    at = 0
    while at < len(stream):
        mask = stream[at]
        at += 1
        for bit in range(8):
            if at >= len(stream):
                break
            if mask >> bit & 1:
                code = _u16(stream, at)
                at += 2
                distance = (code & 0xFFF) + 1
                for _ in range(3 + (code >> 12)):
                    out.append(out[-distance])
            else:
                out.append(stream[at])
                at += 1
    return bytes(out)


class BTree:
    """A B+ tree read from an internal file's data; keys are compared by a function of the reader's."""

    def __init__(self, data):
        if _u16(data, 0) != 0x293B:
            raise HelpFileError("bad B+ tree magic")
        self.data = data
        self.flags = _u16(data, 2)
        self.page_size = _u16(data, 4)
        self.structure = data[6:22].rstrip(b"\0")
        self.splits = _u16(data, 24)
        self.root = _u16(data, 26)
        self.pages = _u16(data, 30)
        self.levels = _u16(data, 32)
        self.entries = _u32(data, 34)
        if len(data) != 38 + self.pages * self.page_size:
            raise HelpFileError("B+ tree size does not match its pages")

    def page(self, number):
        start = 38 + number * self.page_size
        return self.data[start:start + self.page_size]

    def first_leaf(self):
        number = self.root
        for _ in range(self.levels - 1):
            number = _u16(self.page(number), 4)
        return number

    def leaves(self):
        """Every leaf entry's bytes, left to right, split by entry_size(page, at) -> size."""
        number, previous = self.first_leaf(), 0xFFFF
        while number != 0xFFFF:
            page = self.page(number)
            if _u16(page, 4) != previous:
                raise HelpFileError("leaf chain broken at page %d" % number)
            yield page, _u16(page, 2)
            previous, number = number, _u16(page, 6)

    def search(self, key_less, key_size, target):
        """The leaf entry offset (page, at) for target, going down the index pages."""
        number = self.root
        for _ in range(self.levels - 1):
            page = self.page(number)
            child, at = _u16(page, 4), 6
            for _ in range(_u16(page, 2)):
                size = key_size(page, at)
                if key_less(target, page, at):
                    break
                child = _u16(page, at + size)
                at += size + 2
            number = child
        return self.page(number)


def c_string(data, at):
    end = data.index(b"\0", at)
    return data[at:end]


class HelpFile:
    def __init__(self, data):
        if _u32(data, 0) != 0x00035F3F:
            raise HelpFileError("bad magic")
        if _u32(data, 12) != len(data):
            raise HelpFileError("total size %d, file %d" % (_u32(data, 12), len(data)))
        self.data = data
        self.first_free = _u32(data, 8)
        directory = self.internal_at(_u32(data, 4))
        self.directory = BTree(directory)
        self.files = {}
        for page, count in self.directory.leaves():
            at = 8
            for _ in range(count):
                name = c_string(page, at)
                self.files[name.decode("ascii")] = _u32(page, at + len(name) + 1)
                at += len(name) + 5

    def internal_at(self, offset):
        reserved, used = _u32(self.data, offset), _u32(self.data, offset + 4)
        if reserved < used + 9 or offset + reserved > len(self.data):
            raise HelpFileError("internal file at %d does not fit" % offset)
        return self.data[offset + 9:offset + 9 + used]

    def internal(self, name):
        return self.internal_at(self.files[name])

    def find_file(self, name):
        """The directory searched as the engine searches it (through the index pages)."""
        key = name.encode("ascii")
        page = self.directory.search(lambda k, p, a: k < c_string(p, a), lambda p, a: len(c_string(p, a)) + 1, key)
        at = 8
        for _ in range(_u16(page, 2)):
            entry = c_string(page, at)
            if entry == key:
                return _u32(page, at + len(entry) + 1)
            at += len(entry) + 5
        return None

    def system(self):
        data = self.internal("|SYSTEM")
        header = struct.unpack_from("<HHHIH", data, 0)
        records, at = {}, 12
        while at + 4 <= len(data):
            kind, size = _u16(data, at), _u16(data, at + 2)
            records.setdefault(kind, []).append(data[at + 4:at + 4 + size])
            at += 4 + size
        return header, records

    def topic_stream(self):
        """The decompressed |TOPIC blocks and each block's 12-byte header."""
        data = self.internal("|TOPIC")
        blocks, headers = [], []
        for start in range(0, len(data), 4096):
            headers.append(struct.unpack_from("<III", data, start))
            blocks.append(lz77_unpack(data[start + 12:start + 4096]))
        return blocks, headers

    def records(self):
        """Every topic record in chain order: dict with pos, type, data1, data2, offset (for topic
        headers: TOPICOFFSET as the engine counts it) and block."""
        blocks, _ = self.topic_stream()
        starts = [0]
        for block in blocks:
            starts.append(starts[-1] + len(block))
        stream = b"".join(blocks)
        result, position, current_block, counted = [], 0x0C, -1, 0
        while position != 0xFFFFFFFF:
            block, place = (position - 0x0C) >> 14, (position - 0x0C) & 0x3FFF
            at = starts[block] + place
            size, length2, previous, following, length1 = struct.unpack_from("<IIIII", stream, at)
            kind = stream[at + 20]
            record = {"pos": position, "type": kind, "block": block, "previous": previous,
                      "data1": stream[at + 21:at + length1], "data2": stream[at + length1:at + size]}
            if size != length1 + length2:
                raise HelpFileError("record at %x: sizes disagree" % position)
            if block != current_block:
                current_block, counted = block, 0
            if kind == 0x02:
                record["offset"] = block * 0x8000 + counted
            else:
                record["text_length"] = _text_length(record["data1"])
                counted += record["text_length"]
            result.append(record)
            position = following
        return result

    def topics(self):
        """[(title, TOPICOFFSET, browse previous, browse next, [paragraph texts])] in file order."""
        topics = []
        for record in self.records():
            if record["type"] == 0x02:
                fields = struct.unpack_from("<7I", record["data1"], 0)
                topics.append([record["data2"].split(b"\0")[0].decode("cp932"), record["offset"],
                               fields[1], fields[2], []])
            else:
                topics[-1][4].append(paragraph_text(record["data1"], record["data2"]))
        return topics

    def context_map(self):
        data = self.internal("|CTXOMAP")
        return {_u32(data, 2 + 8 * i): _u32(data, 6 + 8 * i) for i in range(_u16(data, 0))}

    def context_tree(self):
        tree = BTree(self.internal("|CONTEXT"))
        entries = []
        for page, count in tree.leaves():
            entries += [(_i32(page, 8 + 8 * i), _u32(page, 12 + 8 * i)) for i in range(count)]
        return entries

    def keywords(self):
        tree, data = BTree(self.internal("|KWBTREE")), self.internal("|KWDATA")
        result = {}
        for page, count in tree.leaves():
            at = 8
            for _ in range(count):
                word = c_string(page, at)
                count_of, where = _u16(page, at + len(word) + 1), _u32(page, at + len(word) + 3)
                result[word.decode("cp932")] = [_u32(data, where + 4 * i) for i in range(count_of)]
                at += len(word) + 7
        return result


def _text_length(data1):
    at = 2 if data1[0] & 1 == 0 else 4
    return data1[at] // 2 if data1[at] & 1 == 0 else _u16(data1, at) // 2


def paragraph_text(data1, data2):
    """The strings of a text record joined, hotspots marked as [[hash:text]]."""
    at = 2 if data1[0] & 1 == 0 else 4
    at += 1 if data1[at] & 1 == 0 else 2
    at += 4
    bits = _u16(data1, at)
    if bits != 0:
        raise HelpFileError("paragraph bits not understood: %x" % bits)
    at += 2
    strings = data2.split(b"\0")
    out, index, hotspot = [], 0, None
    while at < len(data1):
        out.append(strings[index].decode("cp932"))
        index += 1
        command = data1[at]
        if command == 0xFF:
            break
        if command == 0x80:
            at += 3
        elif command == 0xE3:
            hotspot = _u32(data1, at + 1)
            out.append("[[%08X:" % hotspot)
            at += 5
        elif command == 0x89:
            out.append("]]")
            at += 1
        elif command in (0x81, 0x82, 0x83):
            at += 1
        else:
            raise HelpFileError("command %x not understood" % command)
    return "".join(out)
