// The running key customizer of the end-to-end tests (see zvkey32_session_win.h).
#include "tests/e2e/zvkey32_session_win.h"

#include <iterator>

namespace e2e {

namespace {

bool IsExtendedKey(WORD key) {
  switch (key) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME: case VK_LEFT: case VK_UP: case VK_RIGHT:
    case VK_DOWN: case VK_INSERT: case VK_DELETE:
      return true;
  }
  return false;
}

void SendKey(WORD key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = WORD(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
  SendInput(1, &input, sizeof input);
}

// The edit field of a file dialog: the file-name combo box's edit, or the plain edit field.
HWND FileNameField(HWND fileDialog) {
  if (HWND combo = GetDlgItem(fileDialog, 0x47C)) {
    if (HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr)) return edit;
    return combo;
  }
  return GetDlgItem(fileDialog, 0x480);
}

}  // namespace

Customizer::Customizer(const std::string& program, const std::string& folder) : program_(program, folder, false) {}

HWND Customizer::WaitDialog() {
  if (!dialog_) dialog_ = WaitForWindow(program_.Id(), "PlimDialog", kCustomizerTitle, 20000);
  return dialog_;
}

// Asked as wide text: Wine hands another process's list-box lines over in UTF-16 only.
std::vector<std::string> Customizer::Lines() const {
  std::vector<std::string> lines;
  HWND list = Item(kList);
  int count = int(Send(list, LB_GETCOUNT));
  for (int i = 0; i < count; ++i) {
    wchar_t wide[256] = L"";
    DWORD_PTR length = 0;
    SendMessageTimeoutW(list, LB_GETTEXTLEN, WPARAM(i), 0, SMTO_ABORTIFHUNG, 5000, &length);
    if (length >= std::size(wide)) return {};
    SendMessageTimeoutW(list, LB_GETTEXT, WPARAM(i), LPARAM(wide), SMTO_ABORTIFHUNG, 5000, nullptr);
    char text[512] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    lines.emplace_back(text);
  }
  return lines;
}

int Customizer::SelectedLine() const { return int(Send(Item(kList), LB_GETCURSEL)); }

bool Customizer::Checked(int id) const { return Send(Item(id), BM_GETCHECK) == BST_CHECKED; }

void Customizer::FocusKeyBox() const {
  ShowAndSettle(dialog_);
  RealClick(Item(kKeyBox), 4, 4);
}

void Customizer::Type(WORD virtualKey) const {
  SendKey(virtualKey, 0);
  Pause(50);
  SendKey(virtualKey, KEYEVENTF_KEYUP);
  Pause(150);
}

void Customizer::ChooseCommand(int code) const {
  HWND combo = Item(kCommands);
  int count = int(Send(combo, CB_GETCOUNT));
  for (int i = 0; i < count; ++i)
    if (Send(combo, CB_GETITEMDATA, WPARAM(i)) == code) Send(combo, CB_SETCURSEL, WPARAM(i));
}

HWND Customizer::WaitMessageBox(DWORD timeoutMs) const {
  return WaitForWindow(program_.Id(), "#32770", kCustomizerCaption, timeoutMs);
}

std::string Customizer::Answer(int answer, const std::string& screenshot) const {
  HWND box = WaitMessageBox();
  if (!box) return "(no message)";
  std::string text = MessageBoxText(box);
  if (!screenshot.empty()) SaveScreenshot(box, screenshot);
  Post(box, WM_COMMAND, WPARAM(answer));
  WaitUntil([&] { return !IsWindow(box); }, 5000);
  return text;
}

bool Customizer::ChooseFile(int button, const char* title, const std::string& path) const {
  Press(button);
  HWND fileDialog = WaitForWindow(program_.Id(), "#32770", title, 10000);
  if (!fileDialog) return false;
  HWND field = FileNameField(fileDialog);
  if (!field) return false;
  SetText(field, path);
  Post(fileDialog, WM_COMMAND, WPARAM(IDOK));
  return WaitUntil([&] { return !IsWindow(fileDialog); }, 10000);
}

}  // namespace e2e
