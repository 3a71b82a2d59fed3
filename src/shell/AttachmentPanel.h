#pragma once
// Connects the attachment list `LstFile` of the shown article and the extract
// commands to the attachment operations: it finds the displayed entry's archive
// and hands it over, with the folder chooser of the common dialogs.
#include <QByteArray>
#include <QObject>

#include <memory>
#include <optional>

class QListWidget;
class QMenu;
class QTextEdit;
class QWidget;

namespace attachments {
class AttachmentActions;
}
namespace catalogue {
struct MainState;
}
namespace dialogs {
class CommonDialogs;
}
namespace platform {
class DesktopShell;
class Prompter;
}  // namespace platform

namespace shell {

class AttachmentPanel : public QObject {
    Q_OBJECT
public:
    AttachmentPanel(catalogue::MainState& state, QListWidget* list, QTextEdit* articlePane, QMenu* popup,
                    QWidget* owner, platform::Prompter& prompter, platform::DesktopShell& desktop,
                    dialogs::CommonDialogs& dialogs);
    ~AttachmentPanel() override;

    // `LstFile_DblClick`: unpacks the selected file and opens it.
    void lstFileDblClick();
    // `ExtractAttachments`: every file into a folder the user chooses.
    void extractAttachments();
    // The files for a drag out of the list, unpacked into the data folder; the
    // items that could not be unpacked are reported.
    QStringList filesForDrag(const QStringList& itemTexts);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The shown article's Archive; nothing, after telling the user, when it cannot be read.
    std::optional<QByteArray> displayedArchive();
    bool articleShown() const;

    catalogue::MainState& m_state;
    QListWidget* m_list;
    QTextEdit* m_pane;
    QMenu* m_popup;
    QWidget* m_owner;
    platform::Prompter& m_prompter;
    dialogs::CommonDialogs& m_dialogs;
    std::unique_ptr<attachments::AttachmentActions> m_actions;
};

}  // namespace shell
