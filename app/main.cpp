// kodrix: the program. `kodrix --app-dir DIR` takes DIR as the application
// folder (the base, the ini file and the data folder); by default it is the
// folder of the executable.
#include "platform/DesktopShell.h"
#include "platform/Prompter.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kodrix"));
    QApplication::setApplicationVersion(QStringLiteral("1.1.74"));
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
    parser.process(app);
    const QString appDir = parser.isSet(appDirOption) ? QDir(parser.value(appDirOption)).absolutePath()
                                                      : QApplication::applicationDirPath();

    // The window decides when the program ends, through Startup::finished.
    app.setQuitOnLastWindowClosed(false);
    platform::QtPrompter prompter;
    platform::QtDesktopShell desktop;
    shell::Startup startup(appDir, prompter, desktop);
    QObject::connect(&startup, &shell::Startup::finished, &app, [](int code) { QCoreApplication::exit(code); });
    // The desktop ending the session closes no window first; the settings and
    // the clean-up still happen.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &startup, &shell::Startup::ensureShutDown);
    startup.start();
    return app.exec();
}
