// Base commands: create, import, dump, check, generate.
#include "Command.h"
#include "ToolTexts.h"
#include "ContentImport.h"

#include "Generator.h"
#include "store/Database.h"
#include "store/Recordset.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>

#include <sqlite3.h>

namespace tool {
namespace {

using namespace store;

int create(const QStringList& a)
{
    if (a.size() != 1)
        return fail(QStringLiteral("create"), texts::oneBaseArgument());
    auto db = Database::create(a[0]);
    if (!db)
        return fail(QStringLiteral("create"), db.message());
    return 0;
}

int import(const QStringList& a)
{
    if (a.size() != 2)
        return fail(QStringLiteral("import"), texts::dirAndBaseArguments());
    auto db = Database::open(a[1]);
    if (!db)
        return fail(QStringLiteral("import"), db.message());
    auto rs = (*db)->openRecordset();
    if (!rs)
        return fail(QStringLiteral("import"), rs.message());
    // One transaction: a failed import leaves the base as it was.
    if (auto r = (*db)->beginBatch(); !r)
        return fail(QStringLiteral("import"), r.message());
    auto n = importContent(a[0], **rs);
    if (!n) {
        sqlite3_exec((*db)->handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        return fail(QStringLiteral("import"), n.message());
    }
    if (auto r = (*db)->commitBatch(); !r)
        return fail(QStringLiteral("import"), r.message());
    out(texts::imported().arg(*n));
    return 0;
}

QString jsonString(const QString& s)
{
    QString o = QStringLiteral("\"");
    for (QChar c : s) {
        switch (c.unicode()) {
        case '"': o += QStringLiteral("\\\""); break;
        case '\\': o += QStringLiteral("\\\\"); break;
        case '\n': o += QStringLiteral("\\n"); break;
        case '\r': o += QStringLiteral("\\r"); break;
        case '\t': o += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))  // C1 steers terminals too
                o += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
            else
                o += c;
        }
    }
    return o + QLatin1Char('"');
}

int dump(const QStringList& a)
{
    if (a.size() != 1)
        return fail(QStringLiteral("dump"), texts::oneBaseArgument());
    auto db = Database::open(a[0]);
    if (!db)
        return fail(QStringLiteral("dump"), db.message());
    auto rs = (*db)->openRecordset();
    if (!rs)
        return fail(QStringLiteral("dump"), rs.message());
    Recordset& r = **rs;
    qint64 n = 0;
    for (r.moveFirst(); !r.eof(); r.moveNext()) {
        QString line = QStringLiteral("{\"n\": %1").arg(++n);
        for (int c = 1; c < ColumnCount; ++c) {
            // A row that cannot be read ends the dump: printed as nulls it would
            // pass for a row that holds nothing.
            const Result<QVariant> read = r.read(c);
            if (!read)
                return fail(QStringLiteral("dump"), read.message());
            const QVariant& v = *read;
            QString json;
            if (v.isNull())
                json = QStringLiteral("null");
            else if (c == ColArchive) {
                const QByteArray b = v.toByteArray();
                json = QStringLiteral("{\"bytes\": %1, \"sha256\": \"%2\"}")
                           .arg(QString::number(b.size()),
                                QString::fromLatin1(QCryptographicHash::hash(b, QCryptographicHash::Sha256).toHex()));
            } else if (v.typeId() == QMetaType::LongLong)
                json = QString::number(v.toLongLong());
            else if (v.typeId() == QMetaType::QDateTime)
                json = jsonString(v.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));  // local wall-clock time, as stored
            else
                json = jsonString(v.toString());
            line += QStringLiteral(", \"c%1\": %2").arg(QString::number(c), json);
        }
        out(line + QStringLiteral("}\n"));
    }
    return 0;
}

// One number a PRAGMA gives, or -1.
qint64 pragmaNumber(sqlite3* db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    qint64 n = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        n = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return n;
}

