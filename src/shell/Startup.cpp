#include "Startup.h"

#include "FrmMain.h"
#include "FrmSplash.h"
#include "LogoAnimation.h"
#include "MainLayout.h"
#include "NavigationBinding.h"
#include "ShellTexts.h"
#include "StatusPanels.h"
#include "WindowState.h"
#include "ZelvorantResizer.h"

#include "articles/ArticlePane.h"
#include "articles/ArticleTexts.h"
#include "articles/ArticleView.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/FolderListing.h"
#include "catalogue/Navigator.h"
#include "catalogue/PathTree.h"
#include "platform/Prompter.h"
#include "store/AppFiles.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QScreen>
#include <QTimer>

namespace shell {

void setBusyPointer(bool busy)
{
    if (busy) {
        if (!QGuiApplication::overrideCursor())
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    }
}

namespace {

// Status panel 1: "Готово", or "Только чтение" with the cause as its tooltip
// while the base is open for reading only.
void showBaseAccess(StatusPanels& status, const catalogue::MainState& state)
{
    const store::Database* base = state.base.get();
    const bool readOnly = base && base->readOnly();
    status.setPanelText(catalogue::PanelMessage, readOnly ? texts::readOnlyPanel() : texts::ready());
    status.setPanelToolTip(catalogue::PanelMessage, readOnly ? base->readOnlyMessage() : texts::ready());
}

}  // namespace

void reloadCatalogue(FrmMain& w)
{
    const StartupWidgets ui = w.startupWidgets();
    catalogue::MainState& state = w.state();
    state.flushPendingEdits();
    setBusyPointer(true);
    const store::Result<void> loaded = catalogue::listAlpha(state);
    setBusyPointer(false);
    if (!loaded) {
        w.prompter().message(platform::MsgStyle::Critical, texts::mainTitle(), loaded.message());
        return;
    }
    // RecordNumbers may have moved under the shown article; its Id has not.
    state.goToDisplayed();
    // The rebuilt tree forgot its selection; a shown folder is listed anew.
    if (catalogue::Node* node = ui.Twv->getNode(state.currentFolder))
        ui.Twv->selectNode(node);
    if (!w.navigation().navigator().articleVisible())
        catalogue::listPapka(state);
    const qint64 count = state.rsBase ? state.rsBase->recordCount() : 0;
    ui.Status->setPanelText(catalogue::PanelArticles, catalogue::texts::articleCount(count));
    showBaseAccess(*ui.Status, state);
}

store::Result<void> formLoad(FrmMain& w, FrmSplash* splash)
{
    const auto step = [splash](const QString& text) {
        if (splash)
            splash->setStep(text);
    };
    const StartupWidgets ui = w.startupWidgets();
    setBusyPointer(true);
    step(texts::stepFonts());
    ui.CboFont->clear();
    ui.CboFont->addItems(QFontDatabase::families());
    // The box names the articles' usual font, whether or not it is installed.
    ui.CboFont->setCurrentText(articles::texts::initialFont());

    // The first start fills the screen; later ones put the window back as it was.
    if (!WindowState::restoreGeometry(w)) {
        w.setWindowState(w.windowState() | Qt::WindowMaximized);
        if (const QScreen* screen = w.screen())
            w.setGeometry(screen->availableGeometry());
    }

    step(texts::stepInit());
    MainLayout& layout = w.mainLayout();
    layout.formResize();
    // The attachments splitter 1600 twips up from the bottom fixes the panel's height.
    layout.picHMouseMove(1, 0, 500, -1600);
    layout.formResize();

    step(texts::stepList());
    catalogue::MainState& state = w.state();
    state.showLoadProgress = true;
    state.progress = [splash](const QString& text) {
        if (splash)
            splash->setProgress(text);
    };
    const store::Result<void> loaded = catalogue::listAlpha(state);
    state.showLoadProgress = false;
    state.progress = nullptr;
    if (!loaded)
        return loaded.error();
    // A base without rows builds no tree; show the root with its empty branches
    // rather than an empty window.
    if (!ui.Twv->getNode(catalogue::texts::root()) && state.rsBase)
        catalogue::buildCatalogueTree(*ui.Twv->nodes(), *state.rsBase);

    catalogue::Navigator& navigation = w.navigation().navigator();
    navigation.setExtract(false, catalogue::PicExtractNone);
    navigation.setSeeEnabled(false);
    w.logo().showPicture(15);

    if (splash) {
        splash->flushProgress();
        splash->close();
    }
    setBusyPointer(false);
    const qint64 count = state.rsBase ? state.rsBase->recordCount() : 0;
    ui.Status->setPanelText(catalogue::PanelArticles, catalogue::texts::articleCount(count));
    showBaseAccess(*ui.Status, state);
    navigation.setUpEnabled(false);
    if (catalogue::Node* root = ui.Twv->getNode(catalogue::texts::root())) {
        ui.Twv->selectNode(root);
        Q_EMIT ui.Twv->nodeClicked(root);
    }
    ui.TRTema->setCaption(texts::contentsCaption());
    ui.TRFiles->setCaption(texts::filesCaption());
    // As the user left it last time, before it is seen.
    WindowState::restoreLayout(w);

    w.show();
    setBusyPointer(false);
    QCoreApplication::processEvents();
    w.setWindowTitle(texts::mainTitle());
    return {};
}

void shutdown(catalogue::MainState& state)
{
    // What the user typed last goes into the base before it closes.
    state.flushPendingEdits();
    const store::AppFiles files(state.appDir);
    files.writeShutdownSettings();
    if (state.rsBase)
        state.rsBase->close();
    state.rsBase.reset();
    if (state.base)
        state.base->close();
    state.base.reset();
    files.clearDataFolder();
}

Startup::Startup(QString appDir, platform::Prompter& prompter, platform::DesktopShell& desktop, QObject* parent)
    : QObject(parent), m_appDir(std::move(appDir)), m_prompter(prompter), m_desktop(desktop)
{
}

Startup::~Startup()
{
    delete m_main.data();
    delete m_splash.data();
}

void Startup::start()
{
    setBusyPointer(true);
    m_splash = new FrmSplash;
    m_splash->setAttribute(Qt::WA_DeleteOnClose);
    m_splash->show();
    QCoreApplication::processEvents();
    connect(m_splash->Timer, &QTimer::timeout, this, &Startup::splashTimer);
    m_splash->Timer->start();
}

void Startup::splashTimer()
{
    // One go only: the message box of a failed start runs an event loop of its own.
    if (m_splash)
        m_splash->Timer->stop();
    if (m_main)
        return;
    QCoreApplication::processEvents();
    m_main = new FrmMain(m_appDir, m_prompter, m_desktop);
    connect(m_main, &FrmMain::queryUnload, this, &Startup::queryUnload);
    const store::Result<void> result = formLoad(*m_main, m_splash);
    if (!result) {
        if (m_splash)
            m_splash->close();
        setBusyPointer(false);
        m_prompter.message(platform::MsgStyle::Critical, texts::startFailedTitle(),
                           texts::startFailed(result.message()));
        delete m_main.data();
        Q_EMIT finished(1);
        return;
    }
    if (m_openReference.isEmpty())
        WindowState::restoreLocation(*m_main);
    if (!m_openReference.isEmpty()) {
        if (!m_main->articleView().followSeeAlso(m_openReference))
            m_prompter.message(platform::MsgStyle::Warning, texts::mainTitle(),
                               texts::entryNotFound(m_openReference));
        else if (articles::ArticlePane* rtf = m_main->startupWidgets().RTF; rtf->isVisible())
            rtf->setFocus();  // asked for by name: ready to be read and typed into
    }
    Q_EMIT loaded();
}

void Startup::ensureShutDown()
{
    if (m_main && !m_shutDown) {
        m_shutDown = true;
        WindowState::save(*m_main);
        shutdown(m_main->state());
    }
}

void Startup::queryUnload()
{
    ensureShutDown();
    Q_EMIT finished(0);
}

}  // namespace shell
