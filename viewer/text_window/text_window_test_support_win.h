// What the text window's in-process tests share: a plain parent window with the position item
// 1001 holds a "ZelkoView!Text" child; small documents are opened into it and the tests read
// back the pixels it paints from the window's device context (a few go to the build folder's
// screenshots/ as PNG).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "platform/win/owners.h"
#include "tests/support/png_writer.h"
#include "viewer/document/document_test_support.h"
#include "viewer/text_window/text_window_parts_win.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/settings/default_key_table.h"
#include "viewer/settings/key_table.h"
#include "viewer/text_window/small_windows_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace text_window_test {

constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kBack = RGB(255, 255, 255);
constexpr COLORREF kInvertedBack = RGB(0, 0, 0);
constexpr COLORREF kMarks = RGB(0x35, 0x76, 0xC6);
constexpr COLORREF kLines = RGB(0xD8, 0x0A, 0x8F);
constexpr COLORREF kCarets = RGB(0x28, 0xB0, 0x06);
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 400;

// What the window shows, read back from its device context.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> bgrx;  // top row first
  COLORREF At(int x, int y) const {
    uint32_t p = bgrx[size_t(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Pixels of `color` in [left, right) x [top, bottom).
  int Count(COLORREF color, int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = std::max(0, top); y < std::min(bottom, height); ++y)
      for (int x = std::max(0, left); x < std::min(right, width); ++x) n += At(x, y) == color;
    return n;
  }
  int Area(int left, int top, int right, int bottom) const { return (right - left) * (bottom - top); }
};

inline Pixels Capture(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  Pixels image{client.right, client.bottom, {}};
  BITMAPINFO info{};
  // 32 bits per pixel, top row first.
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  win::WindowDC source(window);
  win::Bitmap dib(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::MemoryDC copy(source);
  {
    win::Selection selected(copy, dib.get());
    BitBlt(copy, 0, 0, image.width, image.height, source, 0, 0, SRCCOPY);
  }
  GdiFlush();
  const uint32_t* words = static_cast<const uint32_t*>(bits);
  image.bgrx.assign(words, words + size_t(image.width) * image.height);
  return image;
}

inline void SaveScreenshot(const Pixels& image, const char* name) {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      COLORREF c = image.At(x, y);
      rgb.insert(rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  }
  std::string folder = "Z:" ZV_BUILD_DIR "/screenshots";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::vector<uint8_t> png = e2e::EncodePng(image.width, image.height, rgb);
  FILE* file = std::fopen((folder + "/" + name + ".png").c_str(), "wb");
  ASSERT_NE(file, nullptr) << name;
  std::fwrite(png.data(), 1, png.size(), file);
  std::fclose(file);
}

inline HFONT JapaneseFont() {
  static HFONT font = [] {
    LOGFONTA description{};
    description.lfHeight = -16;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    description.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpyA(description.lfFaceName, "IPAGothic");
    return CreateFontIndirectA(&description);
  }();
  return font;
}

inline void RegisterClasses() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA text{CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, TextWindowProc, 0, 0, Instance, nullptr,
                 LoadCursorA(nullptr, IDC_ARROW), HBRUSH(COLOR_WINDOW + 1), nullptr, kTextWindowClass};
  WNDCLASSA parent{0, DefWindowProcA, 0, 0, Instance, nullptr, LoadCursorA(nullptr, IDC_ARROW),
                   HBRUSH(COLOR_BTNFACE + 1), nullptr, "TextWindowTestParent"};
  ASSERT_TRUE(RegisterClassA(&text));
  ASSERT_TRUE(RegisterClassA(&parent));
  registered = true;
}

class TextWindowTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    Instance = GetModuleHandleA(nullptr);
    TextColor = kText;
    BackColor = kBack;
    ControlColor = kMarks;
    LineColor = kLines;
    CtrlColor = kCarets;
    ShowCrMarks = ShowTabMarks = ShowControlCodes = 1;
    ShowLineNumbers = PureInverseColors = 0;
    Spacing = 10;
    LineSpacing = 2;
    std::span<const KeyRecord> keys = DefaultKeyRecords();
    std::fill(std::begin(KeyTable), std::end(KeyTable), KeyRecord{});
    std::copy(keys.begin(), keys.end(), KeyTable);
    DisplayFont.Reset(JapaneseFont());
    RegisterClasses();
    parent = CreateWindowExA(WS_EX_TOPMOST, "TextWindowTestParent", "text window test", WS_POPUP | WS_VISIBLE, 0, 0,
                             kClientWidth, kClientHeight, nullptr, nullptr, Instance, nullptr);
    CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 10, 10, parent, HMENU(kPositionTextId), Instance, nullptr);
    MainWindow = parent;
    TextWindow = CreateWindowA(kTextWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL,
                               0, 0, kClientWidth, kClientHeight, parent, nullptr, Instance, nullptr);
    ASSERT_NE(TextWindow, nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent);
    MainWindow = TextWindow = nullptr;
    TheDocument.Selection[0] = TheDocument.Selection[1] = TheDocument.Selection[2] = TheDocument.Selection[3] = -1;
    for (int32_t& mark : TheDocument.Marks) mark = -1;
    FlagBitmap.Reset();
    DocumentTest::TearDown();
  }

  void Show(const std::string& bytes) {
    ASSERT_EQ(OpenAndLoad(WriteTemp("text_window.txt", bytes)), DocumentResult::kOk);
    SendMessageA(TextWindow, WM_ZV_REFRESH, 0, 0);
    Repaint();
  }
  void Repaint() {
    InvalidateRect(TextWindow, nullptr, FALSE);
    UpdateWindow(TextWindow);
  }
  void Resize(int width, int height) {
    SetWindowPos(TextWindow, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  std::string PositionText() {
    char text[64] = "";
    GetDlgItemTextA(parent, kPositionTextId, text, sizeof text);
    return text;
  }
  LRESULT VScroll(int code, LPARAM target = 0, int thumb = 0) {
    return SendMessageA(TextWindow, WM_VSCROLL, MAKEWPARAM(code, thumb), target);
  }
  LRESULT HScroll(int code, LPARAM target = 0, int thumb = 0) {
    return SendMessageA(TextWindow, WM_HSCROLL, MAKEWPARAM(code, thumb), target);
  }
  int ClientHeight() {
    RECT client{};
    GetClientRect(TextWindow, &client);
    return client.bottom;
  }
  bool HorizontalBarShown() { return (GetWindowLongPtrA(TextWindow, GWL_STYLE) & WS_HSCROLL) != 0; }
  int RowTop(int32_t row) const { return (row - TheDocument.TopLine) * TheDocument.RowHeight; }
  int RowBottom(int32_t row) const { return RowTop(row) + TheDocument.RowHeight; }
  int ColumnX(int32_t column) const { return TextLeftEdge + (column - TheDocument.LeftColumn) * CharWidth; }
  // Widens or narrows the window until exactly `columns` columns are visible.
  void ShowColumns(int columns) {
    for (int attempt = 0; attempt < 4 && VisibleColumnCount != columns; ++attempt) {
      RECT window{};
      GetWindowRect(TextWindow, &window);
      Resize(window.right - window.left + (columns - VisibleColumnCount) * CharWidth, kClientHeight);
    }
    ASSERT_EQ(VisibleColumnCount, columns);
  }

  std::string Lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "line " + std::to_string(i + 1) + "\r\n";
    return text;
  }

  HWND parent = nullptr;
};

}  // namespace text_window_test
