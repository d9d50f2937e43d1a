// Test support for the document: a host that records everything the document shows, and
// helpers to write files and load them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "viewer/document/document.h"
#include "viewer/document/document_host.h"

class RecordingHost : public DocumentHost {
 public:
  std::vector<std::pair<std::string, int>> statusMessages;
  std::vector<std::string> errorBoxes;
  std::vector<std::string> titles;
  std::string positionText;
  int meter = -1;
  int busyDepth = 0;
  int busyUnderflows = 0;
  int refreshes = 0;
  int closedWindows = 0;
  std::vector<int> archiveFilers;
  RowOptions rows;  // what the document's row scan is given

  void ShowStatusMessage(const char* text, int priority) override { statusMessages.emplace_back(text, priority); }
  void SetBusy(bool on) override {
    busyDepth += on ? 1 : -1;
    if (busyDepth < 0) ++busyUnderflows;
  }
  void SetPositionText(const char* text) override { positionText = text; }
  void SetLoadMeter(int percent) override { meter = percent; }
  void RefreshTextWindow() override { ++refreshes; }
  void InvalidateTextWindow() override {}
  void SetTitle(const char* title) override { titles.emplace_back(title); }
  void ShowErrorBox(const char* text) override { errorBoxes.emplace_back(text); }
  void CloseDocumentWindows() override { ++closedWindows; }
  void OpenArchiveFiler(int member) override { archiveFilers.push_back(member); }
  RowOptions CurrentRowOptions() override { return rows; }

  bool Showed(const std::string& text) const {
    for (const auto& message : statusMessages) {
      if (message.first == text && message.second == 1) return true;
    }
    return false;
  }
};

// The row starts the rules of the row scan give, applied one byte at a time (the oracle for the
// fast scanner): row 0 and every row after it, without the end entry.
std::vector<uint32_t> ReferenceRowStarts(const std::string& text, int32_t lineMax, int32_t tabSize, bool controls);

// Installs a fresh RecordingHost, restores the default layout settings and closes any
// document left by an earlier test.
// A member of a test ZIP archive, stored (method 0) unless told otherwise.
struct StoredMember {
  std::string name;
  std::string data;
  uint16_t method = 0;  // 0 stored; anything else is refused by the reader
  bool badCrc = false;
};

// A ZIP archive of stored members, written the way every ZIP tool writes one.
std::string ZipOf(const std::vector<StoredMember>& members);
// A gzip file of `text` in stored deflate blocks, with the CRC-32 and length asked for.
std::string GzipOf(const std::string& text, uint32_t crc, uint32_t length);
// The same with the CRC-32 and length that belong to `text`.
std::string GzipOf(const std::string& text);

class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes `bytes` to a file in the temporary folder and returns its path.
  std::string WriteTemp(const std::string& name, const std::string& bytes);
  // Opens with automatic detection, loads everything, returns OpenDocument's result.
  DocumentResult OpenAndLoad(const std::string& path);
  // The text of every row, as FormatRow gives it.
  std::vector<std::string> Rows();

  RecordingHost host;
  std::vector<std::string> tempFiles;
};
