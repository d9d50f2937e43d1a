// Test support for the document (see the header).
#include <gtest/gtest.h>

#include "viewer/document/document_test_support.h"

#include <algorithm>
#include <cstdio>

#include "text/sjis.h"
#include "viewer/archive/zip_crc32.h"

namespace {

void Put16(std::string& out, uint32_t v) { out += char(v & 0xFF), out += char((v >> 8) & 0xFF); }
void Put32(std::string& out, uint32_t v) { Put16(out, v & 0xFFFF), Put16(out, v >> 16); }

}  // namespace

std::string GzipOf(const std::string& text, uint32_t crc, uint32_t length) {
  constexpr size_t kBlock = 65535;
  std::string b("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 10);
  for (size_t at = 0; at < text.size() || at == 0; at += kBlock) {
    size_t n = std::min(kBlock, text.size() - at);
    b += char(at + n >= text.size() ? 1 : 0);  // BFINAL on the last, stored
    Put16(b, uint32_t(n));
    Put16(b, ~uint32_t(n) & 0xFFFF);
    b.append(text, at, n);
  }
  Put32(b, crc);
  Put32(b, length);
  return b;
}

std::string GzipOf(const std::string& text) {
  return GzipOf(text, UpdateCrc32(0, text.data(), text.size()), uint32_t(text.size()));
}

std::string ZipOf(const std::vector<StoredMember>& members) {
  std::string body, directory;
  for (const StoredMember& m : members) {
    uint32_t crc = UpdateCrc32(0, m.data.data(), m.data.size()) ^ (m.badCrc ? 1u : 0u);
    uint32_t offset = uint32_t(body.size());
    auto common = [&](std::string& out) {
      Put16(out, 20), Put16(out, 0), Put16(out, m.method), Put16(out, 0), Put16(out, 0x5A21);
      Put32(out, crc), Put32(out, uint32_t(m.data.size())), Put32(out, uint32_t(m.data.size()));
      Put16(out, uint16_t(m.name.size())), Put16(out, 0);
    };
    Put32(body, 0x04034B50), common(body), body += m.name, body += m.data;
    Put32(directory, 0x02014B50), Put16(directory, 20), common(directory);
    Put16(directory, 0), Put16(directory, 0), Put16(directory, 0), Put32(directory, 0), Put32(directory, offset);
    directory += m.name;
  }
  std::string end;
  Put32(end, 0x06054B50), Put16(end, 0), Put16(end, 0);
  Put16(end, uint16_t(members.size())), Put16(end, uint16_t(members.size()));
  Put32(end, uint32_t(directory.size())), Put32(end, uint32_t(body.size()));
  Put16(end, 0);
  return body + directory + end;
}


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

std::vector<uint32_t> ReferenceRowStarts(const std::string& text, int32_t lineMax, int32_t tabSize, bool controls) {
  std::vector<uint32_t> starts;
  if (text.empty()) return starts;
  starts.push_back(0);
  int64_t wrap = lineMax < 1 ? 255 : lineMax, tab = std::max(tabSize, 1);  // 0: no wrapping
  size_t p = 0;
  int64_t c = 0;
  auto byte = [&](size_t i) { return i < text.size() ? uint8_t(text[i]) : uint8_t(0); };
  while (p < text.size()) {
    uint8_t b = byte(p);
    if (b == '\n') {
      starts.push_back(uint32_t(++p)), c = 0;
    } else if (b == '\r') {
      if (byte(++p) == '\n') ++p;
      starts.push_back(uint32_t(p)), c = 0;
    } else if (c >= wrap) {
      starts.push_back(uint32_t(p)), c = 0;
    } else if (b == '\t') {
      ++p, c = (c / tab + 1) * tab;
    } else if (IsSjisLead(b) && IsSjisTrail(byte(p + 1))) {
      p += 2, c += 2;
    } else {
      ++p, c += (controls && b < 0x20) ? 2 : 1;
    }
  }
  return starts;
}
