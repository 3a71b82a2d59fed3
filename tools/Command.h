#pragma once
// The subcommands of kodrix-base. Each lives in its own cmd_*.cpp and registers
// itself with a static Registrar, so subsystems add commands without touching main.
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tool {

struct Command {
    QString name;
    QString usage;    // one line: "create BASE"
    QString help;     // what --help prints after the usage line
    std::function<int(const QStringList& args)> run;  // args after the command name
};

std::vector<Command>& commands();

struct Registrar {
    explicit Registrar(Command c) { commands().push_back(std::move(c)); }
};

// Output helpers: UTF-8 to stdout / stderr. err() shows control characters
// (names from an archive or a base may hold them) by their codes.
void out(const QString& text);
void err(const QString& text);
// The text with every control character (C0 and C1, DEL) written as \xNN, so that
// it cannot move the cursor, change colours or retitle the terminal. Line
// breaks stay when keepNewlines is set.
QString printable(const QString& text, bool keepNewlines);
// Prints "kodrix-base <cmd>: <message>" on stderr and returns the failure status.
int fail(const QString& cmd, const QString& message);

}  // namespace tool
