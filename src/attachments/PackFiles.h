#pragma once
// The pack archive against the disk: packing files given by path, and writing the
// records of an archive into a folder.
#include "PackArchive.h"

#include <QStringList>

namespace attachments {

// The paths of a file list in the form ";" path1 ";" path2 …: the piece before the
// first ";" is ignored, and the list ends at the first empty piece.
QStringList pathsOfList(const QString& list);

// A packing failure carries the whole message to show, with the number used in its
// first line.
struct PackFailure {
    int number = 0;
    QString description;
    QString message() const;  // "Ошибка <n> при упаковке файла." and the description
};

// Reads the files whole and packs them in order under their names (the last
// component of each path). Any failure (a missing or unreadable file, a name the
// archive cannot hold) gives the message and no archive at all.
store::Result<QByteArray> packPaths(const QStringList& paths,
                                    const SeparatorSource& separators = makeSeparator);
// The same, from a list in the ";" form.
store::Result<QByteArray> packFiles(const QString& list,
                                    const SeparatorSource& separators = makeSeparator);

struct UnpackReport {
    QStringList written;  // full paths, in the order written (a repeated name twice)
    QStringList refused;  // one message per record whose name may not be a file name
    bool cut = false;     // the archive ended early or broke off
};

// Writes every record into `folder` under its stored name, replacing a file of the
// same name. A record with an unsafe name is refused and reported; the others are
// written. Each file appears whole or not at all. Fails on a missing magic (nothing
// written) and at the first file that cannot be written (those before it stay).
store::Result<UnpackReport> unpackAll(QByteArrayView archive, const QString& folder);

// As unpackAll, but only the records whose names match `wanted` (blanks trimmed,
// letter case ignored); each is written under its stored name, and of two records
// of one name the later stays.
store::Result<UnpackReport> unpackFile(QByteArrayView archive, const QString& folder, const QString& wanted);

// Writes bytes to folder/name whole or not at all: through a fresh hidden file
// beside it, on the disk before it is renamed over the old one. A link of that
// name is replaced, never followed.
store::Result<QString> writeWhole(const QString& folder, const QString& name, QByteArrayView bytes);

// Removes the partial files that unpacks into `folder` left when they were
// killed; those of unpacks still running stay. Every unpack calls it first.
void removeStalePartials(const QString& folder);

}  // namespace attachments
