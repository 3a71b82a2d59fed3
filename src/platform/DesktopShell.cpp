#include "DesktopShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

bool QtDesktopShell::open(const QString& target)
{
    // A web address or any other URL goes as it is; everything else is a path.
    const QUrl url(target, QUrl::StrictMode);
    const bool isUrl = url.isValid() && url.scheme().size() > 1;
    return QDesktopServices::openUrl(isUrl ? url : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()));
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
