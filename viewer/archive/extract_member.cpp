// ExtractMemberToFile: the chunked copy with its results.
#include "viewer/archive/extract_member.h"

#include <algorithm>
#include <memory>

#include "platform/allocation.h"
#include "platform/file_api.h"

namespace {

constexpr uint32_t kCopyChunk = 2048;

// The file being written: closed when it goes, and deleted then unless it was kept.
class OutputFile {
 public:
  explicit OutputFile(const char* path) : path_(path), handle_(fileapi::Create(path)) {}
  ~OutputFile() {
    fileapi::Close(handle_);
    if (IsOpen() && !kept_) (void)fileapi::Delete(path_);  // best effort: nothing else to do
  }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  bool IsOpen() const { return handle_ != fileapi::kInvalidHandle; }
  fileapi::Handle Handle() const { return handle_; }
  void Keep() { kept_ = true; }

 private:
  const char* path_;
  fileapi::Handle handle_;
  bool kept_ = false;
};

ArchiveResult CopyAll(SourceReader& reader, OutputFile& out, ExtractProgress* progress) {
  std::unique_ptr<char[]> buffer = NewArray<char>(kCopyChunk);
  if (!buffer) return ArchiveResult::kNoMemory;
  uint32_t total = reader.Size();
  if (total == uint32_t(-1)) return ArchiveResult::kReadFailed;
  uint32_t done = 0;
  while (done < total) {
    uint32_t n = std::min(total - done, kCopyChunk);
    if (reader.Read(buffer.get(), n) != int(n)) return ArchiveResult::kReadFailed;
    if (fileapi::Write(out.Handle(), buffer.get(), n) != int64_t(n)) return ArchiveResult::kWriteFailed;
    done += n;
    if (progress && !progress->Report(done, total)) return ArchiveResult::kCancelled;
  }
  return ArchiveResult::kOk;
}

ArchiveResult CopyFromStart(SourceReader& reader, const char* path, ExtractProgress* progress) {
  if (reader.Seek(0, 0) != 0) return ArchiveResult::kReadFailed;
  OutputFile out(path);
  if (!out.IsOpen()) return ArchiveResult::kCannotCreate;
  ArchiveResult result = CopyAll(reader, out, progress);
  if (result == ArchiveResult::kOk) out.Keep();
  return result;
}

}  // namespace

ArchiveResult ExtractMemberToFile(SourceReader& reader, const char* path, ExtractProgress* progress) {
  int saved = reader.Tell();
  ArchiveResult result = CopyFromStart(reader, path, progress);
  // The copy is complete either way; a position that cannot be restored shows at the next read.
  if (saved >= 0) (void)reader.Seek(saved, 0);
  return result;
}

ArchiveResult ExtractArchiveMemberToFile(ArchiveReader& reader, const char* path, ExtractProgress* progress) {
  ArchiveResult result = ExtractMemberToFile(reader, path, progress);
  if (result != ArchiveResult::kOk) return result;
  ArchiveResult integrity = reader.CheckMemberIntegrity();
  if (integrity != ArchiveResult::kOk) (void)fileapi::Delete(path);  // best effort
  return integrity;
}
