#include "Compaction.h"

#include "Database.h"
#include "StoreTexts.h"
#include "ReadOnlyCheck.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace store {

namespace {

// What a base holds, as far as the check of its copy needs it.
struct Contents {
    std::vector<std::pair<QString, qint64>> tables;  // every table with its rows, by name
    std::vector<qint64> order;                       // Ids of "main" in the order the program reads them
};

QString engineText(sqlite3* db) { return QString::fromUtf8(sqlite3_errmsg(db)); }

QString identifier(const QString& name)
{
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

// Runs `sql`, handing every row to `row`; false (with the engine's text in why)
// when the statement fails.
template <class F>
bool eachRow(sqlite3* db, const QString& sql, F&& row, QString& why)
{
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        row(st);
        rc = SQLITE_OK;
    }
    if (rc != SQLITE_DONE)
        why = engineText(db);
    sqlite3_finalize(st);
    return rc == SQLITE_DONE;
}

Result<Contents> readContents(Database& db)
{
    sqlite3* h = db.handle();
    Contents c;
    QString why;
    // Tables with storage of their own; virtual tables keep their rows in
    // shadow tables, which are listed among these.
    QStringList names;
    if (!eachRow(h,
                 QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND rootpage > 0 ORDER BY name"),
                 [&](sqlite3_stmt* st) {
                     names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
                 },
                 why))
        return Error{why};
    for (const QString& name : names) {
        qint64 rows = 0;
        if (!eachRow(h, QStringLiteral("SELECT count(*) FROM %1").arg(identifier(name)),
                     [&](sqlite3_stmt* st) { rows = sqlite3_column_int64(st, 0); }, why))
            return Error{why};
        c.tables.emplace_back(name, rows);
    }
    // The order the recordset delivers: through the small-column index when the
    // base has it, else the stored order.
    const QString order = db.hasSmallColumnIndex()
                              ? QStringLiteral("SELECT Id FROM main INDEXED BY main_small ORDER BY Id")
                              : QStringLiteral("SELECT %1 FROM main ORDER BY rowid").arg(identifier(db.columnNames()[ColId]));
    if (!eachRow(h, order, [&](sqlite3_stmt* st) { c.order.push_back(sqlite3_column_int64(st, 0)); }, why))
        return Error{why};
    return c;
}

// The engine's own check of every page, every index and every row; an empty
// text when it finds nothing wrong.
QString integrityReport(Database& db)
{
    QString report;
    QString why;
    const bool ran = eachRow(db.handle(), QStringLiteral("PRAGMA integrity_check(20)"),
                             [&](sqlite3_stmt* st) {
                                 const QString line =
                                     QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
                                 if (line != QLatin1String("ok"))
                                     report += (report.isEmpty() ? QString() : QStringLiteral("; ")) + line;
                             },
                             why);
    return ran ? report : why;
}

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// fsync of a file or a folder; the system's reason when it fails.
QString syncToDisk(const QString& path, bool folder)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | (folder ? O_DIRECTORY : 0));
    if (fd < 0)
        return systemError(errno);
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    return rc == 0 ? QString() : systemError(error);
}

QString wal(const QString& path) { return path + QStringLiteral("-wal"); }
QString shm(const QString& path) { return path + QStringLiteral("-shm"); }

}  // namespace

Compaction::Compaction(QString basePath, QString backupPath, QString connect)
    : m_base(std::move(basePath)), m_backup(std::move(backupPath)), m_connect(std::move(connect))
{
}

Result<void> Compaction::step(Step s) { return beforeStep ? beforeStep(s) : Result<void>(); }

void Compaction::removeCopy()
{
    for (const QString& f : {m_backup, wal(m_backup), shm(m_backup), m_backup + QStringLiteral("-journal")})
        QFile::remove(f);
}

Result<void> Compaction::removeLeftover()
{
    // A backup file is never the only good copy: the base is replaced by one
    // rename, so it is whole at every moment. What is found here is a copy that
    // an interrupted run did not finish.
    removeCopy();
    if (QFileInfo::exists(m_backup) || QFileInfo(m_backup).isSymLink())
        return Error{texts::leftoverStays(m_backup)};
    return {};
}

