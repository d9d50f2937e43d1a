// The viewer's in-memory settings: one global per stored value, with the defaults in force
// before the settings are read.  The settings store reads and writes them; every subsystem
// reads them directly.
#pragma once

#include <cstdint>

// DWORD values.
extern int32_t LineMax;      // wrap width in characters
extern int32_t Spacing;      // left margin of the text in pixels
extern int32_t RSpacing;     // right margin in pixels
extern int32_t LineSpacing;  // extra pixels between rows
extern int32_t TabSize;      // tab stop distance in characters
extern int32_t WindowStyle;

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
