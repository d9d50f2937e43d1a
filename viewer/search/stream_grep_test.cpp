// The streamed search against the loaded document's forward search (the hits zvcat --grep
// printed from the text block), on random Shift-JIS texts given in pieces of random sizes and
// scanned in slices of random sizes: line ends of all three kinds, tabs, control codes, lines
// that wrap, double-byte characters on every piece edge and wrap column, pattern bytes that
// occur as second bytes, folding on and off, several wrap widths.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/fault_plan.h"
#include "viewer/document/document_stream.h"
#include "viewer/document/document_test_support.h"
#include "viewer/search/search_engine.h"
#include "viewer/search/stream_grep.h"
#include "viewer/settings/settings_globals.h"

namespace {

struct Hit {
  int64_t row;
  int offset;
  int length;
  bool operator==(const Hit&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Hit& h) {
  return out << "row " << h.row << " offset " << h.offset << " length " << h.length;
}

class HitList final : public StreamHitReceiver {
 public:
  bool Take(const StreamHit& hit) override {
    hits.push_back({hit.row, hit.offset, hit.length});
    return int(hits.size()) != stopAfter;
  }
  std::vector<Hit> hits;
  int stopAfter = -1;  // the hit whose taking stops the search
};

// Texts made of pieces that matter at edges: double-byte characters (some with second bytes
// "a", "\\", "|", "@"), line ends, tabs, control codes and long runs that wrap.
class RandomSjis {
 public:
  explicit RandomSjis(uint32_t seed) : random_(seed) {}

  std::string Make(int pieces) {
    std::string text;
    while (pieces-- > 0) AddPiece(text);
    return text;
  }

  void AddPiece(std::string& text) {
    static const char* const kPieces[] = {
        "a", "b", "A", "ab", "Ab", "aB", "the", "The ", " ", "\t", "\x01", "\x1b", "\x00", "|", "\\", "@",
        "漢", "字", "ア", "ソ", "表", "能", "ファイル", "\x83\x61", "\x83\x41", "\x81\x40", "\xE0\x7C",
        "\x83\x5C", "\x82\xA0", "\xB1", "\x81", "\xFC\xFC", "zz", "\t\t\t\t\t\t\t\t", "\x02\x03\x04\x05"};
    static const char* const kLineEnds[] = {"\n", "\r", "\r\n"};
    switch (Pick(30)) {
      case 0:
      case 1:
      case 2:
        text += kLineEnds[Pick(3)];
        return;
      case 3:
        text.append(size_t(60 + Pick(300)), "ab漢 \t"[Pick(6)]);  // wraps, is cut at 256 bytes
        return;
      case 4:
        if (Pick(4) > 0) break;
        text.append(size_t(4000 + Pick(6000)), "bz"[Pick(2)]);  // longer than the first window
        return;
    }
    const char* piece = kPieces[Pick(int(std::size(kPieces)))];
    text.append(piece, *piece ? std::strlen(piece) : 1);  // "" stands for a NUL byte
  }

  // A stretch of the text without NUL bytes (so that it has hits), or a byte string that
  // stands as a second byte.
  std::string Pattern(const std::string& text) {
    static const char* const kSecondBytes[] = {"a", "A", "\\", "|", "@", "\x61\x83", "a\x83", "\xA0"};
    if (Pick(4) == 0) return kSecondBytes[Pick(int(std::size(kSecondBytes)))];
    std::string piece = text.substr(size_t(Pick(int(text.size()))), size_t(1 + Pick(5)));
    size_t nul = piece.find('\0');
    piece = piece.substr(0, nul);
    return piece.empty() ? "ab" : piece;
  }

  int Pick(int n) { return int(random_() % uint32_t(n)); }

 private:
  std::mt19937 random_;
};

class StreamGrepTest : public DocumentTest {
 protected:
  void TearDown() override {
    faults::Disarm();
    CaseSensitive = 1;  // SetPattern changes it
    DocumentTest::TearDown();
  }

  void SetPattern(const std::string& pattern, bool caseSensitive) {
    std::memset(SearchPattern, 0, kSearchPatternSize);
    std::memcpy(SearchPattern, pattern.data(), pattern.size());
    CaseSensitive = caseSensitive ? 1 : 0;
    RegexMode = 0;
    rule_.Prepare(SearchPattern, !caseSensitive);
  }

  // The hits of repeated forward searches over the file loaded as Shift-JIS text.
  std::vector<Hit> LoadedHits(const std::string& path) {
    EXPECT_EQ(OpenDocument(path.c_str(), 0, 0), DocumentResult::kOk);
    LoadAll();
    return ForwardHits();
  }

