// The in-place search against a plain row-by-row search over FormatRow texts, on random
// Shift-JIS documents: CR, LF and CR LF line ends, lines that wrap at LineMax, rows cut at 256
// bytes, tabs, control bytes, lone lead bytes and letters in both cases.  Plain and regular-
// expression patterns, both foldings, forward (also while the file is still loading: the same
// hits and the same rows loaded) and backward; rows that give up are counted alike.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "viewer/document/document_test_support.h"
#include "viewer/search/search_engine.h"
#include "viewer/search/string_match.h"
#include "viewer/settings/settings_globals.h"

namespace {

// What a search call returned, and how far the file was loaded afterwards.
struct Outcome {
  int32_t row = -1;
  long offset = -1;
  int length = -1;
  int32_t rowCount = 0;
  uint32_t bytesLeft = 0;
  bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& o) {
  return out << "row " << o.row << " offset " << o.offset << " length " << o.length << " rows " << o.rowCount
             << " left " << o.bytesLeft;
}

// The search of one row text the way the engine defines it: a copy of the row, upper-cased
// for a case-blind string search, then FindString or RegexSearch.
int FindInRow(int32_t row, int* length) {
  char text[kMaxRowBytes + 1];
  int size = 0;
  FormatRow(row, text, &size);
  if (RegexMode) {
    RegexRegisters registers;
    int at = RegexSearch(PatternBuffer, text, size, 0, size, &registers);
    if (at == -2) ++RowsGivenUp;
    if (at >= 0) *length = registers.end[0] - registers.start[0];
    return at < 0 ? -1 : at;
  }
  char pattern[kSearchPatternSize];
  int m = int(strnlen(SearchPattern, kSearchPatternSize - 1));
  std::memcpy(pattern, SearchPattern, size_t(m));
  if (!CaseSensitive) {
    UpperCaseSjis(pattern, m);
    UpperCaseSjis(text, size);
  }
  SkipTable table;
  BuildSkipTable(pattern, m, table);
  *length = m;
  return FindString(table, text, size);
}

Outcome Finish(int32_t row, long offset, int length) {
  return {row, offset, length, TheDocument.RowCount, TheDocument.BytesLeft};
}

Outcome ReferenceForward(int32_t from) {
  for (int32_t r = from < -1 ? 0 : from + 1;; ++r) {
    while (r >= TheDocument.RowCount && TheDocument.BytesLeft > 0) LoadNextChunk();
    if (r >= TheDocument.RowCount) return Finish(-1, -1, -1);
    int length = -1;
    int at = FindInRow(r, &length);
    if (at >= 0) return Finish(r, at, length);
  }
}

Outcome ReferenceBackward(int32_t from) {
  if (from <= 0) return Finish(-1, -1, -1);
  for (int32_t r = std::min(from - 1, TheDocument.RowCount - 1); r >= 0; --r) {
    int length = -1;
    int at = FindInRow(r, &length);
    if (at >= 0) return Finish(r, at, length);
  }
  return Finish(-1, -1, -1);
}

Outcome Engine(int32_t from, bool forward) {
  char* hit = nullptr;
  int length = -1;
  int32_t row = forward ? SearchForward(from, &hit, &length) : SearchBackward(from, &hit, &length);
  if (row < 0) return Finish(-1, -1, -1);
  return Finish(row, long(hit - RowStart(row)), length);
}

class RandomDocument {
 public:
  explicit RandomDocument(uint32_t seed) : random_(seed) {}

