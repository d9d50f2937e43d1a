// Test helpers for the kanji converters: conversion chunk by chunk the way the loader does it,
// and a whole file's bytes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "text/kanji_code.h"

// Each chunk is appended after the output so far and the room the held bytes need; the end of
// the text is finished.  Fails the test when the output passes the input.
inline std::string ConvertInChunks(int code, const std::string& input, size_t chunk, bool bigEndian = false) {
  std::string buffer(input.size() + 8, '\0');
  KanjiConverterState state;
  state.BigEndian = bigEndian;
  size_t end = 0;
  for (size_t at = 0; at < input.size(); at += chunk) {
    size_t n = std::min(chunk, input.size() - at);
    char* place = buffer.data() + end + PendingEscapeBytes(state);
    input.copy(place, n, at);
    end += ConvertKanji(state, code, buffer.data() + end, place, uint32_t(n));
    EXPECT_LE(end, at + n) << "the output passed the input at chunk size " << chunk;
  }
  end += FinishKanji(state, code, buffer.data() + end);
  return buffer.substr(0, end);
}

// The bytes of a file; empty when it cannot be read.
inline std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  char buffer[65536];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  std::fclose(f);
  return bytes;
}
