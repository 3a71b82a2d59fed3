#pragma once
// The article pane as an editor: the edit bar's commands on the selection, the
// bar following the selection, and the store of every change into `Body` of the
// shown article's row. There is no Save: a change is written before the event
// loop takes the next turn, and every way of leaving the article writes what is
// pending first. Only the user's changes are written; an article that is opened
// and left untouched is never rewritten.
#include "EditBar.h"
#include "store/Result.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QTextDocument;
class QWidget;

namespace catalogue {
struct MainState;
}
namespace dialogs {
class CdlgEx;
}
namespace platform {
class Prompter;
}

namespace articles {

class ArticlePane;

struct EditorWidgets {
    ArticlePane* rtf = nullptr;  // `RTF`
    EditBar* bar = nullptr;      // `CBEdit`
    QWidget* owner = nullptr;    // `hOwner` of the colour dialog
    // A fresh common-dialog object for each colour choice.
    std::function<std::unique_ptr<dialogs::CdlgEx>()> newDialog;
    // Tells the user of a failure (critical).
    std::function<void(const QString& message)> warn;
    // The shown article's row is gone: the window leaves the article.
    std::function<void()> closeArticle;
    // Asks before the first change of an article that holds what a write would drop.
    platform::Prompter* prompter = nullptr;
};

class RichTextEditor : public QObject {
    Q_OBJECT
public:
    RichTextEditor(catalogue::MainState& state, EditorWidgets widgets, QObject* parent = nullptr);

    // OpenEntry put an article into the pane (displayedId names its row).
    void articleShown(const QString& name);

    // `RTF_Change`: the bar follows, and the change is stored within this turn
    // of the event loop.
    void rtfChange();
    // The bar shows the selection's format.
    void syncEditBar();
    // `TBEdit_ButtonClick`.
    void buttonClick(EditButton button);
    // The font boxes (a list choice or Enter).
    void applyFont(const QString& text);
    void applySize(const QString& text);
    // "copy", "cut", "paste" (also Edit > Копировать).
    void copy();
    void cut();
    void paste();

    // Stores the pending change now. Ok when nothing was pending.
    store::Result<void> flush();
    bool hasPending() const { return m_pending; }
    // Rows were removed: the pane's RecordNumber is brought up to date, or the
    // article is left when its own row is among them.
    void rowsRemoved(const std::vector<qint64>& ids);

    // A font size the boxes accept: a number from 1 to 1638 points (what RTF's
    // half-points can hold), rounded to a whole point.
    static std::optional<int> fontSizeOf(const QString& text);

Q_SIGNALS:
    // A change was written into the base.
    void stored();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // An article holding content the writer cannot keep (footnotes, fields…) would
    // lose it on the first store: the user is asked once per opening, before the
    // first change. False when the user declined; the pane is then read-only.
    bool mayChange();
    void watch(QTextDocument* doc);
    void storePending();
    store::Result<void> store();

    catalogue::MainState& m_state;
    EditorWidgets m_w;
    QPointer<QTextDocument> m_doc;
    QString m_name;          // the shown article's title, for messages
    bool m_pending = false;  // a change not yet in the base
    bool m_scheduled = false;
    bool m_failureShown = false;  // one message per run of failed writes
    QStringList m_unkept;         // what a store would drop; emptied once the user agreed
    bool m_undoing = false;       // taking back a change the user declined
};

}  // namespace articles
