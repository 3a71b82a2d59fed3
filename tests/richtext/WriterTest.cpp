// The writer: the rich-edit shape, code page 1251, stability of write → read → write.
#include "richtext/Rtf.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>

#include <limits>

namespace {

QByteArray rewrite(const QByteArray& rtf)
{
    QTextDocument doc;
    richtext::readRtf(rtf, &doc);
    return richtext::writeRtf(&doc);
}

// A document with most of what the editor can produce.
void buildSample(QTextDocument& doc)
{
    QTextCursor c(&doc);
    QTextCharFormat plain;
    plain.setFontFamilies({QStringLiteral("Arial CYR")});
    plain.setFontPointSize(10);
    c.insertText(QStringLiteral("Привет, мир! {скобки} и \\ обратная черта\t«ёлки» — №1 "), plain);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    c.insertText(QStringLiteral("жирный "), bold);
    QTextCharFormat mixed = plain;
    mixed.setFontItalic(true);
    mixed.setFontUnderline(true);
    mixed.setForeground(QColor(200, 10, 20));
    mixed.setBackground(QColor(255, 255, 0));
    mixed.setFontPointSize(14.5);
    c.insertText(QStringLiteral("ελληνικά 中文 😀"), mixed);
    QTextCharFormat link = plain;
    link.setAnchor(true);
    link.setAnchorHref(QStringLiteral("http://пример.рф/a\"b\\c\td"));
    c.insertText(QStringLiteral("ссылка"), link);
    link.setAnchorHref(QStringLiteral("\\l"));  // looks like a field switch, is an address
    c.insertText(QStringLiteral(" вторая"), link);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setLeftMargin(20);
    centred.setTextIndent(-10);
    c.insertBlock(centred);
    QTextCharFormat other = plain;
    other.setFontFamilies({QStringLiteral("Courier New")});
    other.setFontStrikeOut(true);
    c.insertText(QStringLiteral("Private Sub Form_Load()") + QChar::LineSeparator + QStringLiteral("End Sub"), other);
    c.insertBlock(QTextBlockFormat());
    QTextTable* t = c.insertTable(2, 2);
    t->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("ячейка"), plain);
    QTextCursor cell = t->cellAt(1, 1).firstCursorPosition();
    cell.insertText(QStringLiteral("one"), bold);
    cell.insertBlock();
    cell.insertText(QStringLiteral("two"), plain);
    c = QTextCursor(&doc);
    c.movePosition(QTextCursor::End);
    c.insertText(QStringLiteral("конец"), plain);
    c.insertBlock();
}

TEST(Writer, RichEditShape)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat f;
    f.setFontFamilies({QStringLiteral("Arial CYR")});
    f.setFontPointSize(10);
    c.insertText(QStringLiteral("Ёж {x} é"), f);
    const QByteArray rtf = richtext::writeRtf(&doc);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fnil\\fcharset204 Arial CYR;}}"))
        << rtf.toStdString();
    // Cyrillic as \'hh of code page 1251, é (not in 1251) as \uN with a fallback.
    EXPECT_TRUE(rtf.contains("\\uc1\\pard\\fs20\\'a8\\'e6 \\{x\\} \\u233?\\par\r\n}")) << rtf.toStdString();
    EXPECT_TRUE(rtf.endsWith("}\r\n"));
}

