#pragma once
// Small bases for the catalogue tests: rows written through the store into a
// fresh encrypted base inside a temporary folder with a Cyrillic name.
#include "SmallBase.h"
#include "store/AppFiles.h"

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
        std::vector<testsupport::BaseRow> content;
        for (const Row& r : rows) {
            testsupport::BaseRow row{{store::ColPath, r.path},        {store::ColName, r.name},
                                     {store::ColBody, QStringLiteral("\r\n")}, {store::ColKind, r.kind},
                                     {store::ColDeleted, r.deleted},  {store::ColFavorite, r.favourite},
                                     {store::ColBaseName, r.base},    {store::ColAdded, r.added}};
            if (!r.linkTarget.isEmpty())
                row.emplace_back(store::ColLinkTarget, r.linkTarget);
            content.push_back(std::move(row));
        }
        const QString failed = testsupport::writeBase(basePath(), content);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
    }

private:
    QTemporaryDir m_dir;
    QString m_appDir;
};

}  // namespace cattest
