#pragma once
#include "store/Database.h"
#include "store/Recordset.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

// A fresh encrypted base in a temporary folder with a Cyrillic name.
class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_dir = m_tmp.path() + QStringLiteral("/Справочник базы");
        ASSERT_TRUE(QDir().mkpath(m_dir));
        m_path = m_dir + QStringLiteral("/basemain.mdb");
    }
    std::shared_ptr<store::Database> create()
    {
        auto db = store::Database::create(m_path);
        EXPECT_TRUE(db.ok()) << db.message().toStdString();
        return db.ok() ? *db : nullptr;
    }
    std::unique_ptr<store::Recordset> recordset(const std::shared_ptr<store::Database>& db)
    {
        auto rs = db->openRecordset();
        EXPECT_TRUE(rs.ok()) << rs.message().toStdString();
        return rs.ok() ? std::move(*rs) : nullptr;
    }
    // Appends a row with the given Path and Name (and optional flags).
    static void add(store::Recordset& rs, const QString& path, const QString& name, int deleted = 0, int favorite = 0)
    {
        rs.addNew();
        ASSERT_TRUE(rs.setValue(store::ColPath, path).ok());
        ASSERT_TRUE(rs.setValue(store::ColName, name).ok());
        ASSERT_TRUE(rs.setValue(store::ColKind, 1).ok());
        ASSERT_TRUE(rs.setValue(store::ColDeleted, deleted).ok());
        ASSERT_TRUE(rs.setValue(store::ColFavorite, favorite).ok());
        ASSERT_TRUE(rs.update().ok());
    }

    QTemporaryDir m_tmp;
    QString m_dir;
    QString m_path;
};
