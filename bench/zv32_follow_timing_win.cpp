// zv32_follow_timing: ZV32.EXE following a log that grows by 1 MiB a second, for the benchmarks.
//   zv32_follow_timing LOG SECONDS [--no-follow]
// Writes LOG with one line, starts the viewer on it with fresh settings, turns following on
// (command 105; with --no-follow it stays off, so that what the writing and the reading cost
// the window server without the viewer's following can be told apart), then appends Shift-JIS
// log lines of 64 bytes, 1 MiB a second in writes every 50 ms, for SECONDS seconds.  Between
// writes it reads the viewer's position text "top/rows" (every 50 ms) and notes when the rows
// of each write were shown.  Prints ("name value"):
//   mark          when the writing starts and when it ends (the script samples the
//                 viewer's processor time there)
//   writes, kept  writes, and writes shown within 1000 ms
//   lag_mean_ms, lag_max_ms   from each write until the position text counted its rows
//   bytes         bytes appended
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/timing_support_win.h"
#include "platform/win/owners.h"
#include "tests/e2e/e2e_driver_win.h"
#include "tests/e2e/zv32_windows_win.h"
#include "viewer/resources/zv32_ids.h"

using namespace e2e;

namespace {

constexpr double kWriteIntervalMs = 50;
constexpr int kLineBytes = 64;
constexpr int kLinesPerWrite = (1 << 20) / kLineBytes / 20;
constexpr double kKeptMs = 1000;
constexpr double kDrainMs = 3000;
constexpr DWORD kReadIntervalMs = 50;

// The position text as the window server holds it: reading it sends the viewer no message, so
// the measuring wakes the viewer never and costs it nothing of what is measured.
long ShownRows(HWND main) {
  wchar_t text[64] = L"";
  HWND item = GetDlgItem(main, kPositionItem);
  if (!item || InternalGetWindowText(item, text, 64) <= 0) return -1;
  const wchar_t* slash = std::wcschr(text, L'/');
  return slash ? std::wcstol(slash + 1, nullptr, 10) : -1;
}

// One write of kLinesPerWrite lines of exactly kLineBytes bytes, numbered from `first`.
std::string LinesFrom(long first) {
  std::string chunk;
  char line[kLineBytes + 1];
  for (int i = 0; i < kLinesPerWrite; ++i) {
    std::snprintf(line, sizeof line, "2026-12-08 12:00:00 [情報] 受信したログの行です 番号%010ld\r\n", first + i);
    chunk.append(line, kLineBytes);
  }
  return chunk;
}

bool Append(const char* path, const std::string& bytes) {
  win::Handle file(CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
  return ok;
}

struct Write {
  double at;
  long rows;  // the row count once it is shown: lines + the empty row after the last line end
  double shownAt = -1;
};

// Notes the writes whose rows the viewer now counts.
void NoteShown(HWND main, std::vector<Write>& writes, size_t& firstUnshown) {
  long rows = ShownRows(main);
  double now = NowMs();
  while (firstUnshown < writes.size() && rows >= writes[firstUnshown].rows) writes[firstUnshown++].shownAt = now;
}

}  // namespace

int main(int argc, char** argv) {
  const bool follow = argc == 3;
  if (argc != 3 && (argc != 4 || std::strcmp(argv[3], "--no-follow") != 0)) {
    std::fprintf(stderr, "usage: zv32_follow_timing LOG SECONDS [--no-follow]\n");
    return 2;
  }
  const char* log = argv[1];
  const double seconds = std::atof(argv[2]);
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Plim\\ZelkoView");
  DeleteFileA(log);
  long lines = 1;
  if (!Append(log, LinesFrom(0).substr(0, kLineBytes))) return 1;
  Program viewer(std::string("ZV32.EXE ") + log, {}, false);
  HWND main = viewer.Started() ? WaitForWindow(viewer.Id(), kViewerClass, nullptr, 30000) : nullptr;
  if (!main || !WaitUntil([&] { return ShownRows(main) == lines + 1; }, 30000)) return 1;
  if (follow) {
    Post(main, WM_COMMAND, IDM_FOLLOW);
    if (!WaitUntil([&] { return IsWindowVisible(GetDlgItem(main, IDC_FOLLOW_TEXT)) != 0; }, 10000)) return 1;
  }

  std::vector<Write> writes;
  size_t firstUnshown = 0;
  double bytes = 0;
  PrintFigure("mark", 0);
  const double start = NowMs();
  double nextWrite = start;
  while (NowMs() - start < seconds * 1000) {
    if (NowMs() >= nextWrite) {
      std::string chunk = LinesFrom(lines);
      if (!Append(log, chunk)) return 1;
      lines += kLinesPerWrite;
      bytes += double(chunk.size());
      writes.push_back({NowMs(), lines + 1});
      nextWrite += kWriteIntervalMs;
    }
    NoteShown(main, writes, firstUnshown);
    const double wait = nextWrite - NowMs();
    Sleep(wait <= 1 ? 1 : wait >= kReadIntervalMs ? kReadIntervalMs : DWORD(wait));
  }
  const double end = NowMs();
  PrintFigure("mark", end - start);
  while (follow && firstUnshown < writes.size() && NowMs() - end < kDrainMs) {
    NoteShown(main, writes, firstUnshown);
    Sleep(kReadIntervalMs);
  }
  int kept = 0;
  double sum = 0, worst = 0;
  for (const Write& write : writes) {
    double lag = write.shownAt < 0 ? kDrainMs + (end - write.at) : write.shownAt - write.at;
    kept += lag <= kKeptMs;
    sum += lag;
    worst = lag > worst ? lag : worst;
  }
  PrintFigure("writes", double(writes.size()));
  PrintFigure("kept", kept);
  PrintFigure("lag_mean_ms", writes.empty() ? 0 : sum / double(writes.size()));
  PrintFigure("lag_max_ms", worst);
  PrintFigure("bytes", bytes);
  Post(main, WM_CLOSE);
  viewer.WaitExit(10000);
  return 0;
}
