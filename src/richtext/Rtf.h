#pragma once
// Reading and writing article text as RTF, the form Windows rich-edit controls store it in
// ({\rtf1\ansi\ansicpg1251\deff0\deflang1049 ...}), and the plain text the article pane shows.
//
// What survives a read: text in every code page RTF names per document (\ansicpg, \mac) and per
// font (\fcharset, \cpg, UTF-8 included), the Symbol and Wingdings fonts' glyphs as the Unicode
// characters they show, \uN with \ucN, fonts, sizes, bold, italic, underline, strike, super- and
// subscript, text and highlight colours, paragraph alignment, indents, spacing and tab stops
// (\tx, \deftab; a hanging indent has its implicit stop), line breaks, tabs, special characters,
// list labels as text (\pntext, \listtext, or built from \pn and the list table when the file
// gives none), footnote marks as their numbers, hyperlink fields (the result text, carrying the
// link as an anchor), the result of every other field as plain text, text boxes' text (\shptxt)
// where they are anchored, tables (\trowd ... \cell ... \row, nested ones flattened into the
// outer cell) and PNG/JPEG pictures (kept byte for byte as image resources named
// "rtfimage:<sha1>.png|jpg"). Hidden text (\v), footnotes' and comments' text, headers and
// footers, other picture kinds and every other destination are skipped, as the rich-edit pane
// does not show them; unkeptContent() below names what of that a document holds.
// Malformed input is read as far as it makes sense and never past the document's final brace;
// reading never fails, and its time and memory stay proportional to the input.
//
// The writer keeps all that was read, but for what it cannot say: list labels stay text (no
// \pn or list table is written), fields other than hyperlinks stay their results, a font's
// charset becomes Cyrillic (characters outside code page 1251 are written as \uN), underline
// styles become a single underline, and paragraph borders, shading, line spacing, cell
// borders and merged cells are not written.
#include <QByteArray>
#include <QString>
#include <QStringList>

class QTextCursor;
class QTextDocument;
class QTextDocumentFragment;

namespace richtext {

// True when `bytes` start (after blanks or a UTF-8 BOM) with "{\rtf". Anything else is
// shown as plain text by the readers below.
bool looksLikeRtf(const QByteArray& bytes);

// Replaces the content of `doc` by the article `rtf` (TextRTF = ...). Text that is not RTF
// becomes plain paragraphs (UTF-8 when it is valid UTF-8, else code page 1251).
void readRtf(const QByteArray& rtf, QTextDocument* doc);

// Inserts `rtf` at `at`, replacing its selection (SelRTF = ..., paste). Pictures come along.
void insertRtf(const QByteArray& rtf, QTextCursor& at);

// The whole document as a rich-edit control writes it (TextRTF). Characters of code page 1251
// are written as \'hh, others as \uN with "?" as the fallback. Writing what was read from
// our own output gives the same bytes again, so storing an article on every opening is a no-op.
QByteArray writeRtf(const QTextDocument* doc);

// The selection of `selection` as RTF (SelRTF, for the clipboard), pictures included.
QByteArray writeRtf(const QTextCursor& selection);

// A fragment as RTF. A fragment does not carry its document's pictures; prefer the cursor
// overload when the selection may hold some.
QByteArray writeRtf(const QTextDocumentFragment& fragment);

// The plain text the pane shows for `doc`: paragraphs joined by "\n", a line break as "\n",
// each non-empty table cell on a line of its own, pictures and soft hyphens left out and
// non-breaking spaces read as spaces.
QString plainText(const QTextDocument* doc);

// The same text straight from RTF bytes without building a document, for the full-text
// search: plainText(rtf) == plainText(doc after readRtf(rtf)) for every input.
QString plainText(const QByteArray& rtf);

// What `rtf` holds that readRtf() followed by writeRtf() would not keep, as short Russian
// descriptions for a warning ("сноски", "колонтитулы", "скрытый текст", "примечания",
// "рисунки, кроме PNG и JPEG", "внедрённые объекты", "фигуры и надписи", "поля (дата, номер
// страницы и другие)", "вложенные таблицы"), in that order; empty when a write keeps all that
// matters, as for everything a rich-edit control writes, and for text that is not RTF.
// It is a pass of its own over the bytes, as cheap as plainText(rtf) (a small part of what
// readRtf() costs): the editor calls it with the article's text before storing the first
// change, and warns when the list is not empty.
QStringList unkeptContent(const QByteArray& rtf);

}  // namespace richtext
