#pragma once
// `FrmFolder` ("Просмотр"): picks a folder for an article from the folders of
// every entry outside the recycle bin and not filed in "Избранное".
//
//     organise::FolderPicker picker(*state.rsBase, window);
//     if (picker.exec() == QDialog::Accepted && !picker.result().isEmpty())
//         path = picker.result();   // e.g. "Графика\Api", components capitalised
//
// The result is a Path value as the tree spells it: every component begins
// with a capital letter (the catalogue compares paths without regard to case).
// Keep the object to show the same tree again; destroy it to read the base anew.
#include "PickerDialog.h"

namespace store {
class Recordset;
}

namespace organise {

class FolderPicker : public PickerDialog {
    Q_OBJECT
public:
    // Fills the tree in one pass over rs (the main window's RsBase, which is
    // left after its last row).
    explicit FolderPicker(store::Recordset& rs, QWidget* parent = nullptr);
};

// The pass that fills a folder picker's tree, for a tree of one's own.
void fillFolderTree(catalogue::PathTreeModel& tree, store::Recordset& rs);

}  // namespace organise
