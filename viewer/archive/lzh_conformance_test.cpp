// Conformance with real archives written by LHA programs of several systems: every archive of
// testdata/lzh lists the members its "-hdr.txt" file names (path, method, sizes), and every
// member of a supported method decodes to its original size with the stored CRC-16.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "viewer/archive/file_reader.h"
#include "viewer/archive/lzh_conformance_list.h"
#include "viewer/archive/lzh_crc16.h"
#include "viewer/archive/lzh_reader.h"
#include "viewer/archive/lzh_test_support.h"

namespace {

struct ExpectedMember {
  std::string path;  // "/" between parts
  std::string method;
  uint32_t packed = 0;
  uint32_t original = 0;
  uint16_t crc = 0;
};

std::string Field(const std::string& line, const char* key) {
  size_t n = std::strlen(key);
  return line.compare(0, n, key) == 0 ? line.substr(n) : std::string();
}

std::vector<ExpectedMember> ReadExpected(const std::string& file) {
  std::vector<ExpectedMember> members(1);
  std::string directory, name, target;
  std::ifstream in(file);
  std::string line;
  auto finish = [&] {
    members.back().path = directory + name + (target.empty() ? "" : "|" + target);
    directory.clear(), name.clear(), target.clear();
  };
  while (std::getline(in, line)) {
    ExpectedMember& m = members.back();
    if (line == "--") {
      finish();
      members.emplace_back();
    } else if (line.rfind("path: ", 0) == 0) {
      directory = Field(line, "path: ");
    } else if (line.rfind("filename: ", 0) == 0) {
      name = Field(line, "filename: ");
    } else if (line.rfind("symlink_target: ", 0) == 0) {
      target = Field(line, "symlink_target: ");
    } else if (line.rfind("compress_method: ", 0) == 0) {
      m.method = Field(line, "compress_method: ");
    } else if (line.rfind("compressed_length: ", 0) == 0) {
      m.packed = uint32_t(std::strtoul(Field(line, "compressed_length: ").c_str(), nullptr, 10));
    } else if (line.rfind("length: ", 0) == 0) {
      m.original = uint32_t(std::strtoul(Field(line, "length: ").c_str(), nullptr, 10));
    } else if (line.rfind("crc: ", 0) == 0) {
      m.crc = uint16_t(std::strtoul(Field(line, "crc: ").c_str(), nullptr, 16));
    }
  }
  finish();
  if (members.back().method.empty()) members.pop_back();
  return members;
}

// The path with "/" between the parts and in lower case (the expected lists lower-case the
// names of MS-DOS archives).
std::string Comparable(std::string path) {
  for (char& c : path) {
    c = c == '\\' ? '/' : c;
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  }
  return path;
}

void CheckArchive(const std::string& archive, const std::vector<ExpectedMember>& expected) {
  SCOPED_TRACE(archive);
  FileReader file(archive.c_str(), 0);
  LzhReader reader(&file);
  ASSERT_FALSE(reader.IsBad());
  ASSERT_EQ(reader.MemberCount(), int(expected.size()));
  for (int i = 0; i < reader.MemberCount(); ++i) {
    const ExpectedMember& want = expected[size_t(i)];
    SCOPED_TRACE(want.path);
    ArchiveEntry entry;
    ASSERT_EQ(reader.GetEntry(i, entry), ArchiveResult::kOk);
    EXPECT_EQ(Comparable(entry.path), Comparable(want.path));
    bool amigaDirectory = want.method == "-lhd-" && std::string(entry.methodLabel) == "-lh0-";
    if (!amigaDirectory) {
      EXPECT_EQ(std::string(entry.methodLabel), want.method);
    }
    EXPECT_EQ(entry.compressedSize, want.packed);
    EXPECT_EQ(entry.originalSize, want.original);
    if (want.method == "-lhd-") {
      EXPECT_EQ(reader.OpenMember(i), amigaDirectory ? ArchiveResult::kOk : ArchiveResult::kUnsupportedMethod);
      continue;
    }
    ASSERT_EQ(reader.OpenMember(i), ArchiveResult::kOk);
    std::string bytes = ReadAll(reader);
    EXPECT_EQ(bytes.size(), want.original);
    EXPECT_EQ(LzhCrc16Update(0, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), want.crc);
    EXPECT_EQ(reader.CheckMemberIntegrity(), ArchiveResult::kOk);
  }
}

TEST(LzhConformance, EveryArchiveListsAndDecodesAsItsLhaMade) {
  int archives = 0;
  for (const char* listed : kLzhConformanceFiles) {
    std::string expected = std::string(ZV_LZH_TESTDATA) + "/" + listed;
    std::string archive = expected.substr(0, expected.size() - std::strlen("-hdr.txt"));
    // The Amiga self-extracting program carries its usage text as an LZH member closed by an
    // end mark before the real archive; the reader, as LZH readers do, stops at that mark.
    if (archive.find("amiga_122/sfx.run") != std::string::npos) {
      FileReader file(archive.c_str(), 0);
      LzhReader reader(&file);
      ArchiveEntry entry;
      ASSERT_EQ(reader.GetEntry(0, entry), ArchiveResult::kOk);
      EXPECT_STREQ(entry.path, "SFXUsage.txt");
      continue;
    }
    CheckArchive(archive, ReadExpected(expected));
    ++archives;
  }
  EXPECT_GE(archives, 70);
}

}  // namespace
