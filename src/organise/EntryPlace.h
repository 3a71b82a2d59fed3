#pragma once
// Where one row of "main" shows in the catalogue: the values that decide its
// nodes, its folder-list items and its index item, and the tree paths the
// catalogue load gives it in each branch.
#include "store/Recordset.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace organise {

struct EntryPlace {
    QString path;
    QString name;
    QString baseName;
    QString linkTarget;
    QDateTime added;
    int kind = 0;
    bool deleted = false;
    bool favourite = false;

    // The current row of rs.
    static EntryPlace of(store::Recordset& rs);
    // "Path\Name", as the questions and messages name an entry.
    QString label() const { return path + QLatin1Char('\\') + name; }
    // Whether the alphabetical index lists the row.
    bool indexed() const { return !deleted && !name.isEmpty(); }
};

// The four branches below the root, and the places above and at it.
enum class Branch { None, AboveRoot, Root, Bases, Records, Favourites, Bin };

// The branch a tree path lies in (letter case ignored): "" is above the root,
// the root's own path is Root.
Branch branchOf(const QString& treePath);

// The picture of folders made on the way in a branch.
int folderPictureOf(Branch branch);

// One tree path of an entry, as the load writes it (a trailing "\" included:
// the tree drops it, the folder list does not).
struct Landing {
    Branch branch;
    QString path;
    // The path the tree finds its node by: one trailing "\" dropped.
    QString nodePath() const;
};

// Every tree path of an entry, as the catalogue load adds them: under its
// installed base; under "Записи", or "Избранное" when filed there, or
// "Корзина" when deleted; and under "Избранное" again when a favourite (the
// same path once).
std::vector<Landing> landingsOf(const EntryPlace& place);
// The entry's path in one branch, when it has one there.
std::optional<Landing> landingIn(Branch branch, const EntryPlace& place);

// What a tree path of some row gives the folder list showing `currentFolder`
// (as the listing decides it): nothing, the entry itself, or the sub-folder it
// lies in, with the item's text.
struct ListedAs {
    enum Kind { Nothing, Entry, Folder } kind = Nothing;
    QString text;
};
ListedAs listedAs(const QString& currentFolder, const QString& treePath);

// The catalogue folder (a Path value) that a tree path below "Записи" stands
// for, or below "Установленные базы\<base>" (then `base` gets the base's
// name); none for other places. "Zelvorant Kodrix\Записи\A\B" gives "A\B".
std::optional<QString> cataloguePathOf(const QString& treePath, QString* base = nullptr);

}  // namespace organise
