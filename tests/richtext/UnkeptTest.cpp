// What editing an article would lose: unkeptContent() names it, so the editor can warn.
#include "richtext/Rtf.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QTextDocument>

namespace {

QByteArray wrap(const QByteArray& body)
{
    return "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Arial CYR;}{\\f1\\fnil\\fcharset2 Symbol;}}"
           "\\viewkind4\\uc1\\pard\\f0\\fs20 "
           + body + "\\par\r\n}";
}

struct UnkeptCase {
    const char* name;
    const char* body;
    const char* expected;  // UTF-8, the descriptions joined by "; "
};

class Unkept : public ::testing::TestWithParam<UnkeptCase> {};

TEST_P(Unkept, NamesWhatAWriteLoses)
{
    const UnkeptCase& c = GetParam();
    EXPECT_EQ(richtext::unkeptContent(wrap(c.body)).join(QStringLiteral("; ")).toStdString(), std::string(c.expected));
}

const QByteArray png = "89504e470d0a1a0a0000000d4948445200000001000000010806000000";

INSTANTIATE_TEST_SUITE_P(
    Kinds, Unkept,
    ::testing::Values(
        // What a rich-edit control writes is all kept.
        UnkeptCase{"RichEditArticle",
                   "\\b Title\\b0\\par{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'b7}}\\fi-284\\li284 item\\par"
                   "\\pard\\qc\\cf1 x {\\field{\\*\\fldinst{HYPERLINK \"http://a.ru\"}}{\\fldrslt{\\ul link}}}"
                   "\\trowd\\cellx1000\\intbl a\\cell\\row\\pard{\\pict\\pngblip 89504e470d0a1a0a00}",
                   ""},
        UnkeptCase{"PictureWithAFallbackForOldReaders",
                   "{\\*\\shppict{\\pict\\pngblip 89504e470d0a1a0a00}}{\\nonshppict{\\pict\\wmetafile8 0100}}", ""},
        UnkeptCase{"SymbolFieldBecomesItsCharacter", "{\\field{\\*\\fldinst SYMBOL 183 \\\\f \"Symbol\"}{\\fldrslt x}}", ""},
        UnkeptCase{"HiddenParagraphMarkOnly", "a{\\v\\par}b", ""},
        UnkeptCase{"Footnote", "a\\chftn{\\footnote\\pard{\\up6\\chftn} note}", "сноски"},
        UnkeptCase{"Header", "{\\header\\pard page\\par}a", "колонтитулы"},
        UnkeptCase{"Footer", "{\\footerr\\pard page\\par}a", "колонтитулы"},
        UnkeptCase{"HiddenText", "a{\\v secret}b", "скрытый текст"},
        UnkeptCase{"Comment", "a{\\*\\atnid me}{\\*\\annotation{\\*\\atnref 1}note}b", "примечания"},
        UnkeptCase{"MetafilePicture", "{\\pict\\wmetafile8\\picw10\\pich10 0100090000}", "рисунки, кроме PNG и JPEG"},
        UnkeptCase{"BitmapPicture", "{\\pict\\dibitmap0 28000000}", "рисунки, кроме PNG и JPEG"},
        UnkeptCase{"PngClaimedButNotPng", "{\\pict\\pngblip 0102}", "рисунки, кроме PNG и JPEG"},
        UnkeptCase{"EmbeddedObject",
                   "{\\object\\objemb{\\*\\objclass Paint.Picture}{\\*\\objdata 0102}{\\result{\\pict\\wmetafile8 01}}}",
                   "рисунки, кроме PNG и JPEG; внедрённые объекты"},
        UnkeptCase{"TextBox", "{\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 202}}{\\shptxt box}}}", "фигуры и надписи"},
        UnkeptCase{"PageField", "{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}", "поля (дата, номер страницы и другие)"},
        UnkeptCase{"NestedTable",
                   "\\trowd\\cellx3000\\intbl\\itap2 n\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\nestrow}"
                   "\\intbl o\\cell\\row",
                   "вложенные таблицы"},
        // Skipped inside something already skipped: named once, for what holds it.
        UnkeptCase{"EverythingInOrder",
                   "{\\v h}{\\footer f}\\chftn{\\footnote{\\v x}{\\pict\\wmetafile8 01}}{\\*\\annotation c}",
                   "сноски; колонтитулы; скрытый текст; примечания"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnkeptContent, NotRtfLosesNothing)
{
    EXPECT_TRUE(richtext::unkeptContent("plain text {\\v x}").isEmpty());
    EXPECT_TRUE(richtext::unkeptContent({}).isEmpty());
}

// The demo articles are what a rich-edit control writes: editing them loses nothing.
TEST(UnkeptContent, DemoArticlesKeepEverything)
{
    int articles = 0;
    QDirIterator it(QStringLiteral(KODRIX_SOURCE_DIR "/content"), {QStringLiteral("*.rtf")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        ++articles;
        EXPECT_EQ(richtext::unkeptContent(testsupport::readFile(path)).join(u';').toStdString(), "")
            << path.toStdString();
    }
    EXPECT_GT(articles, 10);
}

// Real files with footnotes and hidden text say so.
TEST(UnkeptContent, CorpusFilesWithNotesSaySo)
{
    const QString wide = testsupport::testDataDir() + QStringLiteral("/rtf-wide/files/");
    for (const char* name : {"pandoc-footnote", "tika-testRTFVarious", "rtfpipe-footnotes"})
        EXPECT_TRUE(richtext::unkeptContent(testsupport::readFile(wide + QLatin1String(name) + QStringLiteral(".rtf")))
                        .contains(QStringLiteral("сноски")))
            << name;
    EXPECT_TRUE(richtext::unkeptContent(testsupport::readFile(wide + QStringLiteral("pandoc-formatting.rtf")))
                    .contains(QStringLiteral("скрытый текст")));
}

}  // namespace
