#include "FolderPicker.h"
#include "OrganiseTexts.h"
#include "SeeAlsoPicker.h"

#include "catalogue/Pictures.h"
#include "store/Database.h"
#include "store/Recordset.h"

namespace organise {

using namespace store;

namespace {

// Pictures of the pickers' own lists.
constexpr int FolderPickerFolder = 1;
constexpr int SeeAlsoPage = 1;
constexpr int SeeAlsoFolder = 2;

// The rows a picker shows: not in the bin, not filed in "Избранное", and with
// both values stored.
bool shown(Recordset& rs)
{
    if (rs.isNull(ColDeleted) || rs.isNull(ColPath))
        return false;
    return !rs.flag(ColDeleted) && !isFavouritesPath(rs.text(ColPath));
}

// One pass over the rows, each shown row added once: linear in the rows (the
// tree capitalises each node as it is made, never the whole tree again).
template <class Add>
void fill(catalogue::PathTreeModel& tree, Recordset& rs, Add add)
{
    tree.beginRebuild();
    tree.clear();
    tree.setSorted(false);
    const qint64 n = rs.recordCount();
    tree.reserve(qsizetype(std::min<qint64>(n, 1 << 22)));
    rs.moveFirst();
    for (qint64 i = 1; i <= n; ++i, rs.moveNext()) {
        if (shown(rs))
            add(i);
    }
    // The picker trees have many roots; they are ordered once.
    tree.setSorted(true);
    tree.endRebuild();
}

}  // namespace

void fillFolderTree(catalogue::PathTreeModel& tree, Recordset& rs)
{
    fill(tree, rs, [&](qint64 i) {
        const QString path = rs.text(ColPath);
        if (!path.isEmpty())
            tree.addNodePath(path, QString::number(i), FolderPickerFolder, FolderPickerFolder);
    });
}

void fillSeeAlsoTree(catalogue::PathTreeModel& tree, Recordset& rs)
{
    fill(tree, rs, [&](qint64 i) {
        const QString path = rs.text(ColPath);
        const QString name = rs.text(ColName);
        // A folder record (no title) is its folder, not a page.
        if (name.isEmpty()) {
            if (!path.isEmpty())
                tree.addNodePath(path, QString(), 0, SeeAlsoFolder);
            return;
        }
        tree.addNodePath(path + QLatin1Char('\\') + name, QString::number(i), SeeAlsoPage, SeeAlsoFolder);
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
