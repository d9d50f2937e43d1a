// Definitions of the viewer's process-wide Win32 state (see viewer_globals_win.h).
#include "viewer/shell/viewer_globals_win.h"

HINSTANCE Instance = nullptr;
char HelpPath[256] = "";
HMODULE ControlLibrary = nullptr;

HWND MainWindow = nullptr;
HWND TextWindow = nullptr;
HANDLE DirChangeHandle = nullptr;

HFONT OemFont = nullptr;
HFONT DisplayFont = nullptr;
HFONT FilerFontHandle = nullptr;
HBITMAP ToolBarBitmap = nullptr;
HBITMAP LogoBitmap = nullptr;
HBITMAP FlagBitmap = nullptr;
HBITMAP IconBitmap = nullptr;
HBITMAP MarkGlyphBitmap = nullptr;
HMENU MainMenu = nullptr;
HMENU FilerPopupMenu = nullptr;
HMENU ContextMenus[kRightMenuCount] = {};
HCURSOR LineCursor = nullptr;
HCURSOR FlagCursor = nullptr;

int32_t CharWidth = 8;
int32_t TextLeftEdge = 0;
int32_t VisibleColumnCount = 0;
int32_t PageRowCount = 0;

int FilerLetterWidth = 0;
int FilerLetterHeight = 0;
