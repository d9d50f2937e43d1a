// Following a growing file: a file that grows in pieces of every size, cutting rows, line ends
// and multi-byte characters of every code, ends with the text and rows a load of the finished
// file gives; a file that shrinks or is replaced asks for a fresh load.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/fault_plan.h"
#include "viewer/document/document_follow.h"
#include "viewer/document/document_test_support.h"
#include "text/kanji_test_support.h"
#include "text/sjis.h"

namespace {

std::string SamplePath(const char* name) { return std::string(ZV_TEST_DATA_DIR) + "/japanese/" + name; }

// The text and the row table the document holds.
struct Loaded {
  std::string text;
  std::vector<uint32_t> rows;
  int32_t rowCount = 0;
  bool operator==(const Loaded&) const = default;
};

Loaded Snapshot() {
  const Document& doc = TheDocument;
  Loaded loaded;
  loaded.text.assign(doc.Text, size_t(doc.TextEnd - doc.Text));
  loaded.rows.assign(doc.LineTable, doc.LineTable + doc.LineCount + 1);
  loaded.rowCount = doc.RowCount;
  return loaded;
}

// Whether the first `length` bytes of a Shift-JIS text end between two characters.
bool EndsOnCharacter(const std::string& text, size_t length) {
  size_t at = 0;
  while (at < length) at += IsSjisLead(uint8_t(text[at])) ? 2 : 1;
  return at == length;
}

void AppendToFile(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "ab");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
  std::fclose(file);
}

class Follow : public DocumentTest {
 protected:
  // Opens `path` with `code` and display `mode` (AutoDetect: both detected) and loads it all.
  Loaded LoadWhole(const std::string& path, int code, int mode) {
    if (code != AutoDetect) TheDocument.KanjiCode = code;  // a choice other than AutoDetect keeps it
    if (mode != AutoDetect) TheDocument.DisplayMode = mode;
    EXPECT_EQ(OpenDocument(path.c_str(), code, mode), DocumentResult::kOk);
    if (code != AutoDetect) EXPECT_EQ(TheDocument.KanjiCode, code);
    LoadAll();
    return Snapshot();
  }

  // Writes the first `start` bytes, follows while the rest arrives in pieces of the sizes
  // `pieces` gives in turn, and returns what the document then holds.  Rows never go away.
  Loaded FollowInPieces(const std::string& bytes, size_t start, const std::vector<size_t>& pieces, int code,
                        int mode = 0) {
    std::string path = WriteTemp("growing.log", bytes.substr(0, start));
    LoadWhole(path, code, mode);
    FollowedFile followed;
    EXPECT_EQ(StartFollowing(followed), DocumentResult::kOk);
    size_t at = start;
    for (size_t i = 0; at < bytes.size(); ++i) {
      size_t n = std::min(pieces[i % pieces.size()], bytes.size() - at);
      AppendToFile(path, bytes.substr(at, n));
      at += n;
      int32_t rowsBefore = TheDocument.RowCount;
      EXPECT_EQ(LookAtFollowedFile(followed), DocumentResult::kOk) << "at byte " << at;
      EXPECT_GE(TheDocument.RowCount, rowsBefore) << "at byte " << at;
      if (::testing::Test::HasFailure()) break;
    }
    EXPECT_EQ(TheDocument.FileSize, bytes.size());
    return Snapshot();
  }
};

// For each code, a piece of real text from the middle of a sample (UTF-16: from its start, where
// its byte-order mark is) begun at an odd byte and ended at a line end (a character the end of
// a followed file cuts is not shown; a load shows its mark), followed from a few sizes of start
// in pieces of every small size and a few around the loader's chunk.
TEST_F(Follow, GrowingTextEndsAsALoadOfTheFinishedFile) {
  struct Case {
    const char* file;
    int code;
  };
  for (const Case& c : {Case{"sjis.txt", 0}, Case{"euc.txt", 1}, Case{"jis.txt", 2}, Case{"utf8.txt", 3},
                        Case{"utf16le-bom.txt", 4}}) {
    std::string sample = ReadFileBytes(SamplePath(c.file));
    ASSERT_GT(sample.size(), 20000u) << c.file << " was not generated";
    size_t from = c.code == 4 ? 0 : sample.size() / 2;
    const size_t lineEndBytes = c.code == 4 ? 2 : 1;
    std::string bytes = sample.substr(from, 12345);
    bytes.resize(bytes.rfind('\n') + lineEndBytes);
    std::string whole = WriteTemp("whole.log", bytes);
    Loaded expected = LoadWhole(whole, c.code, 0);
    const std::string part = bytes.substr(0, bytes.rfind('\n', 700) + lineEndBytes);
    for (size_t piece : {1u, 2u, 3u, 5u}) {
      EXPECT_EQ(FollowInPieces(part, 100, {piece}, c.code), (LoadWhole(WriteTemp("part.log", part), c.code, 0)))
          << c.file << " in pieces of " << piece;
    }
    for (size_t start : {1u, 1023u, 1024u, 4097u}) {
      EXPECT_EQ(FollowInPieces(bytes, start, {7, 1023, 1024, 1025, 333, 4099}, c.code), expected)
          << c.file << " from " << start;
    }
  }
}

