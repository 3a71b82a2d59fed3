#pragma once
// Start-up and shutdown: the start procedure with the splash window, the main
// window's load sequence (`Form_Load`) and what every way of closing it does.
#include "FrmMain.h"
#include "FrmSplash.h"
#include "store/Result.h"

#include <QObject>
#include <QPointer>

class QComboBox;

namespace articles {
class ArticlePane;
}
namespace catalogue {
class CatalogueTree;
struct MainState;
}  // namespace catalogue
namespace platform {
class DesktopShell;
class Prompter;
}  // namespace platform

namespace shell {

class StatusPanels;
class ZelvorantResizer;

// The controls the load sequence and the reload fill in; the window itself is
// shown, placed and titled as a whole.
struct StartupWidgets {
    QComboBox* CboFont = nullptr;
    catalogue::CatalogueTree* Twv = nullptr;
    StatusPanels* Status = nullptr;
    ZelvorantResizer* TRTema = nullptr;
    ZelvorantResizer* TRFiles = nullptr;
    articles::ArticlePane* RTF = nullptr;
};

// `FrmMain.Form_Load`: fonts, layout, the catalogue (progress on the splash
// window when there is one), the initial toolbar and status bar, the root, and
// the window shown. A base that cannot be opened comes back as the Error, with
// the window not shown.
store::Result<void> formLoad(FrmMain& window, FrmSplash* splash);

// F5: the catalogue loaded again from the base (another program may have
// changed it); the tree keeps its open branches, the list and the counts
// follow, the shown article stays. A base that fails to load is reported.
void reloadCatalogue(FrmMain& window);

// `Form_QueryUnload`'s work: the two settings, the base closed, the data folder
// emptied. Every step runs whatever happened to the one before.
void shutdown(catalogue::MainState& state);

class Startup : public QObject {
    Q_OBJECT
public:
    Startup(QString appDir, platform::Prompter& prompter, platform::DesktopShell& desktop,
            QObject* parent = nullptr);
    ~Startup() override;

    // The start procedure: hourglass, splash window; its timer goes on from there.
    void start();
    // An entry to open once the window is up ("Path\Name", as see-also
    // references name entries), as a double click on it would.
    void setOpenReference(const QString& reference) { m_openReference = reference; }

    // Runs the shutdown unless closing the window already did (the platform
    // ending the program without closing its windows).
    void ensureShutDown();

    FrmMain* mainWindow() const { return m_main; }
    FrmSplash* splash() const { return m_splash; }

Q_SIGNALS:
    // The main window is shown on the catalogue.
    void loaded();
    // The program is over: 0 after a normal close, non-zero when it could not start.
    void finished(int exitCode);

private:
    void splashTimer();
    void queryUnload();

    QString m_appDir;
    platform::Prompter& m_prompter;
    platform::DesktopShell& m_desktop;
    QPointer<FrmSplash> m_splash;
    QPointer<FrmMain> m_main;
    bool m_shutDown = false;
    QString m_openReference;
};

// The hourglass over the whole screen, on or off (never stacked).
void setBusyPointer(bool busy);

}  // namespace shell
