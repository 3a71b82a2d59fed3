#include "SearchData.h"

#include "FoldedText.h"
#include "SearchTexts.h"
#include "richtext/Rtf.h"
#include "store/Database.h"
#include "store/Record.h"
#include "store/StoreTexts.h"

#include <QDir>
#include <QStringList>

#include <sqlite3.h>

namespace search {

namespace {

QString name(const QString& column) { return QLatin1Char('"') + QString(column).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"'); }

const QString TableName = QString::fromLatin1(SearchData::Table);
const QString IndexName = TableName + QStringLiteral("_id");
const QString BodyTrigger = TableName + QStringLiteral("_body");
const QString GoneTrigger = TableName + QStringLiteral("_gone");

// Text of a column as the recordset gives it: a BLOB as its bytes, text as the
// UTF-8 of the string it reads (invalid sequences become U+FFFD there too).
QByteArray columnBytes(sqlite3_stmt* st, int col)
{
    const auto* p = static_cast<const char*>(sqlite3_column_blob(st, col));
    const int n = sqlite3_column_bytes(st, col);
    if (!p || n <= 0)
        return {};
    QByteArray bytes(p, n);
    if (sqlite3_column_type(st, col) != SQLITE_BLOB && !QByteArrayView(bytes).isValidUtf8())
        bytes = QString::fromUtf8(bytes).toUtf8();
    return bytes;
}

}  // namespace

QByteArray searchTextOf(const QByteArray& body)
{
    if (body.isEmpty())
        return {};
    return folded(richtext::plainText(body));
}

SearchData::SearchData(store::Database& db) : m_db(db)
{
    m_closing = m_db.addClosingListener([this] { release(); });
    present();
}

SearchData::~SearchData()
{
    m_db.removeClosingListener(m_closing);
    release();
}

store::Error SearchData::failure(const QString& what) const
{
    return store::Error{texts::dataFailed(QDir::toNativeSeparators(m_db.path()), what)};
}

void SearchData::release()
{
    for (sqlite3_stmt** st : {&m_write, &m_body, &m_texts, &m_text, &m_version, &m_rows}) {
        sqlite3_finalize(*st);
        *st = nullptr;
    }
}

sqlite3_stmt* SearchData::prepare(sqlite3_stmt*& slot, const QString& sql)
{
    // A closed base leaves its connection to be finalised, never to be used.
    if (!m_db.isOpen())
        return nullptr;
    if (slot)
        return slot;
    if (sqlite3_prepare_v3(m_db.handle(), sql.toUtf8().constData(), -1, SQLITE_PREPARE_PERSISTENT, &slot, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(slot);
        slot = nullptr;
    }
    return slot;
}

bool SearchData::present()
{
    m_present = false;
    if (!m_db.isOpen())
        return false;
    sqlite3_stmt* st = nullptr;
    const char* sql = "SELECT count(*) FROM sqlite_master WHERE name IN (?1, ?2, ?3, ?4)";
    if (sqlite3_prepare_v2(m_db.handle(), sql, -1, &st, nullptr) == SQLITE_OK) {
        int i = 1;
        for (const QString& n : {TableName, IndexName, BodyTrigger, GoneTrigger}) {
            const QByteArray u = n.toUtf8();
            sqlite3_bind_text(st, i++, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        }
        m_present = sqlite3_step(st) == SQLITE_ROW && sqlite3_column_int(st, 0) == 4;
    }
    sqlite3_finalize(st);
    return m_present;
}

store::Result<void> SearchData::create()
{
    if (!m_db.isOpen())
        return failure(store::texts::closed());
    sqlite3* h = m_db.handle();
    store::Transaction t(m_db);
    if (!t.begun())
        return t.begun();
    // Everything of ours that is there now: other versions, or this one with a
    // trigger gone (its texts may no longer match Body).
    QStringList tables, triggers;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(h, "SELECT type, name FROM sqlite_master WHERE name LIKE 'kx\\_search\\_%' ESCAPE '\\'",
                           -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) {
            const QString type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            const QString n = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
            if (type == QLatin1String("table"))
                tables << n;
            else if (type == QLatin1String("trigger"))
                triggers << n;
        }
    }
    sqlite3_finalize(st);
    QStringList sql;
    // Triggers first: one that names a dropped table would stop every delete.
    for (const QString& n : triggers)
        sql << QStringLiteral("DROP TRIGGER %1").arg(name(n));
    for (const QString& n : tables)
        sql << QStringLiteral("DROP TABLE %1").arg(name(n));
    const QStringList& cols = m_db.columnNames();
    const QString id = name(cols[store::ColId]);
    const QString body = name(cols[store::ColBody]);
    sql << QStringLiteral("CREATE TABLE %1 (Seq INTEGER PRIMARY KEY AUTOINCREMENT, Id INTEGER NOT NULL, Text BLOB NOT NULL)")
               .arg(TableName)
        << QStringLiteral("CREATE UNIQUE INDEX %1 ON %2 (Id)").arg(IndexName, TableName)
        << QStringLiteral("CREATE TRIGGER %1 AFTER UPDATE OF %2, %3 ON main BEGIN "
                          "DELETE FROM %4 WHERE Id IN (old.%2, new.%2); END")
               .arg(BodyTrigger, id, body, TableName)
        << QStringLiteral("CREATE TRIGGER %1 AFTER DELETE ON main BEGIN DELETE FROM %2 WHERE Id = old.%3; END")
               .arg(GoneTrigger, TableName, id);
    for (const QString& s : sql) {
        if (sqlite3_exec(h, s.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            return failure(m_db.engineMessage());
    }
    if (auto r = t.commit(); !r)
        return r;
    // Statements prepared before the schema changed are prepared again by the
    // engine; none of ours is kept from before anyway.
    m_present = true;
    return {};
}

store::Result<qint64> SearchData::write(qint64 id, const QByteArray& text)
{
    sqlite3_stmt* st = prepare(m_write, QStringLiteral("INSERT OR REPLACE INTO %1 (Id, Text) VALUES (?1, ?2)").arg(TableName));
    if (!st)
        return failure(m_db.isOpen() ? m_db.engineMessage() : store::texts::closed());
    sqlite3_bind_int64(st, 1, id);
    // An empty text is stored too: the row has search data, and it finds nothing.
    sqlite3_bind_blob64(st, 2, text.isEmpty() ? "" : text.constData(), sqlite3_uint64(text.size()), SQLITE_STATIC);
    const int rc = sqlite3_step(st);
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    if (rc != SQLITE_DONE)
        return failure(m_db.engineMessage());
    return qint64(sqlite3_last_insert_rowid(m_db.handle()));
}

store::Result<std::vector<qint64>> SearchData::rowIds()
{
    if (!m_db.isOpen())
        return failure(store::texts::closed());
    // The recordset's order: by Id, read from the small index when there is one.
    const QString id = name(m_db.columnNames()[store::ColId]);
    const QString sql = m_db.hasSmallColumnIndex()
                            ? QStringLiteral("SELECT %1 FROM main INDEXED BY main_small ORDER BY %1").arg(id)
                            : QStringLiteral("SELECT rowid FROM main ORDER BY rowid");
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(m_db.handle(), sql.toUtf8().constData(), -1, &st, nullptr);
    std::vector<qint64> ids;
    while (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        ids.push_back(sqlite3_column_int64(st, 0));
        rc = SQLITE_OK;
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        return failure(m_db.engineMessage());
    return ids;
}

store::Result<std::vector<std::pair<qint64, qint64>>> SearchData::storedSeqs()
{
    if (!m_db.isOpen())
        return failure(store::texts::closed());
    const QString sql = QStringLiteral("SELECT Id, Seq FROM %1 INDEXED BY %2 ORDER BY Id").arg(TableName, IndexName);
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(m_db.handle(), sql.toUtf8().constData(), -1, &st, nullptr);
    std::vector<std::pair<qint64, qint64>> seqs;
    while (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        seqs.emplace_back(sqlite3_column_int64(st, 0), sqlite3_column_int64(st, 1));
        rc = SQLITE_OK;
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        return failure(m_db.engineMessage());
    return seqs;
}

bool SearchData::changedElsewhere()
{
    sqlite3_stmt* st = prepare(m_version, QStringLiteral("PRAGMA data_version"));
    if (!st)
        return true;
    const qint64 v = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -2;
    sqlite3_reset(st);
    const bool changed = v != m_dataVersion;
    m_dataVersion = v;
    return changed;
}

store::Result<QByteArray> SearchData::body(qint64 id)
{
    const QStringList& cols = m_db.columnNames();
    sqlite3_stmt* st = prepare(m_body, QStringLiteral("SELECT %1 FROM main WHERE %2 = ?1")
                                           .arg(name(cols[store::ColBody]), name(cols[store::ColId])));
    if (!st)
        return failure(m_db.isOpen() ? m_db.engineMessage() : store::texts::closed());
    sqlite3_bind_int64(st, 1, id);
    const int rc = sqlite3_step(st);
    QByteArray bytes;
    if (rc == SQLITE_ROW)
        bytes = columnBytes(st, 0);
    sqlite3_reset(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return failure(m_db.engineMessage());
    return bytes;
}

namespace {
QString textAt(sqlite3_stmt* st, int col)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, col)), sqlite3_column_bytes(st, col));
}
}  // namespace

qint64 RowReader::id() const { return sqlite3_column_int64(m_st, 0); }
QString RowReader::name() const { return textAt(m_st, 1); }
QString RowReader::path() const { return textAt(m_st, 2); }
int RowReader::kind() const { return int(sqlite3_column_int64(m_st, 3)); }
bool RowReader::deleted() const { return sqlite3_column_int64(m_st, 4) == 1; }
bool RowReader::isFolderRecord() const
{
    return sqlite3_column_bytes(m_st, 1) == 0 && sqlite3_column_bytes(m_st, 5) == 0;
}

store::Result<qint64> SearchData::readRows(qint64 after, int limit, const std::function<void(const RowReader&)>& f)
{
    const QStringList& cols = m_db.columnNames();
    const QString id = name(cols[store::ColId]);
    sqlite3_stmt* st = prepare(m_rows, QStringLiteral("SELECT %1, %2, %3, %4, %5, %6 FROM main %7 WHERE %1 > ?1 "
                                                      "ORDER BY %1 LIMIT ?2")
                                           .arg(id, name(cols[store::ColName]), name(cols[store::ColPath]),
                                                name(cols[store::ColKind]), name(cols[store::ColDeleted]),
                                                name(cols[store::ColLinkTarget]),
                                                m_db.hasSmallColumnIndex() ? QStringLiteral("INDEXED BY main_small")
                                                                           : QString()));
    if (!st)
        return failure(m_db.isOpen() ? m_db.engineMessage() : store::texts::closed());
    sqlite3_bind_int64(st, 1, after);
    sqlite3_bind_int(st, 2, limit);
    qint64 last = after;
    int rc;
    const RowReader row(st);
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        last = row.id();
        f(row);
    }
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        return failure(m_db.engineMessage());
    return last;
}

store::Result<qint64> SearchData::readTexts(qint64 from, int limit,
                                            const std::function<void(qint64, qint64, const char*, qsizetype)>& f)
{
    sqlite3_stmt* st = prepare(
        m_texts, QStringLiteral("SELECT Seq, Id, Text FROM %1 WHERE Seq >= ?1 ORDER BY Seq LIMIT ?2").arg(TableName));
    if (!st)
        return failure(m_db.isOpen() ? m_db.engineMessage() : store::texts::closed());
    sqlite3_bind_int64(st, 1, from);
    sqlite3_bind_int(st, 2, limit);
    qint64 last = from - 1;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        last = sqlite3_column_int64(st, 0);
        const auto* p = static_cast<const char*>(sqlite3_column_blob(st, 2));
        f(last, sqlite3_column_int64(st, 1), p, sqlite3_column_bytes(st, 2));
    }
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        return failure(m_db.engineMessage());
    return last;
}

store::Result<bool> SearchData::readText(qint64 seq, const std::function<void(qint64, const char*, qsizetype)>& f)
{
    sqlite3_stmt* st = prepare(m_text, QStringLiteral("SELECT Id, Text FROM %1 WHERE Seq = ?1").arg(TableName));
    if (!st)
        return failure(m_db.isOpen() ? m_db.engineMessage() : store::texts::closed());
    sqlite3_bind_int64(st, 1, seq);
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        f(sqlite3_column_int64(st, 0), static_cast<const char*>(sqlite3_column_blob(st, 1)), sqlite3_column_bytes(st, 1));
    sqlite3_reset(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return failure(m_db.engineMessage());
    return rc == SQLITE_ROW;
}

}  // namespace search
