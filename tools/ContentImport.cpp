#include "ContentImport.h"

#include "ToolTexts.h"

#include "attachments/PackArchive.h"
#include "store/Record.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include "store/FileErrors.h"

#include <algorithm>
#include <map>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tool {

using namespace store;

namespace {

QString q(const QString& path) { return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path)); }

// One file of the content is read whole into memory, and an article's files
// together into one archive: a bound keeps a stray disk image from taking it all.
constexpr qint64 MaxFileBytes = qint64(100) * 1024 * 1024;

// Reads a regular file of the content whole. Opened without following a link
// and checked on the open descriptor, so that nothing swapped in after the
// folder was looked over is read either.
Result<QByteArray> readAll(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        return Error{texts::cannotRead().arg(q(path), err == ELOOP ? texts::isLink() : store::fileErrorReason(err))};
    }
    struct stat st {};
    QString why;
    if (::fstat(fd, &st) != 0)
        why = store::fileErrorReason(errno);
    else if (!S_ISREG(st.st_mode))
        why = texts::notRegular();
    else if (st.st_size > MaxFileBytes) {
        ::close(fd);
        return Error{texts::tooLarge().arg(q(path), QString::number(MaxFileBytes / 1024 / 1024))};
    }
    QByteArray bytes;
    if (why.isEmpty()) {
        bytes.resize(qsizetype(st.st_size));
        qsizetype got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (n < 0)
                    why = store::fileErrorReason(errno);
                break;
            }
            got += n;
        }
        bytes.truncate(got);  // a file that shrank meanwhile gives what it holds
    }
    ::close(fd);
    if (!why.isEmpty())
        return Error{texts::cannotRead().arg(q(path), why)};
    return bytes;
}

// Why an item of the content folder may not be imported, or the empty text.
// Only regular files and folders inside it are; never through a link, which
// could lead out of the folder (a private key, a device, a loop).
QString refusal(const QFileInfo& fi)
{
    if (fi.isSymLink())
        return texts::isLink();
    if (fi.isDir() || fi.isFile())
        return QString();
    return texts::notRegular();
}

// Everything in the folder, links and devices included, in import order.
QFileInfoList listAll(const QString& dir)
{
    return QDir(dir).entryInfoList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                                   QDir::Name | QDir::DirsLast);
}

// The items below `dir` that may not be imported, with why, in import order.
void collectRefusals(const QString& dir, QStringList& out)
{
    for (const QFileInfo& fi : listAll(dir)) {
        const QString why = refusal(fi);
        if (!why.isEmpty())
            out << texts::refusedItem().arg(q(fi.filePath()), why);
        else if (fi.isDir())
            collectRefusals(fi.filePath(), out);
    }
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
        return bytes.error();
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
                return Error{texts::badDate()
                                 .arg(q(metaPath), QString::number(i + 1), value)};
        } else
            return Error{texts::unknownKey()
                             .arg(q(metaPath), QString::number(i + 1), key)};
    }
    return {};
}

// The files of an entry's ".files" folder, in name order, as its archive and file list.
Result<void> packAttachments(const QString& dir, Entry& e)
{
    QList<attachments::PackEntry> entries;
    for (const QFileInfo& f : listAll(dir)) {
        if (f.isDir())
            continue;  // attachments are the files of the folder itself
        auto bytes = readAll(f.filePath());
        if (!bytes)
            return bytes.error();
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
        for (const QFileInfo& fi : listAll(dir)) {
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
                return bytes.error();
            if (suffix == QLatin1String("rtf")) {
                e.body = *bytes;
            } else if (suffix == QLatin1String("txt")) {
                e.body = plainTextToRtf(decodeText(*bytes));
            } else {
                e.kind = suffix == QLatin1String("link") ? KindLink : KindProgram;
                e.target = decodeText(*bytes).section(QLatin1Char('\n'), 0, 0).trimmed();
                if (e.target.isEmpty())
                    return Error{texts::noAddress().arg(q(fi.filePath()))};
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
                return Error{texts::entryNotStored().arg(q(fi.filePath()), r.message())};
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
    // The folder named may itself be reached through a link; nothing inside it may.
    const QString root = QFileInfo(dir).canonicalFilePath();
    if (root.isEmpty() || !QFileInfo(root).isDir())
        return Error{texts::noFolder().arg(q(dir))};
    QStringList refused;
    collectRefusals(root, refused);
    if (!refused.isEmpty()) {
        constexpr int Shown = 20;
        QStringList lines = refused.mid(0, Shown);
        if (refused.size() > Shown)
            lines << texts::andMore().arg(refused.size() - Shown);
        return Error{texts::refusedItems().arg(lines.join(QLatin1Char('\n')))};
    }
    Importer importer(rs);
    // Each folder at the top is one installed base; its name is the base name.
    for (const QFileInfo& b : listAll(root))
        if (b.isDir())
            if (auto r = importer.base(b.filePath(), b.fileName()); !r)
                return r.error();
    return importer.added();
}

}  // namespace tool
