#include "RtfKeywords.h"

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
        for (std::string_view d : {"stylesheet", "info", "header", "headerl", "headerr", "headerf", "footer",
                                   "footerl", "footerr", "footerf", "footnote", "annotation", "xe", "tc",
                                   "txe", "rxe", "nonshppict", "listtable", "listoverridetable", "revtbl",
                                   "rsidtbl", "generator", "themedata", "colorschememapping", "latentstyles",
                                   "datastore", "xmlnstbl", "mmathPr", "userprops", "filetbl", "private",
                                   "pn", "pntxta", "pntxtb", "objdata", "objclass", "objname", "template",
                                   "docvar", "comment", "atnid", "atnauthor", "atnref", "atndate", "atnicn",
                                   "bkmkstart", "bkmkend", "fname", "falt", "panose", "pgdsctbl", "shpinst",
                                   "listpicture", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc",
                                   "aftncn", "protusertbl", "pnseclvl", "blipuid",
                                   "picprop", "sp", "sn", "sv", "hlinkbase", "title", "subject", "author",
                                   "operator", "keywords", "doccomm", "company", "fontemb", "fontfile",
                                   "formfield", "datafield", "xform", "mhtmltag", "htmltag", "defchp",
                                   "defpap", "oldcprops", "oldpprops", "oldtprops", "oldsprops"})
            add(d, KwSkipDest);
        // Destinations shown as ordinary text, also when marked \*.
        for (std::string_view d : {"shppict", "pntext", "listtext", "result", "shprslt", "object", "shp",
                                   "nesttableprops"})
            add(d, KwTransparentDest);
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

// Field instructions escape with a backslash inside quotes ("C:\\dir" means C:\dir).
QString hyperlinkTarget(const QString& inst)
{
    struct Arg {
        QString text;
        bool quoted = false;  // a quoted "\\l" is an address, not a switch
    };
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
    if (args.isEmpty() || args.first().text.compare(QLatin1String("HYPERLINK"), Qt::CaseInsensitive) != 0)
        return {};
    QString target, bookmark;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const Arg& a = args.at(i);
        if (!a.quoted && a.text.size() == 2 && a.text.at(0) == u'\\') {
            const QChar sw = a.text.at(1).toLower();
            if ((sw == u'l' || sw == u'o' || sw == u't') && i + 1 < args.size()) {
                if (sw == u'l')
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

}  // namespace richtext::detail
