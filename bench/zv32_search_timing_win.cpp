// zv32_search_timing: how fast ZV32.EXE's batch search lists the rows with a hit, how soon a
// cancel stops it and how soon its list scrolls to the end, for the benchmarks.
//   zv32_search_timing FILE WORD [CANCEL_WORD]
// WORD (and CANCEL_WORD, a word frequent enough that the search is still running when the
// cancel comes; WORD when not given) is ASCII or Shift-JIS.  The file is loaded completely (command 301) before each search,
// so the figures are those of the search.  Prints one figure a line ("name value"; "n/a" when
// a figure could not be had):
//   batch_ms      from the press of "一括検索(&A)" until the search dialog has closed (the batch
//                 search ended: list filled, progress dialog gone)
//   rows          the items of the list window then
//   shown_count   the count the progress dialog showed when last looked at ("検索数:%d", read
//                 every 20 ms while the search runs)
//   scroll_end_ms the list scrolled to its end and painted (WM_VSCROLL SB_BOTTOM, then an
//                 immediate repaint)
//   page_ms       the mean of 20 page-downs from the top, each painted at once
//   cancel_ms     a second run: from the press of "中止(&C)" (once the count shows) until the
//                 progress dialog is gone
//   cancel_rows   the items listed by then
// Each run starts from a deleted settings key.  Presses are posted mouse clicks with the
// pointer on the button, as a user's would be.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/e2e/e2e_driver_win.h"
#include "bench/timing_support_win.h"
#include "tests/e2e/zv32_search_windows_win.h"
#include "tests/e2e/zv32_windows_win.h"

using namespace e2e;

namespace {

constexpr DWORD kLoadTimeoutMs = 300000;
constexpr DWORD kSearchTimeoutMs = 300000;

// Waits (polling every millisecond) until `done` holds; the time it took, or -1.
template <typename Done>
double TimeUntil(Done done, DWORD timeoutMs) {
  const double start = NowMs();
  while (NowMs() - start < timeoutMs) {
    if (done()) return NowMs() - start;
    Sleep(1);
  }
  return -1;
}

// A viewer on FILE with the whole file loaded and the search dialog open with WORD in it.
struct ReadyViewer {
  ReadyViewer(const std::string& file, const std::string& word)
      : program("ZV32.EXE " + file, {}, false) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Plim\\ZelkoView");
    main = WaitForWindow(program.Id(), kViewerClass, nullptr, 30000);
    if (!main) return;
    Post(main, WM_COMMAND, kEndOfFileCommand);
    HWND meter = GetDlgItem(main, kLoadMeterItem);
    if (TimeUntil([&] { return SendPatiently(meter, BM_GETSTATE) == 100; }, kLoadTimeoutMs) < 0) return;
    Post(main, WM_COMMAND, kSearchCommand);
    dialog = WaitForWindow(program.Id(), kDialogClass, kSearchTitle, 10000);
    if (!dialog) return;
    HWND edit = FindWindowExA(GetDlgItem(dialog, kSearchText), nullptr, "Edit", nullptr);
    SendPatiently(edit, WM_SETTEXT, 0, LPARAM(word.c_str()));
  }
  ~ReadyViewer() {
    if (main) Post(main, WM_CLOSE);
    program.WaitExit(20000);
  }
  bool Ready() const { return dialog != nullptr; }

  Program program;
  HWND main = nullptr;
  HWND dialog = nullptr;
};

long ListCount(HWND list) { return list ? long(SendPatiently(GetDlgItem(list, kListBox), LB_GETCOUNT)) : -1; }

// The number in "検索数:%d", or -1.
long ShownCount(HWND progress) {
  char text[64] = "";
  if (SendPatiently(GetDlgItem(progress, kAbortText), WM_GETTEXT, sizeof text, LPARAM(text)) <= 0) return -1;
  const char* colon = std::strchr(text, ':');
  return colon ? std::atol(colon + 1) : -1;
}

double ScrollAndPaint(HWND box, int code) {
  const double start = NowMs();
  SendPatiently(box, WM_VSCROLL, WPARAM(code));
  RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW);
  SendPatiently(box, WM_NULL);
  return NowMs() - start;
}

void ScrollFigures(HWND list) {
  HWND box = list ? GetDlgItem(list, kListBox) : nullptr;
  if (!box) {
    PrintFigure("scroll_end_ms", 0, false);
    PrintFigure("page_ms", 0, false);
    return;
  }
  PrintFigure("scroll_end_ms", ScrollAndPaint(box, SB_BOTTOM));
  SendPatiently(box, WM_VSCROLL, SB_TOP);
  double pages = 0;
  for (int i = 0; i < 20; ++i) pages += ScrollAndPaint(box, SB_PAGEDOWN);
  PrintFigure("page_ms", pages / 20);
}

void CompleteRun(const std::string& file, const std::string& word) {
  ReadyViewer viewer(file, word);
  if (!viewer.Ready()) {
    PrintFigure("batch_ms", 0, false);
    return;
  }
  HWND progress = nullptr;
  long shown = -1;
  double lastLook = -50;
  PostClick(GetDlgItem(viewer.dialog, kSearchAllButton));
  // The dialog is looked at every millisecond; the progress text, which costs the viewer a
  // message, every 20.
  const double batch = TimeUntil(
      [&] {
        if (NowMs() - lastLook >= 20) {
          lastLook = NowMs();
          if (!progress) progress = FindTopWindow(viewer.program.Id(), kDialogClass, kBatchProgressTitle);
          const long count = progress && IsWindow(progress) ? ShownCount(progress) : -1;
          if (count >= 0) shown = count;
        }
        return !IsWindow(viewer.dialog);
      },
      kSearchTimeoutMs);
  PrintFigure("batch_ms", batch, batch >= 0);
  HWND list = FindTopWindow(viewer.program.Id(), kListClass);
  PrintFigure("rows", double(ListCount(list)), list != nullptr);
  PrintFigure("shown_count", double(shown), shown >= 0);
  ScrollFigures(list);
}

void CancelRun(const std::string& file, const std::string& word) {
  ReadyViewer viewer(file, word);
  if (!viewer.Ready()) {
    PrintFigure("cancel_ms", 0, false);
    return;
  }
  PostClick(GetDlgItem(viewer.dialog, kSearchAllButton));
  HWND progress = WaitForWindow(viewer.program.Id(), kDialogClass, kBatchProgressTitle, 20000);
  const bool counting = progress && TimeUntil([&] { return ShownCount(progress) > 0; }, 20000) >= 0;
  if (!counting) {
    PrintFigure("cancel_ms", 0, false);
    return;
  }
  PostClick(GetDlgItem(progress, IDOK));
  const double stopped = TimeUntil([&] { return !IsWindow(progress); }, 20000);
  PrintFigure("cancel_ms", stopped, stopped >= 0);
  PrintFigure("cancel_rows", double(ListCount(FindTopWindow(viewer.program.Id(), kListClass))));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: zv32_search_timing FILE WORD [CANCEL_WORD]\n");
    return 2;
  }
  CompleteRun(argv[1], argv[2]);
  CancelRun(argv[1], argv[argc - 1]);
  return 0;
}
