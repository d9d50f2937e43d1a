// The pieces of the Zelko Filer window that its files share: the window's properties and
// process-wide objects, and one entry point per job (layout, refresh, drawing, choosing,
// keys, the mask popup).  Only the filer's own files include this.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Window properties of the filer: "Level" (number of path items) and "POS" (the column
// positions, an int array owned by FilerColumnPositions).
constexpr char kLevelProperty[] = "Level";
constexpr char kPositionsProperty[] = "POS";

// Process-wide objects of the filer, loaded once.
extern HBITMAP FilerToolBitmap;  // "FToolBar"
extern HBITMAP DriveBitmap;      // "Drive"
// Associated extensions: a NUL-separated list closed by an empty string.
// (Larger than the "Extensions" key ever needs, so that the shell's own list fits too.)
constexpr size_t kAssociatedExtensionsSize = 4096;
extern char AssociatedExtensions[kAssociatedExtensionsSize];
// The column positions of the current list (what "POS" points at).
extern std::vector<int> FilerColumnPositions;

// Associated extensions: the subkeys of the user's "Extensions" key, or, where that key is
// missing or empty, the extensions registered under HKEY_CLASSES_ROOT.
void ReadAssociatedExtensions();

// Dialog base units.
int FilerBaseUnitX();
int FilerBaseUnitY();
HFONT FilerFontObject();  // the filer font object, or the stock system font

HWND FilerList(HWND filer);
int FilerLevel(HWND filer);
std::string CurrentDirectory();

// A cell of the drive bar: (w + 25) x (max(h, 16) + 6) for the letter "W" of the main window.
SIZE DriveCellSize();
// The drive bar's commands: previous and next drive (wrapping).
constexpr int kPreviousDriveCommand = 37;
constexpr int kNextDriveCommand = 39;

// Layout of the children for the client size, and the sunken frame round the list.
void LayoutFiler(HWND filer, int width, int height);
void PaintFilerFrame(HWND filer, HDC dc);

// WM_ZV_REFRESH: re-reads the current directory; `select` is the item to select afterwards,
// -1 the current selection.
void RefreshFiler(HWND filer, int select);

// Owner drawing of the list items.
void MeasureFilerItem(MEASUREITEMSTRUCT* measure);
void DrawFilerItem(HWND filer, const DRAWITEMSTRUCT* draw);

// Choosing items: selection change, double click, Enter, keys, the drive combo box.
void OnFilerSelectionChange(HWND filer);
void OnFilerDoubleClick(HWND filer);
// WM_VKEYTOITEM: -2 when the key was handled, -1 for the list's default handling.
LRESULT OnFilerKey(HWND filer, UINT key, int current);
void OnDriveComboChange(HWND filer);
void ShowMaskPopup(HWND filer);
void RunChdirDialog(HWND filer);
void ShowFilerHelp(HWND filer);

// The text of list item `index` ("" when there is none).
std::string FilerItemText(HWND list, int index);
// The full path of item `index` of the list (a path item gives its folder); empty when there
// is no such item or the path is too long.
std::string FilerItemPath(HWND list, int index);

// The list front end: the subclass procedure of list 930 (click or drag).
LRESULT CALLBACK FilerListBoxFrontEnd(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
void SubclassFilerList(HWND list);
