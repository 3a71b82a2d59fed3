#pragma once
// Bases damaged the way a disk damages them: one page whose bytes changed.
#include <QFile>
#include <QString>

namespace testsupport {

inline constexpr qint64 BasePageSize = 4096;

// Flips a few bytes inside page `page` (1-based) of the file; the page then fails
// its authentication check, as after a bit flip on the disk.
inline bool damagePage(const QString& file, qint64 page)
{
    QFile f(file);
    if (page < 1 || !f.open(QIODevice::ReadWrite))
        return false;
    const qint64 at = (page - 1) * BasePageSize + BasePageSize / 2;
    if (!f.seek(at))
        return false;
    QByteArray bytes = f.read(4);
    if (bytes.size() != 4)
        return false;
    for (char& c : bytes)
        c = char(~c);
    return f.seek(at) && f.write(bytes) == 4;
}

// The page in the middle of the file. A base whose rows take a page or more
// each has one of their pages there, whatever the engine's order of pages.
inline bool damageMiddlePage(const QString& file)
{
    return damagePage(file, QFile(file).size() / BasePageSize / 2);
}

}  // namespace testsupport
