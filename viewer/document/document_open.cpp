// Opening a file or an archive member into the document, detecting its codes, and resetting
// the document after a failure.
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "viewer/archive/archive_open.h"
#include "platform/file_api.h"
#include "viewer/archive/file_reader.h"
#include "viewer/archive/member_path.h"
#include "viewer/document/document.h"
#include "viewer/document/document_host.h"
#include "viewer/document/document_converter.h"
#include "platform/platform.h"
#include "platform/allocation.h"

Document TheDocument;

namespace {

constexpr uint32_t kSampleSize = 4096;
constexpr uint32_t kSpareBytes = kTextSpareBytes;
constexpr uint32_t kInitialTableBytes = 1024;
// Rows are 32-bit offsets and positions are 32-bit signed: larger files are refused.
constexpr uint32_t kLargestFile = 0x7FFFFFFFu - kSpareBytes;
constexpr uint32_t kSizeUnknown = uint32_t(-1);  // what SourceReader::Size gives on failure

const char kNotFound[] = "ファイルが見つかりません";
const char kCannotOpen[] = "メモリが足りないか、ファイルが展開できません";
const char kTooLarge[] = "ファイルが大きすぎます";
const char kNoMemory[] = "メモリが足りません";
const char kUnsupported[] = "未対応の圧縮形式です。展開できません";
const char kPathTooLong[] = "ファイル名が長すぎます";

void FreeBlocks() {
  Document& doc = TheDocument;
  doc.TextHandle.Free();
  doc.LineTableHandle.Free();
  doc.Text = doc.TextEnd = doc.PendingLineStart = doc.ScanPosition = nullptr;
  doc.LineTable = nullptr;
  doc.LoadEnd.valid = false;
}

bool AllocateBlocks(size_t textBytes, size_t tableBytes) {
  Document& doc = TheDocument;
  if (!doc.TextHandle.Allocate(textBytes, true) || !doc.LineTableHandle.Allocate(tableBytes, true)) {
    FreeBlocks();
    return false;
  }
  doc.Text = static_cast<char*>(doc.TextHandle.Data());
  doc.LineTable = static_cast<uint32_t*>(doc.LineTableHandle.Data());
  doc.TextEnd = doc.PendingLineStart = doc.ScanPosition = doc.Text;
  return true;
}

// The empty document's text and row table when not even their few bytes can be allocated.
void UseStaticEmptyBlocks() {
  static char emptyText[kSpareBytes];
  static uint32_t emptyTable[kSpareBytes / sizeof(uint32_t)];
  Document& doc = TheDocument;
  emptyText[0] = '\0';
  doc.Text = doc.TextEnd = doc.PendingLineStart = doc.ScanPosition = emptyText;
  doc.LineTable = emptyTable;
}

bool StartsWithRead(const char* name) {
  static const char kRead[] = "READ";
  for (int i = 0; i < 4; ++i) {
    char c = name[i];
    if (c >= 'a' && c <= 'z') c = char(c - 32);
    if (c != kRead[i]) return false;
  }
  return true;
}

bool HasDocumentExtension(const char* name) {
  static const char* const kExtensions[] = {"doc", "hed", "man", "txt", "1st"};
  const char* dot = std::strrchr(name, '.');
  const char* separator = std::strrchr(name, '\\');
  if (!dot || (separator && dot < separator)) return false;
  for (const char* extension : kExtensions) {
    if (EqualsIgnoringCase(dot + 1, extension)) return true;
  }
  return false;
}

// The member shown first: a READ* file (in any folder: a tarball keeps its readme in its top
// folder), else one with a document's extension, else the first that is not a folder.
int ChooseMember(ArchiveReader& archive) {
  ArchiveEntry entry;
  int count = archive.MemberCount();
  for (int i = 0; i < count; ++i) {
    if (archive.GetEntry(i, entry) == ArchiveResult::kOk && StartsWithRead(PathBaseName(entry.name))) return i;
  }
  for (int i = 0; i < count; ++i) {
    if (archive.GetEntry(i, entry) == ArchiveResult::kOk && HasDocumentExtension(entry.name)) return i;
  }
  for (int i = 0; i < count; ++i) {
    if (archive.GetEntry(i, entry) == ArchiveResult::kOk && !EndsWithPathSeparator(entry.name)) return i;
  }
  return 0;
}

// Opens FileName as the Source: the file itself or, for an archive, a member of it.
// `forcedMember` >= 0 shows exactly that member.
bool OpenSource(int forcedMember) {
  Document& doc = TheDocument;
  std::unique_ptr<FileReader> file = NewObject<FileReader>(doc.FileName, fileapi::kShareDenyNone);
  if (!file || file->IsBad()) return false;
  ArchiveKind kind = ArchiveKind::kNone;
  if (DetectArchiveKind(doc.FileName, *file, kind) != ArchiveResult::kOk) return false;
  if (kind == ArchiveKind::kNone) {
    doc.Source = std::move(file);
    return true;
  }
  std::unique_ptr<ArchiveReader> archive = NewArchiveReader(kind, file.get(), doc.FileName);
  if (!archive) return false;
  doc.ArchiveFile = std::move(file);
  ArchiveReader& reader = *archive;
  doc.Source = std::move(archive);
  int first = forcedMember >= 0 ? forcedMember : ChooseMember(reader);
  int last = forcedMember >= 0 ? forcedMember : reader.MemberCount() - 1;
  for (int i = first; i <= last && i < reader.MemberCount(); ++i) {
    if (OpenArchiveMember(i) == DocumentResult::kOk) {
      Host().OpenArchiveFiler(i);
      return true;
    }
  }
  doc.Source.reset();  // the reader reads through the archive file: it goes first
  doc.ArchiveFile.reset();
  return false;
}

DocumentResult FailOpening(DocumentResult result, const char* message) {
  ResetDocument(message);
  RefreshViews();
  Host().SetBusy(false);
  return result;
}

DocumentResult OpenPath(const char* path, int kanjiChoice, int modeChoice, int forcedMember) {
  Document& doc = TheDocument;
  Host().SetBusy(true);
  size_t length = std::strlen(path);
  std::snprintf(doc.FileName, sizeof doc.FileName, "%s", path);
  CloseSources();
  if (length >= sizeof doc.FileName) return FailOpening(DocumentResult::kPathTooLong, kPathTooLong);
  if (!fileapi::IsRegularFile(doc.FileName)) return FailOpening(DocumentResult::kNotFound, kNotFound);
  if (!OpenSource(forcedMember)) return FailOpening(DocumentResult::kCannotOpen, kCannotOpen);
  return OpenDocument(nullptr, kanjiChoice, modeChoice);
}

}  // namespace

