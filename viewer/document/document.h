// The one document of the process: the shown file's bytes converted to Shift-JIS in one
// block (`Text`), and the row index over them (`LineTable`, 32-bit offsets into `Text`).
// Loading runs in idle time, 1024 bytes per LoadNextChunk; every view reads rows through
// RowStart and FormatRow and never keeps pointers across a reload.
#pragma once

#include <cstdint>
#include <memory>

#include "text/kanji_code.h"
#include "viewer/archive/archive_reader.h"
#include "viewer/document/memory_block.h"

constexpr int AutoDetect = 9;
constexpr uint32_t kLoadChunkSize = 1024;
// Room for a path of the platform's length limit (MAX_PATH); longer paths are refused.
constexpr int kFileNameSize = 260;
// FormatRow copies at most this many bytes; its output buffer must hold one more.
constexpr int kMaxRowBytes = 256;
// The text block holds this much more than the file's bytes (the scanners look past the text).
constexpr uint32_t kTextSpareBytes = 256;

// True when a file of `size` bytes fits in the memory available and in 32-bit row offsets.
[[nodiscard]] bool FitsInMemory(uint32_t size);

// Where loading stood at the end of the file before its last row and a character cut off by the
// end were closed: bytes appended to the file later are loaded from here, with the same
// converter state, as if they had been there from the start.
struct LoadEndPoint {
  bool valid = false;
  uint32_t textLength = 0;      // converted bytes before the closing
  uint32_t scanOffset = 0;      // the row scan's position
  uint32_t rowStartOffset = 0;  // the start of the unfinished row
  int64_t scanColumn = 0;
  int32_t lineCount = 0;
  KanjiConverterState converter;
  // A double-byte character's lead byte that ended the text, hidden from the rows by an append
  // until its trail byte comes (0: none; no lead byte is 0).
  char hiddenLead = 0;
};

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
  LoadEndPoint LoadEnd;
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
  kReplaced,      // the file shrank or is another file now: only loading it afresh shows it
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
// Loads the bytes a fully loaded file has gained, now that it holds `newSize` bytes, from where
// its load ended; nothing is read again and rows only grow.  kOk (also when there is nothing new,
// or the first load is still running), kReplaced (smaller than loaded, or the bytes cannot be
// read: load it afresh), kTooLarge or kNoMemory (the rows so far are kept and shown), kCannotOpen
// (not a file shown from the disk).  Views are not refreshed: see ShowLoadProgress.
[[nodiscard]] DocumentResult AppendToDocument(uint32_t newSize);
// The position text, the load meter and a refresh of the text window.
void ShowLoadProgress();
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
