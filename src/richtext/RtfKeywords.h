#pragma once
// The control words the reader acts on, looked up once per word, and the field instruction
// of a hyperlink.
#include <QString>

#include <cstdint>
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
};
struct KwInfo {
    Kw kw;
    char16_t ch;  // for KwChar
};

// The meaning of control word `name`; KwNone for the ones the reader ignores.
KwInfo lookupKeyword(std::string_view name);

// HYPERLINK "target" [\l "bookmark"] ... → the address ("target#bookmark"), or empty when the
// field is not a hyperlink.
QString hyperlinkTarget(const QString& instruction);

}  // namespace richtext::detail
