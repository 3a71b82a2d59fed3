#pragma once
// What the main window owns and every handler works on: the open base and its
// one recordset, the selection, the current folder, the shown entry and the
// catalogue's widgets. FrmMain owns one; handler classes hold a reference.
#include "store/Database.h"
#include "store/Recordset.h"

#include <QString>

#include <functional>
#include <memory>

namespace catalogue {

class CatalogueTree;
class FolderList;
class AlphaIndexList;

struct MainState {
    // The application folder; the base is "basemain.mdb" inside it.
    QString appDir;
    std::shared_ptr<store::Database> base;
    std::unique_ptr<store::Recordset> rsBase;  // `RsBase`

    QString selItem;         // `SelItem`: RecordNumber of the entry last selected, or empty
    QString currentFolder;   // the folder list's tag: tree path of the folder it shows
    QString displayedEntry;  // the article pane's tag: RecordNumber of the entry last opened

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
};

// The integer part of a tag's numeric value ("12" → 12, "12.7" → 12); 0 when
// the text is not a number.
qint64 recordNumberOf(const QString& tag);

}  // namespace catalogue
