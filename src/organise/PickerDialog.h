#pragma once
// The two pickers' common window: a tree of the catalogue (`TvFolder`), the
// chosen path (`TxtFolder`, which the user may also type into), OK (`CmdOk`,
// enabled while a path is there) and Cancel (`CmdCancel`, which empties it).
// A click on a node puts its full path into the text box.
//
// Shown modally with exec(); afterwards result() is the chosen path, or the
// empty text when nothing was chosen (Cancel, Escape or the close box). A
// picker only hidden keeps its tree: shown again, it is not filled again.
#include "catalogue/PathTree.h"

#include <QDialog>
#include <QIcon>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace organise {

class PickerDialog : public QDialog {
    Q_OBJECT
public:
    // The chosen path: TxtFolder's text; empty when nothing was chosen.
    QString result() const;

    catalogue::PathTree* tree() const { return m_tree; }
    QLineEdit* textBox() const { return m_text; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    // Cancel, Escape and the close box: nothing chosen.
    void reject() override;

protected:
    // pictures: the tree's own picture list, picture 1 first.
    PickerDialog(const QString& title, const QString& label, std::vector<QIcon> pictures, QWidget* parent);

private:
    catalogue::PathTree* m_tree;
    QLabel* m_label;
    QLineEdit* m_text;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

}  // namespace organise
