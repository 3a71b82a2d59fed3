#include "SystemInfo.h"

#include "ShellTexts.h"

#include "platform/Prompter.h"

#include <QProcess>
#include <QStandardPaths>

namespace shell {

const std::vector<QStringList>& SystemInfo::candidates()
{
    static const std::vector<QStringList> list = {
        {QStringLiteral("kinfocenter")},
        {QStringLiteral("hardinfo2")},
        {QStringLiteral("hardinfo")},
        {QStringLiteral("xfce4-about")},
        {QStringLiteral("gnome-control-center"), QStringLiteral("info-overview")},
    };
    return list;
}

SystemInfo::SystemInfo()
    : findProgram([](const QString& name) { return QStandardPaths::findExecutable(name); }),
      startProgram([](const QString& program, const QStringList& arguments) {
          return QProcess::startDetached(program, arguments);
      })
{
}

bool SystemInfo::start(platform::Prompter& prompter, const QString& title)
{
    for (const QStringList& c : candidates()) {
        const QString program = findProgram(c.front());
        if (program.isEmpty())
            continue;
        // The first one installed is the one: as with the old lookup, a program
        // found but not started is a failure, not a reason to try the next.
        if (startProgram(program, c.mid(1)))
            return true;
        break;
    }
    prompter.message(platform::MsgStyle::Plain, title, texts::sysInfoUnavailable());
    return false;
}

}  // namespace shell
