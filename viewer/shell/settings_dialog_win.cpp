// ChooseFontDialogProc: the messages of the settings dialog and its commands (choosers,
// samples, browsing, list editing); opening and confirming live in their own files.
#include "viewer/shell/settings_dialog_win.h"

#include <cstring>

#include "viewer/shell/dialog_pages_win.h"
#include "viewer/shell/dialog_properties_win.h"
#include "viewer/frame/dialogs_win.h"
#include "viewer/shell/font_window_win.h"
#include "viewer/frame/help_win.h"
#include "viewer/shell/settings_dialog_parts_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr DWORD kSettingsHelpContext = 1023;
constexpr int kColorButtonBase = 210;  // id % 1000 - 210 is the colour slot
constexpr int kColorBoxOffset = 111;   // box id = button id - 111

// The colour chooser's custom colours, kept while the program runs.
COLORREF CustomColors[16];

// Samples of the four link paths (viewer, filer, archive filer, lists).
constexpr const char* kLinkSamples[3][kLinkSlotCount] = {
    {"LT", "RT", "RB", "LBR"}, {"LBL", "LTL", "LTR", "LBRB"}, {"LT", "LB", "RT", "RBLB"}};

void RepaintSample(HWND dialog) { InvalidateRect(GetDlgItem(dialog, IDC_FONT_SAMPLE), nullptr, TRUE); }

void ChooseTextFont(HWND dialog) {
  const ColorCopies* colors = PropertyOf<ColorCopies>(dialog, kColorsProperty);
  if (colors) ChooseDialogFont(dialog, IDC_FONT_SAMPLE, CF_FIXEDPITCHONLY, (*colors)[kTextSlot]);
}

void ChooseSlotColor(HWND dialog, int id) {
  ColorCopies* colors = PropertyOf<ColorCopies>(dialog, kColorsProperty);
  const int slot = id % 1000 - kColorButtonBase;
  if (!colors || slot < 0 || slot >= kColorSlotCount) return;
  CHOOSECOLORA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = dialog;
  request.rgbResult = (*colors)[slot];
  request.lpCustColors = CustomColors;
  request.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorA(&request)) return;
  (*colors)[slot] = request.rgbResult;
  if (slot <= kBackSlot) return RepaintSample(dialog);
  HWND box = GetDlgItem(dialog, id - kColorBoxOffset);
  SendMessageA(box, kSetBoxColor, 0, LPARAM(request.rgbResult));
  InvalidateRect(box, nullptr, FALSE);
}

// The sample's questions: a new font from the working copy, or one of the two colours.
LRESULT AnswerSample(HWND dialog, LPARAM query) {
  const ColorCopies* colors = PropertyOf<ColorCopies>(dialog, kColorsProperty);
  const LOGFONTA* font = PropertyOf<LOGFONTA>(dialog, kFontProperty);
  switch (query) {
    case kSampleFontQuery:
      return font ? LRESULT(CreateFontIndirectA(font)) : 0;
    case kSampleTextColorQuery:
      return colors ? LRESULT((*colors)[kTextSlot]) : 0;
    default:
      return colors ? LRESULT((*colors)[kBackSlot]) : LRESULT(GetSysColor(COLOR_WINDOW));
  }
}

void FillLinkSample(HWND dialog, int sample) {
  for (int slot = 0; slot < kLinkSlotCount; ++slot) SetDlgItemTextA(dialog, kLinkFields[slot], kLinkSamples[sample][slot]);
}

// The program part of the field (up to its first blank) starts the dialog; the chosen path
// replaces the whole field.
void BrowseForProgram(HWND dialog, int fieldId) {
  char name[kDialogPathSize] = "";
  GetDlgItemTextA(dialog, fieldId, name, sizeof name);
  if (char* blank = std::strchr(name, ' ')) *blank = '\0';
  OpenFileRequest request;
  request.filter = "実行ﾌｧｲﾙ (*.exe)\0*.exe\0全てのファイル (*.*)\0*.*\0";
  request.title = "参照";
  request.defaultExtension = "exe";
  if (AskFileName(dialog, request, name)) SetDlgItemTextA(dialog, fieldId, name);
}

bool IsListButton(int id) { return id % 1000 >= kListButtonBase && id % 1000 <= kListButtonBase + 4; }

