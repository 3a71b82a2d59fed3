#include "Recordset.h"

#include "Database.h"
#include "StoreErrors.h"

#include <QDir>
#include <algorithm>
#include <optional>
#include <vector>
#include <QLocale>
#include <QTimeZone>

#include <sqlite3.h>

namespace store {

namespace {

enum class Type { Integer, Text, Blob, Date };

Type columnType(int column)
{
    switch (column) {
    case ColId:
    case ColKind:
    case ColDeleted:
    case ColFavorite: return Type::Integer;
    case ColArchive: return Type::Blob;
    case ColAdded: return Type::Date;
    default: return Type::Text;
    }
}

// The columns streamed with every row: everything a whole-base pass reads.
// Body, Archive, SeeAlso and the unused 12–14 are fetched one at a time.
constexpr int StreamedColumns[] = {ColPath, ColName, ColKind, ColDeleted, ColFavorite,
                                   ColBaseName, ColAdded, ColLinkTarget, ColFileList};

bool isStreamed(int column)
{
    for (int c : StreamedColumns)
        if (c == column)
            return true;
    return false;
}

const QString DateFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

// The offset of local time from UTC for a local wall-clock time, from the system
// zone's transitions read once. Asking QDateTime for local time costs about 5 µs
// per date (the C library stats /etc/localtime each time) and a QTimeZone-based
// QDateTime about 1 µs; a whole-base pass reads one date per row.
class LocalOffsets {
public:
    LocalOffsets()
    {
        const QTimeZone zone = QTimeZone::systemTimeZone();
        const QDateTime from(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC);
        m_initial = zone.offsetFromUtc(from);
        for (const auto& t : zone.transitions(from, QDateTime(QDate(2200, 1, 1), QTime(0, 0), Qt::UTC)))
            // Keyed by the local wall-clock time at which the new offset starts.
            m_table.push_back({t.atUtc.toSecsSinceEpoch() + t.offsetFromUtc, t.offsetFromUtc});
    }
    int at(const QDate& date, const QTime& time) const
    {
        const qint64 wall = QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
        auto it = std::upper_bound(m_table.begin(), m_table.end(), wall,
                                   [](qint64 w, const std::pair<qint64, int>& e) { return w < e.first; });
        return it == m_table.begin() ? m_initial : std::prev(it)->second;
    }

private:
    int m_initial = 0;
    std::vector<std::pair<qint64, int>> m_table;
};

// Stored dates are "yyyy-MM-ddTHH:mm:ss" in local time.
QDateTime parseStoredDate(const char* p, int n)
{
    if (n != 19 || p[4] != '-' || p[7] != '-' || (p[10] != 'T' && p[10] != ' ') || p[13] != ':' || p[16] != ':')
        return QDateTime();
    auto num = [p](int at, int len) {
        int v = 0;
        for (int i = at; i < at + len; ++i) {
            if (p[i] < '0' || p[i] > '9')
                return -1;
            v = v * 10 + (p[i] - '0');
        }
        return v;
    };
    const QDate date(num(0, 4), num(5, 2), num(8, 2));
    const QTime time(num(11, 2), num(14, 2), num(17, 2));
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    static const LocalOffsets offsets;
    return QDateTime(date, time, Qt::OffsetFromUTC, offsets.at(date, time));
}

QDateTime parseDate(const QString& text)
{
    const QByteArray latin = text.toLatin1();
    QDateTime d = parseStoredDate(latin.constData(), int(latin.size()));
    if (d.isValid())
        return d;
    d = QDateTime::fromString(text, Qt::ISODate);
    if (d.isValid())
        return d;
    const QLocale locale;
    for (const QString& f : {locale.dateTimeFormat(QLocale::ShortFormat), locale.dateTimeFormat(QLocale::LongFormat),
                             QStringLiteral("dd.MM.yyyy H:mm:ss"), QStringLiteral("dd.MM.yyyy H:mm"),
                             QStringLiteral("dd.MM.yyyy")}) {
        d = QDateTime::fromString(text, f);
        if (d.isValid())
            return d;
    }
    const QDate day = QDate::fromString(text, Qt::ISODate);
    return day.isValid() ? QDateTime(day, QTime(0, 0)) : QDateTime();
}

// The value of one result column; false when the engine could not hand it over
// (it ran out of memory making a long text or blob).
bool columnValue(sqlite3_stmt* st, int slot, int column, QVariant& out)
{
    out = QVariant();
    const int t = sqlite3_column_type(st, slot);
    if (t == SQLITE_NULL)
        return true;
    switch (columnType(column)) {
    case Type::Integer:
        if (t == SQLITE_INTEGER) {
            out = QVariant(qint64(sqlite3_column_int64(st, slot)));
            return true;
        }
        break;
    case Type::Blob: {
        const void* p = sqlite3_column_blob(st, slot);
        const int n = sqlite3_column_bytes(st, slot);
        if (!p && n > 0)
            return false;
        out = QVariant(QByteArray(static_cast<const char*>(p), n));
        return true;
    }
    case Type::Date: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, slot));
        const int n = sqlite3_column_bytes(st, slot);
        if (!p)
            return false;
        QDateTime d = parseStoredDate(p, n);
        if (!d.isValid())
            d = parseDate(QString::fromUtf8(p, n));
        if (d.isValid()) {
            out = QVariant(d);
            return true;
        }
        break;
    }
    case Type::Text: break;
    }
    // Text, or a value of another type stored by some other tool: give its text.
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, slot));
    if (!p)
        return false;
    out = QVariant(QString::fromUtf8(p, sqlite3_column_bytes(st, slot)));
    return true;
}

}  // namespace

