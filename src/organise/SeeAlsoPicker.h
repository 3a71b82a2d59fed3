#pragma once
// `FrmSeeAlso` ("Статьи"): picks an entry as a see-also target from the
// entries outside the recycle bin and not filed in "Избранное".
//
//     auto picker = organise::SeeAlsoPicker::create(*state.base, window);
//     if (!picker) { show picker.message(); return; }
//     if ((*picker)->exec() == QDialog::Accepted && !(*picker)->result().isEmpty())
//         references << (*picker)->result();   // "Path\Name", e.g. "Графика\Api\Пример"
//
// The result is the reference text: the target's Path and Name joined by "\",
// each component capitalised as the tree shows it (following a reference
// ignores letter case). Nothing stops the user from picking or typing a folder,
// which as a reference matches no entry.
#include "PickerDialog.h"

#include "store/Result.h"

#include <memory>

namespace store {
class Database;
class Recordset;
}  // namespace store

namespace organise {

class SeeAlsoPicker : public PickerDialog {
    Q_OBJECT
public:
    // Opens a recordset of its own on the open base and fills the tree from it;
    // an Error when the base cannot be read.
    static store::Result<std::unique_ptr<SeeAlsoPicker>> create(store::Database& base, QWidget* parent = nullptr);

private:
    explicit SeeAlsoPicker(QWidget* parent);
};

// The pass that fills a see-also picker's tree, for a tree of one's own.
void fillSeeAlsoTree(catalogue::PathTreeModel& tree, store::Recordset& rs);

}  // namespace organise
