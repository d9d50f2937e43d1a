// zv32_dialog_timing: how soon ZV32.EXE answers a search started from the search dialog,
// beside the repeat search of the same word, for the benchmarks.
//   zv32_dialog_timing FILE WORD
// WORD must first stand in a row below the first screen and again further down, so that both
// answers move the top row.  The file is loaded completely before the first search.  Prints
// one figure a line ("name value"; "n/a" when a figure could not be had), best of five rounds:
//   dialog_ms  from the press of "↓検索(&N)" (the dialog's default button) until the top row
//              shows the first hit
//   repeat_ms  from the repeat search's command (202) until the top row shows the next hit
// Each round goes back to the first row (command 300) first.  The run starts from a deleted
// settings key.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/timing_support_win.h"
#include "tests/e2e/e2e_driver_win.h"
#include "tests/e2e/zv32_search_windows_win.h"
#include "tests/e2e/zv32_windows_win.h"

using namespace e2e;

namespace {

constexpr DWORD kLoadTimeoutMs = 300000;
constexpr DWORD kAnswerTimeoutMs = 60000;
constexpr int kRounds = 5;
constexpr int kTopCommand = IDM_TOP;

std::string PositionText(HWND main) {
  char text[64] = "";
  SendPatiently(GetDlgItem(main, kPositionItem), WM_GETTEXT, sizeof text, LPARAM(text));
  return text;
}

// Milliseconds from now until the position text differs from `before`; -1 on a timeout.
double UntilPositionLeaves(HWND main, const std::string& before) {
  const double start = NowMs();
  while (NowMs() - start < kAnswerTimeoutMs) {
    if (PositionText(main) != before) return NowMs() - start;
    Sleep(1);
  }
  return -1;
}

bool BackToTheFirstRow(HWND main) {
  Post(main, WM_COMMAND, kTopCommand);
  const double start = NowMs();
  while (NowMs() - start < 10000) {
    if (PositionText(main).rfind("1/", 0) == 0) return true;
    Sleep(5);
  }
  return false;
}

double DialogSearch(DWORD processId, HWND main, const std::string& word) {
  Post(main, WM_COMMAND, kSearchCommand);
  HWND dialog = WaitForWindow(processId, kDialogClass, kSearchTitle, 10000);
  if (!dialog) return -1;
  HWND edit = FindWindowExA(GetDlgItem(dialog, kSearchText), nullptr, "Edit", nullptr);
  SendPatiently(edit, WM_SETTEXT, 0, LPARAM(word.c_str()));
  const std::string before = PositionText(main);
  PostClick(GetDlgItem(dialog, kSearchForwardButton));
  return UntilPositionLeaves(main, before);
}

double RepeatSearch(HWND main) {
  const std::string before = PositionText(main);
  Post(main, WM_COMMAND, kForwardCommand);
  return UntilPositionLeaves(main, before);
}

void Keep(double& best, double value) {
  if (value >= 0 && (best < 0 || value < best)) best = value;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zv32_dialog_timing FILE WORD\n");
    return 2;
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Plim\\ZelkoView");
  Program program(std::string("ZV32.EXE ") + argv[1], {}, false);
  HWND main = WaitForWindow(program.Id(), kViewerClass, nullptr, 30000);
  double dialogBest = -1, repeatBest = -1;
  if (main) {
    Post(main, WM_COMMAND, kEndOfFileCommand);
    HWND meter = GetDlgItem(main, kLoadMeterItem);
    const double start = NowMs();
    while (SendPatiently(meter, BM_GETSTATE) != 100 && NowMs() - start < kLoadTimeoutMs) Sleep(5);
    for (int round = 0; round < kRounds && BackToTheFirstRow(main); ++round) {
      Keep(dialogBest, DialogSearch(program.Id(), main, argv[2]));
      Keep(repeatBest, RepeatSearch(main));
    }
    Post(main, WM_CLOSE);
    program.WaitExit(20000);
  }
  PrintFigure("dialog_ms", dialogBest, dialogBest >= 0);
  PrintFigure("repeat_ms", repeatBest, repeatBest >= 0);
  return 0;
}
