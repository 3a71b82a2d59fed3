#pragma once
// An application folder in a temporary place: a data folder with its marker
// and a base holding the given entries. Header only: the test programs that use
// it link the store.
#include "SmallBase.h"

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
        std::vector<BaseRow> rows;
        for (const Entry& e : entries) {
            BaseRow row{{store::ColPath, e.path}, {store::ColName, e.name}, {store::ColBody, QString::fromUtf8(e.body)}};
            const std::pair<int, QVariant> optional[] = {
                {store::ColFileList, e.fileList}, {store::ColArchive, e.archive},
                {store::ColLinkTarget, e.linkTarget}, {store::ColSeeAlso, e.seeAlso}};
            for (const auto& [column, value] : optional) {
                // Left Null when not given, as an entry made without them is.
                if (!value.toByteArray().isEmpty())
                    row.emplace_back(column, value);
            }
            row.emplace_back(store::ColKind, e.kind);
            row.emplace_back(store::ColBaseName, e.baseName);
            rows.push_back(std::move(row));
        }
        const QString failed = writeBase(base(), rows);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
    }

    QTemporaryDir m_tmp;
};

}  // namespace testsupport
