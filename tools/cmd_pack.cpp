// Archive commands: pack, unpack, list.
#include "Command.h"

#include "attachments/PackFiles.h"

#include "store/FileErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tool {
namespace {

using namespace attachments;

store::Result<QByteArray> readArchiveFile(const QString& path)
{
    // A device or a pipe has no end to read to.
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
        return store::Error{QStringLiteral("«%1» не является обычным файлом").arg(path)};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return store::Error{QStringLiteral("не удалось открыть архив «%1»: %2").arg(path, f.errorString())};
    return f.readAll();
}

int pack(const QStringList& a)
{
    if (a.size() < 2)
        return fail(QStringLiteral("pack"), QStringLiteral("нужны аргументы: OUT FILE…"));
    auto archive = packPaths(a.mid(1));
    if (!archive)
        return fail(QStringLiteral("pack"), archive.message());
    // The archive appears whole or the old file stays.
    QSaveFile f(a[0]);
    if (!f.open(QIODevice::WriteOnly) || f.write(*archive) != archive->size() || !f.commit())
        return fail(QStringLiteral("pack"), QStringLiteral("не удалось записать архив «%1»: %2")
                                                .arg(a[0], store::writeFailureReason(a[0], archive->size(),
                                                                                     f.errorString())));
    return 0;
}

int unpack(const QStringList& a)
{
    if (a.size() != 2 && a.size() != 3)
        return fail(QStringLiteral("unpack"), QStringLiteral("нужны аргументы: ARCHIVE DIR [NAME]"));
    auto archive = readArchiveFile(a[0]);
    if (!archive)
        return fail(QStringLiteral("unpack"), archive.message());
    auto report = a.size() == 3 ? unpackFile(*archive, a[1], a[2]) : unpackAll(*archive, a[1]);
    if (!report)
        return fail(QStringLiteral("unpack"), report.message());
    for (const QString& r : report->refused)
        err(QStringLiteral("kodrix-base unpack: %1\n").arg(r));
    if (report->cut)
        err(QStringLiteral("kodrix-base unpack: архив «%1» обрывается; извлечены записи до места обрыва\n").arg(a[0]));
    if (a.size() == 3 && report->written.isEmpty() && report->refused.isEmpty())
        return fail(QStringLiteral("unpack"), QStringLiteral("в архиве нет файла «%1»").arg(a[2]));
    return report->refused.isEmpty() ? 0 : 1;
}

int list(const QStringList& a)
{
    if (a.size() != 1)
        return fail(QStringLiteral("list"), QStringLiteral("нужен один аргумент: ARCHIVE"));
    auto archive = readArchiveFile(a[0]);
    if (!archive)
        return fail(QStringLiteral("list"), archive.message());
    auto contents = readArchive(*archive);
    if (!contents)
        return fail(QStringLiteral("list"), contents.message());
    QString text;
    for (const ArchiveRecord& r : contents->records) {
        // Names are shown as written, but a control character in one is shown as
        // its code: printed raw it would steer the terminal.
        text += QStringLiteral("%1\t%2").arg(printable(r.name, false), QString::number(r.bytes.size()));
        if (!r.refusal.isEmpty())
            text += QStringLiteral("\t(не извлекается: %1)").arg(r.refusal);
        text += u'\n';
    }
    out(text);
    if (contents->cut)
        err(QStringLiteral("kodrix-base list: архив «%1» обрывается после %2 записей\n")
                .arg(a[0], QString::number(contents->records.size())));
    return 0;
}

const Registrar r1({QStringLiteral("pack"), QStringLiteral("pack OUT FILE…"),
                    QStringLiteral("Упаковывает файлы в архив вложений OUT (по порядку, под их именами без папок).\n"
                                   "Имена файлов должны записываться в кодировке Windows-1251."),
                    pack});
const Registrar r2({QStringLiteral("unpack"), QStringLiteral("unpack ARCHIVE DIR [NAME]"),
                    QStringLiteral("Извлекает файлы архива в папку DIR, заменяя файлы с теми же именами.\n"
                                   "С NAME извлекаются только записи с этим именем (пробелы по краям и регистр\n"
                                   "букв не учитываются); файл получает имя, под которым он хранится в архиве.\n"
                                   "Записи с недопустимыми именами не извлекаются, о них сообщается."),
                    unpack});
const Registrar r3({QStringLiteral("list"), QStringLiteral("list ARCHIVE"),
                    QStringLiteral("Печатает имя и размер в байтах каждой записи архива, по строке на запись."),
                    list});

}  // namespace
}  // namespace tool
