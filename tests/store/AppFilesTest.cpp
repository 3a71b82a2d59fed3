#include "store/AppFiles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>


#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace store;
using testsupport::writeFile;

TEST(ReadIni, PrivateProfileRules)
{
    QTemporaryDir tmp;
    const QString ini = tmp.path() + QStringLiteral("/orvex.ini");
    const QString longValue(300, QLatin1Char('x'));
    ASSERT_TRUE(writeFile(ini, QStringLiteral("; comment\r\n[Other]\r\nhome=wrong\r\n[WWW]\r\nHome = http://пример.рф/\r\n"
                                              "long=%1\r\nquoted=\"a b\"\r\n")
                                   .arg(longValue)
                                   .toUtf8()));
    struct Case {
        const char* section;
        const char* key;
        QString expected;
    };
    const Case cases[] = {
        {"www", "home", QStringLiteral("http://пример.рф/")},
        {"Www", "HOME", QStringLiteral("http://пример.рф/")},
        {"www", "missing", QString()},
        {"nosuch", "home", QString()},
        {"www", "long", QString(254, QLatin1Char('x'))},
        {"www", "quoted", QStringLiteral("a b")},
        {"other", "home", QStringLiteral("wrong")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(readIni(QString::fromUtf8(c.section), QString::fromUtf8(c.key), ini), c.expected);
    }
    EXPECT_EQ(readIni(QStringLiteral("www"), QStringLiteral("home"), tmp.path() + QStringLiteral("/none.ini")),
              QString());
}

TEST(ReadIni, Cp1251File)
{
    QTemporaryDir tmp;
    const QString ini = tmp.path() + QStringLiteral("/orvex.ini");
    ASSERT_TRUE(writeFile(ini, QByteArray("[www]\nhome=\xcf\xf0\xe8\xec\xe5\xf0\n")));
    EXPECT_EQ(readIni(QStringLiteral("www"), QStringLiteral("home"), ini), QStringLiteral("Пример"));
}

TEST(ClearDataFolder, KeepsOnlyTheMarkerInAnyCase)
{
    QTemporaryDir tmp;
    AppFiles files(tmp.path() + QStringLiteral("/Программа"));
    ASSERT_TRUE(QDir().mkpath(files.dataFolder() + QStringLiteral("/sub")));
    for (const char* name : {"ZVCREATEDIR", "zvcreatedir.txt", "a.zip", "Модуль.bas", ".kodrix.lock"})
        ASSERT_TRUE(writeFile(files.dataFile(QString::fromUtf8(name)), "x"));
    files.clearDataFolder();
    QDir data(files.dataFolder());
    // The running program's lock stays with the marker.
    EXPECT_EQ(data.entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{QStringLiteral(".kodrix.lock"), QStringLiteral("ZVCREATEDIR")}));
    EXPECT_TRUE(data.exists(QStringLiteral("sub")));  // folders are not its business

    AppFiles missing(tmp.path() + QStringLiteral("/нет такой"));
    missing.clearDataFolder();  // nothing to do, nothing created
    EXPECT_FALSE(QDir(missing.dataFolder()).exists());
}

// A run that crashed leaves its unpacked attachments and an unpack's hidden
// partial file; the next start clears them, sparing the marker and the lock.
TEST(ClearDataFolder, AtStartWhatACrashLeftGoesButTheLockStays)
{
    QTemporaryDir tmp;
    AppFiles files(tmp.path() + QStringLiteral("/Программа"));
    ASSERT_TRUE(QDir().mkpath(files.dataFolder()));
    for (const char* name : {"zvcreatedir", "kodrix.lock", "Отчёт.doc", ".kodrix-unpack-4242-AbC123"})
        ASSERT_TRUE(writeFile(files.dataFile(QString::fromUtf8(name)), "x"));
    QFile::setPermissions(files.dataFile(QStringLiteral("Отчёт.doc")), QFile::ReadOwner);
    files.clearStaleDataFiles({QStringLiteral("kodrix.lock")});
    EXPECT_EQ(QDir(files.dataFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({QStringLiteral("kodrix.lock"), QStringLiteral("zvcreatedir")}));
}

TEST(Settings, ShutdownWritesBasePathAndVersion)
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir tmp;
    AppFiles files(tmp.path());
    files.writeShutdownSettings();
    QSettings s(QStringLiteral("Zelvorant Kodrix"), QStringLiteral("Zelvorant Kodrix"));
    EXPECT_EQ(s.value(QStringLiteral("Common/BasePath")).toString(), files.basePath());
    EXPECT_EQ(s.value(QStringLiteral("Common/Version")).toString(), QStringLiteral("1.1.74"));
    s.clear();
    // Test mode moves every standard place, the cache too; the tests after this
    // one in the same process set their own.
    QStandardPaths::setTestModeEnabled(false);
}

TEST(SafeFileName, RejectsAnythingThatLeavesTheFolder)
{
    for (const char* bad : {"", " ", ".", "..", "../x", "a/b", "a\\b", "C:x", "\\\\srv\\share"})
        EXPECT_FALSE(isSafeFileName(QString::fromUtf8(bad))) << bad;
    for (const char* good : {"a.txt", "Модуль 1.bas", "..hidden", "x..y"})
        EXPECT_TRUE(isSafeFileName(QString::fromUtf8(good))) << good;
}

TEST(DataFolder, AnApplicationFolderThatCannotBeWrittenGetsOneOfTheUsersOwn)
{
    QTemporaryDir tmp;
    const QString installed = tmp.filePath(QStringLiteral("Установлено"));
    const QString other = tmp.filePath(QStringLiteral("Другая"));
    const QString portable = tmp.filePath(QStringLiteral("Переносная"));
    const QString cache = tmp.filePath(QStringLiteral("кэш"));
    for (const QString& app : {installed, other, portable})
        ASSERT_TRUE(QDir().mkpath(app + QStringLiteral("/data")));
    ASSERT_TRUE(QDir().mkpath(cache));
    const auto rx = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                    QFile::ExeOther;
    const auto all = rx | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    ASSERT_TRUE(QFile::setPermissions(tmp.path(), rx | QFile::WriteOwner));
    for (const QString& app : {installed, other})
        ASSERT_TRUE(QFile::setPermissions(app + QStringLiteral("/data"), rx));
    ASSERT_TRUE(QFile::setPermissions(portable, all));
    ASSERT_TRUE(QFile::setPermissions(portable + QStringLiteral("/data"), all));
    ASSERT_TRUE(QFile::setPermissions(cache, all));
    const QByteArray cacheBefore = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache));
    const int code = testsupport::asOrdinaryUser([&] {
        const AppFiles a(installed), b(other), c(portable);
        if (!a.dataFolder().startsWith(cache + QStringLiteral("/kodrix/")))
            return 1;
        if (a.dataFolder() == b.dataFolder())
            return 2;
        if (!a.ensureDataFolder() || !QFileInfo(a.dataFolder()).isDir() || !writeFile(a.dataFile(QStringLiteral("x.bas")), "x"))
            return 3;
        if (c.dataFolder() != portable + QStringLiteral("/data"))
            return 4;
        return 0;
    });
    qputenv("XDG_CACHE_HOME", cacheBefore);
    EXPECT_EQ(code, 0);
    // The installation's own data folder got nothing.
    EXPECT_TRUE(QDir(installed + QStringLiteral("/data")).isEmpty());
}
