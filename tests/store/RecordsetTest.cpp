#include "StoreFixture.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QRandomGenerator>

using namespace store;

class RecordsetTest : public StoreFixture {};

TEST_F(RecordsetTest, NullColumnsReadAsEmptyText)
{
    auto db = create();
    auto rs = recordset(db);
    rs->addNew();
    ASSERT_TRUE(rs->setValue(ColName, QStringLiteral("Только имя")).ok());
    ASSERT_TRUE(rs->update().ok());
    rs->moveFirst();
    for (int c : {int(ColPath), int(ColBody), int(ColFileList), int(ColBaseName), int(ColLinkTarget), int(ColSeeAlso), 12, 13, 14}) {
        SCOPED_TRACE(c);
        EXPECT_TRUE(rs->isNull(c));
        EXPECT_EQ(rs->text(c), QString());
    }
    EXPECT_EQ(rs->integer(ColDeleted), 0);
    EXPECT_FALSE(rs->flag(ColFavorite));
    EXPECT_TRUE(rs->bytes(ColArchive).isEmpty());
    EXPECT_EQ(rs->text(ColName), QStringLiteral("Только имя"));
}

TEST_F(RecordsetTest, WritesConvertToTheColumnType)
{
    auto db = create();
    auto rs = recordset(db);
    const QDateTime when(QDate(2026, 3, 14), QTime(15, 9, 26));
    rs->addNew();
    // The wizard writes the flags as the text "0".
    ASSERT_TRUE(rs->setValue(ColDeleted, QStringLiteral("0")).ok());
    ASSERT_TRUE(rs->setValue(ColFavorite, QStringLiteral(" 1 ")).ok());
    ASSERT_TRUE(rs->setValue(ColKind, short(3)).ok());
    ASSERT_TRUE(rs->setValue(ColAdded, when).ok());
    ASSERT_TRUE(rs->setValue(ColPath, 42).ok());
    EXPECT_FALSE(rs->setValue(ColKind, QStringLiteral("статья")).ok());
    EXPECT_FALSE(rs->setValue(ColAdded, QStringLiteral("не дата")).ok());
    ASSERT_TRUE(rs->update().ok());

    rs->moveFirst();
    EXPECT_EQ(rs->value(ColDeleted), QVariant(qint64(0)));
    EXPECT_TRUE(rs->flag(ColFavorite));
    EXPECT_EQ(rs->integer(ColKind), 3);
    EXPECT_EQ(rs->dateTime(ColAdded), when);
    EXPECT_EQ(rs->text(ColPath), QStringLiteral("42"));
}

TEST_F(RecordsetTest, OnlyOneCountsAsASetFlag)
{
    auto db = create();
    auto rs = recordset(db);
    for (int v : {0, 1, 2, -1}) {
        rs->addNew();
        ASSERT_TRUE(rs->setValue(ColDeleted, v).ok());
        ASSERT_TRUE(rs->update().ok());
    }
    std::vector<bool> set;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        set.push_back(rs->flag(ColDeleted));
    EXPECT_EQ(set, (std::vector<bool>{false, true, false, false}));
}

TEST_F(RecordsetTest, NavigationAndRecordNumbers)
{
    auto db = create();
    auto rs = recordset(db);
    EXPECT_EQ(rs->recordCount(), 0);
    EXPECT_TRUE(rs->eof());
    for (int i = 1; i <= 5; ++i)
        add(*rs, QString(), QStringLiteral("Запись %1").arg(i));
    EXPECT_EQ(rs->recordCount(), 5);

    rs->moveFirst();
    rs->move(3);
    EXPECT_EQ(rs->text(ColName), QStringLiteral("Запись 4"));
    rs->moveLast();
    EXPECT_EQ(rs->text(ColName), QStringLiteral("Запись 5"));
    rs->moveNext();
    EXPECT_TRUE(rs->eof());
    EXPECT_EQ(rs->text(ColName), QString());
    rs->moveTo(2);
    EXPECT_EQ(rs->recordNumber(), 2);
    EXPECT_EQ(rs->text(ColName), QStringLiteral("Запись 2"));
    // Random access in any order reads the right row (the stream restarts).
    for (int n : {5, 1, 3, 3, 2, 5}) {
        rs->moveTo(n);
        EXPECT_EQ(rs->text(ColName), QStringLiteral("Запись %1").arg(n));
    }
}

TEST_F(RecordsetTest, NewRowIsLastAndCurrentRowStays)
{
    auto db = create();
    auto rs = recordset(db);
    for (int i = 1; i <= 3; ++i)
        add(*rs, QString(), QStringLiteral("Запись %1").arg(i));
    rs->moveTo(2);
    rs->addNew();
    ASSERT_TRUE(rs->setValue(ColName, QStringLiteral("Новая")).ok());
    ASSERT_TRUE(rs->update().ok());
    EXPECT_EQ(rs->text(ColName), QStringLiteral("Запись 2"));
    EXPECT_EQ(rs->recordCount(), 4);
    rs->moveTo(rs->recordCount());
    EXPECT_EQ(rs->text(ColName), QStringLiteral("Новая"));
    rs->moveLast();
    EXPECT_EQ(rs->text(ColName), QStringLiteral("Новая"));
}

