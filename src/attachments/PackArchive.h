#pragma once
// The pack archive: the attached files of one article as one byte string, kept in
// the record's Archive column. An 80-byte header, then per file the record
//   A B C A name C bytes B
// where A, B and C are random 6-byte separators of that record. There is no
// length field and no escaping, so everything rests on the separators being found
// exactly where the layout puts them. This file knows nothing of disks or records.
#include "store/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace attachments {

inline constexpr qsizetype HeaderSize = 80;
inline constexpr qsizetype MagicSize = 24;
inline constexpr qsizetype SeparatorSize = 6;
// What every reader compares: the first 24 bytes of the header.
inline constexpr const char Magic[] = "TOLVU PACK format v2.0//";
// The whole header we write; readers skip bytes 25 to 80 unread.
inline constexpr const char Header[] =
    "TOLVU PACK format v2.0//Kodrix attachments: record A B C A name C data B        ";
static_assert(sizeof(Magic) - 1 == MagicSize);
static_assert(sizeof(Header) - 1 == HeaderSize);

// One file to pack or one record read back.
struct PackEntry {
    QString name;
    QByteArray bytes;
};

// Gives one 6-byte separator per call. Tests script it; the program uses makeSeparator.
using SeparatorSource = std::function<QByteArray()>;

// Six bytes, each uniform over 0..255, from a generator seeded once from the
// system's entropy (seeding from the clock repeats itself within one tick).
QByteArray makeSeparator();

// Why `name` cannot be a stored name, or the empty text when it can. A stored name
// becomes a file inside the folder that is unpacked into, so it must not be empty,
// name a folder ("/", "\", nothing but dots), a drive (":") or hold control codes.
QString unsafeNameReason(const QString& name);

// The name in code page 1251, or nothing when 1251 cannot hold it exactly.
std::optional<QByteArray> encodeName(const QString& name);
// A stored name as text. Every byte reads as some character (0x98, which 1251
// leaves undefined, as U+0098), so a name read back encodes to the same bytes.
QString decodeName(QByteArrayView stored);

// Packs the entries, in order, into one archive. Fails, naming the file, when a name
// cannot be stored (outside 1251, or unsafe as above); nothing partial is returned.
store::Result<QByteArray> packEntries(const QList<PackEntry>& entries,
                                      const SeparatorSource& separators = makeSeparator);

// True when the archive begins with the magic (the 24 bytes every reader compares).
bool hasMagic(QByteArrayView archive);

// One record as the scan finds it; the views point into the scanned archive.
struct RawRecord {
    QByteArrayView name;
    QByteArrayView bytes;
};

// How a scan ended: at the end of the archive, or early at a record whose
// separators are not where the layout puts them (the records before stay valid).
enum class ScanEnd { Complete, Cut, Stopped };

// Walks the records of an archive that has the magic, front to back, the way every
// reader of the format does; `visit` returns false to stop. Linear in the archive's
// size whatever it holds.
ScanEnd scanRecords(QByteArrayView archive, const std::function<bool(const RawRecord&)>& visit);

// A record read back into memory. `refusal` is empty when the name may be written
// as a file, else why it may not.
struct ArchiveRecord {
    QString name;
    QByteArray bytes;
    QString refusal;
};

struct ArchiveContents {
    QList<ArchiveRecord> records;
    bool cut = false;  // the archive ended early or broke off; `records` are the sound ones before
};

// Every record of an archive, in memory. Fails only on a missing magic.
store::Result<ArchiveContents> readArchive(QByteArrayView archive);

// The rule by which a wanted name selects records: blanks trimmed on both sides,
// letter case ignored.
bool nameMatches(const QString& stored, const QString& wanted);

}  // namespace attachments
