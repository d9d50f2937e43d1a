// The dates of gzip and tar members: Unix times shown in local time, daylight saving included,
// like the DOS dates LZH and ZIP store.
#include <gtest/gtest.h>

#include "viewer/archive/archive_reader.h"
#include "viewer/archive/time_zone_test_support.h"

namespace {

struct Stamp {
  int year, month, day, hour, minute, second;
};

Stamp StampOf(int64_t utcSeconds) {
  ArchiveEntry entry;
  SetEntryUnixTime(entry, utcSeconds);
  return {entry.year + 1900, entry.month, entry.day, entry.hour, entry.minute, entry.second};
}

void ExpectStamp(int64_t utcSeconds, Stamp expected) {
  Stamp got = StampOf(utcSeconds);
  EXPECT_EQ(got.year, expected.year) << utcSeconds;
  EXPECT_EQ(got.month, expected.month) << utcSeconds;
  EXPECT_EQ(got.day, expected.day) << utcSeconds;
  EXPECT_EQ(got.hour, expected.hour) << utcSeconds;
  EXPECT_EQ(got.minute, expected.minute) << utcSeconds;
  EXPECT_EQ(got.second, expected.second) << utcSeconds;
}

TEST(ArchiveEntryTime, UnixTimesAreShownInTheLocalZone) {
  if (!ScopedTimeZone::kSettable) GTEST_SKIP() << "the zone cannot be set for a test here";
  {
    ScopedTimeZone tokyo("JST-9");
    ExpectStamp(1000000000, {2001, 9, 9, 10, 46, 40});  // 01:46:40 UTC
    ExpectStamp(1230735600, {2009, 1, 1, 0, 0, 0});     // 2008-12-31 15:00 UTC: the next day and year
    ExpectStamp(0, {1970, 1, 1, 9, 0, 0});
  }
  {
    // Daylight saving counts at the member's own date, not today's.
    ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    ExpectStamp(1215000000, {2008, 7, 2, 14, 0, 0});  // 12:00 UTC in summer
    ExpectStamp(1200000000, {2008, 1, 10, 22, 20, 0});  // 21:20 UTC in winter
  }
  {
    ScopedTimeZone newYork("EST5EDT,M3.2.0,M11.1.0");
    ExpectStamp(1000000000, {2001, 9, 8, 21, 46, 40});  // the day before
  }
}

TEST(ArchiveEntryTime, DatesBeforeTheEpochAndFarAheadStayWhole) {
  if (!ScopedTimeZone::kSettable) GTEST_SKIP() << "the zone cannot be set for a test here";
  ScopedTimeZone utc("UTC0");
  ExpectStamp(-1, {1969, 12, 31, 23, 59, 59});
  ExpectStamp(8589934591LL, {2242, 3, 16, 12, 56, 31});  // the largest 33-bit tar time
}

}  // namespace
