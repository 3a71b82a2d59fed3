#include "CatalogueLoader.h"

#include "AlphaIndexList.h"
#include "FolderListing.h"
#include "PathTree.h"
#include "Texts.h"
#include "Pictures.h"
#include "store/AppFiles.h"

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
    return QString::number(i) % texts::progressOf() % QString::number(n);
}

namespace {

const QChar Sep = QLatin1Char('\\');

// The progress callback for the passes, or none. Large bases report about a
// thousand times per pass: the label cannot show more, and each report repaints.
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

void fillIndex(AlphaIndexModel& index, store::Recordset& rs, const std::function<void(qint64, qint64)>& report)
{
    index.beginRefill();
    index.setSorted(false);
    index.clear();
    const qint64 n = rs.recordCount();
    rs.moveFirst();
    for (qint64 i = 1; i <= n; ++i) {
        if (!rs.flag(ColDeleted)) {
            const QString name = rs.text(ColName);
            if (!name.isEmpty())
                index.append(name, i);
        }
        if (report)
            report(i, n);
        rs.moveNext();
    }
    // Sorted once, after filling.
    index.setSorted(true);
    index.endRefill();
}

}  // namespace

void buildCatalogueTree(PathTreeModel& tree, store::Recordset& rs, const std::function<void(qint64, qint64)>& report)
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
    setCapitaliseOnAdd(false);
    Node* binNode = tree.addNodePath(bin, QString(), PicRecycleEmpty, PicFolder);
    tree.addNodePath(bases, QString(), PicInstalledBases, PicFolder);

    const qint64 n = rs.recordCount();
    // About two nodes a row: the entry under its base and under "Записи".
    tree.reserve(qsizetype(2 * n + 64));
    rs.moveFirst();
    for (qint64 i = 1; i <= n; ++i) {
        const QString t = QString::number(i);
        const int kind = int(rs.integer(ColKind));
        const QString path = rs.text(ColPath);
        const QString name = rs.text(ColName);
        const bool deleted = rs.flag(ColDeleted);
        tree.addNodePath(basesPrefix % rs.text(ColBaseName) % Sep % path % Sep % name, t, kind, PicFolder);
        if (!deleted) {
            if (!store::isFavouritesPath(path))
                tree.addNodePath(recordsPrefix % path % Sep % name, t, kind, PicFolder);
            else
                tree.addNodePath(favouritesPrefix % name, t, kind, PicFavourites);
        } else {
            tree.addNodePath(binPrefix % name, t, kind, PicRecycleFull);
            tree.setImage(binNode, PicRecycleFull);
        }
        if (rs.flag(ColFavorite))
            tree.addNodePath(favouritesPrefix % name, t, kind, PicFavourites);
        rs.moveNext();
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
    state.base = std::move(db);
    setCapitaliseOnAdd(false);

    const auto report = progressReporter(state);
    store::Recordset& rs = *state.rsBase;
    // An empty table still rebuilds: the views must not keep items whose
    // RecordNumbers point at rows that are gone.
    if (state.lstAlphaList)
        fillIndex(*state.lstAlphaList->items(), rs, report);
    if (state.twv)
        buildCatalogueTree(*state.twv->nodes(), rs, report);
    listPapka(state);
    return {};
}

}  // namespace catalogue
