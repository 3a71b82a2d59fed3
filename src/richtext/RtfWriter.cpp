// QTextDocument → RTF in the shape a rich-edit control writes it.
//
// Output is a pure function of the document's content: fonts and colours are numbered in order
// of first use, every paragraph property and character property is written as a change from
// the state the reader would be in, and every value goes through the same twips/half-point
// rounding the reader inverts. Reading the output and writing again gives the same bytes.
#include "Codepages.h"
#include "ImageSize.h"
#include "Rtf.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace richtext {
namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr int kDefaultColumnTwips = 2000;
constexpr int kMaxFontName = 255;  // the reader keeps no more

// Rounds `v` into [lo, hi]; a document made elsewhere may hold any double, NaN included.
int bounded(double v, int lo, int hi)
{
    if (std::isnan(v))
        return std::clamp(0, lo, hi);
    if (v <= lo)
        return lo;
    if (v >= hi)
        return hi;
    return qRound(v);
}

struct CharProps {
    int font = 0;
    int halfPoints = 24;
    int fg = 0, bg = 0;
    bool bold = false, italic = false, underline = false, strike = false;
    int vertical = 0;
    bool operator==(const CharProps&) const = default;
};

struct Tab {
    int twips = 0;
    int kind = 0;  // 0 left, 1 right, 2 centre, 3 decimal
    bool operator==(const Tab&) const = default;
};

struct ParaProps {
    int align = 0, li = 0, ri = 0, fi = 0, sb = 0, sa = 0;
    std::vector<Tab> tabs;
    bool intbl = false;
    bool operator==(const ParaProps&) const = default;
};

constexpr int kRichEditTabTwips = 720;  // the tab width a rich-edit control assumes

class Writer {
public:
    explicit Writer(const QTextDocument* doc) : m_doc(doc)
    {
        m_body.reserve(4096);
        m_defaultFamily = doc->defaultFont().family();
        m_defaultSize = doc->defaultFont().pointSizeF() > 0 ? doc->defaultFont().pointSizeF() : 12.0;
    }

    QByteArray write()
    {
        writeFrame(m_doc->rootFrame());
        if (m_fonts.empty())
            fontIndex(m_defaultFamily);
        QByteArray out;
        out.reserve(m_body.size() + 512);
        out += "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl";
        for (size_t i = 0; i < m_fonts.size(); ++i) {
            out += "{\\f" + QByteArray::number(qsizetype(i)) + "\\fnil\\fcharset204 ";
            QByteArray name;
            appendText(name, m_fonts[i], nullptr);
            out += name + ";}";
        }
        out += "}\r\n";
        if (!m_colors.empty()) {
            out += "{\\colortbl ;";
            for (QRgb c : m_colors)
                out += "\\red" + QByteArray::number(qRed(c)) + "\\green" + QByteArray::number(qGreen(c)) + "\\blue"
                       + QByteArray::number(qBlue(c)) + ';';
            out += "}\r\n";
        }
        // The document's tab width, when it is not the one a reader assumes anyway.
        const int deftab = bounded(m_doc->defaultTextOption().tabStopDistance() * kTwipsPerPixel, 15, 31680);
        if (deftab != kRichEditTabTwips)
            out += "\\deftab" + QByteArray::number(deftab);
        out += "\\viewkind4\\uc1";
        out += m_body;
        out += "}\r\n";
        return out;
    }

private:
    void writeFrame(QTextFrame* frame)
    {
        for (auto it = frame->begin(); !it.atEnd(); ++it) {
            if (QTextFrame* child = it.currentFrame()) {
                if (auto* table = qobject_cast<QTextTable*>(child))
                    writeTable(table);
                else
                    writeFrame(child);
            } else {
                writeBlock(it.currentBlock(), false, "\\par\r\n");
            }
        }
    }

    static void collectBlocks(QTextFrame::iterator it, std::vector<QTextBlock>& out)
    {
        for (; !it.atEnd(); ++it) {
            if (QTextFrame* child = it.currentFrame())
                collectBlocks(child->begin(), out);  // nested tables run on in the cell
            else
                out.push_back(it.currentBlock());
        }
    }

