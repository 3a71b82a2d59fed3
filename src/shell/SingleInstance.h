#pragma once
// One program per data folder. Two programs on one application folder would
// share its data folder, and the first to close would empty it while the
// other still has a file from it open in another program. The first start
// holds a lock file in the data folder and listens on a local socket; a later
// start finds the lock held, asks the first to bring its window to the front,
// and ends. A lock left by a program that crashed does not count.
#include <QLockFile>
#include <QObject>

#include <memory>

class QLocalServer;
class QWidget;

namespace shell {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& dataFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Role {
        First,      // this program holds the lock and answers later starts
        Second,     // another program holds it and has been asked to come forward
        Unguarded,  // no lock could be made (no data folder to share): run alone
    };
    Role acquire();

    // The local socket's name: one per data folder and user.
    static QString serverName(const QString& dataFolder);

Q_SIGNALS:
    // A later start asked for this program's window.
    void activationRequested();

private:
    bool askFirstToComeForward() const;
    bool listen();

    QString m_folder;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
};

// Shows the window in front and gives it the focus, out of a minimised state.
void bringToFront(QWidget* window);

}  // namespace shell
