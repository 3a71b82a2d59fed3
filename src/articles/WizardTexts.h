#pragma once
// The article wizard's own texts.
#include <QString>

namespace articles::texts {

inline QString wizardCaption() { return QStringLiteral("Редактор статей"); }
inline QString stepNew() { return QStringLiteral("Новая статья"); }
inline QString stepFiles() { return QStringLiteral("Вложенные файлы"); }
inline QString stepSeeAlso() { return QStringLiteral("Изменение меню 'Смотри также'"); }
inline QString stepProperties() { return QStringLiteral("Свойства статьи"); }
inline QString ok() { return QStringLiteral("&OK"); }
inline QString cancel() { return QStringLiteral("Отмена"); }

inline QString pathLabel() { return QStringLiteral("Путь:"); }
inline QString browse() { return QStringLiteral("Просмотр"); }
inline QString nameLabel() { return QStringLiteral("Название:"); }
inline QString typeArticle() { return QStringLiteral("Статья"); }
inline QString typeProgram() { return QStringLiteral("Программа"); }
inline QString typeLink() { return QStringLiteral("Ссылка"); }
inline QString linkLabel() { return QStringLiteral("Путь ссылки:"); }

inline QString filesLabel() { return QStringLiteral("Вложенные файлы:"); }
inline QString fileColumn() { return QStringLiteral("Файл"); }
inline QString sizeColumn() { return QStringLiteral("Размер в Kb"); }
inline QString add() { return QStringLiteral("Добавить"); }
inline QString remove() { return QStringLiteral("Удалить"); }
inline QString totalLabel() { return QStringLiteral("Общий размер:"); }
inline QString filesNotice()
{
    return QStringLiteral("Вложенных файлов должно быть не более пяти. Общий размер не должен превышать 200 Kb. "
                          "Допускается использование архивов.");
}
inline QString seeAlsoLabel() { return QStringLiteral("Меню Смотри также:"); }
inline QString bookmarkColumn() { return QStringLiteral("Закладка"); }

inline QString noFolder() { return QStringLiteral("Вы не выбрали раздел"); }
inline QString noName() { return QStringLiteral("Вы не ввели название"); }
inline QString noLink() { return QStringLiteral("Не задан путь ссылки"); }
inline QString cannotOpenWizard() { return QStringLiteral("Невозможно открыть мастер"); }
inline QString tooLarge() { return QStringLiteral("Размер файлов превышает 200 Kb"); }
inline QString allFilesFilter() { return QStringLiteral("Все файлы|*.*"); }
inline QString semicolonInName(const QString& name)
{
    return QStringLiteral("Файл «%1» нельзя вложить: в имени вложенного файла не может быть знака «;».").arg(name);
}
inline QString unsafeName(const QString& name, const QString& reason)
{
    return QStringLiteral("Файл «%1» нельзя вложить: %2").arg(name, reason);
}
inline QString storeFailedFor(const QString& entry, const QString& reason)
{
    return QStringLiteral("Изменения записи «%1» не сохранены: %2").arg(entry, reason);
}

}  // namespace articles::texts