Recordset::Recordset(std::shared_ptr<Database> db, std::vector<qint64> ids)
    : m_db(std::move(db)), m_ids(std::move(ids)), m_streamSlot(ColumnCount, -1)
{
    m_pos = 0;  // a fresh recordset stands on its first row
    m_db->m_recordsets.push_back(this);
}

Recordset::~Recordset() { close(); }

void Recordset::close()
{
    resetStream();
    if (m_stream) {
        sqlite3_finalize(m_stream);
        m_stream = nullptr;
    }
    for (auto& [col, st] : m_single)
        sqlite3_finalize(st);  // finalising before the connection closes releases it
    m_single.clear();
    m_ids.clear();
    m_pos = 0;
    moved();
    m_mode = Mode::None;
    m_pending.clear();
    if (m_db) {
        auto& list = m_db->m_recordsets;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    m_db.reset();
}

// ---- navigation -------------------------------------------------------------

void Recordset::moveFirst()
{
    moved();
    m_currentDeleted = false;
    m_pos = 0;
}

void Recordset::moveLast()
{
    moved();
    m_currentDeleted = false;
    m_pos = m_ids.empty() ? 0 : qint64(m_ids.size()) - 1;
}

void Recordset::moveNext()
{
    moved();
    if (m_currentDeleted) {
        // The row that followed the deleted one has moved into its position.
        m_currentDeleted = false;
        return;
    }
    if (m_pos < qint64(m_ids.size()))
        ++m_pos;
}

void Recordset::movePrevious()
{
    moved();
    m_currentDeleted = false;
    if (m_pos >= 0)
        --m_pos;
}

void Recordset::move(qint64 n)
{
    moved();
    if (m_currentDeleted) {
        m_currentDeleted = false;
        if (n > 0)
            --n;  // the deleted row's successor already stands at m_pos
    }
    const qint64 size = qint64(m_ids.size());
    m_pos = std::clamp<qint64>(m_pos + n, -1, size);
}

void Recordset::moveTo(qint64 recordNumber)
{
    moveFirst();
    move(recordNumber - 1);
}

qint64 Recordset::recordNumberOfId(qint64 id) const
{
    if (id <= 0)
        return 0;
    // Ids come in ascending order (the snapshot is read in Id order and new rows
    // get larger ones), so a binary search finds the row; a table of foreign
    // origin may break the order, hence the plain search behind it.
    auto it = std::lower_bound(m_ids.begin(), m_ids.end(), id);
    if (it == m_ids.end() || *it != id)
        it = std::find(m_ids.begin(), m_ids.end(), id);
    return it == m_ids.end() ? 0 : qint64(it - m_ids.begin()) + 1;
}

bool Recordset::moveToId(qint64 id)
{
    const qint64 n = recordNumberOfId(id);
    if (n == 0)
        return false;
    moved();
    m_currentDeleted = false;
    m_pos = n - 1;
    return true;
}

bool Recordset::eof() const { return m_pos >= qint64(m_ids.size()); }
bool Recordset::bof() const { return m_pos < 0 || m_ids.empty(); }

qint64 Recordset::recordNumber() const { return onRow() ? m_pos + 1 : 0; }

// ---- reading ----------------------------------------------------------------

void Recordset::resetStream()
{
    if (m_stream)
        sqlite3_reset(m_stream);
    m_streamId = -1;
    m_streamDone = false;
}

Recordset::Fetch Recordset::streamToCurrent()
{
    sqlite3* db = m_db ? m_db->handle() : nullptr;
    if (!db)
        return Fetch::Gone;
    const qint64 target = currentId();
    if (m_streamId == target)
        return Fetch::Row;
    if (!m_stream) {
        QStringList names;
        names << QStringLiteral("Id");
        const QStringList& cols = m_db->columnNames();
        int slot = 1;
        for (int c : StreamedColumns) {
            names << QLatin1Char('"') + cols[c] + QLatin1Char('"');
            m_streamSlot[size_t(c)] = slot++;
        }
        const QString idName = QLatin1Char('"') + cols[ColId] + QLatin1Char('"');
        const QString sql = QStringLiteral("SELECT %1 FROM main %2 WHERE %3 >= ?1 ORDER BY %3")
                                .arg(names.join(QLatin1Char(',')),
                                     m_db->hasSmallColumnIndex() ? QStringLiteral("INDEXED BY main_small") : QString(),
                                     idName);
        if (sqlite3_prepare_v3(db, sql.toUtf8().constData(), -1, SQLITE_PREPARE_PERSISTENT, &m_stream, nullptr) !=
            SQLITE_OK) {
            sqlite3_finalize(m_stream);
            m_stream = nullptr;
            return Fetch::Failed;
        }
    }
    // Walk forward a few rows when the target lies just ahead (the usual MoveNext
    // pass); otherwise start the statement again at the target.
    if (m_streamId < 0 || m_streamDone || target < m_streamId || target - m_streamId > 64) {
        sqlite3_reset(m_stream);
        sqlite3_bind_int64(m_stream, 1, target);
        m_streamId = -1;
    }
    for (int steps = 0; steps < 128; ++steps) {
        const int rc = sqlite3_step(m_stream);
        if (rc != SQLITE_ROW) {
            m_streamDone = true;
            m_streamId = -1;
            // Done: the rows up to the end are gone. Anything else is a failure
            // to read, which must not pass for a missing row.
            return rc == SQLITE_DONE ? Fetch::Gone : Fetch::Failed;
        }
        m_streamId = sqlite3_column_int64(m_stream, 0);
        if (m_streamId == target)
            return Fetch::Row;
        if (m_streamId > target)
            return Fetch::Gone;  // the row is gone (deleted through another connection)
    }
    return Fetch::Gone;
}

Error Recordset::readFailure(int rc)
{
    sqlite3* db = m_db ? m_db->handle() : nullptr;
    const QString engine = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    // SQLCipher reports a page that fails its authentication check as a plain
    // SQLITE_ERROR; a statement of ours that prepared and ran before has no other
    // way to fail so.
    const int code = (rc & 0xFF) == SQLITE_ERROR ? SQLITE_CORRUPT : rc;
    const QString file = m_db ? QDir::toNativeSeparators(m_db->path()) : QString();
    Error e{texts::readFailed().arg(QString::number(recordNumber()), file, engineReason(code, engine))};
    if (!m_rowError)
        m_rowError = e;
    if (m_db) {
        if (!m_db->m_readFailure)
            m_db->m_readFailure = e;
        // The failure puts the engine's page cache into an error state that
        // fails every later read until the read transaction ends: stop the
        // statements standing on rows, so that sound rows read again.
        for (Recordset* rs : m_db->m_recordsets)
            rs->resetStream();
    }
    return e;
}

Result<QVariant> Recordset::readStreamed(int column)
{
    switch (streamToCurrent()) {
    case Fetch::Gone: return QVariant();
    case Fetch::Failed: return readFailure(m_db ? sqlite3_extended_errcode(m_db->handle()) : SQLITE_ERROR);
    case Fetch::Row: break;
    }
    QVariant v;
    if (!columnValue(m_stream, m_streamSlot[size_t(column)], column, v))
        return readFailure(SQLITE_NOMEM);
    return v;
}

Result<QVariant> Recordset::readSingle(int column)
{
    sqlite3* db = m_db ? m_db->handle() : nullptr;
    if (!db)
        return QVariant();
    sqlite3_stmt*& st = m_single[column];
    if (!st) {
        const QStringList& cols = m_db->columnNames();
        const QString sql = QStringLiteral("SELECT \"%1\" FROM main WHERE \"%2\" = ?1").arg(cols[column], cols[ColId]);
        if (sqlite3_prepare_v3(db, sql.toUtf8().constData(), -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr) !=
            SQLITE_OK) {
            const int rc = sqlite3_extended_errcode(db);
            sqlite3_finalize(st);
            m_single.erase(column);
            return readFailure(rc);
        }
    }
    sqlite3_bind_int64(st, 1, currentId());
    const int rc = sqlite3_step(st);
    QVariant v;
    bool handed = true;
    if (rc == SQLITE_ROW)
        handed = columnValue(st, 0, column, v);
    const int failed = rc == SQLITE_ROW || rc == SQLITE_DONE ? SQLITE_OK : sqlite3_extended_errcode(db);
    sqlite3_reset(st);
    if (failed != SQLITE_OK)
        return readFailure(failed);
    if (!handed)
        return readFailure(SQLITE_NOMEM);
    return v;
}

Result<QVariant> Recordset::read(int column)
{
    if (column < 0 || column >= ColumnCount)
        return QVariant();
    if (m_mode == Mode::Add) {
        auto it = m_pending.find(column);
        return it == m_pending.end() ? QVariant() : it->second;
    }
    if (!onRow())
        return QVariant();
    if (m_mode == Mode::Edit) {
        auto it = m_pending.find(column);
        if (it != m_pending.end())
            return it->second;
    }
    if (column == ColId)
        return QVariant(currentId());
    return isStreamed(column) ? readStreamed(column) : readSingle(column);
}

Result<void> Recordset::readStatus() const
{
    if (m_rowError)
        return *m_rowError;
    return {};
}

QVariant Recordset::value(int column)
{
    Result<QVariant> v = read(column);
    return v ? std::move(*v) : QVariant();
}

bool Recordset::isNull(int column) { return value(column).isNull(); }

QString Recordset::text(int column)
{
    const QVariant v = value(column);
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::QDateTime)
        return QLocale().toString(v.toDateTime(), QLocale::ShortFormat);
    if (v.typeId() == QMetaType::QByteArray)
        return QString::fromLatin1(v.toByteArray());
    return v.toString();
}

