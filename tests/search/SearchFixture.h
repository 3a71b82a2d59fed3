#pragma once
// Small bases for the search tests: rows with article bodies written through
// the store into a fresh encrypted base in a folder with a Cyrillic name.
#include "SmallBase.h"
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

inline testsupport::BaseRow columnsOf(const Row& r)
{
    testsupport::BaseRow row{{store::ColPath, r.path},
                             {store::ColName, r.name},
                             {store::ColBody, r.body},
                             {store::ColKind, r.kind},
                             {store::ColDeleted, r.deleted}};
    if (!r.link.isEmpty())
        row.push_back({store::ColLinkTarget, r.link});
    return row;
}

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
        std::vector<testsupport::BaseRow> content;
        for (const Row& r : rows)
            content.push_back(columnsOf(r));
        const QString failed = testsupport::writeBase(basePath(), content, &db);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
        auto opened = db->openRecordset();
        ASSERT_TRUE(opened.ok());
        rs = std::move(*opened);
    }
    // Adds a row to the open base, as the wizard does.
    void append(const Row& r)
    {
        const QString failed = testsupport::addRow(*rs, columnsOf(r));
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
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
