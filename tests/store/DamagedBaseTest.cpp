// A base with one damaged page: every read of it fails as a read, naming the
// base and the row, never as an empty value, and nothing is written after it.
#include "StoreFixture.h"

#include "DamagedBase.h"
#include "TestSupport.h"

using namespace store;
using testsupport::readFile;

class DamagedBaseTest : public StoreFixture {
protected:
    static constexpr int Rows = 60;
    static QString nameOf(int n) { return testsupport::damagedBaseName(n); }
    static QByteArray bodyOf(int n) { return testsupport::damagedBaseBody(n); }

    void build(bool withSmallIndex = true)
    {
        const QString failed = testsupport::writeLongBodiesBase(m_path, Rows, withSmallIndex);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
        ASSERT_FALSE(QFile::exists(m_path + QStringLiteral("-wal")));
    }

    struct Pass {
        std::vector<int> failed;  // RecordNumbers whose read failed
        QStringList messages;
    };
    // Reads the given column of every row, as a loading pass does.
    static Pass readAll(Recordset& rs, int column)
    {
        Pass p;
        rs.moveFirst();
        for (int n = 1; n <= rs.recordCount(); ++n, rs.moveNext()) {
            const Result<QVariant> v = rs.read(column);
            EXPECT_EQ(v.ok(), rs.readStatus().ok());
            if (!v.ok()) {
                p.failed.push_back(n);
                p.messages << v.message();
                EXPECT_TRUE(rs.value(column).isNull());  // the plain read gives Null and keeps the error
                EXPECT_FALSE(rs.readStatus().ok());
            } else if (column == ColBody) {
                EXPECT_EQ(v->toString().toLatin1(), bodyOf(n));
            } else if (column == ColName) {
                EXPECT_EQ(v->toString(), nameOf(n));
            } else if (column == ColBaseName) {
                EXPECT_EQ(v->toString(), QStringLiteral("Основная"));
            }
        }
        return p;
    }
};

TEST_F(DamagedBaseTest, ADamagedPageFailsTheReadsOfItsRowOnly)
{
    build();
    ASSERT_TRUE(testsupport::damageMiddlePage(m_path));

    auto opened = Database::open(m_path);
    ASSERT_TRUE(opened.ok()) << opened.message().toStdString();
    auto rs = recordset(*opened);
    ASSERT_TRUE(rs);
    // The small columns come from the index, which the damage did not touch.
    EXPECT_TRUE(readAll(*rs, ColName).failed.empty());

    const Pass bodies = readAll(*rs, ColBody);
    ASSERT_EQ(bodies.failed.size(), 1u);
    const int row = bodies.failed.front();
    const QString message = bodies.messages.front();
    EXPECT_TRUE(message.contains(QStringLiteral("запись %1 ").arg(row))) << message.toStdString();
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(m_path))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("повреждён"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("kodrix-base check"))) << message.toStdString();

    // A move leaves the failure behind; a sound row reads as before.
    rs->moveTo(row);
    EXPECT_TRUE(rs->readStatus().ok());
    EXPECT_TRUE(rs->text(ColBody).isEmpty());
    EXPECT_FALSE(rs->readStatus().ok());
    rs->moveTo(row == 1 ? Rows : 1);
    EXPECT_TRUE(rs->readStatus().ok());
    EXPECT_FALSE(rs->text(ColBody).isEmpty());
    EXPECT_TRUE(rs->readStatus().ok());
}

// After a read failed, the connection writes nothing: neither to the damaged row
// (whose empty reading would replace what is left of it) nor to any other.
TEST_F(DamagedBaseTest, NoWriteFollowsAFailedRead)
{
    build();
    ASSERT_TRUE(testsupport::damageMiddlePage(m_path));
    const QByteArray before = readFile(m_path);
    {
        auto db = *Database::open(m_path);
        auto rs = recordset(db);
        ASSERT_TRUE(rs);
        const Pass bodies = readAll(*rs, ColBody);
        ASSERT_FALSE(bodies.failed.empty());

        rs->moveTo(bodies.failed.front());
        const Result<void> edit = rs->edit();
        ASSERT_FALSE(edit.ok());
        EXPECT_TRUE(edit.message().contains(bodies.messages.front())) << edit.message().toStdString();
        rs->moveTo(bodies.failed.front() == 1 ? 2 : 1);
        EXPECT_FALSE(rs->edit().ok());
        EXPECT_FALSE(rs->remove().ok());
        rs->addNew();
        ASSERT_TRUE(rs->setValue(ColName, QStringLiteral("Новая")).ok());
        EXPECT_FALSE(rs->update().ok());
        rs->cancelUpdate();
        EXPECT_EQ(rs->recordCount(), Rows);
        ASSERT_TRUE(db->readFailure().has_value());
    }
    EXPECT_EQ(readFile(m_path), before);
}

// Without the small-column index the small columns come from the table, where
// those after Body continue on its pages: a whole-base pass meets the damage.
TEST_F(DamagedBaseTest, WithoutTheSmallIndexTheSmallColumnsFailAsReadsToo)
{
    build(false);
    ASSERT_TRUE(testsupport::damageMiddlePage(m_path));
    auto db = *Database::open(m_path);
    auto rs = recordset(db);
    ASSERT_TRUE(rs);
    const Pass bases = readAll(*rs, ColBaseName);
    ASSERT_EQ(bases.failed.size(), 1u);
    EXPECT_TRUE(bases.messages.front().contains(QStringLiteral("запись %1 ").arg(bases.failed.front())));
}
