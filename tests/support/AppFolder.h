#pragma once
// An application folder in a temporary place: a data folder with its marker
// and a base holding the given entries. Header only: the test programs that use
// it link the store.
#include "store/Database.h"
#include "store/Recordset.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

#include <vector>

namespace testsupport {

struct Entry {
    Entry() = default;
    Entry(QString p, QString n) : path(std::move(p)), name(std::move(n)) {}
    QString path;  // folder path inside its base, "Графика\API"
    QString name;
    QByteArray body = "{\\rtf1 Текст статьи.}";
    QString fileList;     // ";a.txt;b.bas"
    QByteArray archive;   // the packed files
    QString linkTarget;   // a program or a link
    QString seeAlso;
    int kind = 1;
    QString baseName = QStringLiteral("Основная");
};

class AppFolder {
public:
    // No base at all when entries is null.
    explicit AppFolder(const std::vector<Entry>* entries, const QString& folderName = QStringLiteral("Программа"))
    {
        dir = m_tmp.filePath(folderName);
        QDir().mkpath(dir + QStringLiteral("/data"));
        QFile marker(dir + QStringLiteral("/data/zvcreatedir"));
        EXPECT_TRUE(marker.open(QIODevice::WriteOnly));
        if (entries)
            write(*entries);
    }
    explicit AppFolder(const std::vector<Entry>& entries) : AppFolder(&entries) {}

    QString base() const { return dir + QStringLiteral("/basemain.mdb"); }
    QString data() const { return dir + QStringLiteral("/data"); }
    QStringList dataFiles() const { return QDir(data()).entryList(QDir::Files | QDir::Hidden); }
    // A path beside the application folder, in the same temporary place.
    QString path(const QString& name) const { return m_tmp.filePath(name); }

    QString dir;

private:
    void write(const std::vector<Entry>& entries)
    {
        auto db = store::Database::create(base());
        ASSERT_TRUE(db.ok()) << db.message().toStdString();
        auto rs = (*db)->openRecordset();
        ASSERT_TRUE(rs.ok());
        for (const Entry& e : entries) {
            store::Recordset& r = **rs;
            r.addNew();
            ASSERT_TRUE(r.setValue(store::ColPath, e.path).ok());
            ASSERT_TRUE(r.setValue(store::ColName, e.name).ok());
            ASSERT_TRUE(r.setValue(store::ColBody, QString::fromUtf8(e.body)).ok());
            const std::pair<int, QVariant> optional[] = {
                {store::ColFileList, e.fileList}, {store::ColArchive, e.archive},
                {store::ColLinkTarget, e.linkTarget}, {store::ColSeeAlso, e.seeAlso}};
            for (const auto& [column, value] : optional) {
                // Left Null when not given, as an entry made without them is.
                if (!value.toByteArray().isEmpty()) {
                    ASSERT_TRUE(r.setValue(column, value).ok());
                }
            }
            ASSERT_TRUE(r.setValue(store::ColKind, e.kind).ok());
            ASSERT_TRUE(r.setValue(store::ColBaseName, e.baseName).ok());
            ASSERT_TRUE(r.update().ok());
        }
    }

    QTemporaryDir m_tmp;
};

}  // namespace testsupport
