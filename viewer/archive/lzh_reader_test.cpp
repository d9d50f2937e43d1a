// LzhReader: finding the archive behind a program (a stub of up to 1 MiB, method ids inside
// the program), seeking within, forward and backward across dictionary turns, the CRC check
// of a member's bytes, truncated members, a file that refuses a read, and CheckLzhArchive on files.
#include "viewer/archive/lzh_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "viewer/archive/archive_open.h"
#include "viewer/archive/extract_member.h"
#include "platform/file_api.h"
#include "viewer/archive/lzh_test_support.h"

namespace {

std::string Text(size_t size) {
  std::mt19937 random(42);
  std::string text(size, '\0');
  for (char& c : text) c = char('a' + random() % 26);
  return text;
}

TEST(LzhReader, FindsTheArchiveBehindAProgram) {
  std::string archive = StoredMember("README.TXT", "hi") + std::string(1, '\0');
  // A method id inside the program, not followed by a header, is passed over.
  std::string program = "MZ" + std::string(100, 'x') + "-lh5-" + std::string(50, 'y');
  for (size_t junk : {size_t(0), program.size(), size_t(LzhReader::kScanLimit - 1)}) {
    std::string stub = program.substr(0, std::min(junk, program.size()));
    stub.resize(junk + 2, 'z');
    MemoryReader file(stub + archive);
    LzhReader reader(&file);
    EXPECT_FALSE(reader.IsBad()) << junk;
    EXPECT_EQ(reader.MemberCount(), 1) << junk;
  }
  MemoryReader far(std::string(2 + LzhReader::kScanLimit, 'z') + archive);
  LzhReader farReader(&far);
  EXPECT_TRUE(farReader.IsBad());
  EXPECT_EQ(farReader.MemberCount(), 0);
  // A stub of several hundred kilobytes (a Windows self-extracting program), with a method id
  // that straddles the scan's block boundaries.
  std::string windowsStub = std::string(0x7FFE, 'z') + "-lh5-" + std::string(600000, 'w');
  MemoryReader windows(windowsStub + archive);
  LzhReader windowsReader(&windows);
  EXPECT_FALSE(windowsReader.IsBad());
  EXPECT_EQ(windowsReader.MemberCount(), 1);
  MemoryReader none(std::string(5000, 'z'));
  EXPECT_TRUE(LzhReader(&none).IsBad());
  EXPECT_TRUE(LzhReader(nullptr).IsBad());
}

// Refuses every read that starts at or after `refusedFrom`, as a disk that fails there.
class RefusingReader : public MemoryReader {
 public:
  RefusingReader(std::string bytes, int refusedFrom) : MemoryReader(std::move(bytes)), refusedFrom_(refusedFrom) {}
  int Read(void* buffer, uint32_t count) override {
    return Tell() >= refusedFrom_ ? -1 : MemoryReader::Read(buffer, count);
  }

