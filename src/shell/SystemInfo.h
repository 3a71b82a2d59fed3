#pragma once
// `StartSysInfo`: starts the desktop's own system-information program when one
// is installed, without waiting for it; otherwise says it is unavailable.
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace platform {
class Prompter;
}

namespace shell {

class SystemInfo {
public:
    // Programs that show the system's information on the usual desktops, with
    // their arguments, in the order they are tried.
    static const std::vector<QStringList>& candidates();

    // The seams: finding a program on the PATH and starting it detached.
    std::function<QString(const QString& name)> findProgram;
    std::function<bool(const QString& program, const QStringList& arguments)> startProgram;

    SystemInfo();
    // True when a program started; otherwise the message is shown.
    bool start(platform::Prompter& prompter, const QString& title);
};

}  // namespace shell
