// kodrix-base: the tool for base authors, tests and benchmarks.
#include "Command.h"
#include "ToolTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace tool {

std::vector<Command>& commands()
{
    static std::vector<Command> list;
    return list;
}

void out(const QString& text)
{
    const QByteArray b = text.toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), stdout);
}

QString printable(const QString& text, bool keepNewlines)
{
    QString o;
    o.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && !(keepNewlines && u == '\n')) || (u >= 0x7F && u <= 0x9F))
            o += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            o += c;
    }
    return o;
}

void err(const QString& text)
{
    const QByteArray b = printable(text, true).toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), stderr);
}

int fail(const QString& cmd, const QString& message)
{
    err(QStringLiteral("kodrix-base %1: %2\n").arg(cmd, message));
    return 1;
}

}  // namespace tool

static void usage()
{
    auto list = tool::commands();
    std::sort(list.begin(), list.end(), [](auto& a, auto& b) { return a.name < b.name; });
    QString text = tool::texts::usage();
    for (const auto& c : list)
        text += QStringLiteral("  %1\n").arg(c.usage);
    tool::out(text);
}

int main(int argc, char** argv)
{
    // Some commands lay out rich text, which needs fonts; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Qt warns on every start without one; a private folder of our own will do.
        const QByteArray dir = QDir::tempPath().toLocal8Bit() + "/kodrix-runtime-" + QByteArray::number(getuid());
        QDir().mkpath(QString::fromLocal8Bit(dir));
        QFile::setPermissions(QString::fromLocal8Bit(dir), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        usage();
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (const auto& c : tool::commands()) {
        if (c.name != name)
            continue;
        if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
            tool::out(tool::texts::commandUsage().arg(c.usage, c.help));
            return 0;
        }
        return c.run(args);
    }
    tool::err(tool::texts::unknownCommand().arg(name));
    usage();
    return 2;
}
