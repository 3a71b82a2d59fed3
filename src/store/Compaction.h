#pragma once
// Compaction of a base file that never leaves the user without a base. The
// compacted copy is written to the backup file beside the base, checked (it
// opens with the key, the engine finds it sound, it holds every table with the
// same number of rows and "main" in the same order), made durable, and only then
// renamed over the base. Until that rename the base file is only read; the
// rename replaces it whole. A failure or a crash at any point leaves the base as
// it was, or already replaced by the verified copy, and nothing else: the
// partial copy is removed now or by the next compaction.
#include "Record.h"
#include "Result.h"

#include <QString>

#include <functional>

namespace store {

class Compaction {
public:
    enum class Step {
        RemoveLeftover,  // a backup file left by an earlier run is deleted
        ReadOriginal,    // the base is opened and what it holds is noted
        Copy,            // the compacted copy is written to the backup file
        Verify,          // the copy is opened and checked against the notes
        MakeDurable,     // the copy is settled and flushed to the disk
        Replace,         // the copy is renamed over the base
    };

    struct Report {
        qint64 rows = 0;         // rows of "main"
        qint64 bytesBefore = 0;  // size of the base file before
        qint64 bytesAfter = 0;   // and after
    };

    // basePath: the base (a link is followed to the file it names).
    // backupPath: where the copy is made; it must lie on the same disk.
    Compaction(QString basePath, QString backupPath, QString connect = QString::fromLatin1(ConnectText));

    // Runs before each step; an Error it returns fails that step as a real
    // failure there would. For tests that put a fault at every step.
    std::function<Result<void>(Step)> beforeStep;

    Result<Report> run();

private:
    Result<void> step(Step s);
    Result<void> removeLeftover();
    void removeCopy();

    QString m_base;
    QString m_backup;
    QString m_connect;
};

}  // namespace store
