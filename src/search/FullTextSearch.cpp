#include "FullTextSearch.h"

#include "FindList.h"
#include "HitHighlighter.h"
#include "SearchTexts.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <QTimer>

#include <ctime>

namespace search {

FullTextSearch::FullTextSearch(catalogue::MainState& state, SearchWidgets widgets, QObject* parent)
    : QObject(parent), m_state(state), m_w(std::move(widgets)), m_hits(new HitHighlighter(m_w.pane, this)),
      m_steps(new QTimer(this)), m_warmSteps(new QTimer(this))
{
    m_warmSteps->setSingleShot(true);
    m_warmSteps->setInterval(0);
    connect(m_warmSteps, &QTimer::timeout, this, [this] {
        // Short steps: nobody waits for these.
        if (m_warm && !m_warm->step(StepMs / 2))
            m_warmSteps->start();
        else
            m_warm.reset();
    });
    // The next step waits for the events that came in meanwhile.
    m_steps->setSingleShot(true);
    m_steps->setInterval(0);
    connect(m_steps, &QTimer::timeout, this, &FullTextSearch::continueRun);
    if (m_w.box)
        m_w.box->installEventFilter(this);
    if (m_w.button)
        connect(m_w.button, &QPushButton::clicked, this, &FullTextSearch::find);
    if (FindList* list = m_w.list) {
        list->installEventFilter(this);
        connect(list, &FindList::mousePressed, this,
                [this](Qt::MouseButton b, const QPoint&, int row) { mouseDown(b, row); });
        connect(list, &FindList::mouseReleased, this, [this, list](Qt::MouseButton b, const QPoint& pos, int row) {
            mouseUp(b, row, list->viewport()->mapToGlobal(pos));
        });
        connect(list, &FindList::columnClicked, this, &FullTextSearch::columnClick);
    }
    if (QWidget* window = m_w.box ? m_w.box->window() : m_w.pane ? m_w.pane->window() : nullptr) {
        // Escape stops a search from wherever the focus is; only while one runs.
        m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
        m_escape->setContext(Qt::WindowShortcut);
        m_escape->setEnabled(false);
        connect(m_escape, &QShortcut::activated, this, &FullTextSearch::stop);
        m_nextHit = new QShortcut(QKeySequence(Qt::Key_F3), window);
        m_nextHit->setContext(Qt::WindowShortcut);
        connect(m_nextHit, &QShortcut::activated, m_hits, &HitHighlighter::next);
    }
    if (m_w.progress)
        m_w.progress->hide();
    m_state.onRowsRemoved([this](const std::vector<qint64>& ids) {
        flushFound();
        if (m_w.list)
            m_w.list->items()->removeIds(ids);
    });
    m_state.onBaseAdopted([this](const std::shared_ptr<store::Database>& db) { baseAdopted(db); });
    if (m_state.base)
        baseAdopted(m_state.base);
}

FullTextSearch::~FullTextSearch() = default;

void FullTextSearch::baseAdopted(const std::shared_ptr<store::Database>& db)
{
    if (m_run)
        end(true);
    m_warmSteps->stop();
    m_warm.reset();
    m_engine.reset();
    if (m_w.list)
        m_w.list->items()->clear();  // their Ids name rows of the other base
    if (db && db->isOpen())
        m_engine = std::make_unique<SearchEngine>(db);
}

bool FullTextSearch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == m_w.box) {
        if (enter || key == Qt::Key_Escape) {
            keyDown(key);
            return key != Qt::Key_Escape || running();
        }
        // Down goes from the box to the results, the first one selected.
        if (key == Qt::Key_Down && m_w.list && m_w.list->items()->count() > 0) {
            if (m_w.list->selectedRow() < 0)
                m_w.list->selectRow(0);
            m_w.list->setFocus(Qt::TabFocusReason);
            return true;
        }
    } else if (watched == m_w.list && enter) {
        // Enter on a result opens it, as a left click does.
        if (const int row = m_w.list->selectedRow(); row >= 0) {
            mouseUp(Qt::LeftButton, row);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FullTextSearch::keyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        find();
    else if (key == Qt::Key_Escape)
        stop();
}

void FullTextSearch::find()
{
    // Texts are read from the base: what was typed into the article goes there first.
    m_state.flushPendingEdits();
    // A search that still runs ends here; its list goes with it. What a warm-up
    // read stays read.
    m_warmSteps->stop();
    m_warm.reset();
    if (m_run) {
        m_steps->stop();
        m_run.reset();
    }
    m_found.clear();
    m_lastFlush.start();
    m_highlightNext = false;
    if (m_w.list) {
        m_w.list->items()->clear();
        // The new results come in table order.
        m_w.list->items()->setSorted(false);
    }
    const QString text = m_w.box ? m_w.box->text() : QString();
    if (!m_engine) {
        m_terms = parseTerms(text);
        end(false);
        return;
    }
    m_run = std::make_unique<SearchRun>(*m_engine, text);
    m_terms = m_run->terms();
    if (m_run->finished()) {
        end(false);
        return;
    }
    m_shownPhase = SearchRun::Phase::Done;
    m_started.start();
    m_workNs = 0;
    m_stepCount = 0;
    m_cpuAtStart = long(std::clock());
    if (m_escape)
        m_escape->setEnabled(true);
    if (m_w.progress) {
        m_w.progress->setRange(0, 0);
        m_w.progress->setValue(0);
        m_w.progress->show();
        m_w.progress->raise();
    }
    continueRun();
}

void FullTextSearch::continueRun()
{
    if (!m_run)
        return;
    QElapsedTimer work;
    work.start();
    ++m_stepCount;
    const bool done = m_run->step(StepMs);
    for (Hit& h : m_run->takeHits()) {
        // Rows the catalogue does not hold yet (written elsewhere since it was
        // loaded) cannot be opened from it.
        const qint64 n = m_state.rsBase ? m_state.rsBase->recordNumberOfId(h.id) : 0;
        if (n > 0)
            m_found.push_back(FindItem{h.id, QString::number(n), std::move(h.name), std::move(h.path), h.kind, h.deleted});
    }
    // The first screenful at once, then a few times a second: every insertion
    // makes the list lay itself out again.
    if (m_w.list && !m_found.empty() && (m_w.list->items()->count() < 100 || m_lastFlush.elapsed() >= 300))
        flushFound();
    m_workNs += work.nsecsElapsed();
    if (done) {
        end(false);
        return;
    }
    showProgress();
    m_steps->start();
}

void FullTextSearch::flushFound()
{
    m_lastFlush.start();
    if (m_w.list && !m_found.empty())
        m_w.list->items()->append(std::move(m_found));
    m_found.clear();
}

void FullTextSearch::showProgress()
{
    const SearchRun::Phase phase = m_run->phase();
    if (phase != m_shownPhase) {
        m_shownPhase = phase;
        if (m_w.setStatus)
            m_w.setStatus(phase == SearchRun::Phase::Building ? texts::preparing() : texts::searching());
    }
    if (!m_w.progress)
        return;
    // While the search reads the rows: their number, as the record count.
    const qint64 total = std::max<qint64>(m_run->total(), 1);
    const qint64 scale = std::max<qint64>(1, total / 1000000);  // the bar counts in int
    m_w.progress->setRange(0, int(total / scale));
    m_w.progress->setValue(int(std::min(m_run->done(), total) / scale));
}

void FullTextSearch::end(bool stopped)
{
    m_steps->stop();
    flushFound();
    if (m_escape)
        m_escape->setEnabled(false);
    const store::Result<void> outcome = m_run ? m_run->outcome() : store::Result<void>();
    if (m_run)
        qCDebug(lcSearch) << (stopped ? "stopped after" : "done after") << m_started.elapsed() << "ms,"
                          << (m_w.list ? m_w.list->items()->count() : 0) << "listed," << m_stepCount << "steps taking"
                          << m_workNs / 1000000 << "ms, processor time"
                          << (long(std::clock()) - m_cpuAtStart) * 1000 / CLOCKS_PER_SEC << "ms";
    m_run.reset();
    if (m_w.progress)
        m_w.progress->hide();
    if (stopped && m_w.setStatus)
        m_w.setStatus(texts::stopped());
    else if (m_w.setStatusReady)
        m_w.setStatusReady();
    if (!outcome && m_w.warn)
        m_w.warn(texts::searchFailed(outcome.message()));
    Q_EMIT finished();
}

void FullTextSearch::stop()
{
    if (m_run)
        end(true);
}

void FullTextSearch::warmUp()
{
    if (!m_engine || m_run || m_warm)
        return;
    m_warm = SearchRun::warmUp(*m_engine);
    m_warmSteps->start();
}

void FullTextSearch::mouseDown(Qt::MouseButton, int row)
{
    if (row < 0 && m_w.list)
        m_w.list->deselectAll();
}

void FullTextSearch::mouseUp(Qt::MouseButton button, int row, const QPoint& globalPos)
{
    FindList* list = m_w.list;
    if (!list)
        return;
    if (row < 0) {
        m_state.selItem.clear();
        list->deselectAll();
        return;
    }
    const int selected = list->selectedRow();
    if (selected < 0)
        return;
    const FindItem item = list->items()->item(selected);
    // The row is found by its Id: removals since the search moved RecordNumbers.
    store::Recordset* rs = m_state.rsBase.get();
    if (!rs || !rs->moveToId(item.id))
        return;
    m_state.selItem = QString::number(rs->recordNumber());
    if (button == Qt::LeftButton) {
        // A link or program is launched and the pane keeps the row it showed.
        m_highlightNext = true;
        if (m_w.openEntry)
            m_w.openEntry();
        m_highlightNext = false;
        if (m_w.showArticlePane)
            m_w.showArticlePane();
        if (m_w.enableUp)
            m_w.enableUp();
        return;
    }
    if (m_w.showItemMenu)
        m_w.showItemMenu(item.deleted, globalPos);
}

void FullTextSearch::columnClick(int column)
{
    if (!m_w.list)
        return;
    FindResultsModel* items = m_w.list->items();
    if (column == items->sortKey())
        items->setSortOrder(items->sortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
    else
        items->setSortKey(column);
    items->setSorted(true);
}

void FullTextSearch::articleShown()
{
    if (m_highlightNext)
        m_hits->show(m_terms);
    else
        m_hits->clear();
}

}  // namespace search
