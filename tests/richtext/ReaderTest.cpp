// The reader: control words, code pages, \uc, groups, \bin, pictures, tables, links.
#include "richtext/Rtf.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QElapsedTimer>
#include <QAbstractTextDocumentLayout>
#include <QTextLayout>
#include <QTextTable>

namespace {

// Builds with AddressSanitizer run our code several times slower; time bounds allow for it.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kInstrumented = 4;
#else
constexpr int kInstrumented = 1;
#endif

QByteArray wrap(const QByteArray& body)
{
    return QByteArray("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Arial CYR;}"
                      "{\\f1\\fnil\\fcharset0 Arial;}{\\f2\\fnil\\fcharset161 Greek;}{\\f3\\fnil\\fcharset2 Symbol;}"
                      "{\\f4\\fnil\\fcharset2 Wingdings;}{\\f5\\fnil\\fcharset204 Symbol;}{\\f6\\fnil\\fcharset78 Osaka;}"
                      "{\\f7\\fnil\\cpg65001 Arial Unicode MS;}{\\f8\\fnil\\fcharset2 Marlett;}}"
                      "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\uc1\\pard ")
           + body + "}";
}

QString textOf(const QByteArray& rtf)
{
    QTextDocument doc;
    richtext::readRtf(rtf, &doc);
    return richtext::plainText(&doc);
}

// The character format at the first occurrence of `needle`.
QTextCharFormat formatAt(const QTextDocument& doc, const QString& needle)
{
    const QTextCursor found = doc.find(needle);
    EXPECT_FALSE(found.isNull()) << needle.toStdString();
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

QTextImageFormat firstImage(const QTextDocument& doc)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                return it.fragment().charFormat().toImageFormat();
    return {};
}

struct TextCase {
    const char* name;
    const char* body;
    const char* expected;  // UTF-8
};

class ReaderText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ReaderText, GivesTheShownText)
{
    const TextCase& c = GetParam();
    const QByteArray rtf = wrap(c.body);
    const QString expected = QString::fromUtf8(c.expected);
    EXPECT_EQ(textOf(rtf).toStdString(), expected.toStdString());
    // The search's fast path agrees with the document.
    EXPECT_EQ(richtext::plainText(rtf).toStdString(), expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    ControlWords, ReaderText,
    ::testing::Values(
        TextCase{"Paragraphs", "one\\par two\\par", "one\ntwo"},
        TextCase{"EmptyParagraphKept", "one\\par\\par two", "one\n\ntwo"},
        TextCase{"BackslashNewlineIsPar", "one\\\ntwo", "one\ntwo"},
        TextCase{"RawLineEndsIgnored", "on\r\ne", "one"},
        TextCase{"Line", "a\\line b", "a\nb"},
        TextCase{"Tab", "a\\tab b", "a\tb"},
        TextCase{"Specials", "\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet",
                 "\u2014\u2013\u2018\u2019\u201C\u201D\u2022"},
        TextCase{"NbspAsSpaceSoftHyphenDropped", "a\\~b c\\-d e\\_f", "a b cd e\u2011f"},
        TextCase{"EscapedBraces", "\\{x\\}\\\\", "{x}\\"},
        TextCase{"HexIn1251Font", "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2", "Привет"},
        TextCase{"SameByteTwoFonts", "\\f0\\'e9 \\f1\\'e9 \\f2\\'e9", "й é ι"},
        TextCase{"RawBytesUseFontPage", "\\f0 \xcf\xf0\xe8", "При"},
        TextCase{"SymbolBullet", "{\\f3\\'b7}x", "\u2022x"},
        TextCase{"UnicodeWithFallback", "\\u1046?\\u1078?", "Жж"},
        TextCase{"UcZero", "\\uc0\\u1046\\u1078 x", "Жжx"},
        TextCase{"UcTwoSkipsHex", "\\uc2\\u1046\\'3f\\'3fx", "Жx"},
        TextCase{"UcSkipStopsAtGroup", "\\uc3\\u1046{x}", "Жx"},
        TextCase{"UcScopedByGroup", "{\\uc0\\u1046}\\u1078?", "Жж"},
        TextCase{"NegativeUnicodeSurrogatePair", "\\u-10179?\\u-8704?", "\U0001F600"},
        TextCase{"LoneSurrogate", "\\u-10179?x", "\uFFFDx"},
        TextCase{"SurrogatePairAcrossFormatChange", "\\u-10179?\\cf1\\u-8704?", "\U0001F600"},
        TextCase{"LoneSurrogateBeforeParagraph", "\\u-10179?\\par x", "\uFFFD\nx"},
        TextCase{"HiddenTextNotShown", "a{\\v secret}b", "ab"},
        TextCase{"IgnorableDestinationSkipped", "a{\\*\\unknown x{y}z}b", "ab"},
        TextCase{"KnownDestinationsSkipped", "{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}a{\\footnote f}b", "ab"},
        TextCase{"ListTextShown", "{\\pntext\\f3\\'b7\\tab}item\\par{\\listtext 1.\\tab}two", "\u2022\titem\n1.\ttwo"},
        TextCase{"FieldResultShown", "a {\\field{\\*\\fldinst{HYPERLINK \"http://x.ru\"}}{\\fldrslt{link}}} b",
                 "a link b"},
        TextCase{"BinWithBraces", "a{\\*\\blob\\bin4 }{\\x}b", "ab"},
        TextCase{"PictureHexDoesNotLeak", "a{\\pict\\wmetafile8\\picw10\\pich10 0102abcdef}b", "ab"},
        TextCase{"PictureBinDoesNotLeak", "a{\\pict\\emfblip\\bin3 {}\\}b", "ab"},
        TextCase{"ShownPictureStartsParagraph", "a\\par{\\pict\\pngblip 89504e470d0a1a0a00}", "a\n"},
        TextCase{"NotReallyPngNotShown", "a\\par{\\pict\\pngblip 0102}", "a"},
        TextCase{"GroupInsidePictureSkipped", "{\\pict\\pngblip{\\fonttbl{\\f9\\fcharset0 X;}}00}\\f9\\'e9", "й"},
        TextCase{"UprShowsUnicodeVersion", "{\\upr{ansi}{\\*\\ud{\\u1046?}}}", "Ж"},
        TextCase{"TextAfterFinalBraceIgnored", "a}trailing", "a"},
        // \* marks a destination only where a group starts (OpenOffice writes it mid-group).
        TextCase{"StarMidGroupIsJustAWord", "a{\\fldrslt \\*\\cs13\\ul link}b", "alinkb"},
        TextCase{"StarWithoutBackslashAtGroupStart", "a{*\\wgrffmtfilter 2450}b{*}c", "ab*c"},
        TextCase{"FootnoteMarkIsItsNumber", "a\\chftn{\\footnote\\pard{\\up6\\chftn} note}b{\\super\\chftn}{\\footnote x}",
                 "a1b2"},
        TextCase{"EndnotesNumberedApart", "a{\\super\\chftn}{\\footnote\\ftnalt e}b{\\super\\chftn}{\\footnote f}"
                 "c\\chftn{\\footnote\\ftnalt g}", "aib1cii"},
        TextCase{"SymbolFontGlyphs", "{\\f3 abc\\'b7\\'ae\\u61623?\\u-3913?}", "αβχ•→••"},
        TextCase{"SymbolNamedButCyrillic", "{\\f5\\'e0\\'b7}", "а·"},
        TextCase{"WingdingsGlyphs", "{\\f4\\'a7\\'fc\\u61623?\\'4a}", "▪✓\uF0B7☺"},
        TextCase{"OtherSymbolCharsetFont", "{\\f8\\'b7x}", "•x"},
        TextCase{"PrivateUseInATextFontKept", "\\f1\\u61623?", "\uF0B7"},
        TextCase{"PrivateUseBulletInALabel", "{\\listtext\\f1\\u61623?\\tab}x", "•\tx"},
        TextCase{"SymbolField", "{\\field{\\*\\fldinst SYMBOL 183 \\\\f \"Symbol\" \\\\s 10}{\\fldrslt\\f3 \\'b7}}"
                 "{\\field{\\*\\fldinst SYMBOL 74 \\\\f \"Wingdings\"}{\\fldrslt }}"
                 "{\\field{\\*\\fldinst SYMBOL 0x416 \\\\u}{\\fldrslt ?}}", "•☺Ж"},
        TextCase{"MacJapaneseCharset", "{\\f6\\'82\\'a8\\'93\\'c7}", "お読"},
        TextCase{"Utf8Font", "{\\f7\\'e4\\'b8\\'ad\\'e5\\'9c\\'8b \\'f0\\'9f\\'98\\'80}", "中國 \U0001F600"},
        TextCase{"Utf8CutShort", "{\\f7\\'e4\\'b8x\\'ff}", "\uFFFDx\uFFFD"},
        TextCase{"NoNestTablesFallbackSkipped", "a{\\nonesttables b\\par}c", "ac"},
        TextCase{"ListOutsideListTableSkipped", "a{\\list\\listid1{\\listname List1;}}b", "ab"},
        TextCase{"ShapeTextWhereAnchored", "a{\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 202}}{\\shptxt box}}"
                 "{\\shprslt{\\*\\do\\dobxpage box}box}}b", "aboxb"},
        TextCase{"ShapeResultWithoutText", "a{\\shp{\\*\\shpinst\\shpleft0}{\\shprslt r}}b", "arb"},
        TextCase{"ShapeGroupResultAfterItsShapes", "a{\\shpgrp{\\*\\shpinst{\\shp{\\*\\shpinst{\\shptxt one}}}"
                 "{\\shp{\\*\\shpinst\\shpleft1}}}{\\shprslt one}}b", "aoneb"},
        TextCase{"ListTextWithoutParagraphProperties", "\\trowd\\cellx900{\\listtext 1.\\tab}\\intbl a\\cell\\row", "\n1.\ta\n"},
        // Labels from \pn when the file has no \pntext, numbered on over consecutive paragraphs.
        TextCase{"PnNumbers", "{\\*\\pn\\pnlvlbody\\pndec\\pnstart3{\\pntxta .}}\\fi-283\\li283 A\\par B\\par\\pard C\\par"
                 "{\\*\\pn\\pnlvlbody\\pnucrm{\\pntxtb (}{\\pntxta )}}D",
                 "3.\tA\n4.\tB\nC\n(I)\tD"},
        TextCase{"PnBulletInItsFont", "{\\*\\pn\\pnlvlblt\\pnf3{\\pntxtb \\'b7}}x\\par{\\*\\pn\\pnlvlblt}y",
                 "•\tx\n•\ty"},
        TextCase{"PnTextWinsOverPn", "{\\pntext 7)\\tab}{\\*\\pn\\pnlvlbody\\pndec}x\\par{\\pntext 8)\\tab}y",
                 "7)\tx\n8)\ty"}),
    [](const auto& info) { return std::string(info.param.name); });

// Outlook's \fromhtml output nests groups thousands deep: no depth loses text, and the state
// of each group comes back when it closes.
TEST(Reader, DeepGroupsLoseNothing)
{
    const int depth = 5000;
    const QByteArray rtf = wrap("\\b " + QByteArray("{\\*\\htmltag x}{").repeated(depth) + "\\b0 deep"
                                + QByteArray(depth, '}') + " bold");
    QTextDocument doc;
    richtext::readRtf(rtf, &doc);
    EXPECT_EQ(richtext::plainText(&doc), QStringLiteral("deep bold"));
    EXPECT_EQ(richtext::plainText(rtf), QStringLiteral("deep bold"));
    EXPECT_NE(formatAt(doc, QStringLiteral("deep")).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(doc, QStringLiteral("bold")).fontWeight(), QFont::Bold);
}

TEST(Reader, NotRtfIsPlainText)
{
    for (const auto& [input, expected] : std::vector<std::pair<QByteArray, QString>>{
             {"\r\n", QStringLiteral("\n")},
             {"line one\r\nline two", QStringLiteral("line one\nline two")},
             {"\xcf\xf0\xe8\xe2\xe5\xf2", QStringLiteral("Привет")},  // 1251 when not UTF-8
             {"Привет", QStringLiteral("Привет")},
             {"", QString()}}) {
        SCOPED_TRACE(input.toStdString());
        EXPECT_FALSE(richtext::looksLikeRtf(input));
        EXPECT_EQ(textOf(input), expected);
        EXPECT_EQ(richtext::plainText(input), expected);
    }
    EXPECT_TRUE(richtext::looksLikeRtf(" \r\n{\\rtf1 x}"));
    EXPECT_TRUE(richtext::looksLikeRtf("{\\rtf x}"));
}

TEST(Reader, CharacterFormattingAndResets)
{
    QTextDocument doc;
    richtext::readRtf(wrap("\\fs20 n {\\b B {\\i BI} B2} \\ul U\\ulnone  \\strike S\\strike0  \\cf1 R\\cf0  "
                           "\\highlight2 H\\plain  P \\f1\\fs30 F \\super Sup\\nosupersub  \\b X\\b0  Y"),
                      &doc);
    EXPECT_DOUBLE_EQ(formatAt(doc, QStringLiteral("n")).fontPointSize(), 10.0);
    EXPECT_EQ(formatAt(doc, QStringLiteral("n")).fontFamilies().toStringList(), QStringList{QStringLiteral("Arial CYR")});
    EXPECT_EQ(formatAt(doc, QStringLiteral("B ")).fontWeight(), QFont::Bold);
    EXPECT_FALSE(formatAt(doc, QStringLiteral("B ")).fontItalic());
    EXPECT_TRUE(formatAt(doc, QStringLiteral("BI")).fontItalic());
    // The groups restore what was there before them.
    EXPECT_EQ(formatAt(doc, QStringLiteral("B2")).fontWeight(), QFont::Bold);
    EXPECT_FALSE(formatAt(doc, QStringLiteral("B2")).fontItalic());
    EXPECT_NE(formatAt(doc, QStringLiteral(" U")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatAt(doc, QStringLiteral("U")).fontUnderline());
    EXPECT_FALSE(formatAt(doc, QStringLiteral("S")).fontUnderline());
    EXPECT_TRUE(formatAt(doc, QStringLiteral("S")).fontStrikeOut());
    EXPECT_FALSE(formatAt(doc, QStringLiteral("R")).fontStrikeOut());
    EXPECT_EQ(formatAt(doc, QStringLiteral("R")).foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(formatAt(doc, QStringLiteral("H")).hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_EQ(formatAt(doc, QStringLiteral("H")).background().color(), QColor(0, 0, 255));
    // \plain: back to the default font and size, no colours.
    EXPECT_FALSE(formatAt(doc, QStringLiteral("P")).hasProperty(QTextFormat::BackgroundBrush));
    EXPECT_DOUBLE_EQ(formatAt(doc, QStringLiteral("P")).fontPointSize(), 12.0);
    EXPECT_EQ(formatAt(doc, QStringLiteral("F")).fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    EXPECT_DOUBLE_EQ(formatAt(doc, QStringLiteral("F")).fontPointSize(), 15.0);
    EXPECT_EQ(formatAt(doc, QStringLiteral("Sup")).verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(formatAt(doc, QStringLiteral("X")).fontWeight(), QFont::Bold);
    EXPECT_NE(formatAt(doc, QStringLiteral("Y")).fontWeight(), QFont::Bold);
}

TEST(Reader, ParagraphFormatting)
{
    QTextDocument doc;
    richtext::readRtf(wrap("\\qc C\\par\\pard\\qr R\\par\\pard\\qj\\li720\\ri360\\fi-360\\sb120\\sa240 J\\par\\pard L"),
                      &doc);
    ASSERT_EQ(doc.blockCount(), 4);
    EXPECT_EQ(doc.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(doc.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    const QTextBlockFormat j = doc.findBlockByNumber(2).blockFormat();
    EXPECT_EQ(j.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_DOUBLE_EQ(j.leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(j.rightMargin(), 24.0);
    EXPECT_DOUBLE_EQ(j.textIndent(), -24.0);
    EXPECT_DOUBLE_EQ(j.topMargin(), 8.0);
    EXPECT_DOUBLE_EQ(j.bottomMargin(), 16.0);
    // \pard resets; the last paragraph has no \par and still gets its properties.
    EXPECT_EQ(doc.findBlockByNumber(3).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_DOUBLE_EQ(doc.findBlockByNumber(3).blockFormat().leftMargin(), 0.0);
}

TEST(Reader, HyperlinkKeepsTarget)
{
    QTextDocument doc;
    richtext::readRtf(wrap("see {\\field{\\*\\fldinst{HYPERLINK \"C:\\\\\\\\dir\\\\\\\\f.txt\" \\\\o \"tip\"}}"
                           "{\\fldrslt{\\ul\\cf2 the file}}} or {\\field{\\*\\fldinst HYPERLINK \\\\l \"mark\"}"
                           "{\\fldrslt here}} after"),
                      &doc);
    const QTextCharFormat link = formatAt(doc, QStringLiteral("the file"));
    EXPECT_TRUE(link.isAnchor());
    EXPECT_EQ(link.anchorHref(), QStringLiteral("C:\\dir\\f.txt"));
    EXPECT_TRUE(link.fontUnderline());
    EXPECT_EQ(formatAt(doc, QStringLiteral("here")).anchorHref(), QStringLiteral("#mark"));
    EXPECT_FALSE(formatAt(doc, QStringLiteral("after")).isAnchor());
}

TEST(Reader, TableCellsAndRows)
{
    const QByteArray rtf = wrap("before\\par\\trowd\\cellx1500\\cellx3000\\pard\\intbl a\\cell b\\par b2\\cell\\row"
                                "\\trowd\\cellx1500\\cellx3000\\pard\\intbl c\\cell\\cell\\row\\pard after\\par");
    QTextDocument doc;
    richtext::readRtf(rtf, &doc);
    QTextTable* table = nullptr;
    for (QTextFrame* f : doc.rootFrame()->childFrames())
        table = table ? table : qobject_cast<QTextTable*>(f);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 2);
    QTextCursor cell = table->cellAt(0, 1).firstCursorPosition();
    cell.setPosition(table->cellAt(0, 1).lastCursorPosition().position(), QTextCursor::KeepAnchor);
    EXPECT_EQ(cell.selectedText(), QStringLiteral("b\u2029b2"));
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 2);
    EXPECT_DOUBLE_EQ(widths[0].rawValue(), 100.0);
    EXPECT_EQ(richtext::plainText(&doc), QStringLiteral("before\na\nb\nb2\nc\nafter"));
    EXPECT_EQ(richtext::plainText(rtf), richtext::plainText(&doc));
}

TEST(Reader, NestedTableFlattenedIntoOuterCell)
{
    const QByteArray rtf = wrap("\\trowd\\cellx3000\\pard\\intbl\\itap2 n1\\nestcell n2\\nestcell"
                                "{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\nestrow}"
                                "\\pard\\intbl outer\\cell\\row\\pard x");
    EXPECT_EQ(textOf(rtf), QStringLiteral("\nn1\nn2\nouter\nx"));
    EXPECT_EQ(richtext::plainText(rtf), textOf(rtf));
}

TEST(Reader, PngPictureBecomesImage)
{
    // A 1×1 PNG, written as hex and again as \bin.
    const QByteArray png = QByteArray::fromHex(
        "89504e470d0a1a0a0000000d4948445200000001000000010806000000"
        "1f15c4890000000d49444154789c6360f8cfc0f01f0005000201e2e1cd6d0000000049454e44ae426082");
    for (const QByteArray& data : {QByteArray(png.toHex()), "\\bin" + QByteArray::number(png.size()) + " " + png}) {
        QTextDocument doc;
        const QByteArray body = "a{\\pict\\pngblip\\picw1\\pich1\\picwgoal300\\pichgoal150 " + data + "}b";
        richtext::readRtf(wrap(body), &doc);
        const QTextImageFormat img = firstImage(doc);
        ASSERT_TRUE(img.isValid());
        EXPECT_DOUBLE_EQ(img.width(), 20.0);
        EXPECT_DOUBLE_EQ(img.height(), 10.0);
        EXPECT_EQ(doc.resource(QTextDocument::ImageResource, QUrl(img.name())).toByteArray(), png);
        EXPECT_EQ(richtext::plainText(&doc), QStringLiteral("ab"));
    }
}

TEST(Reader, InsertReplacesSelection)
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("one two three"));
    QTextCursor c(&doc);
    c.setPosition(4);
    c.setPosition(7, QTextCursor::KeepAnchor);
    richtext::insertRtf(wrap("{\\b \\'e4\\'e2\\'e0}"), c);
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("one два three"));
    EXPECT_EQ(formatAt(doc, QStringLiteral("два")).fontWeight(), QFont::Bold);
}

}  // namespace

namespace {

// Word's list table, for paragraphs that have no \listtext: levels, their number formats,
// starts and restarts, a bullet in the Symbol font; a \listtext wins but counts.
TEST(Reader, ListLabelsFromTheListTable)
{
    const QByteArray lists = "{\\*\\listtable{\\list{\\listlevel\\levelnfc1\\levelstartat3{\\leveltext\\'02\\'00.;}\\f1}"
                             "{\\listlevel\\levelnfc4\\levelfollow1{\\leveltext\\'04\\'00.\\'01);}}\\listid7}"
                             "{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}\\f3}\\listid8}}"
                             "{\\*\\listoverridetable{\\listoverride\\listid7\\ls1}{\\listoverride\\listid8\\ls2}}";
    const QByteArray rtf = wrap(lists + "\\ls1 a\\par\\ilvl1 b\\par c\\par\\ilvl0 d\\par{\\listtext 9.\\tab}e\\par"
                                        "\\ilvl0 f\\par\\pard\\ls2 g\\par\\pard\\ls5 h");
    const QString expected = QStringLiteral("III.\ta\nIII.a) b\nIII.b) c\nIV.\td\n9.\te\nVI.\tf\n•\tg\nh");
    EXPECT_EQ(textOf(rtf), expected);
    EXPECT_EQ(richtext::plainText(rtf), expected);
}

// Tab stops reach the document; a hanging indent has a stop where its text hangs, so a label
// and a tab put the first line's text where the wrapped lines start. The writer writes the
// stops but the implied one, and the document reads back the same.
TEST(Reader, TabStopsAndHangingIndent)
{
    QTextDocument doc;
    richtext::readRtf(wrap("\\deftab360\\tx720\\tqr\\tx4000 a\\tab b\\par\\pard\\fi-284\\li284\\tx2000 "
                           "\\'95\\tab x x x x x x x x x x x x x x x x x x x x x x x x x x x x x x x\\par"
                           "\\pard\\fi-284\\li284\\tqc\\tx284 y"),
                      &doc);
    ASSERT_EQ(doc.blockCount(), 3);
    auto tabs = [&doc](int block) {
        QStringList out;
        for (const QTextOption::Tab& t : doc.findBlockByNumber(block).blockFormat().tabPositions())
            out << QStringLiteral("%1/%2").arg(qRound(t.position * 15)).arg(int(t.type));
        return out.join(u' ');
    };
    EXPECT_EQ(tabs(0), QStringLiteral("720/0 4000/1"));
    EXPECT_EQ(tabs(1), QStringLiteral("284/0 2000/0"));
    EXPECT_EQ(tabs(2), QStringLiteral("284/2"));
    EXPECT_DOUBLE_EQ(doc.defaultTextOption().tabStopDistance(), 24.0);

    // Laid out, the first line's text after the label starts where the second line starts.
    doc.setTextWidth(200);
    const QTextBlock item = doc.findBlockByNumber(1);
    doc.documentLayout()->blockBoundingRect(item);  // lays the block out
    const QTextLayout* layout = item.layout();
    ASSERT_GE(layout->lineCount(), 2);
    const qreal afterTab = layout->lineAt(0).cursorToX(item.text().indexOf(u'x'));
    const qreal wrapped = layout->lineAt(1).cursorToX(layout->lineAt(1).textStart());
    EXPECT_NEAR(afterTab, wrapped, 0.5);

    const QByteArray written = richtext::writeRtf(&doc);
    EXPECT_TRUE(written.contains("\\deftab360")) << written.toStdString();
    EXPECT_TRUE(written.contains("\\tx720\\tqr\\tx4000")) << written.toStdString();
    EXPECT_TRUE(written.contains("\\li284\\fi-284\\tx2000\\'95")) << written.toStdString();
    EXPECT_TRUE(written.contains("\\li284\\fi-284\\tqc\\tx284 ")) << written.toStdString();
    QTextDocument back;
    richtext::readRtf(written, &back);
    for (int b = 0; b < 3; ++b)
        EXPECT_EQ(back.findBlockByNumber(b).blockFormat().tabPositions(), doc.findBlockByNumber(b).blockFormat().tabPositions());
    EXPECT_DOUBLE_EQ(back.defaultTextOption().tabStopDistance(), 24.0);
}

// Each cell is reached once: a table of 20,000 rows reads in well under a second (it took
// most of a minute while every cell was looked up from the table's start).
TEST(Reader, LongTableInLinearTime)
{
    QByteArray rows;
    for (int r = 0; r < 20000; ++r)
        rows += "\\trowd\\cellx1000\\cellx2000\\intbl " + QByteArray::number(r) + "\\cell x\\cell\\row\r\n";
    const QByteArray rtf = wrap(rows + "\\pard after");
    QElapsedTimer timer;
    timer.start();
    QTextDocument doc;
    richtext::readRtf(rtf, &doc);
    EXPECT_LT(timer.elapsed(), 5000 * kInstrumented);
    QTextTable* table = qobject_cast<QTextTable*>(doc.rootFrame()->childFrames().value(0));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 20000);
    EXPECT_EQ(table->columns(), 2);
    QTextCursor last = table->cellAt(19999, 0).firstCursorPosition();
    last.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    EXPECT_EQ(last.selectedText(), QStringLiteral("19999"));
    EXPECT_EQ(richtext::plainText(rtf), richtext::plainText(&doc));
}

}  // namespace
