// Entry targets: which go to the desktop's opener and which are command lines
// to run, and the real start of a program with its arguments.
#include "TestSupport.h"

#include "platform/DesktopShell.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using platform::LaunchPlan;

namespace {

bool writeProgram(const QString& path, const QByteArray& script)
{
    if (!testsupport::writeFile(path, script))
        return false;
    return QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
}

// PATH and the current folder of one test, put back afterwards.
class Surroundings {
public:
    Surroundings(const QString& extraPath, const QString& folder)
        : m_path(qgetenv("PATH")), m_folder(QDir::currentPath())
    {
        qputenv("PATH", QFile::encodeName(extraPath) + ':' + m_path);
        QDir::setCurrent(folder);
    }
    ~Surroundings()
    {
        qputenv("PATH", m_path);
        QDir::setCurrent(m_folder);
    }

private:
    QByteArray m_path;
    QString m_folder;
};

}  // namespace

TEST(LaunchPlan, AddressesDocumentsAndCommandLines)
{
    QTemporaryDir tmp;
    const QString bin = tmp.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString prog = bin + QStringLiteral("/kodrix-test-prog");
    const QString spaced = tmp.filePath(QStringLiteral("программа с пробелом"));
    const QString document = tmp.filePath(QStringLiteral("Документ с пробелом.txt"));
    ASSERT_TRUE(writeProgram(prog, "#!/bin/sh\nexit 0\n"));
    ASSERT_TRUE(writeProgram(spaced, "#!/bin/sh\nexit 0\n"));
    ASSERT_TRUE(testsupport::writeFile(document, "текст"));
    // A file of that bare name in the current folder must not be taken for the target.
    ASSERT_TRUE(testsupport::writeFile(tmp.filePath(QStringLiteral("gnome-calculator")), "not a program"));
    Surroundings here(bin, tmp.path());

    using K = LaunchPlan::Kind;
    struct Case {
        QString target;
        K kind;
        QString program;
        QStringList arguments;
    };
    const std::vector<Case> cases = {
        {QStringLiteral("https://learn.microsoft.com/ru-ru/vba"), K::Address, {}, {}},
        {QStringLiteral("mailto:vb@example.org"), K::Address, {}, {}},
        {QStringLiteral("kodrix-test-prog"), K::Program, prog, {}},
        {QStringLiteral("  kodrix-test-prog --mode=scientific \"два слова\"  "), K::Program, prog,
         {QStringLiteral("--mode=scientific"), QStringLiteral("два слова")}},
        {prog + QStringLiteral(" -v"), K::Program, prog, {QStringLiteral("-v")}},
        {spaced, K::Program, spaced, {}},
        {QLatin1Char('"') + spaced + QStringLiteral("\" -x"), K::Program, spaced, {QStringLiteral("-x")}},
        {document, K::Document, document, {}},
        {tmp.path(), K::Document, tmp.path(), {}},
        {QStringLiteral("gnome-calculator"), K::NotFound, QStringLiteral("gnome-calculator"), {}},
        {QStringLiteral("/nowhere/calc -a"), K::NotFound, QStringLiteral("/nowhere/calc"), {QStringLiteral("-a")}},
        {QStringLiteral("C:\\Windows\\calc.exe"), K::NotFound, QStringLiteral("C:\\Windows\\calc.exe"), {}},
        {QStringLiteral("Документ с пробелом.txt"), K::NotFound, QStringLiteral("Документ"),
         {QStringLiteral("с"), QStringLiteral("пробелом.txt")}},
        {QString(), K::NotFound, QString(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        const LaunchPlan plan = platform::planLaunch(c.target);
        EXPECT_EQ(int(plan.kind), int(c.kind));
        EXPECT_EQ(plan.program, c.program);
        EXPECT_EQ(plan.arguments, c.arguments);
    }
}

TEST(QtDesktopShell, StartsAProgramWithItsArgumentsAndReportsOneThatCannotStart)
{
    QTemporaryDir tmp;
    const QString out = tmp.filePath(QStringLiteral("args.txt"));
    const QString prog = tmp.filePath(QStringLiteral("записать"));
    ASSERT_TRUE(writeProgram(prog, "#!/bin/sh\nprintf '%s|' \"$@\" > \"" + QFile::encodeName(out) +
                                        ".part\"\nmv \"" + QFile::encodeName(out) + ".part\" \"" +
                                        QFile::encodeName(out) + "\"\n"));
    platform::QtDesktopShell shell;
    ASSERT_TRUE(shell.startProgram(prog, {QStringLiteral("два слова"), QStringLiteral("ё")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(out); }, 10000));
    EXPECT_EQ(QString::fromUtf8(testsupport::readFile(out)), QStringLiteral("два слова|ё|"));

    // The file is a program, but its interpreter does not exist.
    const QString broken = tmp.filePath(QStringLiteral("сломанная"));
    ASSERT_TRUE(writeProgram(broken, "#!/nonexistent/interpreter\n"));
    EXPECT_FALSE(shell.startProgram(broken, {}));
    const platform::LaunchResult launched = shell.launch(broken);
    EXPECT_EQ(int(launched.outcome), int(platform::LaunchResult::Outcome::ProgramFailed));
    EXPECT_EQ(launched.program, broken);
}

// The opener's verdict comes by its exit status after the start: a refusal
// within moments is told with the target, success and a late ending are not.
TEST(QtDesktopShell, AnOpenerThatFindsNoProgramIsToldWithTheTarget)
{
    QTemporaryDir tmp;
    const QString got = tmp.filePath(QStringLiteral("got.txt"));
    struct Case {
        const char* what;
        QByteArray script;
        bool told;
    };
    const Case cases[] = {
        {"no method available", "#!/bin/sh\nprintf '%s' \"$1\" > \"" + QFile::encodeName(got) + "\"\nexit 3\n", true},
        {"opened", "#!/bin/sh\nprintf '%s' \"$1\" > \"" + QFile::encodeName(got) + "\"\nexit 0\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(got);
        const QString opener = tmp.filePath(QStringLiteral("открыватель"));
        QFile::remove(opener);
        ASSERT_TRUE(writeProgram(opener, c.script));
        platform::QtDesktopShell shell;
        shell.opener = opener;
        QStringList told;
        shell.openRefusedLater = [&told](const QString& target) { told << target; };
        const QString document = tmp.filePath(QStringLiteral("пример 50%1.txt"));
        ASSERT_TRUE(shell.open(document));
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(got); }, 10000));
        // The opener is handed the full path as it stands.
        EXPECT_EQ(QString::fromUtf8(testsupport::readFile(got)), document);
        if (c.told) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !told.isEmpty(); }, 10000));
            EXPECT_EQ(told, QStringList{document});
        } else {
            QTest::qWait(300);
            EXPECT_TRUE(told.isEmpty());
        }
        // The finished opener's watcher goes with it.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
