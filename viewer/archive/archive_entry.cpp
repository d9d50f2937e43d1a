// Unpacking of the MS-DOS date and time words shared by the LZH and ZIP readers, and of the
// Unix times (seconds since 1970, UTC) of gzip and tar headers into local time, as the DOS
// words of the other formats are.
#include "viewer/archive/archive_reader.h"

#include "platform/platform.h"

void SetEntryDosDateTime(ArchiveEntry& entry, uint16_t dosDate, uint16_t dosTime) {
  entry.year = (dosDate >> 9) + 80;
  entry.month = (dosDate >> 5) & 0x0F;
  entry.day = dosDate & 0x1F;
  entry.hour = dosTime >> 11;
  entry.minute = (dosTime >> 5) & 0x3F;
  entry.second = (dosTime & 0x1F) * 2;
}

namespace {

// Days since 1970-01-01 as a civil date (the proleptic Gregorian calendar).
void CivilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day) {
  days += 719468;
  int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  unsigned dayOfEra = unsigned(days - era * 146097);
  unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  unsigned monthIndex = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  year = int64_t(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
}

}  // namespace

void SetEntryUnixTime(ArchiveEntry& entry, int64_t utcSeconds) {
  constexpr int64_t kDay = 86400;
  int64_t seconds = utcSeconds + LocalTimeOffsetSeconds(utcSeconds);
  int64_t days = seconds >= 0 ? seconds / kDay : -((-seconds + kDay - 1) / kDay);
  int64_t within = seconds - days * kDay;
  int64_t year = 0;
  unsigned month = 0, day = 0;
  CivilFromDays(days, year, month, day);
  entry.year = int32_t(year - 1900);
  entry.month = uint8_t(month);
  entry.day = uint8_t(day);
  entry.hour = uint8_t(within / 3600);
  entry.minute = uint8_t(within / 60 % 60);
  entry.second = uint8_t(within % 60);
}