  std::string Make(int pieces) {
    static const char* const kPieces[] = {
        "abc", "ABC", "aBc", "the ", "The", "x", "y", "Bx", "ab", "a", "aa", "c", " ", "  ", "\t", "\x01", "\x1b",
        "ア", "ソ", "漢", "字", "ー", "ファイル", "指定", "場合", "年", "2024", "\xB1\xB2",  // half-width kana
        "\x81", "\x81\x81", "\x83\x61", "\xE0\x7C",  // lone lead bytes; a lead byte before "a" and "|"
        "\\", "|", "[", ")", "file", "FILE", ".", "*"};
    static const char* const kLineEnds[] = {"\n", "\r", "\r\n"};
    std::string text;
    for (int i = 0; i < pieces; ++i) {
      int kind = Pick(40);
      if (kind < 4) {
        text += kLineEnds[Pick(3)];
      } else if (kind == 4) {
        text.append(size_t(200 + Pick(120)), "ab漢 "[Pick(5)]);  // a long stretch: wraps, is cut
      } else if (kind == 5) {
        text += std::string(size_t(254 + Pick(4)), 'z') + kLineEnds[Pick(3)];  // about 256 bytes
      } else {
        text += kPieces[Pick(int(std::size(kPieces)))];
      }
    }
    return text;
  }

  // A piece of the text (to have hits), its letters' case changed now and then.
  std::string Excerpt(const std::string& text) {
    size_t at = size_t(Pick(int(text.size())));
    std::string piece = text.substr(at, size_t(1 + Pick(6)));
    for (char& c : piece) {
      if (Pick(3) == 0 && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) c = char(c ^ 0x20);
    }
    size_t end = piece.find('\0');
    return end == std::string::npos ? piece : piece.substr(0, end);
  }

  int Pick(int n) { return int(random_() % uint32_t(n)); }

 private:
  std::mt19937 random_;
};

class SearchInPlace : public DocumentTest {
 protected:
  void TearDown() override {
    CaseSensitive = 1;
    RegexMode = 0;
    DocumentTest::TearDown();
  }

  void Open(bool loadAll) {
    ASSERT_EQ(OpenDocument(path_.c_str(), 0, 0), DocumentResult::kOk);  // Shift-JIS text, whatever it looks like
    if (loadAll) LoadAll();
  }

  void Prepare(const std::string& pattern, bool regex, bool caseSensitive) {
    std::memset(SearchPattern, 0, kSearchPatternSize);
    std::memcpy(SearchPattern, pattern.data(), std::min<size_t>(pattern.size(), kSearchPatternSize - 1));
    RegexMode = regex ? 1 : 0;
    CaseSensitive = caseSensitive ? 1 : 0;
    (void)PrepareSearch();  // a pattern that does not compile is searched as a plain string
  }

  // Every forward search from the top, first with the reference on a file that loads as it
  // goes, then with the engine on the same file opened anew.
  void CompareForwardWhileLoading(const std::string& label) {
    std::vector<Outcome> expected;
    std::vector<int32_t> givenUp;
    Open(false);
    RowsGivenUp = 0;
    for (Outcome o = ReferenceForward(-1);; o = ReferenceForward(o.row)) {
      expected.push_back(o);
      givenUp.push_back(RowsGivenUp);
      if (o.row < 0) break;
    }
    Open(false);
    RowsGivenUp = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
      Outcome o = Engine(i == 0 ? -1 : expected[i - 1].row, true);
      ASSERT_EQ(o, expected[i]) << label << ", hit " << i;
      ASSERT_EQ(RowsGivenUp, givenUp[i]) << label << ", hit " << i;
    }
  }

  // Forward and backward from every row of the loaded file (and from past its end).
  void CompareFromEveryRow(const std::string& label) {
    Open(true);
    for (int32_t from = -2; from <= TheDocument.RowCount + 1; ++from) {
      for (bool forward : {true, false}) {
        RowsGivenUp = 0;
        Outcome expected = forward ? ReferenceForward(from) : ReferenceBackward(from);
        int32_t expectedGivenUp = RowsGivenUp;
        RowsGivenUp = 0;
        ASSERT_EQ(Engine(from, forward), expected) << label << (forward ? ", forward from " : ", backward from ") << from;
        ASSERT_EQ(RowsGivenUp, expectedGivenUp) << label << ", from " << from;
      }
    }
  }

