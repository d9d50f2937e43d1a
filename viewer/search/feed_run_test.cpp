// CountFeedRun's vector paths against the portable one, and every path against what the run
// must be: the line feeds it counted are those of the bytes it passed, it passed no CR, its
// last block with a feed is the one it names, and it stopped only where a block could not join.
// Texts: random Shift-JIS-like bytes with line ends of all kinds and tabs, runs of nothing but
// line feeds (the lane sums at their fullest), long lines, from every start within a block.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "viewer/search/feed_run.h"
#include "viewer/search/line_masks.h"

namespace {

constexpr VectorPath kPaths[] = {VectorPath::kPortable, VectorPath::kSse2, VectorPath::kAvx2};

std::string RandomText(std::mt19937& random, size_t length) {
  static const char* const kPieces[] = {"ファイル", "を指定する", "\n", "\n", "abc ", "\t", "\x83\x0A"};
  std::string text;
  int style = int(random() % 4);
  while (text.size() < length) {
    if (style == 0) {
      text += '\n';  // every byte a feed
    } else if (style == 1 && random() % 200 == 0) {
      text += random() % 2 ? "\r" : "\r\n";
    } else if (style == 2 && random() % 50 == 0) {
      text.append(200, 'x');  // a line longer than a block
    } else {
      text += kPieces[random() % std::size(kPieces)];
    }
  }
  return text;
}

void ExpectSoundRun(const FeedRun& run, const std::string& text, size_t start, const char* target,
                    const FeedRunWidths& widths) {
  const char* p = text.data() + start;
  ASSERT_GE(run.end, p);
  ASSERT_EQ((run.end - p) % kLineMaskBlock, 0);
  ASSERT_LE(run.end, target);
  EXPECT_EQ(run.feeds, std::count(p, run.end, '\n'));
  EXPECT_EQ(std::count(p, run.end, '\r'), 0);
  const char* lastFeed = nullptr;
  for (const char* block = p; block < run.end; block += kLineMaskBlock) {
    if (std::count(block, block + kLineMaskBlock, '\n') > 0) lastFeed = block;
  }
  EXPECT_EQ(run.lastFeedBlock, lastFeed);
  if (target - run.end <= kLineMaskBlock) return;
  // It stopped before the target: the next block holds a CR or its first line might wrap.
  const char* next = run.end;
  const char* feed = std::find(next, next + kLineMaskBlock, '\n');
  bool carriageReturn = std::count(next, next + kLineMaskBlock, '\r') > 0;
  int64_t before = feed == next + kLineMaskBlock ? kLineMaskBlock : kLineMaskBlock - 1;
  EXPECT_TRUE(carriageReturn || run.widthBound + before * widths.widest > widths.wrap);
}

TEST(FeedRun, EveryPathCountsWhatThePortableOneCounts) {
  std::mt19937 random(8122026);
  for (int round = 0; round < 300; ++round) {
    std::string text = RandomText(random, 64 + random() % 20000);
    size_t start = random() % 64;
    const char* target = text.data() + start + random() % (text.size() - start + 1);
    FeedRunWidths widths{int64_t(256 + random() % 1000), int64_t(1 + random() % 8)};
    int64_t widthBound = int64_t(random() % 300);
    FeedRun portable = CountFeedRun(text.data() + start, target, widthBound, widths, VectorPath::kPortable);
    ExpectSoundRun(portable, text, start, target, widths);
    for (VectorPath path : kPaths) {
      if (!VectorPathAvailable(path)) continue;
      FeedRun run = CountFeedRun(text.data() + start, target, widthBound, widths, path);
      EXPECT_EQ(run.end, portable.end) << "path " << int(path) << " round " << round;
      EXPECT_EQ(run.lastFeedBlock, portable.lastFeedBlock) << "path " << int(path) << " round " << round;
      EXPECT_EQ(run.feeds, portable.feeds) << "path " << int(path) << " round " << round;
      EXPECT_EQ(run.widthBound, portable.widthBound) << "path " << int(path) << " round " << round;
    }
  }
}

// Nothing but line feeds for many blocks: every lane sum fills up and must be emptied in time.
TEST(FeedRun, LongRunsOfLineFeedsAreCountedWhole) {
  std::string text(64 * 1000 + 1, '\n');
  for (VectorPath path : kPaths) {
    if (!VectorPathAvailable(path)) continue;
    FeedRun run = CountFeedRun(text.data(), text.data() + text.size(), 0, {1000, 4}, path);
    EXPECT_EQ(run.end, text.data() + 64 * 1000) << int(path);
    EXPECT_EQ(run.feeds, 64 * 1000) << int(path);
  }
}

}  // namespace
