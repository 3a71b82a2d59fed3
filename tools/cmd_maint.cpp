// Base maintenance from the command line: compact, export.
#include "Command.h"

#include "shell/ArticleExport.h"
#include "shell/MaintenanceTexts.h"
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
        return fail(QStringLiteral("compact"), QStringLiteral("нужен один аргумент: BASE"));
    // The copy is made beside the base under the name the program uses.
    const QString backup = QFileInfo(a[0]).absoluteDir().filePath(QString::fromLatin1(store::BackupFileName));
    auto report = store::Compaction(a[0], backup).run();
    if (!report)
        return fail(QStringLiteral("compact"), report.message());
    out(QStringLiteral("База «%1» сжата: записей %2, было %3 байт, стало %4 байт.\n")
            .arg(a[0])
            .arg(report->rows)
            .arg(report->bytesBefore)
            .arg(report->bytesAfter));
    return 0;
}

int exportEntry(const QStringList& a)
{
    if (a.size() != 3)
        return fail(QStringLiteral("export"), shell::mtexts::exportUsage());
    auto report = shell::ArticleExport::exportEntry(a[0], a[1], a[2], QGuiApplication::font());
    if (!report)
        return fail(QStringLiteral("export"), report.message());
    if (report->format == shell::ExportFormat::Pdf)
        out(QStringLiteral("Записано страниц: %1\n").arg(report->pages));
    return 0;
}

const Registrar r1({QStringLiteral("compact"), QStringLiteral("compact BASE"),
                    QStringLiteral("Сжимает базу на месте: копия в dbbackup.mdb рядом с базой проверяется и только "
                                   "потом заменяет базу. При любой ошибке база остаётся прежней."),
                    compact});
const Registrar r2({QStringLiteral("export"), QStringLiteral("export BASE \"Путь\\Название\" OUT"),
                    QStringLiteral("Сохраняет статью в файл OUT: PDF, HTML (с рисунками внутри) или текст, "
                                   "по расширению .pdf, .html или .txt. Вёрстка та же, что при печати."),
                    exportEntry});

}  // namespace
}  // namespace tool
