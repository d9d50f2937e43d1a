// A running ZV32.EXE for the end-to-end tests: started on a command line, its main window and
// the texts a user reads (title, position, status message), commands and keys sent to it, and
// the settings key and test files it works with.
#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/e2e_driver_win.h"
#include "tests/e2e/zv32_windows_win.h"

namespace e2e {

class Viewer {
 public:
  // Arguments follow "ZV32.EXE "; the window must appear within 20 s.  The viewer starts in
  // `workingDir` (default: ExeDir()).
  explicit Viewer(const std::string& arguments = {}, const std::string& workingDir = {});
  HWND main() const { return main_; }
  HWND text() const;
  DWORD ProcessId() const { return program_.Id(); }
  std::string Title() const { return Text(main_); }
  std::string Position() const { return Text(GetDlgItem(main_, kPositionItem)); }
  std::string Message() const { return Text(GetDlgItem(main_, kMessageItem)); }
  // The 1-based top row and the row count read from the position text "top/count".
  int TopRow() const;
  int RowCount() const;
  // Waits until the position text shows `rows` rows (loading finished).
  bool WaitRows(int rows, DWORD timeoutMs = 20000) const;
  bool WaitTopRow(int row, DWORD timeoutMs = 5000) const;
  bool WaitMessage(const std::string& message, DWORD timeoutMs = 5000) const;
  void Command(int id) const { Post(main_, WM_COMMAND, WPARAM(id)); }
  // A key pressed in the text window with the modifiers given (held through real input).
  void Press(UINT key, bool shift = false, bool ctrl = false) const;
  // A left-button drag in the text window between two client points; the pointer itself goes
  // along (the drag timer reads where it is).
  void Drag(POINT from, POINT to) const;
  bool WaitExit(DWORD timeoutMs, DWORD* exitCode = nullptr) { return program_.WaitExit(timeoutMs, exitCode); }

 private:
  Program program_;
  HWND main_;
};

// The viewer's settings key.
constexpr char kSettingsKey[] = "Software\\Plim\\ZelkoView";
void DeleteSettingsKey();
bool ReadSetting(const char* name, std::string& bytes, DWORD* type = nullptr);
void WriteBinarySetting(const char* name, const std::string& bytes);
void WriteStringSetting(const char* name, const std::string& text);
void WriteDwordSetting(const char* name, DWORD value);

// What is wrong with the first rectangle of a sub-window opened from a fresh settings key,
// against the viewer's (empty when it is right): beside the viewer (right of it, or below it),
// at least 240 pixels wide and 200 high, and not over the viewer's caption or menu.
std::string SubWindowPlacementFault(HWND viewer, HWND subWindow);

// The width of `text` in the system font (the file lists' font when none is chosen).
int SystemFontWidth(const char* text);
// The longest run of columns in [fromX, toX) of a list line `item` (client coordinates of the
// captured list) with ink below the baseline of system-font text centred in the line: where an
// underscore, and nothing else of a name without descenders, is drawn.  The background is the
// line's bottom-right pixel.
int LongestInkBelowBaseline(const Image& list, const RECT& item, int fromX, int toX);

// Test files live in ExeDir()\e2e-files; returns the full Windows path written.
std::string WriteTestFile(const std::string& name, const std::string& bytes);
// `count` copies of `line` (which carries its own line end).
std::string RepeatedLines(int count, const std::string& line);
// Lines "line N ..." of Shift-JIS text, CR LF ended.
std::string NumberedLines(int count);

}  // namespace e2e