TEST(Writer, TextAndFormattingSurvive)
{
    QTextDocument doc;
    buildSample(doc);
    QTextDocument back;
    richtext::readRtf(richtext::writeRtf(&doc), &back);
    EXPECT_EQ(richtext::plainText(&back), richtext::plainText(&doc));
    ASSERT_EQ(back.blockCount(), doc.blockCount());
    // Same formatting, fragment by fragment, in the properties the writer keeps.
    for (QTextBlock a = doc.begin(), b = back.begin(); a.isValid() && b.isValid(); a = a.next(), b = b.next()) {
        SCOPED_TRACE(a.text().toStdString());
        EXPECT_EQ(a.text(), b.text());
        EXPECT_EQ(a.blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                  b.blockFormat().alignment() & Qt::AlignHorizontal_Mask);
        EXPECT_DOUBLE_EQ(a.blockFormat().leftMargin(), b.blockFormat().leftMargin());
        EXPECT_DOUBLE_EQ(a.blockFormat().textIndent(), b.blockFormat().textIndent());
        auto ia = a.begin(), ib = b.begin();
        for (; !ia.atEnd() && !ib.atEnd(); ++ia, ++ib) {
            const QTextCharFormat fa = ia.fragment().charFormat(), fb = ib.fragment().charFormat();
            SCOPED_TRACE(ia.fragment().text().toStdString());
            EXPECT_EQ(ia.fragment().text(), ib.fragment().text());
            EXPECT_EQ(fa.fontFamilies(), fb.fontFamilies());
            EXPECT_DOUBLE_EQ(fa.fontPointSize(), fb.fontPointSize());
            EXPECT_EQ(fa.fontWeight() > QFont::Medium, fb.fontWeight() > QFont::Medium);
            EXPECT_EQ(fa.fontItalic(), fb.fontItalic());
            EXPECT_EQ(fa.fontUnderline(), fb.fontUnderline());
            EXPECT_EQ(fa.fontStrikeOut(), fb.fontStrikeOut());
            EXPECT_EQ(fa.foreground().color(), fb.foreground().color());
            EXPECT_EQ(fa.background().color(), fb.background().color());
            EXPECT_EQ(fa.anchorHref(), fb.anchorHref());
        }
        EXPECT_TRUE(ia.atEnd() && ib.atEnd());
    }
}

TEST(Writer, StableOnSecondWrite)
{
    QTextDocument doc;
    buildSample(doc);
    const QByteArray first = richtext::writeRtf(&doc);
    const QByteArray second = rewrite(first);
    EXPECT_EQ(second.toStdString(), first.toStdString());
    EXPECT_EQ(rewrite(second), second);
    // Odd margins and sizes go through the same rounding both ways.
    QTextDocument odd;
    QTextCursor c(&odd);
    QTextBlockFormat bf;
    bf.setLeftMargin(10.37);
    bf.setBottomMargin(3.3);
    c.setBlockFormat(bf);
    QTextCharFormat cf;
    cf.setFontPointSize(10.3);
    c.insertText(QStringLiteral("x"), cf);
    // A font name the font table cannot carry (a soft hyphen alone) becomes the default font.
    QTextCharFormat nameless;
    nameless.setFontFamilies({QStringLiteral("\u00AD")});
    c.insertText(QStringLiteral("y"), nameless);
    const QByteArray once = richtext::writeRtf(&odd);
    EXPECT_EQ(rewrite(once), once);
}

TEST(Writer, OutlandishValuesBounded)
{
    // What a paste from elsewhere may hold: the writer bounds it as the reader would.
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextBlockFormat bf;
    bf.setLeftMargin(1e300);
    bf.setTextIndent(std::numeric_limits<double>::quiet_NaN());
    c.setBlockFormat(bf);
    QTextCharFormat cf;
    cf.setFontPointSize(1e12);
    c.insertText(QStringLiteral("x"), cf);
    c.insertText(QString(QChar(0xD800)) + QStringLiteral("z"));  // a lone surrogate half
    QTextTableFormat tf;
    tf.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 1e12), QTextLength(QTextLength::FixedLength, 50)});
    c.insertTable(1, 2, tf);
    const QByteArray rtf = richtext::writeRtf(&doc);
    EXPECT_TRUE(rtf.contains("\\li31680")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("\\fs3276"));
    EXPECT_TRUE(rtf.contains("\\cellx31680\\cellx32430"));
    EXPECT_TRUE(rtf.contains("\\pard\\li31680\\fs3276 x\\u-3?z\\par")) << rtf.toStdString();
    EXPECT_EQ(rewrite(rtf), rtf);
}

