#pragma once
// Dispatches the main toolbar's keys, its drop-down's keys and the View menu's
// list modes to the handlers that carry them out. Keys whose command arrives
// with later work have their buttons disabled and are ignored here.
#include <QObject>

namespace shell {

class AttachmentPanel;
class FrmMain;

class MainCommands : public QObject {
    Q_OBJECT
public:
    MainCommands(FrmMain& window, AttachmentPanel& attachments);

    // `TbMain_ButtonClick` and `TbMain_ButtonMenuClick`, by key.
    void buttonClick(const QString& key);
    void buttonMenuClick(const QString& key);

private:
    FrmMain& m_w;
    AttachmentPanel& m_attachments;
};

}  // namespace shell
