// MainDialogProc and one function per button (see main_dialog_win.h).
#include "utilities/keycustom/main_dialog_win.h"

#include <commdlg.h>

#include "platform/win/owners.h"
#include "utilities/keycustom/assignment_list_win.h"
#include "utilities/keycustom/key_assign_registry_win.h"
#include "utilities/keycustom/key_box_win.h"
#include "utilities/keycustom/key_file.h"
#include "utilities/keycustom/zvkey32_globals_win.h"
#include "utilities/keycustom/zvkey32_ids.h"

namespace {

constexpr char kHelpFile[] = "ZLKOVIEW.HLP";
constexpr char kHelpFileMissing[] = "ヘルプファイル(ZLKOVIEW.HLP)がZVKEY32.EXEと同じフォルダにありません。";
constexpr char kKeyFileFilter[] = "ｷｰ定義ﾌｧｲﾙ (*.ZVK)\0*.ZVK\0全てのﾌｧｲﾙ (*.*)\0*.*\0";
constexpr int kKeyBoxTextSize = 101;  // at most 100 characters of the key box make a line

bool ViewerIsBeside() {
  win::Handle file(CreateFileA(ViewerPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  return bool(file);
}

void OnInitDialog(HWND dialog) {
  SubclassKeyBox(GetDlgItem(dialog, IDC_KEY_BOX));
  FillCommandList(dialog);
  SendDlgItemMessageA(dialog, IDC_ASSIGN_LIST, WM_SETFONT, WPARAM(ListFont), FALSE);
  if (!ViewerIsBeside()) {
    ShowToolError(dialog, "Zelko View本体(ZLKOVIEW.EXE)がありません。同じディレクトリから実行して下さい");
    return;
  }
  if (!ReadKeyAssign(Assignments)) {
    ShowToolError(dialog, "一度Zelko Viewを使った後で実行してください");
    return;
  }
  FillAssignmentList(dialog);
}

uint8_t CheckedModifiers(HWND dialog) {
  return uint8_t((IsDlgButtonChecked(dialog, IDC_SHIFT_BOX) == BST_CHECKED ? kModShift : 0) |
                 (IsDlgButtonChecked(dialog, IDC_CTRL_BOX) == BST_CHECKED ? kModCtrl : 0));
}

void OnAdd(HWND dialog) {
  uint8_t modifiers = CheckedModifiers(dialog);
  if (CapturedKey == 0) return ShowToolError(dialog, "キーが入力されていません");
  int same = Assignments.FindSame(CapturedKey, modifiers);
  if (same != kNoSlot) {
    SelectAssignmentLine(dialog, LineOfSlot(dialog, same));
    return ShowToolError(dialog, "キー定義に重複があります");
  }
  int slot = Assignments.Add({CapturedKey, modifiers, SelectedCommand(dialog)});
  if (slot == kNoSlot) return ShowToolError(dialog, "これ以上追加できません");
  char keyName[kKeyBoxTextSize] = "";
  GetDlgItemTextA(dialog, IDC_KEY_BOX, keyName, sizeof keyName);
  SelectAssignmentLine(dialog, InsertAssignmentLine(dialog, slot, keyName));
  CheckDlgButton(dialog, IDC_SHIFT_BOX, BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_CTRL_BOX, BST_UNCHECKED);
}

void OnDelete(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_ASSIGN_LIST);
  LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return ShowToolError(dialog, "選択されていません");
  Assignments.Free(int(SendMessageA(list, LB_GETITEMDATA, WPARAM(index), 0)));
  SendMessageA(list, LB_DELETESTRING, WPARAM(index), 0);
  SelectAssignmentLine(dialog, int(index));
}

// The open or save dialog for key files; true with the chosen path in `path` (MAX_PATH bytes).
bool AskKeyFileName(HWND dialog, bool save, char* path) {
  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = dialog;
  request.lpstrFilter = kKeyFileFilter;
  request.nFilterIndex = 1;
  request.lpstrFile = path;
  request.nMaxFile = MAX_PATH;
  request.lpstrDefExt = "zvk";
  request.lpstrTitle = save ? "キー定義のセーブ" : "キー定義のロード";
  request.Flags = OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  return (save ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request)) != 0;
}

void ReportKeyFileFailure(HWND dialog, KeyFileResult result) {
  if (result == KeyFileResult::kCannotOpen) ShowToolError(dialog, "ファイルが開けません");
  if (result == KeyFileResult::kCannotWrite) ShowToolError(dialog, "ファイルに書き込めません");
}

void OnLoad(HWND dialog) {
  char path[MAX_PATH] = "";
  if (!AskKeyFileName(dialog, false, path)) return;
  // Read into a copy: a file that cannot be read leaves the list as it was.
  AssignmentTable loaded;
  KeyFileResult result = ReadKeyFile(path, loaded);
  if (result != KeyFileResult::kOk) return ReportKeyFileFailure(dialog, result);
  Assignments = loaded;
  FillAssignmentList(dialog);
}

void OnSave(HWND dialog) {
  char path[MAX_PATH] = "";
  if (AskKeyFileName(dialog, true, path)) ReportKeyFileFailure(dialog, WriteKeyFile(path, Assignments));
}

void OnWrite(HWND dialog) {
  if (!AskToolQuestion(dialog, "Zelko View本体に書き込みますか？")) return;
  if (!WriteKeyAssign(Assignments)) return ShowToolError(dialog, "Zelko View本体の設定(レジストリ)に書き込めません");
  ReloadKeysInViewers();
}

// The help engine runs in a process of its own, so it gets the full path of the help file beside
// this program; without the file there, a message says so instead of the engine's own question.
void OnHelp(HWND dialog) {
  const std::string path = PathBesideProgram(kHelpFile);
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return ShowToolError(dialog, kHelpFileMissing);
  WinHelpA(dialog, path.c_str(), HELP_CONTEXT, ZVKEY_HELP_CONTEXT);
}

void OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDC_ADD:
      return OnAdd(dialog);
    case IDC_DELETE:
      return OnDelete(dialog);
    case IDC_LOAD:
      return OnLoad(dialog);
    case IDC_SAVE:
      return OnSave(dialog);
    case IDC_WRITE:
      return OnWrite(dialog);
    case IDC_HELP_BUTTON:
      return OnHelp(dialog);
    case IDC_EXIT:
    case IDCANCEL:
      EndDialog(dialog, id);
      return;
  }
}

}  // namespace

extern "C" INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam));
      return TRUE;
  }
  return FALSE;
}
