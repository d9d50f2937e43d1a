// LiteralScan's vector paths against a byte-by-byte check of every position: random Shift-JIS
// texts whose double-byte characters fall across every lane edge, patterns taken from them with
// folding on and off, the rarest byte of a pattern at every offset, and ranges that end inside
// a match (nothing past the end may be read as part of one).
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

#include <random>
#include <string>
#include <vector>

#include "viewer/search/literal_scan.h"

namespace {

constexpr VectorPath kAllPaths[] = {VectorPath::kPortable, VectorPath::kSse2, VectorPath::kAvx2};

std::vector<VectorPath> AvailablePaths() {
  std::vector<VectorPath> paths;
  for (VectorPath path : kAllPaths) {
    if (VectorPathAvailable(path)) paths.push_back(path);
  }
  return paths;
}

// The oracle: a pattern byte matches itself; folded, an upper-case letter also its lower case.
bool MatchesHere(const std::string& text, size_t at, const std::string& pattern, bool fold) {
  for (size_t i = 0; i < pattern.size(); ++i) {
    auto want = uint8_t(pattern[i]);
    auto have = uint8_t(text[at + i]);
    bool lowerOfWanted = fold && want >= 'A' && want <= 'Z' && have == want + 0x20;
    if (have != want && !lowerOfWanted) return false;
  }
  return true;
}

// Every match in [from, end) by repeated Find, as offsets into text.
std::vector<size_t> AllFound(const LiteralScan& scan, const std::string& text, size_t from, size_t end) {
  std::vector<size_t> found;
  const char* base = text.data();
  for (const char* x = base + from; (x = scan.Find(x, base + end)) != nullptr; ++x) found.push_back(size_t(x - base));
  return found;
}

std::vector<size_t> AllExpected(const std::string& text, const std::string& pattern, bool fold, size_t from, size_t end) {
  std::vector<size_t> expected;
  for (size_t at = from; at + pattern.size() <= end; ++at) {
    if (MatchesHere(text, at, pattern, fold)) expected.push_back(at);
  }
  return expected;
}

std::string RandomSjisText(std::mt19937& random, size_t length) {
  static const char* const kCharacters[] = {"ファ", "イル", "を指", "定す", "る", "\x83\x41", "\x83\x61", "\x81\x40",
                                            "a", "A", "t", "T", "\n", " ", "\x8B", "\xE0\x7C", "Linus"};
  std::string text;
  while (text.size() < length) text += kCharacters[random() % std::size(kCharacters)];
  return text;
}

TEST(LiteralScanPaths, FindEveryMatchOfRandomPatternsInRandomRanges) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 400; ++round) {
    std::string text = RandomSjisText(random, 20 + random() % 300);
    size_t patternLength = 1 + random() % 12;
    std::string pattern = text.substr(random() % text.size(), patternLength);
    bool fold = random() % 2 == 0;
    LiteralScan scan;
    scan.Build(reinterpret_cast<const uint8_t*>(pattern.data()), int(pattern.size()), fold);
    size_t from = random() % (text.size() / 2);
    size_t end = from + random() % (text.size() - from + 1);
    std::vector<size_t> expected = AllExpected(text, pattern, fold, from, end);
    for (VectorPath path : AvailablePaths()) {
      ASSERT_TRUE(scan.UsePath(path));
      EXPECT_EQ(AllFound(scan, text, from, end), expected)
          << "path " << int(path) << " round " << round << " fold " << fold << " pattern " << pattern;
    }
  }
}

// The probe bytes are the rarest of the pattern: one control byte among hiragana puts a probe
// at each offset in turn; the match stands at every place across two 64-byte steps.
TEST(LiteralScanPaths, ProbeAtEveryOffsetAndMatchAtEveryLanePlace) {
  for (int length : {1, 2, 5, 33, 70}) {
    for (int rare = 0; rare < length; ++rare) {
      std::string pattern;
      for (int i = 0; i < length; ++i) pattern += i == rare ? '\x07' : "\x82\xA0"[i % 2];
      LiteralScan scan;
      scan.Build(reinterpret_cast<const uint8_t*>(pattern.data()), length, false);
      for (size_t place = 0; place < 130; ++place) {
        std::string text = std::string(place, '\x82') + pattern + std::string(70, '\x82');
        for (VectorPath path : AvailablePaths()) {
          ASSERT_TRUE(scan.UsePath(path));
          const char* base = text.data();
          EXPECT_EQ(scan.Find(base, base + text.size()), base + place) << length << " " << rare << " " << place;
          // The range ends one byte short of the match: it is not there.
          EXPECT_EQ(scan.Find(base, base + place + length - 1), nullptr) << length << " " << rare << " " << place;
          EXPECT_EQ(scan.Find(base + place + 1, base + text.size()), nullptr) << length << " " << rare << " " << place;
        }
      }
    }
  }
}