  // The hits of repeated forward searches over the open document.
  static std::vector<Hit> ForwardHits() {
    std::vector<Hit> hits;
    ForEachForwardHit([&](int32_t row, int offset, int length) {
      hits.push_back({row, offset, length});
      return true;
    });
    return hits;
  }

  // The text given to the streamed search in pieces of random sizes (up to `largest`), each
  // followed by a byte that is not the text's: one that would end a row or pair with a lead byte.
  std::vector<Hit> StreamedHits(const std::string& text, RandomSjis& random, int largest, size_t slice) {
    HitList list;
    StreamGrep grep(host.rows, rule_, list, slice);
    for (size_t at = 0; at < text.size();) {
      size_t size = std::min(text.size() - at, size_t(random.Pick(largest + 1)));
      std::string piece = text.substr(at, size) + "\na"[random.Pick(2)];
      EXPECT_TRUE(grep.Take(piece.data(), size));
      at += size;
    }
    EXPECT_TRUE(grep.Finish());
    return list.hits;
  }

  StringHitRule rule_;
};

TEST_F(StreamGrepTest, FindsWhatTheLoadedSearchFinds) {
  RandomSjis random(20261208);
  const RowOptions kLayouts[] = {{1, 4, true}, {7, 4, true}, {20, 8, false}, {80, 4, true}, {0, 3, true}, {1000, 4, false}, {20000, 4, true}};
  for (int document = 0; document < 36; ++document) {
    host.rows = kLayouts[document % std::size(kLayouts)];
    std::string text = random.Make(100 + random.Pick(700));
    std::string path = WriteTemp("stream-grep.txt", text);
    for (int i = 0; i < 6; ++i) {
      SetPattern(random.Pattern(text), random.Pick(2) == 0);
      std::vector<Hit> expected = LoadedHits(path);
      // Tiny pieces and slices put every edge everywhere; large ones take the in-place scan.
      for (int largest : {3, 17, 300, 5000, 30000}) {
        size_t slice = size_t(1 + random.Pick(largest < 100 ? 9 : 4000));
        ASSERT_EQ(StreamedHits(text, random, largest, slice), expected)
            << "document " << document << ", pattern '" << SearchPattern << "', LineMax " << host.rows.lineMax
            << ", fold " << (CaseSensitive == 0) << ", pieces up to " << largest << ", slice " << slice;
      }
    }
  }
}

// Lines shorter than a block that wrap all the same, through tabs and control codes, and
// lines longer than a block where the wrap column is far.
TEST_F(StreamGrepTest, ShortLinesThatWrap) {
  RandomSjis random(5);
  std::string text;
  for (int i = 0; i < 2000; ++i) {  // a hit now and then: the rows between are counted
    if (i % 500 == 0) text += std::string(size_t(240 + random.Pick(40)), '\t');  // wraps at 1000 columns
    text += std::string(size_t(random.Pick(30)), "\t\x01"[random.Pick(2)]) + (i % 150 ? "xyz" : "abc") +
            std::string(i % 7 ? 0 : size_t(random.Pick(400)), 'q') + (random.Pick(3) ? "\n" : "\r\n");
  }
  std::string path = WriteTemp("short-wrapped.txt", text);
  for (const char* pattern : {"abc", "xyz"}) {  // hits far apart, and on nearly every line
    SetPattern(pattern, true);
    for (RowOptions layout : {RowOptions{80, 4, true}, RowOptions{64, 2, false}, RowOptions{130, 8, true},
                              RowOptions{300, 4, true}, RowOptions{1000, 4, true}, RowOptions{1000, 8, false}}) {
      host.rows = layout;
      std::vector<Hit> expected = LoadedHits(path);
      ASSERT_GT(expected.size(), 10u);
      ASSERT_EQ(StreamedHits(text, random, 5000, 4096), expected) << pattern << ", LineMax " << layout.lineMax;
    }
  }
}

// Hits on nearly every line, the rows between counted in the pass that finds them: lines of tabs
// just short of the wrap column and just past it (four columns a byte reach 1000 columns at 250
// bytes), and now and then a CR after a hit, before it, or as the line end.
TEST_F(StreamGrepTest, DenseHitsBetweenLinesAtTheWrapColumn) {
  RandomSjis random(11);
  std::string text;
  for (int i = 0; i < 3000; ++i) {
    text += std::string(size_t(random.Pick(40)), 'x') + (i % 3 ? "abc" : "xyz") + std::string(size_t(random.Pick(20)), 'y');
    const char* const kEnds[] = {"\n", "\n", "\n", "\n", "\n", "\n", "\r\n", "\r", "\rq\n"};
    text += kEnds[random.Pick(int(std::size(kEnds)))];
    if (random.Pick(4) == 0) text += std::string(size_t(247 + random.Pick(8)), '\t') + "\n";
  }
  std::string path = WriteTemp("dense-wrap-edge.txt", text);
  SetPattern("abc", true);
  for (RowOptions layout : {RowOptions{1000, 4, true}, RowOptions{256, 1, false}, RowOptions{500, 2, false}}) {
    host.rows = layout;
    std::vector<Hit> expected = LoadedHits(path);
    ASSERT_GT(expected.size(), 1500u);
    for (size_t slice : {size_t(300), StreamGrep::kDefaultSliceBytes}) {
      ASSERT_EQ(StreamedHits(text, random, 100000, slice), expected) << "LineMax " << layout.lineMax << ", slice " << slice;
    }
  }
}

// Lines of 16 bytes put a line feed in the same lane of every block for thousands of blocks.
TEST_F(StreamGrepTest, ManyLinesOfOneLength) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += i % 4000 == 3999 ? "line with abc..\n" : "line number ...\n";
  std::string path = WriteTemp("one-length.txt", text);
  SetPattern("abc", true);
  host.rows = {1000, 4, true};
  RandomSjis random(3);
  std::vector<Hit> expected = LoadedHits(path);
  ASSERT_EQ(expected.size(), 5u);
  EXPECT_EQ(StreamedHits(text, random, 200000, StreamGrep::kDefaultSliceBytes), expected);
}

// The document's own stream (converted from EUC here) gives the hits of the loaded search.
TEST_F(StreamGrepTest, TakesTheDocumentsConvertedStream) {
  std::string euc;
  for (int i = 0; i < 3000; ++i) euc += (i % 7 ? "\xA5\xD5\xA5\xA1\xA5\xA4\xA5\xEB abc\t" : "\xB4\xC1\xBB\xFA\r\n");
  std::string path = WriteTemp("stream-grep.euc", euc);
  host.rows = {40, 4, true};
  SetPattern("\x83t\x83@", true);  // "ファ" in Shift-JIS
  ASSERT_EQ(OpenDocument(path.c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  ASSERT_EQ(TheDocument.KanjiCode, 1);
  LoadAll();
  std::vector<Hit> expected = ForwardHits();
  ASSERT_GT(expected.size(), 100u);
  HitList list;
  StreamGrep grep(host.rows, rule_, list);
  ASSERT_EQ(StreamDocumentText(grep), DocumentResult::kOk);
  EXPECT_TRUE(grep.Finish());
  EXPECT_EQ(list.hits, expected);
}

TEST_F(StreamGrepTest, StopsWhenTheReceiverCannotTakeMore) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "x abc\n";
  SetPattern("abc", true);
  HitList list;
  list.stopAfter = 3;
  StreamGrep grep(host.rows, rule_, list, 64);
  EXPECT_FALSE(grep.Take(text.data(), text.size()));
  EXPECT_FALSE(grep.Take(text.data(), text.size()));
  EXPECT_FALSE(grep.Finish());
  EXPECT_FALSE(grep.OutOfMemory());
  EXPECT_EQ(list.hits, (std::vector<Hit>{{0, 2, 3}, {1, 2, 3}, {2, 2, 3}}));
}

TEST_F(StreamGrepTest, SaysSoWhenItsWindowCannotBeHad) {
  SetPattern("abc", true);
  host.rows = {80, 4, true};
  // The row list, the first window, and the larger window that joining the second piece to the
  // row carried from the first needs: each allocation fails in turn.
  const std::string first = std::string(800, 'z') + "abc";
  const std::string second(10000, '\n');
  for (int64_t n = 1; n <= 4; ++n) {
    HitList list;
    faults::FailNth(faults::Operation::kAllocate, n);
    StreamGrep grep(host.rows, rule_, list);
    bool finished = grep.Take(first.data(), first.size()) && grep.Take(second.data(), second.size()) && grep.Finish();
    bool injected = faults::Injected();
    faults::Disarm();
    EXPECT_EQ(injected, n <= 3) << "allocation " << n;
    EXPECT_EQ(grep.OutOfMemory(), injected) << "allocation " << n;
    EXPECT_EQ(finished, !injected) << "allocation " << n;
    const std::vector<Hit> expected = injected ? std::vector<Hit>() : std::vector<Hit>{{10, 0, 3}};
    EXPECT_EQ(list.hits, expected) << "allocation " << n;
  }
}

}  // namespace
