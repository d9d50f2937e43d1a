// Test support for the document (see the header).
#include <gtest/gtest.h>

#include "viewer/document/document_test_support.h"

#include <cstdio>


void DocumentTest::SetUp() {
  SetDocumentHost(&host);
  CloseSources();
  ResetDocument(nullptr);
  TheDocument.KanjiCode = 0;
  TheDocument.DisplayMode = 0;
  host = RecordingHost();
}

void DocumentTest::TearDown() {
  CloseSources();
  ResetDocument(nullptr);
  SetDocumentHost(nullptr);
  for (const auto& path : tempFiles) std::remove(path.c_str());
}

std::string DocumentTest::WriteTemp(const std::string& name, const std::string& bytes) {
  std::string path = std::string(::testing::TempDir()) + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  tempFiles.push_back(path);
  return path;
}

DocumentResult DocumentTest::OpenAndLoad(const std::string& path) {
  DocumentResult result = OpenDocument(path.c_str(), AutoDetect, AutoDetect);
  LoadAll();
  return result;
}

std::vector<std::string> DocumentTest::Rows() {
  std::vector<std::string> rows;
  char buffer[kMaxRowBytes + 1];
  for (int32_t n = 0; n < TheDocument.RowCount; ++n) {
    int length = 0;
    FormatRow(n, buffer, &length);
    rows.emplace_back(buffer, size_t(length));
  }
  return rows;
}
