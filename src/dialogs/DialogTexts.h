#pragma once
// The texts the common dialogs show, each once.
#include <QString>

namespace dialogs::texts {

inline const QString PrinterErrorTitle = QStringLiteral("Printer Error");
inline const QString PrinterUnavailable = QStringLiteral("Принтер «%1» недоступен.");
inline const QString NoPrinter = QStringLiteral("В системе не установлен ни один принтер.");
inline const QString Cancelled = QStringLiteral("Отменено пользователем.");

}  // namespace dialogs::texts
