// What the archive fuzz targets do with any reader: list every entry, then open, read to the
// end, seek back and read again the first few members.  Every outcome is acceptable; only a
// crash or a sanitizer report is a finding.
#pragma once

#include <cstdint>

#include "viewer/archive/archive_reader.h"

inline void ExerciseArchiveReader(ArchiveReader& reader, int membersToOpen) {
  ArchiveEntry entry;
  for (int i = 0; i < reader.MemberCount(); ++i) (void)reader.GetEntry(i, entry);
  (void)reader.ListingResult();
  for (int i = 0; i < reader.MemberCount() && i < membersToOpen; ++i) {
    if (reader.OpenMember(i) != ArchiveResult::kOk) continue;
    uint8_t buffer[512];
    while (reader.Read(buffer, sizeof buffer) > 0) {
    }
    (void)reader.Seek(-7, 2);
    (void)reader.Read(buffer, sizeof buffer);
    (void)reader.CheckMemberIntegrity();
  }
}
