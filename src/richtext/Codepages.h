#pragma once
// Windows code pages as RTF names them (\ansicpgN, \cpgN, \fcharsetN), decoded to UTF-16.
// Single-byte pages become a 256-entry table built once through ICU, so the reader's
// hot loop is a table look-up; the multi-byte pages (East Asian double-byte ones and UTF-8)
// go through ICU per character.
#include <QString>

#include <array>

namespace richtext::detail {

// Pages of our own for fonts whose bytes are glyph numbers, not characters: fonts of the
// symbol charset (\fcharset2) in general, and the Symbol and Wingdings fonts, whose glyphs
// have Unicode equivalents.
inline constexpr int kSymbolCodePage = 42;  // what Windows calls CP_SYMBOL
inline constexpr int kSymbolFontCodePage = 1000042;
inline constexpr int kWingdingsCodePage = 1000043;
inline constexpr int kUtf8CodePage = 65001;

// The code page of a font's \fcharset, or -1 when the charset defers to the document's.
int codePageOfCharset(int charset);

// The page a font's bytes are really in: the Symbol and Wingdings fonts have their own when
// their charset is the symbol one, the ANSI one or none (`declared` is -1, 1252 or 42).
int codePageOfFont(const QString& name, int declared);

// The page the reader decodes `codePage` with: Mac pages ICU does not know become the
// page they are a variant of (Mac Japanese is Shift_JIS, and so on).
int canonicalCodePage(int codePage);

// True for the pages of the symbol kind above; their table maps U+F0xx too.
bool isSymbolPage(int codePage);

// A decoding table for a single-byte page; nullptr for a multi-byte page.
// Unknown pages fall back to 1252, as Windows does for an ANSI document.
const std::array<char16_t, 256>* singleByteTable(int codePage);

// How many bytes the character starting with `lead` takes in the multi-byte page `codePage`.
int sequenceLength(int codePage, unsigned char lead);

// Decodes one character of a multi-byte page (its `length` bytes, as sequenceLength says).
QString decodeMultiByte(int codePage, const unsigned char* bytes, int length);

// The byte of `ch` in code page 1251, or 0 when it has none (the writer then uses \uN).
unsigned char encode1251(char16_t ch);

}  // namespace richtext::detail