// Lines of random lengths (mostly short, some near and past the longest allowed) of random
// Shift-JIS, a CR in some of them.
std::string RandomLines(std::mt19937& random, size_t length, int longestLine) {
  std::string text;
  while (text.size() < length) {
    size_t lineLength = random() % 8 == 0 ? longestLine - 3 + random() % 7 : random() % 60;
    std::string line;
    while (line.size() < lineLength) line += RandomSjisText(random, 1);
    std::replace(line.begin(), line.end(), '\n', ' ');
    if (random() % 40 == 0) line[random() % (line.size() + 1) % std::max<size_t>(line.size(), 1)] = '\r';
    text += line + '\n';
  }
  return text;
}

// The lines FindCountingFeeds says it passed, held against the text itself: where it stands is
// a line start, its count is the line feeds before it, those lines hold no CR and none is too
// long, the match it gives is Find's, and no match stands before where it stopped.  On the
// AVX2 path it must also have gone on to a match that clean short lines lead to.
TEST(LiteralScanPaths, FindCountingFeedsCountsTheLinesBeforeTheMatch) {
  std::mt19937 random(8122026);
  int matchesFound = 0;
  int lineEnds = 0;
  for (int round = 0; round < 600; ++round) {
    const int longest = std::initializer_list<int>{64, 100, 250, 1000}.begin()[random() % 4];
    std::string text = RandomLines(random, 200 + random() % 3000, longest);
    std::string pattern = text.substr(random() % text.size(), 1 + random() % 6);
    std::replace(pattern.begin(), pattern.end(), '\n', 'x');
    LiteralScan scan;
    scan.Build(reinterpret_cast<const uint8_t*>(pattern.data()), int(pattern.size()), random() % 2 == 0);
    size_t lineStarts = 0;
    size_t from = 0;
    for (size_t i = 0; i + 1 < text.size() / 2; ++i) {
      if (text[i] == '\n' && random() % ++lineStarts == 0) from = i + 1;
    }
    const char* base = text.data();
    const char* end = base + text.size() - random() % 80;
    FeedCountedFind counted = scan.FindCountingFeeds(base + from, end, longest);
    const std::string where = "round " + std::to_string(round) + " from " + std::to_string(from);
    ASSERT_GE(counted.lineStart, base + from) << where;
    ASSERT_LE(counted.lineStart, end) << where;
    EXPECT_TRUE(counted.lineStart == base + from || counted.lineStart[-1] == '\n') << where;
    const std::string passed(base + from, counted.lineStart);
    EXPECT_EQ(counted.feeds, std::count(passed.begin(), passed.end(), '\n')) << where;
    EXPECT_EQ(passed.find('\r'), std::string::npos) << where;
    for (size_t start = 0, feed; (feed = passed.find('\n', start)) != std::string::npos; start = feed + 1) {
      EXPECT_LE(int(feed - start), longest) << where << " line at " << start;
    }
    const char* first = scan.Find(base + from, end);
    if (counted.found) {
      ++matchesFound;
      EXPECT_EQ(counted.found, first) << where;
      EXPECT_EQ(std::find(counted.lineStart, counted.found, '\n'), counted.found) << where;
      if (counted.lineEnd) {  // the end of the match's line, with no CR in that line
        lineEnds += 1;
        EXPECT_EQ(counted.lineEnd - 1, std::find(counted.found, end, '\n')) << where;
        EXPECT_EQ(std::find(counted.lineStart, counted.lineEnd, '\r'), counted.lineEnd) << where;
      }
    } else {
      EXPECT_EQ(counted.lineEnd, nullptr) << where;
      const char* before = std::min(end, counted.lineStart + pattern.size() - 1);
      EXPECT_EQ(scan.Find(base + from, before), nullptr) << where;
    }
    if (!VectorPathAvailable(VectorPath::kAvx2)) {
      EXPECT_EQ(counted.lineStart, base + from);
      EXPECT_EQ(counted.found, nullptr);
      continue;
    }
    // Clean lines up to a match a block before the end: it must be found.
    const bool clean = first && std::string(base + from, first).find('\r') == std::string::npos &&
                       longest >= 100 && std::find(first, end, '\r') - first > 64;
    bool shortLines = true;  // and the match's line up to it
    for (const char* p = base + from, *line = p; first && p <= first; ++p) {
      if (*p == '\n' || p == first) shortLines = shortLines && p - line < 90, line = p + 1;
    }
    if (clean && shortLines && end - first >= 64 + ptrdiff_t(pattern.size())) {
      EXPECT_EQ(counted.found, first) << where;
    }
  }
  if (VectorPathAvailable(VectorPath::kAvx2)) {
    EXPECT_GT(matchesFound, 300);
    EXPECT_GT(lineEnds, 100);
  }
}

TEST(LiteralScanPaths, PortableIsAlwaysThereAndBuildChoosesTheFastest) {
  EXPECT_TRUE(VectorPathAvailable(VectorPath::kPortable));
  EXPECT_TRUE(VectorPathAvailable(FastestVectorPath()));
  if (VectorPathAvailable(VectorPath::kAvx2)) {
    EXPECT_EQ(FastestVectorPath(), VectorPath::kAvx2);
  }
  LiteralScan scan;
  for (VectorPath path : kAllPaths) EXPECT_EQ(scan.UsePath(path), VectorPathAvailable(path));
}

}  // namespace
