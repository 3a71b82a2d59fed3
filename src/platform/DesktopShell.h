#pragma once
// Hands documents, programs and web addresses to the desktop, and asks it for
// the icon of a file type. Tests put a recording implementation in its place.
#include <QIcon>
#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

// What an entry's target is, and so who takes it.
struct LaunchPlan {
    enum class Kind {
        Address,   // a web address (any URL with a scheme): the desktop's opener
        Document,  // an existing file or folder, named by its full path: the desktop's opener
        Program,   // a command line whose program was found: run with its arguments
        NotFound,  // a command line whose program is neither at the path given nor on PATH
    };
    Kind kind = Kind::NotFound;
    QString program;  // Program: the file to run; NotFound: the program as the target names it
    QStringList arguments;
};

// Decides without starting anything. A target that is neither an address nor
// the full path of an existing file is a command line, split at blanks with
// "…" grouping words (QProcess::splitCommand); its first word is looked up on
// PATH unless it is a path itself. A bare name is never taken for a file in the
// current folder.
LaunchPlan planLaunch(const QString& target);

struct LaunchResult {
    enum class Outcome { Started, Refused, ProgramNotFound, ProgramFailed };
    Outcome outcome = Outcome::Started;
    QString program;  // the program named, for the message
    bool ok() const { return outcome == Outcome::Started; }
};

class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // The "open" verb for a document or a web address. False when the desktop
    // refused it.
    virtual bool open(const QString& target) = 0;
    // Icon of the type of the named file (by its name; the file need not exist).
    virtual QIcon fileTypeIcon(const QString& fileName) = 0;
    // Starts a program on its own, with its arguments; false when it could not
    // be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;

    // An entry's target: planLaunch decides, open() or startProgram() does it.
    LaunchResult launch(const QString& target);
};

// The desktop's opener (xdg-open), QProcess and the icon theme.
class QtDesktopShell : public DesktopShell {
public:
    // The opener decides only after it has started, and says so by its exit
    // status alone: no program for the type, no such file. A refusal that comes
    // within OpenerVerdictMs of the start is told here with the target; later
    // ones are the opened program's own ending, not the opener's verdict.
    std::function<void(const QString& target)> openRefusedLater;
    static constexpr int OpenerVerdictMs = 5000;
    // The opener run for open(); found on PATH. Without it (or in a sandbox,
    // where only the desktop portal opens anything) open() is QDesktopServices'.
    QString opener = QStringLiteral("xdg-open");

    bool open(const QString& target) override;
    QIcon fileTypeIcon(const QString& fileName) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;

private:
    static bool inSandbox();
};

}  // namespace platform
