#include "Generator.h"

#include "store/Database.h"
#include "store/Recordset.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QStringEncoder>

#include "store/FileErrors.h"
#include "store/StoreErrors.h"

#include <fcntl.h>
#include <unistd.h>

#include <optional>
#include <vector>

namespace gen {

using namespace store;

namespace {

const char* const Words[] = {
    "функция", "процедура", "переменная", "массив", "строка", "форма", "элемент", "кнопка", "список",
    "файл", "ошибка", "объект", "свойство", "метод", "событие", "модуль", "класс", "запись", "поле",
    "таблица", "база", "данные", "окно", "рисунок", "цвет", "шрифт", "текст", "значение", "пример",
    "вызов", "параметр", "результат", "цикл", "условие", "таймер", "меню", "диалог", "курсор",
    "графика", "реестр", "память", "указатель", "структура", "тип", "константа", "интерфейс",
};
const char* const Folders[] = {
    "Строки", "Файлы", "Графика", "Формы", "Элементы управления", "API", "Базы данных", "Ошибки",
    "Реестр", "Сеть", "Мультимедиа", "Печать", "Математика", "Система", "Классы", "Разное",
};
const char* const Bases[] = {"Основная", "Примеры", "API Windows", "Статьи", "Добавленные пользователем"};

QString quoted(const QString& path) { return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path)); }

namespace texts {
inline QString generating() { return QStringLiteral("в этот файл уже пишет другой запуск kodrix-base"); }
inline QString notRenamed() { return QStringLiteral("готовую базу не удалось переименовать"); }
}  // namespace texts

QString word(QRandomGenerator& rng) { return QString::fromUtf8(Words[rng.bounded(int(std::size(Words)))]); }

QString title(QRandomGenerator& rng)
{
    QString t = word(rng);
    t[0] = t[0].toUpper();
    const int extra = rng.bounded(1, 4);
    for (int i = 0; i < extra; ++i)
        t += QLatin1Char(' ') + word(rng);
    return t;
}

// Text escaped as a rich-edit control writes it under \ansicpg1251.
QByteArray rtfText(const QString& text)
{
    static QStringEncoder cp1251("windows-1251");
    const QByteArray bytes = cp1251(text);
    QByteArray out;
    out.reserve(bytes.size() * 4);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += char(c);
        } else if (c >= 0x80) {
            static const char hex[] = "0123456789abcdef";
            out += "\\'";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += char(c);
        }
    }
    return out;
}

// An article body of about `size` bytes with mixed formatting.
QByteArray makeBody(QRandomGenerator& rng, int size)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial CYR;}"
                     "{\\f1\\fmodern\\fcharset204 Courier New CYR;}}\r\n"
                     "{\\colortbl ;\\red0\\green0\\blue128;\\red128\\green0\\blue0;}\r\n"
                     "\\viewkind4\\uc1\\pard\\lang1049\\f0\\fs20 ";
    while (rtf.size() < size) {
        switch (rng.bounded(6)) {
        case 0: rtf += "\\b " + rtfText(title(rng)) + "\\b0\\par\r\n"; break;
        case 1:
            rtf += "\\f1\\cf1 Dim " + rtfText(word(rng)) + " As String\\par\r\nPrivate Declare Function "
                   + rtfText(word(rng)) + " Lib \"user32\" () As Long\\cf0\\f0\\par\r\n";
            break;
        case 2: rtf += "\\i " + rtfText(word(rng) + QLatin1Char(' ') + word(rng)) + "\\i0  "; break;
        default: {
            QString sentence = title(rng);
            const int n = rng.bounded(6, 20);
            for (int i = 0; i < n; ++i)
                sentence += QLatin1Char(' ') + word(rng);
            rtf += rtfText(sentence + QStringLiteral(". "));
            if (rng.bounded(3) == 0)
                rtf += "\\par\r\n";
        }
        }
    }
    rtf += "\\par\r\n}\r\n";
    return rtf;
}

