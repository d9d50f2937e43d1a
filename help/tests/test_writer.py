# The help writer's output read back by the tests' own reader, and its refusals of bad sources.
import pathlib
import sys
import tempfile
import unittest

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent))
sys.path.insert(0, str(HERE))

from hlp_reader import BTree, HelpFile, hash_name  # noqa: E402
from winhelp.btree import BTreeLayout, build_btree  # noqa: E402
from winhelp.help_book import build_help_file, read_book  # noqa: E402
from winhelp.topic_source import HelpSourceError  # noqa: E402

CONTENTS = """title: 目次
label: Test Help
context: IDH_CONTENTS
contents: yes
keywords: 目次
see: IDH_BIG IDH_LATE

はじめに [[IDH_LATE|後ろの話題]] を読んでください。
"""
BIG_PARAGRAPHS = 400
BIG = "title: 大きな話題\nlabel: Big\ncontext: IDH_BIG\nmap: 1001\nbrowse: 1\nkeywords: 大きい; 共通\n\n" + "\n\n".join(
    "段落%d：漢字の並ぶ長い文章です。**太字**もあります。" % n for n in range(BIG_PARAGRAPHS))
LATE = """title: 後ろの話題
label: Late
context: IDH_LATE
map: 6000 1023
browse: 2
keywords: 共通
see: IDH_BIG

後ろのブロックに始まる話題です。
- 項目
"""


def write_sources(folder, sources):
    for name, text in sources.items():
        (pathlib.Path(folder) / name).write_text(text, encoding="utf-8")


def build(sources):
    with tempfile.TemporaryDirectory() as folder:
        write_sources(folder, sources)
        return HelpFile(build_help_file(read_book("テスト", folder)))


