#include "SearchEngine.h"

#include "store/Database.h"
#include "store/StoreTexts.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcSearch, "kodrix.search")

namespace search {

namespace {

// Rows read per statement run during the scan; texts per run while loading.
constexpr int RowsPerRead = 1024;
constexpr int TextsPerRead = 256;
// Below this many texts to read, each is fetched by its Seq.
constexpr size_t PointReads = 256;
// Bodies above this size get their text at the next search rather than at
// every store (parsing 1 MB of RTF takes about 10 ms).
constexpr qsizetype DeferredBody = 128 * 1024;

QByteArray bytesOf(const QVariant& body)
{
    if (body.isNull())
        return {};
    if (body.typeId() == QMetaType::QByteArray)
        return body.toByteArray();
    return body.toString().toUtf8();
}

}  // namespace

SearchEngine::SearchEngine(std::shared_ptr<store::Database> db) : m_db(std::move(db)), m_data(*m_db)
{
    m_db->setBodyWrittenHook([this](qint64 id, const QVariant& body) { return bodyWritten(id, body); });
    m_removedListener = m_db->addRowsRemovedListener([this](const std::vector<qint64>& ids) {
        std::vector<qint64> sorted = ids;
        std::sort(sorted.begin(), sorted.end());
        m_cache.remove(sorted);
    });
}

SearchEngine::~SearchEngine()
{
    m_db->setBodyWrittenHook({});
    m_db->removeRowsRemovedListener(m_removedListener);
}

store::Result<void> SearchEngine::bodyWritten(qint64 id, const QVariant& body)
{
    m_cache.invalidate(id);
    m_dirty = true;
    ++m_writes;
    // Without the table there is nothing to keep in step: the first search
    // builds it from Body, this row included.
    if (!m_data.knownPresent())
        return {};
    const QByteArray bytes = bytesOf(body);
    if (bytes.size() > DeferredBody) {
        // A big article is stored on every keystroke: its text is left missing
        // (the trigger dropped the old one) and the next search builds it.
        m_checked = false;
        return {};
    }
    auto seq = m_data.write(id, searchTextOf(bytes));
    if (!seq)
        return seq.error();
    return {};
}

// ---- SearchRun --------------------------------------------------------------

SearchRun::SearchRun(SearchEngine& engine, const QString& termsText)
    : m_engine(engine), m_terms(parseTerms(termsText))
{
    // Nothing to look for: the base is not even read.
    if (m_terms.isEmpty())
        m_phase = Phase::Done;
}

std::unique_ptr<SearchRun> SearchRun::warmUp(SearchEngine& engine)
{
    auto run = std::make_unique<SearchRun>(engine, QString());
    run->m_warmUp = true;
    run->m_phase = Phase::Checking;
    return run;
}

std::vector<Hit> SearchRun::takeHits()
{
    std::vector<Hit> out;
    out.swap(m_hits);
    return out;
}

bool SearchRun::overBudget(int budgetMs) const { return m_clock.elapsed() >= budgetMs; }

void SearchRun::fail(const store::Error& e)
{
    qCWarning(lcSearch) << e.message;
    m_outcome = e;
    m_phase = Phase::Done;
}

void SearchRun::enter(Phase phase, qint64 total)
{
    if (m_warmUp && (phase == Phase::Building || phase == Phase::Searching)) {
        // Warmed up: the search to come checks again and builds what is missing.
        if (phase == Phase::Building && !m_toLoad.empty())
            return enter(Phase::Loading, qint64(m_toLoad.size()));
        m_phase = Phase::Done;
        return;
    }
    m_phase = phase;
    m_done = 0;
    m_total = total;
    if (phase == Phase::Searching) {
        // The copy in memory matches the base as it was at the check; a body
        // written since then leaves it to be compared again next time.
        m_engine.m_checked = true;
        m_engine.m_dirty = m_engine.m_writes != m_writesAtCheck;
        m_total = m_engine.m_rowCount;
    }
}

bool SearchRun::step(int budgetMs)
{
    m_clock.start();
    // At least one piece of work, however short the budget.
    while (m_phase != Phase::Done) {
        switch (m_phase) {
        case Phase::Checking: check(); break;
        case Phase::Building: build(budgetMs); break;
        case Phase::Loading: load(budgetMs); break;
        case Phase::Searching: scan(budgetMs); break;
        case Phase::Done: break;
        }
        if (overBudget(budgetMs))
            break;
    }
    return m_phase == Phase::Done;
}

void SearchRun::runToEnd()
{
    while (!step(1000)) {
    }
}

void SearchRun::check()
{
    SearchData& data = m_engine.m_data;
    SearchCache& cache = m_engine.m_cache;
    if (!m_engine.database().isOpen())
        return fail(store::Error{store::texts::baseClosed().arg(store::texts::fileName(m_engine.database().path()))});
    // Another connection (another program, the sqlcipher shell) may have added
    // rows, changed bodies (the triggers dropped their texts) or made the table.
    if (data.changedElsewhere())
        m_engine.m_checked = false;
    if (m_engine.m_memoryOnly)
        m_engine.m_checked = false;
    m_writesAtCheck = m_engine.m_writes;
    if (m_engine.m_checked && !m_engine.m_dirty)
        return enter(Phase::Searching, 0);

    std::vector<qint64> ids;
    const bool recheck = !m_engine.m_checked;
    if (recheck) {
        if (m_warmUp && !m_engine.m_memoryOnly && !data.present()) {
            m_phase = Phase::Done;
            return;
        }
        if (!m_engine.m_memoryOnly && !data.present()) {
            if (auto made = data.create(); !made) {
                // A file we may not write keeps its texts in memory for this run.
                qCInfo(lcSearch) << made.message();
                m_engine.m_memoryOnly = true;
            }
        }
        auto read = data.rowIds();
        if (!read)
            return fail(read.error());
        ids = std::move(*read);
        m_engine.m_rowCount = qint64(ids.size());
    }

    const std::vector<SearchCache::Entry>& entries = cache.entries();
    std::vector<qint64> gone;
    m_missing.clear();
    m_toLoad.clear();
    if (m_engine.m_memoryOnly) {
        // Built here or nowhere: a row lacks a text when the copy has none it trusts.
        auto e = entries.begin();
        for (qint64 id : ids) {
            while (e != entries.end() && e->id < id)
                gone.push_back((e++)->id);
            if (e != entries.end() && e->id == id) {
                if (e->seq == SearchCache::Stale)
                    m_missing.push_back(id);
                ++e;
            } else {
                m_missing.push_back(id);
            }
        }
        for (; e != entries.end(); ++e)
            gone.push_back(e->id);
    } else {
        auto stored = data.storedSeqs();
        if (!stored)
            return fail(stored.error());
        // Texts the copy lacks or holds in an older version are read; texts of
        // rows that are gone are dropped.
        auto e = entries.begin();
        for (const auto& [id, seq] : *stored) {
            while (e != entries.end() && e->id < id)
                gone.push_back((e++)->id);
            if (e != entries.end() && e->id == id) {
                if (e->seq != seq)
                    m_toLoad.push_back(seq);
                ++e;
            } else {
                m_toLoad.push_back(seq);
            }
        }
        for (; e != entries.end(); ++e)
            gone.push_back(e->id);
        if (recheck) {
            // Rows without a text: new rows written elsewhere, bodies changed
            // elsewhere, or a base that never had search data.
            auto s = stored->begin();
            for (qint64 id : ids) {
                while (s != stored->end() && s->first < id)
                    ++s;
                if (s == stored->end() || s->first != id)
                    m_missing.push_back(id);
            }
        }
        std::sort(m_toLoad.begin(), m_toLoad.end());
    }
    cache.remove(gone);
    m_nextSeq = m_toLoad.empty() ? 0 : m_toLoad.front();
    if (!m_missing.empty())
        enter(Phase::Building, qint64(m_missing.size()));
    else if (!m_toLoad.empty())
        enter(Phase::Loading, qint64(m_toLoad.size()));
    else
        enter(Phase::Searching, 0);
}

void SearchRun::build(int budgetMs)
{
    SearchData& data = m_engine.m_data;
    const bool stored = !m_engine.m_memoryOnly;
    struct Built {
        qint64 id;
        qint64 seq;
        QByteArray text;
    };
    std::vector<Built> built;
    {
        // One transaction a step: what is built stays built when the search is stopped.
        std::optional<store::Transaction> t;
        if (stored) {
            t.emplace(m_engine.database());
            if (!t->begun()) {
                // A base that holds search data but may not be written (a
                // read-only file): what it lacks is built in memory instead.
                qCInfo(lcSearch) << t->begun().message();
                m_engine.m_memoryOnly = true;
                return enter(Phase::Checking, 0);
            }
        }
        qint64 i = m_done;
        while (i < qint64(m_missing.size())) {
            const qint64 id = m_missing[size_t(i)];
            auto body = data.body(id);
            if (!body)
                return fail(body.error());
            Built b{id, 0, searchTextOf(*body)};
            if (stored) {
                auto seq = data.write(id, b.text);
                if (!seq)
                    return fail(seq.error());
                b.seq = *seq;
            }
            built.push_back(std::move(b));
            ++i;
            if (overBudget(budgetMs))
                break;
        }
        if (t) {
            if (auto r = t->commit(); !r)
                return fail(r.error());
        }
        m_done = i;
    }
    for (const Built& b : built)
        m_engine.m_cache.put(b.id, b.seq, QByteArrayView(b.text));
    if (m_done >= qint64(m_missing.size())) {
        m_missing.clear();
        if (!m_toLoad.empty())
            enter(Phase::Loading, qint64(m_toLoad.size()));
        else
            enter(Phase::Searching, 0);
    }
}

void SearchRun::load(int budgetMs)
{
    SearchData& data = m_engine.m_data;
    SearchCache& cache = m_engine.m_cache;
    const size_t count = m_toLoad.size();
    while (size_t(m_done) < count && !overBudget(budgetMs)) {
        if (count <= PointReads) {
            auto read = data.readText(m_toLoad[size_t(m_done)], [&](qint64 id, const char* p, qsizetype n) {
                cache.put(id, m_toLoad[size_t(m_done)], QByteArrayView(p, n));
            });
            if (!read)
                return fail(read.error());
            ++m_done;
            continue;
        }
        // Many texts (the first search after opening): read them in Seq order,
        // which is the order they were written in the file.
        auto last = data.readTexts(m_nextSeq, TextsPerRead, [&](qint64 seq, qint64 id, const char* p, qsizetype n) {
            while (size_t(m_done) < count && m_toLoad[size_t(m_done)] < seq)
                ++m_done;  // gone since the check
            if (size_t(m_done) < count && m_toLoad[size_t(m_done)] == seq) {
                cache.put(id, seq, QByteArrayView(p, n));
                ++m_done;
            }
        });
        if (!last)
            return fail(last.error());
        if (*last < m_nextSeq) {
            m_done = qint64(count);  // no more texts
            break;
        }
        m_nextSeq = *last + 1;
    }
    if (size_t(m_done) >= count) {
        m_toLoad.clear();
        enter(Phase::Searching, 0);
    }
}

void SearchRun::scan(int budgetMs)
{
    SearchData& data = m_engine.m_data;
    SearchCache& cache = m_engine.m_cache;
    // Taken afresh every step: removals may have changed the copy in between.
    const std::vector<SearchCache::Entry>& entries = cache.entries();
    auto e = std::lower_bound(entries.begin(), entries.end(), m_lastId + 1,
                              [](const SearchCache::Entry& x, qint64 v) { return x.id < v; });
    std::optional<store::Error> failed;
    while (!overBudget(budgetMs)) {
        const qint64 before = m_lastId;
        auto last = data.readRows(m_lastId, RowsPerRead, [&](const RowReader& row) {
            const qint64 id = row.id();
            ++m_done;
            while (e != entries.end() && e->id < id)
                ++e;
            if (e == entries.end() || e->id != id || row.isFolderRecord())
                return;
            bool hit;
            if (e->seq == SearchCache::Stale) {
                // Written while this search ran: Body decides, never the old text.
                auto body = data.body(id);
                if (!body) {
                    failed = body.error();
                    return;
                }
                const QByteArray text = searchTextOf(*body);
                hit = m_terms.matches(text.constData(), text.size());
            } else {
                hit = m_terms.matches(e->text, e->size);
            }
            if (hit)
                m_hits.push_back(Hit{id, row.name(), row.path(), row.kind(), row.deleted()});
        });
        if (!last)
            return fail(last.error());
        if (failed)
            return fail(*failed);
        m_lastId = *last;
        if (m_lastId == before) {
            m_phase = Phase::Done;
            return;
        }
    }
}

}  // namespace search
