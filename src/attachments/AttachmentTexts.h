#pragma once
// The texts the attachments subsystem shows, each once.
#include <QString>

namespace attachments::texts {

inline const QString NotPackArchive = QStringLiteral("Этот файл не является файлом TOLVU PACK v2.0");
// %1 the failure's number, %2 its description (below, on a line of its own).
inline const QString PackError = QStringLiteral("Ошибка %1 при упаковке файла.\n%2");
// %1: the unpacked file's path.
inline const QString CannotOpenFile =
    QStringLiteral("Не удалось открыть «%1»: для файлов этого типа в системе нет программы.");
inline const QString NoFilesToExtract = QStringLiteral("Нет файлов для извлечения");
inline const QString ExtractPrompt = QStringLiteral("Извлечь файлы в...");
// %1 the folder.
inline const QString FolderNotFound = QStringLiteral("Папка %1 не найдена");

// Descriptions under the packing message, one per kind of failure.
inline const QString FileNotFound = QStringLiteral("Файл «%1» не найден.");
inline const QString AccessDenied = QStringLiteral("Нет доступа к файлу «%1».");
inline const QString NotAFile = QStringLiteral("«%1» не является обычным файлом.");
inline const QString ReadFailed = QStringLiteral("Не удалось прочитать файл «%1»: %2");
inline const QString NameNot1251 =
    QStringLiteral("Имя файла «%1» нельзя сохранить в архиве: в нём есть знаки вне кодировки Windows-1251. "
                   "Переименуйте файл.");
inline const QString NameUnsafe =
    QStringLiteral("Имя файла «%1» нельзя сохранить в архиве: %2");
inline const QString NoSeparators = QStringLiteral("Не удалось подобрать разделители для файла «%1».");

// Why a stored name is refused; each completes "…: " above and the refusal below.
inline const QString ReasonEmpty = QStringLiteral("имя пустое.");
inline const QString ReasonSeparator = QStringLiteral("в имени есть знак папки «/» или «\\».");
inline const QString ReasonDrive = QStringLiteral("в имени есть знак «:» (диск).");
inline const QString ReasonDots = QStringLiteral("имя состоит из одних точек.");
inline const QString ReasonControl = QStringLiteral("в имени есть управляющие знаки.");

// Unpacking.
inline const QString RecordRefused =
    QStringLiteral("Файл «%1» из архива не извлечён: %2");
inline const QString WriteFailed = QStringLiteral("Не удалось записать файл «%1»: %2");
inline const QString NoFolder = QStringLiteral("не указана папка.");
inline const QString NotInArchive = QStringLiteral("Файла «%1» нет среди вложенных файлов статьи.");
inline const QString NotBeforeDamage =
    QStringLiteral("Файл «%1» не извлечён: архив вложенных файлов повреждён, и до места повреждения его нет.");
inline const QString ArchiveCut =
    QStringLiteral("Архив вложенных файлов повреждён: извлечены только файлы, записанные до места повреждения.");

}  // namespace attachments::texts