 private:
  int refusedFrom_;
};

TEST(LzhReader, AReadRefusedAtAHeaderBreaksTheListInsteadOfEndingIt) {
  std::string first = std::string(2, '\0') + StoredMember("ONE.TXT", Text(1000));
  std::string archive = first + StoredMember("TWO.TXT", "second") + std::string(1, '\0');
  MemoryReader whole(archive);
  EXPECT_EQ(LzhReader(&whole).MemberCount(), 2);
  RefusingReader refusing(archive, int(first.size()));
  EXPECT_TRUE(LzhReader(&refusing).IsBad());
  // The end of the file is still an end.
  MemoryReader cut(first);
  LzhReader cutReader(&cut);
  EXPECT_FALSE(cutReader.IsBad());
  EXPECT_EQ(cutReader.MemberCount(), 1);
}

TEST(LzhReader, SeeksWithinForwardAndBackward) {
  std::string text = Text(30000);  // several turns of the 8 KiB dictionary of -lh0-
  MemoryReader file(std::string(2, '\0') + StoredMember("BIG.TXT", text) + std::string(1, '\0'));
  LzhReader reader(&file);
  ASSERT_EQ(reader.OpenMember(0), ArchiveResult::kOk);
  EXPECT_EQ(reader.Size(), 30000u);
  EXPECT_EQ(ReadAll(reader), text);
  EXPECT_EQ(reader.Tell(), 30000);
  EXPECT_EQ(reader.Seek(0, 0), 0);
  EXPECT_EQ(ReadAll(reader), text);
  EXPECT_EQ(reader.Seek(-10, 2), 29990);
  EXPECT_EQ(ReadAll(reader), text.substr(29990));
  EXPECT_EQ(reader.Seek(30001, 0), -1);
  EXPECT_EQ(reader.Seek(-1, 0), -1);
  ASSERT_EQ(reader.OpenMember(0), ArchiveResult::kOk);
  EXPECT_EQ(reader.Seek(12345, 0), 12345);
  EXPECT_EQ(reader.GetByte(), uint8_t(text[12345]));
  EXPECT_EQ(reader.Seek(-2, 1), 12344);
  char two[2];
  ASSERT_EQ(reader.Read(two, 2), 2);
  EXPECT_EQ(std::string(two, 2), text.substr(12344, 2));
  EXPECT_EQ(reader.Seek(100, 0), 100);  // before the dictionary: the member restarts
  EXPECT_EQ(ReadAll(reader), text.substr(100));
  EXPECT_EQ(reader.CheckMemberIntegrity(), ArchiveResult::kOk);
}

TEST(LzhReader, MemberCheckTellsGoodMismatchedAndTruncatedBytes) {
  std::string text = Text(5000);
  std::string bad = Level0Member("-lh0-", "BAD.TXT", text, 5000, uint16_t(Crc16Of(text) ^ 1));
  std::string cut = Level0Member("-lh0-", "CUT.TXT", text.substr(0, 100), 5000, Crc16Of(text));
  cut.replace(7, 4, Le32(5000));  // the packed size says more than the file holds
  MemoryReader file(std::string(2, '\0') + StoredMember("EMPTY", "") + bad + cut);
  LzhReader reader(&file);
  ASSERT_EQ(reader.MemberCount(), 3);
  ASSERT_EQ(reader.OpenMember(0), ArchiveResult::kOk);
  EXPECT_EQ(reader.CheckMemberIntegrity(), ArchiveResult::kOk);
  ASSERT_EQ(reader.OpenMember(1), ArchiveResult::kOk);
  EXPECT_EQ(ReadAll(reader), text);
  EXPECT_EQ(reader.CheckMemberIntegrity(), ArchiveResult::kCrcMismatch);
  ASSERT_EQ(reader.OpenMember(2), ArchiveResult::kOk);
  EXPECT_EQ(ReadAll(reader), text.substr(0, 100));
  EXPECT_EQ(reader.CheckMemberIntegrity(), ArchiveResult::kBroken);
  EXPECT_EQ(reader.Tell(), 100);
}

TEST(LzhReader, CheckLzhArchiveOnFiles) {
  ASSERT_TRUE(fileapi::MakeDirectory(ZV_TEST_DATA_DIR));
  std::string good = ZV_TEST_DATA_DIR "/sfx_good.exe";
  std::string plain = ZV_TEST_DATA_DIR "/sfx_plain.exe";
  std::string goodBytes = "MZ" + std::string(3000, 'x') + StoredMember("A.TXT", "a") + std::string(1, '\0');
  std::string plainBytes = "MZ" + std::string(3000, 'x');
  for (auto [path, bytes] : {std::pair{good, goodBytes}, std::pair{plain, plainBytes}}) {
    fileapi::Handle out = fileapi::Create(path.c_str());
    ASSERT_NE(out, fileapi::kInvalidHandle);
    ASSERT_EQ(fileapi::Write(out, bytes.data(), uint32_t(bytes.size())), int64_t(bytes.size()));
    fileapi::Close(out);
  }
  EXPECT_TRUE(CheckLzhArchive(good.c_str()));
  EXPECT_FALSE(CheckLzhArchive(plain.c_str()));
  EXPECT_FALSE(CheckLzhArchive(ZV_TEST_DATA_DIR "/no such file.exe"));
  EXPECT_EQ(ArchiveKindForPath(good.c_str()), ArchiveKind::kLzh);
  EXPECT_EQ(ArchiveKindForPath(plain.c_str()), ArchiveKind::kNone);
}

// Extracting a member checks its CRC: a mismatch is a failure and leaves no file behind.
TEST(LzhReader, ExtractionFailsAndDeletesTheFileWhenTheCrcDiffers) {
  ASSERT_TRUE(fileapi::MakeDirectory(ZV_TEST_DATA_DIR));
  MemoryReader file(std::string(2, '\0') + StoredMember("GOOD.TXT", "intact") +
                    Level0Member("-lh0-", "BAD.TXT", "damaged", 7, Crc16Of("damaged") ^ 1) + std::string(1, '\0'));
  LzhReader reader(&file);
  std::string path = ZV_TEST_DATA_DIR "/crc_member.txt";
  ASSERT_EQ(reader.OpenMember(0), ArchiveResult::kOk);
  EXPECT_EQ(ExtractArchiveMemberToFile(reader, path.c_str(), nullptr), ArchiveResult::kOk);
  EXPECT_TRUE(fileapi::IsRegularFile(path.c_str()));
  ASSERT_EQ(reader.OpenMember(1), ArchiveResult::kOk);
  EXPECT_EQ(ExtractArchiveMemberToFile(reader, path.c_str(), nullptr), ArchiveResult::kCrcMismatch);
  EXPECT_FALSE(fileapi::IsRegularFile(path.c_str()));
}

// A MacLHA member (made on a Mac, OS id "m") stored as MacBinary: the header and the resource
// fork are not part of the content, and the CRC still checks the whole stored bytes.
TEST(LzhReader, MacBinaryMembersDeliverTheirDataFork) {
  std::string text = "Mac text\r";
  std::string header(128, '\0');
  header[1] = 5;
  header.replace(2, 5, "hello");
  header.replace(65, 8, "TEXTttxt");
  header.replace(83, 4, std::string{0, 0, 0, char(text.size())});
  header.replace(87, 4, std::string{0, 0, 0, 3});
  std::string stored = header + text + std::string(128 - text.size(), '\0') + "rsc";
  std::string mac = Level1Member("-lh0-", "hello", {}, stored, uint32_t(stored.size()), Crc16Of(stored), 'm');
  // The same bytes from another system, and a Mac member whose header does not fit its size.
  std::string other = Level1Member("-lh0-", "plain", {}, stored, uint32_t(stored.size()), Crc16Of(stored), 'U');
  std::string shortStored = header + "Mac";
  std::string damaged =
      Level1Member("-lh0-", "short", {}, shortStored, uint32_t(shortStored.size()), Crc16Of(shortStored), 'm');
  MemoryReader file(std::string(2, '\0') + mac + other + damaged + std::string(1, '\0'));
  LzhReader reader(&file);
  ASSERT_EQ(reader.MemberCount(), 3);
  ASSERT_EQ(reader.OpenMember(0), ArchiveResult::kOk);
  EXPECT_EQ(reader.Size(), text.size());
  EXPECT_EQ(reader.Tell(), 0);
  EXPECT_EQ(ReadAll(reader), text);
  EXPECT_EQ(reader.Seek(4, 0), 4);
  EXPECT_EQ(ReadAll(reader), text.substr(4));
  EXPECT_EQ(reader.Seek(-2, 2), int(text.size()) - 2);
  EXPECT_EQ(reader.GetByte(), uint8_t(text[text.size() - 2]));
  EXPECT_EQ(reader.CheckMemberIntegrity(), ArchiveResult::kOk);
  EXPECT_EQ(reader.Tell(), int(text.size()) - 1);
  ASSERT_EQ(reader.OpenMember(1), ArchiveResult::kOk);
  EXPECT_EQ(ReadAll(reader), stored);
  ASSERT_EQ(reader.OpenMember(2), ArchiveResult::kOk);
  EXPECT_EQ(ReadAll(reader), shortStored);
}

}  // namespace
