// Definitions of the viewer's process-wide Win32 state (see viewer_globals_win.h).
#include "viewer/frame/viewer_globals_win.h"

HINSTANCE Instance = nullptr;
char HelpPath[256] = "";
win::Library ControlLibrary;

HWND MainWindow = nullptr;
HWND TextWindow = nullptr;
win::ChangeNotification DirChangeHandle;

HFONT OemFont = nullptr;
win::Font DisplayFont;
win::Font FilerFontHandle;
win::Bitmap ToolBarBitmap;
win::Bitmap LogoBitmap;
win::Bitmap FlagBitmap;
win::Bitmap IconBitmap;
win::Bitmap MarkGlyphBitmap;
win::Menu MainMenu;
win::Menu FilerPopupMenu;
win::Menu ContextMenus[kRightMenuCount];
HCURSOR LineCursor = nullptr;
HCURSOR FlagCursor = nullptr;

int32_t CharWidth = 8;
int32_t TextLeftEdge = 0;
int32_t VisibleColumnCount = 0;
int32_t PageRowCount = 0;

int FilerLetterWidth = 0;
int FilerLetterHeight = 0;