// Fills a new, empty base.
Result<void> fillBase(const std::shared_ptr<Database>& db, const Options& options)
{
    auto opened = db->openRecordset();
    if (!opened)
        return opened.error();
    auto& rs = **opened;
    QRandomGenerator rng(options.seed);

    // A pool of bodies of 1–20 KB, smaller ones more frequent, reused across rows.
    std::vector<QByteArray> bodies;
    for (int i = 0; i < 256; ++i) {
        const double u = rng.generateDouble();
        bodies.push_back(makeBody(rng, 1024 + int(19 * 1024 * u * u)));
    }
    // Folders one to four levels deep, so that folders hold several entries.
    std::vector<QString> folders;
    const int folderCount = std::max<int>(16, int(options.rows / 40));
    for (int i = 0; i < folderCount; ++i) {
        QString p = QString::fromUtf8(Folders[rng.bounded(int(std::size(Folders)))]);
        const int depth = rng.bounded(1, 5);
        for (int d = 1; d < depth; ++d)
            p += QLatin1Char('\\') + title(rng).section(QLatin1Char(' '), 0, 0);
        folders.push_back(p);
    }
    const QDateTime start(QDate(2001, 1, 1), QTime(0, 0));
    if (auto r = db->beginBatch(); !r)
        return r;
    std::optional<Error> firstError;
    auto put = [&](int column, const QVariant& value) {
        if (auto r = rs.setValue(column, value); !r && !firstError)
            firstError = r.error();
    };
    for (qint64 i = 0; i < options.rows; ++i) {
        const int roll = rng.bounded(100);
        rs.addNew();
        const QString folder = folders[size_t(rng.bounded(int(folders.size())))];
        put(ColPath, folder);
        const QString randomBase = QString::fromUtf8(Bases[rng.bounded(int(std::size(Bases)))]);
        put(ColBaseName, options.baseName.isEmpty() ? randomBase : options.baseName);
        put(ColAdded, start.addSecs(rng.bounded(800000000)));
        put(ColDeleted, rng.bounded(100) < 5 ? 1 : 0);
        put(ColFavorite, rng.bounded(100) < 3 ? 1 : 0);
        if (roll < 3) {
            put(ColName, QStringLiteral("Ссылка: ") + title(rng));
            put(ColKind, KindLink);
            put(ColLinkTarget, QStringLiteral("https://example.org/vb/%1").arg(i));
        } else if (roll < 4) {
            put(ColName, QStringLiteral("Программа ") + title(rng));
            put(ColKind, KindProgram);
            put(ColLinkTarget, QStringLiteral("/usr/bin/xdg-open"));
        } else if (roll < 5) {
            put(ColName, QString());  // a folder record
            put(ColKind, KindFolder);
        } else {
            put(ColName, title(rng) + QLatin1Char(' ') + QString::number(i + 1));
            put(ColKind, KindArticle);
            put(ColBody, bodies[size_t(rng.bounded(int(bodies.size())))]);
            if (rng.bounded(10) == 0)
                put(ColSeeAlso, QStringLiteral("%1;;%2;;").arg(title(rng), title(rng)));
        }
        if (firstError)
            return *firstError;
        if (auto r = rs.update(); !r)
            return r;
        if (i % 20000 == 19999) {  // keep the journal of one transaction bounded
            if (auto r = db->commitBatch(); !r)
                return r;
            if (auto r = db->beginBatch(); !r)
                return r;
        }
    }
    if (auto r = db->commitBatch(); !r)
        return r;
    // The rows go from the write-ahead log into the file itself: only the file
    // is renamed into place.
    sqlite3_stmt* st = nullptr;
    bool copied = false;
    if (sqlite3_prepare_v2(db->handle(), "PRAGMA wal_checkpoint(TRUNCATE)", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW)
        copied = sqlite3_column_int(st, 0) == 0 && sqlite3_column_int(st, 1) == sqlite3_column_int(st, 2);
    sqlite3_finalize(st);
    if (!copied)
        return Error{store::texts::createFailed().arg(quoted(db->path()), store::engineReason(db->handle()))};
    return {};
}

void removeBaseFiles(const QString& path)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

// Writes the file's data and then its folder's entry to the disk.
bool syncToDisk(const QString& path)
{
    for (const QString& p : {path, QFileInfo(path).absolutePath()}) {
        const int fd = ::open(QFile::encodeName(p).constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        const bool ok = ::fsync(fd) == 0;
        ::close(fd);
        if (!ok)
            return false;
    }
    return true;
}

}  // namespace

Result<void> generateBase(const QString& path, const Options& options)
{
    // All or nothing: the base is built under a name of its own beside the
    // target and takes the target's name only when complete, so a run that is
    // killed or runs out of disk leaves no base that looks whole, and nothing
    // that blocks the next run.
    if (QFileInfo::exists(path))
        return Error{store::texts::baseExists().arg(quoted(path))};
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(0))
        return Error{store::texts::createFailed().arg(quoted(path), texts::generating())};
    const QString part = path + QStringLiteral(".part");
    removeBaseFiles(part);  // left by a run that was killed
    auto created = Database::create(part);
    if (!created)
        return created.error();
    std::shared_ptr<Database> db = std::move(*created);
    Result<void> filled = fillBase(db, options);
    db->close();
    db.reset();
    if (filled && !syncToDisk(part))
        filled = Error{store::texts::createFailed().arg(quoted(path), store::fileErrorReason(errno))};
    // rename() would replace a file that appeared meanwhile; QFile::rename never does.
    if (filled && !QFile::rename(part, path))
        filled = Error{QFileInfo::exists(path) ? store::texts::baseExists().arg(quoted(path))
                                               : store::texts::createFailed().arg(quoted(path), texts::notRenamed())};
    // After a failure the partial base; after success whatever the closed base left.
    removeBaseFiles(part);
    return filled;
}

