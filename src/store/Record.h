#pragma once
// The row layout of table "main": sixteen columns addressed by position only,
// the kinds of entry, and the encodings of flags and lists inside a column.
#include <QString>

namespace store {

// Positions of the columns of "main". 12, 13 and 14 exist and are never used.
enum Column : int {
    ColId = 0,
    ColPath = 1,
    ColName = 2,
    ColBody = 3,
    ColArchive = 4,
    ColFileList = 5,
    ColKind = 6,
    ColDeleted = 7,
    ColFavorite = 8,
    ColBaseName = 9,
    ColAdded = 10,
    ColLinkTarget = 11,
    ColSeeAlso = 15,
};
constexpr int ColumnCount = 16;

// Kind is also the picture index of the entry in the catalogue's image lists.
enum Kind : int {
    KindArticle = 1,
    KindProgram = 2,
    KindLink = 3,
    KindFolder = 8,  // a folder record: empty Name, Path is the folder itself
};

inline constexpr const char* TableName = "main";
inline constexpr const char* BaseFileName = "basemain.mdb";
inline constexpr const char* BackupFileName = "dbbackup.mdb";
// The connect text every connection to the base is opened with.
inline constexpr const char* ConnectText = ";PWD=orchidmaplebrook";

inline QString userBaseName() { return QStringLiteral("Добавленные пользователем"); }
inline QString favouritesPath() { return QStringLiteral("избранное"); }

// Path "избранное" in any letter case files the entry directly under Favourites.
inline bool isFavouritesPath(const QString& path)
{
    return path.compare(favouritesPath(), Qt::CaseInsensitive) == 0;
}

}  // namespace store
