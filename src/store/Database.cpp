#include "Database.h"

#include "Recordset.h"
#include "StoreErrors.h"

#include <QDir>
#include <algorithm>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QUrl>

#include <sqlite3.h>

#include <cerrno>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcStore, "kodrix.store")

namespace store {

namespace {

// The sixteen columns as a new base declares them. Only their order matters to the
// program; the names serve people who open the file in the sqlcipher shell.
const char* const NewColumns[ColumnCount] = {
    "Id INTEGER PRIMARY KEY AUTOINCREMENT",
    "Path TEXT", "Name TEXT", "Body TEXT", "Archive BLOB", "FileList TEXT",
    "Kind INTEGER", "Deleted INTEGER", "Favorite INTEGER", "BaseName TEXT",
    "Added TEXT", "LinkTarget TEXT", "Reserved12 TEXT", "Reserved13 TEXT",
    "Reserved14 TEXT", "SeeAlso TEXT",
};

// A covering index of the small columns: whole-base passes read it instead of
// walking every row's Body and Archive (which sit between the small columns and
// would drag every overflow page through the decryption).
const char* const SmallIndexSql =
    "CREATE INDEX main_small ON main(Id, Path, Name, Kind, Deleted, Favorite, BaseName, Added, "
    "LinkTarget, FileList)";

QString quoted(const QString& path) { return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path)); }

Error openError(const QString& path, const QString& reason)
{
    return Error{texts::openFailed().arg(quoted(path), reason)};
}

