#pragma once
// The cause of an engine failure in the user's words, never the engine's English
// text alone. Only the store's own files include it: it brings in the engine's header.
#include "StoreTexts.h"

#include <QString>

#include <sqlite3.h>

namespace store {

// The cause of an engine result code in the user's words. `engineText` (the
// engine's own message) is kept, in brackets, only where it says more than the
// code: an I/O error's kind, or a code without words of its own.
inline QString engineReason(int rc, const QString& engineText)
{
    switch (rc & 0xFF) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return texts::damaged();
    case SQLITE_FULL: return texts::diskFull();
    case SQLITE_IOERR: return QStringLiteral("%1 (%2)").arg(texts::ioError(), engineText);
    case SQLITE_READONLY: return texts::readOnly();
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return texts::busy();
    case SQLITE_NOMEM: return texts::noMemory();
    case SQLITE_PERM:
    case SQLITE_AUTH: return texts::noAccess();
    case SQLITE_TOOBIG: return texts::tooBig();
    case SQLITE_CANTOPEN: return texts::cannotOpen();
    default: return engineText;
    }
}

inline QString engineReason(sqlite3* db)
{
    return db ? engineReason(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)))
              : texts::cannotOpen();
}

}  // namespace store
