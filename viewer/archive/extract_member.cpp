// ExtractMemberToFile: the chunked copy with its result codes.
#include "viewer/archive/extract_member.h"

#include <algorithm>
#include <memory>
#include <new>

#include "platform/file_api.h"
#include "platform/allocation.h"

namespace {

constexpr uint32_t kCopyChunk = 2048;

class OutputFile {
 public:
  explicit OutputFile(const char* path) : handle_(fileapi::Create(path)) {}
  ~OutputFile() { fileapi::Close(handle_); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  bool IsOpen() const { return handle_ != fileapi::kInvalidHandle; }
  fileapi::Handle Handle() const { return handle_; }

 private:
  fileapi::Handle handle_;
};

int CopyAll(SourceReader& reader, OutputFile& out, ExtractProgress* progress) {
  std::unique_ptr<char[]> buffer = NewArray<char>(kCopyChunk);
  if (!buffer) return kExtractNoBuffer;
  uint32_t total = reader.Size();
  uint32_t done = 0;
  while (done < total) {
    uint32_t n = std::min(total - done, kCopyChunk);
    if (reader.Read(buffer.get(), n) != int(n)) return kExtractShortRead;
    if (fileapi::Write(out.Handle(), buffer.get(), n) != int64_t(n)) return kExtractShortWrite;
    done += n;
    if (progress && !progress->Report(done, total)) return kExtractCancelled;
  }
  return kExtractOk;
}

}  // namespace

int ExtractMemberToFile(SourceReader& reader, const char* path, ExtractProgress* progress) {
  int saved = reader.Tell();
  reader.Seek(0, 0);
  int result;
  {
    OutputFile out(path);
    result = out.IsOpen() ? CopyAll(reader, out, progress) : kExtractCannotCreate;
  }
  if (saved >= 0) reader.Seek(saved, 0);
  if (result != kExtractOk && result != kExtractCannotCreate) fileapi::Delete(path);
  return result;
}

int ExtractArchiveMemberToFile(ArchiveReader& reader, const char* path, ExtractProgress* progress) {
  int result = ExtractMemberToFile(reader, path, progress);
  if (result != kExtractOk || reader.CheckMemberIntegrity() == kMemberIntact) return result;
  fileapi::Delete(path);
  return kExtractDamaged;
}
