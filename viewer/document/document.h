// The one document of the process: the shown file's bytes converted to Shift-JIS in one
// block (`Text`), and the row index over them (`LineTable`, 32-bit offsets into `Text`).
// Loading runs in idle time, 1024 bytes per LoadNextChunk; every view reads rows through
// RowStart and FormatRow and never keeps pointers across a reload.
#pragma once

#include <cstdint>
#include <memory>

#include "viewer/archive/archive_reader.h"
#include "viewer/document/memory_block.h"

constexpr int AutoDetect = 9;
constexpr uint32_t kLoadChunkSize = 1024;
// Room for a path of the platform's length limit (MAX_PATH); longer paths are refused.
constexpr int kFileNameSize = 260;
// FormatRow copies at most this many bytes; its output buffer must hold one more.
constexpr int kMaxRowBytes = 256;

struct Document {
  int32_t TopLine = 0;
  int32_t VScrollScale = 1;
  int32_t LeftColumn = 0;
  int32_t RowHeight = 1;
  int32_t Selection[4] = {-1, -1, -1, -1};  // anchor row, end row, anchor column, end column
  int32_t Dragging = 0;
  char FileName[kFileNameSize] = "(未表示)";
  uint32_t FileSize = 0;
  uint32_t BytesLeft = 0;
  std::unique_ptr<SourceReader> ArchiveFile;  // the archive container when a member is shown
  std::unique_ptr<SourceReader> Source;       // the bytes shown: the file or the open member
  int32_t SearchRow = 0;
  int32_t Marks[4] = {-1, -1, -1, -1};
  char* TextEnd = nullptr;
  char* PendingLineStart = nullptr;

  MemoryBlock TextHandle;
  MemoryBlock LineTableHandle;
  char* Text = nullptr;            // FileSize + 256 bytes
  uint32_t* LineTable = nullptr;   // entry n: offset of row n in Text
  int32_t LineCount = 0;
  int32_t RowCount = 0;
  int32_t DisplayMode = 0;         // 0 text, 1 binary
  int32_t KanjiCode = 0;           // 0 Shift-JIS, 1 EUC, 2 JIS, 3 UTF-8, 4 UTF-16

  // Where the row scan stands inside the pending row (it resumes there on the next chunk).
  char* ScanPosition = nullptr;
  int64_t ScanColumn = 0;
};

extern Document TheDocument;

// How an open ended.  Every failure has already been told to the user (the status bar) and
// left the document empty, showing nothing but that message.
enum class DocumentResult : uint8_t {
  kOk,
  kPathTooLong,   // longer than FileName holds
  kNotFound,      // no such file, or not a regular file
  kCannotOpen,    // the file or archive cannot be opened, or its first bytes cannot be read
  kTooLarge,      // more than memory (or 32-bit offsets) can hold
  kNoMemory,      // the text block cannot be allocated
  kUnsupported,   // the archive member cannot be unpacked
};

// Opens `path` (null: the Source already open) and starts loading it.
[[nodiscard]] DocumentResult OpenDocument(const char* path, int kanjiChoice, int modeChoice);
// Shows member `index` of the open archive.
[[nodiscard]] DocumentResult OpenArchiveMember(int index);
// Like OpenDocument with a path, but shows archive member `member` instead of the usual choice.
[[nodiscard]] DocumentResult OpenDocumentMember(const char* path, int member);
void SetKanjiCode(int code);
void SetDisplayMode(int mode);
int LoadNextChunk();
void LoadAll();
char* RowStart(int32_t n);
char* RowPointer(int32_t n, int32_t offset);
// Copies row n (text: up to the line end, the next row or 256 bytes; binary: the dump row)
// NUL-terminated into out (257 bytes).  Returns 1 when the row ends a line.
int FormatRow(int32_t n, char* out, int* length);
void ResetDocument(const char* message);
void CloseSources();
void RefreshViews();
// Back to byte 0 of the Source with no rows; false (nothing loaded) when the Source cannot seek.
[[nodiscard]] bool RestartLoading();
// Reads the first bytes and detects the codes chosen as AutoDetect; false when they cannot be
// read (or there is no memory to read them into).
[[nodiscard]] bool DetectCodes(int kanjiChoice, int modeChoice);

// Lists of NUL-terminated strings closed by an empty string.
char* ListEnd(char* list);
void ListRemoveFirst(char* list);
