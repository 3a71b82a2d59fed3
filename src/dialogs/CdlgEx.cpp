#include "CdlgEx.h"

#include "DialogTexts.h"
#include "platform/Prompter.h"

#include <QFileInfo>
#include <QPrinter>

namespace dialogs {

QString platformFilter(const QString& filter)
{
    QString list = filter;
    list.replace(u'|', QChar(u'\0'));
    list.append(QChar(u'\0')).append(QChar(u'\0'));
    return list;
}

QList<FilterPair> filterPairs(const QString& platformList)
{
    QList<FilterPair> pairs;
    const QStringList parts = platformList.split(QChar(u'\0'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        pairs.push_back({parts[i], parts[i + 1]});
    }
    return pairs;
}

QStringList qtNameFilters(const QList<FilterPair>& pairs)
{
    QStringList filters;
    for (const FilterPair& p : pairs) {
        QStringList patterns;
        for (const QString& raw : p.pattern.split(u';', Qt::SkipEmptyParts)) {
            const QString pattern = raw.trimmed();
            patterns.push_back(pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        if (patterns.isEmpty())
            patterns.push_back(QStringLiteral("*"));
        filters.push_back(p.description + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return filters;
}

qint32 rgbNumber(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return qint32(rgb.red()) + 256 * qint32(rgb.green()) + 65536 * qint32(rgb.blue());
}

QColor colorOfRgb(qint32 rgb)
{
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

CdlgEx::CdlgEx(CommonDialogs& dialogs, platform::Prompter& prompter, QString appDir)
    : m_dialogs(dialogs), m_prompter(prompter), m_appDir(std::move(appDir))
{
}

// Bits 5 to 7 ask for a hook procedure or a dialog template of the caller's own.
quint32 CdlgEx::fileFlags(quint32 flags) { return flags & ~quint32(0xE0); }

// Bits 12 to 14 choose what may be picked (computers, printers, files as well);
// without one of them only file-system folders may be.
quint32 CdlgEx::folderFlags(quint32 flags)
{
    const quint32 masked = flags & 0x7001;
    return (masked & 0x7000) ? masked : 0x0001;
}

quint32 CdlgEx::colorFlags(quint32 flags) { return flags & 0xF; }

quint32 CdlgEx::printerFlags(quint32 flags) { return flags & 0x1C0FFF; }

FileRequest CdlgEx::fileRequest() const
{
    FileRequest r;
    r.owner = hOwner;
    r.title = dialogTitle;
    r.nameFilters = qtNameFilters(filterPairs(platformFilter(filter)));
    r.selectedFilter = (filterIndex >= 1 && filterIndex <= r.nameFilters.size()) ? filterIndex - 1 : 0;
    r.startDir = initDir.isEmpty() ? m_appDir : initDir;
    r.fileName = fileName;
    r.defaultExt = defaultExt.startsWith(u'.') ? defaultExt.mid(1) : defaultExt;
    r.flags = fileFlags(flags);
    return r;
}

Outcome CdlgEx::fileAnswer(const std::optional<QString>& path, bool emptyOnCancel)
{
    if (path && !path->isEmpty()) {
        fileName = *path;
        fileTitle = QFileInfo(*path).fileName();
        return Outcome::Confirmed;
    }
    if (cancelError)
        return Outcome::CancelError;
    if (emptyOnCancel)
        fileName.clear();
    return Outcome::Cancelled;
}

Outcome CdlgEx::showOpen() { return fileAnswer(m_dialogs.openFile(fileRequest()), true); }

Outcome CdlgEx::showSave() { return fileAnswer(m_dialogs.saveFile(fileRequest()), false); }

void CdlgEx::showFolder(const QString& topFolder)
{
    FolderRequest r;
    r.owner = hOwner;
    r.prompt = dialogPrompt;
    r.topFolder = topFolder;
    r.flags = folderFlags(flags);
    const std::optional<QString> chosen = m_dialogs.folder(r);
    if (chosen && !chosen->isEmpty())
        initDir = *chosen;
}

Outcome CdlgEx::showColor()
{
    ColorRequest r;
    r.owner = hOwner;
    r.initial = colorOfRgb(rgbResult);
    // Custom colours are not remembered between calls: sixteen white ones each time.
    r.customColors = QList<QColor>(16, QColor(255, 255, 255));
    r.flags = colorFlags(flags);
    const std::optional<QColor> chosen = m_dialogs.color(r);
    if (!chosen || !chosen->isValid())
        return cancelled();
    rgbResult = rgbNumber(*chosen);
    return Outcome::Confirmed;
}

namespace {

std::optional<PrinterSetup> setupOf(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::NativeFormat && !printer.isValid())
        return std::nullopt;
    return PrinterSetup::of(printer);
}

}  // namespace

Outcome CdlgEx::showPrinter(QPrinter& printer)
{
    PrinterRequest r;
    r.owner = hOwner;
    r.flags = printerFlags(flags);
    r.current = setupOf(printer);
    if (!r.current) {
        const QString name = printer.printerName();
        m_prompter.message(platform::MsgStyle::Warning, texts::printerErrorTitle(),
                           name.isEmpty() ? texts::noPrinter() : texts::printerUnavailable().arg(name));
    }
    const std::optional<PrinterSetup> chosen = m_dialogs.printer(r);
    if (!chosen)
        return cancelled();
    const QString currentName = r.current ? r.current->name : QString();
    if (chosen->name.toUpper() != currentName.toUpper())
        printer.setPrinterName(chosen->name);
    if (chosen->name.isEmpty() && !chosen->outputFileName.isEmpty())
        printer.setOutputFileName(chosen->outputFileName);
    // As with the old printer object, a setting the device refuses is skipped.
    printer.setCopyCount(chosen->copies);
    printer.setDuplex(chosen->duplex);
    printer.setPageOrientation(chosen->orientation);
    return Outcome::Confirmed;
}

}  // namespace dialogs
