#include "PackArchive.h"

#include "AttachmentTexts.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>
#include <optional>
#include <vector>

namespace attachments {

QByteArray makeSeparator()
{
    // global() is seeded once from the system's entropy source and is thread-safe.
    const quint64 r = QRandomGenerator::global()->generate64();
    QByteArray s(SeparatorSize, Qt::Uninitialized);
    for (qsizetype i = 0; i < SeparatorSize; ++i)
        s[i] = char((r >> (8 * i)) & 0xFF);
    return s;
}

QString unsafeNameReason(const QString& name)
{
    if (name.isEmpty())
        return texts::reasonEmpty();
    bool onlyDots = true;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\')
            return texts::reasonSeparator();
        if (c == u':')
            return texts::reasonDrive();
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return texts::reasonControl();
        if (c != u'.')
            onlyDots = false;
    }
    // ".", ".." and, on systems that drop trailing dots, "..." all name a folder.
    if (onlyDots)
        return texts::reasonDots();
    return QString();
}

std::optional<QByteArray> encodeName(const QString& name)
{
    QStringEncoder encoder("windows-1251");
    QByteArray bytes = encoder.encode(name);
    // The converter may substitute instead of flagging a character it cannot map,
    // so the only sure test is the way back.
    if (encoder.hasError() || decodeName(bytes) != name)
        return std::nullopt;
    return bytes;
}

QString decodeName(QByteArrayView stored)
{
    QStringDecoder decoder("windows-1251");
    return decoder.decode(stored);
}

bool hasMagic(QByteArrayView archive)
{
    return archive.size() >= MagicSize && std::memcmp(archive.data(), Magic, MagicSize) == 0;
}

namespace {

// First start of the 6-byte separator at or after `from`, or -1. memchr on its first
// byte, then the other five: in the random, compressed or binary files people
// attach, the first byte turns up once in ~256 bytes and memchr runs at memory
// speed, several times faster than a general substring search.
qsizetype findSeparator(QByteArrayView hay, QByteArrayView sep, qsizetype from)
{
    Q_ASSERT(sep.size() == SeparatorSize);
    if (from < 0 || hay.size() - from < SeparatorSize)
        return -1;
    const char* const base = hay.data();
    const char* p = base + from;
    const char* const lastStart = base + hay.size() - SeparatorSize;
    while (p <= lastStart) {
        p = static_cast<const char*>(std::memchr(p, sep[0], size_t(lastStart - p + 1)));
        if (!p)
            return -1;
        if (std::memcmp(p + 1, sep.data() + 1, SeparatorSize - 1) == 0)
            return p - base;
        ++p;
    }
    return -1;
}

// The record in out[start, end) is unambiguous when each of its separators occurs
// in it only at its own two places. Then no reader can find one early, whatever
// order it searches in: not inside the name or the bytes, not straddling the end
// of the name or the bytes, and not as one of the other two separators.
bool separatorsOnlyInPlace(QByteArrayView record, qsizetype nameSize)
{
    const qsizetype n = record.size();
    struct Expect {
        qsizetype first, second;
    };
    const Expect places[3] = {{0, 18}, {6, n - SeparatorSize}, {12, 24 + nameSize}};
    for (int k = 0; k < 3; ++k) {
        const QByteArrayView sep = record.sliced(places[k].first, SeparatorSize);
        if (findSeparator(record, sep, 0) != places[k].first)
            return false;
        if (findSeparator(record, sep, places[k].first + 1) != places[k].second)
            return false;
        if (findSeparator(record, sep, places[k].second + 1) != -1)
            return false;
    }
    return true;
}

// A random separator occurs by chance in a file of m bytes with odds near m / 2^48;
// the bound only keeps a broken generator from looping for ever.
constexpr int MaxSeparatorDraws = 64;

}  // namespace

