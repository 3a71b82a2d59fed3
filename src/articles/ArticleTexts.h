#pragma once
// The article display's own texts.
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

// %1 the entry (Path\Name), %2 the store's message naming the base and the row.
inline QString unreadable() { return QStringLiteral("Статья «%1» не открыта. %2"); }

}  // namespace articles::texts
