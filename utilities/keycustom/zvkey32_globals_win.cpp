// The key customizer's process-wide state and its message boxes (see zvkey32_globals_win.h).
#include "utilities/keycustom/zvkey32_globals_win.h"

#include <cstring>

#include "text/sjis.h"

AssignmentTable Assignments;
uint16_t CapturedKey = 0;
char ViewerPath[MAX_PATH + 16] = "";
HFONT ListFont = nullptr;

namespace {

constexpr char kToolCaption[] = "Zelko View 32 キーアサインカスタマイズツール";
constexpr char kViewerFileName[] = "ZV32.EXE";

}  // namespace

std::string PathBesideProgram(const char* fileName) {
  char module[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
  if (length == 0 || length >= sizeof module) length = 0;
  // The folder ends at its last separator; a '\\' inside a double-byte character does not count.
  size_t separator = LastPathSeparator({module, length});
  return std::string(module, separator == std::string_view::npos ? 0 : separator) + "\\" + fileName;
}

void BuildViewerPath() {
  std::string path = PathBesideProgram(kViewerFileName);
  if (path.size() >= sizeof ViewerPath) path.clear();
  std::strcpy(ViewerPath, path.c_str());
}

void ShowToolError(HWND owner, const char* text) { MessageBoxA(owner, text, kToolCaption, MB_OK | MB_ICONERROR); }

bool AskToolQuestion(HWND owner, const char* text) {
  return MessageBoxA(owner, text, kToolCaption, MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) == IDYES;
}
