#pragma once
// The "Поиск" page's handlers: `CmdFind_Click`, `TxtFind_KeyDown`,
// `SearchArticles` and the result list `LVFind`. A search runs in short steps
// between the window's events, shows its progress in the status bar, and stops
// at Escape or when another search starts; its results are listed as they are
// found. Opening a result shows the article with the hits marked; F3 moves to
// the next hit.
#include "FindResultsModel.h"
#include "SearchEngine.h"
#include "catalogue/MainState.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>

class QLineEdit;
class QProgressBar;
class QPushButton;
class QShortcut;
class QTextEdit;
class QTimer;

namespace search {

class FindList;
class HitHighlighter;

// The window elements and commands the search works with.
struct SearchWidgets {
    QLineEdit* box = nullptr;         // `TxtFind`
    QPushButton* button = nullptr;    // `CmdFind`
    FindList* list = nullptr;         // `LVFind`
    QProgressBar* progress = nullptr; // `PrProgress`, placed over status panel 2 by the layout
    QTextEdit* pane = nullptr;        // `RTF`, where the hits are shown
    // Status panel 1: a text while the search runs, the window's "ready" text after.
    std::function<void(const QString& text)> setStatus;
    std::function<void()> setStatusReady;
    // OpenEntry on the row rsBase stands on; true when it showed an article.
    std::function<bool()> openEntry;
    std::function<void()> showArticlePane;
    std::function<void()> enableUp;
    // The context menu of an entry (SelItem names it): the bin's for a row in the bin.
    std::function<void(bool inRecycleBin, const QPoint& globalPos)> showItemMenu;
    // A failure the user must learn of.
    std::function<void(const QString& message)> warn;
};

class FullTextSearch : public QObject {
    Q_OBJECT
public:
    // Length of one step of a running search: the window answers within it.
    static constexpr int StepMs = 25;

    FullTextSearch(catalogue::MainState& state, SearchWidgets widgets, QObject* parent = nullptr);
    ~FullTextSearch() override;

    // The base became the open one: the search keeps its data in step from now on.
    void baseAdopted(const std::shared_ptr<store::Database>& db);
    SearchEngine* engine() const { return m_engine.get(); }

    // `CmdFind_Click`: empties the list and searches for the box's terms.
    void find();
    // `TxtFind_KeyDown`: Enter searches, Escape stops.
    void keyDown(int key);
    // Stops a running search; what was found stays listed.
    void stop();
    // The search page was shown: the stored texts are read into memory between
    // events from now on, so that the first search need not wait for them.
    void warmUp();
    bool running() const { return bool(m_run); }

    // `LVFind_MouseDown`, `LVFind_MouseUp`, `LVFind_ColumnClick`.
    void mouseDown(Qt::MouseButton button, int row);
    void mouseUp(Qt::MouseButton button, int row, const QPoint& globalPos = {});
    void columnClick(int column);

    // OpenEntry put an article into the pane: its hits are marked when a result
    // of this search opened it, and any earlier marks go otherwise.
    void articleShown();
    HitHighlighter& hits() const { return *m_hits; }

Q_SIGNALS:
    // A search ended (finished or stopped).
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void continueRun();
    // Hands the results found so far to the list.
    void flushFound();
    void showProgress();
    void end(bool stopped);

    catalogue::MainState& m_state;
    SearchWidgets m_w;
    std::unique_ptr<SearchEngine> m_engine;
    std::unique_ptr<SearchRun> m_run;
    std::unique_ptr<SearchRun> m_warm;
    SearchTerms m_terms;           // of the last search, for the hits
    bool m_highlightNext = false;  // the next article shown is a result being opened
    HitHighlighter* m_hits;
    QShortcut* m_escape = nullptr;
    QShortcut* m_nextHit = nullptr;
    QTimer* m_steps;
    QTimer* m_warmSteps;
    SearchRun::Phase m_shownPhase = SearchRun::Phase::Done;
    QElapsedTimer m_started;
    QElapsedTimer m_lastFlush;
    std::vector<FindItem> m_found;  // found, not listed yet
    qint64 m_workNs = 0;  // spent in the search's own steps
    long m_cpuAtStart = 0;
    int m_stepCount = 0;
};

}  // namespace search
