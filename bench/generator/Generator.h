#pragma once
// Synthetic bases for benchmarks and scale tests.
#include "store/Result.h"

#include <QByteArray>
#include <QString>

namespace gen {

struct Options {
    qint64 rows = 1000;
    quint32 seed = 1;
    // When set, every row belongs to this installed base (as one imported
    // base's rows do) instead of one of several chosen at random.
    QString baseName;
};

// Creates a new base at `path` (which must not exist) holding `rows` rows.
store::Result<void> generateBase(const QString& path, const Options& options);

// A generated base of `rows` rows with the default seed, made once and kept in a
// cache folder ($KODRIX_BENCH_DIR or the temporary folder) for later runs.
store::Result<QString> cachedBase(qint64 rows);

// An article of about `bytes` bytes as the rich-edit control writes them: code
// page 1251 text as \'hh, bold/italic/underline runs, two fonts, colours, \uN
// characters, list labels, a link and a small table now and then. The same
// bytes every time.
QByteArray richArticle(qsizetype bytes);

}  // namespace gen