store::Result<QByteArray> packEntries(const QList<PackEntry>& entries, const SeparatorSource& separators)
{
    QList<QByteArray> names;
    names.reserve(entries.size());
    qsizetype total = HeaderSize;
    for (const PackEntry& e : entries) {
        const QString reason = unsafeNameReason(e.name);
        if (!reason.isEmpty())
            return store::Error{texts::nameUnsafe().arg(e.name, reason)};
        std::optional<QByteArray> encoded = encodeName(e.name);
        if (!encoded)
            return store::Error{texts::nameNot1251().arg(e.name)};
        names.push_back(*encoded);
        total += 4 * SeparatorSize + names.back().size() + e.bytes.size() + 2 * SeparatorSize;
    }

    QByteArray out;
    out.reserve(total);
    out.append(Header, HeaderSize);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QByteArray& name = names[i];
        const QByteArray& bytes = entries[i].bytes;
        const qsizetype start = out.size();
        bool placed = false;
        for (int draw = 0; draw < MaxSeparatorDraws && !placed; ++draw) {
            out.truncate(start);
            const QByteArray a = separators(), b = separators(), c = separators();
            Q_ASSERT(a.size() == SeparatorSize && b.size() == SeparatorSize && c.size() == SeparatorSize);
            out.append(a).append(b).append(c).append(a).append(name).append(c).append(bytes).append(b);
            placed = separatorsOnlyInPlace(QByteArrayView(out).sliced(start), name.size());
        }
        if (!placed)
            return store::Error{texts::noSeparators().arg(entries[i].name)};
    }
    return out;
}

namespace {

quint64 key6(const char* p)
{
    quint64 k = 0;
    std::memcpy(&k, p, SeparatorSize);
    return k;
}

// Where one record lies, found by its separators C and B; the test of A is apart.
struct Bounds {
    qsizetype pos;       // the record's first byte (its A)
    qsizetype nameEnd;   // the C after the name
    qsizetype bytesEnd;  // the B after the bytes
    qsizetype next() const { return bytesEnd + SeparatorSize; }
    qsizetype nameStart() const { return pos + 24; }
    qsizetype bytesStart() const { return nameEnd + SeparatorSize; }
};

// The record at pos, or nothing when the archive is cut there. A must be found
// from the record's 17th byte on, so a record shorter than 22 bytes ends the
// scan; beyond that A, B and C are whole.
std::optional<Bounds> locate(QByteArrayView archive, qsizetype pos)
{
    const qsizetype size = archive.size();
    if (size - pos < 16 + SeparatorSize || pos + 24 >= size)
        return std::nullopt;
    const qsizetype nameEnd = findSeparator(archive, archive.sliced(pos + 12, SeparatorSize), pos + 24);
    if (nameEnd < 0)
        return std::nullopt;
    const qsizetype bytesEnd = findSeparator(archive, archive.sliced(pos + 6, SeparatorSize), nameEnd + SeparatorSize);
    if (bytesEnd < 0)
        return std::nullopt;
    return Bounds{pos, nameEnd, bytesEnd};
}

// The reader's first test of a record asks whether A occurs anywhere from the
// record's 17th byte on, not only at its place (the 19th byte). In every sound
// record it stands at its place.
bool separatorInPlace(QByteArrayView archive, qsizetype pos)
{
    return pos + 24 <= archive.size() && std::memcmp(archive.data() + pos, archive.data() + pos + 18, SeparatorSize) == 0;
}

// The last start of each of a set of 6-byte sequences in the archive: open
// addressing over the sequences asked about, filled by one walk from the end.
class LastStarts {
public:
    explicit LastStarts(size_t keys)
    {
        size_t capacity = 16;
        while (capacity < 2 * keys)
            capacity *= 2;
        m_slots.assign(capacity, Slot{});
        m_mask = capacity - 1;
    }
    void want(quint64 key)
    {
        Slot& s = slot(key);
        if (s.key == Empty) {
            s.key = key;
            ++m_wanted;
            m_firstTwo[key & 0xFFFF] = true;
        }
    }
    // One pass from the end down to `from`; stops once every sequence is found.
    void fill(QByteArrayView archive, qsizetype from)
    {
        size_t found = 0;
        for (qsizetype i = archive.size() - SeparatorSize; i >= from && found < m_wanted; --i) {
            const quint64 key = key6(archive.data() + i);
            if (!m_firstTwo[key & 0xFFFF])
                continue;
            Slot& s = slot(key);
            if (s.key == key && s.last < 0) {
                s.last = i;
                ++found;
            }
        }
    }
    qsizetype last(quint64 key) { return slot(key).last; }

private:
    static constexpr quint64 Empty = ~quint64(0);  // no 6-byte key has the top bits set
    struct Slot {
        quint64 key = Empty;
        qsizetype last = -1;
    };
    Slot& slot(quint64 key)
    {
        size_t i = size_t((key * 0x9E3779B97F4A7C15ull) >> 20) & m_mask;
        while (m_slots[i].key != Empty && m_slots[i].key != key)
            i = (i + 1) & m_mask;
        return m_slots[i];
    }
    std::vector<Slot> m_slots;
    size_t m_mask = 0;
    size_t m_wanted = 0;
    std::vector<bool> m_firstTwo = std::vector<bool>(1 << 16);
};

// The rest of a damaged archive, from the first record whose A is not at its
// place. Asking "does A occur further on" with a search per record would make a
// long damaged archive quadratic, and indexing every position would take many
// times the archive's size. The answer does not change where the next record
// starts (C and B decide that), so the records are laid out first, then one walk
// from the end finds the last start of every A in question, then they are visited.
// Linear in the archive, with memory for a few numbers per record.
ScanEnd scanDamaged(QByteArrayView archive, qsizetype pos, const std::function<bool(const RawRecord&)>& visit)
{
    std::vector<Bounds> records;
    ScanEnd end = ScanEnd::Complete;
    size_t displaced = 0;
    for (qsizetype at = pos; at < archive.size();) {
        const std::optional<Bounds> b = locate(archive, at);
        if (!b) {
            end = ScanEnd::Cut;
            break;
        }
        records.push_back(*b);
        displaced += !separatorInPlace(archive, at);
        at = b->next();
    }
    LastStarts lastStarts(displaced);
    for (const Bounds& b : records)
        if (!separatorInPlace(archive, b.pos))
            lastStarts.want(key6(archive.data() + b.pos));
    lastStarts.fill(archive, pos + 16);
    for (const Bounds& b : records) {
        if (!separatorInPlace(archive, b.pos) && lastStarts.last(key6(archive.data() + b.pos)) < b.pos + 16)
            return ScanEnd::Cut;
        const RawRecord rec{archive.sliced(b.nameStart(), b.nameEnd - b.nameStart()),
                            archive.sliced(b.bytesStart(), b.bytesEnd - b.bytesStart())};
        if (!visit(rec))
            return ScanEnd::Stopped;
    }
    return end;
}

}  // namespace

