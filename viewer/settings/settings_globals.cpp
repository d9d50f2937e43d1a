// Storage and start values of the in-memory settings (the defaults of the stored values).
#include "viewer/settings/settings_globals.h"

int32_t LineMax = kLineMaxDefault;
int32_t Spacing = kSpacingDefault;
int32_t RSpacing = kRSpacingDefault;
int32_t LineSpacing = kLineSpacingDefault;
int32_t TabSize = kTabSizeDefault;
int32_t WindowStyle = kWindowStyleDefault;
int32_t PrevWinStyle = 5;
int32_t PrevWinRect[4] = {32768, 32768, 32768, 32768};

uint32_t TextColor = 0x000000;
uint32_t ControlColor = 0xC67635;
uint32_t LineColor = 0x8F0AD8;
uint32_t BackColor = 0xFFFFFF;
uint32_t CtrlColor = 0x06B028;

uint8_t ToolBarList[kToolBarListSize] = {0xFE};
uint16_t RightMenus[kRightMenuCount][kRightMenuEntries] = {{0xFFFE}, {0xFFFE}, {0xFFFE}};

char Editor[kEditorSize] = "NOTEPAD.EXE";
char FileMask[kFileMaskSize] = "*.*";
char FilerMask[kFilerMaskSize] = "";
WindowLinkSlots WindowLink = {"LT", "RT", "RB", "LBR"};
char SearchHistory[kSearchHistorySize] = "Plim";

LogFontBytes TextFont;
bool TextFontStored = false;
LogFontBytes FilerFont;
bool FilerFontStored = false;

int32_t ShowCrMarks = 1;
int32_t ShowTabMarks = 1;
int32_t ShowControlCodes = 1;
int32_t CaseSensitive = 1;
int32_t WrapLines = 1;
int32_t ShowStatusBar = 1;
int32_t ShowMenuBar = 1;
int32_t ToolBarPlacement = 1;
int32_t CopyOnSelect = 0;
int32_t PureInverseColors = 1;
int32_t ShowLineNumbers = 1;
uint8_t FilerSortKey = 4;
uint8_t FilerSortDescending = 0;
int32_t RegexMode = 0;
int32_t FilerCustomType = 0;
uint8_t FilerInfoColumns = 7;
uint8_t FilerTypeFilter = 15;
int32_t WindowLinking = 0;
int32_t SeriousIcons = 1;
int32_t FilerLowerCase = 0;
int32_t FilerAtStart = 1;
int32_t FilerVertical = 1;
int32_t ShowDriveBar = 1;
int32_t RememberDirectory = 1;
int32_t UnownedSubWindows = 0;
int32_t SpareFlag = 1;
