// The wide corpus: 388 real RTF files from the test folders of many projects, with the plain
// text LibreOffice gives for each. Every file reads in bounded time, its text agrees with
// LibreOffice's unless the difference is listed below with its reason, and a write of what
// was read keeps the text, the pictures and the tables, and is stable.
#include "richtext/Rtf.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

namespace {

QString wideDir()
{
    return testsupport::testDataDir() + QStringLiteral("/rtf-wide");
}

// Text compared with every blank removed: readers differ in where they put line breaks,
// tabs and blanks around table cells, not in the words they read.
QString squeezed(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (QChar c : s)
        if (!c.isSpace())
            out.append(c);
    return out;
}

// Files whose text differs from LibreOffice's, and why the difference is accepted.
const QHash<QString, QString>& acceptedDifferences()
{
    static const QHash<QString, QString> list{
    };
    return list;
}

std::vector<std::string> wideFiles()
{
    std::vector<std::string> names;
    const QDir dir(wideDir() + QStringLiteral("/files"));
    for (const QFileInfo& f : dir.entryInfoList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name))
        names.push_back(f.completeBaseName().toStdString());
    return names;
}

// What a document holds that the round trip must keep: the text of every cell of every table
// (row by row) and every picture's bytes and laid-out size.
struct Content {
    QStringList tables;
    QStringList pictures;
};

void collect(const QTextDocument& doc, QTextFrame* frame, Content& out)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* child = it.currentFrame()) {
            if (auto* table = qobject_cast<QTextTable*>(child)) {
                QString t = QStringLiteral("%1x%2:").arg(table->rows()).arg(table->columns());
                for (int r = 0; r < table->rows(); ++r)
                    for (int c = 0; c < table->columns(); ++c) {
                        const QTextTableCell cell = table->cellAt(r, c);
                        QTextCursor a = cell.firstCursorPosition(), b = cell.lastCursorPosition();
                        a.setPosition(b.position(), QTextCursor::KeepAnchor);
                        t += QLatin1Char('|') + squeezed(a.selectedText());
                    }
                out.tables << t;
            }
            collect(doc, child, out);
            continue;
        }
        const QTextBlock block = it.currentBlock();
        for (auto f = block.begin(); !f.atEnd(); ++f) {
            const QTextCharFormat cf = f.fragment().charFormat();
            if (!cf.isImageFormat())
                continue;
            const QTextImageFormat im = cf.toImageFormat();
            const QByteArray bytes = doc.resource(QTextDocument::ImageResource, QUrl(im.name())).toByteArray();
            out.pictures << QStringLiteral("%1 %2x%3 %4")
                                .arg(QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()))
                                .arg(qRound(im.width()))
                                .arg(qRound(im.height()))
                                .arg(f.fragment().length());
        }
    }
}

Content contentOf(const QTextDocument& doc)
{
    Content c;
    collect(doc, doc.rootFrame(), c);
    return c;
}

class WideFile : public ::testing::TestWithParam<std::string> {};

TEST_P(WideFile, ReadsLikeLibreOfficeAndRoundTrips)
{
    const QString base = QString::fromStdString(GetParam());
    const QByteArray bytes = testsupport::readFile(wideDir() + QStringLiteral("/files/") + base + QStringLiteral(".rtf"));
    ASSERT_FALSE(bytes.isEmpty());

    QElapsedTimer timer;
    timer.start();
    QTextDocument doc;
    richtext::readRtf(bytes, &doc);
    const QString text = richtext::plainText(&doc);
    EXPECT_LT(timer.elapsed(), 5000) << "reading took too long";
    EXPECT_EQ(richtext::plainText(bytes).toStdString(), text.toStdString()) << "fast path differs";

    const QString refPath = wideDir() + QStringLiteral("/reference/") + base + QStringLiteral(".lo.txt");
    if (QFileInfo::exists(refPath)) {
        const QString ref = squeezed(QString::fromUtf8(testsupport::readFile(refPath)));
        const bool agrees = squeezed(text) == ref;
        if (acceptedDifferences().contains(base))
            EXPECT_FALSE(agrees) << "agrees with LibreOffice now: take it off the list";
        else
            EXPECT_TRUE(agrees) << "ours: " << squeezed(text).left(3000).toStdString()
                                << "\nref:  " << ref.left(3000).toStdString();
    }

    const QByteArray first = richtext::writeRtf(&doc);
    QTextDocument again;
    richtext::readRtf(first, &again);
    EXPECT_EQ(richtext::plainText(&again).toStdString(), text.toStdString()) << "text lost in the round trip";
    const Content before = contentOf(doc), after = contentOf(again);
    EXPECT_EQ(after.pictures.join(u'\n').toStdString(), before.pictures.join(u'\n').toStdString());
    EXPECT_EQ(after.tables.join(u'\n').toStdString(), before.tables.join(u'\n').toStdString());
    EXPECT_EQ(richtext::writeRtf(&again).toStdString(), first.toStdString()) << "second write differs";
}

INSTANTIATE_TEST_SUITE_P(Corpus, WideFile, ::testing::ValuesIn(wideFiles()), [](const auto& info) {
    std::string n = info.param;
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return n;
});

}  // namespace
