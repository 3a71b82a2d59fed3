#include "AppFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSettings>
#include <QStringDecoder>

#include <unistd.h>

namespace store {

AppFiles::AppFiles(QString appDir) : m_appDir(QDir::cleanPath(std::move(appDir))) {}

QString AppFiles::basePath() const { return m_appDir + QStringLiteral("/basemain.mdb"); }
QString AppFiles::backupPath() const { return m_appDir + QStringLiteral("/dbbackup.mdb"); }
QString AppFiles::iniPath() const { return m_appDir + QStringLiteral("/orvex.ini"); }
namespace {

bool canWrite(const QString& path) { return ::access(QFile::encodeName(path).constData(), W_OK) == 0; }

}  // namespace

QString AppFiles::dataFolder() const
{
    const QString own = m_appDir + QStringLiteral("/data");
    const bool ownWritable = QFileInfo::exists(own) ? canWrite(own) : !QFileInfo::exists(m_appDir) || canWrite(m_appDir);
    if (ownWritable)
        return own;
    // One folder per application folder, so two installations never share one.
    const QByteArray id = QCryptographicHash::hash(QFile::encodeName(QFileInfo(m_appDir).canonicalFilePath()),
                                                   QCryptographicHash::Sha1)
                              .toHex()
                              .left(16);
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/kodrix/data-") +
           QString::fromLatin1(id);
}

bool AppFiles::ensureDataFolder() const
{
    const QString folder = dataFolder();
    if (folder == m_appDir + QStringLiteral("/data"))
        return QFileInfo(folder).isDir();
    return QDir().mkpath(folder);
}
QString AppFiles::dataFile(const QString& name) const { return dataFolder() + QLatin1Char('/') + name; }

void AppFiles::clearDataFolder() const { clearStaleDataFiles({}); }

void AppFiles::clearStaleDataFiles(const QStringList& keep) const
{
    const QDir dir(dataFolder());
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& f : files) {
        // The lock (and the lock's own helper files) belongs to the running program.
        if (f.compare(QLatin1String(DataMarker), Qt::CaseInsensitive) == 0 || f.startsWith(QLatin1String(InstanceLock)) ||
            keep.contains(f))
            continue;
        QFile::remove(dir.filePath(f));  // a file in use stays; the next one is tried
    }
}

void AppFiles::writeShutdownSettings() const
{
    QSettings settings(QString::fromLatin1(SettingsOrganisation), QString::fromLatin1(SettingsApplication));
    settings.beginGroup(QString::fromLatin1(SettingsGroup));
    settings.setValue(QStringLiteral("BasePath"), QDir::toNativeSeparators(basePath()));
    settings.setValue(QStringLiteral("Version"), QString::fromLatin1(ProgramVersion));
    settings.endGroup();
    settings.sync();
}

QString readIni(const QString& section, const QString& key, const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    // Ini files of this program are written by hand on Windows: UTF-8 when they say
    // so with a BOM or decode cleanly, otherwise code page 1251.
    QByteArray bytes = f.readAll();
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.mid(3));
    } else {
        auto utf8 = QStringDecoder(QStringDecoder::Utf8);
        text = utf8(bytes);
        if (utf8.hasError())
            text = QStringDecoder("windows-1251")(bytes);
    }
    bool inSection = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const int close = line.indexOf(QLatin1Char(']'));
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq < 0 || line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
            continue;
        QString value = line.mid(eq + 1).trimmed();
        // A value in matching quotes is given without them.
        if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        return value.left(254);
    }
    return QString();
}

bool isSafeFileName(const QString& name)
{
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char(':')))
        return false;
    for (QChar c : name)
        if (c.unicode() < 0x20)
            return false;
    return true;
}

}  // namespace store
