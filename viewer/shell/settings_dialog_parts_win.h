// What the settings dialog's files share: the working copies kept as window properties, the
// tables that tie controls to settings, and the steps of opening and confirming the dialog.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "viewer/settings/settings_dialog_lists.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/shell/settings_list_pair_win.h"

// Working copies (window properties, freed in WM_DESTROY).
constexpr char kFontProperty[] = "LOGFONT";  // LOGFONTA of the text font
constexpr char kColorsProperty[] = "RGB";    // ColorCopies
constexpr char kPageProperty[] = "PAGE8";    // the right-button menu shown in the menu page
constexpr char kMenuPropertyNames[kRightMenuCount][6] = {"MENU0", "MENU1", "MENU2"};

enum ColorSlot { kTextSlot, kBackSlot, kControlSlot, kLineSlot, kCtrlSlot, kColorSlotCount };
using ColorCopies = std::array<COLORREF, kColorSlotCount>;
using MenuCopy = std::array<uint16_t, kRightMenuEntries>;

// A number field with its spin button and the setting it edits.
struct NumberSetting {
  int id;
  int spinId;
  NumberField field;
  int32_t* value;
};
extern const NumberSetting kNumberSettings[5];

// A check box and its flag.
struct FlagSetting {
  int id;
  int32_t* flag;
};
extern const FlagSetting kFlagSettings[13];

// The edit fields of the link paths, in WindowLink's slot order, and their captions.
constexpr int kLinkFields[kLinkSlotCount] = {4900, 4901, 4902, 4903};
extern const char* const kLinkCaptions[kLinkSlotCount];

constexpr int kToolCount = 7;
constexpr int kToolSize = 255;   // Tool0 .. Tool6
// ClipStr: what the field lets the user type, and what the copy commands read (a longer
// stored prefix is shown and kept as it is).
constexpr int kClipStrTypedSize = 19;
constexpr int kClipStrSize = 79;

extern const ListPair kToolBarPair;
extern const ListPair kMenuPair;

// Both settings dialogs: the font chooser on the "LOGFONT" working copy (screen fonts and
// `extraFlags`), the sample repainted on OK; true when a font was chosen.
bool ChooseDialogFont(HWND dialog, int sampleId, DWORD extraFlags, COLORREF color);
// Ends the dialog and tells the help engine to quit.
void CloseSettingsDialog(HWND dialog, int result);
// Help topic `context` of the help file (a message when the file is missing).
void ShowDialogHelp(HWND dialog, DWORD context);

// WM_INITDIALOG: working copies, every page filled from the settings, the pages laid out.
void OpenSettingsDialog(HWND dialog);
// Shows right-button menu `menu` (its working copy) in the menu page's list.
void ShowMenuCopy(HWND dialog, int menu);
// Writes the menu page's list back into the working copy of the menu it shows.
void KeepMenuCopy(HWND dialog);

// After OK: the text window and the main window rebuilt with the new settings.
void RebuildViewerWindows();

// OK: false (and nothing applied) when a field holds what its setting cannot take.
bool ConfirmSettingsDialog(HWND dialog);
