#include "FolderListing.h"

#include "CatalogueLoader.h"
#include "FolderList.h"
#include "FolderModel.h"
#include "Pictures.h"
#include "Texts.h"

#include <QStringBuilder>

namespace catalogue {

using namespace store;

namespace {

const QChar Sep = QLatin1Char('\\');

// The current folder as the listing compares it: with a leading "\".
struct CurrentFolder {
    explicit CurrentFolder(const QString& path)
        : original(path), withSep(path.startsWith(Sep) ? path : Sep + path)
    {
    }
    // Whether a path that begins with `prefix` (given with its leading "\") can
    // lie below this folder: one of the two must begin with the other.
    bool mayContain(QStringView prefix) const
    {
        const qsizetype n = std::min(prefix.size(), withSep.size());
        return QStringView(withSep).left(n).compare(prefix.left(n), Qt::CaseInsensitive) == 0;
    }
    QString original;
    QString withSep;
};

// AddItemToListView on a full path that already carries its leading "\".
int addItem(FolderModel& list, const QString& full, const CurrentFolder& cur, qint64 recordNumber, const QString& itemKey,
            int folderIcon, int fileIcon)
{
    const QStringView fullPath = QStringView(full).mid(1);
    if (QStringView(cur.original).compare(fullPath, Qt::CaseInsensitive) == 0)
        return -1;
    const QStringView c(cur.withSep);
    if (!full.startsWith(c, Qt::CaseInsensitive))
        return -1;
    if (c.size() != 1 && !(full.size() > c.size() && full[c.size()] == Sep))
        return -1;
    QStringView rest = QStringView(full).mid(c.size());
    if (rest.startsWith(Sep))
        rest = rest.mid(1);
    const qsizetype cut = rest.indexOf(Sep);
    if (cut < 0) {
        // Filed directly in the current folder.
        const QString text = rest.toString();
        const int existing = list.findText(text);
        if (existing >= 0)
            return existing;
        return list.addItem(text, fileIcon >= 1 ? fileIcon : 0,
                            itemKey.isNull() ? QString::number(recordNumber) : itemKey);
    }
    const QString folder = rest.left(cut).toString();
    if (list.findText(folder) >= 0)
        return -1;
    return list.addItem(folder, folderIcon >= 1 ? folderIcon : 0, QString());
}

}  // namespace

QString getType(int kind)
{
    switch (kind) {
    case KindArticle:
        return texts::typeArticle();
    case KindProgram:
        return texts::typeProgram();
    case KindLink:
        // A link is told by its target, not by its kind.
        return texts::typeArticle();
    default:
        return QString();
    }
}

int getItem(const FolderModel& list, const QString& text)
{
    return list.findText(text);
}

bool itemExists(const FolderModel& list, const QString& text)
{
    return list.containsText(text);
}

int addItemToListView(FolderModel& list, const QString& fullPath, const QString& currentPath, const QString& itemKey,
                      int folderIcon, int fileIcon)
{
    if (QString::compare(currentPath, fullPath, Qt::CaseInsensitive) == 0)
        return -1;
    const QString full = fullPath.startsWith(Sep) ? fullPath : Sep + fullPath;
    return addItem(list, full, CurrentFolder(currentPath), 0, itemKey.isNull() ? QStringLiteral("") : itemKey,
                   folderIcon, fileIcon);
}

void listFolder(FolderModel& list, Recordset& rs, const QString& currentFolder,
                const std::function<void(qint64, qint64)>& report)
{
    const CurrentFolder cur(currentFolder);
    const QString root = Sep % texts::root();
    const QString basesPrefix = root % Sep % texts::installedBases() % Sep;
    const QString recordsPrefix = root % Sep % texts::records() % Sep;
    const QString favouritesPrefix = root % Sep % texts::favourites() % Sep;
    const QString binPrefix = root % Sep % texts::recycleBin() % Sep;
    // Branches that cannot reach the current folder are skipped before their
    // paths are built: most rows of a deep folder touch none.
    const bool inBases = cur.mayContain(basesPrefix);
    const bool inRecords = cur.mayContain(recordsPrefix);
    const bool inFavourites = cur.mayContain(favouritesPrefix);
    const bool inBin = cur.mayContain(binPrefix);
    const QString noKey;

    list.beginRefill();
    list.setSorted(false);
    list.clear();
    const qint64 n = rs.recordCount();
    rs.moveFirst();
    for (qint64 i = 1; i <= n; ++i) {
        const bool deleted = rs.flag(ColDeleted);
        const bool favourite = rs.flag(ColFavorite);
        // Read only what a reachable branch needs.
        QString path;
        QString name;
        QString base;
        bool haveBase = false;
        const bool needRecords = !deleted && (inRecords || inFavourites);
        if (inBases || needRecords)
            path = rs.text(ColPath);
        if (inBases || needRecords || (deleted && inBin) || (favourite && inFavourites))
            name = rs.text(ColName);
        const int kind = int(rs.integer(ColKind));

        if (inBases) {
            base = rs.text(ColBaseName);
            haveBase = true;
            addItem(list, basesPrefix % base % Sep % path % Sep % name, cur, i, noKey, PicFolder, kind);
        }
        int row = -1;
        if (!deleted) {
            if (!isFavouritesPath(path)) {
                if (inRecords)
                    row = addItem(list, recordsPrefix % path % Sep % name, cur, i, noKey, PicFolder, kind);
            } else if (inFavourites) {
                row = addItem(list, favouritesPrefix % name, cur, i, noKey, PicFavourites, kind);
            }
        } else if (inBin) {
            row = addItem(list, binPrefix % name, cur, i, noKey, PicRecycleFull, kind);
        }
        if (favourite && inFavourites)
            row = addItem(list, favouritesPrefix % name, cur, i, noKey, PicFavourites, kind);

        if (row >= 0) {
            if (list.text(row).trimmed().compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
                // The entry itself.
                const QString target = rs.text(ColLinkTarget);
                if (!target.isEmpty()) {
                    list.setType(row, texts::typeLink());
                } else {
                    list.setAdded(row, rs.dateTime(ColAdded));
                    list.setBaseName(row, haveBase ? base : rs.text(ColBaseName));
                    list.setType(row, getType(kind));
                }
            } else {
                list.setType(row, texts::typeFolder());
            }
        }
        rs.moveNext();
        if (report)
            report(i, n);
    }

    const int top = list.findText(texts::root());
    if (top >= 0) {
        list.setText(top, texts::root());
        list.setIcon(top, PicRoot);
    }
    const int bases = list.findText(texts::installedBases());
    if (bases >= 0)
        list.setIcon(bases, PicInstalledBases);
    // Sorted once, by the kept column and order.
    list.setSorted(true);
    list.endRefill();
}

void listPapka(MainState& state)
{
    if (!state.lvPapka)
        return;
    FolderModel& list = *state.lvPapka->items();
    if (!state.rsBase) {
        list.clear();
        return;
    }
    std::function<void(qint64, qint64)> report;
    if (state.showLoadProgress && state.progress) {
        report = [&state](qint64 i, qint64 n) {
            const qint64 step = std::max<qint64>(1, n / 1000);
            if (i % step == 0 || i == n)
                state.progress(progressText(i, n));
        };
    }
    listFolder(list, *state.rsBase, state.currentFolder, report);
}

}  // namespace catalogue
