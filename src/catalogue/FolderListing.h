#pragma once
// The folder listing (`ListPapka`): one pass over all rows that forms each row's
// tree paths and keeps those lying below the current folder, so the list agrees
// with the tree without reading it.
#include "MainState.h"

#include <QString>

namespace catalogue {

class FolderModel;

// ListPapka: refills the folder list for state.currentFolder.
void listPapka(MainState& state);
// The same on a given model and recordset (report as in buildCatalogueTree).
void listFolder(FolderModel& list, store::Recordset& rs, const QString& currentFolder,
                const std::function<void(qint64 i, qint64 n)>& report = {});

// AddItemToListView: when fullPath lies below currentPath, the item for it in
// the list: the entry itself when it lies directly in currentPath (tag itemKey,
// picture fileIcon), else the sub-folder it lies in (empty tag, folderIcon).
// Returns the row of a new item or of an existing entry of that name; -1 when
// fullPath lies elsewhere or its sub-folder is listed already.
int addItemToListView(FolderModel& list, const QString& fullPath, const QString& currentPath,
                      const QString& itemKey, int folderIcon, int fileIcon);
// GetItem / ItemExists: by text, without regard to letter case.
int getItem(const FolderModel& list, const QString& text);
bool itemExists(const FolderModel& list, const QString& text);
// GetType: the type text of a Kind.
QString getType(int kind);

}  // namespace catalogue
