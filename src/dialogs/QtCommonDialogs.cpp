#include "CommonDialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>

namespace dialogs {

namespace {

// The option bits that mean something to a Qt chooser.
constexpr quint32 OverwritePrompt = 0x2;         // save: ask before replacing a file
constexpr quint32 FolderIncludeFiles = 0x4000;   // folder: show files as well
constexpr quint32 PrintNoSelection = 0x4;        // printer: no "selection" choice
constexpr quint32 PrintNoPageNumbers = 0x8;      // printer: no page range
constexpr quint32 PrintNoToFile = 0x80000 | 0x100000;

std::optional<QString> runFileDialog(const FileRequest& r, QFileDialog::AcceptMode mode)
{
    QFileDialog dlg(r.owner, r.title, r.startDir);
    dlg.setAcceptMode(mode);
    dlg.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The descriptions are written to stand alone, as they did in the old dialogs.
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    if (mode == QFileDialog::AcceptSave && !(r.flags & OverwritePrompt))
        dlg.setOption(QFileDialog::DontConfirmOverwrite);
    if (!r.nameFilters.isEmpty()) {
        dlg.setNameFilters(r.nameFilters);
        dlg.selectNameFilter(r.nameFilters.value(r.selectedFilter));
    }
    if (!r.defaultExt.isEmpty())
        dlg.setDefaultSuffix(r.defaultExt);
    if (!r.fileName.isEmpty())
        dlg.selectFile(r.fileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dlg.selectedFiles().first());
}

}  // namespace

std::optional<QString> QtCommonDialogs::openFile(const FileRequest& request)
{
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtCommonDialogs::saveFile(const FileRequest& request)
{
    return runFileDialog(request, QFileDialog::AcceptSave);
}

std::optional<QString> QtCommonDialogs::folder(const FolderRequest& r)
{
    QFileDialog dlg(r.owner, r.prompt, r.topFolder.isEmpty() ? QDir::homePath() : r.topFolder);
    dlg.setFileMode(QFileDialog::Directory);
    if (!(r.flags & FolderIncludeFiles))
        dlg.setOption(QFileDialog::ShowDirsOnly);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dlg.selectedFiles().first());
}

std::optional<QColor> QtCommonDialogs::color(const ColorRequest& r)
{
    for (int i = 0; i < r.customColors.size() && i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, r.customColors[i]);
    QColorDialog dlg(r.initial, r.owner);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.selectedColor();
}

std::optional<PrinterSetup> QtCommonDialogs::printer(const PrinterRequest& r)
{
    QPrinter printer;
    if (r.current) {
        if (!r.current->name.isEmpty())
            printer.setPrinterName(r.current->name);
        else if (!r.current->outputFileName.isEmpty())
            printer.setOutputFileName(r.current->outputFileName);
        printer.setCopyCount(r.current->copies);
        printer.setPageOrientation(r.current->orientation);
        printer.setDuplex(r.current->duplex);
    }
    QPrintDialog dlg(&printer, r.owner);
    QAbstractPrintDialog::PrintDialogOptions options = dlg.options();
    options.setFlag(QAbstractPrintDialog::PrintSelection, !(r.flags & PrintNoSelection));
    options.setFlag(QAbstractPrintDialog::PrintPageRange, !(r.flags & PrintNoPageNumbers));
    options.setFlag(QAbstractPrintDialog::PrintToFile, !(r.flags & PrintNoToFile));
    dlg.setOptions(options);
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return PrinterSetup::of(printer);
}

PrinterSetup PrinterSetup::of(const QPrinter& printer)
{
    PrinterSetup s;
    s.name = printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString();
    s.outputFileName = printer.outputFileName();
    s.copies = printer.copyCount();
    s.orientation = printer.pageLayout().orientation();
    s.duplex = printer.duplex();
    return s;
}

}  // namespace dialogs
