#include "PackFiles.h"

#include "AttachmentTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include "store/FileErrors.h"

#include <algorithm>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

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
    return texts::packError().arg(QString::number(number), description);
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
        return packError(FileNotFound, texts::fileNotFound().arg(path));
    // A folder, a pipe or a device has no length to take; reading one could block.
    if (!info.isFile())
        return packError(PathAccess, texts::notAFile().arg(path));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return packError(f.error() == QFileDevice::PermissionsError ? PermissionDenied : PathAccess,
                         texts::accessDenied().arg(path));
    const qint64 size = f.size();
    QByteArray bytes(size, Qt::Uninitialized);
    const qint64 got = size ? f.read(bytes.data(), size) : 0;
    if (got != size)
        return packError(DeviceIo, texts::readFailed().arg(path, f.errorString()));
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
            return packError(BadFileName, texts::nameUnsafe().arg(path, reason));
        if (!encodeName(name))
            return packError(BadFileName, texts::nameNot1251().arg(name));
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

// Partial files of an unpack: hidden, and named with the writer's process id, so
// that one left by a process that was killed can be told from one being written.
const QString PartialPrefix = QStringLiteral(".kodrix-unpack-");

// Writes all of `bytes` to the descriptor; 0, or the system's error number.
int writeAll(int fd, QByteArrayView bytes)
{
    const char* p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(std::min<qsizetype>(left, qsizetype(1) << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        p += n;
        left -= n;
    }
    return 0;
}

}  // namespace

void removeStalePartials(const QString& folder)
{
    static const QRegularExpression withPid(QStringLiteral("^\\.kodrix-unpack-(\\d+)-"));
    const QDir dir(folder);
    for (const QString& name : dir.entryList({PartialPrefix + u'*'}, QDir::Files | QDir::Hidden | QDir::System)) {
        const QRegularExpressionMatch m = withPid.match(name);
        const pid_t pid = m.hasMatch() ? pid_t(m.captured(1).toLongLong()) : 0;
        // A writer that still runs (or runs as another user) keeps its file.
        if (pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM))
            continue;
        QFile::remove(dir.filePath(name));
    }
}

store::Result<QString> writeWhole(const QString& folder, const QString& name, QByteArrayView bytes)
{
    Q_ASSERT(unsafeNameReason(name).isEmpty());
    const QString target = folder + u'/' + name;
    // An empty folder would put the file at the root of the disk.
    if (folder.isEmpty())
        return store::Error{texts::writeFailed().arg(name, texts::noFolder())};
    QTemporaryFile tmp(folder + u'/' + PartialPrefix + QString::number(::getpid()) + QStringLiteral("-XXXXXX"));
    if (!tmp.open())
        return store::Error{
            texts::writeFailed().arg(target, store::writeFailureReason(target, bytes.size(), tmp.errorString()))};
    // Written past Qt's buffer, so that a full disk is known by its error number;
    // on the disk before the rename, so that a crash leaves the old file or the new.
    int err = writeAll(tmp.handle(), bytes);
    if (!err && ::fsync(tmp.handle()) != 0)
        err = errno;
    if (err)
        return store::Error{texts::writeFailed().arg(target, store::fileErrorReason(err))};
    tmp.setPermissions(defaultPermissions());
    tmp.close();
    // rename() replaces the old file, or a link of that name, in one step; a folder
    // of that name makes it fail and the temporary file goes away with `tmp`.
    if (std::rename(QFile::encodeName(tmp.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        return store::Error{texts::writeFailed().arg(target, store::fileErrorReason(errno))};
    tmp.setAutoRemove(false);
    return target;
}

namespace {

store::Result<UnpackReport> unpack(QByteArrayView archive, const QString& folder, const QString* wanted)
{
    if (!hasMagic(archive))
        return store::Error{texts::notPackArchive()};
    removeStalePartials(folder);
    UnpackReport report;
    std::optional<store::Error> failure;
    const ScanEnd end = scanRecords(archive, [&](const RawRecord& r) {
        const QString name = decodeName(r.name);
        if (wanted && !nameMatches(name, *wanted))
            return true;
        const QString reason = unsafeNameReason(name);
        if (!reason.isEmpty()) {
            report.refused.push_back(texts::recordRefused().arg(name, reason));
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
