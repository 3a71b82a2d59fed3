#pragma once
// What the main window owns and every handler works on: the open base and its
// one recordset, the selection, the current folder, the shown entry and the
// catalogue's widgets. FrmMain owns one; handler classes hold a reference.
#include "store/Database.h"
#include "store/Recordset.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace catalogue {

class CatalogueTree;
class FolderList;
class AlphaIndexList;

struct MainState {
    MainState() = default;
    ~MainState();
    MainState(const MainState&) = delete;
    MainState& operator=(const MainState&) = delete;

    // The application folder; the base is "basemain.mdb" inside it.
    QString appDir;
    std::shared_ptr<store::Database> base;
    std::unique_ptr<store::Recordset> rsBase;  // `RsBase`

    QString selItem;         // `SelItem`: RecordNumber of the entry last selected, or empty
    QString currentFolder;   // the folder list's tag: tree path of the folder it shows
    QString displayedEntry;  // the article pane's tag: RecordNumber of the article shown, or empty
    // The stable Id of the shown article's row, 0 when none is shown. Only
    // OpenEntry sets it (with displayedEntry), and only when it shows an article:
    // a link it launches leaves the pane's row alone. Removing other rows moves
    // RecordNumbers; the Id keeps naming the same row.
    qint64 displayedId = 0;

    CatalogueTree* twv = nullptr;
    FolderList* lvPapka = nullptr;
    AlphaIndexList* lstAlphaList = nullptr;

    // While on (start-up), the loading passes report "i из n" through progress.
    bool showLoadProgress = false;
    std::function<void(const QString& text)> progress;

    // Positions rsBase on the RecordNumber written in tag (its integer part), as
    // MoveFirst and Move(n − 1) would. False, with the recordset left where it
    // was, when there is no recordset or the number lies outside the rows.
    bool goToRecord(const QString& tag);
    // Positions rsBase on the shown article's row by its Id and brings
    // displayedEntry up to date; false when no article is shown or its row is gone.
    bool goToDisplayed();

    // Writes what the article pane holds and has not stored yet. Everything that
    // leaves the shown article, reads its Body, closes or replaces the base calls
    // it first.
    std::function<void()> flushEdits;
    void flushPendingEdits()
    {
        if (flushEdits)
            flushEdits();
    }

    // Told the Ids of rows removed from the base, after the removal is stored.
    using RowsRemovedHandler = std::function<void(const std::vector<qint64>& ids)>;
    void onRowsRemoved(RowsRemovedHandler handler) { m_rowsRemoved.push_back(std::move(handler)); }
    void notifyRowsRemoved(const std::vector<qint64>& ids)
    {
        for (const auto& h : m_rowsRemoved)
            h(ids);
    }
    // Makes `db` the open base and forwards its removals to the handlers above.
    void adoptBase(std::shared_ptr<store::Database> db);
    // Told when another base (another connection) becomes the open one, before
    // anything reads or writes through it: data kept beside the rows attaches here.
    using BaseAdoptedHandler = std::function<void(const std::shared_ptr<store::Database>& db)>;
    void onBaseAdopted(BaseAdoptedHandler handler) { m_baseAdopted.push_back(std::move(handler)); }

private:
    std::vector<RowsRemovedHandler> m_rowsRemoved;
    std::vector<BaseAdoptedHandler> m_baseAdopted;
    std::weak_ptr<store::Database> m_listened;
    int m_listener = 0;
};

// A row with neither title nor target stands for its folder (a folder record,
// `Kind` 8): it is listed and opened as that folder, never shown as an article.
bool isFolderRecord(store::Recordset& rs);

// The integer part of a tag's numeric value ("12" → 12, "12.7" → 12); 0 when
// the text is not a number.
qint64 recordNumberOf(const QString& tag);

}  // namespace catalogue