// Every kind of character each code has, in lines a logger might write, followed in pieces of
// every size from 1 to 13 bytes: after each look the text shown is the start of the finished
// file's text (a row cut by the look is completed later, never shown twice, and a character
// whose bytes have not all arrived is not shown until they have), and the last look ends with
// what a load of the finished file gives.
TEST_F(Follow, EveryCharacterCutAtEveryByteWaitsForItsRest) {
  struct Case {
    const char* name;
    int code;
    std::string line;
  };
  const Case cases[] = {
      // Double-byte kanji, half-width katakana, trail bytes 0x5C and 0x7C.
      {"Shift-JIS", kShiftJis, "ok \x93\xFA\x96\x7B\xB6\xC0\x95\x5C\x83\x7C end"},
      // Pairs, and half-width katakana after 0x8E.
      {"EUC", kEuc, "ok \xC6\xFC\xCB\xDC\x8E\xB6\x8E\xC0\xC9\xBD end"},
      // Kanji in and out by every escape, the two-byte ones too, and escapes that switch nothing.
      {"JIS", kJis, "ok \x1B$B\x46\x7C\x4B\x5C\x1B(B a \x1B$@\x46\x7C\x1B(J b \x1BK\x4B\x5C\x1BH \x1B(Z \x1Bx end"},
      // Two-, three- and four-byte sequences.
      {"UTF-8", kUtf8, "ok \xC3\xA9\xE6\x97\xA5\xE6\x9C\xAC\xF0\x9F\x98\x80 end"},
  };
  for (const Case& c : cases) {
    std::string bytes;
    for (int i = 0; i < 6; ++i) bytes += c.line + (i % 2 ? "\r\n" : "\n");
    const Loaded expected = LoadWhole(WriteTemp("whole.log", bytes), c.code, 0);
    for (size_t piece = 1; piece <= 13; ++piece) {
      // (An empty file would be loaded afresh at its first bytes, to detect its code.)
      std::string path = WriteTemp("growing.log", bytes.substr(0, piece));
      LoadWhole(path, c.code, 0);
      FollowedFile followed;
      ASSERT_EQ(StartFollowing(followed), DocumentResult::kOk);
      for (size_t at = piece; at < bytes.size(); at += piece) {
        AppendToFile(path, bytes.substr(at, piece));
        ASSERT_EQ(LookAtFollowedFile(followed), DocumentResult::kOk) << c.name << " at " << at;
        const std::string shown(TheDocument.Text, TheDocument.TextEnd);
        EXPECT_EQ(expected.text.compare(0, shown.size(), shown), 0)
            << c.name << " in pieces of " << piece << ", after " << at + piece << " bytes: " << shown;
        EXPECT_TRUE(EndsOnCharacter(expected.text, shown.size()))
            << c.name << " in pieces of " << piece << ", after " << at + piece << " bytes: " << shown;
      }
      EXPECT_EQ(Snapshot(), expected) << c.name << " in pieces of " << piece;
    }
  }
}

// Rows cut by the look, CR LF pairs split, double-byte characters at the wrap column, tabs:
// random pieces of lines written the way a logger writes them.
TEST_F(Follow, RowsCutByALookAreCompletedNotRepeated) {
  std::mt19937 random(26);
  std::string bytes;
  const char* kinds[] = {"\r\n", "\n", "\r", "\t", "漢字のログ", "x"};
  while (bytes.size() < 20000) {
    bytes += kinds[random() % 6];
    bytes.append(random() % 90, char('a' + random() % 26));
  }
  std::string whole = WriteTemp("whole.log", bytes);
  Loaded expected = LoadWhole(whole, 0, 0);
  std::vector<size_t> pieces;
  for (int i = 0; i < 64; ++i) pieces.push_back(1 + random() % 300);
  EXPECT_EQ(FollowInPieces(bytes, 10, pieces, 0), expected);
  host.rows.lineMax = 0;  // rows wrapped only at the widest row painted
  expected = LoadWhole(whole, 0, 0);
  EXPECT_EQ(FollowInPieces(bytes, 10, pieces, 0), expected);
  // The hexadecimal dump's rows grow with the bytes.
  expected = LoadWhole(whole, 0, 1);
  EXPECT_EQ(FollowInPieces(bytes, 10, pieces, 0, 1), expected);
}

