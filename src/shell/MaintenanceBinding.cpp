#include "MaintenanceBinding.h"

#include "ArticlePrinter.h"
#include "BaseCompaction.h"
#include "FrmAbout.h"
#include "FrmMain.h"
#include "FrmSetting.h"
#include "MainToolbar.h"
#include "ShellTexts.h"
#include "ShellTexts.h"
#include "StatusPanels.h"
#include "WebLinks.h"

#include "articles/ArticlePane.h"
#include "catalogue/CatalogueLoader.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QTimer>

namespace shell {

MaintenanceBinding::MaintenanceBinding(FrmMain& w, dialogs::CommonDialogs& dialogs)
    : QObject(&w), runModal([](QDialog& window) { return window.exec(); }), m_w(w)
{
    m_printer = new ArticlePrinter(w.state(), w.RTF, dialogs, w.prompter(), &w);
    m_compaction = new BaseCompaction(w.state(), w.prompter(), this);
    m_compaction->title = texts::mainTitle();
    m_compaction->reopened = [this] { showCount(); };
    m_compaction->baseLost = [this] { baseLost(); };
    m_compaction->working = [this](const QString& text) { showWorking(text); };
    m_links = std::make_unique<WebLinks>(w.state().appDir, w.desktop(), w.prompter());
    // Rows deleted for good, or a whole base, leave the count behind them at
    // once (once the views have followed the removal).
    w.state().onRowsRemoved([this](const std::vector<qint64>&) { QTimer::singleShot(0, this, [this] { showCount(); }); });

    connect(w.MnuFileCompress, &QAction::triggered, this, [this] { m_compaction->run(); });
    connect(w.MnuFilePageSetting, &QAction::triggered, this, [this] { m_printer->printerSetup(); });
    connect(w.MnuFilePrint, &QAction::triggered, this, [this] { m_printer->printArticle(); });
    // The toolbar's "print" runs the same command as the menu item.
    connect(w.TbMain, &MainToolbar::buttonClicked, this, [this](catalogue::ToolButton button) {
        if (button == catalogue::ToolButton::Print)
            m_printer->printArticle();
    });
    connect(w.MnuViewSetting, &QAction::triggered, this, &MaintenanceBinding::showSettings);
    connect(w.MnuHelpAbout, &QAction::triggered, this, &MaintenanceBinding::showAbout);
    connect(w.MnuZelvorantHomePage, &QAction::triggered, this, [this] { m_links->openHomePage(); });
    connect(w.MnuVbRussian, &QAction::triggered, this, [this] { m_links->openVbRussian(); });
    for (QAction* a : {w.MnuFileCompress, w.MnuFilePageSetting, w.MnuFilePrint, w.MnuViewSetting, w.MnuHelpAbout,
                       w.MnuZelvorantHomePage, w.MnuVbRussian})
        a->setEnabled(true);
    w.TbMain->setButtonEnabled(catalogue::ToolButton::Print, true);
}

MaintenanceBinding::~MaintenanceBinding() = default;

void MaintenanceBinding::rebuildCatalogue()
{
    const store::Result<void> loaded = catalogue::listAlpha(m_w.state());
    if (!loaded) {
        m_w.prompter().message(platform::MsgStyle::Critical, texts::mainTitle(),
                               texts::catalogueNotRebuilt(loaded.message()));
        return;
    }
    showCount();
}

void MaintenanceBinding::showWorking(const QString& text)
{
    // The wide panel, which otherwise names the shown article.
    if (!text.isEmpty()) {
        m_statusBefore = m_w.Status->panelText(catalogue::PanelEntry);
        m_w.Status->setPanelText(catalogue::PanelEntry, text);
    } else {
        m_w.Status->setPanelText(catalogue::PanelEntry, m_statusBefore);
    }
    // Painted now, without running the event loop: nothing else may happen
    // while the base is closed or its rows are going. The whole window, so
    // that as much as the display has already given back of what the menu
    // covered is drawn again before the work begins.
    m_w.repaint();
}

void MaintenanceBinding::showCount()
{
    const qint64 n = m_w.state().rsBase ? m_w.state().rsBase->recordCount() : 0;
    m_w.Status->setPanelText(catalogue::PanelArticles, catalogue::texts::articleCount(n));
}

void MaintenanceBinding::showSettings()
{
    FrmSetting window(m_w.state(), m_w.prompter(), *m_links, [this] { rebuildCatalogue(); }, &m_w);
    window.working = [this](const QString& text) { showWorking(text); };
    if (!window.formLoad())
        return;
    runModal(window);
}

void MaintenanceBinding::showAbout()
{
    FrmAbout window(m_w.prompter(), &m_w);
    runModal(window);
}

void MaintenanceBinding::baseLost()
{
    // The pane keeps what it shows, but nothing typed could be stored any more.
    m_w.RTF->setReadOnly(true);
    showCount();
}

}  // namespace shell
