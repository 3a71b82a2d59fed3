#pragma once
// `FrmSetting`, "Настройки": the installed bases, one per line, the deletion of
// a whole base and the button that opens the page where bases are downloaded.
#include <QDialog>

#include <functional>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace catalogue {
struct MainState;
}
namespace platform {
class Prompter;
}

namespace shell {

class WebLinks;

class FrmSetting : public QDialog {
    Q_OBJECT
public:
    // rebuild: the catalogue load, which says itself when it fails.
    FrmSetting(catalogue::MainState& state, platform::Prompter& prompter, WebLinks& links,
               std::function<void()> rebuild, QWidget* parent = nullptr);

    // `Form_Load`: lists the bases of the open base. False, with the reason
    // shown, when they cannot be read; the window is then not to be shown.
    bool formLoad();
    // "&Удалить": the selected base, after the question; nothing when no line is
    // selected.
    void command1Click();
    // "&OK".
    void command4Click();
    // "&Загрузить".
    void cmdDownloadClick();

    // Says in the main window's status bar that a deletion goes on (an empty
    // text: it is over).
    std::function<void(const QString& text)> working;

    QLabel* Label1 = nullptr;
    QListWidget* LstBase = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command4 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* CmdDownload = nullptr;

private:
    void refuse(const QString& message);

    catalogue::MainState& m_state;
    platform::Prompter& m_prompter;
    WebLinks& m_links;
    std::function<void()> m_rebuild;
};

}  // namespace shell
