// The archive in memory: the exact layout we write, what the scan reads back from
// archives of any origin, and how separators are chosen.
#include "ArchiveFixtures.h"
#include "attachments/AttachmentTexts.h"
#include "attachments/PackArchive.h"

#include <gtest/gtest.h>

#include <QSet>

using namespace attachments;
using namespace archivetest;

namespace {

QList<PackEntry> read(const QByteArray& archive, bool* cut = nullptr)
{
    auto r = readArchive(archive);
    EXPECT_TRUE(r.ok()) << r.message().toStdString();
    if (!r)
        return {};
    if (cut)
        *cut = r->cut;
    QList<PackEntry> out;
    for (const auto& rec : r->records)
        out.push_back({rec.name, rec.bytes});
    return out;
}

void expectSame(const QList<PackEntry>& got, const QList<PackEntry>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (qsizetype i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].name, want[i].name);
        EXPECT_TRUE(got[i].bytes == want[i].bytes) << "bytes differ, sizes " << got[i].bytes.size() << " / "
                                                   << want[i].bytes.size();
    }
}

}  // namespace

TEST(PackLayout, RecordsAreExactlyABCANameCBytesBAfterAnEightyByteHeader)
{
    ScriptedSeparators seps{{"AAAAAA", "BBBBBB", "CCCCCC", "aaaaaa", "bbbbbb", "cccccc"}};
    const QString cyrillic = QStringLiteral("Отчёт №1.txt");
    auto archive = packEntries({{QStringLiteral("x.bin"), QByteArray("\0\1\2", 3)}, {cyrillic, QByteArray()}},
                               std::ref(seps));
    ASSERT_TRUE(archive.ok()) << archive.message().toStdString();
    const QByteArray name1251 = *encodeName(cyrillic);
    EXPECT_EQ(name1251, QByteArray("\xCE\xF2\xF7\xB8\xF2 \xB9" "1.txt"));
    const QByteArray want = QByteArray(Header) + "AAAAAABBBBBBCCCCCCAAAAAAx.binCCCCCC" + QByteArray("\0\1\2", 3) +
                            "BBBBBB" + "aaaaaabbbbbbccccccaaaaaa" + name1251 + "cccccc" + "bbbbbb";
    EXPECT_EQ(*archive, want);
    EXPECT_EQ(archive->left(24), QByteArray("TOLVU PACK format v2.0//"));
    EXPECT_EQ(archive->mid(72, 8), QByteArray(8, ' '));
    // An empty file: 36 bytes plus its name.
    EXPECT_EQ(archive->size() - (HeaderSize + 36 + 5 + 3), 36 + name1251.size());
}

TEST(PackLayout, NoEntriesGiveTheBareHeader)
{
    auto archive = packEntries({});
    ASSERT_TRUE(archive.ok());
    EXPECT_EQ(*archive, QByteArray(Header));
    bool cut = true;
    EXPECT_TRUE(read(*archive, &cut).isEmpty());
    EXPECT_FALSE(cut);
}

TEST(PackRoundTrip, ContentsComeBackByteForByte)
{
    const QByteArray magicLike = QByteArray(Header) + QByteArray(Header) + "TOLVU PACK format v2.0//";
    const QList<PackEntry> entries = {
        {QStringLiteral("пусто.dat"), QByteArray()},
        {QStringLiteral("all.bin"), allByteValues()},
        {QStringLiteral("zeros.bin"), QByteArray(1000, '\0')},
        {QStringLiteral("magic.txt"), magicLike},
        {QStringLiteral("one.bin"), QByteArray(1, '\xFF')},
        {QStringLiteral("big.bin"), randomBytes(1 << 20, 7)},
        {QStringLiteral(" blanks around.txt "), QByteArray("text")},
        {QStringLiteral("all.bin"), QByteArray("same name again")},
    };
    auto archive = packEntries(entries);
    ASSERT_TRUE(archive.ok()) << archive.message().toStdString();
    bool cut = true;
    expectSame(read(*archive, &cut), entries);
    EXPECT_FALSE(cut);
}

TEST(PackNames, NamesOutside1251OrUnsafeAreRefusedNamingTheFile)
{
    const QString cases[] = {QStringLiteral("文件.txt"), QStringLiteral("smile😀.txt"), QStringLiteral("a/b.txt"),
                             QStringLiteral("..\\up.txt"), QStringLiteral(""), QStringLiteral(".."),
                             QStringLiteral("C:boot.ini"), QStringLiteral("tab\there")};
    for (const QString& name : cases) {
        SCOPED_TRACE(name.toStdString());
        auto archive = packEntries({{QStringLiteral("good.txt"), "x"}, {name, "y"}});
        ASSERT_FALSE(archive.ok());
        if (!name.isEmpty()) {
            EXPECT_TRUE(archive.message().contains(name)) << archive.message().toStdString();
        }
    }
    // Every letter of the Russian alphabet, Ё and № included, is held exactly.
    const QString russian = QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдеёжзийклмнопрстуфхцчшщъыьэюя №«»—.txt");
    auto archive = packEntries({{russian, "z"}});
    ASSERT_TRUE(archive.ok()) << archive.message().toStdString();
    expectSame(read(*archive), {{russian, "z"}});
}

