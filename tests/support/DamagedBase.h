#pragma once
// Bases damaged the way a disk damages them: one page whose bytes changed. For
// the test programs that link the store.
#include "SmallBase.h"

#include <QFile>
#include <QString>

#include <sqlite3.h>

namespace testsupport {

inline constexpr qint64 BasePageSize = 4096;

inline QString damagedBaseName(int n) { return QStringLiteral("Статья %1").arg(n); }
// Bodies of ten pages: nine pages in ten of the file continue one row's body,
// so the page in the middle of the file takes one row with it.
inline QByteArray damagedBaseBody(int n) { return QByteArray(40000, char('a' + n % 26)); }

// Writes a closed base of `rows` rows at `path`: Path "Папка", the Name and Body
// above, BaseName "Основная". Without the small-column index when asked (a base
// made by another tool may lack it): the small columns after Body then lie on
// the body's pages. Returns the failure's message, or the empty text.
inline QString writeLongBodiesBase(const QString& path, int rows, bool smallIndex = true)
{
    std::vector<BaseRow> content;
    for (int n = 1; n <= rows; ++n)
        content.push_back({{store::ColPath, QStringLiteral("Папка")}, {store::ColName, damagedBaseName(n)},
                           {store::ColBody, damagedBaseBody(n)}, {store::ColKind, int(store::KindArticle)},
                           {store::ColBaseName, QStringLiteral("Основная")}});
    std::shared_ptr<store::Database> db;
    if (QString failed = writeBase(path, content, &db); !failed.isEmpty())
        return failed;
    if (!smallIndex && sqlite3_exec(db->handle(), "DROP INDEX main_small", nullptr, nullptr, nullptr) != SQLITE_OK)
        return db->engineMessage();
    db->close();  // the last connection folds the write-ahead log into the file
    return QString();
}

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

// The page in the middle of the file.
inline bool damageMiddlePage(const QString& file)
{
    return damagePage(file, QFile(file).size() / BasePageSize / 2);
}

}  // namespace testsupport
