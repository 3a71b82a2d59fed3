#pragma once
// Small bases for the search tests: rows with article bodies written through
// the store into a fresh encrypted base in a folder with a Cyrillic name.
#include "search/SearchEngine.h"
#include "store/AppFiles.h"
#include "store/Database.h"
#include "store/Recordset.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace searchtest {

// Text as a rich-edit control might store it: one paragraph per line, every
// character outside ASCII as \uN.
inline QByteArray rtf(const QString& text)
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\uc1\\pard\\f0\\fs20 ";
    for (QChar c : text) {
        if (c == QLatin1Char('\n'))
            out += "\\par\r\n";
        else if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}'))
            out += '\\' + QByteArray(1, char(c.unicode()));
        else if (c.unicode() < 0x80)
            out += char(c.unicode());
        else
            out += "\\u" + QByteArray::number(qint16(c.unicode())) + '?';
    }
    return out + "\\par\r\n}\r\n";
}

struct Row {
    QString path;
    QString name;
    QVariant body;  // QByteArray (RTF), QString, or null
    int deleted = 0;
    int kind = 1;
    QString link;
};

inline Row article(const QString& path, const QString& name, const QString& text, int deleted = 0)
{
    return Row{path, name, rtf(text), deleted, 1, {}};
}

class SearchBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_appDir = m_tmp.filePath(QStringLiteral("Справочник поиска"));
        ASSERT_TRUE(QDir().mkpath(m_appDir));
    }
    QString basePath() const { return store::AppFiles(m_appDir).basePath(); }

    // Creates the base with these rows and opens it.
    void make(const std::vector<Row>& rows)
    {
        auto created = store::Database::create(basePath());
        ASSERT_TRUE(created.ok()) << created.message().toStdString();
        db = *created;
        auto opened = db->openRecordset();
        ASSERT_TRUE(opened.ok());
        rs = std::move(*opened);
        // One transaction: a commit per row would dominate the tests' time.
        store::Transaction t(*db);
        for (const Row& r : rows)
            append(r);
        ASSERT_TRUE(t.commit().ok());
    }
    void append(const Row& r)
    {
        rs->addNew();
        ASSERT_TRUE(rs->setValue(store::ColPath, r.path).ok());
        ASSERT_TRUE(rs->setValue(store::ColName, r.name).ok());
        ASSERT_TRUE(rs->setValue(store::ColBody, r.body).ok());
        ASSERT_TRUE(rs->setValue(store::ColKind, r.kind).ok());
        ASSERT_TRUE(rs->setValue(store::ColDeleted, r.deleted).ok());
        if (!r.link.isEmpty()) {
            ASSERT_TRUE(rs->setValue(store::ColLinkTarget, r.link).ok());
        }
        auto u = rs->update();
        ASSERT_TRUE(u.ok()) << u.message().toStdString();
    }
    // Writes Body of the row with RecordNumber n, as the editor does.
    void setBody(qint64 n, const QVariant& body)
    {
        rs->moveTo(n);
        ASSERT_TRUE(rs->edit().ok());
        ASSERT_TRUE(rs->setValue(store::ColBody, body).ok());
        auto u = rs->update();
        ASSERT_TRUE(u.ok()) << u.message().toStdString();
    }
    search::SearchEngine& engine()
    {
        if (!m_engine)
            m_engine = std::make_unique<search::SearchEngine>(db);
        return *m_engine;
    }
    void dropEngine() { m_engine.reset(); }

    // Names of the rows found, in the order found.
    QStringList find(const QString& terms)
    {
        search::SearchRun run(engine(), terms);
        run.runToEnd();
        EXPECT_TRUE(run.outcome().ok()) << run.outcome().message().toStdString();
        QStringList names;
        for (const search::Hit& h : run.takeHits())
            names << h.name;
        return names;
    }

    QTemporaryDir m_tmp;
    QString m_appDir;
    std::shared_ptr<store::Database> db;
    std::unique_ptr<store::Recordset> rs;
    std::unique_ptr<search::SearchEngine> m_engine;
};

}  // namespace searchtest
