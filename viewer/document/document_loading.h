// The loader's steps that appending to a loaded document shares with the first load.
#pragma once

#include "viewer/document/document.h"

// The error box of a read that fails while loading.
constexpr char kReadStoppedMessage[] = "ファイルが読み込めません!これ以上の読み込みを中止します";

// Reads, converts and scans one chunk of at most `size` bytes, showing nothing.  At the
// file's end it remembers the LoadEndPoint and closes the rows.  kOk; kCannotOpen when the read
// fell short (what arrived is converted); kNoMemory when the row table cannot grow.
[[nodiscard]] DocumentResult LoadChunk(uint32_t size = kLoadChunkSize);
// The last rows after the final byte: scans to the end and closes the table with its end entry.
void FinishRows();
// Tells the user when the archive member just read to its end fails the archive's check.
void ReportMemberIntegrity();
// Puts the text end, the row scan and the converter back where the LoadEndPoint says.
void ResumeAtLoadEnd();
