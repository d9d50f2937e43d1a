// ArchiveReader: a SourceReader whose content is one member of an archive, chosen by number,
// and ArchiveEntry, the record that describes each member.  LzhReader and ZipReader derive
// from it.  The inner reader (the archive file) is not owned: its creator deletes it afterwards.
#pragma once

#include <cstdint>

#include "viewer/archive/archive_result.h"
#include "viewer/archive/source_reader.h"

struct ArchiveEntry {
  char name[256] = {};          // LZH: base name in upper case (<= 12 chars); ZIP: stored name
  uint32_t originalSize = 0;    // uncompressed bytes
  uint32_t compressedSize = 0;  // compressed bytes
  int32_t year = 0;             // years since 1900
  uint8_t month = 0, day = 0;
  uint8_t hour = 0, minute = 0;
  uint8_t second = 0;           // the DOS 2-second field times 2
  char methodLabel[16] = {};    // LZH: "-lh5-" and the like; ZIP: the method name
  uint32_t directoryPosition = 0;  // ZIP only
  char path[256] = {};          // LZH: directory extension + name; ZIP: the stored name
};

class ArchiveReader : public SourceReader {
 public:
  explicit ArchiveReader(SourceReader* inner) : inner_(inner) {}
  int Suspend() override { return inner_ ? inner_->Suspend() : 0; }
  // Makes member `index` the content, at position 0.
  [[nodiscard]] virtual ArchiveResult OpenMember(int index) {
    currentMember_ = index;
    return ArchiveResult::kOk;
  }
  // Fills `entry`; kNoSuchMember when there is no such member.
  [[nodiscard]] virtual ArchiveResult GetEntry(int index, ArchiveEntry& entry) = 0;
  virtual int MemberCount() = 0;
  // What the archive's own check (a CRC in the headers) says of the open member's bytes,
  // decoding what is not decoded yet; the position is kept.  kOk when they are sound (and for
  // formats without a check), kCrcMismatch, kBroken, or kReadFailed when the archive could not
  // be read to the member's end.
  [[nodiscard]] virtual ArchiveResult CheckMemberIntegrity() { return ArchiveResult::kOk; }
  // True when the open member's bytes are delivered before its check has run and a failed check
  // takes back everything delivered: nothing of such a member may stay shown then.  (The other
  // readers check as they go, and what they delivered before the damage stays usable.)
  virtual bool WithdrawsOnDamage() const { return false; }
  // kOk when the whole archive was read; otherwise why the member list ends early or the
  // archive is damaged (the members listed before the fault are still usable).
  [[nodiscard]] virtual ArchiveResult ListingResult() { return ArchiveResult::kOk; }

  SourceReader* Inner() const { return inner_; }
  int CurrentMember() const { return currentMember_; }

 protected:
  SourceReader* inner_;
  int currentMember_ = 0;
};

// The DOS packed date and time words of archive headers, unpacked into an entry.
void SetEntryDosDateTime(ArchiveEntry& entry, uint16_t dosDate, uint16_t dosTime);
// A Unix time of gzip and tar headers (seconds since 1970-01-01, UTC) into an entry's date in
// local time, like the DOS dates of LZH and ZIP members.
void SetEntryUnixTime(ArchiveEntry& entry, int64_t utcSeconds);
