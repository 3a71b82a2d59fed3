#pragma once
// Helpers shared by every test program.
#include <QByteArray>
#include <QString>

namespace testsupport {

// Folder of the shared, read-only test data (real RTF files and the like).
// KODRIX_TESTDATA in the environment overrides the built-in location.
QString testDataDir();

// Folder holding the built binaries (kodrix, kodrix-base, the demo base).
QString binDir();

QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);

}  // namespace testsupport
