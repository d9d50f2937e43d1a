// End-to-end tests of printing from ZV32.EXE under Wine: the message when there is no
// printer, the print set-up dialog's margins, options and spins (with a picture), a real job
// on a PostScript printer whose output goes to a file (its pages and texts are checked again
// from outside, see print_job_check.sh), a Japanese job, and a cancelled job that leaves no
// output.  Each test
// starts from a deleted settings key.
#include <windows.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/e2e/test_printer_win.h"
#include "tests/e2e/zv32_session_win.h"
#include "viewer/resources/zv32_ids.h"

using namespace e2e;

namespace {

constexpr char kDialogClass[] = "PlimDialog";
constexpr char kMessageBoxClass[] = "#32770";
constexpr char kSetUpTitle[] = "印刷の設定";
constexpr int kFontNameList = cmb1;  // the font dialog's face list
constexpr int kFontSizeList = 1138;
constexpr int kPrintedRows = 149;  // and the empty row after the last line end

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteSettingsKey(); }
};

// Each test prints into a file of its own ("job.ps" is read again after the suite).
class PrinterTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const char* name = test->name();
    jobPath = PrintJobPath(std::strstr(name, "Cancelled")     ? "cancelled.ps"
                           : std::strstr(name, "Preselected") ? "japanese-preselected.ps"
                           : std::strstr(name, "Western")     ? "japanese-western.ps"
                           : std::strstr(name, "Japanese")    ? "japanese.ps"
                                                              : "job.ps");
    DeleteFileA(jobPath.c_str());
    std::string error;
    ASSERT_TRUE(InstallTestPrinter(jobPath, error)) << error;
  }
  void TearDown() override { RemoveTestPrinter(); }
  std::string jobPath;
};

// The smallest margins (mm) the test printer allows: left, top, bottom.
void PrinterBorder(int border[3]) {
  win::DeviceContext dc(CreateTestPrinterDC());
  ASSERT_TRUE(dc);
  int offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX), offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  int width = GetDeviceCaps(dc, HORZRES), height = GetDeviceCaps(dc, VERTRES);
  border[0] = MulDiv(offsetX, GetDeviceCaps(dc, HORZSIZE), width);
  border[1] = MulDiv(offsetY, GetDeviceCaps(dc, VERTSIZE), height);
  border[2] = MulDiv(GetDeviceCaps(dc, PHYSICALHEIGHT) - offsetY - height, GetDeviceCaps(dc, VERTSIZE), height);
}

HWND OpenSetUp(const Viewer& viewer) {
  viewer.Command(IDM_PRINT);
  return WaitForWindow(viewer.ProcessId(), kDialogClass, kSetUpTitle, 15000);
}

std::string Field(HWND dialog, int id) { return Text(Item(dialog, id)); }
bool Checked(HWND dialog, int id) { return Send(Item(dialog, id), BM_GETCHECK) == BST_CHECKED; }

// One press on the lower half of a spin, held a little (the spin steps when the press has
// reached its queue, and repeats only after 400 ms).
void SpinDown(HWND spin) {
  RECT r{};
  GetClientRect(spin, &r);
  MouseDown(spin, r.right / 2, r.bottom * 3 / 4);
  Pause(100);
  MouseUp(spin, r.right / 2, r.bottom * 3 / 4);
}

// Chooses the first entry of one of the font dialog's lists that is `entry` (or, with
// `prefix`, that begins with it) as a user would.
void ChooseListEntry(HWND dialog, int id, const char* entry, bool prefix = false) {
  HWND list = Item(dialog, id);
  LRESULT index = Send(list, prefix ? CB_FINDSTRING : CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(entry));
  ASSERT_NE(index, CB_ERR) << entry;
  Send(list, CB_SETCURSEL, WPARAM(index));
  Send(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(list));
}

