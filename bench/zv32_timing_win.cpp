// zv32_timing: how fast ZV32.EXE starts, shows and loads a file, for the benchmarks.
//   zv32_timing FILE
// Prints one figure a line ("name value", milliseconds; "n/a" when a figure could not be had):
//   window_ms        start of the process until the main window is visible
//   first_screen_ms  from the window's appearance until the text window shows text
//   loaded_ms        from the window's appearance until the load meter reads 100 (background
//                    loading finished)
//   rows             the row count the position text shows once loaded
//   respond_max_ms, respond_median_ms, respond_samples
//                    round trips of WM_NULL to the main window, one every ~20 ms while loading
//   paint_ms, scroll_ms  the two times the viewer's drawing-speed measurement reports once
//                    loaded (one full repaint; one row down and back up)
//   end_loaded_ms, end_ms
//                    a second run: WM_COMMAND 301 posted as soon as the window appears, until
//                    the meter reads 100, and until the position text's top row is also past
//                    the first (never, when the whole file fits on one screen)
//
// First screen: the text window is found as the main window's child, and the top rows of its
// client area are copied from the screen every few milliseconds.  The most common colour of
// the strip is the background; text is shown when more than kTextColumns pixel columns of the
// strip hold something else (the line-number column alone, one digit a row and the two rules,
// never reaches that many).  The viewer may first paint a single row and the rest a moment
// later, so the first screen is the moment the strip took the look it then keeps for
// kSettleMs: the top rows of a loading file do not change once painted.
// Each run starts from a deleted settings key, so the viewer has its default window and
// display settings.  Messages to the viewer are sent without the "hung" abort: a viewer busy for seconds in one
// message is what is being measured, not a failure.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/e2e_driver_win.h"
#include "bench/timing_support_win.h"
#include "tests/e2e/zv32_windows_win.h"

using namespace e2e;

namespace {

constexpr UINT kEndOfFileCommand = 301;
constexpr UINT kDrawingSpeedCommand = 422;
constexpr int kStripHeight = 80;
constexpr int kTextColumns = 32;
constexpr double kSampleIntervalMs = 20;
constexpr double kSettleMs = 300;
constexpr double kSettleTimeoutMs = 5000;
constexpr double kWindowTimeoutMs = 30000;
constexpr double kLoadTimeoutMs = 300000;
constexpr double kEndGraceMs = 3000;
constexpr DWORD kBoxTimeoutMs = 20000;

int MeterPercent(HWND main) {
  HWND meter = GetDlgItem(main, kLoadMeterItem);
  return meter ? int(SendPatiently(meter, BM_GETSTATE)) : -1;
}

// The position text "top/rows" as two numbers (-1 when not there).
void ReadPosition(HWND main, long* top, long* rows) {
  char text[64] = "";
  *top = *rows = -1;
  HWND item = GetDlgItem(main, kPositionItem);
  if (!item || SendPatiently(item, WM_GETTEXT, sizeof text, LPARAM(text)) < 0) return;
  char* slash = std::strchr(text, '/');
  if (!slash) return;
  *top = std::atol(text);
  *rows = std::atol(slash + 1);
}

// The top rows of the text window's client area as on the screen; the first two entries are
// the width and the height, so a change of size counts as a change.
std::vector<uint32_t> CaptureStrip(HWND text) {
  RECT client{};
  if (!text || !GetClientRect(text, &client) || client.right <= 0 || client.bottom <= 0) return {};
  MapWindowPoints(text, nullptr, reinterpret_cast<POINT*>(&client), 2);
  client.bottom = std::min<LONG>(client.bottom, client.top + kStripHeight);
  Image strip = CaptureScreen(client);
  std::vector<uint32_t> captured{uint32_t(strip.width), uint32_t(strip.height)};
  for (int y = 0; y < strip.height; ++y)
    for (int x = 0; x < strip.width; ++x) captured.push_back(strip.Pixel(x, y));
  return captured;
}

uint32_t MostCommon(std::vector<uint32_t> colours) {
  std::sort(colours.begin(), colours.end());
  uint32_t common = 0;
  size_t bestRun = 0;
  for (size_t i = 0, run = 0; i < colours.size(); ++i) {
    run = (i > 0 && colours[i] == colours[i - 1]) ? run + 1 : 1;
    if (run > bestRun) bestRun = run, common = colours[i];
  }
  return common;
}

// True when more than kTextColumns pixel columns of the strip differ from its background.
bool ShowsText(const std::vector<uint32_t>& strip) {
  if (strip.size() < 3) return false;
  size_t width = strip[0], height = strip[1];
  const uint32_t* pixels = strip.data() + 2;
  uint32_t background = MostCommon(std::vector<uint32_t>(pixels, pixels + width * height));
  int columns = 0;
  for (size_t x = 0; x < width; ++x) {
    for (size_t y = 0; y < height; ++y) {
      if (pixels[y * width + x] != background) {
        ++columns;
        break;
      }
    }
  }
  return columns > kTextColumns;
}

// Watches the text window's top rows until they show text and keep that look for kSettleMs;
// the first screen is the moment they took it.
class FirstScreenWatch {
 public:
  void Look(HWND text, double now) {
    if (Settled() || !text) return;
    std::vector<uint32_t> strip = CaptureStrip(text);
    if (strip != strip_) {
      strip_ = std::move(strip);
      since_ = now;
    } else if (now - since_ >= kSettleMs && ShowsText(strip_)) {
      settledAt_ = since_;
    }
  }
  bool Settled() const { return settledAt_ >= 0; }
  double At() const { return settledAt_; }

