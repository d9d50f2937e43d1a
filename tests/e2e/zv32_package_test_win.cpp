// End-to-end test of the Windows release archive: ZV32.EXE opens the archive scripts/package
// made (package\zv32-VERSION.zip beside the test, its members listed one a line in
// package\members.txt; both made by the fixture zv32_package_archive, release/package_test.sh),
// shows its README.TXT and lists every member in its own archive filer.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/zv32_session_win.h"
#include "zv_version.h"

using namespace e2e;

namespace {

constexpr char kArchFilerClass[] = "ZelkoView!ArchFiler";

std::string PackageDir() { return ExeDir() + "\\package"; }

std::vector<std::string> MemberNames() {
  std::vector<std::string> names;
  std::ifstream list(PackageDir() + "\\members.txt");
  for (std::string name; std::getline(list, name);)
    if (!name.empty()) names.push_back(name);
  return names;
}

// A line of another process's list box (list texts cross processes in UTF-16 under Wine; the
// member names here are ASCII).
std::wstring LineText(HWND list, int line) {
  wchar_t text[512] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, WPARAM(line), 0, SMTO_ABORTIFHUNG, 5000, &length) ||
      length >= std::size(text))
    return {};
  SendMessageTimeoutW(list, LB_GETTEXT, WPARAM(line), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                      &length);
  return text;
}

// Whether a line shows the member: the filer's line starts "L<stem>|L<extension>|", with the
// member's stored path ("LREADME|L.TXT|R    2162|...", "Lmanual/index|L.html|R...").
bool ShowsMember(const std::wstring& line, const std::string& path) {
  std::wstring name(path.begin(), path.end());
  size_t folder = name.rfind(L'/');
  size_t dot = name.find(L'.', folder == std::wstring::npos ? 0 : folder + 1);
  if (dot == std::wstring::npos) dot = name.size();
  return line.rfind(L"L" + name.substr(0, dot) + L"|L" + name.substr(dot) + L"|", 0) == 0;
}

bool Listed(HWND list, const std::string& name) {
  int count = int(Send(list, LB_GETCOUNT));
  for (int line = 0; line < count; ++line)
    if (ShowsMember(LineText(list, line), name)) return true;
  return false;
}

TEST(ReleaseArchive, OpensInTheArchiveFilerWithEveryMemberAndShowsTheReadMe) {
  std::vector<std::string> names = MemberNames();
  // Without the win32 build there is no archive; the fixture says so as a skipped test.
  if (names.empty()) GTEST_SKIP() << "no archive in " << PackageDir();
  ASSERT_GE(names.size(), 6u);
  DeleteSettingsKey();
  Viewer viewer(PackageDir() + "\\zv32-" ZV_VERSION_TEXT ".zip");
  ASSERT_NE(viewer.main(), nullptr);
  HWND filer = WaitForWindow(viewer.ProcessId(), kArchFilerClass, nullptr, 20000);
  ASSERT_NE(filer, nullptr) << "the archive filer did not open";
  HWND list = GetDlgItem(filer, IDC_ARCH_LIST);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return Send(list, LB_GETCOUNT) == LRESULT(names.size()); }, 10000))
      << "lines " << Send(list, LB_GETCOUNT) << ", members " << names.size();
  for (const std::string& name : names) EXPECT_TRUE(Listed(list, name)) << name;
  // The first member whose name begins with "READ" is the one shown, its line selected.
  EXPECT_TRUE(ShowsMember(LineText(list, int(Send(list, LB_GETCURSEL))), "README.TXT"));
  EXPECT_TRUE(WaitUntil([&] { return viewer.RowCount() > 20; }, 20000)) << viewer.Position();
  ShowAndSettle(viewer.main());
  EXPECT_FALSE(SaveScreenshot(viewer.main(), "zv32_package_readme").empty());
  ShowAndSettle(filer);
  EXPECT_FALSE(SaveScreenshot(filer, "zv32_package_filer").empty());
  Post(viewer.main(), WM_CLOSE);
  EXPECT_TRUE(viewer.WaitExit(10000));
}

}  // namespace
