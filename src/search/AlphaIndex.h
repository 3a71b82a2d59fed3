#pragma once
// The alphabetical index's handlers: typing into `TxtAlphaText` marks the titles
// that begin with the text (bold, dark blue) and scrolls to the first; a left
// click on a title opens the entry, a right click offers its menu.
//
// The titles are sorted by their folded text, so the titles that begin with the
// typed text are one run of rows: it is found by binary search, and a keystroke
// changes only the rows that leave or join it.
#include "catalogue/MainState.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <utility>

class QLineEdit;

namespace catalogue {
class AlphaIndexList;
class AlphaIndexModel;
}  // namespace catalogue

namespace search {

// The window elements and commands the index works with.
struct AlphaIndexWidgets {
    QLineEdit* box = nullptr;                   // `TxtAlphaText`
    catalogue::AlphaIndexList* list = nullptr;  // `LstAlphaList`
    // OpenEntry on the row rsBase stands on; true when it showed an article.
    std::function<bool()> openEntry;
    // Hides the folder list and shows the article pane; enables "up".
    std::function<void()> showArticlePane;
    std::function<void()> enableUp;
    // The context menu of an ordinary entry (SelItem names it) at a screen point.
    std::function<void(const QPoint& globalPos)> showItemMenu;
};

// Rows [first, last) of the titles that begin with prefix, letter case ignored;
// an empty run where they would stand when none does.
std::pair<int, int> prefixRun(const catalogue::AlphaIndexModel& titles, const QString& prefix);

class AlphaIndex : public QObject {
    Q_OBJECT
public:
    AlphaIndex(catalogue::MainState& state, AlphaIndexWidgets widgets, QObject* parent = nullptr);

    // `TxtAlphaText_Change`.
    void textChanged();
    // `LstAlphaList_MouseDown` and `_MouseUp`; row -1 is beside the titles.
    void mouseDown(Qt::MouseButton button, int row);
    void mouseUp(Qt::MouseButton button, int row, const QPoint& globalPos = {});

    // The marked run of rows.
    std::pair<int, int> marked() const { return {m_first, m_last}; }

protected:
    // The keyboard's way to the same titles: Enter in the box opens the first
    // marked title and Down goes to it in the list; Enter in the list opens the
    // selected title, as a left click does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Marks the run for the box's text; scroll brings its first title into view.
    void mark(bool scroll);

    catalogue::MainState& m_state;
    AlphaIndexWidgets m_w;
    int m_first = 0;
    int m_last = 0;
};

}  // namespace search
