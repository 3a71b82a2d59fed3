#pragma once
// The search data inside one base: the table kx_search_v1 holding, for every row
// of "main", the folded plain text of its Body (FoldedText.h). Searching reads
// it instead of parsing every article's RTF.
//
// It lives in the encrypted base and changes with Body in the same transaction:
// two triggers drop a row's text whenever its Body or Id changes or the row goes
// (whoever writes: this program, another one, the sqlcipher shell), and the Body
// hook of the store writes the new text inside the write's own transaction. A
// row of "main" without text is therefore only ever missing, never stale, and is
// built again from Body before a search. Each text is written with a new Seq
// (AUTOINCREMENT), so a copy held in memory knows which texts changed.
#include "store/Result.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

struct sqlite3_stmt;

namespace store {
class Database;
}

namespace search {

// The searched text of a stored Body: the folded plain text the article pane
// shows; empty for an empty or missing Body.
QByteArray searchTextOf(const QByteArray& body);

// One row of "main" as a search pass meets it; texts are read only when asked.
class RowReader {
public:
    explicit RowReader(sqlite3_stmt* st) : m_st(st) {}
    qint64 id() const;
    QString name() const;
    QString path() const;
    int kind() const;
    bool deleted() const;
    // A row with neither title nor target stands for its folder.
    bool isFolderRecord() const;

private:
    sqlite3_stmt* m_st;
};

class SearchData {
public:
    // The table's name; a change of the folded form gets a new version.
    static constexpr const char* Table = "kx_search_v1";

    explicit SearchData(store::Database& db);
    ~SearchData();
    SearchData(const SearchData&) = delete;
    SearchData& operator=(const SearchData&) = delete;

    store::Database& database() const { return m_db; }

    // Whether the table, its index and both triggers are in the base (asked of
    // the file, and remembered for write()).
    bool present();
    bool knownPresent() const { return m_present; }
    // Makes the table, its index and triggers, dropping search data of other
    // versions and a table whose triggers are gone (it may be out of step).
    store::Result<void> create();

    // Stores the text of row id; gives its Seq.
    store::Result<qint64> write(qint64 id, const QByteArray& text);

    // Ids of "main" in table order, and (Id, Seq) of the stored texts by Id.
    store::Result<std::vector<qint64>> rowIds();
    store::Result<std::vector<std::pair<qint64, qint64>>> storedSeqs();
    // A commit by another connection since the last call (PRAGMA data_version).
    bool changedElsewhere();

    // Body of one row as the article pane reads it; empty when missing.
    store::Result<QByteArray> body(qint64 id);
    // Rows of "main" with Id above `after`, in Id order, at most limit of them;
    // gives the last Id read (`after` when none).
    store::Result<qint64> readRows(qint64 after, int limit, const std::function<void(const RowReader&)>& f);
    // The texts with Seq in [from, …), in Seq order, at most limit of them:
    // calls f(seq, id, text, size); gives the last Seq read (from - 1 when none).
    store::Result<qint64> readTexts(qint64 from, int limit,
                                    const std::function<void(qint64, qint64, const char*, qsizetype)>& f);
    // The text stored with this Seq, if any.
    store::Result<bool> readText(qint64 seq, const std::function<void(qint64, const char*, qsizetype)>& f);

private:
    sqlite3_stmt* prepare(sqlite3_stmt*& slot, const QString& sql);
    store::Error failure(const QString& what) const;

    // Finalises the kept statements (before the connection closes).
    void release();

    store::Database& m_db;
    int m_closing = 0;
    bool m_present = false;
    qint64 m_dataVersion = -1;
    sqlite3_stmt* m_write = nullptr;
    sqlite3_stmt* m_body = nullptr;
    sqlite3_stmt* m_texts = nullptr;
    sqlite3_stmt* m_text = nullptr;
    sqlite3_stmt* m_version = nullptr;
    sqlite3_stmt* m_rows = nullptr;
};

}  // namespace search
