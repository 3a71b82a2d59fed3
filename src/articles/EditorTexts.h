#pragma once
// The editor's own texts: the edit bar's tooltips and names, and what it says
// when a change cannot be stored.
#include <QString>

namespace articles::texts {

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

inline QString initialFont() { return QStringLiteral("Arial cyr"); }
inline QString editBarName() { return QStringLiteral("Панель правки"); }
inline QString fontBoxName() { return QStringLiteral("Шрифт"); }
inline QString sizeBoxName() { return QStringLiteral("Размер шрифта"); }
inline QString toolbarName() { return QStringLiteral("Форматирование"); }
inline QString paneName() { return QStringLiteral("Статья"); }

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
inline QString storeFailedTitle() { return QStringLiteral("Kodrix - Крутейший VB справочник"); }

}  // namespace articles::texts