qint64 Recordset::integer(int column)
{
    const QVariant v = value(column);
    if (v.typeId() == QMetaType::LongLong)
        return v.toLongLong();
    bool ok = false;
    const qint64 n = v.toString().trimmed().toLongLong(&ok);
    return ok ? n : 0;
}

QDateTime Recordset::dateTime(int column)
{
    const QVariant v = value(column);
    return v.typeId() == QMetaType::QDateTime ? v.toDateTime() : parseDate(v.toString());
}

QByteArray Recordset::bytes(int column)
{
    const QVariant v = value(column);
    if (v.typeId() == QMetaType::QByteArray)
        return v.toByteArray();
    return v.toString().toUtf8();
}

// ---- writing ----------------------------------------------------------------

Result<void> Recordset::fail(const QString& what) const
{
    const QString file = m_db ? QDir::toNativeSeparators(m_db->path()) : QString();
    return Error{QStringLiteral("Ошибка базы «%1»: %2.").arg(file, what)};
}

Result<void> Recordset::writable() const
{
    // Said before the engine is asked: its own refusal names no cause.
    if (m_db && m_db->readOnly())
        return Error{m_db->readOnlyMessage()};
    if (!m_db || !m_db->m_readFailure)
        return {};
    return Error{texts::writeAfterFailedRead().arg(QDir::toNativeSeparators(m_db->path()),
                                                   m_db->m_readFailure->message)};
}

