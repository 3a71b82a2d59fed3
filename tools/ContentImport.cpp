#include "ContentImport.h"

#include "attachments/PackArchive.h"
#include "store/Record.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <map>
#include <optional>

namespace tool {

using namespace store;

namespace {

QString q(const QString& path) { return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path)); }

std::optional<QByteArray> readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

// Text files of the content are UTF-8; a file that is not is taken as code page 1251.
QString decodeText(const QByteArray& bytes)
{
    QByteArray b = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    auto utf8 = QStringDecoder(QStringDecoder::Utf8);
    QString text = utf8(b);
    if (utf8.hasError())
        text = QStringDecoder("windows-1251")(b);
    return text;
}

struct Entry {
    QString name;
    int kind = KindArticle;
    QString target;
    QByteArray body;
    QByteArray archive;
    QString fileList;  // ";a.bas;b.frm"
    QString seeAlso;
    bool favorite = false;
    bool deleted = false;
    QString path;  // overrides the folder path when set
    QDateTime added;
};

Result<void> applyMeta(const QString& metaPath, Entry& e)
{
    auto bytes = readAll(metaPath);
    if (!bytes)
        return Error{QStringLiteral("Не удалось прочитать %1.").arg(q(metaPath))};
    const QStringList lines = decodeText(*bytes).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        const QString key = line.left(eq).trimmed().toLower();
        const QString value = eq < 0 ? QString() : line.mid(eq + 1).trimmed();
        if (key == QLatin1String("seealso"))
            e.seeAlso += value + QStringLiteral(";;");
        else if (key == QLatin1String("favorite"))
            e.favorite = value == QLatin1String("1");
        else if (key == QLatin1String("deleted"))
            e.deleted = value == QLatin1String("1");
        else if (key == QLatin1String("path"))
            e.path = value;
        else if (key == QLatin1String("kind"))
            e.kind = value.toInt();
        else if (key == QLatin1String("added")) {
            e.added = QDateTime::fromString(value, Qt::ISODate);
            if (!e.added.isValid())
                return Error{QStringLiteral("%1, строка %2: неверная дата «%3».").arg(q(metaPath)).arg(i + 1).arg(value)};
        } else
            return Error{QStringLiteral("%1, строка %2: неизвестный ключ «%3».").arg(q(metaPath)).arg(i + 1).arg(key)};
    }
    return {};
}

// The files of an entry's ".files" folder, in name order, as its archive and file list.
Result<void> packAttachments(const QString& dir, Entry& e)
{
    QList<attachments::PackEntry> entries;
    for (const QFileInfo& f : QDir(dir).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        auto bytes = readAll(f.filePath());
        if (!bytes)
            return Error{QStringLiteral("Не удалось прочитать %1.").arg(q(f.filePath()))};
        entries.push_back({f.fileName(), *bytes});
        e.fileList += QLatin1Char(';') + f.fileName();
    }
    if (entries.isEmpty())
        return {};
    auto archive = attachments::packEntries(entries);
    if (!archive)
        return archive.error();
    e.archive = *archive;
    return {};
}

class Importer {
public:
    explicit Importer(Recordset& rs) : m_rs(rs) {}