// "SpaceR" with margins of 10 mm, the file name and the page number; "PrinterFont" Courier.
void StoreJobSettings() {
  WriteBinarySetting("SpaceR", std::string("\x0a\x0a\x0a\x03", 4));
  LOGFONTA font{};
  font.lfHeight = -16;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = ANSI_CHARSET;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  std::strcpy(font.lfFaceName, "Courier");
  WriteBinarySetting("PrinterFont", std::string(reinterpret_cast<const char*>(&font), 60));
}

std::string JobRows(int count) {
  std::string text;
  char line[64];
  for (int i = 1; i <= count; ++i) {
    std::snprintf(line, sizeof line, "row %03d of %d: printed text\r\n", i, count);
    text += line;
  }
  return text;
}

// Starts the job with Courier 12 pt from an open set-up dialog.
void StartJob(HWND dialog) {
  ChooseListEntry(dialog, kFontNameList, "Courier");
  ChooseListEntry(dialog, kFontSizeList, "12");
  Post(dialog, WM_COMMAND, IDOK);
}

// The job file once the spooler has finished writing it.
std::string FinishedJob(const std::string& path, DWORD timeoutMs) {
  std::string job, last;
  bool exists = false;
  WaitUntil([&] {
    last = job;
    job = ReadFileBytes(path, &exists);
    Pause(300);
    return exists && !job.empty() && job == last && job.find("%%EOF") != std::string::npos;
  }, timeoutMs);
  return job;
}

int CountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

}  // namespace

TEST_F(PrintTest, WithoutAPrinterTheCommandSaysSo) {
  RemoveTestPrinter();
  Viewer viewer(WriteTestFile("no-printer.txt", JobRows(5)));
  ASSERT_NE(viewer.main(), nullptr);
  viewer.Command(IDM_PRINT);
  HWND box = WaitForWindow(viewer.ProcessId(), kMessageBoxClass, "Zelko View 32", 15000);
  ASSERT_NE(box, nullptr);
  EXPECT_NE(MessageBoxText(box).find("プリンタが見つかりません"), std::string::npos) << MessageBoxText(box);
  Post(box, WM_COMMAND, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
  std::string bytes;
  EXPECT_FALSE(ReadSetting("SpaceR", bytes));
  EXPECT_FALSE(ReadSetting("PrinterFont", bytes));
}

TEST_F(PrinterTest, SetUpDialogStartsAtThePrinterBorderAndItsSpinsStopThere) {
  int border[3];
  PrinterBorder(border);
  Viewer viewer(WriteTestFile("setup.txt", JobRows(5)));
  ASSERT_NE(viewer.main(), nullptr);
  HWND dialog = OpenSetUp(viewer);
  ASSERT_NE(dialog, nullptr);
  const int fields[] = {IDC_PRINT_LEFT, IDC_PRINT_TOP, IDC_PRINT_BOTTOM};
  const int spins[] = {IDC_PRINT_LEFT_SPIN, IDC_PRINT_TOP_SPIN, IDC_PRINT_BOTTOM_SPIN};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Field(dialog, fields[i]), std::to_string(border[i])) << i;
  EXPECT_FALSE(Checked(dialog, IDC_PRINT_FILE_NAME));
  EXPECT_FALSE(Checked(dialog, IDC_PRINT_PAGE_NUMBER));
  EXPECT_EQ(Text(Item(dialog, IDC_PRINT_SAYING)), "※72pt=25mm");
  ShowAndSettle(dialog);
  EXPECT_FALSE(SaveScreenshot(dialog, "zv32_print_dialog").empty());
  // Down from two above the border: the presses step down to the border and no further.
  for (int i = 0; i < 3; ++i) {
    SetText(Item(dialog, fields[i]), std::to_string(border[i] + 2));
    SpinDown(Item(dialog, spins[i]));
    EXPECT_EQ(Field(dialog, fields[i]), std::to_string(border[i] + 1)) << i;
    for (int press = 0; press < 2; ++press) SpinDown(Item(dialog, spins[i]));
    EXPECT_EQ(Field(dialog, fields[i]), std::to_string(border[i])) << i;
  }
  // Cancel stores nothing.
  Post(dialog, WM_COMMAND, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  std::string bytes;
  EXPECT_FALSE(ReadSetting("SpaceR", bytes));
  EXPECT_FALSE(ReadSetting("PrinterFont", bytes));
}

TEST_F(PrinterTest, AJobPrintsEveryRowWithFileNameAndPageNumbers) {
  StoreJobSettings();
  std::string file = WriteTestFile("print-job.txt", JobRows(kPrintedRows));
  Viewer viewer(file);
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(kPrintedRows + 1)) << viewer.Position();
  HWND dialog = OpenSetUp(viewer);
  ASSERT_NE(dialog, nullptr);
  // The stored margins and options come back.
  EXPECT_EQ(Field(dialog, IDC_PRINT_LEFT), "10");
  EXPECT_EQ(Field(dialog, IDC_PRINT_TOP), "10");
  EXPECT_EQ(Field(dialog, IDC_PRINT_BOTTOM), "10");
  EXPECT_TRUE(Checked(dialog, IDC_PRINT_FILE_NAME));
  EXPECT_TRUE(Checked(dialog, IDC_PRINT_PAGE_NUMBER));
  StartJob(dialog);
  std::string job = FinishedJob(jobPath, 60000);
  ASSERT_FALSE(job.empty()) << "no job in " << jobPath;
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(viewer.main()) != FALSE; }, 10000));
  // 10 mm margins, a 12 pt line of 50 dots at 300 dpi, a line each for the name and the
  // number: 63 rows a page, so 150 rows make three pages.
  EXPECT_EQ(CountOf(job, "\n%%Page: "), 3);
  EXPECT_NE(job.find("/Courier findfont"), std::string::npos);
  std::string stored;
  ASSERT_TRUE(ReadSetting("PrinterFont", stored));
  EXPECT_STREQ(reinterpret_cast<const LOGFONTA*>(stored.data())->lfFaceName, "Courier");
}

