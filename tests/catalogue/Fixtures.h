#pragma once
// Small bases for the catalogue tests: rows written through the store into a
// fresh encrypted base inside a temporary folder with a Cyrillic name.
#include "store/AppFiles.h"
#include "store/Database.h"
#include "store/Recordset.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace cattest {

struct Row {
    QVariant path;  // null QVariant writes Null
    QVariant name;
    int kind = 1;
    int deleted = 0;
    int favourite = 0;
    QString base = QStringLiteral("Основная");
    QString linkTarget;
    QDateTime added = QDateTime(QDate(2003, 4, 5), QTime(6, 7));
};

// The catalogue's root, and a path below it.
inline const QString Root = QStringLiteral("Zelvorant Kodrix");
inline QString at(const char* rest) { return Root + QStringLiteral("\\") + QString::fromUtf8(rest); }

inline Row row(const QString& path, const QString& name, int kind = 1)
{
    Row r;
    r.path = path;
    r.name = name;
    r.kind = kind;
    return r;
}

class TempBase {
public:
    TempBase()
    {
        EXPECT_TRUE(m_dir.isValid());
        m_appDir = m_dir.filePath(QStringLiteral("Справочник каталога"));
        QDir().mkpath(m_appDir);
    }
    const QString& appDir() const { return m_appDir; }
    QString basePath() const { return store::AppFiles(m_appDir).basePath(); }

    // Creates the base with these rows (replacing nothing: call once).
    void write(const std::vector<Row>& rows)
    {
        auto db = store::Database::create(basePath());
        ASSERT_TRUE(db.ok()) << db.message().toStdString();
        auto rs = (*db)->openRecordset();
        ASSERT_TRUE(rs.ok()) << rs.message().toStdString();
        // One transaction: a commit per row would dominate the tests' time.
        ASSERT_TRUE((*db)->beginBatch().ok());
        for (const Row& r : rows) {
            store::Recordset& set = **rs;
            set.addNew();
            ASSERT_TRUE(set.setValue(store::ColPath, r.path).ok());
            ASSERT_TRUE(set.setValue(store::ColName, r.name).ok());
            ASSERT_TRUE(set.setValue(store::ColBody, QStringLiteral("\r\n")).ok());
            ASSERT_TRUE(set.setValue(store::ColKind, r.kind).ok());
            ASSERT_TRUE(set.setValue(store::ColDeleted, r.deleted).ok());
            ASSERT_TRUE(set.setValue(store::ColFavorite, r.favourite).ok());
            ASSERT_TRUE(set.setValue(store::ColBaseName, r.base).ok());
            ASSERT_TRUE(set.setValue(store::ColAdded, r.added).ok());
            if (!r.linkTarget.isEmpty()) {
                ASSERT_TRUE(set.setValue(store::ColLinkTarget, r.linkTarget).ok());
            }
            auto u = set.update();
            ASSERT_TRUE(u.ok()) << u.message().toStdString();
        }
        ASSERT_TRUE((*db)->commitBatch().ok());
    }

private:
    QTemporaryDir m_dir;
    QString m_appDir;
};

}  // namespace cattest
