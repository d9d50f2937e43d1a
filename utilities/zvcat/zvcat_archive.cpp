// zvcat --list and --extract: the members of an LZH, ZIP, gzip or tar archive, through whichever
// ArchiveReader the archive's extension or contents select.  Extraction writes each member under the
// output directory at its stored path made safe, named as zvcat_names.h says; a member whose
// bytes fail the archive's check (the CRC-16 of LZH) is reported and its file deleted, like any
// other failed extraction.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "utilities/zvcat/zvcat_archive.h"
#include "utilities/zvcat/zvcat_commands.h"
#include "utilities/zvcat/zvcat_input.h"
#include "utilities/zvcat/zvcat_messages.h"
#include "utilities/zvcat/zvcat_names.h"
#include "utilities/zvcat/zvcat_output.h"
#include "viewer/archive/archive_open.h"
#include "viewer/archive/extract_member.h"
#include "platform/file_api.h"
#include "viewer/archive/file_reader.h"
#include "viewer/archive/member_path.h"

namespace {

// The archive file and its reader (declared second, so deleted first).
struct OpenArchive {
  std::unique_ptr<FileReader> file;
  std::unique_ptr<ArchiveReader> reader;
};

// `name` is what messages call the archive and what a gzip member without a name of its own is
// named after.
bool Open(const std::string& path, const std::string& name, OpenArchive& archive) {
  if (!CheckInputFile(path)) return false;
  archive.file = std::make_unique<FileReader>(path.c_str(), fileapi::kShareDenyNone);
  ArchiveKind kind = ArchiveKind::kNone;
  if (archive.file->IsBad() || DetectArchiveKind(path.c_str(), *archive.file, kind) != ArchiveResult::kOk) {
    Report(zvmsg::kCannotRead, name.c_str(), SystemReason().c_str());
    return false;
  }
  if (kind == ArchiveKind::kNone) {
    Report(zvmsg::kNotAnArchive, name.c_str());
    return false;
  }
  archive.reader = NewArchiveReader(kind, archive.file.get(), name.c_str());
  if (!archive.reader) Report(zvmsg::kCannotExtract, name.c_str());
  return archive.reader != nullptr;
}

// True when the archive has member `member`; else says so.
bool HasMember(ArchiveReader& reader, const std::string& path, int member) {
  int count = reader.MemberCount();
  if (member < count) return true;
  Report(zvmsg::kNoSuchMember, path.c_str(), member, count);
  return false;
}

bool IsDirectoryEntry(const ArchiveEntry& entry) {
  return std::strcmp(entry.methodLabel, "-lhd-") == 0 || EndsWithPathSeparator(entry.path);
}

// The archive's own check of the bytes just extracted; true when there is none.
bool MemberBytesSound(ArchiveReader& reader) { return reader.CheckMemberIntegrity() == ArchiveResult::kOk; }

// False, after saying so, when the archive ends early or is damaged after its listed members.
bool ListingSound(ArchiveReader& reader, const std::string& path) {
  ArchiveResult result = reader.ListingResult();
  if (result == ArchiveResult::kOk) return true;
  Report(zvmsg::kArchiveCutOff, path.c_str(), ArchiveResultText(result));
  return false;
}

// `directory` with the first `count` of `parts` joined on.
std::string JoinParts(const std::string& directory, const std::vector<std::string>& parts, size_t count) {
  std::string path = directory;
  for (size_t i = 0; i < count; ++i) path = JoinMemberPath(path, parts[i]);
  return path;
}

// The folders below the output directory that this run has made or found: the members of one
// folder ask the system for it once, not once each.
class MadeFolders {
 public:
  // Creates the folders of the first `count` parts below `directory`.
  bool Make(const std::string& directory, const std::vector<std::string>& parts, size_t count) {
    for (size_t i = 1; i <= count; ++i) {
      std::string folder = JoinParts(directory, parts, i);
      if (known_.count(folder)) continue;
      if (!fileapi::MakeDirectory(folder.c_str())) return false;
      known_.insert(std::move(folder));
    }
    return true;
  }

