#pragma once
// The rich-text subsystem's own texts: what an article holds that editing it would lose
// (shown by the editor in its warning).
#include <QString>

namespace richtext::texts {

inline QString unkeptFootnotes() { return QStringLiteral("сноски"); }
inline QString unkeptHeaders() { return QStringLiteral("колонтитулы"); }
inline QString unkeptHidden() { return QStringLiteral("скрытый текст"); }
inline QString unkeptComments() { return QStringLiteral("примечания"); }
inline QString unkeptPictures() { return QStringLiteral("рисунки, кроме PNG и JPEG"); }
inline QString unkeptObjects() { return QStringLiteral("внедрённые объекты"); }
inline QString unkeptShapes() { return QStringLiteral("фигуры и надписи"); }
inline QString unkeptFields() { return QStringLiteral("поля (дата, номер страницы и другие)"); }
inline QString unkeptNestedTables() { return QStringLiteral("вложенные таблицы"); }

}  // namespace richtext::texts
