#pragma once
// An article that shows what printing and export must keep: Cyrillic text over
// several pages, a table and a picture, as rich text the reader takes in.
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

namespace shelltest {

// Text as RTF: every character beyond ASCII as \uN with "?" for old readers.
inline QByteArray rtfText(const QString& text)
{
    QByteArray out;
    for (QChar c : text) {
        if (c.unicode() < 128 && c != QLatin1Char('\\') && c != QLatin1Char('{') && c != QLatin1Char('}'))
            out += char(c.unicode());
        else
            out += "\\u" + QByteArray::number(qint16(c.unicode())) + '?';
    }
    return out;
}

inline QString firstParagraph() { return QStringLiteral("Начало статьи: съешь же ещё этих мягких французских булок."); }
inline QString lastParagraph() { return QStringLiteral("Конец статьи: да выпей чаю."); }
inline QString cellText(int n) { return QStringLiteral("Ячейка %1").arg(n); }
inline constexpr int ParagraphCount = 150;

// `paragraphs` numbered paragraphs between the first and the last, then a table
// of two cells and a red picture of 40 × 30 pixels.
inline QByteArray longArticle(int paragraphs = ParagraphCount)
{
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(QColor(200, 0, 0));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");

    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}"
                     "\\viewkind4\\uc1\\pard\\f0\\fs24 ";
    rtf += rtfText(firstParagraph()) + "\\par\r\n";
    for (int i = 1; i <= paragraphs; ++i)
        rtf += rtfText(QStringLiteral("Абзац %1 о функции Mid и строках Visual Basic.").arg(i)) + "\\par\r\n";
    rtf += "\\trowd\\cellx3000\\cellx6000\\pard\\intbl " + rtfText(cellText(1)) + "\\cell " + rtfText(cellText(2))
           + "\\cell\\row\\pard\r\n";
    rtf += "{\\pict\\pngblip\\picw40\\pich30 " + png.toHex() + "}\\par\r\n";
    rtf += rtfText(lastParagraph()) + "\\par\r\n}";
    return rtf;
}

}  // namespace shelltest