// Separators that a reader could find early must never be used: in the bytes, in
// the name, straddling the end of the bytes or of the name, or equal to another.
TEST(PackSeparators, AnyDrawAReaderCouldMisplaceIsDrawnAgain)
{
    const QByteArray good1 = "\x11\x12\x13\x14\x15\x16", good2 = "\x21\x22\x23\x24\x25\x26",
                     good3 = "\x31\x32\x33\x34\x35\x36";
    struct Case {
        const char* what;
        QString name;
        QByteArray bytes;
        QByteArray a, b, c;
    };
    const Case cases[] = {
        {"A in the bytes", QStringLiteral("f"), "..ABCDEF..", "ABCDEF", good2, good3},
        {"B in the bytes", QStringLiteral("f"), "..ABCDEF..", good1, "ABCDEF", good3},
        {"C in the bytes", QStringLiteral("f"), "..ABCDEF..", good1, good2, "ABCDEF"},
        {"C in the name", QStringLiteral("xxQWERTYxx"), "data", good1, good2, "QWERTY"},
        {"B in the name", QStringLiteral("xxQWERTYxx"), "data", good1, "QWERTY", good3},
        // The bytes end with "abab": B = "ababab" would be found two bytes early.
        {"B straddles the end of the bytes", QStringLiteral("f"), "zzabab", good1, "ababab", good3},
        {"C straddles the end of the name", QStringLiteral("nxyxy"), "data", good1, good2, "xyxyxy"},
        {"A equals B", QStringLiteral("f"), "data", good1, good1, good3},
        {"B equals C", QStringLiteral("f"), "data", good1, good2, good2},
        // C ends with A's first two bytes: A would also stand at the record's 17th byte.
        {"A straddles C and A", QStringLiteral("f"), "data", "\x41\x41\x41\x41\x41\x41", good2,
         "\x30\x30\x30\x30\x41\x41"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        ScriptedSeparators seps{{k.a, k.b, k.c, good1, good2, good3}};
        auto archive = packEntries({{k.name, k.bytes}}, std::ref(seps));
        ASSERT_TRUE(archive.ok()) << archive.message().toStdString();
        EXPECT_EQ(seps.calls, 6);
        EXPECT_EQ(archive->mid(HeaderSize, 18), good1 + good2 + good3);
        expectSame(read(*archive), {{k.name, k.bytes}});
    }
}

TEST(PackSeparators, AGeneratorThatNeverGivesAUsableSeparatorEndsWithAnError)
{
    auto archive = packEntries({{QStringLiteral("f.bin"), "ABCDEF"}}, [] { return QByteArray("ABCDEF"); });
    ASSERT_FALSE(archive.ok());
    EXPECT_TRUE(archive.message().contains(QStringLiteral("f.bin")));
}

TEST(PackSeparators, ConsecutiveSeparatorsDiffer)
{
    // Seeding from the clock gave the same separator many times within one tick.
    QSet<QByteArray> seen;
    QSet<int> byteValues;
    for (int i = 0; i < 5000; ++i) {
        const QByteArray s = makeSeparator();
        ASSERT_EQ(s.size(), SeparatorSize);
        seen.insert(s);
        for (char c : s)
            byteValues.insert(quint8(c));
    }
    EXPECT_EQ(seen.size(), 5000);
    EXPECT_EQ(byteValues.size(), 256);  // 0 and 255 included
}

TEST(ReadArchive, FieldArchivesReadWhateverHeaderTextFollowsTheMagic)
{
    // Bytes that begin like the closing separator but differ in its last byte.
    const QByteArray nearMisses = QByteArray("\x02\xB2\xFE@B\x02\x02\xB2\xFE@Bx\x02\xB2\xFE@", 17);
    const QByteArray archive = header("written by some other packer, 1999") + record("a.txt", "first") +
                               record("\xC4\xE0\xED\xED\xFB\xE5.txt", "второй") + record("e", "") +
                               record("near", nearMisses);
    const QList<PackEntry> want = {{QStringLiteral("a.txt"), "first"},
                                   {QStringLiteral("Данные.txt"), QByteArray("второй")},
                                   {QStringLiteral("e"), QByteArray()},
                                   {QStringLiteral("near"), nearMisses}};
    bool cut = true;
    expectSame(read(archive, &cut), want);
    EXPECT_FALSE(cut);
}

TEST(ReadArchive, WithoutTheMagicItIsNotAnArchive)
{
    const QByteArray cases[] = {QByteArray(), QByteArray(" "), QByteArray("TOLVU PACK format v2.0/"),
                                QByteArray("tolvu pack format v2.0//") + QByteArray(56, ' ') + record("a", "b"),
                                QByteArray(" TOLVU PACK format v2.0//") + QByteArray(56, ' ')};
    for (const QByteArray& archive : cases) {
        SCOPED_TRACE(archive.left(30).toStdString());
        auto r = readArchive(archive);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.message(), texts::notPackArchive());
    }
    // The magic alone, shorter than the header, is an archive cut inside its header.
    auto r = readArchive(QByteArray(Magic));
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r->records.isEmpty());
    EXPECT_TRUE(r->cut);
}

