// Damaged archives: the scan reads them exactly as the plain reading of the
// format does, in time and memory that grow with the archive alone.
#include "ArchiveFixtures.h"
#include "attachments/PackArchive.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <sys/resource.h>

using namespace attachments;
using namespace archivetest;

namespace {

struct Scan {
    QList<QByteArray> names, bytes;
    ScanEnd end = ScanEnd::Complete;
};

// The format read the plain way: a search from the record's 17th byte for A, then
// C after the name's start, then B after the name. Quadratic on a damaged archive,
// and the meaning the scan must keep.
Scan plainReading(const QByteArray& archive)
{
    Scan s;
    if (archive.size() < HeaderSize) {
        s.end = ScanEnd::Cut;
        return s;
    }
    qsizetype pos = HeaderSize;
    while (pos < archive.size()) {
        if (archive.size() - pos < 22 || archive.indexOf(archive.mid(pos, 6), pos + 16) < 0 ||
            pos + 24 >= archive.size()) {
            s.end = ScanEnd::Cut;
            return s;
        }
        const qsizetype nameEnd = archive.indexOf(archive.mid(pos + 12, 6), pos + 24);
        const qsizetype bytesEnd = nameEnd < 0 ? -1 : archive.indexOf(archive.mid(pos + 6, 6), nameEnd + 6);
        if (bytesEnd < 0) {
            s.end = ScanEnd::Cut;
            return s;
        }
        s.names << archive.mid(pos + 24, nameEnd - pos - 24);
        s.bytes << archive.mid(nameEnd + 6, bytesEnd - nameEnd - 6);
        pos = bytesEnd + 6;
    }
    return s;
}

Scan scan(const QByteArray& archive)
{
    Scan s;
    s.end = scanRecords(archive, [&](const RawRecord& r) {
        s.names << r.name.toByteArray();
        s.bytes << r.bytes.toByteArray();
        return true;
    });
    return s;
}

long peakRssKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

}  // namespace

// Separators moved, copied and broken at random places of a sound archive: the
// scan gives the same records and the same end as the plain reading.
TEST(DamagedArchive, ReadsAsThePlainReadingWhateverTheDamage)
{
    QList<PackEntry> entries;
    for (int i = 0; i < 40; ++i)
        entries.push_back({QStringLiteral("файл%1.bin").arg(i), randomBytes(i * 7 % 90, quint32(i))});
    const auto sound = packEntries(entries);
    ASSERT_TRUE(sound.ok());
    QRandomGenerator rng(17);
    for (int trial = 0; trial < 400; ++trial) {
        SCOPED_TRACE(trial);
        QByteArray a = *sound;
        for (int k = 0, n = rng.bounded(1, 4); k < n; ++k) {
            const qsizetype at = HeaderSize + rng.bounded(int(a.size() - HeaderSize - 6));
            switch (rng.bounded(3)) {
            case 0: a[at] = char(rng.bounded(256)); break;  // one byte changed
            case 1: {  // a separator copied to another place
                const qsizetype from = HeaderSize + rng.bounded(int(a.size() - HeaderSize - 6));
                a.replace(at, 6, a.mid(from, 6));
                break;
            }
            default: a.remove(at, rng.bounded(1, 12)); break;  // bytes lost
            }
        }
        const Scan want = plainReading(a), got = scan(a);
        ASSERT_EQ(got.end, want.end);
        ASSERT_EQ(got.names, want.names);
        ASSERT_EQ(got.bytes, want.bytes);
    }
}

// Every record's second A is broken and its only other occurrence lies at the
// very end: the plain reading searches the rest of the archive once per record.
// The scan still reads every record, in linear time and with memory well below
// the archive's size (keeping a position for every byte took thirty times it).
TEST(DamagedArchive, EveryRecordDisplacedIsReadInLinearTimeAndBoundedMemory)
{
    const int records = 100000;
    QByteArray archive = header();
    archive.reserve(16 * 1024 * 1024);
    QByteArray tail;
    // Random file bytes, as attachments mostly are: nearly every 6 bytes differ.
    const qsizetype fill = 110;
    const QByteArray random = randomBytes(records * fill, 3);
    for (int i = 0; i < records; ++i) {
        const QByteArray a = QByteArray::number(1000000 + i).right(6);  // "000000" … "099999", each once
        const QByteArray b = "\xB0\xB1\xB2\xB3\xB4\xB5", c = "\xC0\xC1\xC2\xC3\xC4\xC5";
        archive += a + b + c + "A?AAAA" + "n" + c + random.mid(i * fill, fill) + b;
        tail += a;
    }
    archive += tail;
    const long before = peakRssKb();
    QElapsedTimer clock;
    clock.start();
    qsizetype seen = 0;
    const ScanEnd end = scanRecords(archive, [&](const RawRecord& r) {
        seen += r.name == "n" && r.bytes == QByteArrayView(random).sliced(seen * fill, fill);
        return true;
    });
    const qint64 ms = clock.elapsed();
    EXPECT_EQ(seen, records);
    EXPECT_EQ(end, ScanEnd::Cut);  // the tail of As is no record
    EXPECT_LT((peakRssKb() - before) * 1024, archive.size());
    EXPECT_LT(ms, 20000) << "the plain reading would take hours here";
}
