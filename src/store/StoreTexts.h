#pragma once
// The store's own texts: causes of failures and the messages built from them,
// and the messages of base maintenance (compaction, deleting an installed base).
#include <QDir>
#include <QString>

namespace store::texts {

// Texts with %1, %2… are filled by one multi-argument QString::arg, never by a
// chain of them: a file name holding "%1" would otherwise be filled in too. A
// text whose caller picks what fills it is given as it stands; one that is
// always filled the same way takes its fillings as arguments.

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

// Why a base does not open; the first four before the engine is asked.
inline QString fileMissing() { return QStringLiteral("файл не найден"); }
inline QString notAFile() { return QStringLiteral("это не файл"); }
inline QString noReadAccess() { return QStringLiteral("нет прав на чтение файла"); }
inline QString emptyFile() { return QStringLiteral("файл пуст"); }
inline QString busyReading()
{
    return QStringLiteral("база занята другой программой, которая не даёт её читать; закройте ту программу "
                          "и попробуйте снова");
}
inline QString readIoError() { return QStringLiteral("ошибка чтения файла: сбой диска или носителя"); }
inline QString noAccessToOpen() { return QStringLiteral("файл не удаётся открыть: нет доступа к нему или к его папке"); }
inline QString noMemoryToRead() { return QStringLiteral("не хватает памяти"); }
// %1 the engine's result code.
inline QString unreadableCode() { return QStringLiteral("файл не удалось прочитать (код ошибки %1)"); }
inline QString plainSqlite() { return QStringLiteral("это незашифрованная база SQLite, а не база Kodrix"); }
inline QString notABase() { return QStringLiteral("это не база Kodrix"); }
// %1 the pages that fail their check, %2 all pages.
inline QString damagedPages() { return QStringLiteral("файл повреждён (испорчены %1 из %2 страниц)"); }
inline QString wrongPassword()
{
    return QStringLiteral("неверный пароль: файл зашифрован другим паролем или повреждён целиком");
}
inline QString noMainTable() { return QStringLiteral("в базе нет таблицы «main»"); }
// %1 the columns found, %2 the columns needed.
inline QString tooFewColumns() { return QStringLiteral("в таблице «main» %1 столбцов вместо %2"); }
// %1 the base file, quoted; %2 the cause.
inline QString openFailed() { return QStringLiteral("Не удалось открыть базу %1: %2."); }

// Why a base opens for reading only; %1 the base file, quoted (folder: the folder).
inline QString openedForViewing() { return QStringLiteral("она открыта для просмотра"); }
inline QString mediumReadOnly() { return QStringLiteral("носитель с файлом %1 доступен только для чтения"); }
inline QString fileWriteProtected() { return QStringLiteral("файл %1 защищён от записи"); }
inline QString folderWriteProtected() { return QStringLiteral("папка %1 защищена от записи"); }
inline QString journalReadOnly() { return QStringLiteral("файлы журнала рядом с базой %1 нельзя изменить"); }
// %1 one of the reasons above.
inline QString openedReadOnly() { return QStringLiteral("База открыта только для чтения: %1."); }

// Writes and transactions; %1 the base file, quoted; %2 the cause.
inline QString baseError() { return QStringLiteral("Ошибка базы %1: %2."); }
inline QString writeError() { return QStringLiteral("Ошибка записи в базу %1: %2."); }
inline QString beginFailed() { return QStringLiteral("Не удалось начать запись в базу %1: %2."); }
inline QString commitFailed() { return QStringLiteral("Не удалось сохранить изменения в базе %1: %2."); }
// %1 the base file, quoted.
inline QString baseClosed() { return QStringLiteral("База %1 закрыта."); }
inline QString alreadyCommitted() { return QStringLiteral("Запись в базу %1 уже завершена."); }
// %1 the base file, quoted; %2 the engine's message.
inline QString rowsUnreadable() { return QStringLiteral("Не удалось прочитать базу %1: файл повреждён (%2)."); }
// %1 the base, %2 the destination, both quoted; %3 the cause.
inline QString compactIntoFailed() { return QStringLiteral("Не удалось сжать базу %1 в %2: %3."); }
inline QString destinationExists() { return QStringLiteral("файл назначения уже существует"); }

// A recordset's refusals. %1 the base file, %2 the cause.
inline QString recordsetError() { return QStringLiteral("Ошибка базы «%1»: %2."); }
inline QString noCurrentRow() { return QStringLiteral("нет текущей записи"); }
inline QString nothingToDelete() { return QStringLiteral("нет текущей записи для удаления"); }
inline QString notEditing() { return QStringLiteral("запись не открыта для изменения"); }
inline QString nothingToSave() { return QStringLiteral("нет изменений для сохранения"); }
inline QString closed() { return QStringLiteral("база закрыта"); }
// %1 the column's number.
inline QString columnReadOnly() { return QStringLiteral("столбец %1 нельзя изменить"); }
// %1 the value; %2 the column's number.
inline QString notANumber() { return QStringLiteral("значение «%1» не число (столбец %2)"); }
// %1 the value.
inline QString notADate() { return QStringLiteral("значение «%1» не дата"); }
inline QString notEightBit() { return QStringLiteral("в двоичный столбец записан символ вне 8 бит"); }

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

// Base maintenance. Every message names the file it is about.
inline QString fileName(const QString& path) { return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path)); }

