// Starts the real kodrix on a small base in a window of the X display, closes
// it as a window manager would (WM_DELETE_WINDOW), and checks what shutdown left.
#include "SmallBase.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QStandardPaths>
#include <QThread>

#include "richtext/Rtf.h"
#include "store/Database.h"
#include "store/Record.h"
#include "store/Recordset.h"

#include <gtest/gtest.h>

#ifdef KODRIX_HAVE_XCB
#include "XWindows.h"

#include <functional>

namespace {

using testsupport::XConnection;

int runTool(const QStringList& args)
{
    QProcess p;
    p.start(testsupport::binDir() + QStringLiteral("/kodrix-base"), args);
    p.waitForFinished(60000);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

}  // namespace

TEST(Smoke, RealProgramClosedByTheWindowManagerOrTheSystem)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "DISPLAY is not set: the smoke test needs an X display (./test.sh runs it under xvfb-run)";
    const QString bin = QStringLiteral(KODRIX_BIN_DIR "/kodrix");
    ASSERT_TRUE(QFile::exists(bin)) << bin.toStdString();
    XConnection x;
    ASSERT_TRUE(x.ok());

    // The window manager's close request, and the system's termination signal.
    const std::pair<const char*, std::function<void(QProcess&, xcb_window_t)>> ways[] = {
        {"WM_DELETE_WINDOW", [&x](QProcess&, xcb_window_t w) { x.sendDeleteWindow(w); }},
        {"SIGTERM", [](QProcess& p, xcb_window_t) { p.terminate(); }},
    };
    for (const auto& [how, close] : ways) {
        SCOPED_TRACE(how);
        QTemporaryDir tmp;
        ASSERT_TRUE(tmp.isValid());
        const QString app = tmp.filePath(QStringLiteral("Кодрикс"));
        ASSERT_TRUE(QDir().mkpath(app + QStringLiteral("/data")));
        ASSERT_TRUE(testsupport::writeFile(app + QStringLiteral("/data/zvcreatedir"), {}));
        ASSERT_TRUE(testsupport::writeFile(app + QStringLiteral("/data/Form1.frm"), "left over"));
        ASSERT_EQ(runTool({QStringLiteral("generate"), app + QStringLiteral("/basemain.mdb"), QStringLiteral("--rows"),
                           QStringLiteral("40")}),
                  0);

        QProcess kodrix;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp.filePath(QStringLiteral("config")));
        kodrix.setProcessEnvironment(env);
        kodrix.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        kodrix.start(bin, {QStringLiteral("--app-dir"), app});
        ASSERT_TRUE(kodrix.waitForStarted());

        xcb_window_t window = 0;
        QElapsedTimer waited;
        waited.start();
        while (!window && waited.elapsed() < 30000 && kodrix.state() == QProcess::Running) {
            QThread::msleep(100);
            window = x.findWindow(kodrix.processId(), QStringLiteral("Kodrix - Крутейший VB справочник"));
        }
        ASSERT_NE(window, 0u) << "the main window never appeared";
        close(kodrix, window);
        ASSERT_TRUE(kodrix.waitForFinished(20000));
        EXPECT_EQ(kodrix.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(kodrix.exitCode(), 0);

        const QSettings settings(tmp.filePath(QStringLiteral("config/Zelvorant Kodrix/Zelvorant Kodrix.conf")),
                                 QSettings::IniFormat);
        EXPECT_EQ(settings.value(QStringLiteral("Common/BasePath")).toString(),
                  app + QStringLiteral("/basemain.mdb"));
        EXPECT_EQ(settings.value(QStringLiteral("Common/Version")).toString(), QStringLiteral("1.1.74"));
        EXPECT_EQ(QDir(app + QStringLiteral("/data")).entryList(QDir::Files),
                  QStringList{QStringLiteral("zvcreatedir")});
    }
}
// Typing into an article of the real program and killing it at once: what was
// typed is in the base, because every change is committed before the program
// waits for the next key.
TEST(Smoke, TypedTextSurvivesAKill)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "DISPLAY is not set: this test needs an X display (./test.sh runs it under xvfb-run)";
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xdotool.isEmpty())
        GTEST_SKIP() << "xdotool is not installed (scripts/deps.sh installs it)";
    XConnection x;
    ASSERT_TRUE(x.ok());
    QTemporaryDir tmp;
    const QString app = tmp.filePath(QStringLiteral("Кодрикс"));
    ASSERT_TRUE(QDir().mkpath(app + QStringLiteral("/data")));
    const QString basePath = app + QStringLiteral("/basemain.mdb");
    const QString failed = testsupport::writeBase(basePath, {{{store::ColPath, QStringLiteral("Строки")},
                                                              {store::ColName, QStringLiteral("Функции InStr")},
                                                              {store::ColBody, QStringLiteral("{\\rtf1\\ansi Start\\par}")},
                                                              {store::ColKind, 1}}});
    ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
    QProcess kodrix;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp.filePath(QStringLiteral("config")));
    kodrix.setProcessEnvironment(env);
    kodrix.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    kodrix.start(QStringLiteral(KODRIX_BIN_DIR "/kodrix"),
                 {QStringLiteral("--app-dir"), app, QStringLiteral("--open"), QStringLiteral("строки\\функции instr")});
    ASSERT_TRUE(kodrix.waitForStarted());
    xcb_window_t window = 0;
    QElapsedTimer waited;
    waited.start();
    while (!window && waited.elapsed() < 30000 && kodrix.state() == QProcess::Running) {
        QThread::msleep(100);
        window = x.findWindow(kodrix.processId(), QStringLiteral("Kodrix - Крутейший VB справочник"));
    }
    ASSERT_NE(window, 0u) << "the main window never appeared";
    QThread::msleep(300);
    const QString wid = QString::number(window);
    ASSERT_EQ(QProcess::execute(xdotool, {QStringLiteral("windowfocus"), QStringLiteral("--sync"), wid}), 0);
    ASSERT_EQ(QProcess::execute(xdotool, {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"),
                                          QStringLiteral("Kill nine ")}),
              0);
    // A moment later, with no chance to save anything at exit.
    QThread::msleep(150);
    kodrix.kill();
    ASSERT_TRUE(kodrix.waitForFinished(10000));
    EXPECT_EQ(kodrix.exitStatus(), QProcess::CrashExit);

    auto db = store::Database::open(basePath);
    ASSERT_TRUE(db.ok()) << db.message().toStdString();
    auto rs = (*db)->openRecordset();
    ASSERT_TRUE(rs.ok());
    (*rs)->moveFirst();
    EXPECT_EQ(richtext::plainText((*rs)->bytes(store::ColBody)), QStringLiteral("Kill nine Start"));
}
#else
TEST(Smoke, RealProgramClosedByTheWindowManagerOrTheSystem)
{
    GTEST_SKIP() << "built without xcb: cannot ask the program's window to close";
}
#endif
