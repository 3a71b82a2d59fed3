#include "Navigator.h"

#include "FolderList.h"
#include "FolderListing.h"
#include "PathTree.h"
#include "Pictures.h"
#include "Texts.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include <optional>

namespace catalogue {

namespace {

const QChar Sep = QLatin1Char('\\');

// Component i of a path split at "\", or none when the path is shorter.
std::optional<QString> componentOf(const QString& path, qsizetype i)
{
    const QStringList parts = path.split(Sep);
    if (i < 0 || i >= parts.size())
        return std::nullopt;
    return parts[i];
}

}  // namespace

Navigator::Navigator(MainState& state, NavigatorHooks hooks, QObject* parent)
    : QObject(parent), m_state(state), m_hooks(std::move(hooks)), m_itemMenu(new QMenu), m_recMenu(new QMenu),
      m_favMenu(new QMenu)
{
    m_itemMenu->setTitle(texts::menuItemTitle());
    QAction* open = m_itemMenu->addAction(texts::menuOpen());
    connect(open, &QAction::triggered, this, &Navigator::openSelected);
    addCommand(m_itemMenu, texts::menuAddToFavourites(), m_hooks.addToFavourites);
    addCommand(m_itemMenu, texts::menuProperties(), m_hooks.properties);
    m_itemLink = addCommand(m_itemMenu, texts::menuLink(), m_hooks.editLink);
    m_itemLink->setVisible(false);
    m_itemMenu->addSeparator();
    addCommand(m_itemMenu, texts::menuDelete(), m_hooks.moveToRecycleBin);

    m_recMenu->setTitle(texts::menuRecycleTitle());
    addCommand(m_recMenu, texts::menuRestore(), m_hooks.restore);
    addCommand(m_recMenu, texts::menuDeleteFromBase(), m_hooks.deleteFromBase);

    m_favMenu->setTitle(texts::menuFavTitle());
    QAction* favOpen = m_favMenu->addAction(texts::menuOpen());
    connect(favOpen, &QAction::triggered, this, &Navigator::openSelected);
    addCommand(m_favMenu, texts::menuProperties(), m_hooks.properties);
    m_favLink = addCommand(m_favMenu, texts::menuLink(), m_hooks.editLink);
    m_favLink->setVisible(false);
    addCommand(m_favMenu, texts::menuRemoveFromFavourites(), m_hooks.removeFromFavourites);
}

Navigator::~Navigator()
{
    delete m_itemMenu;
    delete m_recMenu;
    delete m_favMenu;
}

QAction* Navigator::addCommand(QMenu* menu, const QString& caption, const std::function<void()>& command)
{
    QAction* a = menu->addAction(caption);
    // A command whose owner has not supplied it stays visible but disabled.
    a->setEnabled(bool(command));
    if (command)
        connect(a, &QAction::triggered, this, [command] { command(); });
    return a;
}

void Navigator::connectWidgets()
{
    if (PathTree* tree = m_state.twv) {
        connect(tree, &PathTree::mousePressed, this,
                [this](Qt::MouseButton b, Qt::KeyboardModifiers, const QPoint&, Node* hit) { treeMouseDown(b, hit); });
        connect(tree, &PathTree::nodeClicked, this, [this](Node* n) { treeNodeClick(n, QCursor::pos()); });
    }
    if (FolderList* list = m_state.lvPapka) {
        connect(list, &FolderList::mousePressed, this,
                [this](Qt::MouseButton b, Qt::KeyboardModifiers, const QPoint&, int row) { listMouseDown(b, row); });
        connect(list, &FolderList::mouseReleased, this,
                [this, list](Qt::MouseButton b, Qt::KeyboardModifiers, const QPoint& pos, int row) {
                    listMouseUp(b, row, list->mapToGlobal(pos));
                });
        connect(list, &FolderList::doubleClicked, this, &Navigator::listDoubleClick);
        connect(list, &FolderList::keyPressed, this, [this](int key, Qt::KeyboardModifiers) { listKeyDown(key); });
        connect(list, &FolderList::columnClicked, this, &Navigator::listColumnClick);
    }
}

Navigator::Location Navigator::locationOf(const QString& component)
{
    const QString lower = component.toLower();
    if (lower == texts::recycleBin().toLower())
        return Location::RecycleBin;
    if (lower == texts::favourites().toLower())
        return Location::Favourites;
    return Location::Ordinary;
}

void Navigator::setArticleVisible(bool visible)
{
    m_articleVisible = visible;
    Q_EMIT navigationChanged();
}

void Navigator::setUpEnabled(bool enabled)
{
    m_upEnabled = enabled;
    Q_EMIT navigationChanged();
}

void Navigator::setSeeEnabled(bool enabled)
{
    m_seeEnabled = enabled;
    Q_EMIT navigationChanged();
}

void Navigator::setExtract(bool enabled, int picture)
{
    m_extractEnabled = enabled;
    m_extractPicture = picture;
    Q_EMIT navigationChanged();
}

void Navigator::showFolderPane(int extractPicture)
{
    // Leaving the article: what was typed into it is stored first.
    m_state.flushPendingEdits();
    m_articleVisible = false;
    if (m_hooks.clearAttachments)
        m_hooks.clearAttachments();
    m_extractEnabled = false;
    m_seeEnabled = false;
    m_extractPicture = extractPicture;
}

void Navigator::showContextMenu(Location where, const QPoint& globalPos)
{
    QMenu* menu = m_recMenu;
    if (where != Location::RecycleBin) {
        // The link item shows only for an entry that has a target.
        const bool positioned = m_state.goToRecord(m_state.selItem);
        const bool hasTarget = positioned && !m_state.rsBase->text(store::ColLinkTarget).isEmpty();
        if (where == Location::Favourites) {
            m_favLink->setVisible(hasTarget);
            menu = m_favMenu;
        } else {
            m_itemLink->setVisible(hasTarget);
            menu = m_itemMenu;
        }
    }
    const QPoint at = globalPos.isNull() ? QCursor::pos() : globalPos;
    if (m_hooks.popup)
        m_hooks.popup(menu, at);
    else
        menu->popup(at);
}

void Navigator::treeMouseDown(Qt::MouseButton button, Node* hit)
{
    if (!hit) {
        m_state.selItem.clear();
        if (m_state.twv)
            m_state.twv->deselectAll();
    }
    m_treeButton = button == Qt::LeftButton ? 1 : button == Qt::RightButton ? 2 : button == Qt::MiddleButton ? 4 : 0;
}

void Navigator::treeNodeClick(Node* node, const QPoint& globalPos)
{
    if (!node)
        return;
    m_state.selItem = node->tag();
    const QString path = node->fullPath();
    if (m_treeButton == 2) {
        if (node->tag().isEmpty())
            return;
        // The folder the node lies in decides the menu.
        const QStringList parts = path.split(Sep);
        const Location where = parts.size() >= 2 ? locationOf(parts[parts.size() - 2]) : Location::Ordinary;
        showContextMenu(where, globalPos);
        return;
    }
    if (!node->tag().isEmpty()) {
        if (!m_state.goToRecord(node->tag()))
            return;
        if (!isFolderRecord(*m_state.rsBase)) {
            if (m_hooks.openEntry)
                m_hooks.openEntry();
            Q_EMIT navigationChanged();
            return;
        }
        // A folder record's node is its folder.
    }
    showFolderPane(PicExtractNone);
    goToFolder(path, true);
}

void Navigator::goToFolder(const QString& path, bool withTrailingSeparator)
{
    m_state.currentFolder = path;
    m_address = texts::addressPrefix() + path + (withTrailingSeparator ? QString(Sep) : QString());
    listPapka(m_state);
    Q_EMIT navigationChanged();
}

void Navigator::listMouseDown(Qt::MouseButton, int row)
{
    if (row < 0) {
        if (m_state.lvPapka)
            m_state.lvPapka->deselectAll();
        return;
    }
    if (m_state.lvPapka)
        m_state.selItem = m_state.lvPapka->items()->tag(row);
}

void Navigator::listMouseUp(Qt::MouseButton button, int row, const QPoint& globalPos)
{
    FolderList* list = m_state.lvPapka;
    if (!list)
        return;
    if (row < 0) {
        list->deselectAll();
        m_state.selItem.clear();
        return;
    }
    if (button != Qt::RightButton)
        return;
    const QString tag = list->selectedTag();
    if (tag.isEmpty())
        return;
    m_state.selItem = tag;
    const QString last = m_state.currentFolder.section(Sep, -1);
    showContextMenu(locationOf(last), globalPos);
}

void Navigator::listDoubleClick()
{
    FolderList* list = m_state.lvPapka;
    if (!list)
        return;
    const int row = list->selectedRow();
    // Nothing selected (an empty folder, or after a click beside the items).
    if (row < 0)
        return;
    const QString tag = list->items()->tag(row);
    m_state.selItem = tag;
    if (!tag.isEmpty()) {
        if (!m_state.goToRecord(tag))
            return;
        if (!isFolderRecord(*m_state.rsBase)) {
            if (m_hooks.openEntry)
                m_hooks.openEntry();
            Q_EMIT navigationChanged();
            return;
        }
        // A folder record is entered like the folder it stands for.
    }
    const QString text = list->items()->text(row);
    const QString path = m_state.currentFolder.isEmpty() ? text
                         : text.isEmpty()                ? m_state.currentFolder
                                                         : m_state.currentFolder + Sep + text;
    m_upEnabled = true;
    goToFolder(path, true);
}

void Navigator::listKeyDown(int key)
{
    FolderList* list = m_state.lvPapka;
    if (!list)
        return;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (key != Qt::Key_Delete && !enter)
        return;
    const int row = list->selectedRow();
    if (row < 0)
        return;
    const Location where = locationOf(componentOf(m_state.currentFolder, 1).value_or(QString()));
    const QString tag = list->items()->tag(row);
    if (key == Qt::Key_Delete) {
        m_state.selItem = tag;
        const auto& command = where == Location::RecycleBin   ? m_hooks.deleteFromBase
                              : where == Location::Favourites ? m_hooks.removeFromFavourites
                                                              : m_hooks.moveToRecycleBin;
        if (command)
            command();
        return;
    }
    // Enter opens entries in ordinary folders only; a folder item is opened by
    // the window's key bindings, as a double click opens it.
    if (where != Location::Ordinary)
        return;
    m_state.selItem = tag;
    openSelected();
}

void Navigator::listColumnClick(int column)
{
    FolderList* list = m_state.lvPapka;
    if (!list)
        return;
    list->setSorted(false);
    if (column == list->sortKey())
        list->setSortOrder(list->sortOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
    else
        list->setSortKey(column);
    list->setSorted(true);
}

void Navigator::toolbarButton(ToolButton button)
{
    auto run = [](const std::function<void()>& f) {
        if (f)
            f();
    };
    switch (button) {
    case ToolButton::Add: run(m_hooks.add); break;
    case ToolButton::Del: run(m_hooks.deleteItem); break;
    case ToolButton::Extract: run(m_hooks.extract); break;
    case ToolButton::See: run(m_hooks.seeAlso); break;
    case ToolButton::Up: up(); break;
    case ToolButton::Copy: run(m_hooks.copy); break;
    case ToolButton::Style: viewLargeIcons(); break;
    case ToolButton::Print: run(m_hooks.print); break;
    }
}

void Navigator::toolbarMenu(ToolMenuItem item)
{
    switch (item) {
    case ToolMenuItem::Big: viewLargeIcons(); break;
    case ToolMenuItem::Small: viewList(); break;
    case ToolMenuItem::Report: viewTable(); break;
    }
}

void Navigator::viewLargeIcons()
{
    if (m_state.lvPapka)
        m_state.lvPapka->setViewMode(ViewMode::LargeIcons);
}

void Navigator::viewList()
{
    if (m_state.lvPapka)
        m_state.lvPapka->setViewMode(ViewMode::List);
}

void Navigator::viewTable()
{
    if (m_state.lvPapka)
        m_state.lvPapka->setViewMode(ViewMode::Report);
}

void Navigator::leaveArticle()
{
    if (!m_articleVisible)
        return;
    showFolderPane(PicExtractLeft);
    m_address = texts::addressPrefix() + m_state.currentFolder + Sep;
    if (m_state.currentFolder.isEmpty()) {
        m_upEnabled = false;
        m_address = texts::addressPrefix();
    }
    Q_EMIT navigationChanged();
}

void Navigator::up()
{
    QString& path = m_state.currentFolder;
    if (m_articleVisible) {
        // Back to the list, which still shows the folder it showed.
        showFolderPane(PicExtractLeft);
        m_address = texts::addressPrefix() + path + Sep;
        if (path.isEmpty()) {
            m_upEnabled = false;
            m_address = texts::addressPrefix();
        }
        Q_EMIT navigationChanged();
        return;
    }
    const QStringList parts = path.split(Sep);
    if (parts.size() < 2) {
        path.clear();
        m_upEnabled = false;
    } else {
        path = parts.mid(0, parts.size() - 1).join(Sep);
    }
    goToFolder(path, false);
}

void Navigator::openSelected()
{
    if (m_state.selItem.isEmpty())
        return;
    if (!m_state.goToRecord(m_state.selItem))
        return;
    if (isFolderRecord(*m_state.rsBase))
        return;
    if (m_hooks.openEntry)
        m_hooks.openEntry();
    Q_EMIT navigationChanged();
}

void Navigator::showFolder(const QString& path)
{
    showFolderPane(PicExtractNone);
    // Up leads somewhere only below the top: the root shows with it disabled,
    // as at the start.
    m_upEnabled = path.contains(Sep);
    goToFolder(path, !path.isEmpty());
}

}  // namespace catalogue