// A rich-edit style article: code page 1251 text as \'hh, bold/italic/underline runs, two
// fonts, colours, \uN characters, list labels, a link and a small table now and then.
QByteArray richArticle(qsizetype bytes)
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial CYR;}"
                     "{\\f1\\fmodern\\fcharset204 Courier New CYR;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
                     "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
                     "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    quint32 seed = 12345;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    static const char* const words[] = {"\\'cf\\'f0\\'ee\\'e3\\'f0\\'e0\\'ec\\'ec\\'e0", "\\'f4\\'ee\\'f0\\'ec\\'e0",
                                        "\\'ec\\'ee\\'e4\\'f3\\'eb\\'fc", "Private Sub", "\\'ea\\'eb\\'e0\\'f1\\'f1",
                                        "\\'ee\\'e1\\'fa\\'e5\\'ea\\'f2", "Dim x As Long", "\\'f1\\'e2\\'ee\\'e9\\'f1\\'f2\\'e2\\'ee",
                                        "\\'ee\\'ea\\'ed\\'ee", "\\u8470?1"};
    int paragraph = 0;
    while (out.size() < bytes) {
        const quint32 r = next();
        out += words[r % 10];
        out += ' ';
        switch ((r >> 4) % 16) {
        case 0: out += "\\b "; out += words[(r >> 8) % 10]; out += "\\b0 "; break;
        case 1: out += "{\\i "; out += words[(r >> 8) % 10]; out += "} "; break;
        case 2: out += "\\ul "; out += words[(r >> 8) % 10]; out += "\\ulnone "; break;
        case 3: out += "\\f1 "; out += words[3]; out += "\\f0 "; break;
        case 4: out += "\\cf1 "; out += words[(r >> 8) % 10]; out += "\\cf0 "; break;
        case 5:
            out += "{\\field{\\*\\fldinst{HYPERLINK \"http://example.ru/\"}}{\\fldrslt{\\ul\\cf2 "
                   "\\'f1\\'f1\\'fb\\'eb\\'ea\\'e0}}} ";
            break;
        case 6:
            out += "\\par\r\n";
            if (++paragraph % 40 == 0)
                out += "\\trowd\\trgaph108\\cellx3000\\cellx6000\\pard\\intbl \\'e0\\cell \\'e1\\cell\\row"
                       "\\pard ";
            else if (paragraph % 7 == 0)
                out += "\\pard{\\pntext\\f2\\'b7\\tab}\\fi-360\\li720 ";
            else if (paragraph % 5 == 0)
                out += "\\pard\\qc ";
            break;
        default: break;
        }
    }
    out += "\\par\r\n}\r\n";
    return out;
}

Result<QString> cachedBase(qint64 rows)
{
    const QByteArray env = qgetenv("KODRIX_BENCH_DIR");
    const QString dir = env.isEmpty() ? QDir::tempPath() + QStringLiteral("/kodrix-bench") : QString::fromLocal8Bit(env);
    QDir().mkpath(dir);
    // The version in the name changes whenever the generator's output does.
    const QString path = QStringLiteral("%1/base-%2-v1.mdb").arg(dir, QString::number(rows));
    if (QFileInfo::exists(path) && Database::open(path).ok())
        return path;
    // One that does not open is made again; generateBase builds it aside and
    // gives it the name only when it is complete.
    removeBaseFiles(path);
    Options options;
    options.rows = rows;
    if (auto r = generateBase(path, options); !r)
        return r.error();
    return path;
}

}  // namespace gen
