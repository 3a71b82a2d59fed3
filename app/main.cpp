// kodrix: the program. `kodrix --app-dir DIR` takes DIR as the application
// folder (the base, the ini file and the data folder); by default it is the
// folder of the executable.
#include "articles/ArticleTexts.h"
#include "catalogue/Texts.h"
#include "platform/DesktopShell.h"
#include "platform/Prompter.h"
#include "shell/Pictures.h"
#include "shell/ShellTexts.h"
#include "shell/SingleInstance.h"
#include "shell/StartFolder.h"
#include "shell/Startup.h"
#include "store/AppFiles.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSocketNotifier>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>

#include <memory>
#include <QTranslator>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A termination signal only writes a byte here; the event loop reads it and
// closes the window as the user would, so the settings are written and the
// data folder emptied when the system ends the program too.
int terminationPipe[2] = {-1, -1};

extern "C" void onTermination(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(terminationPipe[1], &byte, 1);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kodrix"));
    QApplication::setApplicationVersion(QString::fromLatin1(store::ProgramVersion));
    // Every window, message boxes included; the desktop entry names the same icon.
    QApplication::setWindowIcon(shell::appIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("kodrix"));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    // Qt's own buttons ("Отмена") in Russian, like the rest of the program.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption appDirOption(QStringLiteral("app-dir"),
                                          QStringLiteral("Папка программы (база, ini-файл, папка data)."),
                                          QStringLiteral("DIR"));
    parser.addOption(appDirOption);
    const QCommandLineOption openOption(
        QStringLiteral("open"), QStringLiteral("Открыть запись по ссылке вида «Раздел\\Название»."),
        QStringLiteral("REF"));
    parser.addOption(openOption);
    parser.addPositionalArgument(QStringLiteral("folder"), shell::texts::startArgumentHelp(),
                                 QStringLiteral("[папка | basemain.mdb]"));
    parser.process(app);
    QString appDir = parser.isSet(appDirOption) ? QDir(parser.value(appDirOption)).absolutePath()
                                                : QApplication::applicationDirPath();
    // A folder or a base named on the command line (as the desktop's "Open
    // with" names it) is the application folder of this run.
    if (const QStringList named = parser.positionalArguments(); !named.isEmpty()) {
        const shell::StartFolder start = shell::startFolderFrom(named.first());
        if (start.appDir.isEmpty()) {
            platform::QtPrompter().message(platform::MsgStyle::Critical, shell::texts::startFailedTitle(), start.error);
            return 2;
        }
        appDir = start.appDir;
    }

    // One program per data folder: a second start brings the first one's
    // window forward and ends. Files a crashed run left in the data folder go
    // once the lock is ours.
    const store::AppFiles files(appDir);
    files.ensureDataFolder();
    shell::SingleInstance instance(files.dataFolder());
    if (instance.acquire() == shell::SingleInstance::Role::Second)
        return 0;
    files.clearDataFolder();

    // The window decides when the program ends, through Startup::finished.
    app.setQuitOnLastWindowClosed(false);
    platform::QtPrompter prompter;
    platform::QtDesktopShell desktop;
    // A link or file the desktop's opener turned down a moment after it started
    // (no program for it): said like a refusal at the start.
    desktop.openRefusedLater = [&prompter](const QString& target) {
        prompter.message(platform::MsgStyle::Critical, catalogue::texts::programTitle(),
                         articles::texts::noProgramFor(target));
    };
    shell::Startup startup(appDir, prompter, desktop);
    QObject::connect(&instance, &shell::SingleInstance::activationRequested, &startup, [&startup] {
        shell::bringToFront(startup.mainWindow() ? static_cast<QWidget*>(startup.mainWindow())
                                                 : static_cast<QWidget*>(startup.splash()));
    });
    if (parser.isSet(openOption))
        startup.setOpenReference(parser.value(openOption));
    QObject::connect(&startup, &shell::Startup::finished, &app, [](int code) { QCoreApplication::exit(code); });
    // The desktop ending the session closes no window first; the settings and
    // the clean-up still happen.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &startup, &shell::Startup::ensureShutDown);
    std::unique_ptr<QSocketNotifier> termination;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, terminationPipe) == 0) {
        termination = std::make_unique<QSocketNotifier>(terminationPipe[0], QSocketNotifier::Read);
        QObject::connect(termination.get(), &QSocketNotifier::activated, &app, [&] {
            termination->setEnabled(false);
            if (shell::FrmMain* window = startup.mainWindow(); window && window->isVisible())
                window->close();
            else
                QCoreApplication::quit();
        });
        struct sigaction action = {};
        action.sa_handler = onTermination;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int sig : {SIGTERM, SIGINT, SIGHUP})
            ::sigaction(sig, &action, nullptr);
    }
    startup.start();
    return app.exec();
}