    Result<void> base(const QString& baseDir, const QString& baseName)
    {
        return folder(baseDir, baseName, QString());
    }
    qint64 added() const { return m_added; }

private:
    Result<void> folder(const QString& dir, const QString& baseName, const QString& path)
    {
        QDir d(dir);
        const QFileInfoList items = d.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                                    QDir::Name | QDir::DirsLast);
        for (const QFileInfo& fi : items) {
            if (fi.isDir()) {
                if (fi.fileName().endsWith(QLatin1String(".files")))
                    continue;  // attachments of an entry, not a folder
                const QString sub = path.isEmpty() ? fi.fileName() : path + QLatin1Char('\\') + fi.fileName();
                if (auto r = folder(fi.filePath(), baseName, sub); !r)
                    return r;
                continue;
            }
            const QString suffix = fi.suffix().toLower();
            if (fi.fileName() == QLatin1String(".folder")) {
                Entry e;
                e.kind = KindFolder;
                if (auto r = store(e, baseName, path); !r)
                    return r;
                continue;
            }
            if (suffix != QLatin1String("rtf") && suffix != QLatin1String("txt") && suffix != QLatin1String("link") &&
                suffix != QLatin1String("program"))
                continue;  // .meta and anything else belongs to an entry or is ignored
            Entry e;
            e.name = fi.completeBaseName();
            auto bytes = readAll(fi.filePath());
            if (!bytes)
                return Error{QStringLiteral("Не удалось прочитать %1.").arg(q(fi.filePath()))};
            if (suffix == QLatin1String("rtf")) {
                e.body = *bytes;
            } else if (suffix == QLatin1String("txt")) {
                e.body = plainTextToRtf(decodeText(*bytes));
            } else {
                e.kind = suffix == QLatin1String("link") ? KindLink : KindProgram;
                e.target = decodeText(*bytes).section(QLatin1Char('\n'), 0, 0).trimmed();
                if (e.target.isEmpty())
                    return Error{QStringLiteral("В файле %1 нет адреса.").arg(q(fi.filePath()))};
            }
            const QString files = fi.path() + QLatin1Char('/') + fi.completeBaseName() + QStringLiteral(".files");
            if (QFileInfo(files).isDir())
                if (auto r = packAttachments(files, e); !r)
                    return r;
            const QString meta = fi.path() + QLatin1Char('/') + fi.completeBaseName() + QStringLiteral(".meta");
            if (QFileInfo::exists(meta))
                if (auto r = applyMeta(meta, e); !r)
                    return r;
            if (auto r = store(e, baseName, path); !r)
                return r;
        }
        return {};
    }

    Result<void> store(const Entry& e, const QString& baseName, const QString& path)
    {
        std::optional<Error> err;
        auto put = [&](int c, const QVariant& v) {
            if (auto r = m_rs.setValue(c, v); !r && !err)
                err = r.error();
        };
        m_rs.addNew();
        put(ColPath, e.path.isEmpty() ? path : e.path);
        put(ColName, e.name);
        put(ColKind, e.kind);
        put(ColDeleted, e.deleted ? 1 : 0);
        put(ColFavorite, e.favorite ? 1 : 0);
        put(ColBaseName, baseName);
        // Fixed dates keep the demo base the same on every build.
        put(ColAdded, e.added.isValid() ? e.added
                                        : QDateTime(QDate(2025, 9, 1), QTime(9, 0)).addSecs(3600 * 7 * m_added));
        if (!e.target.isEmpty())
            put(ColLinkTarget, e.target);
        if (e.kind == KindArticle)
            put(ColBody, e.body);
        if (!e.fileList.isEmpty()) {
            put(ColArchive, e.archive);
            put(ColFileList, e.fileList);
        }
        if (!e.seeAlso.isEmpty())
            put(ColSeeAlso, e.seeAlso);
        if (err) {
            m_rs.cancelUpdate();
            return *err;
        }
        if (auto r = m_rs.update(); !r)
            return r;
        ++m_added;
        return {};
    }

    Recordset& m_rs;
    qint64 m_added = 0;
};

}  // namespace

QByteArray plainTextToRtf(const QString& text)
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial CYR;}"
                     "{\\f1\\fmodern\\fcharset204 Courier New CYR;}}\r\n\\viewkind4\\uc1\\pard\\lang1049\\f0\\fs20 ";
    static const char hex[] = "0123456789abcdef";
    // Upper half of code page 1251: character → byte.
    static const std::map<char16_t, unsigned char> cp1251 = [] {
        std::map<char16_t, unsigned char> m;
        for (int b = 0x80; b < 0x100; ++b) {
            const QString c = QStringDecoder("windows-1251")(QByteArray(1, char(b)));
            if (c.size() == 1 && c[0] != QChar::ReplacementCharacter)
                m.emplace(c[0].unicode(), static_cast<unsigned char>(b));
        }
        return m;
    }();
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar ch : normalized) {
        const char16_t u = ch.unicode();
        if (u == '\n') {
            out += "\\par\r\n";
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u < 0x80) {
            out += char(u);
        } else {
            const auto it = cp1251.find(u);
            if (it != cp1251.end()) {
                const unsigned char c = it->second;
                out += "\\'";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += "\\u" + QByteArray::number(qint16(u)) + '?';
            }
        }
    }
    out += "\\par\r\n}\r\n";
    return out;
}

Result<qint64> importContent(const QString& dir, Recordset& rs)
{
    QDir root(dir);
    if (!root.exists())
        return Error{QStringLiteral("Папка %1 не найдена.").arg(q(dir))};
    Importer importer(rs);
    // Each folder at the top is one installed base; its name is the base name.
    const QFileInfoList bases = root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& b : bases)
        if (auto r = importer.base(b.filePath(), b.fileName()); !r)
            return r.error();
    return importer.added();
}

}  // namespace tool
