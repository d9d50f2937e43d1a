// zvcat --list and --extract: the members of an LZH, ZIP, gzip or tar archive, through whichever
// ArchiveReader the archive's extension or contents select.  Extraction writes each member under the
// output directory at its stored path made safe; a member whose bytes fail the archive's check
// (the CRC-16 of LZH) is reported and its file deleted, like any other failed extraction.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "utilities/zvcat/zvcat_commands.h"
#include "utilities/zvcat/zvcat_output.h"
#include "viewer/archive/archive_open.h"
#include "viewer/archive/extract_member.h"
#include "platform/file_api.h"
#include "viewer/archive/file_reader.h"
#include "viewer/archive/member_path.h"

namespace {

const char kNotFound[] = "ファイルが見つかりません";
const char kCannotOpen[] = "メモリが足りないか、ファイルが展開できません";
const char kUnsupported[] = "未対応の圧縮形式です。展開できません";
const char kExtractFailed[] = "%sの展開に失敗しました";

// The archive file and its reader (declared second, so deleted first).
struct OpenArchive {
  std::unique_ptr<FileReader> file;
  std::unique_ptr<ArchiveReader> reader;
};

bool Open(const std::string& path, OpenArchive& archive) {
  if (!fileapi::IsRegularFile(path.c_str())) {
    PrintMessage(kNotFound);
    return false;
  }
  archive.file = std::make_unique<FileReader>(path.c_str(), fileapi::kShareDenyNone);
  ArchiveKind kind = ArchiveKind::kNone;
  if (archive.file->IsBad() || DetectArchiveKind(path.c_str(), *archive.file, kind) != ArchiveResult::kOk) {
    PrintMessage(kCannotOpen);
    return false;
  }
  if (kind == ArchiveKind::kNone) {
    std::fprintf(stderr, "zvcat: %s is not an archive (LZH, ZIP, gzip or tar)\n", path.c_str());
    return false;
  }
  archive.reader = NewArchiveReader(kind, archive.file.get(), path.c_str());
  if (!archive.reader) PrintMessage(kCannotOpen);
  return archive.reader != nullptr;
}

// A message of the system about one member: "NAME: MESSAGE", or the message with the name
// put in for "%s".
void PrintMemberMessage(const char* format, const char* name) {
  std::string text;
  if (std::strstr(format, "%s")) {
    char buffer[600];
    std::snprintf(buffer, sizeof buffer, format, name);
    text = buffer;
  } else {
    text = std::string(name) + ": " + format;
  }
  PrintMessage(text.c_str());
}

bool IsDirectoryEntry(const ArchiveEntry& entry) {
  return std::strcmp(entry.methodLabel, "-lhd-") == 0 || EndsWithPathSeparator(entry.path);
}

// The archive's own check of the bytes just extracted; true when there is none.
bool MemberBytesSound(ArchiveReader& reader) { return reader.CheckMemberIntegrity() == ArchiveResult::kOk; }

// False, after saying so, when the archive ends early or is damaged after its listed members.
bool ListingSound(ArchiveReader& reader) {
  ArchiveResult result = reader.ListingResult();
  if (result == ArchiveResult::kOk) return true;
  PrintMessage(kCannotOpen);
  std::fprintf(stderr, "zvcat: the archive is damaged or cut off after the members listed (%s)\n",
               ArchiveResultText(result));
  return false;
}

// Extracts member `index`; false after printing why it failed.
bool ExtractOne(ArchiveReader& reader, int index, const std::string& directory) {
  ArchiveEntry entry;
  if (reader.GetEntry(index, entry) != ArchiveResult::kOk) return false;
  std::string relative;
  bool named = MakeSafeMemberPath(entry.path, relative);
  if (!named && IsDirectoryEntry(entry)) return true;  // a directory with no name: nothing to make
  if (!named) {
    PrintMemberMessage(kExtractFailed, entry.path);
    return false;
  }
  if (IsDirectoryEntry(entry)) {
    // A directory entry without a trailing separator is a Unix link: there is nothing to write.
    if (!EndsWithPathSeparator(entry.path)) return true;
    if (MakeMemberDirectories(directory, relative, true)) return true;
    PrintMemberMessage(kExtractFailed, entry.path);
    return false;
  }
  ArchiveResult opened = reader.OpenMember(index);
  if (opened == ArchiveResult::kSymbolicLink) {
    std::fprintf(stderr, "zvcat: %s: a symbolic link is not extracted\n", entry.path);
    return true;
  }
  if (opened != ArchiveResult::kOk) {
    PrintMemberMessage(opened == ArchiveResult::kUnsupportedMethod ? kUnsupported : kCannotOpen, entry.path);
    return false;
  }
  std::string target = JoinMemberPath(directory, relative);
  if (!MakeMemberDirectories(directory, relative, false) ||
      ExtractMemberToFile(reader, target.c_str(), nullptr) != ArchiveResult::kOk) {
    PrintMemberMessage(kExtractFailed, entry.path);
    return false;
  }
  if (!MemberBytesSound(reader)) {
    (void)fileapi::Delete(target.c_str());  // best effort: the failure is reported either way
    PrintMemberMessage(kExtractFailed, entry.path);
    std::fprintf(stderr, "zvcat: the extracted bytes do not match the archive's check; the file was deleted\n");
    return false;
  }
  return true;
}

}  // namespace

int RunList(const ZvcatOptions& options) {
  OpenArchive archive;
  if (!Open(options.operands[0], archive)) return 1;
  ZvcatOutput out(options.utf8Output);
  ArchiveEntry entry;
  for (int i = 0; archive.reader->GetEntry(i, entry) == ArchiveResult::kOk; ++i) {
    char fields[96];
    std::snprintf(fields, sizeof fields, "%d\t%s\t%u\t%u\t", i, entry.methodLabel, unsigned(entry.compressedSize),
                  unsigned(entry.originalSize));
    out.Plain(fields, std::strlen(fields));
    out.Text(entry.path, std::strlen(entry.path));
    out.Plain("\n", 1);
  }
  return ListingSound(*archive.reader) ? 0 : 1;
}

int RunExtract(const ZvcatOptions& options) {
  OpenArchive archive;
  if (!Open(options.operands[0], archive)) return 1;
  ArchiveReader& reader = *archive.reader;
  int count = reader.MemberCount();
  if (options.member >= count) {
    std::fprintf(stderr, "zvcat: the archive has no member %d\n", options.member);
    return 1;
  }
  if (!fileapi::MakeDirectory(options.outputDir.c_str())) {
    std::fprintf(stderr, "zvcat: cannot create %s\n", options.outputDir.c_str());
    return 1;
  }
  int first = options.member >= 0 ? options.member : 0;
  int last = options.member >= 0 ? options.member + 1 : count;
  bool allGood = true;
  for (int i = first; i < last; ++i) allGood = ExtractOne(reader, i, options.outputDir) && allGood;
  return ListingSound(reader) && allGood ? 0 : 1;
}
