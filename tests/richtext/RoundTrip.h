#pragma once
// What a write of a read document must keep, as lines that compare equal when kept: every
// paragraph's alignment, indents and tab stops, every run's text and character format, every
// picture's bytes and size, and every table's shape and cells. Used over both corpora.
#include <QCryptographicHash>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

namespace roundtrip {

inline QString describeBlock(const QTextDocument& doc, const QTextBlock& block)
{
    const QTextBlockFormat bf = block.blockFormat();
    QString line = QStringLiteral("P a%1 l%2 r%3 i%4 t%5 b%6 tabs")
                       .arg(int(bf.alignment() & Qt::AlignHorizontal_Mask))
                       .arg(bf.leftMargin())
                       .arg(bf.rightMargin())
                       .arg(bf.textIndent())
                       .arg(bf.topMargin())
                       .arg(bf.bottomMargin());
    for (const QTextOption::Tab& t : bf.tabPositions())
        line += QStringLiteral(" %1/%2").arg(t.position).arg(int(t.type));
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment frag = it.fragment();
        const QTextCharFormat f = frag.charFormat();
        if (f.isImageFormat()) {
            const QTextImageFormat im = f.toImageFormat();
            const QByteArray bytes = doc.resource(QTextDocument::ImageResource, QUrl(im.name())).toByteArray();
            line += QStringLiteral("\n  I %1 %2x%3 x%4")
                        .arg(QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()))
                        .arg(im.width())
                        .arg(im.height())
                        .arg(frag.length());
            continue;
        }
        // A run without a size of its own shows in the document's.
        line += QStringLiteral("\n  T [%1] %2 %3pt w%4 i%5 u%6 s%7 v%8 fg%9 bg%10 %11")
                    .arg(frag.text(), f.fontFamilies().toStringList().join(u','))
                    .arg(f.fontPointSize() > 0 ? f.fontPointSize() : doc.defaultFont().pointSizeF())
                    .arg(f.fontWeight() > QFont::Medium)
                    .arg(f.fontItalic())
                    .arg(f.fontUnderline())
                    .arg(f.fontStrikeOut())
                    .arg(int(f.verticalAlignment()))
                    .arg(f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : QString())
                    .arg(f.hasProperty(QTextFormat::BackgroundBrush) ? f.background().color().name() : QString())
                    .arg(f.isAnchor() ? f.anchorHref() : QString());
    }
    return line;
}

inline void describeFrame(const QTextDocument& doc, QTextFrame* frame, QStringList& out)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* child = it.currentFrame()) {
            if (auto* table = qobject_cast<QTextTable*>(child)) {
                out << QStringLiteral("TABLE %1x%2").arg(table->rows()).arg(table->columns());
                for (const QTextLength& w : table->format().columnWidthConstraints())
                    out.last() += QStringLiteral(" %1/%2").arg(w.rawValue()).arg(int(w.type()));
                for (int r = 0; r < table->rows(); ++r)
                    for (int c = 0; c < table->columns(); ++c) {
                        const QTextTableCell cell = table->cellAt(r, c);
                        out << QStringLiteral("CELL %1,%2").arg(r).arg(c);
                        for (auto b = cell.begin(); !b.atEnd(); ++b)
                            if (!b.currentFrame())
                                out << describeBlock(doc, b.currentBlock());
                    }
                continue;
            }
            describeFrame(doc, child, out);
            continue;
        }
        out << describeBlock(doc, it.currentBlock());
    }
}

// The document as lines, for a comparison that names the first line that differs.
inline QStringList describe(const QTextDocument& doc)
{
    QStringList out;
    describeFrame(doc, doc.rootFrame(), out);
    return out;
}

// Empty when `after` keeps all of `before`; else the first place where it does not.
inline std::string firstDifference(const QTextDocument& before, const QTextDocument& after)
{
    const QStringList a = describe(before), b = describe(after);
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        const QString x = a.value(i), y = b.value(i);
        if (x != y)
            return QStringLiteral("line %1 of %2:\nread:    %3\nwritten: %4").arg(i).arg(a.size()).arg(x, y).toStdString();
    }
    return {};
}

}  // namespace roundtrip
