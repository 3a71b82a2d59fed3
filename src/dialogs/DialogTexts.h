#pragma once
// The texts the common dialogs show, each once.
#include <QString>

namespace dialogs::texts {

inline QString printerErrorTitle() { return QStringLiteral("Printer Error"); }
inline QString printerUnavailable() { return QStringLiteral("Принтер «%1» недоступен."); }
inline QString noPrinter() { return QStringLiteral("В системе не установлен ни один принтер."); }
inline QString cancelled() { return QStringLiteral("Отменено пользователем."); }

}  // namespace dialogs::texts