bool FitsInMemory(uint32_t size) {
  uint64_t available = AvailableMemoryBytes();
  return uint64_t(size) * 10 <= available * 8 && size <= kLargestFile;
}

DocumentResult OpenDocument(const char* path, int kanjiChoice, int modeChoice) {
  if (path) return OpenPath(path, kanjiChoice, modeChoice, -1);
  Document& doc = TheDocument;
  FreeBlocks();
  if (!doc.Source) return FailOpening(DocumentResult::kCannotOpen, kCannotOpen);
  doc.FileSize = doc.Source->Size();
  if (doc.FileSize == kSizeUnknown) return FailOpening(DocumentResult::kCannotOpen, kCannotOpen);
  if (!FitsInMemory(doc.FileSize)) return FailOpening(DocumentResult::kTooLarge, kTooLarge);
  if (!AllocateBlocks(size_t(doc.FileSize) + kSpareBytes, kInitialTableBytes)) {
    return FailOpening(DocumentResult::kNoMemory, kNoMemory);
  }
  if (!DetectCodes(kanjiChoice, modeChoice) || !RestartLoading()) {
    return FailOpening(DocumentResult::kCannotOpen, kCannotOpen);
  }
  RefreshViews();
  Host().SetBusy(false);
  return DocumentResult::kOk;
}

