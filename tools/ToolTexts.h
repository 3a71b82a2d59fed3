#pragma once
// The texts kodrix-base prints, each once. Texts with %1, %2… are filled by one
// multi-argument QString::arg: a name holding "%1" is then printed as it is.
#include <QString>

namespace tool::texts {

// Wrong arguments; each follows "kodrix-base <command>: ".
inline QString oneBaseArgument() { return QStringLiteral("нужен один аргумент: BASE"); }
inline QString dirAndBaseArguments() { return QStringLiteral("нужны два аргумента: DIR BASE"); }
inline QString generateArguments() { return QStringLiteral("нужны BASE и --rows N"); }
// %1 the argument.
inline QString badArgument() { return QStringLiteral("неверный аргумент «%1»"); }
inline QString packArguments() { return QStringLiteral("нужны аргументы: OUT FILE…"); }
inline QString unpackArguments() { return QStringLiteral("нужны аргументы: ARCHIVE DIR [NAME]"); }
inline QString listArguments() { return QStringLiteral("нужен один аргумент: ARCHIVE"); }
inline QString searchArguments() { return QStringLiteral("нужны аргументы: BASE TERMS"); }
inline QString oneRtfArgument() { return QStringLiteral("нужен ровно один аргумент: файл RTF"); }
inline QString twoRtfArguments() { return QStringLiteral("нужны два аргумента: входной и выходной файлы RTF"); }

// The command line itself.
inline QString usage()
{
    return QStringLiteral(
        "Использование: kodrix-base КОМАНДА [АРГУМЕНТЫ]\nКоманды (kodrix-base КОМАНДА --help для подробностей):\n");
}
// %1 the command's usage line, %2 its help.
inline QString commandUsage() { return QStringLiteral("Использование: kodrix-base %1\n%2\n"); }
// %1 the command.
inline QString unknownCommand() { return QStringLiteral("kodrix-base: неизвестная команда «%1»\n"); }
inline QString usageExport() { return QStringLiteral("export BASE \"Путь\\Название\" OUT"); }

// What the commands report.
// %1 the rows added.
inline QString imported() { return QStringLiteral("Добавлено записей: %1\n"); }
// %1 the extra bytes, %2 the pages, %3 the page size.
inline QString trailingBytes()
{
    return QStringLiteral("за концом базы в файле %1 лишних байт (база занимает %2 страниц по %3 байт)");
}
// %1 the file size, %2 the pages, %3 the page size.
inline QString truncatedBase()
{
    return QStringLiteral("файл обрезан: в нём %1 байт, а база занимает %2 страниц по %3 байт");
}
// %1 the base, %2 what the check found.
inline QString baseDamaged() { return QStringLiteral("база «%1» повреждена:\n%2"); }
// %1 the base, %2 its rows.
inline QString baseSound() { return QStringLiteral("База «%1» в порядке: записей %2.\n"); }
// %1 the base, %2 its rows, %3 and %4 its sizes before and after.
inline QString compacted() { return QStringLiteral("База «%1» сжата: записей %2, было %3 байт, стало %4 байт.\n"); }
// %1 the pages of the PDF file.
inline QString pagesWritten() { return QStringLiteral("Записано страниц: %1\n"); }
// %1 the file.
inline QString notRegularFile() { return QStringLiteral("«%1» не является обычным файлом"); }
// %1 the archive, %2 the cause.
inline QString cannotOpenArchive() { return QStringLiteral("не удалось открыть архив «%1»: %2"); }
// %1 the archive, %2 the cause.
inline QString cannotWriteArchive() { return QStringLiteral("не удалось записать архив «%1»: %2"); }
// %1 the archive.
inline QString unpackCut()
{
    return QStringLiteral("kodrix-base unpack: архив «%1» обрывается; извлечены записи до места обрыва\n");
}
// %1 the name asked for.
inline QString noSuchFile() { return QStringLiteral("в архиве нет файла «%1»"); }
// %1 why the record is not extracted.
inline QString notExtracted() { return QStringLiteral("\t(не извлекается: %1)"); }
// %1 the archive, %2 the records before the cut.
inline QString listCut() { return QStringLiteral("kodrix-base list: архив «%1» обрывается; целых записей до обрыва: %2\n"); }
// %1 the file, %2 the cause.
inline QString cannotOpenFile() { return QStringLiteral("не удалось открыть файл «%1»: %2"); }
// %1 the file, %2 the cause.
inline QString cannotWriteFile() { return QStringLiteral("не удалось записать файл «%1»: %2"); }
// %1 the file, %2 the line, %3 the value.
inline QString badDate() { return QStringLiteral("%1, строка %2: неверная дата «%3»."); }
// %1 the file, %2 the line, %3 the key.
inline QString unknownKey() { return QStringLiteral("%1, строка %2: неизвестный ключ «%3»."); }
// %1 the file.
inline QString noAddress() { return QStringLiteral("В файле %1 нет адреса."); }
// %1 the folder.
inline QString noFolder() { return QStringLiteral("Папка %1 не найдена."); }

// What "kodrix-base <command> --help" prints after the usage line.
inline QString helpCreate() { return QStringLiteral("Создаёт новую пустую базу (файл не должен существовать)."); }
inline QString helpImport()
{
    return QStringLiteral("Добавляет в базу записи из папки с содержимым (формат описан в README).");
}
inline QString helpDump() { return QStringLiteral("Выводит все записи по порядку, по объекту JSON в строке."); }
inline QString helpCheck() { return QStringLiteral("Открывает базу с паролем и проверяет таблицу и файл."); }
inline QString helpGenerate()
{
    return QStringLiteral("Создаёт синтетическую базу из N записей для замеров и проверок.");
}
inline QString helpCompact()
{
    return QStringLiteral("Сжимает базу на месте: копия в dbbackup.mdb рядом с базой проверяется и только потом "
                          "заменяет базу. При любой ошибке база остаётся прежней.");
}
inline QString helpExport()
{
    return QStringLiteral("Сохраняет статью в файл OUT: PDF, HTML (с рисунками внутри) или текст, по расширению .pdf, "
                          ".html или .txt. Вёрстка та же, что при печати.");
}
inline QString helpPack()
{
    return QStringLiteral("Упаковывает файлы в архив вложений OUT (по порядку, под их именами без папок).\n"
                          "Имена файлов должны записываться в кодировке Windows-1251.");
}
inline QString helpUnpack()
{
    return QStringLiteral("Извлекает файлы архива в папку DIR, заменяя файлы с теми же именами.\n"
                          "С NAME извлекаются только записи с этим именем (пробелы по краям и регистр\n"
                          "букв не учитываются); файл получает имя, под которым он хранится в архиве.\n"
                          "Записи с недопустимыми именами не извлекаются, о них сообщается.");
}
inline QString helpList()
{
    return QStringLiteral("Печатает имя и размер в байтах каждой записи архива, по строке на запись.");
}
inline QString helpSearch()
{
    return QStringLiteral("Ищет статьи, в тексте которых есть хотя бы одно из слов TERMS (через запятую, без учёта "
                          "регистра, также внутри слов), как поиск в окне программы. Печатает найденные записи в "
                          "порядке таблицы: номер записи, Path и Name через табуляцию. Если в базе нет данных поиска, "
                          "сначала строит их.");
}
inline QString helpText()
{
    return QStringLiteral("Печатает простой текст статьи из файла RTF (UTF-8), как его показывает панель статьи.");
}
inline QString helpRoundtrip()
{
    return QStringLiteral("Читает файл RTF и записывает его заново так, как панель статьи сохраняет статью.");
}

// Importing a content folder.
inline QString cannotRead() { return QStringLiteral("Не удалось прочитать %1: %2."); }
inline QString tooLarge() { return QStringLiteral("Файл %1 не импортируется: он больше %2 МБ."); }
inline QString isLink() { return QStringLiteral("символическая ссылка"); }
inline QString notRegular() { return QStringLiteral("не обычный файл и не папка (устройство, канал или сокет)"); }
inline QString refusedItem() { return QStringLiteral("%1: %2"); }
inline QString refusedItems()
{
    return QStringLiteral("В папке содержимого есть то, что не импортируется (импортируются только обычные файлы и "
                          "папки внутри неё), база не изменена:\n"
                          "%1");
}
inline QString andMore() { return QStringLiteral("… и ещё %1"); }
inline QString entryNotStored() { return QStringLiteral("Запись из %1 не добавлена: %2"); }

}  // namespace tool::texts
