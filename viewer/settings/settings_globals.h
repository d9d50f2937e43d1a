// The viewer's in-memory settings: one global per stored value, with the defaults in force
// before the settings are read.  The settings store reads and writes them; every subsystem
// reads them directly.
#pragma once

#include <cstddef>
#include <cstdint>

#include "viewer/settings/bar_lists.h"
#include "viewer/settings/font_value.h"

// Defaults of the DWORD values, shared by the start values below and the settings loader.
constexpr int32_t kLineMaxDefault = 80;
constexpr int32_t kSpacingDefault = 10;
constexpr int32_t kRSpacingDefault = 4;
constexpr int32_t kLineSpacingDefault = 0;
constexpr int32_t kTabSizeDefault = 4;
constexpr int32_t kWindowStyleDefault = 1;

// DWORD values.
extern int32_t LineMax;      // wrap width in characters
extern int32_t Spacing;      // left margin of the text in pixels
extern int32_t RSpacing;     // right margin in pixels
extern int32_t LineSpacing;  // extra pixels between rows
extern int32_t TabSize;      // tab stop distance in characters
extern int32_t WindowStyle;  // bit 0 system placement, bit 1 start maximized, bit 2 fit width
extern int32_t PrevWinStyle;  // show state of the main window at its last close: 3, 5 or 6
// Left, top, width, height of the main window at its last close.
extern int32_t PrevWinRect[4];

// Colours as COLORREF (red in the low byte).
extern uint32_t TextColor;
extern uint32_t ControlColor;  // CR and TAB marks
extern uint32_t LineColor;     // line numbers
extern uint32_t BackColor;
extern uint32_t CtrlColor;     // other visible control codes

// Tool bar layout: button numbers, 0xFF a gap, 0xFE the end.
constexpr size_t kToolBarListSize = 256;
extern uint8_t ToolBarList[kToolBarListSize];
// The three right-button menus: command ids, 0xFFFF a separator, 0xFFFE the end.
constexpr int kRightMenuCount = 3;
constexpr int kRightMenuEntries = 30;
extern uint16_t RightMenus[kRightMenuCount][kRightMenuEntries];

constexpr size_t kEditorSize = 128;
extern char Editor[kEditorSize];      // editor command template
constexpr size_t kFileMaskSize = 128;
extern char FileMask[kFileMaskSize];  // user-defined filter of the open-file dialog
constexpr size_t kFilerMaskSize = 1024;
extern char FilerMask[kFilerMaskSize];  // custom file-type entries, a NUL-separated list
extern WindowLinkSlots WindowLink;      // link paths: viewer, filer, archive filer, lists
constexpr size_t kSearchHistorySize = 368;
extern char SearchHistory[kSearchHistorySize];  // string list, oldest first

// The text font and the filer font; the Stored flags say whether the value came from the
// settings (then a font is created from it) or is the stock font's description.
extern LogFontBytes TextFont;
extern bool TextFontStored;
extern LogFontBytes FilerFont;
extern bool FilerFontStored;

// The flags of BooleanOption, in their string order.
extern int32_t ShowCrMarks;
extern int32_t ShowTabMarks;
extern int32_t ShowControlCodes;
extern int32_t CaseSensitive;
extern int32_t WrapLines;
extern int32_t ShowStatusBar;
extern int32_t ShowMenuBar;
extern int32_t ToolBarPlacement;
extern int32_t CopyOnSelect;
extern int32_t PureInverseColors;
extern int32_t ShowLineNumbers;
extern uint8_t FilerSortKey;
extern uint8_t FilerSortDescending;
extern int32_t RegexMode;
extern int32_t FilerCustomType;
extern uint8_t FilerInfoColumns;
extern uint8_t FilerTypeFilter;
extern int32_t WindowLinking;
extern int32_t SeriousIcons;
extern int32_t FilerLowerCase;
extern int32_t FilerAtStart;
extern int32_t FilerVertical;
extern int32_t ShowDriveBar;
extern int32_t RememberDirectory;
extern int32_t UnownedSubWindows;
extern int32_t SpareFlag;
