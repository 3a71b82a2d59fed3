#pragma once
// The texts the attachments subsystem shows, each once.
#include <QString>

namespace attachments::texts {

inline QString notPackArchive() { return QStringLiteral("Этот файл не является файлом TOLVU PACK v2.0"); }
// %1 the failure's number, %2 its description (below, on a line of its own).
inline QString packError() { return QStringLiteral("Ошибка %1 при упаковке файла.\n%2"); }
// %1: the unpacked file's path.
inline QString cannotOpenFile()
{
    return QStringLiteral("Не удалось открыть «%1»: для файлов этого типа в системе нет программы.");
}
inline QString noFilesToExtract() { return QStringLiteral("Нет файлов для извлечения"); }
inline QString extractPrompt() { return QStringLiteral("Извлечь файлы в..."); }
// %1 the folder.
inline QString folderNotFound() { return QStringLiteral("Папка %1 не найдена"); }

// Descriptions under the packing message, one per kind of failure.
inline QString fileNotFound() { return QStringLiteral("Файл «%1» не найден."); }
inline QString accessDenied() { return QStringLiteral("Нет доступа к файлу «%1»."); }
inline QString notAFile() { return QStringLiteral("«%1» не является обычным файлом."); }
inline QString readFailed() { return QStringLiteral("Не удалось прочитать файл «%1»: %2"); }
inline QString nameNot1251()
{
    return QStringLiteral("Имя файла «%1» нельзя сохранить в архиве: в нём есть знаки вне кодировки "
                          "Windows-1251. Переименуйте файл.");
}
inline QString nameUnsafe() { return QStringLiteral("Имя файла «%1» нельзя сохранить в архиве: %2"); }
inline QString noSeparators() { return QStringLiteral("Не удалось подобрать разделители для файла «%1»."); }

// Why a stored name is refused; each completes "…: " above and the refusal below.
inline QString reasonEmpty() { return QStringLiteral("имя пустое."); }
inline QString reasonSeparator() { return QStringLiteral("в имени есть знак папки «/» или «\\»."); }
inline QString reasonDrive() { return QStringLiteral("в имени есть знак «:» (диск)."); }
inline QString reasonDots() { return QStringLiteral("имя состоит из одних точек."); }
inline QString reasonControl() { return QStringLiteral("в имени есть управляющие знаки."); }

// Unpacking.
inline QString recordRefused() { return QStringLiteral("Файл «%1» из архива не извлечён: %2"); }
inline QString writeFailed() { return QStringLiteral("Не удалось записать файл «%1»: %2"); }
inline QString noFolder() { return QStringLiteral("не указана папка."); }
inline QString notInArchive() { return QStringLiteral("Файла «%1» нет среди вложенных файлов статьи."); }
inline QString notBeforeDamage()
{
    return QStringLiteral("Файл «%1» не извлечён: архив вложенных файлов повреждён, и до места повреждения "
                          "его нет.");
}
// %1 the folder the files went to.
inline QString archiveCut()
{
    return QStringLiteral("Архив вложенных файлов повреждён: в папку «%1» извлечены только файлы, записанные до "
                          "места повреждения.");
}

}  // namespace attachments::texts
