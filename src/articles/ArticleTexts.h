#pragma once
// The article display's own texts.
#include "platform/DesktopShell.h"

#include <QString>

namespace articles::texts {

inline QString addressPrefix() { return QStringLiteral("BaseMain:\\\\"); }
inline QString articleCount() { return QStringLiteral("Статей: "); }
inline QString seeItemCaption() { return QStringLiteral("Итем"); }
inline QString cannotOpen(const QString& target)
{
    return QStringLiteral("Не удалось открыть «%1»: система не нашла ни такого файла или адреса, ни программы для него.")
        .arg(target);
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

}  // namespace articles::texts
