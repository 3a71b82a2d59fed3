#include "EntryPlace.h"

#include "catalogue/Pictures.h"
#include "catalogue/Texts.h"
#include "store/Record.h"

#include <QStringBuilder>

namespace organise {

namespace ct = catalogue::texts;
using namespace store;

namespace {

const QChar Sep = QLatin1Char('\\');

bool same(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

EntryPlace EntryPlace::of(Recordset& rs)
{
    EntryPlace p;
    p.path = rs.text(ColPath);
    p.name = rs.text(ColName);
    p.baseName = rs.text(ColBaseName);
    p.linkTarget = rs.text(ColLinkTarget);
    p.added = rs.dateTime(ColAdded);
    p.kind = int(rs.integer(ColKind));
    p.deleted = rs.flag(ColDeleted);
    p.favourite = rs.flag(ColFavorite);
    return p;
}

Branch branchOf(const QString& treePath)
{
    if (treePath.isEmpty())
        return Branch::AboveRoot;
    const QStringList parts = treePath.split(Sep);
    if (!same(parts[0], ct::root()))
        return Branch::None;
    if (parts.size() == 1)
        return Branch::Root;
    const QString& top = parts[1];
    if (same(top, ct::installedBases()))
        return Branch::Bases;
    if (same(top, ct::records()))
        return Branch::Records;
    if (same(top, ct::favourites()))
        return Branch::Favourites;
    if (same(top, ct::recycleBin()))
        return Branch::Bin;
    return Branch::None;
}

int folderPictureOf(Branch branch)
{
    switch (branch) {
    case Branch::Favourites:
        return catalogue::PicFavourites;
    case Branch::Bin:
        return catalogue::PicRecycleFull;
    default:
        return catalogue::PicFolder;
    }
}

QString Landing::nodePath() const { return path.endsWith(Sep) ? path.left(path.size() - 1) : path; }

std::optional<Landing> landingIn(Branch branch, const EntryPlace& p)
{
    const QString root = ct::root();
    switch (branch) {
    case Branch::Bases:
        return Landing{branch, root % Sep % ct::installedBases() % Sep % p.baseName % Sep % p.path % Sep % p.name};
    case Branch::Records:
        if (p.deleted || isFavouritesPath(p.path))
            return std::nullopt;
        return Landing{branch, root % Sep % ct::records() % Sep % p.path % Sep % p.name};
    case Branch::Favourites:
        if ((p.deleted || !isFavouritesPath(p.path)) && !p.favourite)
            return std::nullopt;
        return Landing{branch, root % Sep % ct::favourites() % Sep % p.name};
    case Branch::Bin:
        if (!p.deleted)
            return std::nullopt;
        return Landing{branch, root % Sep % ct::recycleBin() % Sep % p.name};
    default:
        return std::nullopt;
    }
}

std::vector<Landing> landingsOf(const EntryPlace& p)
{
    std::vector<Landing> all;
    for (Branch b : {Branch::Bases, Branch::Records, Branch::Favourites, Branch::Bin}) {
        if (auto l = landingIn(b, p))
            all.push_back(std::move(*l));
    }
    return all;
}

ListedAs listedAs(const QString& currentFolder, const QString& treePath)
{
    // As the folder listing places one row's path.
    if (same(currentFolder, treePath))
        return {};
    const QString cur = currentFolder.startsWith(Sep) ? currentFolder : Sep + currentFolder;
    const QString full = treePath.startsWith(Sep) ? treePath : Sep + treePath;
    if (!full.startsWith(cur, Qt::CaseInsensitive))
        return {};
    if (cur.size() != 1 && !(full.size() > cur.size() && full[cur.size()] == Sep))
        return {};
    QStringView rest = QStringView(full).mid(cur.size());
    if (rest.startsWith(Sep))
        rest = rest.mid(1);
    const qsizetype cut = rest.indexOf(Sep);
    if (cut < 0)
        return {ListedAs::Entry, rest.toString()};
    return {ListedAs::Folder, rest.left(cut).toString()};
}

std::optional<QString> cataloguePathOf(const QString& treePath, QString* base)
{
    const QStringList parts = treePath.split(Sep);
    switch (branchOf(treePath)) {
    case Branch::Records:
        return parts.mid(2).join(Sep);
    case Branch::Bases:
        if (parts.size() < 3)
            return std::nullopt;
        if (base)
            *base = parts[2];
        return parts.mid(3).join(Sep);
    default:
        return std::nullopt;
    }
}

}  // namespace organise
