#pragma once
// `OpenEntry`: turns the entry on which RsBase stands into what the user sees
// (an article in the pane, its attached files, its see-also menu) or runs (a
// link or program handed to the desktop). Also follows a see-also reference.
#include "catalogue/Controls.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QLineEdit;
class QListWidget;
class QMenu;
class QTextEdit;

namespace catalogue {
struct MainState;
}
namespace platform {
class DesktopShell;
}

namespace articles {

// The window elements OpenEntry sets; the main window owns them.
struct ArticleWidgets {
    QTextEdit* rtf = nullptr;          // `RTF`
    QListWidget* lstFile = nullptr;    // `LstFile`
    QLineEdit* address = nullptr;      // `txtAddress`
    QAction* mnuEditExtract = nullptr; // `MnuEditExtract`
    // `MnuSee`: holds the action "MnuSeeItem" (element 0) and the separator "MnuSeeLine1".
    QMenu* mnuSee = nullptr;
    // A toolbar button's enabled state and picture (PicKeep leaves the picture).
    std::function<void(catalogue::ToolButton button, bool enabled, int picture)> setToolbarButton;
    std::function<void(catalogue::StatusPanel panel, const QString& text)> setStatusPanel;
    // Hides the folder list and shows the article pane.
    std::function<void()> showArticlePane;
    // The main window's layout pass.
    std::function<void()> relayout;
    // Tells the user of a failure (a link the desktop refused).
    std::function<void(const QString& message)> warn;
};

class ArticleView : public QObject {
    Q_OBJECT
public:
    ArticleView(catalogue::MainState& state, ArticleWidgets widgets, platform::DesktopShell& desktop,
                QObject* parent = nullptr);

    // `OpenEntry`: RsBase stands on the entry and SelItem holds its RecordNumber.
    // True when it showed an article, which then owns the pane (displayedEntry
    // and displayedId); a link or program launched, or a folder record, leaves
    // the pane's row as it was.
    bool openEntry();
    // `MnuSeeItem_Click`: opens the first row whose Path\Name equals the reference,
    // without regard to letter case; nothing when none does. True when an
    // entry was found (and opened or launched).
    bool followSeeAlso(const QString& reference);
    // A see-also item chosen: followSeeAlso, or a message when the entry is gone.
    void seeAlsoChosen(const QString& reference);

    // "copy": the clipboard is emptied, then given the pane's selection as rich
    // text and as plain text.
    void copySelection();

    // The see-also items in menu order (element 0 first), visible or not.
    const QList<QAction*>& seeAlsoItems() const { return m_seeItems; }

Q_SIGNALS:
    // An article (not a link) was put into the pane.
    void articleShown(const QString& name);

private:
    void fillAttachments(const QString& fileList);
    void fillSeeAlso(const QString& seeAlso);

    catalogue::MainState& m_state;
    ArticleWidgets m_w;
    platform::DesktopShell& m_desktop;
    QList<QAction*> m_seeItems;
    QAction* m_seeLine = nullptr;
};

}  // namespace articles
