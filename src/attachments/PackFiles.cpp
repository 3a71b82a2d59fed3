#include "PackFiles.h"

#include "AttachmentTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace attachments {

QStringList pathsOfList(const QString& list)
{
    QStringList paths;
    const QStringList pieces = list.split(u';');
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        if (pieces[i].isEmpty())
            break;
        paths.push_back(pieces[i]);
    }
    return paths;
}

QString PackFailure::message() const
{
    return texts::PackErrorBefore + QString::number(number) + texts::PackErrorAfter + u'\n' + description;
}

namespace {

// The numbers the file operations of the old program reported, so a user's report
// of "Ошибка 53" still means what it meant.
enum : int { BadFileName = 52, FileNotFound = 53, DeviceIo = 57, PermissionDenied = 70, PathAccess = 75 };

store::Error packError(int number, const QString& description)
{
    return store::Error{PackFailure{number, description}.message()};
}

store::Result<QByteArray> readWhole(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return packError(FileNotFound, texts::FileNotFound.arg(path));
    // A folder, a pipe or a device has no length to take; reading one could block.
    if (!info.isFile())
        return packError(PathAccess, texts::NotAFile.arg(path));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return packError(f.error() == QFileDevice::PermissionsError ? PermissionDenied : PathAccess,
                         texts::AccessDenied.arg(path));
    const qint64 size = f.size();
    QByteArray bytes(size, Qt::Uninitialized);
    const qint64 got = size ? f.read(bytes.data(), size) : 0;
    if (got != size)
        return packError(DeviceIo, texts::ReadFailed.arg(path, f.errorString()));
    return bytes;
}

}  // namespace

store::Result<QByteArray> packPaths(const QStringList& paths, const SeparatorSource& separators)
{
    QList<PackEntry> entries;
    entries.reserve(paths.size());
    for (const QString& path : paths) {
        // The name is the path's last component; the archive never holds a folder.
        const QString name = path.mid(path.lastIndexOf(u'/') + 1);
        const QString reason = unsafeNameReason(name);
        if (!reason.isEmpty())
            return packError(BadFileName, texts::NameUnsafe.arg(path, reason));
        if (!encodeName(name))
            return packError(BadFileName, texts::NameNot1251.arg(name));
        auto bytes = readWhole(path);
        if (!bytes)
            return bytes.error();
        entries.push_back({name, std::move(*bytes)});
    }
    auto archive = packEntries(entries, separators);
    if (!archive)
        return packError(BadFileName, archive.message());
    return archive;
}

store::Result<QByteArray> packFiles(const QString& list, const SeparatorSource& separators)
{
    return packPaths(pathsOfList(list), separators);
}

namespace {

// Files we create get the modes a plain create would give them.
QFileDevice::Permissions defaultPermissions()
{
    static const mode_t mask = [] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions p;
    if (mode & S_IRUSR) p |= QFileDevice::ReadOwner | QFileDevice::ReadUser;
    if (mode & S_IWUSR) p |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    if (mode & S_IRGRP) p |= QFileDevice::ReadGroup;
    if (mode & S_IWGRP) p |= QFileDevice::WriteGroup;
    if (mode & S_IROTH) p |= QFileDevice::ReadOther;
    if (mode & S_IWOTH) p |= QFileDevice::WriteOther;
    return p;
}

}  // namespace

store::Result<QString> writeWhole(const QString& folder, const QString& name, QByteArrayView bytes)
{
    Q_ASSERT(unsafeNameReason(name).isEmpty());
    const QString target = folder + u'/' + name;
    // An empty folder would put the file at the root of the disk.
    if (folder.isEmpty())
        return store::Error{texts::WriteFailed.arg(name, texts::NoFolder)};
    QTemporaryFile tmp(folder + QStringLiteral("/.kodrix-unpack-XXXXXX"));
    if (!tmp.open())
        return store::Error{texts::WriteFailed.arg(target, tmp.errorString())};
    if (tmp.write(bytes.data(), bytes.size()) != bytes.size() || !tmp.flush())
        return store::Error{texts::WriteFailed.arg(target, tmp.errorString())};
    tmp.setPermissions(defaultPermissions());
    tmp.close();
    // rename() replaces the old file, or a link of that name, in one step; a folder
    // of that name makes it fail and the temporary file goes away with `tmp`.
    if (std::rename(QFile::encodeName(tmp.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        return store::Error{texts::WriteFailed.arg(target, QString::fromLocal8Bit(std::strerror(errno)))};
    tmp.setAutoRemove(false);
    return target;
}

namespace {

store::Result<UnpackReport> unpack(QByteArrayView archive, const QString& folder, const QString* wanted)
{
    if (!hasMagic(archive))
        return store::Error{texts::NotPackArchive};
    UnpackReport report;
    std::optional<store::Error> failure;
    const ScanEnd end = scanRecords(archive, [&](const RawRecord& r) {
        const QString name = decodeName(r.name);
        if (wanted && !nameMatches(name, *wanted))
            return true;
        const QString reason = unsafeNameReason(name);
        if (!reason.isEmpty()) {
            report.refused.push_back(texts::RecordRefused.arg(name, reason));
            return true;
        }
        auto written = writeWhole(folder, name, r.bytes);
        if (!written) {
            failure = written.error();
            return false;
        }
        report.written.push_back(*written);
        return true;
    });
    if (failure)
        return *failure;
    report.cut = end == ScanEnd::Cut;
    return report;
}

}  // namespace

store::Result<UnpackReport> unpackAll(QByteArrayView archive, const QString& folder)
{
    return unpack(archive, folder, nullptr);
}

store::Result<UnpackReport> unpackFile(QByteArrayView archive, const QString& folder, const QString& wanted)
{
    return unpack(archive, folder, &wanted);
}

}  // namespace attachments