inline QString readOnlyBase(const QString& path) { return openedReadOnly().arg(fileName(path)); }

// Compaction: the whole message, then the reasons that fill it in.
inline QString baseKept() { return QStringLiteral("База осталась прежней."); }
inline QString compactFailed(const QString& base, const QString& reason)
{
    return QStringLiteral("Не удалось сжать базу %1: %2.\n%3").arg(fileName(base), reason, baseKept());
}
// When the message names the base and the cause already.
inline QString compactFailedAsSaid(const QString& message)
{
    return QStringLiteral("%1\n%2").arg(message, baseKept());
}
// When the reason is a whole message of its own (naming its file).
inline QString compactFailedBecause(const QString& base, const QString& message)
{
    return QStringLiteral("Не удалось сжать базу %1.\n%2\n%3").arg(fileName(base), message, baseKept());
}
inline QString leftoverStays(const QString& path)
{
    return QStringLiteral("не удалось удалить файл %1, оставшийся от прошлого сжатия").arg(fileName(path));
}
inline QString baseInUse(const QString& wal)
{
    return QStringLiteral("база открыта ещё где-то, другой программой или другим окном (есть её журнал %1)")
        .arg(fileName(wal));
}
inline QString copyDamaged(const QString& copy, const QString& report)
{
    return QStringLiteral("копия %1 повреждена (%2)").arg(fileName(copy), report);
}
inline QString copyRowsDiffer(const QString& copy, const QString& table, qint64 copied, qint64 original)
{
    return QStringLiteral("в копии %1 в таблице «%2» %3 строк, а в базе %4")
        .arg(fileName(copy), table, QString::number(copied), QString::number(original));
}
inline QString copyTablesDiffer(const QString& copy)
{
    return QStringLiteral("в копии %1 не те таблицы, что в базе").arg(fileName(copy));
}
inline QString copyOrderDiffers(const QString& copy)
{
    return QStringLiteral("в копии %1 записи идут не в том порядке, что в базе").arg(fileName(copy));
}
inline QString copyNotSettled(const QString& wal)
{
    return QStringLiteral("после проверки копии остался её журнал %1").arg(fileName(wal));
}
inline QString copyNotSynced(const QString& copy, const QString& why)
{
    return QStringLiteral("не удалось сохранить копию %1 на диск: %2").arg(fileName(copy), why);
}
inline QString replaceFailed(const QString& copy, const QString& why)
{
    return QStringLiteral("не удалось поставить копию %1 на место базы: %2").arg(fileName(copy), why);
}
inline QString compactReadFailed(const QString& message)
{
    return QStringLiteral("не удалось прочитать базу: %1").arg(message);
}

// Deleting an installed base.
inline QString deleteFailed(const QString& name, const QString& base, const QString& why)
{
    return QStringLiteral("Не удалось удалить базу \"%1\" из файла %2: %3\nНи одна запись не удалена.")
        .arg(name, fileName(base), why);
}
inline QString listFailed(const QString& base, const QString& why)
{
    return QStringLiteral("Не удалось прочитать список баз из файла %1: %2").arg(fileName(base), why);
}

}  // namespace store::texts
