#pragma once
// One open connection to an encrypted base file (SQLCipher 4).
#include "Record.h"
#include "Result.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;

namespace store {

class Recordset;

class Database : public std::enable_shared_from_this<Database> {
public:
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    enum class Access {
        Automatic,  // for writing where the file, its folder and the medium allow it, else for reading
        ReadOnly,
    };
    // Opens an existing base. Never creates or changes the file: a missing,
    // foreign, wrongly keyed, damaged or locked file is an Error naming it and
    // the cause. A base that cannot be written opens for reading (readOnly()),
    // and then nothing is created beside it either.
    // `connect` is a connect text such as ";PWD=secret".
    static Result<std::shared_ptr<Database>> open(const QString& path,
                                                  const QString& connect = QString::fromLatin1(ConnectText),
                                                  Access access = Access::Automatic);
    // Makes a new empty base; refuses to overwrite an existing file.
    static Result<std::shared_ptr<Database>> create(const QString& path,
                                                    const QString& connect = QString::fromLatin1(ConnectText));
    // Writes a compacted copy of `source` to `destination` (which must not exist),
    // keyed with the same password. The source is only read.
    static Result<void> compact(const QString& source, const QString& destination,
                                const QString& connect = QString::fromLatin1(ConnectText));

    // A recordset over every row of "main" in stored order.
    Result<std::unique_ptr<Recordset>> openRecordset();

    // Groups many updates in one transaction (bulk import, generation).
    Result<void> beginBatch();
    Result<void> commitBatch();

    // Told which rows are gone (their Ids) once their removal is stored: at once
    // outside a transaction, at the commit of the outermost one inside, never when
    // it is rolled back. Whoever keeps a row's RecordNumber re-resolves it from the
    // row's Id, or lets go of the row. Returns a handle for removing the listener.
    using RowsRemovedListener = std::function<void(const std::vector<qint64>& ids)>;
    int addRowsRemovedListener(RowsRemovedListener listener);
    void removeRowsRemovedListener(int handle);
    // For code that deletes rows itself rather than through a Recordset.
    void announceRowsRemoved(std::vector<qint64> ids);

    // Told just before the connection closes, so that whoever keeps statements
    // of its own on it finalises them: a statement left standing would keep the
    // file open (and its write-ahead log beside it) after close().
    int addClosingListener(std::function<void()> listener);
    void removeClosingListener(int handle);
    bool inTransaction() const { return m_depth > 0; }

    // Data derived from Body and kept in the base beside the rows (the search
    // data). A recordset that stores a new row, or a changed Body, calls the hook
    // with the row's Id and the stored value inside the same transaction; a hook
    // that fails rolls the write back, so the two never part.
    using BodyWrittenHook = std::function<Result<void>(qint64 id, const QVariant& body)>;
    void setBodyWrittenHook(BodyWrittenHook hook) { m_bodyWritten = std::move(hook); }
    const BodyWrittenHook& bodyWrittenHook() const { return m_bodyWritten; }

    void close();
    bool isOpen() const { return m_db != nullptr; }
    const QString& path() const { return m_path; }
    sqlite3* handle() const { return m_db; }
    // Column names of "main" by position, as the file declares them.
    const QStringList& columnNames() const { return m_columns; }
    bool hasSmallColumnIndex() const { return m_smallIndex; }

    // Opened for reading only; every write is refused with readOnlyMessage().
    bool readOnly() const { return !m_readOnlyReason.isEmpty(); }
    // "База открыта только для чтения: " and the cause, naming the file or folder.
    QString readOnlyMessage() const;

    // Text of the last engine error on this connection.
    QString engineMessage() const;

    // The first read on this connection that failed, if one has: from then on
    // its recordsets write nothing, so a damaged row read as empty is never
    // stored back over what the file still holds.
    const std::optional<Error>& readFailure() const { return m_readFailure; }

    // The password inside a connect text (";PWD=…"), or the empty text.
    static QString passwordFrom(const QString& connect);

private:
    Database(sqlite3* db, QString path);
    QString m_path;
    sqlite3* m_db = nullptr;
    QStringList m_columns;
    bool m_smallIndex = false;
    QString m_readOnlyReason;  // empty when the base can be written
    std::optional<Error> m_readFailure;
    // Live recordsets on this connection. A read stream left standing on a row keeps
    // the connection's read snapshot open; a new recordset must see the file as it is.
    std::vector<Recordset*> m_recordsets;
    friend class Recordset;
    friend class Transaction;
    friend struct DatabaseOpener;

    int m_depth = 0;  // open Transaction scopes
    std::vector<qint64> m_removedInTransaction;
    std::vector<std::pair<int, RowsRemovedListener>> m_rowsRemoved;
    std::vector<std::pair<int, std::function<void()>>> m_closing;
    int m_nextListener = 1;
    BodyWrittenHook m_bodyWritten;
};

// A scope of changes that are stored together or not at all. Uncommitted when
// it ends (an early return, a failed step), everything since its start is rolled
// back. Scopes nest: an inner one is a savepoint of the outer.
class [[nodiscard]] Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Whether the scope could be opened (a locked or read-only file cannot).
    const Result<void>& begun() const { return m_begun; }
    Result<void> commit();
    void rollback();

private:
    Database& m_db;
    int m_level = 0;
    bool m_open = false;
    size_t m_removedMark = 0;  // removals announced before this scope began
    Result<void> m_begun;
};

}  // namespace store
