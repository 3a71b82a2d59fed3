#pragma once
// The control words the reader acts on, looked up once per word, and the field instruction
// of a hyperlink.
#include <QString>

#include <cstdint>
#include <optional>
#include <string_view>

namespace richtext::detail {

enum Kw : std::uint8_t {
    KwNone, KwPar, KwLine, KwTab, KwSect, KwPlain, KwPard, KwB, KwI, KwUl, KwUlNone, KwStrike,
    KwV, KwSuper, KwSub, KwNoSuperSub, KwF, KwFs, KwCf, KwCb, KwHighlight, KwQl, KwQr, KwQc,
    KwQj, KwLi, KwRi, KwFi, KwSb, KwSa, KwIntbl, KwItap, KwCell, KwNestCell, KwRow, KwNestRow,
    KwTrowd, KwCellx, KwU, KwUc, KwBin, KwAnsi, KwMac, KwPc, KwPca, KwAnsiCpg, KwDeff,
    KwFcharset, KwCpg, KwRed, KwGreen, KwBlue, KwField, KwFldinst, KwFldrslt, KwPictDest,
    KwPngBlip, KwJpegBlip, KwPicw, KwPich, KwPicwGoal, KwPichGoal, KwScaleX, KwScaleY,
    KwFontTbl, KwColorTbl, KwSkipDest, KwTransparentDest, KwUpr, KwUd, KwChar,
    // Footnote marks, shapes, embedded objects.
    KwChftn, KwFootnote, KwFtnAlt, KwShp, KwShpTxt, KwShpRslt, KwObject, KwDrawingObject,
    // Tab stops.
    KwTx, KwTqr, KwTqc, KwTqdec, KwDeftab,
    // List labels: the label groups, the paragraph numbering of rich-edit controls (\pn) and
    // Word's list table.
    KwPnText, KwListText, KwPn, KwPnTxta, KwPnTxtb, KwPnLvlBlt, KwPnLvlBody, KwPnLvlCont, KwPnLvl, KwPnDec,
    KwPnUcLtr, KwPnLcLtr, KwPnUcRm, KwPnLcRm, KwPnStart, KwPnF, KwPnFs, KwPnCf, KwPnB, KwPnI,
    KwListTable, KwListOverrideTable, KwList, KwListOverride, KwListLevel, KwLevelText, KwLevelNfc,
    KwLevelStartAt, KwLevelFollow, KwLevelLegal, KwLevelNoRestart, KwListId, KwLs, KwIlvl,
};

// What a read-then-write loses, by kind (the categories of a skipped destination, in
// KwInfo::ch, and what the reader notes while reading).
enum Lost : std::uint16_t {
    LostFootnotes = 1, LostHeaders = 2, LostHidden = 4, LostComments = 8, LostPictures = 16,
    LostObjects = 32, LostShapes = 64, LostFields = 128, LostNestedTables = 256,
};
struct KwInfo {
    Kw kw;
    char16_t ch;  // KwChar: the character; KwSkipDest: the Lost bits of the skipped text
};

// The meaning of control word `name`; KwNone for the ones the reader ignores.
KwInfo lookupKeyword(std::string_view name);

// SYMBOL code [\f "font"] [\u | \a | \j] [\s size]: one character of a font, by number.
struct SymbolField {
    int code = 0;
    QString font;  // empty: the font of the field's text
    enum Kind : std::uint8_t { Ansi, Unicode, ShiftJis } kind = Ansi;
};
std::optional<SymbolField> symbolField(const QString& instruction);

// HYPERLINK "target" [\l "bookmark"] ... → the address ("target#bookmark"), or empty when the
// field is not a hyperlink.
QString hyperlinkTarget(const QString& instruction);

}  // namespace richtext::detail
