#include "TestSupport.h"

#include <QFile>
#include <QProcess>

#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

QString testDataDir()
{
    const QByteArray env = qgetenv("KODRIX_TESTDATA");
    return env.isEmpty() ? QStringLiteral(KODRIX_TESTDATA) : QString::fromLocal8Bit(env);
}

QString binDir() { return QStringLiteral(KODRIX_BIN_DIR); }

qint64 timeBoundMs(qint64 ms) { return ms * KODRIX_TIME_FACTOR; }

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

ToolRun runBaseTool(const QStringList& args, int timeoutMs)
{
    return runProgram(binDir() + QStringLiteral("/kodrix-base"), args, timeoutMs);
}

ToolRun runProgram(const QString& program, const QStringList& args, int timeoutMs)
{
    QProcess p;
    p.start(program, args);
    const bool ended = p.waitForFinished(timeoutMs);
    return {ended && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

int asOrdinaryUser(const std::function<int()>& f)
{
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(100);
        ::_exit(f());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testsupport
