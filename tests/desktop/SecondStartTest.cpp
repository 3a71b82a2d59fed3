// The real program started a second time on the same application folder, and
// again after the first one crashed.
#include "AppFolder.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#ifdef KODRIX_HAVE_XCB
#include "XWindows.h"

#include <signal.h>

namespace {

const QString Title = QStringLiteral("Kodrix - Крутейший VB справочник");

class Program {
public:
    // Started on the application folder, or with the arguments given.
    Program(const QString& appDir, const QString& config, QStringList arguments = {})
    {
        if (arguments.isEmpty())
            arguments = {QStringLiteral("--app-dir"), appDir};
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(testsupport::binDir() + QStringLiteral("/kodrix"), arguments);
        process.waitForStarted();
    }
    ~Program()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    xcb_window_t waitForWindow(const testsupport::XConnection& x, int ms = 30000)
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < ms && process.state() == QProcess::Running) {
            if (xcb_window_t w = x.findWindow(process.processId(), Title))
                return w;
            QThread::msleep(100);
        }
        if (process.state() != QProcess::Running)
            ADD_FAILURE() << "the program ended with status " << process.exitCode();
        return 0;
    }
    QProcess process;
};

}  // namespace

TEST(SecondStart, BringsTheRunningWindowForwardAndEndsWithoutTouchingItsFiles)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    testsupport::XConnection x;
    ASSERT_TRUE(x.ok());
    const std::vector<testsupport::Entry> entries{{QStringLiteral("Строки"), QStringLiteral("Функция Mid")}};
    testsupport::AppFolder app(entries);
    const QString config = app.path(QStringLiteral("config"));
    const QString opened = app.data() + QStringLiteral("/открыт в редакторе.txt");

    Program first(app.dir, config);
    const xcb_window_t window = first.waitForWindow(x);
    ASSERT_NE(window, 0u) << "the first window never appeared";
    ASSERT_TRUE(testsupport::writeFile(opened, "a file another program has open"));
    // Shown without a window manager, the window does not take the focus itself.
    ASSERT_NE(x.focus(), window);

    Program second(app.dir, config);
    ASSERT_TRUE(second.process.waitForFinished(15000)) << "the second start did not end";
    EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process.exitCode(), 0);
    EXPECT_EQ(x.findWindow(second.process.processId(), Title), 0u);
    // The first one came forward, and its data folder is as it was.
    QElapsedTimer waited;
    waited.start();
    while (x.focus() != window && waited.elapsed() < 5000)
        QThread::msleep(50);
    EXPECT_EQ(x.focus(), window);
    EXPECT_TRUE(QFile::exists(opened));
    EXPECT_EQ(first.process.state(), QProcess::Running);

    x.sendDeleteWindow(window);
    ASSERT_TRUE(first.process.waitForFinished(20000));
    EXPECT_EQ(first.process.exitCode(), 0);
    EXPECT_EQ(app.dataFiles(), QStringList{QStringLiteral("zvcreatedir")});
}

TEST(SecondStart, AfterACrashTheNextStartRunsAndClearsWhatWasLeft)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    testsupport::XConnection x;
    ASSERT_TRUE(x.ok());
    const std::vector<testsupport::Entry> entries{{QStringLiteral("Строки"), QStringLiteral("Функция Mid")}};
    testsupport::AppFolder app(entries);
    const QString config = app.path(QStringLiteral("config"));
    {
        Program crashed(app.dir, config);
        ASSERT_NE(crashed.waitForWindow(x), 0u);
        ASSERT_TRUE(testsupport::writeFile(app.data() + QStringLiteral("/Form1.frm"), "unpacked, never cleared"));
        ::kill(pid_t(crashed.process.processId()), SIGKILL);
        ASSERT_TRUE(crashed.process.waitForFinished(5000));
    }
    ASSERT_TRUE(app.dataFiles().contains(QStringLiteral(".kodrix.lock")));

    // Started the way the desktop's "Open with" starts it: with the base.
    Program next(app.dir, config, {app.base()});
    const xcb_window_t window = next.waitForWindow(x);
    ASSERT_NE(window, 0u) << "the stale lock kept the program from starting";
    EXPECT_EQ(app.dataFiles(), (QStringList{QStringLiteral(".kodrix.lock"), QStringLiteral("zvcreatedir")}));
    x.sendDeleteWindow(window);
    ASSERT_TRUE(next.process.waitForFinished(20000));
    EXPECT_EQ(next.process.exitCode(), 0);
}
#endif
