#include "StartFolder.h"

#include "ShellTexts.h"

#include "store/AppFiles.h"

#include <QDir>
#include <QFileInfo>

namespace shell {

StartFolder startFolderFrom(const QString& argument)
{
    const QFileInfo target(QDir::current(), argument);
    const QString shown = QDir::toNativeSeparators(argument);
    if (!target.exists())
        return {QString(), texts::startTargetMissing(shown)};
    if (target.isDir())
        return {target.absoluteFilePath(), QString()};
    // The base of an application folder always bears the one name.
    const QString baseName = QFileInfo(store::AppFiles(QString()).basePath()).fileName();
    if (target.fileName().compare(baseName, Qt::CaseInsensitive) != 0)
        return {QString(), texts::startTargetNotABase(shown, baseName)};
    return {target.absolutePath(), QString()};
}

}  // namespace shell
