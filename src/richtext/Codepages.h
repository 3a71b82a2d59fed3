#pragma once
// Windows code pages as RTF names them (\ansicpgN, \cpgN, \fcharsetN), decoded to UTF-16.
// Single-byte pages become a 256-entry table built once through ICU, so the reader's
// hot loop is a table look-up; the double-byte East Asian pages go through ICU per character.
#include <QString>

#include <array>

namespace richtext::detail {

inline constexpr int kSymbolCodePage = 42;  // what Windows calls CP_SYMBOL

// The code page of a font's \fcharset, or -1 when the charset defers to the document's.
int codePageOfCharset(int charset);

// A decoding table for a single-byte page; nullptr for a double-byte page.
// Unknown pages fall back to 1252, as Windows does for an ANSI document.
const std::array<char16_t, 256>* singleByteTable(int codePage);

// True when `byte` starts a two-byte character in the double-byte page `codePage`.
bool isLeadByte(int codePage, unsigned char byte);

// Decodes one (lead, trail) pair or a single byte (lead = 0) of a double-byte page.
QString decodeDoubleByte(int codePage, unsigned char lead, unsigned char trail);

// The byte of `ch` in code page 1251, or 0 when it has none (the writer then uses \uN).
unsigned char encode1251(char16_t ch);

}  // namespace richtext::detail