  // Every backward search from past the end, each from the last hit.
  void CompareBackwardSweep(const std::string& label) {
    Open(true);
    RowsGivenUp = 0;
    std::vector<Outcome> expected;
    for (Outcome o = ReferenceBackward(TheDocument.RowCount + 1); o.row >= 0; o = ReferenceBackward(o.row)) {
      expected.push_back(o);
    }
    int32_t expectedGivenUp = RowsGivenUp;
    RowsGivenUp = 0;
    int32_t from = TheDocument.RowCount + 1;
    for (size_t i = 0; i <= expected.size(); ++i) {
      Outcome o = Engine(from, false);
      ASSERT_EQ(o, i < expected.size() ? expected[i] : Finish(-1, -1, -1)) << label << ", backward hit " << i;
      from = o.row;
    }
    EXPECT_EQ(RowsGivenUp, expectedGivenUp) << label;
  }

  void Compare(const std::string& pattern, bool regex, bool caseSensitive, bool fromEveryRow = true) {
    Prepare(pattern, regex, caseSensitive);
    std::string label = std::string(regex ? "regex " : "string ") + (caseSensitive ? "" : "(any case) ") + "'" + pattern +
                        "' LineMax " + std::to_string(host.rows.lineMax);
    CompareForwardWhileLoading(label);
    if (HasFatalFailure()) return;
    CompareBackwardSweep(label);
    if (HasFatalFailure() || !fromEveryRow) return;
    CompareFromEveryRow(label);
  }

  std::string path_;
};

TEST_F(SearchInPlace, FindsWhatTheRowByRowSearchFinds) {
  static const char* const kRegexes[] = {
      "a.c", "^A", "c$", "[a-c]+x", "(ab|ア)ソ", "\\<the\\>", "漢*字", "ab*", "x.*y", "[^a]b", "^$", "a|b", "\\bA",
      "ファイル.*指定", "(する|した)場合|年", "[0-9]+年", "^[A-Z][A-Z]+", "z$", "^z+", "\\\\", "[ア-ソ]", ".ー",
      "a\tb", "(a)\\1", "^\\`", "b\\'", "\\w+c", "(ab)*c", "ab?c", "[]a]", "\xE0\x7C|\\|", "A\\B"};
  // Letters that are second bytes of double-byte characters are not folded ("\x83a" is not
  // "\x83A" in any case); "\xE0|" holds a "|" that is a second byte.
  static const char* const kStrings[] = {"\x83" "A", "\x83" "a", "aBc", "ソ", "\\", "A", "\x81\x81", "\xE0|",
                                         "the", "z\t", "\x81 ", "c\r", "漢字"};
  RandomDocument random(20240611);
  for (int document = 0; document < 24; ++document) {
    host.rows.lineMax = (int[]){20, 80, 1000}[document % 3];
    std::string text = random.Make(250 + random.Pick(400));
    path_ = WriteTemp("in-place.txt", text);
    for (int i = 0; i < 4; ++i) {
      std::string excerpt = random.Excerpt(text);
      bool caseSensitive = random.Pick(2) == 0;
      Compare(excerpt, false, caseSensitive);
      Compare(excerpt, true, caseSensitive);  // often not a valid expression: then a string
      Compare(kRegexes[(document * 4 + i) % std::size(kRegexes)], true, caseSensitive);
      Compare(kStrings[(document * 4 + i) % std::size(kStrings)], false, caseSensitive);
      if (HasFatalFailure()) return;
    }
  }
}

TEST_F(SearchInPlace, RowsThatGiveUpAreCountedAlike) {
  RandomDocument random(7);
  std::string text;
  for (int i = 0; i < 40; ++i) text += std::string(size_t(random.Pick(70)), 'a') + (random.Pick(4) ? "\n" : "c\n");
  path_ = WriteTemp("explode.txt", text);
  host.rows.lineMax = 1000;
  Compare("(a|aa)*(a|aa)*(a|aa)*c", true, true, false);
  Compare(".*.*.*.*.*b", true, true, false);  // several loops: no row may be passed over untried
}

}  // namespace