void OnButton(HWND dialog, int id) {
  if (id == IDC_CHOOSE_FONT) ChooseTextFont(dialog);
  else if (id == IDC_CHOOSE_TEXT_COLOR || id == IDC_CHOOSE_BACK_COLOR || (id >= IDC_CHOOSE_CONTROL_COLOR && id <= IDC_CHOOSE_CTRL_COLOR))
    ChooseSlotColor(dialog, id);
  else if (id >= IDC_LINK_SAMPLE_1 && id <= IDC_LINK_SAMPLE_3) FillLinkSample(dialog, id - IDC_LINK_SAMPLE_1);
  else if (id >= IDC_TOOL_BROWSE_FIRST && id < IDC_TOOL_BROWSE_FIRST + kToolCount)
    BrowseForProgram(dialog, IDC_TOOL_COMMAND_FIRST + id - IDC_TOOL_BROWSE_FIRST);
  else if (id == IDC_EDITOR_BROWSE) BrowseForProgram(dialog, IDC_EDITOR);
  else if (id / 1000 == 3 && IsListButton(id)) EditListPair(dialog, kToolBarPair, id);
  else if (id / 1000 == 5 && IsListButton(id)) EditListPair(dialog, kMenuPair, id);
}

// WM_COMMAND; true when the message result was set (the sample's questions).
bool OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  switch (id) {
    case IDC_FONT_SAMPLE:
      SetWindowLongPtrA(dialog, DWLP_MSGRESULT, AnswerSample(dialog, lParam));
      return true;
    case IDC_OK:
      if (ConfirmSettingsDialog(dialog)) CloseSettingsDialog(dialog, IDOK);
      return false;
    case IDC_CANCEL:
      CloseSettingsDialog(dialog, IDCANCEL);
      return false;
    case IDC_HELP_BUTTON:
      ShowDialogHelp(dialog, kSettingsHelpContext);
      return false;
    case IDC_MENU_SITUATION:
      if (HIWORD(wParam) == CBN_SELCHANGE) {
        KeepMenuCopy(dialog);
        ShowMenuCopy(dialog, int(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)));
      }
      return false;
  }
  if (HIWORD(wParam) == BN_CLICKED) OnButton(dialog, id);
  return false;
}

void OnDrawItem(const DRAWITEMSTRUCT* item) {
  DrawListItem(item, item->CtlID == IDC_TOOL_CURRENT || item->CtlID == IDC_TOOL_AVAILABLE);
}

void FreeWorkingCopies(HWND dialog) {
  FreeProperty<LOGFONTA>(dialog, kFontProperty);
  FreeProperty<ColorCopies>(dialog, kColorsProperty);
  for (const char* name : kMenuPropertyNames) FreeProperty<MenuCopy>(dialog, name);
  RemovePropA(dialog, kPageProperty);
}

}  // namespace

bool ChooseDialogFont(HWND dialog, int sampleId, DWORD extraFlags, COLORREF color) {
  LOGFONTA* copy = PropertyOf<LOGFONTA>(dialog, kFontProperty);
  if (!copy) return false;
  LOGFONTA chosen = *copy;
  CHOOSEFONTA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = dialog;
  request.lpLogFont = &chosen;
  request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | extraFlags;
  request.rgbColors = color;
  if (!ChooseFontA(&request)) return false;
  *copy = chosen;
  InvalidateRect(GetDlgItem(dialog, sampleId), nullptr, TRUE);
  return true;
}

void CloseSettingsDialog(HWND dialog, int result) {
  EndDialog(dialog, result);
  if (HelpFileExists()) WinHelpA(dialog, HelpPath, HELP_QUIT, 0);
}

void ShowDialogHelp(HWND dialog, DWORD context) {
  if (HelpFileExists()) WinHelpA(dialog, HelpPath, HELP_CONTEXT, context);
  else ShowHelpContents(dialog);  // says that the help file is missing
}

INT_PTR CALLBACK ChooseFontDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OpenSettingsDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      return OnCommand(dialog, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
      return OnFolderNotification(dialog, message, wParam, lParam, IDC_SETTINGS_FOLDER, IDC_SETTINGS_FRAME);
    case WM_MEASUREITEM:
      MeasureListItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DESTROY:
      FreeWorkingCopies(dialog);
      return FALSE;
  }
  return FALSE;
}

void ShowSettingsDialog(HWND owner) { RunDialog(IDD_SETTINGS, owner, ChooseFontDialogProc); }
