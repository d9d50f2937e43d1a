// zv32_filer_timing: how fast Zelko Filer lists a large folder and notices a new file, for
// the benchmarks.
//   zv32_filer_timing FOLDER
// Starts ZV32.EXE on FOLDER (the filer opens with every file type listed, sorted by name) and
// prints one figure a line ("name value", milliseconds; "n/a" when it could not be had):
//   items             the list's item count once filled
//   refresh_name_ms   WM_ZV_REFRESH sent to the filer until the list has painted, by name
//   refresh_size_ms   the same, sorted by size
//   change_ms         a file created in FOLDER until the list holds one item more
// Each refresh figure is the best of three.  The settings key is deleted first and written
// with the filer's flags.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "tests/e2e/e2e_driver_win.h"
#include "bench/timing_support_win.h"
#include "viewer/resources/zv32_ids.h"

using namespace e2e;

namespace {

constexpr char kSettingsKey[] = "Software\\Plim\\ZelkoView";
constexpr char kFlagsByName[] = "11111111011000FFF010111111";  // name sort, type filter, all columns
constexpr UINT kRefresh = 1124;
constexpr int kListId = IDC_FILER_LIST;
constexpr int kSizeButton = 123;

void Figure(const char* name, double value) {
  if (value < 0) std::printf("%s n/a\n", name);
  else std::printf("%s %.0f\n", name, value);
}

// WM_ZV_REFRESH until the list has painted; the best of three.
double TimeRefresh(HWND filer, HWND list) {
  double best = -1;
  for (int i = 0; i < 3; ++i) {
    double start = NowMs();
    SendPatiently(filer, kRefresh, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_UPDATENOW);
    SendPatiently(list, WM_NULL);
    double elapsed = NowMs() - start;
    if (best < 0 || elapsed < best) best = elapsed;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: zv32_filer_timing FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
  {
    win::RegistryKey key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, key.Receive(), nullptr);
    RegSetValueExA(key, "BooleanOption", 0, REG_SZ, reinterpret_cast<const BYTE*>(kFlagsByName),
                   sizeof kFlagsByName);
  }

  Program viewer("ZV32.EXE \"" + folder + "\"", {}, false);
  HWND filer = WaitForWindow(viewer.Id(), "ZelkoView!Filer", nullptr, 60000);
  HWND list = filer ? GetDlgItem(filer, kListId) : nullptr;
  int items = -1;
  if (list) {
    WaitUntil([&] { return SendPatiently(list, LB_GETCOUNT) > 100; }, 60000);
    items = int(SendPatiently(list, LB_GETCOUNT));
  }
  Figure("items", items);
  Figure("refresh_name_ms", list ? TimeRefresh(filer, list) : -1);
  if (list) {
    ClickCentre(GetDlgItem(filer, kSizeButton));
    Pause(500);
  }
  Figure("refresh_size_ms", list ? TimeRefresh(filer, list) : -1);

  double change = -1;
  if (list) {
    int before = int(SendPatiently(list, LB_GETCOUNT));
    std::string path = folder + "\\zz-new-file.txt";
    double start = NowMs();
    win::Handle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (WaitUntil([&] { return int(SendPatiently(list, LB_GETCOUNT)) > before; }, 20000)) change = NowMs() - start;
    DeleteFileA(path.c_str());
  }
  Figure("change_ms", change);
  std::fflush(stdout);
  if (filer) PostMessageA(GetParent(filer) ? GetParent(filer) : filer, WM_NULL, 0, 0);
  viewer.Kill();
  return 0;
}