void Recordset::addNew()
{
    m_mode = Mode::Add;
    m_pending.clear();
}

Result<void> Recordset::edit()
{
    if (!onRow())
        return fail(QStringLiteral("нет текущей записи"));
    if (auto w = writable(); !w)
        return w;
    m_mode = Mode::Edit;
    m_editId = currentId();
    m_pending.clear();
    return {};
}

void Recordset::cancelUpdate()
{
    m_mode = Mode::None;
    m_pending.clear();
}

Result<void> Recordset::setValue(int column, const QVariant& value)
{
    if (m_mode == Mode::None)
        return fail(QStringLiteral("запись не открыта для изменения"));
    if (column <= ColId || column >= ColumnCount)
        return fail(QStringLiteral("столбец %1 нельзя изменить").arg(column));
    if (value.isNull()) {
        m_pending[column] = QVariant();
        return {};
    }
    QVariant converted;
    switch (columnType(column)) {
    case Type::Integer: {
        bool ok = false;
        qint64 n = 0;
        if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray) {
            const QString t = value.toString().trimmed();
            if (t.isEmpty()) {
                m_pending[column] = QVariant();
                return {};
            }
            n = t.toLongLong(&ok);
        } else if (value.typeId() == QMetaType::Bool) {
            n = value.toBool() ? 1 : 0;
            ok = true;
        } else {
            n = value.toLongLong(&ok);
        }
        if (!ok)
            return fail(QStringLiteral("значение «%1» не число (столбец %2)").arg(value.toString(), QString::number(column)));
        converted = QVariant(n);
        break;
    }
    case Type::Date: {
        QDateTime d;
        if (value.typeId() == QMetaType::QDateTime)
            d = value.toDateTime();
        else if (value.typeId() == QMetaType::QDate)
            d = QDateTime(value.toDate(), QTime(0, 0));
        else
            d = parseDate(value.toString().trimmed());
        if (!d.isValid())
            return fail(QStringLiteral("значение «%1» не дата").arg(value.toString()));
        converted = QVariant(d);
        break;
    }
    case Type::Blob:
        if (value.typeId() == QMetaType::QByteArray) {
            converted = value;
        } else {
            // An archive is a string of 8-bit characters; anything wider would be lost.
            const QString t = value.toString();
            for (QChar ch : t)
                if (ch.unicode() > 0xFF)
                    return fail(QStringLiteral("в двоичный столбец записан символ вне 8 бит"));
            converted = QVariant(t.toLatin1());
        }
        break;
    case Type::Text:
        if (value.typeId() == QMetaType::QDateTime)
            converted = QVariant(QLocale().toString(value.toDateTime(), QLocale::ShortFormat));
        else
            converted = QVariant(value.toString());
        break;
    }
    m_pending[column] = converted;
    return {};
}

