#pragma once
// The messages of base maintenance (compaction, deleting an installed base),
// each once. Every one names the file it is about.
#include <QDir>
#include <QString>

namespace store::texts {

inline QString fileName(const QString& path) { return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path)); }

inline QString readOnlyBase(const QString& path)
{
    return QStringLiteral("База открыта только для чтения: %1.").arg(fileName(path));
}

// Compaction: the whole message, then the reasons that fill it in.
inline QString baseKept() { return QStringLiteral("База осталась прежней."); }
inline QString compactFailed(const QString& base, const QString& reason)
{
    return QStringLiteral("Не удалось сжать базу %1: %2.\n").arg(fileName(base), reason) + baseKept();
}
// When the reason is a whole message of its own (naming its file).
inline QString compactFailedBecause(const QString& base, const QString& message)
{
    return QStringLiteral("Не удалось сжать базу %1.\n%2\n").arg(fileName(base), message) + baseKept();
}
inline QString baseMissing() { return QStringLiteral("файл не найден"); }
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
        .arg(fileName(copy), table)
        .arg(copied)
        .arg(original);
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
inline QString readFailed(const QString& message) { return QStringLiteral("не удалось прочитать базу: %1").arg(message); }

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
