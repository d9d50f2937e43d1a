// ArchiveResult: the one set of outcomes the archive layer reports, from the readers' member
// list and member decoding to extraction into a file.  kOk means success everywhere; every
// other value names what went wrong, so that callers choose their message from it.
#pragma once

enum class ArchiveResult {
  kOk,
  kNoSuchMember,       // no member of that number (or no reader)
  kUnsupportedMethod,  // a compression method this reader cannot decode
  kEncrypted,          // refused: the data cannot be shown without its password
  kNoEndRecord,        // ZIP: no end record, or none whose directory lies inside the file
  kMultiDisk,          // ZIP: a part of a multi-disk archive
  kEmptyDirectory,     // ZIP: directory size and offset both 0
  kBadDirectory,       // ZIP: a directory record without its signature, or records that overrun
  kBadHeader,          // a member header that is missing or broken
  kSizeOutOfRange,     // declared sizes that the file cannot hold, or too large to decode
  kBroken,             // compressed data damaged or ended early: delivered as far as it decoded
  kCrcMismatch,        // decoded to its size, but the bytes do not match the archive's CRC
  kReadFailed,         // the archive could not be read, or delivered fewer bytes than asked
  kWriteFailed,        // the output file took fewer bytes than given
  kCannotCreate,       // the output file could not be created
  kNoMemory,
  kCancelled,          // the user cancelled an extraction
  kSymbolicLink,       // a symbolic link: listed, never followed, created or extracted
};

// True for the outcomes whose bytes were delivered but fail the archive's own check.
constexpr bool IsDamage(ArchiveResult result) {
  return result == ArchiveResult::kBroken || result == ArchiveResult::kCrcMismatch;
}

// A plain-English name of the result (ASCII, for tools and logs).
const char* ArchiveResultText(ArchiveResult result);
