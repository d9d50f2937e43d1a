// End-to-end test of the Windows release archive: ZV32.EXE opens the archive scripts/package
// made (package\zv32-VERSION.zip beside the test, with the list of its members in
// package\members.txt, one name a line: the fixture release/package_e2e_setup.sh), shows its
// README.TXT and lists every member in its own archive filer.
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

// Whether a line of another process's list box starts with the ASCII `name` (list texts cross
// processes in UTF-16 under Wine).
bool LineStartsWith(HWND list, int line, const std::string& name) {
  wchar_t text[512] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, WPARAM(line), 0, SMTO_ABORTIFHUNG, 5000, &length) ||
      length >= std::size(text))
    return false;
  SendMessageTimeoutW(list, LB_GETTEXT, WPARAM(line), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                      &length);
  return std::wstring(text).rfind(std::wstring(name.begin(), name.end()), 0) == 0;
}

// Listed with either separator of folders.
bool Listed(HWND list, const std::string& name) {
  std::string windowsName = name;
  for (char& c : windowsName) c = c == '/' ? '\\' : c;
  int count = int(Send(list, LB_GETCOUNT));
  for (int line = 0; line < count; ++line)
    if (LineStartsWith(list, line, name) || LineStartsWith(list, line, windowsName)) return true;
  return false;
}

TEST(ReleaseArchive, OpensInTheArchiveFilerWithEveryMemberAndShowsTheReadMe) {
  std::vector<std::string> names = MemberNames();
  ASSERT_GE(names.size(), 6u) << "no member list in " << PackageDir() << " (release/package_e2e_setup.sh makes it)";
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
  // The first member whose name begins with "READ" is the one shown.
  EXPECT_TRUE(WaitUntil([&] { return viewer.Title().find("README.TXT") != std::string::npos; }, 10000))
      << viewer.Title();
  EXPECT_TRUE(WaitUntil([&] { return viewer.RowCount() > 20; }, 20000)) << viewer.Position();
  ShowAndSettle(viewer.main());
  EXPECT_FALSE(SaveScreenshot(viewer.main(), "zv32_package_readme").empty());
  ShowAndSettle(filer);
  EXPECT_FALSE(SaveScreenshot(filer, "zv32_package_filer").empty());
  Post(viewer.main(), WM_CLOSE);
  EXPECT_TRUE(viewer.WaitExit(10000));
}

}  // namespace
