#include "RtfKeywords.h"

#include <QList>
#include <QStringList>

#include <unordered_map>

namespace richtext::detail {

KwInfo lookupKeyword(std::string_view name)
{
    static const std::unordered_map<std::string_view, KwInfo> words = [] {
        std::unordered_map<std::string_view, KwInfo> m;
        auto add = [&m](std::string_view n, Kw k, char16_t ch = 0) { m.emplace(n, KwInfo{k, ch}); };
        add("par", KwPar); add("sect", KwSect); add("line", KwLine); add("tab", KwTab);
        add("plain", KwPlain); add("pard", KwPard);
        add("b", KwB); add("i", KwI); add("strike", KwStrike); add("striked", KwStrike); add("v", KwV);
        add("ul", KwUl); add("ulnone", KwUlNone);
        for (std::string_view u : {"uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash",
                                   "ulth", "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash",
                                   "ululdbwave", "ulw", "ulwave"})
            add(u, KwUl);
        add("super", KwSuper); add("sub", KwSub); add("nosupersub", KwNoSuperSub);
        add("f", KwF); add("fs", KwFs); add("cf", KwCf); add("cb", KwCb); add("highlight", KwHighlight);
        add("ql", KwQl); add("qr", KwQr); add("qc", KwQc); add("qj", KwQj); add("qd", KwQj);
        add("li", KwLi); add("lin", KwLi); add("ri", KwRi); add("rin", KwRi); add("fi", KwFi);
        add("sb", KwSb); add("sa", KwSa);
        add("intbl", KwIntbl); add("itap", KwItap); add("cell", KwCell); add("nestcell", KwNestCell);
        add("row", KwRow); add("nestrow", KwNestRow); add("trowd", KwTrowd); add("cellx", KwCellx);
        add("u", KwU); add("uc", KwUc); add("bin", KwBin);
        add("ansi", KwAnsi); add("mac", KwMac); add("pc", KwPc); add("pca", KwPca);
        add("ansicpg", KwAnsiCpg); add("deff", KwDeff); add("fcharset", KwFcharset); add("cpg", KwCpg);
        add("red", KwRed); add("green", KwGreen); add("blue", KwBlue);
        add("field", KwField); add("fldinst", KwFldinst); add("fldrslt", KwFldrslt);
        add("pict", KwPictDest); add("pngblip", KwPngBlip); add("jpegblip", KwJpegBlip);
        add("picw", KwPicw); add("pich", KwPich); add("picwgoal", KwPicwGoal); add("pichgoal", KwPichGoal);
        add("picscalex", KwScaleX); add("picscaley", KwScaleY);
        add("fonttbl", KwFontTbl); add("colortbl", KwColorTbl);
        add("upr", KwUpr); add("ud", KwUd);
        // Destinations whose text the pane never shows.
        for (std::string_view d : {"stylesheet", "info", "xe", "tc", "txe", "rxe", "nonshppict", "revtbl",
                                   "rsidtbl", "generator", "themedata", "colorschememapping", "latentstyles",
                                   "datastore", "xmlnstbl", "mmathPr", "userprops", "filetbl", "private",
                                   "objdata", "objclass", "objname", "template", "docvar", "comment", "atnid",
                                   "atnauthor", "atnref", "atndate", "atnicn", "bkmkstart", "bkmkend", "fname",
                                   "falt", "panose", "pgdsctbl", "listpicture", "ftnsep", "ftnsepc", "ftncn",
                                   "aftnsep", "aftnsepc", "aftncn", "protusertbl", "pnseclvl", "blipuid",
                                   "picprop", "sp", "sn", "sv", "hlinkbase", "title", "subject", "author",
                                   "operator", "keywords", "doccomm", "company", "fontemb", "fontfile",
                                   "formfield", "datafield", "xform", "mhtmltag", "htmltag", "defchp",
                                   "defpap", "oldcprops", "oldpprops", "oldtprops", "oldsprops", "nonesttables",
                                   "listname", "levelnumbers", "liststylename", "lfolevel"})
            add(d, KwSkipDest);
        // The same, with text the user put there and a write would lose.
        for (std::string_view d : {"header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr",
                                   "footerf"})
            add(d, KwSkipDest, LostHeaders);
        add("annotation", KwSkipDest, LostComments);
        // Destinations shown as ordinary text, also when marked \*.
        for (std::string_view d : {"shppict", "result", "nesttableprops", "shpinst"})
            add(d, KwTransparentDest);
        add("chftn", KwChftn); add("footnote", KwFootnote); add("ftnalt", KwFtnAlt); add("shp", KwShp); add("shpgrp", KwShp); add("shptxt", KwShpTxt);
        add("shprslt", KwShpRslt); add("object", KwObject); add("do", KwDrawingObject);
        add("tx", KwTx); add("tqr", KwTqr); add("tqc", KwTqc); add("tqdec", KwTqdec); add("deftab", KwDeftab);
        add("pntext", KwPnText); add("listtext", KwListText); add("pn", KwPn);
        add("pntxta", KwPnTxta); add("pntxtb", KwPnTxtb); add("pnlvlblt", KwPnLvlBlt);
        add("pnlvlbody", KwPnLvlBody); add("pnlvlcont", KwPnLvlCont); add("pnlvl", KwPnLvl); add("pndec", KwPnDec);
        add("pnucltr", KwPnUcLtr); add("pnlcltr", KwPnLcLtr); add("pnucrm", KwPnUcRm); add("pnlcrm", KwPnLcRm);
        add("pnstart", KwPnStart); add("pnf", KwPnF); add("pnfs", KwPnFs); add("pncf", KwPnCf);
        add("pnb", KwPnB); add("pni", KwPnI);
        add("listtable", KwListTable); add("listoverridetable", KwListOverrideTable); add("list", KwList);
        add("listoverride", KwListOverride); add("listlevel", KwListLevel); add("leveltext", KwLevelText);
        add("levelnfc", KwLevelNfc); add("levelnfcn", KwLevelNfc); add("levelstartat", KwLevelStartAt);
        add("levelfollow", KwLevelFollow); add("levellegal", KwLevelLegal);
        add("levelnorestart", KwLevelNoRestart); add("listid", KwListId); add("ls", KwLs); add("ilvl", KwIlvl);
        add("emdash", KwChar, 0x2014); add("endash", KwChar, 0x2013); add("bullet", KwChar, 0x2022);
        add("lquote", KwChar, 0x2018); add("rquote", KwChar, 0x2019);
        add("ldblquote", KwChar, 0x201C); add("rdblquote", KwChar, 0x201D);
        add("emspace", KwChar, 0x2003); add("enspace", KwChar, 0x2002); add("qmspace", KwChar, 0x2005);
        add("zwj", KwChar, 0x200D); add("zwnj", KwChar, 0x200C); add("zwbo", KwChar, 0x200B);
        add("ltrmark", KwChar, 0x200E); add("rtlmark", KwChar, 0x200F);
        return m;
    }();
    auto it = words.find(name);
    return it == words.end() ? KwInfo{KwNone, 0} : it->second;
}

namespace {

struct Arg {
    QString text;
    bool quoted = false;  // a quoted "\\l" is an address, not a switch
};

// Field instructions escape with a backslash inside quotes ("C:\\dir" means C:\dir).
QList<Arg> fieldArguments(const QString& inst)
{
    QList<Arg> args;
    Arg cur;
    bool inQuotes = false;
    for (qsizetype i = 0; i < inst.size(); ++i) {
        const QChar c = inst.at(i);
        if (inQuotes) {
            if (c == u'\\' && i + 1 < inst.size())
                cur.text += inst.at(++i);
            else if (c == u'"')
                inQuotes = false;
            else
                cur.text += c;
        } else if (c == u'"') {
            inQuotes = true;
            cur.quoted = true;
        } else if (c.isSpace()) {
            if (cur.quoted || !cur.text.isEmpty())
                args << cur;
            cur = Arg{};
        } else {
            cur.text += c;
        }
    }
    if (cur.quoted || !cur.text.isEmpty())
        args << cur;
    return args;
}

bool isSwitch(const Arg& a, char16_t name)
{
    return !a.quoted && a.text.size() == 2 && a.text.at(0) == u'\\' && a.text.at(1).toLower() == QChar(name);
}

}  // namespace

QString hyperlinkTarget(const QString& inst)
{
    const QList<Arg> args = fieldArguments(inst);
    if (args.isEmpty() || args.first().text.compare(QLatin1String("HYPERLINK"), Qt::CaseInsensitive) != 0)
        return {};
    QString target, bookmark;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const Arg& a = args.at(i);
        if (!a.quoted && a.text.size() == 2 && a.text.at(0) == u'\\') {
            if ((isSwitch(a, u'l') || isSwitch(a, u'o') || isSwitch(a, u't')) && i + 1 < args.size()) {
                if (isSwitch(a, u'l'))
                    bookmark = args.at(i + 1).text;
                ++i;
            }
            continue;
        }
        if (target.isEmpty())
            target = a.text;
    }
    if (!bookmark.isEmpty())
        target += QLatin1Char('#') + bookmark;
    return target;
}

std::optional<SymbolField> symbolField(const QString& inst)
{
    const QList<Arg> args = fieldArguments(inst);
    if (args.size() < 2 || args.first().text.compare(QLatin1String("SYMBOL"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    SymbolField f;
    bool ok = false;
    const QString number = args.at(1).text;
    f.code = number.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? number.mid(2).toInt(&ok, 16)
                                                                          : number.toInt(&ok, 10);
    if (!ok || f.code <= 0 || f.code > 0xFFFF)
        return std::nullopt;
    for (qsizetype i = 2; i < args.size(); ++i) {
        const Arg& a = args.at(i);
        if (isSwitch(a, u'f') && i + 1 < args.size())
            f.font = args.at(++i).text.trimmed();
        else if (isSwitch(a, u's') && i + 1 < args.size())
            ++i;
        else if (isSwitch(a, u'u'))
            f.kind = SymbolField::Unicode;
        else if (isSwitch(a, u'j'))
            f.kind = SymbolField::ShiftJis;
    }
    return f;
}

}  // namespace richtext::detail
