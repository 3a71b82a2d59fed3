#pragma once
// `FrmAdd`, the article wizard: the modal window that creates entries and
// changes what the article pane cannot: an entry's title, folder, type and link
// (properties), an article's attached files, and its see-also list. The mode is
// `vStep`; each mode shows one page and has its own commit. The wizard writes
// the row it was opened on (found again by its Id) and tells the main window
// how to file the entry anew; it never touches another row.
#include "store/Result.h"

#include <QDateTime>
#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;

namespace catalogue {
struct MainState;
}
namespace dialogs {
class CdlgEx;
}
namespace platform {
class Prompter;
}

namespace articles {

// Where an entry was filed before its properties changed.
struct EntryPlace {
    QString path, name, baseName;
    qint64 kind = 0;
    bool deleted = false;
    bool favourite = false;
};

// What the wizard needs beyond the store.
struct WizardServices {
    platform::Prompter* prompter = nullptr;
    // The one common-dialog object of the wizard is made on the first opening.
    std::function<std::unique_ptr<dialogs::CdlgEx>()> newDialog;
    // `FrmFolder` and `FrmSeeAlso`: the folder path or the reference chosen,
    // nothing when the user chose nothing.
    std::function<std::optional<QString>(QWidget* owner)> pickFolder;
    std::function<std::optional<QString>(QWidget* owner)> pickSeeAlso;
    // The entry with this RecordNumber is new: the tree, the index and the
    // folder list show it.
    std::function<void(qint64 recordNumber)> entryAdded;
    // The entry's properties changed; it was filed as `before`.
    std::function<void(qint64 recordNumber, const EntryPlace& before)> entryChanged;
    // "Now", for the date of a new or changed entry.
    std::function<QDateTime()> now;
};

class FrmAdd : public QDialog {
    Q_OBJECT
public:
    enum Step : int { NewEntry = 0, Files = 1, SeeAlso = 2, Properties = 3 };

    FrmAdd(catalogue::MainState& state, WizardServices services, QWidget* parent = nullptr);
    ~FrmAdd() override;

    // The mode of the next opening; kept between openings like the last file
    // added and the dialog object.
    int vStep = NewEntry;

    // Opens the wizard modally in mode vStep on the row rsBase stands on (modes
    // 1–3). True when the user committed.
    bool run();
    // Prepares the page for vStep from the designed state. False when the wizard
    // cannot open (an archive that cannot be unpacked), after saying so.
    bool masterStep();
    // `LblSize` := the listed files' total in KB; the warning above 200.
    void refreshFileSize();

    // Handlers.
    void cmdGoClick();
    void cboCancelClick();
    void cmdBrowseClick();
    void cmdAddClick();
    void cmdDelClick();
    void cmdSeeAddClick();
    void cmdSeeDelClick();
    void optTypeClick(int index);

    // The names a file list stores are the names of the files: paths joined
    // with ";", each preceded by it.
    static QString joinedList(const QStringList& items);
    // Path as typed, without an empty level: no leading, trailing or doubled "\".
    static QString normalisedPath(const QString& typed);

    // The controls.
    QLabel* LblStep = nullptr;
    QLabel* LblStepName = nullptr;
    QStackedWidget* pages = nullptr;
    QWidget *Pic1 = nullptr, *Pic2 = nullptr, *Pic3 = nullptr;
    QLineEdit* TxtPath = nullptr;
    QPushButton* CmdBrowse = nullptr;
    QLineEdit* TxtName = nullptr;
    QRadioButton* OptType[4] = {};  // 1 … 3; element 0 is unused
    QLabel* LblLink = nullptr;
    QLineEdit* TxtPathLink = nullptr;
    QTreeWidget* LVFile = nullptr;
    QPushButton* CmdAdd = nullptr;
    QPushButton* CmdDel = nullptr;
    QLabel* LblSize = nullptr;
    QTreeWidget* LvSee = nullptr;
    QPushButton* CmdSeeAdd = nullptr;
    QPushButton* CmdSeeDel = nullptr;
    QPushButton* CmdGo = nullptr;
    QPushButton* CboCancel = nullptr;

private:
    void buildPages();
    void resetControls();
    int chosenType() const;
    bool validate();
    void addFileItem(const QString& path, const QString& name);
    store::Result<void> commitNew();
    store::Result<void> commitFiles();
    store::Result<void> commitSeeAlso();
    store::Result<void> commitProperties();
    void say(const QString& text, bool critical = true);

    catalogue::MainState& m_state;
    WizardServices m_s;
    std::unique_ptr<dialogs::CdlgEx> m_dialog;
    QString m_lastAddedFile;
    qint64 m_rowId = 0;  // the row modes 1–3 act on
    qint64 m_kind = 0;   // its Kind when the wizard opened (mode 3)
    bool m_committed = false;
};

}  // namespace articles