TEST_F(Follow, AShrunkOrReplacedFileAsksForAFreshLoad) {
  std::string path = WriteTemp("rotated.log", "first line\nsecond line\n");
  LoadWhole(path, 0, 0);
  FollowedFile followed;
  ASSERT_EQ(StartFollowing(followed), DocumentResult::kOk);
  EXPECT_EQ(LookAtFollowedFile(followed), DocumentResult::kOk);  // nothing new
  EXPECT_EQ(TheDocument.RowCount, 3);

  // Truncated and written again, shorter: nothing of the old text may be taken for the new.
  WriteTemp("rotated.log", "new\n");
  EXPECT_EQ(LookAtFollowedFile(followed), DocumentResult::kReplaced);
  EXPECT_EQ(TheDocument.RowCount, 3) << "the rows stay until the fresh load";

  // Renamed away and a new, longer file created under the name.
  LoadWhole(path, 0, 0);
  ASSERT_EQ(StartFollowing(followed), DocumentResult::kOk);
  std::string moved = path + ".1";
  tempFiles.push_back(moved);
  ASSERT_EQ(std::rename(path.c_str(), moved.c_str()), 0);
  EXPECT_EQ(LookAtFollowedFile(followed), DocumentResult::kNotFound);
  EXPECT_EQ(TheDocument.RowCount, 2) << "the rows stay while the name holds no file";
  WriteTemp("rotated.log", "a much longer first line of the new file\n");
  EXPECT_EQ(LookAtFollowedFile(followed), DocumentResult::kReplaced);

  // An empty file that gets its first line is loaded afresh, so its code is detected then.
  WriteTemp("rotated.log", "");
  LoadWhole(path, AutoDetect, AutoDetect);
  ASSERT_EQ(StartFollowing(followed), DocumentResult::kOk);
  AppendToFile(path, "line\n");
  EXPECT_EQ(LookAtFollowedFile(followed), DocumentResult::kReplaced);
}

// A rotated log is loaded whole.  While the new one holds nothing but ASCII lines it keeps the
// code the old one was shown in, so that the kanji its writer appends later read as before; a new
// file whose own bytes tell its code is shown in that one.
TEST_F(Follow, ARotatedLogIsLoadedWholeInTheCodeItWasShownIn) {
  const std::string eucLine = "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xA5\xED\xA5\xB0\n";  // 日本語のログ
  std::string eucLog;
  for (int i = 0; i < 20; ++i) eucLog += eucLine;
  std::string path = WriteTemp("app.log", eucLog);
  std::string moved = path + ".1";
  tempFiles.push_back(moved);
  LoadWhole(path, AutoDetect, AutoDetect);
  ASSERT_EQ(TheDocument.KanjiCode, kEuc);
  FollowedFile followed;
  ASSERT_EQ(StartFollowing(followed), DocumentResult::kOk);

  ASSERT_EQ(std::rename(path.c_str(), moved.c_str()), 0);
  WriteTemp("app.log", "started\nlistening on port 80\n");
  ASSERT_EQ(LookAtFollowedFile(followed), DocumentResult::kReplaced);
  ASSERT_EQ(LoadFollowedFileAfresh(), DocumentResult::kOk);
  EXPECT_EQ(TheDocument.KanjiCode, kEuc);
  EXPECT_EQ(TheDocument.BytesLeft, 0u) << "loaded whole, so that its end can be shown";
  ASSERT_EQ(StartFollowing(followed), DocumentResult::kOk);
  AppendToFile(path, eucLine);
  ASSERT_EQ(LookAtFollowedFile(followed), DocumentResult::kOk);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"started", "listening on port 80", "日本語のログ", ""}));

  // Rotated again, to a file in UTF-8: its own code.  (Renaming onto a file fails on Windows.)
  std::remove(moved.c_str());
  ASSERT_EQ(std::rename(path.c_str(), moved.c_str()), 0);
  WriteTemp("app.log", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\n");
  ASSERT_EQ(LookAtFollowedFile(followed), DocumentResult::kReplaced);
  ASSERT_EQ(LoadFollowedFileAfresh(), DocumentResult::kOk);
  EXPECT_EQ(TheDocument.KanjiCode, kUtf8);
  EXPECT_EQ(Rows().front(), "日本語");

  // An empty log was shown in no code of its own: its first lines are detected.
  WriteTemp("app.log", "");
  LoadWhole(path, AutoDetect, AutoDetect);
  TheDocument.KanjiCode = kEuc;
  ASSERT_EQ(StartFollowing(followed), DocumentResult::kOk);
  AppendToFile(path, "plain\n");
  ASSERT_EQ(LookAtFollowedFile(followed), DocumentResult::kReplaced);
  ASSERT_EQ(LoadFollowedFileAfresh(), DocumentResult::kOk);
  EXPECT_EQ(TheDocument.KanjiCode, kShiftJis);
}

