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

// Why a base did not open (its first read failed), after "…: ".
inline QString busyReading()
{
    return QStringLiteral("база занята другой программой, которая не даёт её читать; закройте ту программу и "
                          "попробуйте снова");
}
// %1 pages that fail their check, %2 all pages.
inline QString damagedPages() { return QStringLiteral("файл повреждён (испорчены %1 из %2 страниц)"); }
inline QString plainSqlite() { return QStringLiteral("это незашифрованная база SQLite, а не база Kodrix"); }
inline QString notABase() { return QStringLiteral("это не база Kodrix"); }
inline QString wrongPassword()
{
    return QStringLiteral("неверный пароль: файл зашифрован другим паролем или повреждён целиком");
}
// %1 the engine's result code.
inline QString unreadable() { return QStringLiteral("файл не удалось прочитать (код ошибки %1)"); }

// Why a base is open for reading only. %1 the base file or its folder, quoted.
inline QString readOnlyMedium() { return QStringLiteral("носитель с файлом %1 доступен только для чтения"); }
inline QString readOnlyFile() { return QStringLiteral("файл %1 защищён от записи"); }
inline QString readOnlyFolder() { return QStringLiteral("папка %1 защищена от записи"); }
inline QString readOnlyLog() { return QStringLiteral("файлы журнала рядом с базой %1 нельзя изменить"); }
inline QString readOnlyAsked() { return QStringLiteral("она открыта для просмотра"); }
// What every write to such a base answers; %1 the cause above.
inline QString readOnlyBase() { return QStringLiteral("База открыта только для чтения: %1."); }

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
