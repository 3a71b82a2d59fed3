#include "FolderPicker.h"
#include "OrganiseTexts.h"
#include "SeeAlsoPicker.h"

#include "catalogue/Pictures.h"
#include "store/Database.h"
#include "store/Recordset.h"

#include <QHash>

namespace organise {

using namespace store;

namespace {

// Pictures of the pickers' own lists.
constexpr int FolderPickerFolder = 1;
constexpr int SeeAlsoPage = 1;
constexpr int SeeAlsoFolder = 2;

// One pass over the rows, each shown row (not in the bin, not filed in
// "Избранное", with both values stored) added once: linear in the rows. The
// tree capitalises each node as it is made, never the whole tree again, and a
// folder's path is hashed once however many entries it holds.
template <class Add>
void fill(catalogue::PathTreeModel& tree, Recordset& rs, Add add)
{
    tree.beginRebuild();
    tree.clear();
    tree.setSorted(false);
    const qint64 n = rs.recordCount();
    tree.reserve(qsizetype(std::min<qint64>(n, 1 << 22)));
    QHash<QString, catalogue::PathTreeModel::Folder> folders;
    rs.moveFirst();
    for (qint64 i = 1; i <= n; ++i, rs.moveNext()) {
        const QVariant deleted = rs.value(ColDeleted);
        const QVariant path = rs.value(ColPath);
        if (deleted.isNull() || path.isNull() || rs.flag(ColDeleted))
            continue;
        const QString p = path.toString();
        if (!isFavouritesPath(p))
            add(i, p, folders);
    }
    // The picker trees have many roots; they are ordered once.
    tree.setSorted(true);
    tree.endRebuild();
}

// Adds path\name (tag i) as addNodePath would, below a folder made once.
void addEntry(catalogue::PathTreeModel& tree, QHash<QString, catalogue::PathTreeModel::Folder>& folders,
              const QString& path, const QString& name, qint64 i, int image, int folderImage)
{
    const QChar sep = QLatin1Char('\\');
    if (name.isEmpty() || name.contains(sep) || path.isEmpty() || path.endsWith(sep)) {
        tree.addNodePath(path + sep + name, QString::number(i), image, folderImage);
        return;
    }
    auto it = folders.find(path);
    if (it == folders.end())
        it = folders.insert(path, tree.addFolder(path, folderImage));
    tree.addUnder(*it, name, i, image, folderImage);
}

}  // namespace

void fillFolderTree(catalogue::PathTreeModel& tree, Recordset& rs)
{
    fill(tree, rs, [&](qint64 i, const QString& path, auto&) {
        if (!path.isEmpty())
            tree.addNodePath(path, QString::number(i), FolderPickerFolder, FolderPickerFolder);
    });
}

void fillSeeAlsoTree(catalogue::PathTreeModel& tree, Recordset& rs)
{
    fill(tree, rs, [&](qint64 i, const QString& path, auto& folders) {
        const QString name = rs.text(ColName);
        // A folder record (no title) is its folder, not a page.
        if (name.isEmpty()) {
            if (!path.isEmpty())
                tree.addNodePath(path, QString(), 0, SeeAlsoFolder);
            return;
        }
        addEntry(tree, folders, path, name, i, SeeAlsoPage, SeeAlsoFolder);
    });
}

FolderPicker::FolderPicker(Recordset& rs, QWidget* parent)
    : PickerDialog(texts::folderPickerTitle(), texts::folderPickerLabel(),
                   {catalogue::picture(catalogue::PicFolder)}, parent)
{
    setObjectName(QStringLiteral("FrmFolder"));
    fillFolderTree(*tree()->nodes(), rs);
}

SeeAlsoPicker::SeeAlsoPicker(QWidget* parent)
    : PickerDialog(texts::seeAlsoPickerTitle(), texts::seeAlsoPickerLabel(),
                   {catalogue::picture(catalogue::PicArticle), catalogue::picture(catalogue::PicFolder)}, parent)
{
    setObjectName(QStringLiteral("FrmSeeAlso"));
}

Result<std::unique_ptr<SeeAlsoPicker>> SeeAlsoPicker::create(Database& base, QWidget* parent)
{
    auto rs = base.openRecordset();
    if (!rs)
        return Error{texts::pickerReadFailed(rs.message())};
    std::unique_ptr<SeeAlsoPicker> picker(new SeeAlsoPicker(parent));
    fillSeeAlsoTree(*picker->tree()->nodes(), **rs);
    return picker;
}

}  // namespace organise
