// Walkers over Shift-JIS command lines and paths: where a program's arguments begin, and the
// upper-casing of a path's single-byte letters.  Both step over double-byte characters, whose
// trail byte may look like a separator ('\\', '|') or a letter.
#pragma once

#include <string_view>

// The text after the program's name (quoted or ending at the first blank or TAB) and the
// blanks and TABs that follow it.  Bytes from 0x80 up are never blanks.
std::string_view ProgramArguments(std::string_view commandLine);

// Upper-cases the single-byte letters a-z of a NUL-terminated text in place; both bytes of a
// double-byte character stay as they are.
void UpperCaseSingleByteLetters(char* text);
