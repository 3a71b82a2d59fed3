#pragma once
// The positional, ordered row model over table "main": one current row, moved
// with MoveFirst/MoveNext/MoveLast/Move(n), read and written by column position.
//
// The recordset keeps the ordered row ids of its snapshot, so Move(n) and
// RecordCount cost nothing. Reading the small columns of consecutive rows streams
// through one statement; Body, Archive and SeeAlso are fetched only when asked.
#include "Record.h"
#include "Result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <map>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3_stmt;

namespace store {

class Database;

class Recordset {
public:
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Rows in the snapshot plus rows added through this recordset; a row being
    // added is not counted before update().
    qint64 recordCount() const { return qint64(m_ids.size()); }

    void moveFirst();
    void moveNext();
    void moveLast();
    // Moves n rows from the current one: from the first row, move(n) reaches row n + 1.
    void move(qint64 n);
    // Goes to the row with the 1-based RecordNumber n (MoveFirst, then Move(n − 1)).
    void moveTo(qint64 recordNumber);

    // Goes to the row with this Id, wherever removals have moved it; false, with
    // the position unchanged, when the row is not in this recordset.
    bool moveToId(qint64 id);
    // The RecordNumber of the row with this Id, 0 when there is none.
    qint64 recordNumberOfId(qint64 id) const;
    // Stable Id of the current row, 0 when there is none.
    qint64 currentRowId() const { return onRow() ? currentId() : 0; }

    bool eof() const;
    bool bof() const;
    // 1-based RecordNumber of the current row, 0 when there is none.
    qint64 recordNumber() const;

    // Reads by position. Null comes back as a null QVariant; text columns give
    // QString, Kind/Deleted/Favorite qint64, Added QDateTime, Archive QByteArray.
    // A read the engine cannot do (a damaged page, a disk error) is an Error
    // naming the base and the row, never a Null.
    Result<QVariant> read(int column);

    // The reads below give Null (or the empty text, 0 …) where a read failed, and
    // keep its Error here until the recordset moves: whoever must not take a
    // damaged row for an empty one reads the row, then asks.
    Result<void> readStatus() const;

    QVariant value(int column);
    bool isNull(int column);
    // Null reads as the empty text; a date as the locale's short date-time.
    QString text(int column);
    // Null and text that is not a number read as 0.
    qint64 integer(int column);
    // Flags count as set only when the stored value equals 1.
    bool flag(int column) { return integer(column) == 1; }
    QDateTime dateTime(int column);
    QByteArray bytes(int column);

    // Starts a new row; its columns are then written with setValue and stored by update().
    void addNew();
    // Opens the current row for change.
    Result<void> edit();
    // Writes one column of the pending row, converting text, integers and dates
    // to the column's type ("0" → 0 in Kind, Deleted, Favorite). A null QVariant
    // writes Null.
    Result<void> setValue(int column, const QVariant& value);
    // Stores the pending new or changed row. After storing a new row the current
    // row is the one that was current before addNew().
    Result<void> update();
    void cancelUpdate();
    bool editing() const { return m_mode != Mode::None; }
    // Removes the current row; every later row moves one position forward. The
    // next moveNext() reaches the row that followed the deleted one.
    Result<void> remove();

    void close();

private:
    friend class Database;
    Recordset(std::shared_ptr<Database> db, std::vector<qint64> ids);

    enum class Mode { None, Add, Edit };
    bool onRow() const { return m_pos >= 0 && m_pos < qint64(m_ids.size()) && !m_currentDeleted; }
    qint64 currentId() const { return m_ids[size_t(m_pos)]; }
    enum class Fetch { Row, Gone, Failed };
    // Positions the streaming statement on the current row.
    Fetch streamToCurrent();
    Result<QVariant> readStreamed(int column);
    Result<QVariant> readSingle(int column);
    void resetStream();
    Result<void> fail(const QString& what) const;
    // The Error of a failed read of the current row; also kept as the row's read
    // status and as the connection's first failure, which stops its writes.
    Error readFailure(int rc);
    // An Error when a read on the connection has failed: nothing is written then.
    Result<void> writable() const;
    void moved() { m_rowError.reset(); }

    std::shared_ptr<Database> m_db;
    std::vector<qint64> m_ids;
    qint64 m_pos = -1;  // index into m_ids; -1 before the first, size() after the last
    bool m_currentDeleted = false;
    std::optional<Error> m_rowError;  // a read of the current row that failed

    sqlite3_stmt* m_stream = nullptr;  // small columns, rows with Id >= ?, in Id order
    qint64 m_streamId = -1;            // id of the row the stream stands on, -1 when none
    bool m_streamDone = false;
    std::vector<int> m_streamSlot;     // column position → result column of m_stream, -1 if absent
    std::map<int, sqlite3_stmt*> m_single;  // column position → "SELECT col WHERE Id=?"

    Mode m_mode = Mode::None;
    qint64 m_editId = -1;  // the row opened by edit(), whatever moves follow
    std::map<int, QVariant> m_pending;  // converted values of the row being added or edited
};

}  // namespace store
