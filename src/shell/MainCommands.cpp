#include "MainCommands.h"

#include "AttachmentPanel.h"
#include "FrmMain.h"
#include "MainToolbar.h"
#include "Twips.h"

#include "catalogue/FolderList.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace shell {

MainCommands::MainCommands(FrmMain& window, AttachmentPanel& attachments)
    : QObject(&window), m_w(window), m_attachments(attachments)
{
    connect(window.TbMain, &MainToolbar::buttonClicked, this, &MainCommands::buttonClick);
    connect(window.TbMain, &MainToolbar::buttonMenuClicked, this, &MainCommands::buttonMenuClick);
    const std::pair<QAction*, catalogue::ViewMode> modes[] = {{window.MnuViewLargeIcon, catalogue::ViewMode::LargeIcons},
                                                              {window.MnuViewSmallIcon, catalogue::ViewMode::List},
                                                              {window.MnuViewTable, catalogue::ViewMode::Report}};
    for (const auto& [action, mode] : modes)
        connect(action, &QAction::triggered, this, [list = window.LvPapka, mode = mode] { list->setViewMode(mode); });
}

void MainCommands::buttonClick(const QString& key)
{
    if (key == QLatin1String("extract")) {
        m_attachments.extractAttachments();
    } else if (key == QLatin1String("see")) {
        // Just below the button, 160 twips in from its left edge.
        const QToolButton* b = m_w.TbMain->button(key);
        m_w.MnuSee->popup(b->mapToGlobal(QPoint(twipsToPixels(160, screenDpiX()), b->height())));
    } else if (key == QLatin1String("style")) {
        m_w.LvPapka->setViewMode(catalogue::ViewMode::LargeIcons);
    }
}

void MainCommands::buttonMenuClick(const QString& key)
{
    if (key == QLatin1String("big"))
        m_w.LvPapka->setViewMode(catalogue::ViewMode::LargeIcons);
    else if (key == QLatin1String("small"))
        m_w.LvPapka->setViewMode(catalogue::ViewMode::List);
    else if (key == QLatin1String("report"))
        m_w.LvPapka->setViewMode(catalogue::ViewMode::Report);
}

}  // namespace shell
