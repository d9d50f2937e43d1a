// HexTextToBytes: the defaults of binary settings are written in the program as hexadecimal
// text, two characters per byte, bytes in memory order.
#pragma once

#include <cstdint>

// Decodes count bytes from 2 x count characters of text.  A character above '@' (a letter)
// counts its code minus 55, any other its code minus 48; each byte is taken modulo 256.
void HexTextToBytes(const char* text, uint8_t* bytes, int count);
