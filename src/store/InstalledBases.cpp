#include "InstalledBases.h"

#include "Database.h"
#include "ReadOnlyCheck.h"
#include "StoreTexts.h"
#include "Record.h"

#include <sqlite3.h>

#include <vector>

namespace store {

namespace {

QString identifier(const QString& name)
{
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

QString textOf(sqlite3_stmt* st, int column)
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(st, column)) : QString();
}

// Id and BaseName of every row in the recordset's order. Through the covering
// index of the small columns the pass never touches Body or Archive.
QString idAndBaseSql(const Database& db)
{
    if (db.hasSmallColumnIndex())
        return QStringLiteral("SELECT Id, BaseName FROM main INDEXED BY main_small ORDER BY Id");
    return QStringLiteral("SELECT rowid, %1 FROM main ORDER BY rowid").arg(identifier(db.columnNames()[ColBaseName]));
}

// Puts the connection's secure_delete back as it was when the scope ends.
class SecureDeleteScope {
public:
    SecureDeleteScope(sqlite3* db, const char* mode) : m_db(db)
    {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA secure_delete", -1, &st, nullptr) == SQLITE_OK
            && sqlite3_step(st) == SQLITE_ROW)
            m_previous = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
        sqlite3_exec(db, (QByteArray("PRAGMA secure_delete = ") + mode).constData(), nullptr, nullptr, nullptr);
    }
    ~SecureDeleteScope()
    {
        if (m_previous >= 0)
            sqlite3_exec(m_db, (QByteArray("PRAGMA secure_delete = ") + QByteArray::number(m_previous)).constData(),
                         nullptr, nullptr, nullptr);
    }
    SecureDeleteScope(const SecureDeleteScope&) = delete;
    SecureDeleteScope& operator=(const SecureDeleteScope&) = delete;

private:
    sqlite3* m_db;
    int m_previous = -1;
};

}  // namespace

bool InstalledBases::seekItem(const QString& itemText) const
{
    if (m_names.isEmpty())
        return false;
    const QString k = key(itemText);
    return k.isEmpty() || m_keys.contains(k);
}

void InstalledBases::add(const QString& name)
{
    m_names << name;
    m_keys.insert(key(name));
}

Result<InstalledBases> InstalledBases::read(Database& db)
{
    if (!db.isOpen())
        return Error{texts::listFailed(db.path(), texts::closed() + QLatin1Char('.'))};
    InstalledBases bases;
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db.handle(), idAndBaseSql(db).toUtf8().constData(), -1, &st, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        const QString name = textOf(st, 1);
        if (!bases.seekItem(name))
            bases.add(name);
        rc = SQLITE_OK;
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        return Error{texts::listFailed(db.path(), db.engineMessage() + QLatin1Char('.'))};
    return bases;
}

Result<qint64> InstalledBases::remove(Database& db, const QString& name)
{
    const auto fail = [&](const QString& why) { return Error{texts::deleteFailed(name, db.path(), why)}; };
    if (!db.isOpen())
        return fail(texts::closed() + QLatin1Char('.'));
    if (openedReadOnly(db))
        return Error{texts::readOnlyBase(db.path())};

    Transaction t(db);
    if (!t.begun())
        return Error{t.begun().error()};
    sqlite3* h = db.handle();
    // The rows of a whole base go at once and the file is encrypted: zeroing
    // every freed page (this engine's default) would write the base's size once
    // more for nothing. The free pages go at the next compaction.
    const SecureDeleteScope fast(h, "FAST");

    const QString wanted = key(name);
    std::vector<qint64> ids;
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(h, idAndBaseSql(db).toUtf8().constData(), -1, &st, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (key(textOf(st, 1)) == wanted)
            ids.push_back(sqlite3_column_int64(st, 0));
        rc = SQLITE_OK;
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        return fail(db.engineMessage() + QLatin1Char('.'));

    const QString sql = db.hasSmallColumnIndex()
                            ? QStringLiteral("DELETE FROM main WHERE %1 = ?1").arg(identifier(db.columnNames()[ColId]))
                            : QStringLiteral("DELETE FROM main WHERE rowid = ?1");
    rc = sqlite3_prepare_v2(h, sql.toUtf8().constData(), -1, &st, nullptr);
    for (size_t i = 0; rc == SQLITE_OK && i < ids.size(); ++i) {
        sqlite3_bind_int64(st, 1, ids[i]);
        rc = sqlite3_step(st);
        if (rc == SQLITE_DONE)
            rc = sqlite3_reset(st);
    }
    if (rc != SQLITE_OK && rc != SQLITE_DONE) {
        const QString why = db.engineMessage();
        sqlite3_finalize(st);
        return fail(why + QLatin1Char('.'));
    }
    sqlite3_finalize(st);
    const qint64 count = qint64(ids.size());
    // Told at the commit, and only if it succeeds.
    db.announceRowsRemoved(std::move(ids));
    if (auto r = t.commit(); !r)
        return fail(r.message());
    return count;
}

}  // namespace store
