// The row rules of the intelligent analyses: which row text is a table-of-contents entry, an
// ".INI" section or a communication-log header.  Each looks at one row as FormatRow gives it.
#pragma once

// A table-of-contents entry: after blanks (space, tab, the full-width space) and opening
// brackets, a digit (ASCII or full-width) or one of the symbols from § to ▼.
bool IsIndexEntry(const char* text);

// An ".INI" section: the row begins with "[" and its last character is "]" (at least two
// characters; a "]" that is the second byte of a double-byte character does not count).
bool IsIniSection(const char* text, int length);

// The number (1 to 4) of the log-header pattern that matches the row from its first
// character, or 0 when none does.
int LogHeaderPattern(const char* text, int length);
