// A running ZVKEY32.EXE for the end-to-end tests: its dialog "Main", the lines of its
// assignment list, keys typed into its key box by real input, its buttons, its message boxes
// and its open and save dialogs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/e2e_driver_win.h"

namespace e2e {

constexpr char kCustomizerTitle[] = "Zelko View  キーアサイン カスタマイズ";
constexpr char kCustomizerCaption[] = "Zelko View 32 キーアサインカスタマイズツール";

class Customizer {
 public:
  // `program` is ZVKEY32.EXE in ExeDir() or a full path; it starts in `folder` (default ExeDir()).
  explicit Customizer(const std::string& program = "ZVKEY32.EXE", const std::string& folder = {});
  // Waits for the dialog (after any message shown while it starts has been answered).
  HWND WaitDialog();
  HWND dialog() const { return dialog_; }
  HWND Item(int id) const { return e2e::Item(dialog_, id); }
  DWORD ProcessId() const { return program_.Id(); }

  std::vector<std::string> Lines() const;
  int SelectedLine() const;
  bool Checked(int id) const;
  std::string KeyBoxText() const { return Text(Item(kKeyBox)); }

  // A key pressed and released in the key box through the system's input queue.
  void Type(WORD virtualKey) const;
  // Gives the key box the focus, as a click into it does.
  void FocusKeyBox() const;
  void ChooseCommand(int code) const;
  // A button, without waiting for what it starts (message boxes and file dialogs are modal).
  void Press(int id) const { Post(dialog_, WM_COMMAND, WPARAM(id)); }

  // The message box of the customizer; its text, after pressing `answer` in it.
  HWND WaitMessageBox(DWORD timeoutMs = 10000) const;
  std::string Answer(int answer = IDOK, const std::string& screenshot = {}) const;
  // Runs the open (load) or save dialog of a button with `path` typed in as the file name.
  bool ChooseFile(int button, const char* title, const std::string& path) const;

  bool WaitExit(DWORD timeoutMs, DWORD* exitCode = nullptr) { return program_.WaitExit(timeoutMs, exitCode); }

  static constexpr int kList = 200, kKeyBox = 300, kCtrlBox = 310, kShiftBox = 311, kCommands = 330;
  static constexpr int kLoad = 500, kSave = 501, kWrite = 502, kAdd = 600, kDelete = 601, kExit = 1;

 private:
  Program program_;
  HWND dialog_ = nullptr;
};

}  // namespace e2e
