#pragma once
// The search's own Russian texts, each written once.
#include <QString>

namespace search::texts {

// Column headers of the result list ("Имя" is the folder list's, catalogue::texts).
inline QString columnSection() { return QStringLiteral("Раздел"); }

// Status bar, panel 1, while a search runs.
inline QString searching() { return QStringLiteral("Поиск..."); }
inline QString preparing() { return QStringLiteral("Подготовка поиска..."); }
inline QString stopped() { return QStringLiteral("Поиск остановлен"); }

// Accessible names of the controls.
inline QString indexBoxName() { return QStringLiteral("Начало названия"); }
inline QString findBoxName() { return QStringLiteral("Слова для поиска через запятую"); }
inline QString resultsName() { return QStringLiteral("Найденные статьи"); }

inline QString searchFailed(const QString& why) { return QStringLiteral("Поиск не удался. %1").arg(why); }
// %1 the base file, %2 the cause (the store's own text).
inline QString dataFailed(const QString& base, const QString& why)
{
    return QStringLiteral("Ошибка данных поиска в базе «%1»: %2.").arg(base, why);
}

}  // namespace search::texts
