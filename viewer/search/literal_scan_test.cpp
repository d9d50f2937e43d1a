// LiteralScan's vector paths against a byte-by-byte check of every position: random Shift-JIS
// texts whose double-byte characters fall across every lane edge, patterns taken from them with
// folding on and off, the rarest byte of a pattern at every offset, and ranges that end inside
// a match (nothing past the end may be read as part of one).
#include <gtest/gtest.h>

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