 private:
  std::unordered_set<std::string> known_;
};

bool FailMember(const char* msgid, const ArchiveEntry& entry) {
  Report(msgid, ForMessage(entry.path).c_str());
  return false;
}

// Writes a file member to its place under `directory`, deleting it when the archive's check
// fails; false after printing why.
bool ExtractFile(ArchiveReader& reader, int index, const ArchiveEntry& entry, const std::string& directory,
                 const std::vector<std::string>& parts, MadeFolders& folders) {
  ArchiveResult opened = reader.OpenMember(index);
  if (opened == ArchiveResult::kSymbolicLink) {
    Report(zvmsg::kLinkNotExtracted, ForMessage(entry.path).c_str());
    return true;
  }
  if (opened != ArchiveResult::kOk) {
    return FailMember(opened == ArchiveResult::kUnsupportedMethod ? zvmsg::kUnsupported : zvmsg::kCannotExtract,
                      entry);
  }
  std::string target = JoinParts(directory, parts, parts.size());
  if (!folders.Make(directory, parts, parts.size() - 1) ||
      ExtractMemberToFile(reader, target.c_str(), nullptr) != ArchiveResult::kOk) {
    return FailMember(zvmsg::kExtractFailed, entry);
  }
  if (!MemberBytesSound(reader)) {
    (void)fileapi::Delete(target.c_str());  // best effort: the failure is reported either way
    FailMember(zvmsg::kExtractFailed, entry);
    Report(zvmsg::kCheckFailed);
    return false;
  }
  return true;
}

// Extracts member `index`; false after printing why it failed.
bool ExtractOne(ArchiveReader& reader, int index, const std::string& directory, MadeFolders& folders) {
  ArchiveEntry entry;
  if (reader.GetEntry(index, entry) != ArchiveResult::kOk) return false;
  std::vector<std::string> parts;
  bool named = DiskPartsOfMember(entry.path, parts);
  if (!IsDirectoryEntry(entry)) {
    return named ? ExtractFile(reader, index, entry, directory, parts, folders)
                 : FailMember(zvmsg::kExtractFailed, entry);
  }
  // A directory with no name has nothing to make; one without a trailing separator is a Unix
  // link, with nothing to write.
  if (!named || !EndsWithPathSeparator(entry.path)) return true;
  return folders.Make(directory, parts, parts.size()) || FailMember(zvmsg::kExtractFailed, entry);
}

}  // namespace

int RunList(const ZvcatOptions& options) {
  OpenArchive archive;
  if (!Open(options.operands[0], InputName(options), archive)) return 1;
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
  return ListingSound(*archive.reader, InputName(options)) ? 0 : 1;
}

int RunExtract(const ZvcatOptions& options) {
  OpenArchive archive;
  if (!Open(options.operands[0], InputName(options), archive)) return 1;
  ArchiveReader& reader = *archive.reader;
  int count = reader.MemberCount();
  if (!HasMember(reader, InputName(options), options.member)) return 1;
  if (!fileapi::MakeDirectory(options.outputDir.c_str())) {
    Report(zvmsg::kCannotCreateFolder, options.outputDir.c_str(), SystemReason().c_str());
    return 1;
  }
  int first = options.member >= 0 ? options.member : 0;
  int last = options.member >= 0 ? options.member + 1 : count;
  bool allGood = true;
  MadeFolders folders;
  for (int i = first; i < last; ++i) allGood = ExtractOne(reader, i, options.outputDir, folders) && allGood;
  return ListingSound(reader, InputName(options)) && allGood ? 0 : 1;
}

bool CheckShownMember(const std::string& path, const std::string& name, int member) {
  OpenArchive archive;
  if (!Open(path, name, archive) || !HasMember(*archive.reader, name, member)) return false;
  ArchiveEntry entry;
  if (archive.reader->GetEntry(member, entry) == ArchiveResult::kOk && IsDirectoryEntry(entry)) {
    Report(zvmsg::kMemberIsFolder, name.c_str(), member);
    return false;
  }
  return true;
}
