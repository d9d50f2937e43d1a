// The print command: the default printer, the set-up dialog, and the job itself, page by page
// with the file name above and the page number below, under a progress dialog whose button
// aborts the job.
#include "viewer/search_windows/print_document_win.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/win/owners.h"
#include "viewer/document/document.h"
#include "viewer/resources/zv32_ids.h"
#include "viewer/search_windows/abort_dialog_win.h"
#include "viewer/search_windows/print_setup_win.h"
#include "viewer/search_windows/progress_scope_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr char kJobName[] = "Zelko View 印刷ジョブ";
constexpr char kSendingText[] = "データを送っています...";
constexpr char kPageText[] = "ページ処理中...";
constexpr char kLineSample[] = "Aaあ漢";
constexpr char kNoPrinterMessage[] = "プリンタが見つかりません\nプリンタを設定してから印刷してください";
constexpr char kNoRoomMessage[] =
    "余白かフォントが大きすぎて、1ページに1行も印刷できません\n余白を小さくするか、小さいフォントを選んでください";
constexpr char kNotStartedMessage[] = "印刷を開始できませんでした";

// The default printer's device context and the print dialog's two memory blocks.
struct DefaultPrinter {
  win::DeviceContext dc;
  win::GlobalMemory devMode;
  win::GlobalMemory devNames;
};

bool OpenDefaultPrinter(DefaultPrinter& printer) {
  PRINTDLGA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = MainWindow;
  request.Flags = PD_RETURNDC | PD_RETURNDEFAULT;
  bool ok = PrintDlgA(&request) != 0;
  printer.dc = win::DeviceContext(request.hDC);
  printer.devMode = win::GlobalMemory(request.hDevMode);
  printer.devNames = win::GlobalMemory(request.hDevNames);
  return ok && printer.dc;
}

bool ChoosePrinterFont(HDC dc, LOGFONTA& font, int& pointSize) {
  CHOOSEFONTA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = MainWindow;
  request.hDC = dc;
  request.lpLogFont = &font;
  request.Flags = CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST | CF_ENABLETEMPLATE | CF_ENABLEHOOK;
  request.hInstance = Instance;
  request.lpTemplateName = IDD_PRINT;
  request.lpfnHook = ChooseFontHook;
  if (!ChooseFontA(&request)) return false;
  pointSize = request.iPointSize;
  return true;
}