class HelpFileLayout(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.help = build({"00.txt": CONTENTS, "10.txt": BIG, "20.txt": LATE})

    def test_directory_lists_the_internal_files_sorted_and_each_fits(self):
        names = list(self.help.files)
        self.assertEqual(names, sorted(names, key=lambda n: n.encode()))
        self.assertEqual(set(names), {"|CONTEXT", "|CTXOMAP", "|FONT", "|KWBTREE", "|KWDATA", "|SYSTEM", "|TOPIC"})
        self.assertEqual(self.help.first_free, 0xFFFFFFFF)
        for name in names:
            self.assertEqual(self.help.find_file(name), self.help.files[name])
            self.help.internal(name)  # raises when its header does not fit
        self.assertEqual(self.help.directory.flags, 0x0402)
        self.assertEqual(self.help.directory.page_size, 1024)

    def test_system_names_the_title_contents_and_shift_jis(self):
        header, records = self.help.system()
        self.assertEqual(header[:3], (0x036C, 33, 1))
        self.assertEqual(header[4], 4)  # LZ77 in 4 KiB blocks
        self.assertEqual(records[1][0], "テスト".encode("cp932") + b"\0")
        self.assertEqual(records[11][0][0], 128)
        contents_offset = int.from_bytes(records[3][0], "little")
        self.assertEqual(self.help.topics()[0][0], "目次")
        self.assertEqual(self.help.topics()[0][1], contents_offset)

    def test_topics_round_trip_in_browse_order_with_links_first(self):
        topics = self.help.topics()
        self.assertEqual([t[0] for t in topics], ["目次", "大きな話題", "後ろの話題", ""])
        contents = topics[0][4]
        self.assertEqual(contents[0], "Test Help")
        self.assertEqual(contents[1], "[[%08X:Big]]" % hash_name("IDH_BIG"))
        self.assertIn("[[%08X:後ろの話題]]" % hash_name("IDH_LATE"), contents[4])
        late = topics[2][4]
        self.assertEqual(late[0], "[[%08X:Test Help]] | [[%08X:Big]]" % (hash_name("IDH_CONTENTS"), hash_name("IDH_BIG")))
        self.assertEqual(late[1:], ["後ろの話題", "後ろのブロックに始まる話題です。", "・項目"])

    def test_a_topic_larger_than_a_block_keeps_every_paragraph(self):
        records = self.help.records()
        big = self.help.topics()[1][4]
        self.assertEqual(len(big), BIG_PARAGRAPHS + 2)
        self.assertEqual(big[-1], "段落%d：漢字の並ぶ長い文章です。太字もあります。" % (BIG_PARAGRAPHS - 1))
        self.assertGreater(max(r["block"] for r in records), 2)

    def test_topic_offsets_of_later_blocks_match_the_maps(self):
        topics = self.help.topics()
        late_offset = topics[2][1]
        self.assertGreater(late_offset >> 15, 0)  # starts in a later block
        self.assertNotEqual(late_offset & 0x7FFF, 0)  # after text records of that block
        self.assertEqual(self.help.context_map(), {1001: topics[1][1], 1023: late_offset, 6000: late_offset})
        tree = dict(self.help.context_tree())
        for name, index in (("IDH_CONTENTS", 0), ("IDH_BIG", 1), ("IDH_LATE", 2)):
            signed = hash_name(name) - 2**32 if hash_name(name) >= 2**31 else hash_name(name)
            self.assertEqual(tree[signed], topics[index][1])
        hashes = [h for h, _ in self.help.context_tree()]
        self.assertEqual(hashes, sorted(hashes))

    def test_browse_sequence_links_neighbours_and_ends(self):
        topics = self.help.topics()
        self.assertEqual((topics[0][2], topics[0][3]), (0xFFFFFFFF, topics[1][1]))
        self.assertEqual((topics[1][2], topics[1][3]), (topics[0][1], topics[2][1]))
        self.assertEqual((topics[2][2], topics[2][3]), (topics[1][1], 0xFFFFFFFF))

    def test_keyword_index_points_at_every_topic_of_a_keyword(self):
        topics = self.help.topics()
        self.assertEqual(self.help.keywords(), {"目次": [topics[0][1]], "大きい": [topics[1][1]],
                                                "共通": [topics[1][1], topics[2][1]]})

    def test_block_headers_point_at_records_in_the_blocks(self):
        blocks, headers = self.help.topic_stream()
        positions = [r["pos"] for r in self.help.records()]
        self.assertEqual(headers[0][0], 0xFFFFFFFF)
        self.assertEqual(headers[0][1], 0x0C)
        for block, (last_earlier, first_here, _) in enumerate(headers[1:], start=1):
            self.assertIn(first_here, positions)
            self.assertEqual(first_here >> 14, block)
            self.assertEqual(last_earlier, max(p for p in positions if p >> 14 < block))
        self.assertTrue(all(len(b) == len(blocks[0]) for b in blocks))


class ContextHash(unittest.TestCase):
    def test_vectors(self):
        from winhelp.context_hash import context_hash
        for name, value in (("ctx_6000", 0xD4BB2776), ("ctx_1001", 0xD4B5168E), ("ctx_1003", 0xD4B51690),
                            ("IDH_CONTENTS", 0x68310BEE), ("a", 0x11), ("A", 0x11)):
            self.assertEqual(context_hash(name), value, name)
            self.assertEqual(hash_name(name), value, name)


class DeepTrees(unittest.TestCase):
    def test_a_tree_with_index_levels_finds_every_key(self):
        keys = [b"|K%04d\0" % n for n in range(300)]
        data = build_btree(BTreeLayout(0x0402, 64, b"z4"), [(k, n.to_bytes(4, "little")) for n, k in enumerate(keys)])
        tree = BTree(data)
        self.assertGreaterEqual(tree.levels, 3)
        self.assertEqual(tree.entries, 300)
        self.assertEqual(tree.splits, tree.pages - tree.levels)
        seen = []
        for page, count in tree.leaves():
            at = 8
            for _ in range(count):
                end = page.index(b"\0", at)
                seen.append(page[at:end + 1])
                at = end + 5
        self.assertEqual(seen, keys)
        for key in keys[::7]:
            page = tree.search(lambda k, p, a: k < p[a:p.index(b"\0", a) + 1], lambda p, a: p.index(b"\0", a) - a + 1, key)
            self.assertIn(key, page)


class Refusals(unittest.TestCase):
    def refused(self, sources, source, words):
        with tempfile.TemporaryDirectory() as folder:
            write_sources(folder, sources)
            with self.assertRaises(HelpSourceError) as caught:
                build_help_file(read_book("テスト", folder))
        self.assertIn(source, str(caught.exception))
        self.assertIn(words, str(caught.exception))

    def test_duplicate_context_name(self):
        self.refused({"00.txt": CONTENTS, "10.txt": BIG, "20.txt": LATE,
                      "30.txt": LATE.replace("map: 6000 1023", "map: 7000").replace("IDH_LATE", "idh_late")},
                     "30.txt", "duplicate context name")

    def test_duplicate_context_number(self):
        self.refused({"00.txt": CONTENTS, "10.txt": BIG, "20.txt": LATE.replace("6000", "1001")},
                     "20.txt", "duplicate context number 1001")

    def test_link_to_a_missing_topic(self):
        self.refused({"00.txt": CONTENTS, "10.txt": BIG, "20.txt": LATE + "\n[[IDH_NOWHERE|どこか]]\n"},
                     "20.txt", "missing topic: IDH_NOWHERE")
        self.refused({"00.txt": CONTENTS.replace("see: IDH_BIG", "see: IDH_GONE"), "10.txt": BIG, "20.txt": LATE},
                     "00.txt", "missing topic: IDH_GONE")

    def test_context_name_hash_clash(self):
        # Two different names with one hash, found by a search over random names.
        self.assertEqual(hash_name("DVOLKGQX"), hash_name("SACPIRPF"))
        clash = LATE.replace("IDH_LATE", "SACPIRPF").replace("map: 6000 1023", "map: 7000")
        self.refused({"00.txt": CONTENTS, "10.txt": BIG.replace("IDH_BIG", "DVOLKGQX"), "20.txt": LATE,
                      "30.txt": clash}, "30.txt", "context-name hash")

    def test_bad_names_texts_and_headers(self):
        self.refused({"00.txt": CONTENTS, "10.txt": BIG.replace("IDH_BIG", "IDH-BIG")}, "10.txt", "context name")
        self.refused({"00.txt": CONTENTS, "10.txt": BIG, "20.txt": LATE.replace("項目", "\u20ac")},
                     "20.txt", "Shift-JIS")
        self.refused({"00.txt": CONTENTS, "10.txt": BIG, "20.txt": LATE.replace("label: Late", "label: 後")},
                     "20.txt", "ASCII")
        self.refused({"00.txt": CONTENTS, "10.txt": BIG, "20.txt": LATE.replace("contents: yes", "").replace("browse", "contents: yes\nbrowse")},
                     "txt", "contents")
        self.refused({"00.txt": CONTENTS, "10.txt": BIG.replace("title: 大きな話題\n", "")}, "10.txt", "title")


if __name__ == "__main__":
    unittest.main()
