#pragma once
// Where everything the program keeps on disk lies (the application folder), the
// ini reader, the data folder clean-up and the two settings written at shutdown.
#include <QString>
#include <QStringList>

namespace store {

class AppFiles {
public:
    // appDir: the application folder (normally the executable's folder).
    explicit AppFiles(QString appDir);

    const QString& appDir() const { return m_appDir; }
    QString basePath() const;    // <app>/basemain.mdb
    QString backupPath() const;  // <app>/dbbackup.mdb
    QString iniPath() const;     // <app>/orvex.ini
    // <app>/data where it can be written. An application folder that cannot be
    // written (a read-only medium, a program installed for every user) gets a
    // data folder of this user's own instead, one per application folder, in
    // the user's cache; ensureDataFolder() makes that one.
    QString dataFolder() const;
    // Makes the user's own data folder when it is the one in use (never
    // <app>/data, which belongs to the installation); true when the data folder
    // exists.
    bool ensureDataFolder() const;
    // <app>/data/<name>; name must be a bare file name (see safeDataFileName).
    QString dataFile(const QString& name) const;

    // Deletes every ordinary file of the data folder except the marker
    // "zvcreatedir" (any letter case) and the running program's lock; failures
    // are skipped.
    void clearDataFolder() const;
    // The clean-up at start, once this process holds the single-instance lock:
    // what a run that crashed left in the data folder (the attachments it
    // unpacked, hidden partial files of an unpack) goes, as at shutdown; the
    // files named in `keep` (the lock's own files) stay with the marker.
    void clearStaleDataFiles(const QStringList& keep) const;
    // Writes "BasePath" and "Version" under "Zelvorant Kodrix", group "Common".
    void writeShutdownSettings() const;

private:
    QString m_appDir;
};

// The value of key in section of an ini file, with the private-profile rules:
// missing file, section or key → empty; section and key compared without regard
// to letter case; the value cut to 254 characters.
QString readIni(const QString& section, const QString& key, const QString& file);

// True when name can be used as a file inside the data folder: not empty, no
// folder separators, no drive, not "." or "..".
bool isSafeFileName(const QString& name);

inline constexpr const char* SettingsOrganisation = "Zelvorant Kodrix";
inline constexpr const char* SettingsApplication = "Zelvorant Kodrix";
inline constexpr const char* SettingsGroup = "Common";
inline constexpr const char* ProgramVersion = KODRIX_VERSION;
inline constexpr const char* DataMarker = "zvcreatedir";
// The lock of the program running on this data folder (see shell::SingleInstance).
inline constexpr const char* InstanceLock = ".kodrix.lock";

}  // namespace store
