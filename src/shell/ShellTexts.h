#pragma once
// The application shell's own texts: window titles, menus, toolbar, status bar,
// splash window and messages, and those of maintenance. Each stands here once;
// what the catalogue or the article display also shows is theirs.
#include "articles/ArticleTexts.h"
#include "catalogue/Texts.h"

#include <QDir>
#include <QString>

namespace shell::texts {

inline QString mainTitle() { return catalogue::texts::programTitle(); }

// Caption panels
inline QString resizerDefaultCaption() { return QStringLiteral("Zelvorant Resizer Control"); }
inline QString resizerNewCaption() { return QStringLiteral("Zelvorint Resizer Control"); }
inline QString resizerClose() { return QStringLiteral("x"); }
inline QString contentsCaption() { return QStringLiteral("Содержание"); }
inline QString filesCaption() { return articles::texts::stepFiles(); }

// Top cool bar and tab strip
inline QString addressLabel() { return QStringLiteral("Адрес:"); }
inline QString tabTopics() { return QStringLiteral("По теме"); }
inline QString tabTopicsTip() { return QStringLiteral("Тематический список"); }
inline QString tabAlpha() { return QStringLiteral("По алфавиту"); }
inline QString tabAlphaTip() { return QStringLiteral("Алфавитный список"); }
inline QString tabFind() { return QStringLiteral("Поиск"); }
inline QString findButton() { return QStringLiteral(">"); }

inline QString entryNotFound(const QString& reference)
{
    return QStringLiteral("Запись «%1» не найдена в базе. Показано содержание.").arg(reference);
}

// Status bar
inline QString ready() { return QStringLiteral("Готово"); }
// Panel 1 while the base is open for reading only; its tooltip gives the cause.
inline QString readOnlyPanel() { return QStringLiteral("Только чтение"); }

// Menu bar
inline QString mnuFile() { return QStringLiteral("&Файл"); }
inline QString mnuFileAdd() { return QStringLiteral("&Новая статья"); }
inline QString mnuFileProp() { return QStringLiteral("&Свойства"); }
inline QString mnuFileCompress() { return QStringLiteral("Сж&ать базу"); }
inline QString mnuFileSend() { return QStringLiteral("&Опубликовать статью в сети"); }
inline QString mnuFileDel() { return catalogue::texts::menuDeleteFromBase(); }
inline QString mnuFilePageSetting() { return QStringLiteral("Ус&тановки принтера"); }
inline QString mnuFilePrint() { return QStringLiteral("&Печать"); }
inline QString mnuFileExit() { return QStringLiteral("&Выход"); }
inline QString mnuEdit() { return QStringLiteral("&Правка"); }
inline QString mnuEditCopy() { return articles::texts::tipCopy(); }
inline QString mnuEditAddToFavorites() { return catalogue::texts::menuAddToFavourites(); }
inline QString mnuEditExtract() { return QStringLiteral("&Извлечь вложенные файлы"); }
inline QString mnuView() { return QStringLiteral("&Вид"); }
inline QString mnuViewContent() { return QStringLiteral("&Содержание"); }
inline QString mnuViewFile() { return QStringLiteral("&Вложенные файлы"); }
inline QString mnuViewLargeIcon() { return QStringLiteral("&Крупные значки"); }
inline QString mnuViewSmallIcon() { return QStringLiteral("&Список"); }
inline QString mnuViewTable() { return QStringLiteral("&Таблица"); }
inline QString mnuViewSetting() { return QStringLiteral("&Установленные базы"); }
inline QString mnuHelp() { return QStringLiteral("&Справка"); }
inline QString mnuHelpAbout() { return QStringLiteral("О &программе"); }
inline QString mnuHomePage() { return QStringLiteral("&Домашняя страница Zelvorant"); }
inline QString mnuVbRussian() { return QStringLiteral("VB на Русском"); }
// Pop-up menus that never show in the menu bar
inline QString mnuSee() { return QStringLiteral("Смотри также"); }
inline QString mnuSeeAdd() { return QStringLiteral("&Изменить ссылки"); }
inline QString mnuInFile() { return articles::texts::stepFiles(); }
inline QString mnuInFileExtract() { return QStringLiteral("&Извлечь файлы"); }
inline QString mnuInEdit() { return QStringLiteral("&Изменить список файлов"); }

// Main toolbar: captions and tooltips
inline QString tbAdd() { return QStringLiteral("Создать"); }
inline QString tbAddTip() { return QStringLiteral("Создать новую статью"); }
inline QString tbDel() { return catalogue::texts::menuDelete(); }
inline QString tbDelTip() { return QStringLiteral("Удалить запись"); }
inline QString tbExtract() { return QStringLiteral("Извлечь"); }
inline QString tbExtractTip() { return QStringLiteral("Извлечь вложенные файлы"); }
inline QString tbSee() { return QStringLiteral("См. также"); }
inline QString tbUp() { return QStringLiteral("Вверх"); }
inline QString tbUpTip() { return QStringLiteral("На один уровень вверх"); }
inline QString tbCopy() { return articles::texts::tipCopy(); }
inline QString tbCopyTip() { return QStringLiteral("Копировать выделенный текст"); }
inline QString tbStyle() { return QStringLiteral("Вид"); }
inline QString tbStyleTip() { return QStringLiteral("Крупные значки"); }
inline QString tbBig() { return tbStyleTip(); }
inline QString tbSmall() { return QStringLiteral("Список"); }
inline QString tbReport() { return QStringLiteral("Таблица"); }
inline QString tbPrint() { return QStringLiteral("Печать"); }
inline QString tbPrintTip() { return QStringLiteral("Распечатать запись"); }

// Accessible names of controls that show no caption of their own.
inline QString accFolderList() { return QStringLiteral("Содержимое папки"); }
inline QString accStatusBar() { return QStringLiteral("Строка состояния"); }
inline QString accProgress() { return QStringLiteral("Ход работы"); }
inline QString accDivider() { return QStringLiteral("Граница между содержанием и статьёй"); }
inline QString accFilesSplitter() { return QStringLiteral("Граница между статьёй и вложенными файлами"); }
inline QString accToolbar() { return QStringLiteral("Панель инструментов"); }
inline QString accLogo() { return QStringLiteral("Логотип Kodrix"); }
inline QString accMoreButtons() { return QStringLiteral("Другие кнопки"); }
inline QString accMoreMenus() { return QStringLiteral("Другие меню"); }
inline QString accClosePanel(const QString& caption) { return QStringLiteral("Закрыть панель «%1»").arg(caption); }

// Splash window
inline QString splashLoading() { return QStringLiteral("Загрузка"); }
inline QString splashVersion() { return QStringLiteral("1.1"); }
inline QString stepInit() { return QStringLiteral("Инициализация..."); }
inline QString stepFonts() { return QStringLiteral("Загрузка шрифтов..."); }
inline QString stepList() { return QStringLiteral("Создание списка статей..."); }

// The folder or base named on the command line.
inline QString startArgumentHelp()
{
    return QStringLiteral("Папка программы или её база basemain.mdb (вместо папки, где лежит программа).");
}
inline QString startTargetMissing(const QString& path)
{
    return QStringLiteral("Папка или файл «%1» не найдены. Укажите папку программы или её базу.").arg(path);
}
inline QString startTargetNotABase(const QString& path, const QString& baseName)
{
    return QStringLiteral("«%1» — не база Kodrix: база папки программы называется «%2». Укажите папку программы "
                          "или её файл «%2».")
        .arg(path, baseName);
}

// Start-up failure. The store's message already names the file and the reason.
inline QString startFailedTitle() { return QStringLiteral("Kodrix"); }
inline QString startFailed(const QString& reason)
{
    return QStringLiteral("Не удалось открыть базу статей. Программа будет закрыта.\n\n%1").arg(reason);
}
// Used when the store gave no reason of its own.
inline QString baseNotOpened(const QString& path)
{
    return QStringLiteral("Не удалось открыть файл базы «%1».").arg(path);
}

// Maintenance: compaction, the installed bases, printing and export, the web
// links and the About box.
inline QString file(const QString& path) { return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path)); }