    void writeTable(QTextTable* table)
    {
        const QList<QTextLength> widths = table->format().columnWidthConstraints();
        QByteArray rowDef = "\\trowd\\trgaph108";
        int right = 0;
        for (int c = 0; c < table->columns(); ++c) {
            int w = kDefaultColumnTwips;
            if (c < widths.size() && widths[c].type() == QTextLength::FixedLength && widths[c].rawValue() > 0)
                w = bounded(widths[c].rawValue() * kTwipsPerPixel, 1, 31680);  // as the reader bounds it
            right += w;
            rowDef += "\\cellx" + QByteArray::number(right);
        }
        rowDef += "\r\n";
        for (int r = 0; r < table->rows(); ++r) {
            m_body += rowDef;
            m_para.intbl = true;  // \trowd puts the reader in the table
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                std::vector<QTextBlock> blocks;
                if (cell.row() == r && cell.column() == c)
                    collectBlocks(cell.begin(), blocks);
                if (blocks.empty()) {
                    ParaProps empty;
                    empty.intbl = true;
                    writeParaProps(empty);
                    m_body += "\\cell ";
                    m_needDelim = false;
                    continue;
                }
                for (size_t i = 0; i < blocks.size(); ++i)
                    writeBlock(blocks[i], true, i + 1 == blocks.size() ? "\\cell " : "\\par ");
            }
            m_body += "\\row\r\n";
            m_needDelim = false;
        }
    }

    void writeParaProps(const ParaProps& p)
    {
        if (m_paraWritten && p == m_para)
            return;
        m_body += "\\pard";
        if (p.intbl)
            m_body += "\\intbl";
        static const char* const aligns[] = {"", "\\qr", "\\qc", "\\qj"};
        m_body += aligns[p.align];
        auto num = [this](const char* word, int v) {
            if (v)
                m_body += word + QByteArray::number(v);
        };
        num("\\li", p.li);
        num("\\ri", p.ri);
        num("\\fi", p.fi);
        num("\\sb", p.sb);
        num("\\sa", p.sa);
        for (const Tab& t : p.tabs) {
            static const char* const kinds[] = {"", "\\tqr", "\\tqc", "\\tqdec"};
            m_body += kinds[t.kind];
            m_body += "\\tx" + QByteArray::number(t.twips);
        }
        m_para = p;
        m_paraWritten = true;
        m_needDelim = true;
    }

    static ParaProps paraOf(const QTextBlockFormat& f, bool intbl)
    {
        ParaProps p;
        const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
        if (a & Qt::AlignJustify)
            p.align = 3;
        else if (a & Qt::AlignHCenter)
            p.align = 2;
        else if (a & (Qt::AlignRight))
            p.align = 1;
        auto twips = [](double px, int lo) { return bounded(px * kTwipsPerPixel, lo, 31680); };
        p.li = twips(f.leftMargin(), -31680);
        p.ri = twips(f.rightMargin(), -31680);
        p.fi = twips(f.textIndent(), -31680);
        p.sb = twips(f.topMargin(), 0);
        p.sa = twips(f.bottomMargin(), 0);
        for (const QTextOption::Tab& t : f.tabPositions()) {
            const int kind = t.type == QTextOption::RightTab ? 1 : t.type == QTextOption::CenterTab ? 2
                             : t.type == QTextOption::DelimiterTab ? 3 : 0;
            const Tab tab{twips(t.position, 0), kind};
            // A hanging indent implies a stop where the text hangs; the reader adds it again.
            if (!(p.fi < 0 && p.li > 0 && tab == Tab{p.li, 0}))
                p.tabs.push_back(tab);
        }
        // In order and once each, at most as many as the reader keeps.
        std::stable_sort(p.tabs.begin(), p.tabs.end(), [](const Tab& a, const Tab& b) { return a.twips < b.twips; });
        p.tabs.erase(std::unique(p.tabs.begin(), p.tabs.end(), [](const Tab& a, const Tab& b) { return a.twips == b.twips; }),
                     p.tabs.end());
        if (p.tabs.size() > 64)
            p.tabs.resize(64);
        p.intbl = intbl;
        return p;
    }

    void writeBlock(const QTextBlock& block, bool intbl, const char* terminator)
    {
        writeParaProps(paraOf(block.blockFormat(), intbl));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const QTextCharFormat f = frag.charFormat();
            if (f.isImageFormat()) {
                closeLink();
                for (qsizetype i = 0; i < frag.length(); ++i)
                    writeImage(f.toImageFormat());
                continue;
            }
            const QString href = f.isAnchor() ? f.anchorHref() : QString();
            if (href != m_link) {
                closeLink();
                if (!href.isEmpty())
                    openLink(href);
            }
            writeCharProps(charOf(f));
            appendText(m_body, frag.text(), &m_needDelim);
        }
        closeLink();
        m_body += terminator;
        m_needDelim = false;
    }

    CharProps charOf(const QTextCharFormat& f)
    {
        CharProps p;
        const QString family = f.fontFamilies().toStringList().value(0);
        // No family: the document's default font, whatever it is where the text is shown. A
        // nameless font says that, and reads back as no family.
        p.font = fontIndex(family);
        const double pt = f.fontPointSize() > 0 ? f.fontPointSize() : m_defaultSize;
        p.halfPoints = bounded(pt * 2, 2, 3276);
        p.bold = f.fontWeight() > QFont::Medium;
        p.italic = f.fontItalic();
        p.underline = f.fontUnderline();
        p.strike = f.fontStrikeOut();
        p.vertical = f.verticalAlignment() == QTextCharFormat::AlignSuperScript ? 1
                     : f.verticalAlignment() == QTextCharFormat::AlignSubScript ? 2
                                                                                : 0;
        if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
            p.fg = colorIndex(f.foreground().color());
        if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
            p.bg = colorIndex(f.background().color());
        return p;
    }

    void writeCharProps(const CharProps& p)
    {
        CharProps& c = m_char;
        if (p == c)
            return;
        auto word = [this](const char* w, int v = -1) {
            m_body += w;
            if (v >= 0)
                m_body += QByteArray::number(v);
            m_needDelim = true;
        };
        if (p.font != c.font)
            word("\\f", p.font);
        if (p.halfPoints != c.halfPoints)
            word("\\fs", p.halfPoints);
        if (p.bold != c.bold)
            word(p.bold ? "\\b" : "\\b0");
        if (p.italic != c.italic)
            word(p.italic ? "\\i" : "\\i0");
        if (p.underline != c.underline)
            word(p.underline ? "\\ul" : "\\ulnone");
        if (p.strike != c.strike)
            word(p.strike ? "\\strike" : "\\strike0");
        if (p.vertical != c.vertical)
            word(p.vertical == 1 ? "\\super" : p.vertical == 2 ? "\\sub" : "\\nosupersub");
        if (p.fg != c.fg)
            word("\\cf", p.fg);
        if (p.bg != c.bg)
            word("\\highlight", p.bg);
        c = p;
    }

    // Field codes escape a backslash and a quote with a backslash inside quotes.
    void openLink(const QString& href)
    {
        QString inst = QStringLiteral("HYPERLINK \"");
        for (QChar ch : href) {
            if (ch == u'\\' || ch == u'"')
                inst += u'\\';
            inst += ch;
        }
        inst += u'"';
        m_body += "{\\field{\\*\\fldinst{";
        bool delim = false;
        appendText(m_body, inst, &delim);
        m_body += "}}{\\fldrslt{";
        m_link = href;
        m_saved = m_char;
        m_needDelim = false;
    }

    void closeLink()
    {
        if (m_link.isEmpty())
            return;
        m_body += "}}}";
        m_link.clear();
        m_char = m_saved;  // the reader's state comes back with the closed groups
        m_needDelim = false;
    }

    void writeImage(const QTextImageFormat& f)
    {
        const QVariant res = m_doc->resource(QTextDocument::ImageResource, QUrl(f.name()));
        QByteArray data;
        bool png = true;
        if (res.userType() == QMetaType::QByteArray) {
            data = res.toByteArray();
            if (data.startsWith("\x89PNG")) {
                png = true;
            } else if (data.startsWith("\xFF\xD8")) {
                png = false;
            } else {
                data = encodePng(QImage::fromData(data));
            }
        } else if (res.canConvert<QImage>()) {
            data = encodePng(res.value<QImage>());
        }
        if (data.isEmpty())
            return;
        const QSize px = detail::imagePixelSize(data);
        const int picw = std::max(px.width(), 0), pich = std::max(px.height(), 0);
        // The reader's bound on a picture's size (44 inches) holds for what we write too.
        auto goal = [](double px, int fallback) {
            return px > 0 ? bounded(px * kTwipsPerPixel, 0, 63360) : std::min(fallback * int(kTwipsPerPixel), 63360);
        };
        const int goalw = goal(f.width(), picw);
        const int goalh = goal(f.height(), pich);
        m_body += png ? "{\\pict\\pngblip" : "{\\pict\\jpegblip";
        m_body += "\\picw" + QByteArray::number(picw) + "\\pich" + QByteArray::number(pich) + "\\picwgoal"
                  + QByteArray::number(goalw) + "\\pichgoal" + QByteArray::number(goalh) + "\r\n";
        const QByteArray hex = data.toHex();
        for (qsizetype i = 0; i < hex.size(); i += 128) {
            m_body += hex.mid(i, 128);
            m_body += "\r\n";
        }
        m_body += '}';
        m_needDelim = false;
    }

    static QByteArray encodePng(const QImage& image)
    {
        if (image.isNull())
            return {};
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return out;
    }

    // A font name is written as plain characters only (no control words the font table
    // would ignore), as long as the reader keeps it.
    int fontIndex(const QString& family)
    {
        QString name;
        for (QChar c : family) {
            if (c.unicode() < 0x20 || c == u';' || c.unicode() == 0xAD || c.unicode() == 0x2028)
                continue;
            name += c.unicode() == 0xA0 ? QChar(u' ') : c.unicode() == 0x2011 ? QChar(u'-') : c;
        }
        name = name.left(kMaxFontName).trimmed();
        auto it = m_fontIndex.constFind(name);
        if (it != m_fontIndex.constEnd())
            return it.value();
        const int i = int(m_fonts.size());
        m_fonts.push_back(name);
        m_fontIndex.insert(name, i);
        return i;
    }

    int colorIndex(const QColor& color)
    {
        const QRgb rgb = color.rgb() | 0xFF000000u;
        auto it = m_colorIndex.constFind(rgb);
        if (it != m_colorIndex.constEnd())
            return it.value();
        m_colors.push_back(rgb);
        const int i = int(m_colors.size());
        m_colorIndex.insert(rgb, i);
        return i;
    }

