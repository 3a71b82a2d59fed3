#include "ReadOnlyCheck.h"

#include "Database.h"

#include <sqlite3.h>

#include <concepts>

namespace store {

namespace {

// A read-only opening chosen by the program is announced by Database::readOnly()
// where that exists; until then the engine's own answer below is the only one.
template <class D>
bool declaredReadOnly(const D& db)
{
    if constexpr (requires {
                      { db.readOnly() } -> std::convertible_to<bool>;
                  })
        return db.readOnly();
    else
        return false;
}

}  // namespace

bool openedReadOnly(const Database& db)
{
    if (declaredReadOnly(db))
        return true;
    // A file without write permission is opened read-only by the engine without
    // an error; only this asks.
    return db.handle() && sqlite3_db_readonly(db.handle(), "main") == 1;
}

}  // namespace store