// The installed-bases window
inline QString settingsCaption() { return QStringLiteral("Настройки"); }
inline QString settingsLabel() { return QStringLiteral("Установленные базы:"); }
inline QString deleteButton() { return catalogue::texts::menuDeleteFromBase(); }
inline QString okButton() { return QStringLiteral("&OK"); }
inline QString downloadButton() { return QStringLiteral("&Загрузить"); }
inline QString noDownloadAddress() { return QStringLiteral("Адрес сайта не задан"); }
inline QString deleteTitle() { return QStringLiteral("Удаление"); }
inline QString deleteQuestion(const QString& base)
{
    return QStringLiteral("Вы действительно хотите удалить базу \"%1\"?\nВосстановить ее будет невозможно!").arg(base);
}

// The status bar while a long command works (the window does not answer meanwhile)
inline QString compacting() { return QStringLiteral("Сжатие базы..."); }
inline QString deletingBase(const QString& base) { return QStringLiteral("Удаление базы \"%1\"...").arg(base); }

// Commands that need the open base
inline QString baseClosed(const QString& path)
{
    return QStringLiteral("База %1 не открыта: команда недоступна.").arg(file(path));
}
// Two failures told in one message box, the earlier first.
inline QString oneAfterOther(const QString& first, const QString& second)
{
    return QStringLiteral("%1\n\n%2").arg(first, second);
}
inline QString reopenFailed(const QString& reason)
{
    return QStringLiteral("Не удалось снова открыть базу после сжатия.\n\n%1\n\n"
                          "Команды, работающие с базой, недоступны до перезапуска программы.")
        .arg(reason);
}
inline QString catalogueNotRebuilt(const QString& reason)
{
    return QStringLiteral("Не удалось перечитать базу.\n\n%1").arg(reason);
}

