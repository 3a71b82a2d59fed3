// Archive commands: pack, unpack, list.
#include "Command.h"
#include "ToolTexts.h"

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
        return store::Error{texts::notRegularFile().arg(path)};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return store::Error{texts::cannotOpenArchive().arg(path, f.errorString())};
    return f.readAll();
}

int pack(const QStringList& a)
{
    if (a.size() < 2)
        return fail(QStringLiteral("pack"), texts::packArguments());
    auto archive = packPaths(a.mid(1));
    if (!archive)
        return fail(QStringLiteral("pack"), archive.message());
    // The archive appears whole or the old file stays.
    QSaveFile f(a[0]);
    if (!f.open(QIODevice::WriteOnly) || f.write(*archive) != archive->size() || !f.commit())
        return fail(QStringLiteral("pack"), texts::cannotWriteArchive()
                                                .arg(a[0], store::writeFailureReason(a[0], archive->size(),
                                                                                     f.errorString())));
    return 0;
}

int unpack(const QStringList& a)
{
    if (a.size() != 2 && a.size() != 3)
        return fail(QStringLiteral("unpack"), texts::unpackArguments());
    auto archive = readArchiveFile(a[0]);
    if (!archive)
        return fail(QStringLiteral("unpack"), archive.message());
    auto report = a.size() == 3 ? unpackFile(*archive, a[1], a[2]) : unpackAll(*archive, a[1]);
    if (!report)
        return fail(QStringLiteral("unpack"), report.message());
    for (const QString& r : report->refused)
        err(QStringLiteral("kodrix-base unpack: %1\n").arg(r));
    if (report->cut)
        err(texts::unpackCut().arg(a[0]));
    if (a.size() == 3 && report->written.isEmpty() && report->refused.isEmpty() && !report->cut)
        return fail(QStringLiteral("unpack"), texts::noSuchFile().arg(a[2]));
    // A damaged archive is a failure even though the whole records before the
    // damage were written: a script must not take it for a complete unpack.
    return report->refused.isEmpty() && !report->cut ? 0 : 1;
}

int list(const QStringList& a)
{
    if (a.size() != 1)
        return fail(QStringLiteral("list"), texts::listArguments());
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
            text += texts::notExtracted().arg(r.refusal);
        text += u'\n';
    }
    out(text);
    if (contents->cut) {
        err(texts::listCut().arg(a[0], QString::number(contents->records.size())));
        return 1;
    }
    return 0;
}

const Registrar r1({QStringLiteral("pack"), QStringLiteral("pack OUT FILE…"),
                    texts::helpPack(),
                    pack});
const Registrar r2({QStringLiteral("unpack"), QStringLiteral("unpack ARCHIVE DIR [NAME]"),
                    texts::helpUnpack(),
                    unpack});
const Registrar r3({QStringLiteral("list"), QStringLiteral("list ARCHIVE"),
                    texts::helpList(),
                    list});

}  // namespace
}  // namespace tool
