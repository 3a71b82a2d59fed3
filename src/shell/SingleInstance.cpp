#include "SingleInstance.h"

#include "store/AppFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

Q_LOGGING_CATEGORY(lcInstance, "kodrix.shell.instance")

namespace shell {

namespace {

const QByteArray ComeForward = QByteArrayLiteral("activate\n");
// How long a later start waits for the first to answer: the first listens
// right after it takes the lock, so only a program that is gone stays silent.
constexpr int AnswerWaitMs = 3000;

}  // namespace

SingleInstance::SingleInstance(const QString& dataFolder, QObject* parent)
    : QObject(parent), m_folder(dataFolder), m_lock(dataFolder + QLatin1Char('/') + QLatin1String(store::InstanceLock))
{
    // Held for the whole run, however long: only a dead holder makes it stale.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString& dataFolder)
{
    const QString canonical = QFileInfo(dataFolder).canonicalFilePath();
    const QByteArray id =
        QCryptographicHash::hash(QFile::encodeName(canonical.isEmpty() ? dataFolder : canonical),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    // The user's own runtime folder keeps other users out and the path short
    // (a socket path has about a hundred bytes).
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/kodrix-") + QString::fromLatin1(id);
}

SingleInstance::Role SingleInstance::acquire()
{
    if (!QFileInfo(m_folder).isDir()) {
        qCWarning(lcInstance) << "no data folder" << m_folder << "- running without the single-instance lock";
        return Role::Unguarded;
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_lock.tryLock(0)) {
            listen();
            return Role::First;
        }
        if (m_lock.error() != QLockFile::LockFailedError) {
            qCWarning(lcInstance) << "cannot make the lock in" << m_folder << "- running without it";
            return Role::Unguarded;
        }
        if (askFirstToComeForward())
            return Role::Second;
        // The holder is alive by its process number, yet nobody answers: a
        // program of the same name that took over the number of one that
        // crashed. Its lock is stale.
        qCWarning(lcInstance) << "the lock's holder does not answer; taking the lock over";
        m_lock.removeStaleLockFile();
    }
    return Role::Second;
}

bool SingleInstance::askFirstToComeForward() const
{
    const QString name = serverName(m_folder);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < AnswerWaitMs) {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(500)) {
            socket.write(ComeForward);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

bool SingleInstance::listen()
{
    const QString name = serverName(m_folder);
    // The lock is ours, so a socket left under this name is a dead program's.
    QLocalServer::removeServer(name);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) {
        qCWarning(lcInstance) << "cannot listen on" << name << m_server->errorString();
        return false;
    }
    connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(ComeForward.trimmed()))
                    Q_EMIT activationRequested();
            });
        }
    });
    return true;
}

void bringToFront(QWidget* window)
{
    if (!window)
        return;
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace shell