int CALLBACK NoteFaceFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool HasJapaneseGlyphs(HDC dc, const char (&face)[LF_FACESIZE]) {
  LOGFONTA wanted{};
  wanted.lfCharSet = SHIFTJIS_CHARSET;
  std::memcpy(wanted.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  EnumFontFamiliesExA(dc, &wanted, NoteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// The rows are Shift-JIS: a face that has Japanese glyphs prints them in its Japanese
// character set, whatever script the font dialog left selected (a Western one garbles them).
void PreferShiftJis(HDC dc, LOGFONTA& font) {
  if (font.lfCharSet != SHIFTJIS_CHARSET && HasJapaneseGlyphs(dc, font.lfFaceName)) font.lfCharSet = SHIFTJIS_CHARSET;
}

// The printer's Japanese faces: the first fixed-pitch one, else the first of any pitch (faces
// for vertical writing, named with a leading '@', are left out).
struct JapaneseFaces {
  char fixed[LF_FACESIZE] = "";
  char any[LF_FACESIZE] = "";
};

int CALLBACK NoteJapaneseFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM faces) {
  auto* found = reinterpret_cast<JapaneseFaces*>(faces);
  if (font->lfFaceName[0] == '@') return 1;
  if (found->any[0] == '\0') std::memcpy(found->any, font->lfFaceName, LF_FACESIZE);
  if ((font->lfPitchAndFamily & 3) == FIXED_PITCH) {
    std::memcpy(found->fixed, font->lfFaceName, LF_FACESIZE);
    return 0;
  }
  return 1;
}

// `font` moved to the printer's Japanese face (fixed pitch when there is one); false when the
// printer has none.
bool UseJapaneseFace(HDC dc, LOGFONTA& font) {
  LOGFONTA wanted{};
  wanted.lfCharSet = SHIFTJIS_CHARSET;
  JapaneseFaces faces;
  EnumFontFamiliesExA(dc, &wanted, NoteJapaneseFace, reinterpret_cast<LPARAM>(&faces), 0);
  const char* face = faces.fixed[0] ? faces.fixed : faces.any;
  if (face[0] == '\0') return false;
  std::memcpy(font.lfFaceName, face, LF_FACESIZE);
  font.lfCharSet = SHIFTJIS_CHARSET;
  return true;
}

// The last printer font; without one the text font when it has Japanese glyphs, else the
// printer's Japanese face in the text font's size and style.
LOGFONTA LastPrinterFont(HDC dc) {
  LogFontBytes stored;
  if (ReadStoredBytes(kPrinterFontValue, stored.bytes, kLogFontSize)) return LogFontFromBytes(stored);
  LOGFONTA font = LogFontFromBytes(TextFont);
  if (!HasJapaneseGlyphs(dc, font.lfFaceName)) UseJapaneseFace(dc, font);
  return font;
}

int LineHeight(HDC dc, HFONT font) {
  win::Selection selected(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, kLineSample, int(std::strlen(kLineSample)), &size);
  return size.cy;
}

// The chosen face, and a Japanese one for the double-byte characters when the chosen face has
// no Japanese glyphs (null otherwise).
struct PrinterFonts {
  HFONT chosen;
  HFONT japanese;
};

void SetMeterMaximum(HWND progress, int32_t maximum) {
  if (HWND meter = progress ? GetDlgItem(progress, IDC_ABORT_METER) : nullptr) {
    SendMessageA(meter, BM_SETSTYLE, WPARAM(maximum), 0);
  }
}

// One page: its rows from `first`, the file name above them and the page number below.
class PagePrinter {
 public:
  PagePrinter(HDC dc, const PrinterFonts& fonts, const PageFrame& frame, int lineHeight)
      : dc_(dc), fonts_(fonts), frame_(frame), lineHeight_(lineHeight), width_(ThePrint.printer.horizontalResolution),
        height_(ThePrint.printer.verticalResolution) {}

  // Prints rows first..last of the page; false when the job was cancelled meanwhile.
  bool PrintPage(int page, int32_t first, int32_t last, int32_t& printed) {
    if (StartPage(dc_) <= 0) return false;
    {
      win::Selection selected(dc_, fonts_.chosen);
      SetTextAlign(dc_, TA_LEFT | TA_TOP);
      for (int32_t row = first; row <= last; ++row) {
        PrintRow(row, int(row - first));
        ++printed;
        if (throttle_.Due()) {
          SetAbortMeter(ThePrint.progress, int(printed));
          if (!PrintAbortProc(dc_, 0)) return false;
        }
      }
      PrintHeaderAndFooter(page);
    }
    SetAbortMeter(ThePrint.progress, int(printed));
    SetAbortText(ThePrint.progress, kPageText);
    bool ended = EndPage(dc_) > 0;
    SetAbortText(ThePrint.progress, kSendingText);
    return ended && PrintAbortProc(dc_, 0);
  }

 private:
  void PrintRow(int32_t row, int line) {
    char text[kMaxRowBytes + 1];
    int length = 0;
    FormatRow(row, text, &length);
    const int y = frame_.y0 + line * lineHeight_;
    if (fonts_.japanese) {
      PrintRuns(text, size_t(length), frame_.x0, y);
    } else {
      TextOutA(dc_, frame_.x0, y, text, length);
    }
  }

  // ASCII in the chosen face, the rest in the Japanese one, each run from where the last ended;
  // the first starts at (x, y), which is the top or the bottom of the text as `vertical` says.
  void PrintRuns(const char* text, size_t length, int x, int y, UINT vertical = TA_TOP) {
    SetTextAlign(dc_, TA_LEFT | vertical | TA_UPDATECP);
    MoveToEx(dc_, x, y, nullptr);
    for (size_t at = 0; at < length;) {
      bool japanese = false;
      const size_t end = PrintRunEnd(text, length, at, &japanese);
      win::Selection runFont(dc_, japanese ? fonts_.japanese : fonts_.chosen);
      TextOutA(dc_, 0, 0, text + at, int(end - at));
      at = end;
    }
    SetTextAlign(dc_, TA_LEFT | TA_TOP);
  }

  // The width of the runs PrintRuns prints.
  int RunsWidth(const char* text, size_t length) {
    int width = 0;
    for (size_t at = 0; at < length;) {
      bool japanese = false;
      const size_t end = PrintRunEnd(text, length, at, &japanese);
      win::Selection runFont(dc_, japanese ? fonts_.japanese : fonts_.chosen);
      SIZE size{};
      GetTextExtentPoint32A(dc_, text + at, int(end - at), &size);
      width += int(size.cx);
      at = end;
    }
    return width;
  }

  // The file name, its right edge at the page's and its bottom on the text's first row; a
  // Japanese name in a face without Japanese glyphs is printed run by run as the rows are.
  void PrintFileName() {
    const char* name = TheDocument.FileName;
    const size_t length = std::strlen(name);
    if (fonts_.japanese) {
      PrintRuns(name, length, width_ - RunsWidth(name, length), frame_.y0, TA_BOTTOM);
      return;
    }
    SetTextAlign(dc_, TA_RIGHT | TA_BOTTOM);
    TextOutA(dc_, width_, frame_.y0, name, int(length));
  }

  void PrintHeaderAndFooter(int page) {
    if (ThePrint.flags & kPrintFileName) PrintFileName();
    if (ThePrint.flags & kPrintPageNumber) {
      char number[32];
      int length = std::snprintf(number, sizeof number, "- %d -", page);
      SetTextAlign(dc_, TA_CENTER | TA_BOTTOM);
      TextOutA(dc_, (frame_.x0 + width_) / 2, height_, number, length);
    }
  }

  HDC dc_;
  const PrinterFonts& fonts_;
  PageFrame frame_;
  int lineHeight_;
  int width_;
  int height_;
  ProgressThrottle throttle_;
};

// Every page of the job; false when it was cancelled or the printer gave up on a page.
bool PrintPages(HDC dc, const PrinterFonts& fonts, const PageFrame& frame, int lineHeight, const RowSpan& rows) {
  SetMeterMaximum(ThePrint.progress, rows.Count());
  PagePrinter printer(dc, fonts, frame, lineHeight);
  int32_t printed = 0;
  int page = 1;
  for (int32_t first = rows.first; first <= rows.last; first += frame.rowsPerPage, ++page) {
    int32_t last = std::min<int32_t>(rows.last, first + frame.rowsPerPage - 1);
    if (!printer.PrintPage(page, first, last, printed) || ThePrint.cancel != 0) return false;
  }
  return true;
}

// The job under the progress dialog; a cancelled job is abandoned, not finished.  False when
// the printer refused the job (not when the user cancelled it).
bool RunPrintJob(HDC dc, const PrinterFonts& fonts, const PageFrame& frame, int lineHeight, const RowSpan& rows) {
  ThePrint.cancel = 0;
  AbortDialogParams params{"印刷", kSendingText, 0, &ThePrint.cancel};
  ProgressScope progress(MainWindow, &params);
  ThePrint.progress = progress.Dialog();
  // (the platform asks the abort procedure already while the document starts)
  SetAbortProc(dc, PrintAbortProc);
  DOCINFOA document{};
  document.cbSize = sizeof document;
  document.lpszDocName = kJobName;
  bool started = StartDocA(dc, &document) > 0;
  if (started) {
    if (PrintPages(dc, fonts, frame, lineHeight, rows)) {
      EndDoc(dc);
    } else {
      AbortDoc(dc);
    }
  }
  ThePrint.progress = nullptr;
  return started || ThePrint.cancel != 0;
}

void PrintRows(HDC dc, const LOGFONTA& chosen, int pointSize) {
  SetMapMode(dc, MM_TEXT);
  LOGFONTA font = chosen;
  font.lfHeight = PrintFontHeight(pointSize, GetDeviceCaps(dc, LOGPIXELSY));
  font.lfWidth = 0;
  PreferShiftJis(dc, font);
  win::Font printerFont(CreateFontIndirectA(&font));
  // A face without Japanese glyphs prints the Japanese characters in a Japanese face.
  LOGFONTA japanese = font;
  win::Font japaneseFont;
  if (font.lfCharSet != SHIFTJIS_CHARSET && UseJapaneseFace(dc, japanese)) japaneseFont.Reset(CreateFontIndirectA(&japanese));
  const PrinterFonts fonts{printerFont, japaneseFont};
  int lineHeight = LineHeight(dc, printerFont);
  PageFrame frame = ComputePageFrame(ThePrint.offsets, ThePrint.flags, ThePrint.printer.horizontalResolution,
                                     ThePrint.printer.verticalResolution, lineHeight);
  if (frame.rowsPerPage <= 0) {
    ShowPrintMessage(kNoRoomMessage);
    return;
  }
  const int32_t* selection = TheDocument.Selection;
  if (selection[0] < 0) LoadAll();
  RowSpan rows = RowsToPrint(selection[0], selection[1], TheDocument.RowCount);
  if (rows.Count() <= 0) return;
  if (!RunPrintJob(dc, fonts, frame, lineHeight, rows)) ShowPrintMessage(kNotStartedMessage);
}

}  // namespace

void PrintDocument() {
  DefaultPrinter printer;
  if (!OpenDefaultPrinter(printer)) {
    ShowPrintMessage(kNoPrinterMessage);
    return;
  }
  ThePrint.printer = MeasurePrinter(printer.dc);
  LOGFONTA font = LastPrinterFont(printer.dc);
  int pointSize = 0;
  if (!ChoosePrinterFont(printer.dc, font, pointSize)) return;
  StoreBytes(kPrinterFontValue, BytesFromLogFont(font).bytes, kLogFontSize);
  PrintRows(printer.dc, font, pointSize);
}

BOOL CALLBACK PrintAbortProc(HDC, int) {
  PumpMessages(ThePrint.progress, &ThePrint.cancel);
  return ThePrint.cancel == 0;
}
