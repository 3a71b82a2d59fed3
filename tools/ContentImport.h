#pragma once
// Builds rows of a base from a content folder (the demo bases' source form).
#include "store/Recordset.h"
#include "store/Result.h"

#include <QString>

namespace tool {

// Appends every entry found under `dir` to the recordset; returns the number of rows added.
store::Result<qint64> importContent(const QString& dir, store::Recordset& rs);

// Plain text as RTF the way a rich-edit control writes it: code page 1251 as \'hh,
// anything else as \uN with a "?" fallback, one \par per line.
QByteArray plainTextToRtf(const QString& text);

}  // namespace tool
