#pragma once
// Keeps the catalogue's views (the tree, the folder list and the alphabetical
// index) in step with single rows that change, arrive or go: each view is
// patched to what a catalogue load would show, instead of loading the whole
// catalogue again. The organising commands call it after every stored change,
// and so does the article wizard for the entries it adds or changes:
//
//     const EntryPlace before = EntryPlace::of(*state.rsBase);
//     ... edit, setValue, update; on failure: message, return ...
//     views.entryChanged(n, before, EntryPlace::of(*state.rsBase));
//
// Only after the write has been stored: a failed write leaves the views alone.
#include "EntryPlace.h"

#include "catalogue/MainState.h"
#include "store/Result.h"

#include <QStringList>

#include <optional>

namespace catalogue {
class Node;
class PathTreeModel;
}  // namespace catalogue

namespace organise {

class CatalogueViews {
public:
    explicit CatalogueViews(catalogue::MainState& state);

    // Row n (its RecordNumber) was `before` and is stored as `after`.
    void entryChanged(qint64 n, const EntryPlace& before, const EntryPlace& after);
    // Row n, the last one, was added as `after`.
    void entryAdded(qint64 n, const EntryPlace& after);
    // Row n, which was `before`, is removed from the base and from rsBase:
    // every later row moved one place forward, and so do the RecordNumbers that
    // the tree, the folder list, the index and SelItem hold.
    void entryRemoved(qint64 n, const EntryPlace& before);
    // The folder `oldPath` (a Path value, shown below "Записи") is `newPath`
    // now, the same folder under a new last name, in every row that lay in or
    // below it; `bases` are those rows' installed bases. Moves the folder's
    // branches of the tree and its item in the folder list. False, changing
    // nothing, when a folder of the new name is there already (only a reload
    // can show the two merged).
    bool folderRenamed(const QString& oldPath, const QString& newPath, const QStringList& bases);
    // The whole catalogue loaded again (ListAlpha), for what a patch cannot show.
    store::Result<void> reload();

private:
    catalogue::PathTreeModel* tree() const;
    EntryPlace placeAt(qint64 j);
    void addLanding(const Landing& landing, qint64 n);
    void removeLanding(const Landing& landing, qint64 n);
    // Picture, text and existence of a node whose entries changed.
    void settle(catalogue::Node* node, Branch branch);
    void prune(catalogue::Node* node);
    // The texts of the nodes on an entry's path, as the first row below each
    // spells them, where row n was or is that row.
    void fixTexts(const Landing& landing, qint64 n);
    bool isFixed(const catalogue::Node* node) const;
    void fixBranchPictures();
    // The folder-list items that these tree paths give the shown folder.
    void refreshList(const std::vector<Landing>& landings);
    // False when only a full listing can tell what the item is.
    bool refreshListItem(const QString& text);
    void patchIndex(qint64 n, const EntryPlace& before, const EntryPlace& after);

    catalogue::MainState& m_state;
    // The row being patched, as stored: read from here rather than the base.
    qint64 m_knownRow = 0;
    EntryPlace m_known;
};

}  // namespace organise
