// The document's converter: the kanji conversion of the text being loaded, with the document's
// KanjiCode and DisplayMode and one converter state for the whole load, and the binary test of
// a fresh file's sample.
#pragma once

#include <cstdint>

#include "text/kanji_code.h"

// The document's converter: uses its KanjiCode and DisplayMode and the process-wide state.
uint32_t ConvertChunk(char* data, uint32_t length);
uint32_t ConvertChunkTo(char* output, const char* input, uint32_t length);
uint32_t PendingEscapeBytes();
// True when loading keeps the bytes as they are (Shift-JIS shown as it is, or a binary file).
bool TextIsTheFilesBytes();
// Writes what an unfinished character at the end of the text leaves (see FinishKanji).
uint32_t FinishChunks(char* output);
void ResetConverter();
// The converter's state between chunks, kept where a load ends and given back when it resumes.
KanjiConverterState ConverterState();
void RestoreConverterState(const KanjiConverterState& state);
// The byte order ResetConverter gives UTF-16 text without a mark (DetectCodes sets it from the
// file's sample).
void SetUtf16ByteOrder(bool bigEndian);

// Converts the sample in place with the document's KanjiCode and returns 1 when more than
// 10 per cent of the converted bytes are control bytes.
int LooksBinary(char* sample, uint32_t length);
