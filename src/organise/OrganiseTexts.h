#pragma once
// The organising commands' own texts: questions, refusals and the pickers.
#include "catalogue/Texts.h"

#include <QString>

namespace organise::texts {

// Titles of the questions.
inline QString confirmTitle() { return QStringLiteral("Подтверждение"); }
inline QString favouritesTitle() { return catalogue::texts::favourites(); }

// Questions; `entry` is the entry's Path, "\" and Name.
inline QString moveToBinQuestion(const QString& entry)
{
    return QStringLiteral("Удалить запись %1 в корзину?").arg(entry);
}
inline QString deleteFromBaseQuestion(const QString& entry)
{
    return QStringLiteral("Удалить запись %1 из базы данных").arg(entry);
}
inline QString addToFavouritesQuestion(const QString& entry)
{
    return QStringLiteral("Добавить запись %1 в избранное").arg(entry);
}
inline QString removeFromFavouritesQuestion(const QString& entry)
{
    return QStringLiteral("Удалить запись %1 из избранного").arg(entry);
}
inline QString linkPrompt() { return QStringLiteral("Введите адрес ссылки"); }

// Renaming.
inline QString invalidName() { return QStringLiteral("Недопустимое имя"); }
inline QString nameExists() { return QStringLiteral("Статья или папка с этим именем уже существует"); }

// A change the base refused; `detail` is the store's own sentence.
inline QString moveToBinFailed(const QString& entry, const QString& detail)
{
    return QStringLiteral("Не удалось переместить запись «%1» в корзину.\n%2").arg(entry, detail);
}
inline QString restoreFailed(const QString& entry, const QString& detail)
{
    return QStringLiteral("Не удалось восстановить запись «%1» из корзины.\n%2").arg(entry, detail);
}
inline QString deleteFailed(const QString& entry, const QString& detail)
{
    return QStringLiteral("Не удалось удалить запись «%1» из базы данных.\n%2").arg(entry, detail);
}
inline QString addToFavouritesFailed(const QString& entry, const QString& detail)
{
    return QStringLiteral("Не удалось добавить запись «%1» в избранное.\n%2").arg(entry, detail);
}
inline QString removeFromFavouritesFailed(const QString& entry, const QString& detail)
{
    return QStringLiteral("Не удалось убрать запись «%1» из избранного.\n%2").arg(entry, detail);
}
inline QString linkFailed(const QString& entry, const QString& detail)
{
    return QStringLiteral("Не удалось изменить адрес ссылки «%1».\n%2").arg(entry, detail);
}
inline QString renameEntryFailed(const QString& entry, const QString& detail)
{
    return QStringLiteral("Не удалось переименовать запись «%1».\n%2").arg(entry, detail);
}
inline QString renameFolderFailed(const QString& folder, const QString& detail)
{
    return QStringLiteral("Не удалось переименовать папку «%1».\n%2").arg(folder, detail);
}
inline QString reloadFailed(const QString& detail)
{
    return QStringLiteral("Изменения сохранены, но каталог не удалось перечитать.\n%1").arg(detail);
}

// The pickers.
inline QString folderPickerTitle() { return catalogue::texts::browse(); }
inline QString seeAlsoPickerTitle() { return QStringLiteral("Статьи"); }
inline QString folderPickerLabel() { return QStringLiteral("Просмотр папок:"); }
inline QString seeAlsoPickerLabel() { return QStringLiteral("Просмотр статей:"); }
inline QString ok() { return QStringLiteral("OK"); }
inline QString cancel() { return catalogue::texts::cancel(); }
inline QString chosenPathName() { return QStringLiteral("Выбранный путь"); }
inline QString pickerReadFailed(const QString& detail)
{
    return QStringLiteral("Не удалось прочитать базу для выбора статьи.\n%1").arg(detail);
}

}  // namespace organise::texts
