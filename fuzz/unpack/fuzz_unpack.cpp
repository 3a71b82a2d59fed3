// libFuzzer target for the archive reader. For any input: no crash, no hang, no
// file outside the target folder, every file written equals a record read in
// memory, and the records read pack again into an archive that reads the same.
#include "attachments/AttachmentTexts.h"
#include "attachments/PackFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <cstdio>

using namespace attachments;

namespace {

[[noreturn]] void die(const char* what, const QString& detail = QString())
{
    std::fprintf(stderr, "fuzz_unpack: %s %s\n", what, detail.toLocal8Bit().constData());
    std::abort();
}

struct Sandbox {
    QTemporaryDir dir;
    QString target;
    Sandbox()
    {
        if (!dir.isValid())
            die("no temporary folder");
        target = dir.path() + QStringLiteral("/target");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Sandbox box;
    const QByteArray archive(reinterpret_cast<const char*>(data), qsizetype(size));

    auto inMemory = readArchive(archive);
    if (inMemory.ok() != hasMagic(archive))
        die("readArchive and the magic disagree");

    QDir().mkpath(box.target);
    auto report = unpackAll(archive, box.target);
    // With the magic, unpacking may still fail, at a file the system will not take
    // (a name too long for it, say); it must not claim the magic is wrong.
    if (!report.ok() && (report.message() == texts::notPackArchive()) != !hasMagic(archive))
        die("unpackAll and the magic disagree:", report.message());
    if (report.ok() && !inMemory.ok())
        die("unpackAll wrote from an archive without the magic");

    // Nothing but plain files directly in the target; nothing beside it.
    const QStringList beside = QDir(box.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                              QDir::NoDotAndDotDot);
    if (beside != QStringList{QStringLiteral("target")})
        die("something was written beside the target:", beside.join(u','));
    QDirIterator it(box.target, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (!info.isFile() || info.isSymLink())
            die("not a plain file in the target:", info.filePath());
    }

    if (inMemory.ok()) {
        QList<PackEntry> safe;
        for (const ArchiveRecord& r : inMemory->records)
            if (r.refusal.isEmpty())
                safe.push_back({r.name, r.bytes});
        if (report.ok()) {
            // The last record of each name is what stays on disk.
            QHash<QString, QByteArray> last;
            for (const PackEntry& e : safe)
                last[e.name] = e.bytes;
            for (auto i = last.cbegin(); i != last.cend(); ++i) {
                QFile f(box.target + u'/' + i.key());
                if (!f.open(QIODevice::ReadOnly) || f.readAll() != i.value())
                    die("file on disk differs from its record:", i.key());
            }
        }
        // Every name read back encodes to the same bytes again, so it packs again.
        for (const PackEntry& e : safe)
            if (!encodeName(e.name))
                die("a name read back does not encode again:", e.name);
        const QList<PackEntry>& packable = safe;
        auto again = packEntries(packable);
        if (!again)
            die("records read could not be packed again:", again.message());
        auto reread = readArchive(*again);
        if (!reread || reread->cut || reread->records.size() != packable.size())
            die("repacked archive does not read back");
        for (qsizetype i = 0; i < packable.size(); ++i)
            if (reread->records[i].name != packable[i].name || reread->records[i].bytes != packable[i].bytes)
                die("repacked record differs");
    }

    QDir(box.target).removeRecursively();
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}
