// zv32_snapshot: shows a file in ZV32.EXE, waits until it is loaded and the window has
// settled, saves a picture of the window as screenshots\NAME.png beside the program and
// closes the viewer.  run.sh uses it when there is no display to show the viewer on.
//   zv32_snapshot NAME [FILE]
#include <cstdio>
#include <string>

#include "tests/e2e/e2e_driver_win.h"
#include "tests/e2e/zv32_windows_win.h"

using namespace e2e;

namespace {

constexpr DWORD kLoadTimeoutMs = 120000;

bool Loaded(HWND main) {
  HWND meter = GetDlgItem(main, kLoadMeterItem);
  return meter && Send(meter, BM_GETSTATE) == 100;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: zv32_snapshot NAME [FILE]\n");
    return 2;
  }
  Program viewer(argc == 3 ? std::string("ZV32.EXE ") + argv[2] : std::string("ZV32.EXE"), {}, false);
  HWND main = WaitForWindow(viewer.Id(), kViewerClass, nullptr, 30000);
  if (!main) {
    std::fprintf(stderr, "zv32_snapshot: the viewer's window did not appear\n");
    return 1;
  }
  if (argc == 3 && !WaitUntil([&] { return Loaded(main); }, kLoadTimeoutMs))
    std::fprintf(stderr, "zv32_snapshot: the file was still loading after %lu s\n", kLoadTimeoutMs / 1000);
  ShowAndSettle(main);
  std::string path = SaveScreenshot(main, argv[1]);
  Post(main, WM_CLOSE);
  viewer.WaitExit(10000);
  if (path.empty()) {
    std::fprintf(stderr, "zv32_snapshot: the picture could not be saved\n");
    return 1;
  }
  std::printf("%s\n", path.c_str());
  return 0;
}