DocumentResult OpenDocumentMember(const char* path, int member) {
  return OpenPath(path, AutoDetect, AutoDetect, member);
}

DocumentResult OpenArchiveMember(int index) {
  Document& doc = TheDocument;
  if (!doc.ArchiveFile || !doc.Source) return DocumentResult::kCannotOpen;
  Host().SetBusy(true);
  ArchiveResult opened = static_cast<ArchiveReader&>(*doc.Source).OpenMember(index);
  if (opened != ArchiveResult::kOk) {
    // A member that cannot be decoded in full (a damaged or cut-off gzip stream) is never
    // shown in part: its message says it cannot be expanded.
    bool damaged = IsDamage(opened);
    ResetDocument(damaged ? kCannotOpen : kUnsupported);
    Host().SetBusy(false);
    return damaged ? DocumentResult::kCannotOpen : DocumentResult::kUnsupported;
  }
  // Each member is a file of its own: its codes are detected afresh, not kept from the last one.
  return OpenDocument(nullptr, AutoDetect, AutoDetect);
}

bool DetectCodes(int kanjiChoice, int modeChoice) {
  Document& doc = TheDocument;
  std::unique_ptr<char[]> sample = NewArray<char>(kSampleSize + 1);
  if (!sample) return false;  // shown as Shift-JIS, an EUC, JIS or UTF-8 text would be garbage
  uint32_t wanted = doc.FileSize < kSampleSize ? doc.FileSize : kSampleSize;
  int got = doc.Source->Read(sample.get(), wanted);
  if (got < 0) return false;  // codes guessed from nothing would show the text wrongly
  uint32_t length = uint32_t(got);
  if (doc.Source->Seek(0, 0) != 0) return false;
  sample[length] = '\0';
  SetUtf16ByteOrder(Utf16SampleIsBigEndian(sample.get(), length));
  if (kanjiChoice == AutoDetect) {
    doc.KanjiCode = DetectKanjiCode(sample.get(), length);
    if (const char* message = DetectionMessage(doc.KanjiCode)) Host().ShowStatusMessage(message, 1);
  }
  if (modeChoice == AutoDetect) doc.DisplayMode = LooksBinary(sample.get(), length);
  return true;
}

void ResetDocument(const char* message) {
  Document& doc = TheDocument;
  FreeBlocks();
  if (!AllocateBlocks(kSpareBytes, kSpareBytes)) UseStaticEmptyBlocks();
  if (message) Host().ShowStatusMessage(message, 1);
  doc.RowCount = doc.LineCount = 0;
  doc.BytesLeft = 0;
  doc.FileSize = 0;
  if (doc.LineTable) doc.LineTable[0] = 0;
}

void CloseSources() {
  Document& doc = TheDocument;
  Host().CloseDocumentWindows();
  doc.Source.reset();  // the reader reads through the archive file: it goes first
  doc.ArchiveFile.reset();
}

void RefreshViews() {
  Host().RefreshTextWindow();
  Host().InvalidateTextWindow();
  char title[kFileNameSize + 32];
  std::snprintf(title, sizeof title, "%s - %s", kProgramTitle, TheDocument.FileName);
  Host().SetTitle(title);
}

namespace {

// A new kanji code or display mode: the text is loaded again from byte 0.
void ReloadWith(int32_t& setting, int value) {
  if (!TheDocument.Source) return;
  Host().SetBusy(true);
  setting = value;
  if (!RestartLoading()) ResetDocument(kCannotOpen);
  RefreshViews();
  Host().SetBusy(false);
}

}  // namespace

void SetKanjiCode(int code) { ReloadWith(TheDocument.KanjiCode, code); }
void SetDisplayMode(int mode) { ReloadWith(TheDocument.DisplayMode, mode); }
