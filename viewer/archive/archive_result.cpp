// Plain-English names of the archive layer's results, for tools and logs.
#include "viewer/archive/archive_result.h"

const char* ArchiveResultText(ArchiveResult result) {
  switch (result) {
    case ArchiveResult::kOk: return "ok";
    case ArchiveResult::kNoSuchMember: return "no such member";
    case ArchiveResult::kUnsupportedMethod: return "unsupported method or member type";
    case ArchiveResult::kEncrypted: return "encrypted";
    case ArchiveResult::kNoEndRecord: return "no end record";
    case ArchiveResult::kMultiDisk: return "multi-disk archive";
    case ArchiveResult::kEmptyDirectory: return "empty directory";
    case ArchiveResult::kBadDirectory: return "bad directory";
    case ArchiveResult::kBadHeader: return "bad header";
    case ArchiveResult::kSizeOutOfRange: return "size out of range";
    case ArchiveResult::kBroken: return "damaged or cut-off data";
    case ArchiveResult::kCrcMismatch: return "CRC or length mismatch";
    case ArchiveResult::kReadFailed: return "read failed";
    case ArchiveResult::kWriteFailed: return "write failed";
    case ArchiveResult::kCannotCreate: return "cannot create the file";
    case ArchiveResult::kNoMemory: return "out of memory";
    case ArchiveResult::kCancelled: return "cancelled";
    case ArchiveResult::kSymbolicLink: return "symbolic link";
  }
  return "unknown result";
}