Result<Compaction::Report> Compaction::run()
{
    // Renaming over a link would put a file where the link was and leave the
    // base it names as it was: work on the file itself.
    const QFileInfo link(m_base);
    if (link.isSymLink() && !link.canonicalFilePath().isEmpty())
        m_base = link.canonicalFilePath();
    if (!QFileInfo(m_base).isFile())
        return Error{texts::compactFailed(m_base, texts::fileMissing())};
    const auto fail = [this](const QString& reason) {
        removeCopy();
        return Error{texts::compactFailed(m_base, reason)};
    };
    const auto failed = [&](const Result<void>& r) { return fail(r.message()); };

    Report report;
    report.bytesBefore = QFileInfo(m_base).size();

    if (auto r = step(Step::RemoveLeftover); !r)
        return failed(r);
    if (auto r = removeLeftover(); !r)
        return Error{texts::compactFailed(m_base, r.message())};

    if (auto r = step(Step::ReadOriginal); !r)
        return failed(r);
    // Refused before it is opened: a connection that may only read leaves its
    // log files behind.
    if (!QFileInfo(m_base).isWritable())
        return Error{texts::readOnlyBase(m_base)};
    Contents before;
    {
        auto db = Database::open(m_base, m_connect);
        if (!db)
            return Error{texts::compactFailedBecause(m_base, db.message())};
        if (openedReadOnly(**db))
            return Error{texts::readOnlyBase(m_base)};
        auto contents = readContents(**db);
        (*db)->close();
        if (!contents)
            return fail(texts::compactReadFailed(contents.message()));
        before = std::move(*contents);
    }
    // Closing the last connection folds the log into the file and deletes it. A
    // log still there belongs to a connection of another program, whose next
    // write would go to the old file after the rename.
    if (QFileInfo::exists(wal(m_base)))
        return fail(texts::baseInUse(wal(m_base)));

    if (auto r = step(Step::Copy); !r)
        return failed(r);
    if (auto r = Database::compact(m_base, m_backup, m_connect); !r) {
        removeCopy();
        // The message names both files already.
        return Error{texts::compactFailedAsSaid(r.message())};
    }

    if (auto r = step(Step::Verify); !r)
        return failed(r);
    {
        auto copy = Database::open(m_backup, m_connect);
        if (!copy) {
            removeCopy();
            return Error{texts::compactFailedBecause(m_base, copy.message())};
        }
        const QString damage = integrityReport(**copy);
        auto after = damage.isEmpty() ? readContents(**copy) : Result<Contents>(Error{damage});
        (*copy)->close();
        if (!after)
            return fail(texts::copyDamaged(m_backup, after.message()));
        if (after->tables.size() != before.tables.size())
            return fail(texts::copyTablesDiffer(m_backup));
        for (size_t i = 0; i < before.tables.size(); ++i) {
            if (after->tables[i].first != before.tables[i].first)
                return fail(texts::copyTablesDiffer(m_backup));
            if (after->tables[i].second != before.tables[i].second)
                return fail(texts::copyRowsDiffer(m_backup, before.tables[i].first, after->tables[i].second,
                                                  before.tables[i].second));
        }
        if (after->order != before.order)
            return fail(texts::copyOrderDiffers(m_backup));
        report.rows = qint64(before.order.size());
    }

    if (auto r = step(Step::MakeDurable); !r)
        return failed(r);
    // The copy's log was folded into it when the check closed it; a log left
    // over would hold pages the renamed file lacks.
    if (QFileInfo::exists(wal(m_backup)))
        return fail(texts::copyNotSettled(wal(m_backup)));
    QFile::remove(shm(m_backup));
    if (const QString why = syncToDisk(m_backup, false); !why.isEmpty())
        return fail(texts::copyNotSynced(m_backup, why));

    if (auto r = step(Step::Replace); !r)
        return failed(r);
    if (QFileInfo::exists(wal(m_base)))
        return fail(texts::baseInUse(wal(m_base)));
    // One rename replaces the base whole: whoever opens it afterwards finds the
    // old file or the verified copy, never a mixture or nothing.
    if (std::rename(QFile::encodeName(m_backup).constData(), QFile::encodeName(m_base).constData()) != 0)
        return fail(texts::replaceFailed(m_backup, systemError(errno)));
    // The rename itself lasts once the folder is written; the base is in place
    // either way, so a failure here is not one of compaction.
    (void)syncToDisk(QFileInfo(m_base).absolutePath(), true);
    // The old file's shared-memory index would describe pages it no longer has.
    QFile::remove(shm(m_base));
    report.bytesAfter = QFileInfo(m_base).size();
    return report;
}

}  // namespace store