TEST_F(Follow, OnlyAFileOnTheDiskIsFollowed) {
  std::string zip = WriteTemp("log.zip", ZipOf({{"a.log", "inside\n"}}));
  LoadWhole(zip, AutoDetect, AutoDetect);
  FollowedFile followed;
  EXPECT_FALSE(CanFollowDocument());
  EXPECT_EQ(StartFollowing(followed), DocumentResult::kCannotOpen);
  EXPECT_EQ(AppendToDocument(100), DocumentResult::kCannotOpen);
  ResetDocument(nullptr);
  CloseSources();
  EXPECT_FALSE(CanFollowDocument());
  LoadWhole(WriteTemp("plain.log", "x\n"), 0, 0);
  EXPECT_TRUE(CanFollowDocument());
}

// A load that stopped short (a read failed) is not continued from where it stopped: the text
// there is not the file's end.
TEST_F(Follow, AnUnfinishedLoadIsNotContinued) {
  std::string path = WriteTemp("cut.log", std::string(5000, 'z'));
  ASSERT_EQ(OpenDocument(path.c_str(), 0, 0), DocumentResult::kOk);
  EXPECT_EQ(AppendToDocument(6000), DocumentResult::kOk) << "the first load still runs";
  EXPECT_EQ(TheDocument.FileSize, 5000u);
  LoadAll();
  EXPECT_EQ(AppendToDocument(4000), DocumentResult::kReplaced);
  TheDocument.LoadEnd.valid = false;
  EXPECT_EQ(AppendToDocument(6000), DocumentResult::kReplaced);
}

// Every allocation, open, seek and read of an append failing in turn: the rows loaded so far
// stay shown and closed, and the look says what to do (a fresh load after a failed read; a
// failed generous growth is made up by the least one).
TEST_F(Follow, FailuresDuringAnAppendKeepTheRowsShown) {
  std::string first, more;
  for (int i = 0; i < 40; ++i) first += "first part of the log, line " + std::to_string(i) + "\n";
  for (int i = 0; i < 8000; ++i) more += "appended, line " + std::to_string(i) + " of the growing part\n";
  using faults::Operation;
  for (Operation operation : {Operation::kAllocate, Operation::kOpen, Operation::kSeek, Operation::kRead}) {
    for (int64_t n = 1;; ++n) {
      std::string path = WriteTemp("failing.log", first);
      LoadWhole(path, 0, 0);
      FollowedFile followed;
      ASSERT_EQ(StartFollowing(followed), DocumentResult::kOk);
      AppendToFile(path, more);
      const int32_t rowsBefore = TheDocument.RowCount;
      faults::FailNth(operation, n);
      DocumentResult result = LookAtFollowedFile(followed);
      const bool injected = faults::Injected();
      faults::Disarm();
      const Document& doc = TheDocument;
      if (!injected) {
        EXPECT_EQ(result, DocumentResult::kOk);
        EXPECT_EQ(doc.RowCount, 40 + 8000 + 1);
        break;
      }
      if (operation == Operation::kAllocate) {
        // A block that cannot grow generously grows by what is needed: one failure costs nothing.
        EXPECT_TRUE(result == DocumentResult::kOk || result == DocumentResult::kNoMemory) << n;
        if (result == DocumentResult::kOk) EXPECT_EQ(doc.RowCount, 40 + 8000 + 1) << n;
      } else {
        EXPECT_EQ(result, DocumentResult::kReplaced) << "failure " << n << " of operation " << int(operation);
      }
      EXPECT_GE(doc.RowCount, rowsBefore) << n;
      EXPECT_EQ(doc.LineTable[doc.LineCount], uint32_t(doc.TextEnd - doc.Text)) << "rows closed at the text's end, " << n;
      EXPECT_EQ(Rows().front(), "first part of the log, line 0") << n;
      ASSERT_LT(n, 100) << "an append makes few calls";
    }
  }
}

}  // namespace
