// The folder or base named on the command line.
#include "TestSupport.h"

#include "shell/StartFolder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(StartFolder, AFolderOrItsBaseNamesTheApplicationFolder)
{
    QTemporaryDir tmp;
    const QString app = tmp.filePath(QStringLiteral("Мой справочник"));
    ASSERT_TRUE(QDir().mkpath(app));
    ASSERT_TRUE(testsupport::writeFile(app + QStringLiteral("/basemain.mdb"), "base"));
    ASSERT_TRUE(testsupport::writeFile(app + QStringLiteral("/Статья.rtf"), "text"));
    const QString here = QDir::currentPath();
    QDir::setCurrent(tmp.path());
    struct Case {
        QString argument;
        QString appDir;      // empty: refused
        QString errorNames;  // part of the message when refused
    };
    const std::vector<Case> cases = {
        {app, app, {}},
        {app + QStringLiteral("/"), app, {}},
        {app + QStringLiteral("/basemain.mdb"), app, {}},
        {app + QStringLiteral("/BaseMain.MDB"), {}, {}},  // exists only in this letter case on Linux
        {QStringLiteral("Мой справочник/basemain.mdb"), app, {}},
        {QStringLiteral("Мой справочник"), app, {}},
        {app + QStringLiteral("/Статья.rtf"), {}, QStringLiteral("Статья.rtf")},
        {tmp.filePath(QStringLiteral("нет такой")), {}, QStringLiteral("нет такой")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument.toStdString());
        const shell::StartFolder start = shell::startFolderFrom(c.argument);
        EXPECT_EQ(QDir::cleanPath(start.appDir), QDir::cleanPath(c.appDir));
        EXPECT_EQ(start.error.isEmpty(), !c.appDir.isEmpty());
        if (!c.errorNames.isEmpty()) {
            EXPECT_TRUE(start.error.contains(c.errorNames)) << start.error.toStdString();
        }
    }
    QDir::setCurrent(here);
}
