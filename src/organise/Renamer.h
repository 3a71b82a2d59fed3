#pragma once
// Renaming in the folder list: the list's own label editing (a click on the
// selected item's name, or F2) renames an entry (its Name) or a folder (the
// Path of every row in or below it, in one transaction).
#include "OrganiseContext.h"

#include <QObject>

namespace catalogue {
class FolderList;
}

namespace organise {

class Renamer : public QObject {
    Q_OBJECT
public:
    Renamer(OrganiseContext context, catalogue::FolderList& list, QObject* parent = nullptr);

    // Turns the list's label editing on: which items may be edited, and the
    // rename when an edit is confirmed (handled once the editor has closed).
    void attach();

    // `LvPapka_BeforeLabelEdit`: whether the item in `row` may be renamed.
    // Never the root, the fixed branches, an installed base's name, a folder
    // inside "Избранное" or "Корзина" (a part of a title, not a folder), or a
    // folder record's own item: a new label there would be stored nowhere.
    bool canRename(int row) const;
    // F2: starts the label edit of the selected item, when it may be renamed.
    void editSelected();
    // `LvPapka_AfterLabelEdit` for the item in `row` confirmed as `newName`. An
    // unchanged name ends the edit quietly (Escape never comes here). An empty
    // name, one holding "\" or one the list has already shows the refusal and
    // starts the edit again. True when the rename was stored; the views follow.
    bool afterLabelEdit(int row, const QString& newName);

private:
    bool renameEntry(const QString& tag, const QString& newName);
    bool renameFolder(const QString& oldName, const QString& newName);
    void refuse(const QString& message, const QString& tag, const QString& text);
    int rowOf(const QString& tag, const QString& text) const;

    OrganiseContext m_c;
    catalogue::FolderList& m_list;
};

}  // namespace organise
