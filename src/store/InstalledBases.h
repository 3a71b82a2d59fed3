#pragma once
// The installed bases: the distinct values of `BaseName` in "main", listed in
// the order of each base's first row, and the deletion of one base's rows.
#include "Result.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace store {

class Database;

class InstalledBases {
public:
    // The key two base names are compared by: trimmed of blanks and upper-cased.
    static QString key(const QString& name) { return name.trimmed().toUpper(); }

    // `SeekItem`: whether the list holds a name equal to itemText by key. Once
    // the list has a name, a blank itemText counts as found too, so a blank
    // `BaseName` is listed only when it is the very first row's.
    bool seekItem(const QString& itemText) const;
    // Appends a name as it is written, letter case and blanks kept.
    void add(const QString& name);
    const QStringList& names() const { return m_names; }

    // Every row's `BaseName` that the list does not hold yet, in row order.
    static Result<InstalledBases> read(Database& db);

    // Deletes every row whose `BaseName` equals `name` by key, all in one
    // transaction, and announces the removed rows' Ids through the database.
    // The number of rows deleted; nothing is deleted when it fails.
    static Result<qint64> remove(Database& db, const QString& name);

private:
    QStringList m_names;
    QSet<QString> m_keys;
};

}  // namespace store