TEST_F(RecordsetTest, EditChangesTheRowOpenedEvenAfterAMove)
{
    auto db = create();
    auto rs = recordset(db);
    for (int i = 1; i <= 3; ++i)
        add(*rs, QString(), QStringLiteral("Запись %1").arg(i));
    rs->moveTo(1);
    ASSERT_TRUE(rs->edit().ok());
    ASSERT_TRUE(rs->setValue(ColName, QStringLiteral("Первая")).ok());
    rs->moveTo(3);
    ASSERT_TRUE(rs->update().ok());
    rs->moveTo(1);
    EXPECT_EQ(rs->text(ColName), QStringLiteral("Первая"));
    rs->moveTo(3);
    EXPECT_EQ(rs->text(ColName), QStringLiteral("Запись 3"));
}

TEST_F(RecordsetTest, DeleteShiftsLaterRecordNumbersAndMoveNextReachesTheFollower)
{
    auto db = create();
    auto rs = recordset(db);
    for (const char* base : {"А", "Б", "А", "А", "В"})
        add(*rs, QString(), QString::fromUtf8(base));
    // Delete every "А" in one pass, counting rows as they were before the first deletion.
    const qint64 n = rs->recordCount();
    rs->moveFirst();
    for (qint64 i = 1; i <= n; ++i) {
        if (rs->text(ColName) == QStringLiteral("А")) {
            ASSERT_TRUE(rs->remove().ok());
        }
        rs->moveNext();
    }
    EXPECT_EQ(rs->recordCount(), 2);
    rs->moveTo(1);
    EXPECT_EQ(rs->text(ColName), QStringLiteral("Б"));
    rs->moveTo(2);
    EXPECT_EQ(rs->text(ColName), QStringLiteral("В"));

    // A fresh recordset agrees.
    auto again = recordset(db);
    EXPECT_EQ(again->recordCount(), 2);
    again->moveLast();
    EXPECT_EQ(again->text(ColName), QStringLiteral("В"));
}

TEST_F(RecordsetTest, EveryByteValueOfAOneMegabyteArchiveSurvives)
{
    QByteArray archive(1 << 20, '\0');
    for (int i = 0; i < archive.size(); ++i)
        archive[i] = char(i % 256);
    // Sprinkle in random bytes so no pattern hides a lost byte.
    auto* rng = QRandomGenerator::global();
    for (int i = 0; i < 4096; ++i)
        archive[int(rng->bounded(archive.size()))] = char(rng->bounded(256));
    {
        auto db = create();
        auto rs = recordset(db);
        rs->addNew();
        ASSERT_TRUE(rs->setValue(ColArchive, archive).ok());
        ASSERT_TRUE(rs->update().ok());
    }
    auto db = Database::open(m_path);
    ASSERT_TRUE(db.ok());
    auto rs = recordset(*db);
    rs->moveFirst();
    const QByteArray back = rs->bytes(ColArchive);
    EXPECT_EQ(back.size(), archive.size());
    EXPECT_EQ(QCryptographicHash::hash(back, QCryptographicHash::Sha256),
              QCryptographicHash::hash(archive, QCryptographicHash::Sha256));
}

TEST_F(RecordsetTest, BasePastSixteenBitLimit)
{
    auto db = create();
    auto rs = recordset(db);
    const int rows = 40000;
    ASSERT_TRUE(db->beginBatch().ok());
    for (int i = 1; i <= rows; ++i) {
        rs->addNew();
        ASSERT_TRUE(rs->setValue(ColName, QString::number(i)).ok());
        ASSERT_TRUE(rs->update().ok());
    }
    ASSERT_TRUE(db->commitBatch().ok());
    auto fresh = recordset(db);
    EXPECT_EQ(fresh->recordCount(), rows);
    qint64 counter = 0;
    for (fresh->moveFirst(); !fresh->eof(); fresh->moveNext())
        ASSERT_EQ(fresh->text(ColName).toLongLong(), ++counter);
    EXPECT_EQ(counter, rows);
    fresh->moveTo(32767);
    EXPECT_EQ(fresh->text(ColName), QStringLiteral("32767"));
}

TEST_F(RecordsetTest, TwoConnectionsSideBySide)
{
    auto first = create();
    auto rs1 = recordset(first);
    for (int i = 1; i <= 3; ++i)
        add(*rs1, QStringLiteral("Папка"), QStringLiteral("Запись %1").arg(i));
    rs1->moveFirst();
    EXPECT_EQ(rs1->text(ColName), QStringLiteral("Запись 1"));  // a read stream stays open

    auto second = Database::open(m_path);
    ASSERT_TRUE(second.ok()) << second.message().toStdString();
    auto rs2 = recordset(*second);
    auto rs2b = recordset(*second);  // and a second recordset on the same connection
    EXPECT_EQ(rs2->recordCount(), 3);
    rs2->moveTo(2);
    ASSERT_TRUE(rs2->remove().ok());  // writes while the first connection is reading
    EXPECT_EQ(rs2b->recordCount(), 3);  // a snapshot until reopened

    auto reopened = recordset(first);
    EXPECT_EQ(reopened->recordCount(), 2);
    reopened->moveLast();
    EXPECT_EQ(reopened->text(ColName), QStringLiteral("Запись 3"));
}

TEST_F(RecordsetTest, AValueHoldingAPlaceholderIsQuotedAsWritten)
{
    auto db = create();
    auto rs = recordset(db);
    rs->addNew();
    const Result<void> r = rs->setValue(ColKind, QStringLiteral("50%1 off"));
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.message().contains(QStringLiteral("«50%1 off» не число (столбец 6)"))) << r.message().toStdString();
}
