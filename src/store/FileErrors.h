#pragma once
// Why writing a file failed, in the user's words. Qt's buffered files lose the
// system's error on the way and report "Unknown error"; a full disk must be
// called what it is.
#include "StoreTexts.h"

#include <QFileInfo>
#include <QStorageInfo>
#include <QString>

#include <cerrno>
#include <cstring>

namespace store {

// The cause of a system error number.
inline QString fileErrorReason(int err)
{
    switch (err) {
    case ENOSPC:
    case EDQUOT: return texts::diskFull();
    case EACCES:
    case EPERM: return texts::noWriteAccess();
    case EROFS: return texts::readOnlyDisk();
    case EFBIG: return texts::fileTooBig();
    case EIO: return texts::ioError();
    case EISDIR: return texts::folderInTheWay();
    case ENOENT:
    case ENOTDIR: return texts::noFolder();
    case ENAMETOOLONG: return texts::nameTooLong();
    default: return QString::fromLocal8Bit(std::strerror(err));
    }
}

// The cause of a failed write of `bytes` bytes into `path` when only Qt's text
// is known: a disk with less room left than the write needs is full, whatever
// Qt says.
inline QString writeFailureReason(const QString& path, qint64 bytes, const QString& qtText)
{
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() < bytes + 4096)
        return texts::diskFull();
    return qtText;
}

}  // namespace store
