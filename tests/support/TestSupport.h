#pragma once
// Helpers shared by every test program.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace testsupport {

// Folder of the shared, read-only test data (real RTF files and the like).
// KODRIX_TESTDATA in the environment overrides the built-in location.
QString testDataDir();

// Folder holding the built binaries (kodrix, kodrix-base, the demo base).
QString binDir();

// A bound on wall time for work that must stay fast, in milliseconds: `ms`
// in a normal build, ten times that in the sanitizer build, whose unoptimised,
// instrumented code runs some twenty times slower. A quadratic pass or a hang
// still breaks the larger bound.
qint64 timeBoundMs(qint64 ms);

QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);

// One run of a program: its exit code (-1 when it crashed or did not end in
// time) and what it printed.
struct ToolRun {
    int code;
    QString out;
    QString err;
};
ToolRun runProgram(const QString& program, const QStringList& args, int timeoutMs = 120000);
// The built kodrix-base.
ToolRun runBaseTool(const QStringList& args, int timeoutMs = 120000);

// Runs f in a child process as an ordinary user (nobody, when the tests run as
// root, for whom no permission bit counts) and gives its exit code, or -1.
int asOrdinaryUser(const std::function<int()>& f);

}  // namespace testsupport