namespace {

void bindValue(sqlite3_stmt* st, int index, const QVariant& v)
{
    if (v.isNull()) {
        sqlite3_bind_null(st, index);
    } else if (v.typeId() == QMetaType::LongLong) {
        sqlite3_bind_int64(st, index, v.toLongLong());
    } else if (v.typeId() == QMetaType::QByteArray) {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob64(st, index, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
    } else if (v.typeId() == QMetaType::QDateTime) {
        const QByteArray t = v.toDateTime().toString(DateFormat).toUtf8();
        sqlite3_bind_text64(st, index, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
    } else {
        const QByteArray t = v.toString().toUtf8();
        sqlite3_bind_text64(st, index, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
}

}  // namespace

Result<void> Recordset::update()
{
    if (m_mode == Mode::None)
        return fail(QStringLiteral("нет изменений для сохранения"));
    sqlite3* db = m_db ? m_db->handle() : nullptr;
    if (!db)
        return fail(QStringLiteral("база закрыта"));
    if (auto w = writable(); !w)
        return w;
    const QStringList& cols = m_db->columnNames();
    QStringList names;
    for (const auto& [col, v] : m_pending)
        names << QLatin1Char('"') + cols[col] + QLatin1Char('"');
    QString sql;
    if (m_mode == Mode::Add) {
        QStringList marks;
        for (int i = 1; i <= int(names.size()); ++i)
            marks << QStringLiteral("?%1").arg(i);
        sql = names.isEmpty() ? QStringLiteral("INSERT INTO main DEFAULT VALUES")
                              : QStringLiteral("INSERT INTO main (%1) VALUES (%2)")
                                    .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    } else {
        if (m_pending.empty()) {
            m_mode = Mode::None;
            return {};
        }
        QStringList sets;
        for (int i = 0; i < int(names.size()); ++i)
            sets << QStringLiteral("%1 = ?%2").arg(names[i], QString::number(i + 1));
        sql = QStringLiteral("UPDATE main SET %1 WHERE \"%2\" = ?%3")
                  .arg(sets.join(QLatin1Char(',')), cols[ColId], QString::number(names.size() + 1));
    }
    // A new row or a changed Body changes the data derived from Body too, in the
    // same transaction (a savepoint inside the caller's).
    const Database::BodyWrittenHook& derive = m_db->bodyWrittenHook();
    const auto body = m_pending.find(ColBody);
    std::optional<Transaction> scope;
    if (derive && (m_mode == Mode::Add || body != m_pending.end())) {
        scope.emplace(*m_db);
        if (!scope->begun())
            return scope->begun();
    }
    // A write on the connection while the read stream stands on a row is allowed,
    // but the stream would not see the change: start it afresh afterwards.
    resetStream();
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
    if (rc == SQLITE_OK) {
        int i = 1;
        for (const auto& [col, v] : m_pending)
            bindValue(st, i++, v);
        if (m_mode == Mode::Edit)
            sqlite3_bind_int64(st, i, m_editId);
        rc = sqlite3_step(st);
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        return fail(engineReason(db));
    const qint64 id = m_mode == Mode::Add ? sqlite3_last_insert_rowid(db) : m_editId;
    if (scope) {
        if (auto r = derive(id, body != m_pending.end() ? body->second : QVariant()); !r)
            return r;  // the scope rolls the row back
        if (auto r = scope->commit(); !r)
            return r;
    }
    if (m_mode == Mode::Add) {
        // The new row comes last; the current row stays the one before addNew().
        const bool wasAtEnd = m_pos >= qint64(m_ids.size());
        m_ids.push_back(id);
        if (wasAtEnd && m_pos >= 0)
            m_pos = qint64(m_ids.size());  // still past the end
    }
    m_mode = Mode::None;
    m_pending.clear();
    return {};
}

Result<void> Recordset::remove()
{
    if (!onRow())
        return fail(QStringLiteral("нет текущей записи для удаления"));
    if (auto w = writable(); !w)
        return w;
    sqlite3* db = m_db->handle();
    resetStream();
    sqlite3_stmt* st = nullptr;
    const QString sql = QStringLiteral("DELETE FROM main WHERE \"%1\" = ?1").arg(m_db->columnNames()[ColId]);
    int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_bind_int64(st, 1, currentId());
        rc = sqlite3_step(st);
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        return fail(engineReason(db));
    const qint64 id = currentId();
    m_ids.erase(m_ids.begin() + m_pos);
    m_currentDeleted = true;
    m_db->announceRowsRemoved({id});
    return {};
}

}  // namespace store
