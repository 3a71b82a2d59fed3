#pragma once
// The searched form of a text: case-folded and written one byte per character
// for the letters of Russian and English texts, so that the search data of an
// article is about as long as its text and a term is found with a plain byte
// search (memmem) at memory speed.
//
// Bytes 0x00–0x7F are ASCII (folded, so A–Z never occur); the folded characters
// of code page 1251 take their 1251 byte in 0x80–0xBF and 0xE0–0xFF (а…я, ё,
// «», —, № …). Every other UTF-16 unit is four bytes: a leader 0xC0–0xCF with
// its top four bits, then three followers 0xD0–0xDF (1251's capital letters,
// which folded text never holds). A leader or a single byte can only stand at
// the start of a character, so a folded term occurs in a folded text as bytes
// exactly where it occurs as characters.
#include <QByteArray>
#include <QStringView>

namespace search {

// Appends the folded form of text to out.
void appendFolded(QByteArray& out, QStringView text);
QByteArray folded(QStringView text);

// Whether the folded pattern occurs in the folded text.
bool containsFolded(const char* text, qsizetype size, const QByteArray& pattern);

}  // namespace search
