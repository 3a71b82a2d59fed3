#pragma once
// Full-text search over one open base: the search data in the base (SearchData),
// its copy in memory (SearchCache), and the searches that bring both up to date
// and then look for the terms. The engine attaches itself to the base's Body
// hook for as long as it lives; the window keeps one per open base.
//
// A search (SearchRun) works in steps of a given length, so that the window can
// run it between events and stop it; tools run it to its end.
#include "SearchCache.h"
#include "SearchData.h"
#include "SearchTerms.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace store {
class Database;
}

Q_DECLARE_LOGGING_CATEGORY(lcSearch)

namespace search {

// A row whose text holds a term, in table order.
struct Hit {
    qint64 id = 0;
    QString name;
    QString path;
    int kind = 0;
    bool deleted = false;
};

class SearchEngine {
public:
    explicit SearchEngine(std::shared_ptr<store::Database> db);
    ~SearchEngine();
    SearchEngine(const SearchEngine&) = delete;
    SearchEngine& operator=(const SearchEngine&) = delete;

    store::Database& database() const { return *m_db; }
    const std::shared_ptr<store::Database>& databasePtr() const { return m_db; }
    SearchData& data() { return m_data; }
    SearchCache& cache() { return m_cache; }
    // True when the base cannot hold search data (a read-only file): texts are
    // then built into memory only, once per run of the program.
    bool memoryOnly() const { return m_memoryOnly; }

private:
    friend class SearchRun;
    store::Result<void> bodyWritten(qint64 id, const QVariant& body);

    std::shared_ptr<store::Database> m_db;
    SearchData m_data;
    SearchCache m_cache;
    int m_removedListener = 0;
    bool m_checked = false;     // rows without search data looked for
    bool m_dirty = true;        // the copy in memory may differ from the base
    bool m_memoryOnly = false;
    qint64 m_rowCount = 0;      // rows of "main" at the last check
    quint64 m_writes = 0;       // bodies written through the hook
};

class SearchRun {
public:
    enum class Phase {
        Checking,   // which rows lack search data, which texts changed
        Building,   // search data made from Body for rows that lack it
        Loading,    // stored texts read into memory
        Searching,  // the terms looked for, row by row
        Done,
    };

    SearchRun(SearchEngine& engine, const QString& termsText);
    // Reads the stored texts into memory ahead of a search and ends there;
    // builds nothing and writes nothing.
    static std::unique_ptr<SearchRun> warmUp(SearchEngine& engine);

    // Works for about budgetMs milliseconds, at least one piece of work (one
    // check, one row built, one batch read); true once the search is over.
    bool step(int budgetMs);
    void runToEnd();
    bool finished() const { return m_phase == Phase::Done; }

    Phase phase() const { return m_phase; }
    // Progress within the phase: done of total.
    qint64 done() const { return m_done; }
    qint64 total() const { return m_total; }

    const SearchTerms& terms() const { return m_terms; }
    // Hits found since the last call, in table order.
    std::vector<Hit> takeHits();
    // A failure of the base ends the search early with a message.
    const store::Result<void>& outcome() const { return m_outcome; }

private:
    bool overBudget(int budgetMs) const;
    void fail(const store::Error& e);
    void check();
    void build(int budgetMs);
    void load(int budgetMs);
    void scan(int budgetMs);
    void enter(Phase phase, qint64 total);

    SearchEngine& m_engine;
    SearchTerms m_terms;
    bool m_warmUp = false;
    Phase m_phase = Phase::Checking;
    qint64 m_done = 0;
    qint64 m_total = 0;
    QElapsedTimer m_clock;
    store::Result<void> m_outcome;

    std::vector<qint64> m_missing;  // rows to build, by Id
    std::vector<qint64> m_toLoad;   // Seqs to read, ascending
    qint64 m_nextSeq = 0;           // where the next read of many texts starts
    quint64 m_writesAtCheck = 0;
    qint64 m_lastId = 0;            // the scan's position
    std::vector<Hit> m_hits;
};

}  // namespace search
