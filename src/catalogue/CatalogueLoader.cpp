#include "CatalogueLoader.h"

#include "AlphaIndexList.h"
#include "FolderListing.h"
#include "PathTree.h"
#include "Texts.h"
#include "Pictures.h"
#include "store/AppFiles.h"

#include <QHash>
#include <QStringBuilder>

#include <unordered_set>

namespace catalogue {

using store::ColBaseName;
using store::ColDeleted;
using store::ColFavorite;
using store::ColKind;
using store::ColName;
using store::ColPath;

QString progressText(qint64 i, qint64 n)
{
    return texts::progress(i, n);
}

// Large bases report about a thousand times per pass: the label cannot show
// more, and each report repaints.
std::function<void(qint64, qint64)> progressReporter(const MainState& state)
{
    if (!state.showLoadProgress || !state.progress)
        return {};
    return [&state](qint64 i, qint64 n) {
        const qint64 step = std::max<qint64>(1, n / 1000);
        if (i % step == 0 || i == n)
            state.progress(progressText(i, n));
    };
}

namespace {

const QChar Sep = QLatin1Char('\\');

// What the tree needs of one row. The rows are read once, in the index pass;
// the tree pass works from these, so a load streams the base only once.
struct RowSummary {
    QString path;
    QString name;
    QString baseName;
    int kind = 0;
    bool deleted = false;
    bool favorite = false;
};

// The first pass: reads every row and, when there is an index, fills it
// unsorted and sorts it once at the end. A row that cannot be read ends the
// pass with its Error: a damaged row must not become an entry without a name.
store::Result<std::vector<RowSummary>> readRows(store::Recordset& rs, AlphaIndexModel* index,
                                                const std::function<void(qint64, qint64)>& report)
{
    if (index) {
        index->beginRefill();
        index->setSorted(false);
        index->clear();
    }
    const qint64 n = rs.recordCount();
    std::vector<RowSummary> rows;
    rows.reserve(size_t(n));
    rs.moveFirst();
    for (qint64 i = 1; i <= n; ++i) {
        RowSummary& row = rows.emplace_back();
        row.kind = int(rs.integer(ColKind));
        row.path = rs.text(ColPath);
        row.name = rs.text(ColName);
        row.baseName = rs.text(ColBaseName);
        row.deleted = rs.flag(ColDeleted);
        row.favorite = rs.flag(ColFavorite);
        if (auto status = rs.readStatus(); !status) {
            if (index) {  // no half index
                index->clear();
                index->setSorted(true);
                index->endRefill();
            }
            return status.error();
        }
        if (index && !row.deleted && !row.name.isEmpty())
            index->append(row.name, i);
        if (report)
            report(i, n);
        rs.moveNext();
    }
    if (index) {
        index->setSorted(true);
        index->endRefill();
    }
    return rows;
}

void buildTree(PathTreeModel& tree, const std::vector<RowSummary>& rows,
               const std::function<void(qint64, qint64)>& report)
{
    const QString root = texts::root();
    const QString bin = root % Sep % texts::recycleBin();
    const QString bases = root % Sep % texts::installedBases();
    const QString records = root % Sep % texts::records();
    const QString favourites = root % Sep % texts::favourites();
    const QString basesPrefix = bases % Sep;
    const QString recordsPrefix = records % Sep;
    const QString favouritesPrefix = favourites % Sep;
    const QString binPrefix = bin % Sep;

    tree.setSorted(false);
    // Remember the expanded nodes by upper-cased full path.
    std::vector<QString> expandedPaths;
    tree.forEachNode([&expandedPaths](Node* n) {
        if (n->isExpanded())
            expandedPaths.push_back(n->fullPath().toUpper());
    });

    tree.beginRebuild();
    tree.clear();
    Node* binNode = tree.addNodePath(bin, QString(), PicRecycleEmpty, PicFolder);
    tree.addNodePath(bases, QString(), PicInstalledBases, PicFolder);
    const PathTreeModel::Folder binFolder = tree.addFolder(bin, PicFolder);
    // Folders already made, by the texts of their paths as the rows write them.
    QHash<std::pair<QString, QString>, PathTreeModel::Folder> baseFolders;
    QHash<QString, PathTreeModel::Folder> recordFolders;
    // "Избранное" is made when the first favourite needs it.
    PathTreeModel::Folder favouritesFolder;
    const auto addFavourite = [&](const QString& name, qint64 i, int kind) {
        if (name.isEmpty() || name.contains(Sep)) {
            tree.addNodePath(favouritesPrefix % name, QString::number(i), kind, PicFavourites);
            return;
        }
        if (!favouritesFolder.node)
            favouritesFolder = tree.addFolder(favourites, PicFavourites);
        tree.addUnder(favouritesFolder, name, i, kind, PicFavourites);
    };

    const qint64 n = qint64(rows.size());
    // About two nodes a row: the entry under its base and under "Записи".
    tree.reserve(qsizetype(2 * n + 64));
    for (qint64 i = 1; i <= n; ++i) {
        const RowSummary& row = rows[size_t(i - 1)];
        const int kind = row.kind;
        const QString& path = row.path;
        const QString& name = row.name;
        const bool deleted = row.deleted;
        // An entry is added below its folder, made once per distinct path. A name
        // or path that would give an empty or further component takes the
        // general route, which splits it as written.
        const bool simpleName = !name.isEmpty() && !name.contains(Sep);
        const bool simplePath = simpleName && !path.isEmpty() && !path.endsWith(Sep);
        if (simplePath) {
            auto it = baseFolders.find({row.baseName, path});
            if (it == baseFolders.end())
                it = baseFolders.insert({row.baseName, path},
                                        tree.addFolder(basesPrefix % row.baseName % Sep % path, PicFolder));
            tree.addUnder(*it, name, i, kind, PicFolder);
        } else {
            tree.addNodePath(basesPrefix % row.baseName % Sep % path % Sep % name, QString::number(i), kind, PicFolder);
        }
        if (!deleted) {
            if (!store::isFavouritesPath(path)) {
                if (simplePath) {
                    auto it = recordFolders.find(path);
                    if (it == recordFolders.end())
                        it = recordFolders.insert(path, tree.addFolder(recordsPrefix % path, PicFolder));
                    tree.addUnder(*it, name, i, kind, PicFolder);
                } else {
                    tree.addNodePath(recordsPrefix % path % Sep % name, QString::number(i), kind, PicFolder);
                }
            } else {
                addFavourite(name, i, kind);
            }
        } else {
            if (simpleName)
                tree.addUnder(binFolder, name, i, kind, PicRecycleFull);
            else
                tree.addNodePath(binPrefix % name, QString::number(i), kind, PicRecycleFull);
            tree.setImage(binNode, PicRecycleFull);
        }
        if (row.favorite)
            addFavourite(name, i, kind);
        if (report)
            report(i, n);
    }

    if (Node* r = tree.getNode(records))
        tree.setExpanded(r, true);
    tree.setImage(tree.getNode(bases), PicInstalledBases);
    Node* top = tree.getNode(root);
    tree.setExpanded(top, true);
    tree.setImage(top, PicRoot);
    // Favourites exist in every load, made last when no record needed them.
    tree.setImage(tree.addNodePath(favourites, QString(), 0, 0), PicFavourites);

    tree.setSorted(true);
    for (const QString& p : expandedPaths) {
        if (Node* node = tree.getNode(p))
            tree.setExpanded(node, true);
    }
    tree.endRebuild();
}

}  // namespace

void buildCatalogueTree(PathTreeModel& tree, store::Recordset& rs, const std::function<void(qint64, qint64)>& report)
{
    if (auto rows = readRows(rs, nullptr, {}))
        buildTree(tree, *rows, report);
}

store::Result<void> listAlpha(MainState& state)
{
    const QString path = store::AppFiles(state.appDir).basePath();
    // A fresh recordset on every call, so rows changed or removed through any
    // connection are seen. The connection itself is kept while it is open on the
    // same file: opening derives the key from the password, which costs more than
    // the whole rebuild. Compaction closes it first, so a replaced file is opened
    // anew.
    std::shared_ptr<store::Database> db = state.base;
    if (!db || !db->isOpen() || db->path() != path) {
        auto opened = store::Database::open(path);
        if (!opened)
            return opened.error();
        db = std::move(*opened);
    }
    auto recordset = db->openRecordset();
    if (!recordset)
        return recordset.error();
    // Release the previous recordset before its connection.
    state.rsBase = std::move(*recordset);
    state.adoptBase(std::move(db));

    const auto report = progressReporter(state);
    store::Recordset& rs = *state.rsBase;
    // An empty table still rebuilds: the views must not keep items whose
    // RecordNumbers point at rows that are gone.
    const auto rows = readRows(rs, state.lstAlphaList ? state.lstAlphaList->items() : nullptr, report);
    if (!rows)
        return rows.error();
    if (state.twv)
        buildTree(*state.twv->nodes(), *rows, report);
    listPapka(state);
    return {};
}

}  // namespace catalogue
