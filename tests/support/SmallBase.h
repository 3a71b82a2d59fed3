#pragma once
// The one way the tests build a small base: rows written through the store into a
// fresh encrypted base, in one transaction. Header only: the test programs that use
// it link the store.
#include "store/Database.h"
#include "store/Recordset.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <utility>
#include <vector>

namespace testsupport {

// One row: the columns it sets (store::Col…) and their values, in the order
// given. Columns it does not name stay Null, as in an entry made without them.
using BaseRow = std::vector<std::pair<int, QVariant>>;

// Adds one row through `set`, as the program's own writers do. Returns the
// failure's message, or the empty text.
inline QString addRow(store::Recordset& set, const BaseRow& row)
{
    set.addNew();
    for (const auto& [column, value] : row)
        if (auto r = set.setValue(column, value); !r)
            return r.message();
    if (auto r = set.update(); !r)
        return r.message();
    return QString();
}

// Creates the base at `path` with these rows and closes it, so that the file
// holds everything (no write-ahead log beside it). Returns the failure's
// message, or the empty text. `made`, when given, receives the open base
// instead, for a test that goes on with it.
inline QString writeBase(const QString& path, const std::vector<BaseRow>& rows,
                         std::shared_ptr<store::Database>* made = nullptr)
{
    auto db = store::Database::create(path);
    if (!db)
        return db.message();
    {
        auto rs = (*db)->openRecordset();
        if (!rs)
            return rs.message();
        // One transaction: a commit per row would dominate the tests' time.
        if (auto r = (*db)->beginBatch(); !r)
            return r.message();
        for (const BaseRow& row : rows)
            if (QString failed = addRow(**rs, row); !failed.isEmpty())
                return failed;
        if (auto r = (*db)->commitBatch(); !r)
            return r.message();
    }
    if (made)
        *made = *db;
    else
        (*db)->close();  // the last connection folds the write-ahead log into the file
    return QString();
}

}  // namespace testsupport