TEST(Writer, EmptyAndTrailingParagraphsStable)
{
    for (const QString& text : {QString(), QStringLiteral("\n"), QStringLiteral("a\n\n"), QStringLiteral("\na")}) {
        SCOPED_TRACE(text.toStdString());
        QTextDocument doc;
        doc.setPlainText(text);
        const QByteArray rtf = richtext::writeRtf(&doc);
        QTextDocument back;
        richtext::readRtf(rtf, &back);
        EXPECT_EQ(back.blockCount(), doc.blockCount());
        EXPECT_EQ(back.toPlainText(), doc.toPlainText());
        EXPECT_EQ(richtext::writeRtf(&back), rtf);
    }
}

TEST(Writer, SelectionAsRtf)
{
    QTextDocument doc;
    buildSample(doc);
    QTextCursor sel = doc.find(QStringLiteral("мир"));
    sel.setPosition(doc.find(QStringLiteral("жирный")).selectionEnd(), QTextCursor::KeepAnchor);
    const QByteArray rtf = richtext::writeRtf(sel);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1251"));
    QTextDocument back;
    richtext::readRtf(rtf, &back);
    EXPECT_EQ(back.toPlainText(), sel.selectedText());
    EXPECT_EQ(richtext::writeRtf(sel.selection()), rtf);

    // Paste it back elsewhere: text and bold arrive.
    QTextDocument target;
    target.setPlainText(QStringLiteral("[]"));
    QTextCursor at(&target);
    at.setPosition(1);
    richtext::insertRtf(rtf, at);
    EXPECT_EQ(target.toPlainText(), QStringLiteral("[") + sel.selectedText() + QStringLiteral("]"));
    QTextCursor b = target.find(QStringLiteral("жирный"));
    QTextCursor probe(&target);
    probe.setPosition(b.selectionStart() + 1);
    EXPECT_EQ(probe.charFormat().fontWeight(), QFont::Bold);
}

TEST(Writer, PicturesSurvive)
{
    const QByteArray png = QByteArray::fromHex(
        "89504e470d0a1a0a0000000d4948445200000001000000010806000000"
        "1f15c4890000000d49444154789c6360f8cfc0f01f0005000201e2e1cd6d0000000049454e44ae426082");
    QTextDocument doc;
    richtext::readRtf("{\\rtf1\\ansi a{\\pict\\pngblip\\picw1\\pich1 " + png.toHex() + "}b}", &doc);
    const QByteArray rtf = richtext::writeRtf(&doc);
    EXPECT_TRUE(rtf.contains("a{\\pict\\pngblip\\picw1\\pich1\\picwgoal15\\pichgoal15\r\n")) << rtf.toStdString();
    EXPECT_TRUE(QByteArray(rtf).replace("\r\n", "").contains(png.toHex() + "}b\\par"));
    EXPECT_EQ(rewrite(rtf), rtf);
    // A picture whose header claims an enormous size is written within the reader's bounds.
    QTextDocument huge;
    const QByteArray header = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000186a0000186a008060000");
    huge.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("rtfimage:huge.png")), header);
    QTextImageFormat img;
    img.setName(QStringLiteral("rtfimage:huge.png"));
    QTextCursor(&huge).insertImage(img);
    const QByteArray hugeRtf = richtext::writeRtf(&huge);
    EXPECT_TRUE(hugeRtf.contains("\\picwgoal63360\\pichgoal63360")) << hugeRtf.left(200).toStdString();
    EXPECT_EQ(rewrite(hugeRtf), hugeRtf);

    // A selection carries its pictures along.
    QTextCursor all(&doc);
    all.select(QTextCursor::Document);
    EXPECT_TRUE(richtext::writeRtf(all).replace("\r\n", "").contains(png.toHex()));
    // And pasted into another document, the picture comes along too.
    QTextDocument target;
    QTextCursor at(&target);
    richtext::insertRtf(richtext::writeRtf(all), at);
    QTextCursor c(&target);
    c.setPosition(2);  // after "a" and the picture
    ASSERT_TRUE(c.charFormat().isImageFormat());
    EXPECT_EQ(target.resource(QTextDocument::ImageResource, QUrl(c.charFormat().toImageFormat().name())).toByteArray(), png);
}

}  // namespace
