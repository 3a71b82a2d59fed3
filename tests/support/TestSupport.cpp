#include "TestSupport.h"

#include <QFile>

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

}  // namespace testsupport
