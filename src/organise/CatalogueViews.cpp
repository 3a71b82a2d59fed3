#include "CatalogueViews.h"

#include "catalogue/AlphaIndexList.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/FolderList.h"
#include "catalogue/FolderListing.h"
#include "catalogue/PathTree.h"
#include "catalogue/Pictures.h"
#include "catalogue/Texts.h"

#include <QStringBuilder>

#include <map>

namespace organise {

using catalogue::Node;
using catalogue::PathTreeModel;
namespace ct = catalogue::texts;

namespace {

const QChar Sep = QLatin1Char('\\');

bool same(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QString branchPath(const QString& name) { return ct::root() % Sep % name; }

// Whether two entries' paths in the same branch end at the same node.
bool sameNode(const Landing& a, const Landing& b) { return a.branch == b.branch && same(a.nodePath(), b.nodePath()); }

QString lastComponent(const QString& path) { return path.section(Sep, -1); }

// Whether the row that lists a sub-folder first gives it the type "Папка", as
// the listing does: never through the installed bases. Where the favourites
// can be listed too (at the root, and inside them) a favourite's result there
// replaces the one it had: at the root a favourite leaves its branch's item
// untyped, and inside "Избранное" so does an entry filed there that is a
// favourite as well.
bool typedBy(Branch branch, const EntryPlace& creator, bool atRoot)
{
    switch (branch) {
    case Branch::Records:
    case Branch::Bin:
        return !(atRoot && creator.favourite);
    case Branch::Favourites:
        return creator.deleted || !store::isFavouritesPath(creator.path) || !creator.favourite;
    default:
        return false;
    }
}

}  // namespace

CatalogueViews::CatalogueViews(catalogue::MainState& state) : m_state(state) {}

PathTreeModel* CatalogueViews::tree() const { return m_state.twv ? m_state.twv->nodes() : nullptr; }

store::Result<void> CatalogueViews::reload() { return catalogue::listAlpha(m_state); }

EntryPlace CatalogueViews::placeAt(qint64 j)
{
    if (j == m_knownRow && j > 0)
        return m_known;
    store::Recordset* rs = m_state.rsBase.get();
    if (!rs || j < 1 || j > rs->recordCount())
        return {};
    rs->moveTo(j);
    return EntryPlace::of(*rs);
}

// ---- the tree ---------------------------------------------------------------

bool CatalogueViews::isFixed(const Node* node) const
{
    // The root and the branches every load makes; "Записи" comes and goes with
    // the entries it holds.
    if (!node->parent())
        return true;
    if (node->parent()->parent())
        return false;
    return !same(node->text(), ct::records());
}

void CatalogueViews::prune(Node* node)
{
    // A load makes no folder that nothing lies in.
    PathTreeModel* model = tree();
    while (node && !isFixed(node) && node->childCount() == 0 && model->landings(node).empty()) {
        Node* parent = node->parent();
        model->removeNode(node);
        node = parent;
    }
}

void CatalogueViews::settle(Node* node, Branch branch)
{
    PathTreeModel* model = tree();
    if (!node)
        return;
    if (isFixed(node))
        return;  // their pictures are set by fixBranchPictures
    const std::vector<qint64> landings = model->landings(node);
    const int folderPicture = folderPictureOf(branch);
    if (landings.empty()) {
        if (node->childCount() == 0)
            prune(node);
        else
            model->setImage(node, folderPicture);  // left a folder of the entries below it
        return;
    }
    // As a load leaves it: the picture of the last entry that has one, else the
    // folder's; a leaf's text as the first of its entries writes it.
    int picture = folderPicture;
    for (auto it = landings.rbegin(); it != landings.rend(); ++it) {
        const int kind = placeAt(*it).kind;
        if (kind > 0) {
            picture = kind;
            break;
        }
    }
    model->setImage(node, picture);
}

void CatalogueViews::fixTexts(const Landing& landing, qint64 n)
{
    // A load spells each node as the first row below it writes that part of
    // its path. Only where row n was or now is that first row may it change.
    PathTreeModel* model = tree();
    QStringList parts = landing.nodePath().split(Sep);
    Node* node = nullptr;
    while (!parts.isEmpty() && !(node = model->getNode(parts.join(Sep))))
        parts.removeLast();
    std::map<qint64, QStringList> spelled;  // row → its path's parts in the branch
    for (; node && !isFixed(node); node = node->parent(), parts.removeLast()) {
        const qint64 first = model->firstLandingBelow(node);
        if (first <= 0 || first < n)
            continue;
        auto it = spelled.find(first);
        if (it == spelled.end()) {
            const std::optional<Landing> l = landingIn(landing.branch, placeAt(first));
            it = spelled.emplace(first, l ? l->nodePath().split(Sep) : QStringList()).first;
        }
        const qsizetype depth = parts.size() - 1;
        if (depth < it->second.size())
            model->setText(node, it->second[depth]);
    }
}

void CatalogueViews::addLanding(const Landing& landing, qint64 n)
{
    PathTreeModel* model = tree();
    const QString records = branchPath(ct::records());
    const bool hadRecords = model->nodeExists(records);
    Node* node = model->addNodePath(landing.path, QString(), 0, folderPictureOf(landing.branch));
    if (!node)
        return;
    model->addLanding(node, n);
    if (!hadRecords) {
        // A load opens "Записи" whenever it makes it.
        if (Node* r = model->getNode(records))
            model->setExpanded(r, true);
    }
    settle(node, landing.branch);
}

void CatalogueViews::removeLanding(const Landing& landing, qint64 n)
{
    PathTreeModel* model = tree();
    Node* node = model->getNode(landing.nodePath());
    if (!node)
        return;
    model->removeLanding(node, n);
    settle(node, landing.branch);
}

void CatalogueViews::fixBranchPictures()
{
    PathTreeModel* model = tree();
    if (Node* bin = model->getNode(branchPath(ct::recycleBin()))) {
        const bool full = bin->childCount() > 0 || !model->landings(bin).empty();
        model->setImage(bin, full ? catalogue::PicRecycleFull : catalogue::PicRecycleEmpty);
    }
    if (Node* n = model->getNode(branchPath(ct::favourites())))
        model->setImage(n, catalogue::PicFavourites);
    if (Node* n = model->getNode(branchPath(ct::installedBases())))
        model->setImage(n, catalogue::PicInstalledBases);
    if (Node* n = model->getNode(ct::root()))
        model->setImage(n, catalogue::PicRoot);
}

// ---- the folder list ----------------------------------------------------------

bool CatalogueViews::refreshListItem(const QString& text)
{
    catalogue::FolderModel& list = *m_state.lvPapka->items();
    const QString& current = m_state.currentFolder;
    const Branch branch = branchOf(current);
    const int existing = list.findText(text);
    if (branch == Branch::None)
        return true;
    if (branch == Branch::AboveRoot) {
        // Above the root the list holds the root alone, while the base has rows.
        const bool wanted = same(text, ct::root()) && m_state.rsBase && m_state.rsBase->recordCount() > 0;
        if (wanted && existing < 0) {
            catalogue::FolderItem item;
            item.text = ct::root();
            item.icon = catalogue::PicRoot;
            item.order = 1;  // every row lists it; the first one first
            list.insertItem(std::move(item));
        } else if (!wanted && existing >= 0) {
            list.removeItem(existing);
        }
        return true;
    }

    PathTreeModel* model = tree();
    Node* node = model->getNode(current % Sep % text);
    const std::vector<qint64> landings = node ? model->landings(node) : std::vector<qint64>();
    // Rows ending at the node are the entry itself, unless their path ends in
    // "\" (a folder record); rows below it make it a folder.
    bool folder = node && node->childCount() > 0;
    std::vector<std::pair<qint64, EntryPlace>> entries;
    for (qint64 j : landings) {
        EntryPlace p = placeAt(j);
        const std::optional<Landing> l = branch == Branch::Root ? std::nullopt : landingIn(branch, p);
        if (l && listedAs(current, l->path).kind == ListedAs::Entry)
            entries.emplace_back(j, std::move(p));
        else
            folder = true;
    }
    if (!node || (!folder && entries.empty())) {
        if (existing >= 0)
            list.removeItem(existing);
        return true;
    }
    // An entry beside a folder of its own name: the first of their rows decides
    // which one the list shows.
    if (folder && !entries.empty())
        return false;

    catalogue::FolderItem item;
    if (folder) {
        if (existing >= 0 && !list.tag(existing).isEmpty())
            return false;
        // At the root each item is a branch of its own.
        const Branch itemBranch = branch == Branch::Root ? branchOf(node->fullPath()) : branch;
        item.text = node->text();
        item.icon = folderPictureOf(itemBranch);
        // The first row listed below it put the item in the list and typed it.
        item.order = model->firstLandingBelow(node);
        if (typedBy(itemBranch, placeAt(item.order), branch == Branch::Root))
            item.type = ct::typeFolder();
    } else {
        if (existing >= 0 && list.tag(existing).isEmpty())
            return false;
        const auto& [first, firstPlace] = entries.front();
        item.text = listedAs(current, landingIn(branch, firstPlace)->path).text;
        item.tag = QString::number(first);
        item.icon = firstPlace.kind >= 1 ? firstPlace.kind : 0;
        item.order = first;
        // Each row listed in the item writes its columns, as the listing does;
        // entries under the installed bases get none.
        for (const auto& [j, p] : entries) {
            if (branch == Branch::Bases)
                continue;
            if (!p.linkTarget.isEmpty()) {
                item.type = ct::typeLink();
            } else {
                item.added = p.added;
                item.baseName = p.baseName;
                item.type = catalogue::getType(p.kind);
            }
        }
    }
    // The listing's last touches, whatever the folder.
    if (same(item.text, ct::root())) {
        item.text = ct::root();
        item.icon = catalogue::PicRoot;
    } else if (same(item.text, ct::installedBases())) {
        item.icon = catalogue::PicInstalledBases;
    }
    bool selected = false;
    if (existing >= 0) {
        const catalogue::FolderItem& old = list.item(existing);
        if (old.text == item.text && old.tag == item.tag && old.icon == item.icon && old.type == item.type &&
            old.added == item.added && old.baseName == item.baseName)
            return true;
        selected = m_state.lvPapka->selectedRow() == existing;
        list.removeItem(existing);
    }
    const int row = list.insertItem(std::move(item));
    // An item the user had selected stays selected under its new name.
    if (selected)
        m_state.lvPapka->selectRow(row);
    return true;
}

void CatalogueViews::refreshList(const std::vector<Landing>& landings)
{
    if (!m_state.lvPapka)
        return;
    if (!tree()) {
        catalogue::listPapka(m_state);
        return;
    }
    QStringList texts;
    for (const Landing& l : landings) {
        const ListedAs a = listedAs(m_state.currentFolder, l.path);
        if (a.kind != ListedAs::Nothing && !texts.contains(a.text, Qt::CaseInsensitive))
            texts << a.text;
    }
    for (const QString& text : texts) {
        if (!refreshListItem(text)) {
            catalogue::listPapka(m_state);
            return;
        }
    }
}

// ---- the index ----------------------------------------------------------------

void CatalogueViews::patchIndex(qint64 n, const EntryPlace& before, const EntryPlace& after)
{
    if (!m_state.lstAlphaList)
        return;
    catalogue::AlphaIndexModel& index = *m_state.lstAlphaList->items();
    if (before.indexed() && after.indexed() && before.name == after.name)
        return;
    if (before.indexed())
        index.removeItem(index.rowOfTag(n));
    if (after.indexed())
        index.insertSorted(after.name, n);
}

// ---- the changes ----------------------------------------------------------------

void CatalogueViews::entryChanged(qint64 n, const EntryPlace& before, const EntryPlace& after)
{
    m_knownRow = n;
    m_known = after;
    const std::vector<Landing> was = landingsOf(before);
    const std::vector<Landing> now = landingsOf(after);
    if (PathTreeModel* model = tree()) {
        // A new title in the same folder: a node that stood for this entry
        // alone takes the new name where it stands, which is where a load
        // puts it, instead of going to the end of its folder.
        const auto in = [](const std::vector<Landing>& places, const Landing& l) {
            return std::any_of(places.begin(), places.end(), [&l](const Landing& p) { return sameNode(l, p); });
        };
        std::vector<Landing> left, taken;  // the places renamed in place: old and new
        for (const Landing& l : now) {
            if (in(was, l))
                continue;
            for (const Landing& w : was) {
                const QString from = w.nodePath(), to = l.nodePath();
                if (w.branch != l.branch || in(now, w) || !same(from.section(Sep, 0, -2), to.section(Sep, 0, -2)))
                    continue;
                Node* node = model->getNode(from);
                if (node && node->childCount() == 0 && model->landings(node) == std::vector<qint64>{n} &&
                    !model->getNode(to) && model->renameNode(node, lastComponent(to))) {
                    left.push_back(w);
                    taken.push_back(l);
                }
                break;
            }
        }
        // New places first: a folder the entry leaves for a new name beside
        // it is not taken away and made again.
        for (const Landing& l : now) {
            if (in(was, l) || in(taken, l))
                settle(model->getNode(l.nodePath()), l.branch);
            else
                addLanding(l, n);
        }
        for (const Landing& l : was) {
            if (!in(now, l) && !in(left, l))
                removeLanding(l, n);
        }
        for (const Landing& l : was)
            fixTexts(l, n);
        for (const Landing& l : now)
            fixTexts(l, n);
        fixBranchPictures();
    }
    std::vector<Landing> all = was;
    all.insert(all.end(), now.begin(), now.end());
    refreshList(all);
    patchIndex(n, before, after);
    m_knownRow = 0;
}

void CatalogueViews::entryAdded(qint64 n, const EntryPlace& after)
{
    m_knownRow = n;
    m_known = after;
    const std::vector<Landing> now = landingsOf(after);
    if (tree()) {
        for (const Landing& l : now)
            addLanding(l, n);
        for (const Landing& l : now)
            fixTexts(l, n);
        fixBranchPictures();
    }
    refreshList(now);
    patchIndex(n, EntryPlace(), after);
    m_knownRow = 0;
}

void CatalogueViews::entryRemoved(qint64 n, const EntryPlace& before)
{
    m_knownRow = 0;
    const std::vector<Landing> was = landingsOf(before);
    if (PathTreeModel* model = tree()) {
        for (const Landing& l : was) {
            if (Node* node = model->getNode(l.nodePath()))
                model->removeLanding(node, n);
        }
        // From here on the tree's numbers are the recordset's again.
        model->renumberAfterRemoval(n);
        for (const Landing& l : was)
            settle(model->getNode(l.nodePath()), l.branch);
        for (const Landing& l : was)
            fixTexts(l, n);
        fixBranchPictures();
    }
    if (m_state.lvPapka) {
        m_state.lvPapka->items()->renumberAfterRemoval(n);
        refreshList(was);
    }
    if (m_state.lstAlphaList) {
        catalogue::AlphaIndexModel& index = *m_state.lstAlphaList->items();
        index.removeItem(index.rowOfTag(n));
        index.renumberAfterRemoval(n);
    }
    const qint64 sel = catalogue::recordNumberOf(m_state.selItem);
    if (sel == n)
        m_state.selItem.clear();
    else if (sel > n)
        m_state.selItem = QString::number(sel - 1);
}

bool CatalogueViews::folderRenamed(const QString& oldPath, const QString& newPath, const QStringList& bases)
{
    const QString newName = lastComponent(newPath);
    if (PathTreeModel* model = tree()) {
        std::vector<std::pair<Node*, QString>> moves;
        QStringList prefixes{branchPath(ct::records())};
        for (const QString& base : bases)
            prefixes << branchPath(ct::installedBases()) % Sep % base;
        for (const QString& prefix : prefixes) {
            Node* node = model->getNode(prefix % Sep % oldPath);
            if (!node || std::any_of(moves.begin(), moves.end(), [node](const auto& m) { return m.first == node; }))
                continue;
            Node* there = model->getNode(prefix % Sep % newPath);
            if (there && there != node)
                return false;
            moves.emplace_back(node, newName);
        }
        for (const auto& [node, name] : moves)
            model->renameNode(node, name);
    }
    if (m_state.lvPapka) {
        if (!tree()) {
            catalogue::listPapka(m_state);
            return true;
        }
        const QString records = branchPath(ct::records());
        std::vector<Landing> paths{{Branch::Records, records % Sep % oldPath % Sep},
                                   {Branch::Records, records % Sep % newPath % Sep}};
        for (const QString& base : bases) {
            const QString prefix = branchPath(ct::installedBases()) % Sep % base % Sep;
            paths.push_back({Branch::Bases, prefix % oldPath % Sep});
            paths.push_back({Branch::Bases, prefix % newPath % Sep});
        }
        refreshList(paths);
    }
    return true;
}

}  // namespace organise