ScanEnd scanRecords(QByteArrayView archive, const std::function<bool(const RawRecord&)>& visit)
{
    // An archive that ends inside its header is cut, not empty.
    if (archive.size() < HeaderSize)
        return ScanEnd::Cut;
    qsizetype pos = HeaderSize;
    while (pos < archive.size()) {
        if (!separatorInPlace(archive, pos))
            return scanDamaged(archive, pos, visit);
        const std::optional<Bounds> b = locate(archive, pos);
        if (!b)
            return ScanEnd::Cut;
        const RawRecord rec{archive.sliced(b->nameStart(), b->nameEnd - b->nameStart()),
                            archive.sliced(b->bytesStart(), b->bytesEnd - b->bytesStart())};
        if (!visit(rec))
            return ScanEnd::Stopped;
        pos = b->next();
    }
    return ScanEnd::Complete;
}

store::Result<ArchiveContents> readArchive(QByteArrayView archive)
{
    if (!hasMagic(archive))
        return store::Error{texts::notPackArchive()};
    ArchiveContents contents;
    const ScanEnd end = scanRecords(archive, [&](const RawRecord& r) {
        ArchiveRecord rec;
        rec.name = decodeName(r.name);
        rec.bytes = r.bytes.toByteArray();
        rec.refusal = unsafeNameReason(rec.name);
        contents.records.push_back(std::move(rec));
        return true;
    });
    contents.cut = end == ScanEnd::Cut;
    return contents;
}

namespace {
QStringView trimBlanks(QStringView s)
{
    qsizetype from = 0, to = s.size();
    while (from < to && s[from] == u' ')
        ++from;
    while (to > from && s[to - 1] == u' ')
        --to;
    return s.sliced(from, to - from);
}
}  // namespace

bool nameMatches(const QString& stored, const QString& wanted)
{
    return trimBlanks(stored).toString().toUpper() == trimBlanks(wanted).toString().toUpper();
}

}  // namespace attachments