public:
    // Text in code page 1251 where it can be, \uN? elsewhere. `needDelim` says whether the
    // last thing written was a control word that a literal character must be kept apart from.
    static void appendText(QByteArray& out, QStringView text, bool* needDelim)
    {
        static const char hex[] = "0123456789abcdef";
        bool dummy = false;
        bool& delim = needDelim ? *needDelim : dummy;
        for (qsizetype i = 0; i < text.size(); ++i) {
            char16_t c = text[i].unicode();
            if (QChar::isSurrogate(c)) {
                // Halves travel as two \uN; a lone half would read back as U+FFFD, so write that.
                const bool paired = QChar::isHighSurrogate(c) ? i + 1 < text.size() && text[i + 1].isLowSurrogate()
                                                              : i > 0 && text[i - 1].isHighSurrogate();
                if (!paired)
                    c = 0xFFFD;
            } else if (c == 0xFDD0 || c == 0xFDD1) {
                c = 0xFFFD;  // the document's own frame markers are never text
            }
            if (c >= 0x20 && c < 0x7F && c != u'\\' && c != u'{' && c != u'}') {
                if (delim) {
                    out += ' ';
                    delim = false;
                }
                out += char(c);
                continue;
            }
            switch (c) {
            case u'\\': out += "\\\\"; delim = false; continue;
            case u'{': out += "\\{"; delim = false; continue;
            case u'}': out += "\\}"; delim = false; continue;
            case u'\t': out += "\\tab"; delim = true; continue;
            case 0x2028: out += "\\line"; delim = true; continue;
            case 0x00A0: out += "\\~"; delim = false; continue;
            case 0x00AD: out += "\\-"; delim = false; continue;
            case 0x2011: out += "\\_"; delim = false; continue;
            default: break;
            }
            if (c < 0x20)
                continue;
            if (const unsigned char b = c == 0x7F ? 0x7F : detail::encode1251(c)) {
                out += "\\'";
                out += hex[b >> 4];
                out += hex[b & 15];
                delim = false;
                continue;
            }
            out += "\\u";
            out += QByteArray::number(int(static_cast<std::int16_t>(c)));
            out += '?';
            delim = false;
        }
    }

private:
    const QTextDocument* m_doc;
    QByteArray m_body;
    QString m_defaultFamily;
    double m_defaultSize = 12.0;
    std::vector<QString> m_fonts;
    QHash<QString, int> m_fontIndex;
    std::vector<QRgb> m_colors;
    QHash<QRgb, int> m_colorIndex;
    CharProps m_char;
    CharProps m_saved;
    ParaProps m_para;
    bool m_paraWritten = false;
    bool m_needDelim = false;
    QString m_link;
};

}  // namespace

QByteArray writeRtf(const QTextDocument* doc)
{
    if (!doc)
        return {};
    return Writer(doc).write();
}

QByteArray writeRtf(const QTextCursor& selection)
{
    const QTextDocument* source = selection.document();
    if (!source)
        return {};
    QTextDocument scratch;
    scratch.setDefaultFont(source->defaultFont());
    QTextCursor(&scratch).insertFragment(selection.selection());
    detail::copyPictures(scratch, *source, scratch);
    return writeRtf(&scratch);
}

QByteArray writeRtf(const QTextDocumentFragment& fragment)
{
    QTextDocument scratch;
    QTextCursor(&scratch).insertFragment(fragment);
    return writeRtf(&scratch);
}

}  // namespace richtext
