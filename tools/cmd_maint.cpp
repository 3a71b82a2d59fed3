// Base maintenance from the command line: compact, export.
#include "Command.h"
#include "ToolTexts.h"

#include "shell/ArticleExport.h"
#include "shell/ShellTexts.h"
#include "store/Compaction.h"
#include "store/Record.h"

#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>

namespace tool {
namespace {

int compact(const QStringList& a)
{
    if (a.size() != 1)
        return fail(QStringLiteral("compact"), texts::oneBaseArgument());
    // The copy is made beside the base under the name the program uses.
    const QString backup = QFileInfo(a[0]).absoluteDir().filePath(QString::fromLatin1(store::BackupFileName));
    auto report = store::Compaction(a[0], backup).run();
    if (!report)
        return fail(QStringLiteral("compact"), report.message());
    out(texts::compacted().arg(a[0], QString::number(report->rows), QString::number(report->bytesBefore),
                               QString::number(report->bytesAfter)));
    return 0;
}

int exportEntry(const QStringList& a)
{
    if (a.size() != 3)
        return fail(QStringLiteral("export"), shell::texts::exportUsage());
    auto report = shell::ArticleExport::exportEntry(a[0], a[1], a[2], QGuiApplication::font());
    if (!report)
        return fail(QStringLiteral("export"), report.message());
    if (report->format == shell::ExportFormat::Pdf)
        out(texts::pagesWritten().arg(report->pages));
    return 0;
}

const Registrar r1({QStringLiteral("compact"), QStringLiteral("compact BASE"),
                    texts::helpCompact(),
                    compact});
const Registrar r2({QStringLiteral("export"), texts::usageExport(),
                    texts::helpExport(),
                    exportEntry});

}  // namespace
}  // namespace tool
