#include "DesktopShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

namespace {

// A URL with a scheme of two letters or more: "C:\\…" is a drive, not a scheme.
bool isAddress(const QString& target)
{
    const QUrl url(target, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1;
}

QString expandHome(const QString& path)
{
    if (path == QLatin1String("~"))
        return QDir::homePath();
    if (path.startsWith(QLatin1String("~/")))
        return QDir::homePath() + path.mid(1);
    return path;
}

bool isProgramFile(const QFileInfo& f) { return f.isFile() && f.isExecutable(); }

}  // namespace

LaunchPlan planLaunch(const QString& target)
{
    const QString trimmed = target.trimmed();
    if (isAddress(trimmed))
        return {LaunchPlan::Kind::Address, QString(), {}};
    // A full path as it stands, blanks and all: a program file runs, anything
    // else is the opener's.
    const QFileInfo whole(expandHome(trimmed));
    if (whole.isAbsolute() && whole.exists()) {
        if (isProgramFile(whole))
            return {LaunchPlan::Kind::Program, whole.absoluteFilePath(), {}};
        return {LaunchPlan::Kind::Document, whole.absoluteFilePath(), {}};
    }
    QStringList words = QProcess::splitCommand(trimmed);
    if (words.isEmpty())
        return {LaunchPlan::Kind::NotFound, trimmed, {}};
    const QString named = words.takeFirst();
    const QString program = expandHome(named);
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo file(program);
        if (file.isAbsolute() && isProgramFile(file))
            return {LaunchPlan::Kind::Program, file.absoluteFilePath(), words};
        return {LaunchPlan::Kind::NotFound, named, words};
    }
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return {LaunchPlan::Kind::NotFound, named, words};
    return {LaunchPlan::Kind::Program, found, words};
}

LaunchResult DesktopShell::launch(const QString& target)
{
    const LaunchPlan plan = planLaunch(target);
    using Outcome = LaunchResult::Outcome;
    switch (plan.kind) {
    case LaunchPlan::Kind::Address:
        return {open(target.trimmed()) ? Outcome::Started : Outcome::Refused, QString()};
    case LaunchPlan::Kind::Document:
        return {open(plan.program) ? Outcome::Started : Outcome::Refused, QString()};
    case LaunchPlan::Kind::Program:
        return {startProgram(plan.program, plan.arguments) ? Outcome::Started : Outcome::ProgramFailed,
                plan.program};
    case LaunchPlan::Kind::NotFound:
        break;
    }
    return {Outcome::ProgramNotFound, plan.program};
}

bool QtDesktopShell::open(const QString& target)
{
    // A web address or any other URL goes as it is; everything else is a path.
    const bool address = isAddress(target);
    const QString what = address ? target : QFileInfo(target).absoluteFilePath();
    const QString program = QStandardPaths::findExecutable(opener);
    if (program.isEmpty() || !openRefusedLater || inSandbox())
        return QDesktopServices::openUrl(address ? QUrl(target, QUrl::StrictMode) : QUrl::fromLocalFile(what));

    // Started as QDesktopServices would start it, but watched: the opener
    // reports "no method available" only by its exit status, which a detached
    // start throws away, and the user would click a link and see nothing.
    // No parent: the opener may wait for the program it started (a browser)
    // and must outlive the window rather than be killed with it.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setWorkingDirectory(QDir::homePath());
    QElapsedTimer since;
    since.start();
    const auto refused = openRefusedLater;
    QObject::connect(process, &QProcess::finished, process,
                     [process, since, refused, target](int code, QProcess::ExitStatus status) {
                         if (status == QProcess::NormalExit && code != 0 && since.elapsed() < OpenerVerdictMs)
                             refused(target);
                         process->deleteLater();
                     });
    process->start(program, {what});
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    return true;
}

bool QtDesktopShell::inSandbox()
{
    return qEnvironmentVariableIsSet("FLATPAK_ID") || QFileInfo::exists(QStringLiteral("/.flatpak-info")) ||
           qEnvironmentVariableIsSet("SNAP");
}

bool QtDesktopShell::startProgram(const QString& program, const QStringList& arguments)
{
    // Detached: the program outlives this one, and its window is its own. It
    // starts in the home folder, never in whatever folder this one was started.
    return QProcess::startDetached(program, arguments, QDir::homePath());
}

static void ensureIconTheme()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // Offscreen and under a bare X server no theme is set; the system's icon folders
    // with breeze give one icon per file type.
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& dir :
         QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                   QStandardPaths::LocateDirectory))
        if (!paths.contains(dir))
            paths << dir;
    QIcon::setThemeSearchPaths(paths);
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("breeze"));
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}

QIcon QtDesktopShell::fileTypeIcon(const QString& fileName)
{
    ensureIconTheme();
    static QMimeDatabase mimes;
    const QMimeType type = mimes.mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull())
        icon = QIcon::fromTheme(type.genericIconName());
    if (icon.isNull())
        icon = QFileIconProvider().icon(QFileIconProvider::File);
    return icon;
}

}  // namespace platform