// Cutting an archive anywhere never gives a wrong record: the scan stops at the
// first record it cannot place, and the ones before it come back whole.
TEST(ReadArchive, AnArchiveCutAnywhereGivesTheWholeRecordsBeforeTheCut)
{
    const QList<PackEntry> entries = {{QStringLiteral("a"), "alpha"},
                                      {QStringLiteral("b"), randomBytes(300, 1)},
                                      {QStringLiteral("c"), ""}};
    auto archive = packEntries(entries);
    ASSERT_TRUE(archive.ok());
    QSet<qsizetype> recordEnds = {HeaderSize};
    qsizetype end = HeaderSize;
    for (const auto& e : entries)
        recordEnds.insert(end += 36 + e.name.size() + e.bytes.size());
    for (qsizetype len = 0; len < archive->size(); ++len) {
        SCOPED_TRACE(len);
        auto r = readArchive(archive->left(len));
        if (len < MagicSize) {
            EXPECT_FALSE(r.ok());
            continue;
        }
        ASSERT_TRUE(r.ok());
        ASSERT_LE(r->records.size(), entries.size());
        for (qsizetype i = 0; i < r->records.size(); ++i) {
            EXPECT_EQ(r->records[i].name, entries[i].name);
            EXPECT_TRUE(r->records[i].bytes == entries[i].bytes);
        }
        EXPECT_EQ(r->cut, !recordEnds.contains(len));  // inside the header too
    }
}

// The old reader asks only whether A turns up anywhere from the record's 17th byte
// on; a damaged record whose A lies further on is read the way it always was.
TEST(ReadArchive, ARecordWhoseSecondAIsMisplacedIsReadAsTheOldReaderDid)
{
    const QByteArray a = "AAAAAA", b = "BBBBBB", c = "CCCCCC";
    // The second A is damaged ("A?AAAA"), but A occurs later in the bytes.
    const QByteArray damaged = a + b + c + "A?AAAA" + "n" + c + "xxAAAAAAxx" + b;
    bool cut = true;
    expectSame(read(header() + damaged + record("next", "ok"), &cut),
               {{QStringLiteral("n"), "xxAAAAAAxx"}, {QStringLiteral("next"), "ok"}});
    EXPECT_FALSE(cut);
    // With no A anywhere after it, the scan stops there.
    const QByteArray lost = a + b + c + "A?AAAA" + "n" + c + "data" + b;
    expectSame(read(header() + record("first", "1") + lost, &cut), {{QStringLiteral("first"), "1"}});
    EXPECT_TRUE(cut);
}

TEST(ReadArchive, UnsafeStoredNamesAreMarkedNotDropped)
{
    const QByteArray archive = header() + record("../evil", "x") + record("ok", "y");
    auto r = readArchive(archive);
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r->records.size(), 2);
    EXPECT_FALSE(r->records[0].refusal.isEmpty());
    EXPECT_TRUE(r->records[1].refusal.isEmpty());
}

TEST(NameMatch, BlanksAroundAndLetterCaseDoNotMatter)
{
    struct Case {
        QString stored, wanted;
        bool match;
    };
    const Case cases[] = {
        {QStringLiteral("README.TXT"), QStringLiteral("readme.txt"), true},
        {QStringLiteral("  ReadMe.txt "), QStringLiteral(" README.txt"), true},
        {QStringLiteral("ОТЧЁТ.DOC"), QStringLiteral("отчёт.doc"), true},
        {QStringLiteral("read me.txt"), QStringLiteral("readme.txt"), false},
        {QStringLiteral("a.txt"), QStringLiteral("a.txt.bak"), false},
        {QStringLiteral("\ta.txt"), QStringLiteral("a.txt"), false},  // only blanks are trimmed
    };
    for (const Case& k : cases) {
        SCOPED_TRACE((k.stored + u'|' + k.wanted).toStdString());
        EXPECT_EQ(nameMatches(k.stored, k.wanted), k.match);
    }
}
