#pragma once
// The hits of a search shown in the opened article: every occurrence of a term
// gets a marker colour laid over the text (QTextEdit's extra selections, which
// are no part of the document, so the editor never stores them), and F3 moves
// the cursor to the next one. Occurrences are found as the search found them:
// in the text the pane shows, folded, terms inside words included.
#include "SearchTerms.h"

#include <QObject>
#include <QPointer>
#include <QTextCursor>

#include <vector>

class QTextEdit;

namespace search {

class HitHighlighter : public QObject {
    Q_OBJECT
public:
    explicit HitHighlighter(QTextEdit* pane, QObject* parent = nullptr);

    // Marks the terms' occurrences in the pane's document and shows the first.
    void show(const SearchTerms& terms);
    void clear();
    // F3: the next occurrence (after the last one, the first again).
    void next();

    int count() const { return int(m_hits.size()); }
    int current() const { return m_current; }
    const std::vector<QTextCursor>& hits() const { return m_hits; }

private:
    void apply();

    QPointer<QTextEdit> m_pane;
    std::vector<QTextCursor> m_hits;
    int m_current = -1;
};

}  // namespace search
