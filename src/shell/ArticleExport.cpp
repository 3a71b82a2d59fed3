#include "ArticleExport.h"

#include "ArticleLayout.h"
#include "ShellTexts.h"

#include "store/Database.h"
#include "store/Recordset.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace shell {

std::optional<ExportFormat> ArticleExport::formatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return ExportFormat::Pdf;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return ExportFormat::Html;
    if (suffix == QLatin1String("txt"))
        return ExportFormat::Text;
    return std::nullopt;
}

store::Result<ExportReport> ArticleExport::exportEntry(const QString& basePath, const QString& reference,
                                                       const QString& out, const QFont& font)
{
    const std::optional<ExportFormat> format = formatOf(out);
    if (!format)
        return store::Error{texts::exportUnknownFormat(out)};
    auto db = store::Database::open(basePath);
    if (!db)
        return db.error();
    auto opened = (*db)->openRecordset();
    if (!opened)
        return opened.error();
    store::Recordset& rs = **opened;
    const QString wanted = reference.toLower();
    bool found = false;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        if ((rs.text(store::ColPath) + QLatin1Char('\\') + rs.text(store::ColName)).toLower() == wanted) {
            found = true;
            break;
        }
    }
    if (!found)
        return store::Error{texts::exportNotFound(reference, basePath)};
    if (!rs.text(store::ColLinkTarget).isEmpty() || rs.text(store::ColName).isEmpty())
        return store::Error{texts::exportNotArticle(reference)};
    const QString title = rs.text(store::ColName);
    const std::unique_ptr<QTextDocument> doc = ArticleLayout::fromRtf(rs.bytes(store::ColBody), font);
    opened->reset();
    (*db)->close();

    // Written beside the target and renamed over it at the end: a failure leaves
    // no half-written file and keeps an older one.
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly))
        return store::Error{texts::exportWriteFailed(out, file.errorString())};
    ExportReport report;
    report.format = *format;
    if (*format == ExportFormat::Pdf) {
        QPdfWriter pdf(&file);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Kodrix"));
        pdf.setPageSize(QPageSize(QPageSize::A4));
        auto pages = ArticleLayout::print(*doc, pdf, texts::pdfFile(out));
        if (!pages) {
            file.cancelWriting();
            return pages.error();
        }
        report.pages = *pages;
    } else {
        const QString text = *format == ExportFormat::Html ? ArticleLayout::html(*doc, title) : ArticleLayout::text(*doc);
        file.write(text.toUtf8());
    }
    if (!file.commit())
        return store::Error{texts::exportWriteFailed(out, file.errorString())};
    return report;
}

}  // namespace shell
