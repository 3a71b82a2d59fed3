#pragma once
// `frmAbout`: the About box with the program's name, version and description,
// a legal notice, and the button that starts the system-information program.
#include "SystemInfo.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace platform {
class Prompter;
}

namespace shell {

class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(platform::Prompter& prompter, QWidget* parent = nullptr);

    // `cmdSysInfo_Click`.
    void cmdSysInfoClick();
    SystemInfo& systemInfo() { return m_sysInfo; }

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QPushButton* CmdOk = nullptr;
    QPushButton* cmdSysInfo = nullptr;

private:
    platform::Prompter& m_prompter;
    SystemInfo m_sysInfo;
};

}  // namespace shell
