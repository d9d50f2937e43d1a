// The viewer's process-wide Win32 state: the windows, the shared GDI objects and menus loaded
// at start-up, and the few main-window services the other windows call.  One instance per
// process; the start-up code fills it in, the shutdown code releases it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/win/owners.h"
#include "viewer/resources/zv32_ids.h"
#include "viewer/settings/settings_globals.h"

// Child ids of the main window.
constexpr int kPositionFrameId = 1000;
constexpr int kPositionTextId = 1001;
constexpr int kMessageFrameId = 1002;
constexpr int kMessageTextId = 1003;
constexpr int kLoadMeterId = 1004;
constexpr int kMarkListId = 1005;
constexpr int kSizeGripId = 1006;
constexpr int kLeftTabId = 1007;

// Window class names.
constexpr char kMainWindowClass[] = "Zelko View 32";
constexpr char kTextWindowClass[] = "ZelkoView!Text";
constexpr char kFilerWindowClass[] = "ZelkoView!Filer";
constexpr char kArchFilerWindowClass[] = "ZelkoView!ArchFiler";
constexpr char kLineListWindowClass[] = "ZelkoView!LList";
constexpr char kMarkListWindowClass[] = "ZelkoView!MarkList";
constexpr char kLeftTabWindowClass[] = "ZelkoView!LeftTab";
constexpr char kDriveBarWindowClass[] = "ZelkoView!DriveBar";
constexpr char kFontWindowClass[] = "ZelkoView!FontWindow";
constexpr char kColorBoxWindowClass[] = "ZelkoView!ColorBox";

extern HINSTANCE Instance;
extern char HelpPath[256];
extern win::Library ControlLibrary;

extern HWND MainWindow;  // null once WM_CLOSE was accepted
extern HWND TextWindow;
// Signalled when the filer's folder changes; empty while no filer watches one.
extern win::ChangeNotification DirChangeHandle;

// Shared GDI objects, menus and cursors (loaded at start-up, released at shutdown; the owners
// free them, the cursors are shared resources the system frees).
extern HFONT OemFont;
extern win::Font DisplayFont;  // the text window's font: the "Font" setting or the stock fixed font
extern win::Font FilerFontHandle;
extern win::Bitmap ToolBarBitmap;
extern win::Bitmap LogoBitmap;
extern win::Bitmap FlagBitmap;
extern win::Bitmap IconBitmap;
extern win::Bitmap MarkGlyphBitmap;  // 36 x RowHeight: CR and TAB marks, normal and inverted
extern win::Menu MainMenu;
extern win::Menu FilerPopupMenu;
extern win::Menu ContextMenus[kRightMenuCount];  // 0 on selected text, 1 on line numbers, 2 elsewhere
extern HCURSOR LineCursor;
extern HCURSOR FlagCursor;

// The text window's layout values.
extern int32_t CharWidth;
extern int32_t TextLeftEdge;
extern int32_t VisibleColumnCount;
extern int32_t PageRowCount;

// Width and height of "W" in the main window's default font (Zelko Filer's measure).
extern int FilerLetterWidth;
extern int FilerLetterHeight;

// Status bar and busy cursor of the main window.
void ShowStatusMessage(const char* text, int priority);
void SetBusy(bool on);
