#include "WindowState.h"

#include "FrmMain.h"
#include "MainLayout.h"
#include "NavigationBinding.h"

#include "catalogue/FolderList.h"
#include "catalogue/Navigator.h"
#include "catalogue/PathTree.h"
#include "store/AppFiles.h"
#include "store/Recordset.h"

#include <QAction>
#include <QSettings>

#include <algorithm>

namespace shell {

namespace {

// Keys below the settings' top level; "Common" belongs to the shutdown record.
const QString Geometry = QStringLiteral("Window/Geometry");
const QString Divider = QStringLiteral("Window/Divider");
const QString FilesPane = QStringLiteral("Window/FilesPane");
const QString ContentsShown = QStringLiteral("Window/ContentsShown");
const QString FilesShown = QStringLiteral("Window/FilesShown");
const QString ListView = QStringLiteral("List/View");
const QString SortKey = QStringLiteral("List/SortKey");
const QString SortOrder = QStringLiteral("List/SortOrder");
const QString Sorted = QStringLiteral("List/Sorted");
const QString Expanded = QStringLiteral("Tree/Expanded");
const QString LastBase = QStringLiteral("Last/Base");
const QString LastFolder = QStringLiteral("Last/Folder");
const QString LastEntry = QStringLiteral("Last/EntryId");

QSettings settings()
{
    return QSettings(QString::fromLatin1(store::SettingsOrganisation), QString::fromLatin1(store::SettingsApplication));
}

}  // namespace

void WindowState::save(FrmMain& w)
{
    QSettings s = settings();
    s.setValue(Geometry, w.saveGeometry());
    const SplitterWishes wishes = w.mainLayout().splitterWishes();
    s.setValue(Divider, wishes.dividerLeft);
    s.setValue(FilesPane, wishes.filesPaneHeight);
    s.setValue(ContentsShown, w.MnuViewContent->isChecked());
    s.setValue(FilesShown, w.MnuViewFile->isChecked());

    s.setValue(ListView, int(w.LvPapka->viewMode()));
    s.setValue(SortKey, w.LvPapka->sortKey());
    s.setValue(SortOrder, int(w.LvPapka->sortOrder()));
    s.setValue(Sorted, w.LvPapka->isSorted());

    // Only the open branches: a tree of thousands of folders keeps a few paths.
    QStringList open;
    w.Twv->nodes()->forEachNode([&open](catalogue::Node* n) {
        if (n->isExpanded() && n->childCount() > 0)
            open << n->fullPath();
    });
    s.setValue(Expanded, open);

    catalogue::MainState& state = w.state();
    s.setValue(LastBase, store::AppFiles(state.appDir).basePath());
    s.setValue(LastFolder, state.currentFolder);
    const bool article = w.navigation().navigator().articleVisible();
    s.setValue(LastEntry, article ? state.displayedId : qint64(0));
    s.sync();
}

bool WindowState::restoreGeometry(FrmMain& w)
{
    QSettings s = settings();
    return s.contains(Geometry) && w.restoreGeometry(s.value(Geometry).toByteArray());
}

void WindowState::restoreLayout(FrmMain& w)
{
    QSettings s = settings();
    MainLayout& layout = w.mainLayout();
    // A panel hidden last time is hidden by its own command, which lays out.
    if (s.contains(ContentsShown) && s.value(ContentsShown).toBool() != w.MnuViewContent->isChecked())
        layout.mnuViewContentClick();
    if (s.contains(FilesShown) && s.value(FilesShown).toBool() != w.MnuViewFile->isChecked())
        layout.mnuViewFileClick();
    if (s.contains(Divider)) {
        SplitterWishes wishes = layout.splitterWishes();
        wishes.dividerLeft = s.value(Divider).toInt();
        wishes.filesPaneHeight = std::max(0, s.value(FilesPane, wishes.filesPaneHeight).toInt());
        layout.setSplitterWishes(wishes);
    }

    if (s.contains(ListView)) {
        const int mode = s.value(ListView).toInt();
        if (mode >= int(catalogue::ViewMode::LargeIcons) && mode <= int(catalogue::ViewMode::Report))
            w.LvPapka->setViewMode(catalogue::ViewMode(mode));
    }
    if (s.contains(SortKey)) {
        w.LvPapka->setSorted(false);
        w.LvPapka->setSortKey(std::max(0, s.value(SortKey).toInt()));
        const bool descending = s.value(SortOrder).toInt() == Qt::DescendingOrder;
        w.LvPapka->setSortOrder(descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        w.LvPapka->setSorted(s.value(Sorted).toBool());
    }

    if (s.contains(Expanded)) {
        catalogue::PathTreeModel& tree = *w.Twv->nodes();
        std::vector<catalogue::Node*> wasOpen;
        tree.forEachNode([&wasOpen](catalogue::Node* n) {
            if (n->isExpanded())
                wasOpen.push_back(n);
        });
        for (catalogue::Node* n : wasOpen)
            tree.setExpanded(n, false);
        for (const QString& path : s.value(Expanded).toStringList())
            if (catalogue::Node* n = tree.getNode(path))
                tree.setExpanded(n, true);
    }
}

bool WindowState::restoreLocation(FrmMain& w)
{
    QSettings s = settings();
    catalogue::MainState& state = w.state();
    // Positions and Ids belong to one base.
    if (s.value(LastBase).toString() != store::AppFiles(state.appDir).basePath() || !state.rsBase)
        return false;
    catalogue::Navigator& nav = w.navigation().navigator();
    bool shown = false;
    const QString folder = s.value(LastFolder).toString();
    if (catalogue::Node* node = folder.isEmpty() ? nullptr : w.Twv->getNode(folder)) {
        w.Twv->selectNode(node);
        nav.showFolder(node->fullPath());
        shown = true;
    }
    if (const qint64 id = s.value(LastEntry).toLongLong(); id > 0) {
        // Only an article comes back: an entry made a program or a link since
        // would otherwise start or open by itself at every start.
        const qint64 number = state.rsBase->recordNumberOfId(id);
        if (number > 0 && state.goToRecord(QString::number(number)) &&
            state.rsBase->text(store::ColLinkTarget).isEmpty()) {
            state.selItem = QString::number(number);
            nav.openSelected();
            shown = nav.articleVisible() || shown;
        }
    }
    return shown;
}

}  // namespace shell
