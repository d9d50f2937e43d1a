// zip_conformance_tool ARCHIVE OUTDIR: opens ARCHIVE with the ZIP reader and extracts every
// member that is not a directory to OUTDIR/<index>, printing one line per member:
// "<index> <status> <stored name>".  The conformance test compares the files with the originals.
#include <cstdio>
#include <cstring>
#include <string>

#include "viewer/archive/extract_member.h"
#include "viewer/archive/file_reader.h"
#include "viewer/archive/zip_reader.h"

namespace {

const char* StatusText(ZipReader& zip, ArchiveResult openResult) {
  if (openResult != ArchiveResult::kOk) return "refused";
  if (!zip.LastMemberCrcOk()) return "bad-crc";
  return "ok";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zip_conformance_tool ARCHIVE OUTDIR\n");
    return 2;
  }
  FileReader file(argv[1], fileapi::kReadOnly);
  ZipReader zip(&file);
  if (zip.IsBad()) {
    std::printf("bad-archive %d\n", int(zip.DirectoryResult()));
    return 1;
  }
  int failures = 0;
  for (int i = 0; i < zip.MemberCount(); ++i) {
    ArchiveEntry entry;
    if (zip.GetEntry(i, entry) != ArchiveResult::kOk) return 1;  // cannot be: i < MemberCount()
    size_t length = std::strlen(entry.name);
    if (length > 0 && entry.name[length - 1] == '/') continue;
    ArchiveResult opened = zip.OpenMember(i);
    const char* status = StatusText(zip, opened);
    if (opened == ArchiveResult::kOk) {
      std::string path = std::string(argv[2]) + "/" + std::to_string(i);
      if (ExtractMemberToFile(zip, path.c_str(), nullptr) != ArchiveResult::kOk) status = "write-failed";
    }
    if (std::strcmp(status, "ok") != 0) ++failures;
    std::printf("%d %s %s\n", i, status, entry.name);
  }
  return failures ? 1 : 0;
}