// The engine reads only the pages its header counts, so bytes appended to the
// file (or pages cut off its end) pass its own check. The file must hold exactly
// the pages the base counts, once the write-ahead log is copied back into it (a
// complete checkpoint also trims the file to that size).
QString checkFileSize(sqlite3* db, const QString& path)
{
    sqlite3_stmt* st = nullptr;
    bool complete = false;
    if (sqlite3_prepare_v2(db, "PRAGMA wal_checkpoint(PASSIVE)", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        complete = sqlite3_column_int(st, 0) == 0 && sqlite3_column_int(st, 1) == sqlite3_column_int(st, 2);
    sqlite3_finalize(st);
    if (!complete)
        return QString();  // another program is writing; the log still holds pages
    const qint64 pages = pragmaNumber(db, "PRAGMA page_count");
    const qint64 pageSize = pragmaNumber(db, "PRAGMA page_size");
    const qint64 size = QFileInfo(path).size();
    if (pages < 0 || pageSize <= 0 || size == pages * pageSize)
        return QString();
    if (size > pages * pageSize)
        return texts::trailingBytes()
            .arg(QString::number(size - pages * pageSize), QString::number(pages), QString::number(pageSize));
    return texts::truncatedBase()
        .arg(QString::number(size), QString::number(pages), QString::number(pageSize));
}

int check(const QStringList& a)
{
    if (a.size() != 1)
        return fail(QStringLiteral("check"), texts::oneBaseArgument());
    auto db = Database::open(a[0]);
    if (!db)
        return fail(QStringLiteral("check"), db.message());
    auto rs = (*db)->openRecordset();
    if (!rs)
        return fail(QStringLiteral("check"), rs.message());
    sqlite3_stmt* st = nullptr;
    QString verdict;
    if (sqlite3_prepare_v2((*db)->handle(), "PRAGMA quick_check", -1, &st, nullptr) == SQLITE_OK) {
        while (sqlite3_step(st) == SQLITE_ROW) {
            const QString line = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            if (line != QLatin1String("ok"))
                verdict += line + QLatin1Char('\n');
        }
    } else {
        verdict = (*db)->engineMessage();
    }
    sqlite3_finalize(st);
    if (verdict.isEmpty())
        verdict = checkFileSize((*db)->handle(), a[0]);
    if (!verdict.isEmpty())
        return fail(QStringLiteral("check"),
                    texts::baseDamaged().arg(a[0], verdict.trimmed()));
    out(texts::baseSound().arg(a[0], QString::number((*rs)->recordCount())));
    return 0;
}

int generate(const QStringList& a)
{
    gen::Options o;
    QString path;
    for (int i = 0; i < a.size(); ++i) {
        bool ok = true;
        if (a[i] == QLatin1String("--rows") && i + 1 < a.size())
            o.rows = a[++i].toLongLong(&ok);
        else if (a[i] == QLatin1String("--seed") && i + 1 < a.size())
            o.seed = a[++i].toUInt(&ok);
        else if (path.isEmpty() && !a[i].startsWith(QLatin1String("--")))
            path = a[i];
        else
            ok = false;
        if (!ok)
            return fail(QStringLiteral("generate"), texts::badArgument().arg(a[i]));
    }
    if (path.isEmpty() || o.rows < 0)
        return fail(QStringLiteral("generate"), texts::generateArguments());
    if (auto r = gen::generateBase(path, o); !r)
        return fail(QStringLiteral("generate"), r.message());
    return 0;
}

const Registrar r1({QStringLiteral("create"), QStringLiteral("create BASE"),
                    texts::helpCreate(), create});
const Registrar r2({QStringLiteral("import"), QStringLiteral("import DIR BASE"),
                    texts::helpImport(),
                    import});
const Registrar r3({QStringLiteral("dump"), QStringLiteral("dump BASE"),
                    texts::helpDump(), dump});
const Registrar r4({QStringLiteral("check"), QStringLiteral("check BASE"),
                    texts::helpCheck(), check});
const Registrar r5({QStringLiteral("generate"), QStringLiteral("generate BASE --rows N [--seed S]"),
                    texts::helpGenerate(), generate});

}  // namespace
}  // namespace tool
