#pragma once
// The article display's own texts.
#include <QString>

namespace articles::texts {

inline QString addressPrefix() { return QStringLiteral("BaseMain:\\\\"); }
inline QString articleCount() { return QStringLiteral("Статей: "); }
inline QString seeItemCaption() { return QStringLiteral("Итем"); }

}  // namespace articles::texts