TEST_F(PrinterTest, AJapaneseJobPrintsItsKanjiInAJapaneseFont) {
  std::string file = WriteTestFile("japanese-job.txt", NumberedLines(30));
  Viewer viewer(file);
  ASSERT_NE(viewer.main(), nullptr);
  ASSERT_TRUE(viewer.WaitRows(31)) << viewer.Position();
  HWND dialog = OpenSetUp(viewer);
  ASSERT_NE(dialog, nullptr);
  // The first font whose name begins with "IPA" (Debian's Japanese fonts).
  ChooseListEntry(dialog, kFontNameList, "IPA", true);
  Post(dialog, WM_COMMAND, IDOK);
  std::string job = FinishedJob(jobPath, 60000);
  ASSERT_FALSE(job.empty()) << "no job in " << jobPath;
  EXPECT_EQ(CountOf(job, "\n%%Page: "), 1);
  // The Japanese font goes into the job (a picture of the page is made from outside).
  EXPECT_NE(job.find("/IPA"), std::string::npos);
  EXPECT_EQ(FindTopWindow(viewer.ProcessId(), kMessageBoxClass), nullptr);
  // The set-up's OK stored the printer's border as the margins, with both options off.
  std::string spaceR;
  ASSERT_TRUE(ReadSetting("SpaceR", spaceR));
  int border[3];
  PrinterBorder(border);
  EXPECT_EQ(spaceR, std::string({char(border[0]), char(border[1]), char(border[2]), '\0'}));
}

// Prints a Japanese file with the face the set-up dialog shows, or with `face` chosen from its
// list; the job as the printer received it.
std::string PrintJapaneseJob(const std::string& jobPath, const char* face, std::string* shownFace,
                             const char* fileName = "japanese-job.txt") {
  Viewer viewer(WriteTestFile(fileName, NumberedLines(30)));
  if (!viewer.main() || !viewer.WaitRows(31)) return {};
  HWND dialog = OpenSetUp(viewer);
  if (!dialog) return {};
  if (face) ChooseListEntry(dialog, kFontNameList, face);
  *shownFace = Text(Item(dialog, kFontNameList));
  Post(dialog, WM_COMMAND, IDOK);
  std::string job = FinishedJob(jobPath, 60000);
  WaitUntil([&] { return IsWindowEnabled(viewer.main()) != FALSE; }, 10000);
  return job;
}

