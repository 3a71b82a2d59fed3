#pragma once
// The catalogue's own Russian texts and the fixed tree paths, each written once.
#include <QString>

namespace catalogue::texts {

// The program's title: the main window's and its messages'.
inline QString programTitle() { return QStringLiteral("Kodrix - Крутейший VB справочник"); }

// Tree branches. The root's text is the product name and stays Latin.
inline QString root() { return QStringLiteral("Zelvorant Kodrix"); }
inline QString installedBases() { return QStringLiteral("Установленные базы"); }
inline QString records() { return QStringLiteral("Записи"); }
inline QString recycleBin() { return QStringLiteral("Корзина"); }
inline QString favourites() { return QStringLiteral("Избранное"); }

// Type column of the folder list.
inline QString typeArticle() { return QStringLiteral("Статья"); }
inline QString typeProgram() { return QStringLiteral("Программа"); }
inline QString typeLink() { return QStringLiteral("Ссылка"); }
inline QString typeFolder() { return QStringLiteral("Папка"); }

// Column headers of the folder list.
inline QString columnName() { return QStringLiteral("Имя"); }
inline QString columnType() { return QStringLiteral("Тип"); }
inline QString columnAdded() { return QStringLiteral("Дата создания"); }
inline QString columnBase() { return QStringLiteral("Исходная база"); }

// Progress of the loading passes: "15 из 950".
inline QString progress(qint64 done, qint64 total)
{
    return QStringLiteral("%1 из %2").arg(QString::number(done), QString::number(total));
}

// Address box prefix.
inline QString addressPrefix() { return QStringLiteral("BaseMain:\\\\"); }

// The status bar's count of the base's rows.
inline QString articleCount(qint64 n) { return QStringLiteral("Статей: %1").arg(QString::number(n)); }

// Context menus.
inline QString menuItemTitle() { return QStringLiteral("&Итем"); }
inline QString menuRecycleTitle() { return QStringLiteral("&корзина"); }
inline QString menuFavTitle() { return favourites(); }
inline QString menuOpen() { return QStringLiteral("Открыть"); }
inline QString menuAddToFavourites() { return QStringLiteral("Добавить в избранное"); }
inline QString menuProperties() { return QStringLiteral("Свойства"); }
inline QString menuLink() { return typeLink(); }
inline QString menuDelete() { return QStringLiteral("Удалить"); }
inline QString menuRestore() { return QStringLiteral("&Восстановить"); }
inline QString menuDeleteFromBase() { return QStringLiteral("&Удалить"); }
inline QString menuRemoveFromFavourites() { return QStringLiteral("Удалить из Избранного"); }

// Buttons shown by the article wizard and by the pickers it opens.
inline QString browse() { return QStringLiteral("Просмотр"); }
inline QString cancel() { return QStringLiteral("Отмена"); }

}  // namespace catalogue::texts
