#pragma once
// The texts of the article display, the editor and the article wizard.
#include "catalogue/Texts.h"
#include "platform/DesktopShell.h"

#include <QString>

namespace articles::texts {

inline QString seeItemCaption() { return QStringLiteral("Итем"); }
inline QString cannotOpen(const QString& target)
{
    return QStringLiteral("Не удалось открыть «%1»: система не нашла ни такого файла или адреса, ни программы для него.")
        .arg(target);
}
// The desktop's opener took the file or address and then found nothing to open it with.
inline QString noProgramFor(const QString& target)
{
    return QStringLiteral("Не удалось открыть «%1»: в системе нет программы, которая его открывает.").arg(target);
}
inline QString programNotFound(const QString& program)
{
    return QStringLiteral("Не удалось запустить программу «%1»: она не найдена ни по указанному пути, "
                          "ни в папках программ (PATH).")
        .arg(program);
}
inline QString programFailed(const QString& program)
{
    return QStringLiteral("Не удалось запустить программу «%1»: система отказалась её запустить.").arg(program);
}
inline QString seeAlsoMissing(const QString& reference)
{
    return QStringLiteral("Статья «%1» из списка «Смотри также» не найдена в базе: её удалили или "
                          "переименовали.")
        .arg(reference);
}
// The message for a target that did not start or open.
inline QString cannotLaunch(const platform::LaunchResult& result, const QString& target)
{
    switch (result.outcome) {
    case platform::LaunchResult::Outcome::ProgramNotFound:
        return programNotFound(result.program);
    case platform::LaunchResult::Outcome::ProgramFailed:
        return programFailed(result.program);
    default:
        return cannotOpen(target);
    }
}

// %1 the entry (Path\Name), %2 the store's message naming the base and the row.
inline QString unreadable() { return QStringLiteral("Статья «%1» не открыта. %2"); }

// %1 the article, %2 what a store of it would drop.
inline QString editLoses(const QString& entry, const QString& lost)
{
    return QStringLiteral("Статья «%1» содержит то, что редактор не сохраняет: %2. "
                          "После изменения статьи это будет потеряно.\n\nИзменить статью?")
        .arg(entry, lost);
}

// The editor: the edit bar's tooltips and names, and what it says when a
// change cannot be stored.
inline QString tipCut() { return QStringLiteral("Вырезать"); }
inline QString tipCopy() { return QStringLiteral("Копировать"); }
inline QString tipPaste() { return QStringLiteral("Вставить"); }
inline QString tipBold() { return QStringLiteral("Жирный"); }
inline QString tipItalic() { return QStringLiteral("Курсив"); }
inline QString tipUnderline() { return QStringLiteral("Подчеркнутый"); }
inline QString tipLeft() { return QStringLiteral("По левому краю"); }
inline QString tipCenter() { return QStringLiteral("По центру"); }
inline QString tipRight() { return QStringLiteral("По правому краю"); }
inline QString tipColor() { return QStringLiteral("Цвет шрифта"); }
// The letters drawn on the bold, italic, underline and colour buttons.
inline QString faceBold() { return QStringLiteral("Ж"); }
inline QString faceItalic() { return QStringLiteral("К"); }
inline QString faceUnderline() { return QStringLiteral("Ч"); }
inline QString faceColor() { return QStringLiteral("А"); }

inline QString initialFont() { return QStringLiteral("Arial cyr"); }
inline QString editBarName() { return QStringLiteral("Панель правки"); }
inline QString fontBoxName() { return QStringLiteral("Шрифт"); }
inline QString sizeBoxName() { return QStringLiteral("Размер шрифта"); }
inline QString toolbarName() { return QStringLiteral("Форматирование"); }
inline QString paneName() { return catalogue::texts::typeArticle(); }

inline QString storeFailed(const QString& entry, const QString& reason)
{
    return QStringLiteral("Изменения статьи «%1» не сохранены: %2\n\n"
                          "Текст остаётся в окне; программа попробует сохранить его при следующем изменении.")
        .arg(entry, reason);
}
inline QString lostOnLeave(const QString& entry, const QString& reason)
{
    return QStringLiteral("Последние изменения статьи «%1» сохранить не удалось: %2").arg(entry, reason);
}
// Why a change was not stored, completing the messages above.
inline QString baseNotOpen() { return QStringLiteral("база не открыта."); }
inline QString articleGone() { return QStringLiteral("статьи больше нет в базе."); }
inline QString entryGone() { return QStringLiteral("записи больше нет в базе."); }
inline QString storeFailedTitle() { return catalogue::texts::programTitle(); }

// The article wizard.
inline QString wizardCaption() { return QStringLiteral("Редактор статей"); }
inline QString stepNew() { return QStringLiteral("Новая статья"); }
inline QString stepFiles() { return QStringLiteral("Вложенные файлы"); }
inline QString stepSeeAlso() { return QStringLiteral("Изменение меню 'Смотри также'"); }
inline QString stepProperties() { return QStringLiteral("Свойства статьи"); }
inline QString ok() { return QStringLiteral("&OK"); }
inline QString cancel() { return catalogue::texts::cancel(); }

inline QString pathLabel() { return QStringLiteral("Путь:"); }
inline QString browse() { return catalogue::texts::browse(); }
inline QString nameLabel() { return QStringLiteral("Название:"); }
inline QString linkLabel() { return QStringLiteral("Путь ссылки:"); }

inline QString filesLabel() { return QStringLiteral("Вложенные файлы:"); }
inline QString fileColumn() { return QStringLiteral("Файл"); }
inline QString sizeColumn() { return QStringLiteral("Размер в Kb"); }
inline QString add() { return QStringLiteral("Добавить"); }
inline QString remove() { return catalogue::texts::menuDelete(); }
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
