#pragma once
// Navigation: turns clicks, double clicks and keys on the catalogue tree, the
// folder list and the main toolbar into changes of the main window's state
// (the folder the list shows, the selected entry, which pane is visible), and
// shows the context menus of the three kinds of location. It decides and
// sequences; listing is listPapka, showing an entry is the OpenEntry hook, and
// the menu commands are hooks that their owners fill in.
#include "Controls.h"
#include "MainState.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>

class QAction;
class QMenu;

namespace catalogue {

class Node;

// Commands that belong to other parts of the program. An empty hook leaves its
// menu item disabled (and its key or button without effect).
struct NavigatorHooks {
    // Shows or launches the entry rsBase stands on (displayedEntry is set).
    std::function<void()> openEntry;
    std::function<void()> addToFavourites;    // MnuItemAddToFavorites
    std::function<void()> properties;         // MnuItemProp, MnuFavProp
    std::function<void()> editLink;           // MnuItemLink, MnuFavLink
    std::function<void()> moveToRecycleBin;   // MnuItemDel
    std::function<void()> restore;            // MnuRecUnDel
    std::function<void()> deleteFromBase;     // MnuRecDel
    std::function<void()> removeFromFavourites;  // MnuFavDel
    // Toolbar commands.
    std::function<void()> add;             // "add": the wizard for a new entry
    std::function<void()> deleteItem;      // "del"
    std::function<void()> extract;         // "extract"
    std::function<void()> seeAlso;         // "see": the see-also pop-up under its button
    std::function<void()> copy;            // "copy"
    std::function<void()> print;           // "print"
    std::function<void()> clearAttachments;  // empties the attachment list
    // Shows a pop-up menu; by default QMenu::popup at the position.
    std::function<void(QMenu* menu, const QPoint& globalPos)> popup;
};

class Navigator : public QObject {
    Q_OBJECT
public:
    // Location kinds of the context menus and of Delete and Enter.
    enum class Location { Ordinary, RecycleBin, Favourites };

    Navigator(MainState& state, NavigatorHooks hooks, QObject* parent = nullptr);
    ~Navigator() override;

    // Connects the state's tree and folder list to the handlers below.
    void connectWidgets();

    // The navigation state the window shows.
    bool articleVisible() const { return m_articleVisible; }
    bool upEnabled() const { return m_upEnabled; }
    bool extractEnabled() const { return m_extractEnabled; }
    bool seeEnabled() const { return m_seeEnabled; }
    int extractPicture() const { return m_extractPicture; }
    const QString& address() const { return m_address; }
    int treeMouseButton() const { return m_treeButton; }

    // For OpenEntry and start-up.
    void setArticleVisible(bool visible);
    void setUpEnabled(bool enabled);
    void setSeeEnabled(bool enabled);
    void setExtract(bool enabled, int picture);

    // The three context menus (never shown in the menu bar).
    QMenu* itemMenu() const { return m_itemMenu; }
    QMenu* recycleMenu() const { return m_recMenu; }
    QMenu* favouritesMenu() const { return m_favMenu; }
    QAction* itemLinkAction() const { return m_itemLink; }
    QAction* favouritesLinkAction() const { return m_favLink; }

    // Handlers.
    void treeMouseDown(Qt::MouseButton button, Node* hit);
    void treeNodeClick(Node* node, const QPoint& globalPos = {});
    void listMouseDown(Qt::MouseButton button, int row);
    void listMouseUp(Qt::MouseButton button, int row, const QPoint& globalPos = {});
    void listDoubleClick();
    void listKeyDown(int key);
    void listColumnClick(int column);  // 0-based
    void toolbarButton(ToolButton button);
    void toolbarMenu(ToolMenuItem item);
    void viewLargeIcons();
    void viewList();
    void viewTable();
    void up();
    // Back to the folder list when an article is shown (its row is gone).
    void leaveArticle();
    // MnuItemOpen_Click: opens the entry selItem names; nothing when it is empty.
    void openSelected();
    // Shows the folder at `path` (a tree path; empty: above the root) in the
    // list, as a click on its node would, with "up" enabled below the root. For
    // going back and forward, and for the location put back at start.
    void showFolder(const QString& path);

    // Which location a path component names.
    static Location locationOf(const QString& component);
    // The context menu of the entry selItem names, as for an item in `where`
    // (also for the index and the search results).
    void showContextMenu(Location where, const QPoint& globalPos);

Q_SIGNALS:
    // Something the window shows changed: panes, toolbar state or the address.
    void navigationChanged();

private:
    QAction* addCommand(QMenu* menu, const QString& caption, const std::function<void()>& command);
    void showFolderPane(int extractPicture);
    void goToFolder(const QString& path, bool withTrailingSeparator);

    MainState& m_state;
    NavigatorHooks m_hooks;
    int m_treeButton = 0;
    bool m_articleVisible = false;
    bool m_upEnabled = false;
    bool m_extractEnabled = false;
    bool m_seeEnabled = false;
    int m_extractPicture = PicExtractNone;
    QString m_address;

    QMenu* m_itemMenu;
    QMenu* m_recMenu;
    QMenu* m_favMenu;
    QAction* m_itemLink = nullptr;
    QAction* m_favLink = nullptr;
};

}  // namespace catalogue
