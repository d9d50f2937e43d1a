# The |TOPIC file: every topic as a topic-header record followed by its text records, chained by
# TOPICPOS, packed into 4096-byte blocks (LZ77 stream of literals only), and the TOPICOFFSET of
# each topic, which the context map, the context tree and the browse sequence point at.
from .binary import u32, u8

BLOCK_SIZE = 4096
BLOCK_HEADER_SIZE = 12
STREAM_SIZE = BLOCK_SIZE - BLOCK_HEADER_SIZE
LITERAL_GROUP = 8
# 4084 stream bytes: 453 groups of a control byte and 8 literals, then one of 6 literals.
BLOCK_DATA_SIZE = (STREAM_SIZE // (LITERAL_GROUP + 1)) * LITERAL_GROUP + STREAM_SIZE % (LITERAL_GROUP + 1) - 1
POSITION_BLOCK = 0x4000
OFFSET_BLOCK = 0x8000
NONE = 0xFFFFFFFF
TOPIC_HEADER = 0x02
TEXT = 0x20
_LINK_HEADER_SIZE = 21
_TOPIC_HEADER_DATA_SIZE = 28


class Record:
    def __init__(self, kind, data1, data2, text_length=0):
        self.kind = kind
        self.data1 = data1
        self.data2 = data2
        self.text_length = text_length
        self.stream_position = 0

    def size(self):
        return _LINK_HEADER_SIZE + len(self.data1) + len(self.data2)


def topic_position(stream_position):
    """TOPICPOS: the block number times 0x4000, plus the block header, plus the place in the block."""
    block, place = divmod(stream_position, BLOCK_DATA_SIZE)
    return block * POSITION_BLOCK + BLOCK_HEADER_SIZE + place


class TopicEntry:
    """One topic for the stream: its title (Shift-JIS bytes) and its text records' data."""

    def __init__(self, title, texts):
        self.title = title
        self.texts = texts  # [(data1, data2)]


def _records_of(entries):
    topics = []
    for entry in entries:
        header = Record(TOPIC_HEADER, bytes(_TOPIC_HEADER_DATA_SIZE), entry.title)
        texts = [Record(TEXT, d1, d2, len(d2)) for d1, d2 in entry.texts]
        topics.append([header] + texts)
    topics.append([Record(TOPIC_HEADER, bytes(_TOPIC_HEADER_DATA_SIZE), b"")])
    return topics


def _place(records):
    position = 0
    for record in records:
        record.stream_position = position
        position += record.size()
    return position


def _topic_offsets(records):
    """TOPICOFFSET of every topic header: its block times 0x8000 plus the text lengths of the text
    records that start earlier in the same block."""
    offsets, block, counted = {}, -1, 0
    for record in records:
        record_block = record.stream_position // BLOCK_DATA_SIZE
        if record_block != block:
            block, counted = record_block, 0
        if record.kind == TOPIC_HEADER:
            offsets[id(record)] = block * OFFSET_BLOCK + counted
        counted += record.text_length
    return offsets


def _fill_topic_headers(topics, offsets):
    headers = [topic[0] for topic in topics]
    real = headers[:-1]
    for number, header in enumerate(headers):
        is_real = number < len(real)
        previous = offsets[id(real[number - 1])] if is_real and number > 0 else NONE
        following = offsets[id(real[number + 1])] if is_real and number + 1 < len(real) else NONE
        scrolling = topic_position(topics[number][1].stream_position) if len(topics[number]) > 1 else NONE
        next_header = topic_position(headers[number + 1].stream_position) if number + 1 < len(headers) else NONE
        header.data1 = (u32(0) + u32(previous) + u32(following) + u32(number) + u32(NONE)
                        + u32(scrolling) + u32(next_header))


def _link_bytes(record, previous, following):
    data_length1 = _LINK_HEADER_SIZE + len(record.data1)
    return (u32(record.size()) + u32(len(record.data2)) + u32(previous) + u32(following)
            + u32(data_length1) + u8(record.kind) + record.data1 + record.data2)


def _block_headers(records, block_count):
    headers = []
    for block in range(block_count):
        starts = block * BLOCK_DATA_SIZE
        earlier = [r for r in records if r.stream_position < starts]
        inside = [r for r in records if starts <= r.stream_position < starts + BLOCK_DATA_SIZE]
        last_header = [r for r in earlier if r.kind == TOPIC_HEADER]
        headers.append(u32(topic_position(earlier[-1].stream_position) if earlier else NONE)
                       + u32(topic_position(inside[0].stream_position) if inside else NONE)
                       + u32(topic_position(last_header[-1].stream_position) if last_header else 0))
    return headers


def pack_literals(data):
    """An LZ77 stream that holds data as literals only: a zero control byte before every 8 bytes."""
    out = bytearray()
    for start in range(0, len(data), LITERAL_GROUP):
        out.append(0)
        out += data[start:start + LITERAL_GROUP]
    return bytes(out)


def build_topic_file(entries):
    """(|TOPIC data, [TOPICOFFSET of each entry]) for the topics in browse order."""
    topics = _records_of(entries)
    records = [record for topic in topics for record in topic]
    total = _place(records)
    offsets = _topic_offsets(records)
    _fill_topic_headers(topics, offsets)
    stream = bytearray()
    for index, record in enumerate(records):
        previous = topic_position(records[index - 1].stream_position) if index > 0 else NONE
        following = topic_position(records[index + 1].stream_position) if index + 1 < len(records) else NONE
        stream += _link_bytes(record, previous, following)
    assert len(stream) == total
    block_count = max(1, -(-total // BLOCK_DATA_SIZE))
    stream += bytes(block_count * BLOCK_DATA_SIZE - total)
    data = bytearray()
    for block, header in enumerate(_block_headers(records, block_count)):
        packed = pack_literals(stream[block * BLOCK_DATA_SIZE:(block + 1) * BLOCK_DATA_SIZE])
        assert len(packed) == STREAM_SIZE
        data += header + packed
    return bytes(data), [offsets[id(topic[0])] for topic in topics[:-1]]