QString sqlQuote(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

int exec(sqlite3* db, const QString& sql)
{
    return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

QString errmsg(sqlite3* db) { return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString(); }

// Opens the file (a path, or a "file:" URI with SQLITE_OPEN_URI) and sets the
// key; the key is only checked by the first read.
int openKeyedName(const QByteArray& name, const QString& password, int flags, sqlite3** out)
{
    *out = nullptr;
    int rc = sqlite3_open_v2(name.constData(), out, flags, nullptr);
    if (rc != SQLITE_OK)
        return rc;
    rc = exec(*out, QStringLiteral("PRAGMA key = %1").arg(sqlQuote(password)));
    if (rc != SQLITE_OK)
        return rc;
    // SQLCipher logs a wrong key or a page that fails its check to stderr; the
    // caller reports both in words of its own. Keying sets the log level afresh,
    // so it is silenced after the key.
    exec(*out, QStringLiteral("PRAGMA cipher_log_level = NONE"));
    sqlite3_busy_timeout(*out, 5000);
    return SQLITE_OK;
}

int openKeyed(const QString& path, const QString& password, int flags, sqlite3** out)
{
    return openKeyedName(QFile::encodeName(path), password, flags, out);
}

bool hasPlainSqliteHeader(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

// The engine's page size: SQLCipher 4 writes whole pages of this size.
constexpr qint64 PageSize = 4096;

// Why the base cannot be written, or the empty text. access() also answers
// for a read-only medium, which the permission bits do not show.
QString writeRefusal(const QString& path)
{
    const QByteArray file = QFile::encodeName(path);
    if (::access(file.constData(), W_OK) != 0)
        return errno == EROFS ? texts::mediumReadOnly().arg(quoted(path))
                              : texts::fileWriteProtected().arg(quoted(path));
    // The engine writes its journal beside the base: a folder that cannot take
    // new files makes every write fail.
    const QString folder = QFileInfo(path).absolutePath();
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0)
        return errno == EROFS ? texts::mediumReadOnly().arg(quoted(path))
                              : texts::folderWriteProtected().arg(quoted(folder));
    return QString();
}

// A read-only connection that creates nothing beside the base. Without
// "immutable" the engine must make the write-ahead log's shared-memory file,
// which a folder that cannot be written refuses (and in one that can, it would
// leave files of this user beside another's base). A log that still holds
// changes (the base was not closed properly) is read through "mode=ro", which
// uses the log files that are there; only when that fails too is the base read
// as it stands without them.
int openReadOnly(const QString& path, const QString& password, sqlite3** out, int* firstRead)
{
    const QByteArray uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded();
    const QFileInfo wal(path + QStringLiteral("-wal"));
    QList<QByteArray> ways;
    if (wal.exists() && wal.size() > 0)
        ways << QByteArrayLiteral("?mode=ro");
    ways << QByteArrayLiteral("?immutable=1");
    int rc = SQLITE_CANTOPEN;
    for (const QByteArray& way : ways) {
        if (*out)
            sqlite3_close_v2(*out);
        rc = openKeyedName(uri + way, password, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, out);
        if (rc != SQLITE_OK)
            continue;
        sqlite3_stmt* st = nullptr;
        *firstRead = sqlite3_prepare_v2(*out, "SELECT count(*) FROM sqlite_master", -1, &st, nullptr);
        if (*firstRead == SQLITE_OK)
            *firstRead = sqlite3_step(st);
        sqlite3_finalize(st);
        const int primary = *firstRead & 0xff;
        if (primary != SQLITE_CANTOPEN && primary != SQLITE_READONLY && primary != SQLITE_IOERR)
            return SQLITE_OK;
        qCWarning(lcStore) << "read-only open" << way << "failed with" << *firstRead;
    }
    return rc;
}

// The first read failed with a key that the engine accepted: tells a wrong
// password from a damaged file and from a file that is no base at all. Every
// page of a base carries its own authentication code, so with the right key
// the undamaged pages pass; with a wrong one none does.
QString whyUnreadable(sqlite3* db, const QString& path, int rc)
{
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return texts::busyReading();
    case SQLITE_CORRUPT:
        return texts::damaged();
    case SQLITE_IOERR:
        return texts::readIoError();
    case SQLITE_CANTOPEN:
        return texts::cannotOpen();
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return texts::noAccessToOpen();
    case SQLITE_NOMEM:
        return texts::noMemoryToRead();
    case SQLITE_NOTADB:
        break;
    default:
        return texts::unreadableCode().arg(rc);
    }
    if (hasPlainSqliteHeader(path))
        return texts::plainSqlite();
    if (!db)
        return texts::cannotOpen();
    const qint64 size = QFileInfo(path).size();
    if (size % PageSize != 0 || size < PageSize)
        return texts::notABase();
    // A file of text, pictures or an old Jet base has much order in its bytes;
    // an encrypted base has none.
    QFile f(path);
    QByteArray head;
    if (f.open(QIODevice::ReadOnly))
        head = f.read(PageSize);
    int counts[256] = {};
    for (char c : head)
        ++counts[uchar(c)];
    const double expected = head.size() / 256.0;
    double chi = 0;
    for (int n : counts)
        chi += (n - expected) * (n - expected) / expected;
    if (chi > 512)  // uniform bytes stay near 255
        return texts::notABase();
    sqlite3_stmt* st = nullptr;
    qint64 failed = 0;
    if (sqlite3_prepare_v2(db, "PRAGMA cipher_integrity_check", -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            ++failed;
    sqlite3_finalize(st);
    if (failed > 0 && failed < size / PageSize)
        return texts::damagedPages().arg(QString::number(failed), QString::number(size / PageSize));
    return texts::wrongPassword();
}

}  // namespace

// Builds Database objects; a friend so it may use the private constructor.
struct DatabaseOpener {
    static std::shared_ptr<Database> make(sqlite3* db, const QString& path)
    {
        return std::shared_ptr<Database>(new Database(db, path));
    }
};

Database::Database(sqlite3* db, QString path) : m_path(std::move(path)), m_db(db) {}

Database::~Database() { close(); }

void Database::close()
{
    const auto keepAlive = weak_from_this().lock();  // closing a recordset may drop its reference to us
    for (Recordset* rs : std::vector<Recordset*>(m_recordsets))
        rs->close();
    for (const auto& [handle, closing] : std::vector(m_closing))
        closing();
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

QString Database::engineMessage() const { return errmsg(m_db); }

QString Database::readOnlyMessage() const
{
    return texts::openedReadOnly().arg(m_readOnlyReason);
}

QString Database::passwordFrom(const QString& connect)
{
    for (const QString& part : connect.split(QLatin1Char(';'))) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq > 0 && part.left(eq).trimmed().compare(QLatin1String("PWD"), Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1);
    }
    return QString();
}

Result<std::shared_ptr<Database>> Database::open(const QString& path, const QString& connect, Access access)
{
    const QFileInfo info(path);
    if (!info.exists())
        return openError(path, texts::fileMissing());
    if (!info.isFile())
        return openError(path, texts::notAFile());
    if (!info.isReadable())
        return openError(path, texts::noReadAccess());
    if (info.size() == 0)
        return openError(path, texts::emptyFile());

    // No SQLITE_OPEN_CREATE: a base is made only by create().
    const QString refusal = access == Access::ReadOnly ? texts::openedForViewing()
                                                       : writeRefusal(path);
    const QString password = passwordFrom(connect);
    sqlite3* raw = nullptr;
    int rc = SQLITE_OK;
    int firstRead = SQLITE_ROW;
    const auto readSchema = [&raw, &firstRead] {
        sqlite3_stmt* st = nullptr;
        firstRead = sqlite3_prepare_v2(raw, "SELECT count(*) FROM sqlite_master", -1, &st, nullptr);
        if (firstRead == SQLITE_OK)
            firstRead = sqlite3_step(st);
        sqlite3_finalize(st);
    };
    QString readOnlyWhy = refusal;
    if (refusal.isEmpty()) {
        rc = openKeyed(path, password, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, &raw);
        if (rc == SQLITE_OK) {
            // A program that holds the base locked is reported after a short
            // wait, not after the long one that writes get.
            sqlite3_busy_timeout(raw, 2000);
            readSchema();
            sqlite3_busy_timeout(raw, 5000);
        }
        // The folder and the file said yes, yet the engine cannot write beside
        // the base (its log files belong to someone else, say): read it.
        const int primary = (rc == SQLITE_OK ? firstRead : rc) & 0xff;
        if (primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN) {
            sqlite3_close_v2(raw);
            raw = nullptr;
            readOnlyWhy = texts::journalReadOnly().arg(quoted(path));
        }
    }
    if (!readOnlyWhy.isEmpty())
        rc = openReadOnly(path, password, &raw, &firstRead);
    auto db = DatabaseOpener::make(raw, path);
    db->m_readOnlyReason = readOnlyWhy;
    if (rc != SQLITE_OK)
        return openError(path, whyUnreadable(raw, path, rc));
    if (firstRead != SQLITE_ROW)
        return openError(path, whyUnreadable(raw, path, firstRead));
    if (!readOnlyWhy.isEmpty())
        qCInfo(lcStore) << "opened for reading only:" << readOnlyWhy;

    // The table and its sixteen positional columns.
    sqlite3_stmt* st = nullptr;
    rc = sqlite3_prepare_v2(raw, "PRAGMA table_info(main)", -1, &st, nullptr);
    QStringList columns;
    while (rc == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        columns << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    sqlite3_finalize(st);
    if (columns.isEmpty())
        return openError(path, texts::noMainTable());
    if (columns.size() < ColumnCount)
        return openError(path, texts::tooFewColumns()
                                   .arg(QString::number(columns.size()), QString::number(ColumnCount)));
    db->m_columns = columns;

    rc = sqlite3_prepare_v2(raw, "SELECT 1 FROM sqlite_master WHERE type='index' AND name='main_small'", -1, &st,
                            nullptr);
    db->m_smallIndex = rc == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW;
    sqlite3_finalize(st);
    exec(raw, QStringLiteral("PRAGMA cache_size = -65536"));
    // Every change the user makes is stored at once and must survive a power
    // cut as well as a killed process: the write-ahead log is synced at every
    // commit. It costs about 2.5 ms a commit here, small beside a keystroke's
    // other work; NORMAL would only sync at checkpoints, an unbounded window.
    exec(raw, QStringLiteral("PRAGMA synchronous = FULL"));
    return db;
}

Result<std::shared_ptr<Database>> Database::create(const QString& path, const QString& connect)
{
    if (QFileInfo::exists(path))
        return Error{texts::baseExists().arg(quoted(path))};
    sqlite3* raw = nullptr;
    int rc = openKeyed(path, passwordFrom(connect),
                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, &raw);
    auto db = DatabaseOpener::make(raw, path);
    auto failed = [&](const QString& why) {
        db->close();
        QFile::remove(path);
        return Error{texts::createFailed().arg(quoted(path), why)};
    };
    if (rc != SQLITE_OK)
        return failed(engineReason(raw));
    QStringList cols;
    for (const char* c : NewColumns)
        cols << QString::fromLatin1(c);
    const QString sql = QStringLiteral("CREATE TABLE main (%1); %2;").arg(cols.join(QStringLiteral(", ")),
                                                                          QString::fromLatin1(SmallIndexSql));
    // WAL lets a second connection write while a recordset keeps reading.
    if (exec(raw, QStringLiteral("PRAGMA journal_mode = WAL")) != SQLITE_OK || exec(raw, sql) != SQLITE_OK)
        return failed(engineReason(raw));
    db->close();
    return open(path, connect);
}

Result<void> Database::compact(const QString& source, const QString& destination, const QString& connect)
{
    auto fail = [&](const QString& why) {
        return Error{texts::compactIntoFailed().arg(quoted(source), quoted(destination), why)};
    };
    if (QFileInfo::exists(destination))
        return fail(texts::destinationExists());
    auto src = open(source, connect);
    if (!src)
        return src.error();
    // The copy starts as an empty file, which the engine takes for an empty base:
    // the source connection was opened without the right to create files, and
    // attached files inherit that. Attached without a key of its own, the copy
    // takes the source's derived key and salt, so no second key derivation runs
    // and the copy opens with the same password.
    {
        QFile empty(destination);
        if (!empty.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return fail(empty.errorString());
    }
    sqlite3* raw = (*src)->handle();
    bool ok = exec(raw, QStringLiteral("ATTACH DATABASE %1 AS compacted").arg(sqlQuote(destination))) == SQLITE_OK;
    // No journal while the copy is written: a copy cut short is thrown away
    // whole, and a journal (or a write-ahead log) would write every page twice.
    ok = ok && exec(raw, QStringLiteral("PRAGMA compacted.journal_mode = OFF")) == SQLITE_OK;
    ok = ok && exec(raw, QStringLiteral("PRAGMA compacted.synchronous = OFF")) == SQLITE_OK;
    // sqlcipher_export copies schema and rows in order; the copy has no free pages.
    ok = ok && exec(raw, QStringLiteral("SELECT sqlcipher_export('compacted')")) == SQLITE_OK;
    // The base is used with a write-ahead log (a recordset reads while the editor
    // writes); the mode is kept in the file.
    ok = ok && exec(raw, QStringLiteral("PRAGMA compacted.journal_mode = WAL")) == SQLITE_OK;
    QString why = ok ? QString() : engineReason(raw);
    if (exec(raw, QStringLiteral("DETACH DATABASE compacted")) != SQLITE_OK && ok) {
        ok = false;
        why = engineReason(raw);
    }
    (*src)->close();
    if (!ok) {
        QFile::remove(destination);
        QFile::remove(destination + QStringLiteral("-wal"));
        QFile::remove(destination + QStringLiteral("-shm"));
        return fail(why);
    }
    return {};
}

Result<void> Database::beginBatch()
{
    if (exec(m_db, QStringLiteral("BEGIN")) != SQLITE_OK)
        return Error{texts::baseError().arg(quoted(m_path), engineReason(m_db))};
    return {};
}

Result<void> Database::commitBatch()
{
    if (exec(m_db, QStringLiteral("COMMIT")) != SQLITE_OK)
        return Error{texts::writeError().arg(quoted(m_path), engineReason(m_db))};
    return {};
}

int Database::addRowsRemovedListener(RowsRemovedListener listener)
{
    const int handle = m_nextListener++;
    m_rowsRemoved.emplace_back(handle, std::move(listener));
    return handle;
}

int Database::addClosingListener(std::function<void()> listener)
{
    const int handle = m_nextListener++;
    m_closing.emplace_back(handle, std::move(listener));
    return handle;
}

void Database::removeClosingListener(int handle)
{
    std::erase_if(m_closing, [handle](const auto& l) { return l.first == handle; });
}

void Database::removeRowsRemovedListener(int handle)
{
    std::erase_if(m_rowsRemoved, [handle](const auto& l) { return l.first == handle; });
}

void Database::announceRowsRemoved(std::vector<qint64> ids)
{
    if (ids.empty())
        return;
    if (m_depth > 0) {
        m_removedInTransaction.insert(m_removedInTransaction.end(), ids.begin(), ids.end());
        return;
    }
    // A listener may add or remove listeners; call the ones present now.
    const auto listeners = m_rowsRemoved;
    for (const auto& [handle, listener] : listeners)
        listener(ids);
}

Transaction::Transaction(Database& db) : m_db(db)
{
    if (!db.m_db) {
        m_begun = Error{texts::baseClosed().arg(quoted(db.m_path))};
        return;
    }
    if (db.readOnly()) {
        m_begun = Error{db.readOnlyMessage()};
        return;
    }
    m_level = db.m_depth + 1;
    // The outermost scope takes the write lock at once, so that it cannot fail
    // halfway for want of it; inner scopes are savepoints.
    const QString sql = m_level == 1 ? QStringLiteral("BEGIN IMMEDIATE")
                                     : QStringLiteral("SAVEPOINT kx%1").arg(m_level);
    if (exec(db.m_db, sql) != SQLITE_OK) {
        m_begun = Error{texts::beginFailed()
                            .arg(quoted(db.m_path), engineReason(db.m_db))};
        return;
    }
    m_open = true;
    db.m_depth = m_level;
    m_removedMark = db.m_removedInTransaction.size();
}

Transaction::~Transaction() { rollback(); }

Result<void> Transaction::commit()
{
    if (!m_open)
        return m_begun.ok() ? Result<void>(Error{texts::alreadyCommitted()
                                                      .arg(quoted(m_db.m_path))})
                            : m_begun;
    const QString sql = m_level == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE kx%1").arg(m_level);
    if (exec(m_db.m_db, sql) != SQLITE_OK) {
        const Error e{texts::commitFailed()
                          .arg(quoted(m_db.m_path), engineReason(m_db.m_db))};
        rollback();
        return e;
    }
    m_open = false;
    m_db.m_depth = m_level - 1;
    if (m_level == 1) {
        std::vector<qint64> removed;
        removed.swap(m_db.m_removedInTransaction);
        m_db.announceRowsRemoved(std::move(removed));
    }
    return {};
}

void Transaction::rollback()
{
    if (!m_open)
        return;
    m_open = false;
    m_db.m_depth = m_level - 1;
    if (!m_db.m_db)
        return;
    if (m_level == 1) {
        exec(m_db.m_db, QStringLiteral("ROLLBACK"));
        m_db.m_removedInTransaction.clear();
    } else {
        // Rows removed inside the savepoint are back.
        exec(m_db.m_db, QStringLiteral("ROLLBACK TO kx%1").arg(m_level));
        exec(m_db.m_db, QStringLiteral("RELEASE kx%1").arg(m_level));
        m_db.m_removedInTransaction.resize(std::min(m_removedMark, m_db.m_removedInTransaction.size()));
    }
    // Recordsets that removed rows inside keep their own view of the ids;
    // they are rebuilt by whoever rolled back (the catalogue reloads).
}

Result<std::unique_ptr<Recordset>> Database::openRecordset()
{
    if (!m_db)
        return Error{texts::baseClosed().arg(quoted(m_path))};
    for (Recordset* rs : m_recordsets)
        rs->resetStream();
    // The snapshot of row ids fixes the order and RecordCount; through the small
    // index it reads a few bytes per row.
    const char* sql = m_smallIndex ? "SELECT Id FROM main INDEXED BY main_small ORDER BY Id"
                                   : "SELECT rowid FROM main ORDER BY rowid";
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr);
    std::vector<qint64> ids;
    while (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        ids.push_back(sqlite3_column_int64(st, 0));
        rc = SQLITE_OK;
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        return Error{texts::rowsUnreadable()
                         .arg(quoted(m_path), engineMessage())};
    return std::unique_ptr<Recordset>(new Recordset(shared_from_this(), std::move(ids)));
}

}  // namespace store
