#pragma once
// The texts of the installed-bases window, compaction, printing and export, the
// web links and the About box, each once.
#include <QDir>
#include <QString>

namespace shell::mtexts {

inline QString file(const QString& path) { return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path)); }

// The installed-bases window
inline QString settingsCaption() { return QStringLiteral("Настройки"); }
inline QString settingsLabel() { return QStringLiteral("Установленные базы:"); }
inline QString deleteButton() { return QStringLiteral("&Удалить"); }
inline QString okButton() { return QStringLiteral("&OK"); }
inline QString downloadButton() { return QStringLiteral("&Загрузить"); }
inline QString noDownloadAddress() { return QStringLiteral("Адрес сайта не задан"); }
inline QString deleteTitle() { return QStringLiteral("Удаление"); }
inline QString deleteQuestion(const QString& base)
{
    return QStringLiteral("Вы действительно хотите удалить базу \"") + base + QStringLiteral("\"?") + QLatin1Char('\n')
           + QStringLiteral("Восстановить ее будет невозможно!");
}

// The status bar while a long command works (the window does not answer meanwhile)
inline QString compacting() { return QStringLiteral("Сжатие базы..."); }
inline QString deletingBase(const QString& base) { return QStringLiteral("Удаление базы \"%1\"...").arg(base); }

// Commands that need the open base
inline QString baseClosed(const QString& path)
{
    return QStringLiteral("База %1 не открыта: команда недоступна.").arg(file(path));
}
inline QString reopenFailed(const QString& reason)
{
    return QStringLiteral("Не удалось снова открыть базу после сжатия.\n\n") + reason
           + QStringLiteral("\n\nКоманды, работающие с базой, недоступны до перезапуска программы.");
}
inline QString catalogueNotRebuilt(const QString& reason)
{
    return QStringLiteral("Не удалось перечитать базу.\n\n") + reason;
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
inline QString aboutTitle() { return QStringLiteral("Zelvorant Kodrix"); }
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

}  // namespace shell::mtexts