std::string StoredPrinterFace() {
  std::string stored;
  if (!ReadSetting("PrinterFont", stored) || stored.size() < sizeof(LOGFONTA)) return {};
  return reinterpret_cast<const LOGFONTA*>(stored.data())->lfFaceName;
}

TEST_F(PrinterTest, AJapaneseJobInThePreselectedFaceKeepsItsKanji) {
  // With no printer font stored, the dialog offers a Japanese face (Debian's IPA fonts).
  std::string shown;
  std::string job = PrintJapaneseJob(jobPath, nullptr, &shown);
  ASSERT_FALSE(job.empty()) << "no job in " << jobPath;
  EXPECT_EQ(shown.rfind("IPA", 0), 0u) << shown;
  EXPECT_NE(job.find("/IPA"), std::string::npos);
  EXPECT_EQ(StoredPrinterFace(), shown);
}

TEST_F(PrinterTest, AJapaneseJobInAWesternFacePrintsItsKanjiInAJapaneseOne) {
  // With the file name printed: a Japanese name, its kanji in the Japanese face as well.
  WriteBinarySetting("SpaceR", std::string("\x0a\x0a\x0a\x01", 4));
  std::string shown;
  std::string job = PrintJapaneseJob(jobPath, "Courier", &shown, "印刷の見本.txt");
  ASSERT_FALSE(job.empty()) << "no job in " << jobPath;
  EXPECT_EQ(shown, "Courier");
  // The digits and the colon in Courier, the rest in the Japanese face.
  EXPECT_NE(job.find("/Courier"), std::string::npos);
  EXPECT_NE(job.find("/IPA"), std::string::npos);
  EXPECT_EQ(StoredPrinterFace(), "Courier");  // what the dialog shows next time
  // The name, last on the page: its folders in Courier up to the last "\", then the kanji in
  // the Japanese face, then ".txt" in Courier again (not Shift-JIS bytes as Courier's glyphs).
  const size_t page = job.rfind("showpage");
  ASSERT_NE(page, std::string::npos);
  const size_t folders = job.rfind("/backslash glyphshow", page);
  ASSERT_NE(folders, std::string::npos);
  const size_t kanji = job.find("/IPA", folders);
  EXPECT_LT(kanji, page);
  const size_t extension = job.find("/x glyphshow", kanji);
  EXPECT_LT(extension, page);
  EXPECT_NE(job.rfind("/Courier", extension), std::string::npos);
  EXPECT_GT(job.rfind("/Courier", extension), kanji);
}

TEST_F(PrinterTest, ACancelledJobLeavesNoOutput) {
  StoreJobSettings();
  Viewer viewer(WriteTestFile("long-job.txt", JobRows(40000)));
  ASSERT_NE(viewer.main(), nullptr);
  HWND dialog = OpenSetUp(viewer);
  ASSERT_NE(dialog, nullptr);
  StartJob(dialog);
  HWND progress = WaitForWindow(viewer.ProcessId(), kDialogClass, "印刷", 60000);
  ASSERT_NE(progress, nullptr);
  EXPECT_FALSE(IsWindowEnabled(viewer.main()));
  // Cancelled in the middle of the job: some rows have gone to the printer already.
  HWND meter = Item(progress, IDC_ABORT_METER);
  EXPECT_TRUE(WaitUntil([&] { return Send(meter, BM_GETSTATE) > 0; }, 30000));
  Post(progress, WM_COMMAND, IDC_OK);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 30000));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(viewer.main()) != FALSE; }, 5000));
  // A cancel is no failure: no message box follows.
  Pause(2000);
  EXPECT_EQ(FindTopWindow(viewer.ProcessId(), kMessageBoxClass), nullptr);
  bool exists = true;
  ReadFileBytes(jobPath, &exists);
  EXPECT_FALSE(exists) << "a cancelled job was printed";
}
