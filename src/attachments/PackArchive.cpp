#include "PackArchive.h"

#include "AttachmentTexts.h"

#include <QHash>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>

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
        return texts::ReasonEmpty;
    bool onlyDots = true;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\')
            return texts::ReasonSeparator;
        if (c == u':')
            return texts::ReasonDrive;
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return texts::ReasonControl;
        if (c != u'.')
            onlyDots = false;
    }
    // ".", ".." and, on systems that drop trailing dots, "..." all name a folder.
    if (onlyDots)
        return texts::ReasonDots;
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
            return store::Error{texts::NameUnsafe.arg(e.name, reason)};
        std::optional<QByteArray> encoded = encodeName(e.name);
        if (!encoded)
            return store::Error{texts::NameNot1251.arg(e.name)};
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
            return store::Error{texts::NoSeparators.arg(entries[i].name)};
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

// The reader's first test of a record asks whether A occurs anywhere from the
// record's 17th byte on, not only at its place (the 19th). In every sound record
// it stands at its place; only a damaged archive needs the general question, and
// asking it with a search each time would make a long damaged archive quadratic.
// This index answers it in constant time, built once on first need.
class LaterOccurrence {
public:
    explicit LaterOccurrence(QByteArrayView archive) : m_archive(archive) {}

    bool occursFrom(QByteArrayView sep, qsizetype from)
    {
        if (from + 2 + SeparatorSize <= m_archive.size() && m_archive.sliced(from + 2, SeparatorSize) == sep)
            return true;
        if (!m_built) {
            m_built = true;
            for (qsizetype i = 0; i + SeparatorSize <= m_archive.size(); ++i)
                m_last.insert(key6(m_archive.data() + i), i);
        }
        const auto it = m_last.constFind(key6(sep.data()));
        return it != m_last.constEnd() && *it >= from;
    }

private:
    QByteArrayView m_archive;
    bool m_built = false;
    QHash<quint64, qsizetype> m_last;  // last start of every 6-byte sequence
};

}  // namespace

ScanEnd scanRecords(QByteArrayView archive, const std::function<bool(const RawRecord&)>& visit)
{
    LaterOccurrence later(archive);
    const qsizetype size = archive.size();
    qsizetype pos = HeaderSize;
    while (pos < size) {
        // A must be found from the record's 17th byte on, so a record shorter than
        // 22 bytes ends the scan; beyond that A, B and C are whole.
        if (size - pos < 16 + SeparatorSize)
            return ScanEnd::Cut;
        const QByteArrayView a = archive.sliced(pos, SeparatorSize);
        const QByteArrayView b = archive.sliced(pos + 6, SeparatorSize);
        const QByteArrayView c = archive.sliced(pos + 12, SeparatorSize);
        if (!later.occursFrom(a, pos + 16))
            return ScanEnd::Cut;
        const qsizetype nameStart = pos + 24;
        if (nameStart >= size)
            return ScanEnd::Cut;
        const qsizetype nameEnd = findSeparator(archive, c, nameStart);
        if (nameEnd < 0)
            return ScanEnd::Cut;
        const qsizetype bytesStart = nameEnd + SeparatorSize;
        const qsizetype bytesEnd = findSeparator(archive, b, bytesStart);
        if (bytesEnd < 0)
            return ScanEnd::Cut;
        const RawRecord rec{archive.sliced(nameStart, nameEnd - nameStart),
                            archive.sliced(bytesStart, bytesEnd - bytesStart)};
        if (!visit(rec))
            return ScanEnd::Stopped;
        pos = bytesEnd + SeparatorSize;
    }
    return ScanEnd::Complete;
}

store::Result<ArchiveContents> readArchive(QByteArrayView archive)
{
    if (!hasMagic(archive))
        return store::Error{texts::NotPackArchive};
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
