// One entry written as PDF, HTML or text through the printing layout: the whole
// article, Cyrillic, the table and the picture arrive, and failures leave no file.
#include "ArticleFixture.h"
#include "PdfText.h"
#include "SmallBase.h"
#include "TestSupport.h"

#include "shell/ArticleExport.h"
#include "shell/ArticleLayout.h"
#include "store/Database.h"
#include "store/Recordset.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace shell;
using namespace shelltest;

namespace {

class ArticleExportTest : public testing::Test {
protected:
    void SetUp() override
    {
        dir = tmp.filePath(QStringLiteral("Экспорт"));
        QDir().mkpath(dir);
        base = dir + QStringLiteral("/basemain.mdb");
        struct Row {
            QString path, name, target;
            QByteArray body;
        };
        std::vector<testsupport::BaseRow> content;
        for (const Row& r : {Row{QStringLiteral("Строки"), QStringLiteral("Функция Left"), {}, "{\\rtf1 Left}"},
                             Row{QStringLiteral("Строки"), QStringLiteral("Функция Mid"), {}, longArticle()},
                             Row{QStringLiteral("Ссылки"), QStringLiteral("Сайт"), QStringLiteral("https://example.org"), {}},
                             Row{QStringLiteral("Пустая папка"), QString(), {}, {}}})
            content.push_back({{store::ColPath, r.path},
                               {store::ColName, r.name},
                               {store::ColBody, QString::fromLatin1(r.body)},
                               {store::ColLinkTarget, r.target},
                               {store::ColKind, 1}});
        const QString failed = testsupport::writeBase(base, content);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
    }
    store::Result<ExportReport> run(const QString& reference, const QString& out)
    {
        return ArticleExport::exportEntry(base, reference, out, QGuiApplication::font());
    }

    QTemporaryDir tmp;
    QString dir;
    QString base;
};

}  // namespace

TEST_F(ArticleExportTest, PdfHoldsTheWholeArticleFromItsFirstPage)
{
    if (!pdfToolsInstalled())
        GTEST_SKIP() << "pdftotext is not installed (scripts/deps.sh installs poppler-utils)";
    const QString out = dir + QStringLiteral("/статья.pdf");
    // The reference is found without regard to letter case, as see-also references are.
    auto report = run(QStringLiteral("строки\\функция MID"), out);
    ASSERT_TRUE(report.ok()) << report.message().toStdString();
    EXPECT_EQ(report->format, ExportFormat::Pdf);
    EXPECT_GE(report->pages, 3);
    EXPECT_EQ(pdfPages(out), report->pages);

    const QString first = pdfText(out, 1, 1);
    EXPECT_TRUE(first.trimmed().startsWith(firstParagraph())) << first.left(200).toStdString();
    const QString all = pdfText(out);
    for (int i : {1, ParagraphCount / 2, ParagraphCount})
        EXPECT_TRUE(all.contains(QStringLiteral("Абзац %1 о функции Mid").arg(i))) << i;
    EXPECT_TRUE(all.contains(cellText(1)));
    EXPECT_TRUE(all.contains(cellText(2)));
    EXPECT_TRUE(pdfText(out, report->pages, report->pages).contains(lastParagraph()));
    EXPECT_EQ(pdfImageCount(out), 1);
}

TEST_F(ArticleExportTest, HtmlCarriesItsPictureInlineAndTextIsThePanesText)
{
    const QString html = dir + QStringLiteral("/статья.HTML");
    auto report = run(QStringLiteral("Строки\\Функция Mid"), html);
    ASSERT_TRUE(report.ok()) << report.message().toStdString();
    EXPECT_EQ(report->format, ExportFormat::Html);
    const QString page = QString::fromUtf8(testsupport::readFile(html));
    EXPECT_TRUE(page.contains(QStringLiteral("<title>Функция Mid</title>")));
    EXPECT_TRUE(page.contains(QStringLiteral("src=\"data:image/png;base64,iVBORw0KGgo"))) << "picture not inline";
    EXPECT_FALSE(page.contains(QStringLiteral("rtfimage:")));
    EXPECT_TRUE(page.contains(firstParagraph()));
    EXPECT_TRUE(page.contains(lastParagraph()));
    EXPECT_TRUE(page.contains(QStringLiteral("<table")));

    const QString txt = dir + QStringLiteral("/статья.txt");
    ASSERT_TRUE(run(QStringLiteral("Строки\\Функция Mid"), txt).ok());
    const auto doc = ArticleLayout::fromRtf(longArticle(), QGuiApplication::font());
    const QString text = QString::fromUtf8(testsupport::readFile(txt));
    EXPECT_EQ(text, ArticleLayout::text(*doc));
    EXPECT_TRUE(text.startsWith(firstParagraph() + QLatin1Char('\n')));
    EXPECT_TRUE(text.contains(cellText(1) + QLatin1Char('\n') + cellText(2)));
}

TEST_F(ArticleExportTest, WhatCannotBeExportedIsSaidAndWritesNothing)
{
    const QString keep = dir + QStringLiteral("/старый.pdf");
    ASSERT_TRUE(testsupport::writeFile(keep, "прежний файл"));
    struct Case {
        const char* name;
        QString reference, out;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"unknown format", QStringLiteral("Строки\\Функция Mid"), dir + QStringLiteral("/статья.doc"),
         QStringLiteral("нужно .pdf, .html или .txt")},
        {"no such entry", QStringLiteral("Строки\\Нет такой"), keep, QStringLiteral("«Строки\\Нет такой» не найдена")},
        {"a link", QStringLiteral("Ссылки\\Сайт"), keep, QStringLiteral("не статья")},
        {"a folder record", QStringLiteral("Пустая папка\\"), keep, QStringLiteral("не статья")},
        {"a missing folder", QStringLiteral("Строки\\Функция Mid"), dir + QStringLiteral("/нет папки/статья.pdf"),
         QStringLiteral("нет папки")},
        {"a missing base", QStringLiteral("Строки\\Функция Mid"), keep, QStringLiteral("файл не найден")},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const QString from = QString::fromLatin1(k.name) == QLatin1String("a missing base")
                                 ? dir + QStringLiteral("/нет.mdb")
                                 : base;
        auto report = ArticleExport::exportEntry(from, k.reference, k.out, QGuiApplication::font());
        ASSERT_FALSE(report.ok());
        EXPECT_TRUE(report.message().contains(k.expected)) << report.message().toStdString();
        EXPECT_EQ(testsupport::readFile(keep), QByteArray("прежний файл"));
    }
    QDir d(dir);
    EXPECT_EQ(d.entryList(QDir::Files), (QStringList{QStringLiteral("basemain.mdb"), QStringLiteral("старый.pdf")}));
}
