#pragma once
// The store's own texts: causes of failures and the messages built from them.
#include <QString>

namespace store::texts {

// Causes, each completing "…: " in a message that names the file.
inline QString damaged() { return QStringLiteral("файл повреждён"); }
inline QString diskFull() { return QStringLiteral("недостаточно места на диске"); }
inline QString ioError() { return QStringLiteral("ошибка чтения или записи на диске"); }
inline QString readOnly() { return QStringLiteral("файл доступен только для чтения"); }
inline QString readOnlyDisk() { return QStringLiteral("диск доступен только для чтения"); }
inline QString noWriteAccess() { return QStringLiteral("нет прав на запись"); }
inline QString fileTooBig() { return QStringLiteral("файл слишком велик для этого диска"); }
inline QString folderInTheWay() { return QStringLiteral("под этим именем уже есть папка"); }
inline QString noFolder() { return QStringLiteral("папка не найдена"); }
inline QString nameTooLong() { return QStringLiteral("слишком длинное имя"); }
inline QString busy() { return QStringLiteral("база занята другой программой"); }
inline QString noMemory() { return QStringLiteral("недостаточно памяти"); }
inline QString noAccess() { return QStringLiteral("нет прав на доступ к файлу"); }
inline QString tooBig() { return QStringLiteral("значение слишком велико для базы"); }
inline QString cannotOpen() { return QStringLiteral("файл не удаётся открыть"); }

// %1 the base file, quoted.
inline QString baseExists() { return QStringLiteral("Не удалось создать базу %1: файл уже существует."); }
// %1 the base file, quoted; %2 the cause.
inline QString createFailed() { return QStringLiteral("Не удалось создать базу %1: %2."); }

// %1 the RecordNumber, %2 the base file, %3 the cause.
inline QString readFailed()
{
    return QStringLiteral("Не удалось прочитать запись %1 базы «%2»: %3. Проверьте базу: kodrix-base check «%2».");
}
// %1 the base file, %2 the message of the read that failed.
inline QString writeAfterFailedRead()
{
    return QStringLiteral("В базу «%1» ничего не записано: при чтении из неё была ошибка, и запись могла бы "
                          "сохранить пустые данные вместо повреждённых. %2");
}

}  // namespace store::texts
