// Unpacking of the MS-DOS date and time words shared by the LZH and ZIP readers.
#include "viewer/archive/archive_reader.h"

void SetEntryDosDateTime(ArchiveEntry& entry, uint16_t dosDate, uint16_t dosTime) {
  entry.year = (dosDate >> 9) + 80;
  entry.month = (dosDate >> 5) & 0x0F;
  entry.day = dosDate & 0x1F;
  entry.hour = dosTime >> 11;
  entry.minute = (dosTime >> 5) & 0x3F;
  entry.second = (dosTime & 0x1F) * 2;
}
