#include "FolderListing.h"

#include "CatalogueLoader.h"
#include "FolderList.h"
#include "FolderModel.h"
#include "Pictures.h"
#include "Texts.h"

#include <QStringBuilder>

#include <optional>

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
    // The same for a prefix given in pieces, without joining them.
    bool mayContain(std::initializer_list<QStringView> pieces) const
    {
        QStringView rest(withSep);
        for (QStringView p : pieces) {
            const qsizetype n = std::min(p.size(), rest.size());
            if (rest.left(n).compare(p.left(n), Qt::CaseInsensitive) != 0)
                return false;
            rest = rest.mid(n);
            if (rest.isEmpty())
                return true;
        }
        return true;
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
                            itemKey.isNull() ? QString::number(recordNumber) : itemKey, recordNumber);
    }
    const QString folder = rest.left(cut).toString();
    if (list.findText(folder) >= 0)
        return -1;
    return list.addItem(folder, folderIcon >= 1 ? folderIcon : 0, QString(), recordNumber);
}

// When the text before an entry's name (ending in "\") already lies deeper
// than the current folder, the entry shows as that sub-folder whatever its name:
// the sub-folder's name, else none.
std::optional<QStringView> subFolderOf(const QString& head, const CurrentFolder& cur)
{
    const QStringView c(cur.withSep);
    if (!QStringView(head).startsWith(c, Qt::CaseInsensitive))
        return std::nullopt;
    if (c.size() != 1 && !(head.size() > c.size() && head[c.size()] == Sep))
        return std::nullopt;
    QStringView rest = QStringView(head).mid(c.size());
    if (rest.startsWith(Sep))
        rest = rest.mid(1);
    const qsizetype cut = rest.indexOf(Sep);
    if (rest.isEmpty() || cut < 0)
        return std::nullopt;
    return rest.left(cut);
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

namespace {

// How one branch of the tree paths meets the current folder.
class Branch {
public:
    Branch(const CurrentFolder& cur, QString prefix) : m_prefix(std::move(prefix))
    {
        const QString& c = cur.withSep;
        if (!cur.mayContain(m_prefix)) {
            m_reach = Never;
        } else if (c.size() >= m_prefix.size()) {
            m_reach = Depends;  // the current folder reaches into Path or Name
        } else {
            // The branch's fixed text goes on below the current folder: when a
            // whole component follows, every row of the branch gives that same
            // sub-folder, and only the first one adds it.
            qsizetype start = 1;
            if (c.size() != 1) {
                start = c.size() + 1;
                if (m_prefix[c.size()] != Sep)
                    m_reach = Never;
            }
            if (m_reach != Never)
                m_reach = m_prefix.indexOf(Sep, start) >= 0 ? Fixed : Depends;
        }
    }
    const QString& prefix() const { return m_prefix; }
    // Whether a row taking this branch may still change the list.
    bool active() const { return m_reach == Depends || (m_reach == Fixed && !m_done); }
    bool reachable() const { return m_reach != Never; }
    // After a row has taken the branch.
    void taken()
    {
        if (m_reach == Fixed)
            m_done = true;
    }

private:
    enum Reach { Never, Fixed, Depends };
    QString m_prefix;
    Reach m_reach = Depends;
    bool m_done = false;
};

}  // namespace

void listFolder(FolderModel& list, Recordset& rs, const QString& currentFolder,
                const std::function<void(qint64, qint64)>& report)
{
    const CurrentFolder cur(currentFolder);
    const QString root = Sep % texts::root();
    Branch bases(cur, root % Sep % texts::installedBases() % Sep);
    Branch records(cur, root % Sep % texts::records() % Sep);
    Branch favourites(cur, root % Sep % texts::favourites() % Sep);
    Branch bin(cur, root % Sep % texts::recycleBin() % Sep);
    const QString noKey;

    list.beginRefill();
    list.setSorted(false);
    list.clear();
    const qint64 n = rs.recordCount();
    rs.moveFirst();
    for (qint64 i = 1; i <= n; ++i) {
        const bool deleted = rs.flag(ColDeleted);
        const bool favourite = rs.flag(ColFavorite);
        // Read only what a branch that can still change the list needs: most
        // rows of a deep folder, and all but a few at the root, need nothing.
        bool useBases = bases.active();
        const bool choosePath = !deleted && (records.active() || favourites.active());
        const bool useBin = deleted && bin.active();
        const bool useFavourite = favourite && favourites.active();
        QString path;
        QString base;
        bool haveBase = false;
        if (useBases || choosePath)
            path = rs.text(ColPath);
        if (useBases) {
            base = rs.text(ColBaseName);
            haveBase = true;
            // A base or folder beside the current folder leaves the name unread.
            useBases = cur.mayContain({bases.prefix(), base, QStringView(&Sep, 1), path});
        }
        const bool recordsPathFits = choosePath && !isFavouritesPath(path) && records.active() &&
                                     cur.mayContain({records.prefix(), path});
        // In a folder of "Записи" most rows lie in sub-folders already listed:
        // their path alone says so, and their name is never read.
        bool recordsListed = false;
        if (recordsPathFits && !useBases && !useBin && !useFavourite) {
            const QString head = records.prefix() % path % Sep;
            if (const auto folder = subFolderOf(head, cur))
                recordsListed = list.findText(*folder) >= 0;
        }
        QString name;
        int kind = 0;
        if (useBases || (recordsPathFits && !recordsListed) || (choosePath && isFavouritesPath(path)) || useBin ||
            useFavourite) {
            name = rs.text(ColName);
            kind = int(rs.integer(ColKind));
        }

        if (useBases) {
            addItem(list, bases.prefix() % base % Sep % path % Sep % name, cur, i, noKey, PicFolder, kind);
            bases.taken();
        }
        int row = -1;
        if (!deleted) {
            if (choosePath && !isFavouritesPath(path)) {
                if (recordsPathFits && !recordsListed) {
                    row = addItem(list, records.prefix() % path % Sep % name, cur, i, noKey, PicFolder, kind);
                    records.taken();
                }
            } else if (choosePath && favourites.active()) {
                row = addItem(list, favourites.prefix() % name, cur, i, noKey, PicFavourites, kind);
                favourites.taken();
            }
        } else if (useBin) {
            row = addItem(list, bin.prefix() % name, cur, i, noKey, PicRecycleFull, kind);
            bin.taken();
        }
        if (favourite && favourites.reachable()) {
            // The favourites' result replaces the one before, even when it is none.
            row = -1;
            if (useFavourite && favourites.active()) {
                row = addItem(list, favourites.prefix() % name, cur, i, noKey, PicFavourites, kind);
                favourites.taken();
            }
        }

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
    const int basesRow = list.findText(texts::installedBases());
    if (basesRow >= 0)
        list.setIcon(basesRow, PicInstalledBases);
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