 private:
  std::vector<uint32_t> strip_;
  double since_ = 0;
  double settledAt_ = -1;
};

// A viewer started on a file with fresh settings, and the time its window took to appear.
struct Started {
  double startMs = 0;
  double windowMs = -1;
  HWND main = nullptr;
};

Started StartViewer(Program& viewer, double startMs) {
  Started started;
  started.startMs = startMs;
  if (!viewer.Started()) return started;
  while (NowMs() - startMs < kWindowTimeoutMs) {
    if ((started.main = FindTopWindow(viewer.Id(), kViewerClass))) {
      started.windowMs = NowMs() - startMs;
      break;
    }
    Sleep(2);
  }
  return started;
}

void DeleteSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Plim\\ZelkoView"); }

std::string CommandLineFor(const char* file) { return std::string("ZV32.EXE ") + file; }

void CloseViewer(Program& viewer, HWND main) {
  if (main) Post(main, WM_CLOSE);
  viewer.WaitExit(10000);
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

// Times WM_NULL round trips while watching for the first screen and the full meter; both
// figures count from the window's appearance.
void MeasureLoading(const Started& started) {
  double shownAt = started.startMs + started.windowMs;
  double loaded = -1, nextSample = 0;
  std::vector<double> replies;
  FirstScreenWatch firstScreen;
  for (;;) {
    double now = NowMs();
    if (now - shownAt > kLoadTimeoutMs || (loaded >= 0 && now - shownAt - loaded > kSettleTimeoutMs)) break;
    firstScreen.Look(TextWindowOf(started.main), now);
    if (loaded < 0 && now >= nextSample) {
      if (SendPatiently(started.main, WM_NULL) < 0) break;
      replies.push_back(NowMs() - now);
      nextSample = now + kSampleIntervalMs;
      if (MeterPercent(started.main) == 100) loaded = NowMs() - shownAt;
    }
    if (loaded >= 0 && firstScreen.Settled()) break;
    Sleep(firstScreen.Settled() ? 5 : 2);
  }
  PrintFigure("first_screen_ms", firstScreen.At() - shownAt, firstScreen.Settled());
  PrintFigure("loaded_ms", loaded, loaded >= 0);
  long top = -1, rows = -1;
  ReadPosition(started.main, &top, &rows);
  std::printf("rows %ld\n", rows);
  bool sampled = !replies.empty();
  PrintFigure("respond_max_ms", sampled ? *std::max_element(replies.begin(), replies.end()) : 0, sampled);
  PrintFigure("respond_median_ms", sampled ? Median(replies) : 0, sampled);
  std::printf("respond_samples %zu\n", replies.size());
}

// The numbers written just before "ms" in a Shift-JIS text, stepping over double-byte characters.
std::vector<double> MillisecondFigures(const std::string& text) {
  std::vector<double> figures;
  for (size_t i = 0; i < text.size();) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
      i += 2;
    } else if (byte >= '0' && byte <= '9') {
      char* end = nullptr;
      double value = std::strtod(text.c_str() + i, &end);
      size_t next = size_t(end - text.c_str());
      if (text.compare(next, 2, "ms") == 0) figures.push_back(value);
      i = next;
    } else {
      ++i;
    }
  }
  return figures;
}

// The drawing-speed measurement: its information box is read and closed.
void MeasureDrawingSpeed(Program& viewer, HWND main) {
  Post(main, WM_COMMAND, kDrawingSpeedCommand);
  HWND box = WaitForWindow(viewer.Id(), "#32770", nullptr, kBoxTimeoutMs);
  std::vector<double> figures;
  if (box) {
    figures = MillisecondFigures(MessageBoxText(box));
    Post(box, WM_COMMAND, IDOK);
    WaitUntil([&] { return !IsWindow(box); }, 5000);
  }
  bool known = figures.size() == 2;
  PrintFigure("paint_ms", known ? figures[0] : 0, known);
  PrintFigure("scroll_ms", known ? figures[1] : 0, known);
}

void LoadRun(const char* file) {
  DeleteSettings();
  double start = NowMs();
  Program viewer(CommandLineFor(file), {}, false);
  Started started = StartViewer(viewer, start);
  PrintFigure("window_ms", started.windowMs, started.main != nullptr);
  if (!started.main) return;
  MeasureLoading(started);
  MeasureDrawingSpeed(viewer, started.main);
  CloseViewer(viewer, started.main);
}

// Jump to the end as soon as the window is there: it loads everything at once.
void EndRun(const char* file) {
  DeleteSettings();
  Program viewer(CommandLineFor(file), {}, false);
  Started started = StartViewer(viewer, NowMs());
  double posted = NowMs(), loaded = -1, end = -1;
  if (started.main) Post(started.main, WM_COMMAND, kEndOfFileCommand);
  while (started.main && NowMs() - posted < kLoadTimeoutMs) {
    bool full = MeterPercent(started.main) == 100;
    long top = -1, rows = -1;
    ReadPosition(started.main, &top, &rows);
    if (full && loaded < 0) loaded = NowMs() - posted;
    if (full && top > 1) {
      end = NowMs() - posted;
      break;
    }
    if (loaded >= 0 && NowMs() - posted - loaded > kEndGraceMs) break;  // the command did not move
    Sleep(5);
  }
  PrintFigure("end_loaded_ms", loaded, loaded >= 0);
  PrintFigure("end_ms", end, end >= 0);
  CloseViewer(viewer, started.main);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zv32_timing FILE\n");
    return 2;
  }
  LoadRun(argv[1]);
  EndRun(argv[1]);
  return 0;
}