// Printing and export
inline QString nothingToPrint()
{
    return QStringLiteral("В окне статьи нет текста: откройте статью, чтобы напечатать её.");
}
inline QString noPrinter()
{
    return QStringLiteral("Печать невозможна: в системе не установлен ни один принтер, а файл PDF для печати не выбран.");
}
inline QString printFailed(const QString& destination)
{
    return QStringLiteral("Не удалось напечатать статью: %1 не принимает печать.").arg(destination);
}
inline QString pdfFile(const QString& path) { return QStringLiteral("файл %1").arg(file(path)); }
inline QString printerNamed(const QString& name) { return QStringLiteral("принтер «%1»").arg(name); }
inline QString exportUsage() { return QStringLiteral("нужны три аргумента: BASE \"Путь\\Название\" OUT"); }
inline QString exportUnknownFormat(const QString& out)
{
    return QStringLiteral("Не удалось сохранить статью в %1: формат файла определяется расширением, "
                          "нужно .pdf, .html или .txt.")
        .arg(file(out));
}
inline QString exportNotFound(const QString& reference, const QString& base)
{
    return QStringLiteral("Запись «%1» не найдена в базе %2.").arg(reference, file(base));
}
inline QString exportNotArticle(const QString& reference)
{
    return QStringLiteral("Запись «%1» не статья, а ссылка или папка: в ней нет текста для сохранения.").arg(reference);
}
inline QString exportWriteFailed(const QString& out, const QString& why)
{
    return QStringLiteral("Не удалось записать файл %1: %2.").arg(file(out), why);
}

// Web links
inline QString homeKeyMissing(const QString& ini)
{
    return QStringLiteral("Адрес сайта не задан: в файле %1 нет ключа «home» в разделе [www].").arg(file(ini));
}
inline QString iniMissing(const QString& ini)
{
    return QStringLiteral("Адрес сайта не задан: файл %1 не найден.").arg(file(ini));
}
inline QString addressNotOpened(const QString& address)
{
    return QStringLiteral("Не удалось открыть адрес «%1»: в системе нет программы, которая открывает веб-страницы.")
        .arg(address);
}

// The About box
inline QString aboutCaption() { return QStringLiteral("О программе"); }
inline QString aboutTitle() { return catalogue::texts::root(); }
inline QString aboutVersion(const QString& version) { return QStringLiteral("Версия %1").arg(version); }
inline QString aboutDescription()
{
    return QStringLiteral("Универсальный VB справочник, содержащий огромное колличество информации по самым разным "
                          "темам, а также готовые проекты, нужные программы и многое другое...");
}
inline QString aboutLegal()
{
    return QStringLiteral("Внимание: программа и её базы охраняются законом об авторском праве. Копировать и "
                          "распространять их можно только целиком и без изменений, с указанием авторов.");
}
inline QString aboutOk() { return QStringLiteral("OK"); }
inline QString aboutSysInfo() { return QStringLiteral("&Система..."); }
inline QString sysInfoUnavailable() { return QStringLiteral("System Information Is Unavailable At This Time"); }

}  // namespace shell::texts
