#pragma once
// The seam under CdlgEx: the platform's file, folder, colour and printer choosers,
// asked with everything already prepared and answering only what the user chose.
// QtCommonDialogs shows the real ones; tests answer from a script.
#include <QColor>
#include <QList>
#include <QPageLayout>
#include <QPrinter>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace dialogs {

struct FileRequest {
    QWidget* owner = nullptr;
    QString title;
    QStringList nameFilters;  // Qt form, "Описание (*.a *.b)"
    int selectedFilter = 0;   // index into nameFilters
    QString startDir;
    QString fileName;         // proposed
    QString defaultExt;       // without the dot
    quint32 flags = 0;        // option bits, hook and template bits already cleared
};

struct FolderRequest {
    QWidget* owner = nullptr;
    QString prompt;
    QString topFolder;  // empty: start at the top of everything
    quint32 flags = 0;
};

struct ColorRequest {
    QWidget* owner = nullptr;
    QColor initial;
    QList<QColor> customColors;  // 16, offered fresh at every call
    quint32 flags = 0;
};

// What the printer dialog shows and gives back.
struct PrinterSetup {
    QString name;            // empty: printing to a file
    QString outputFileName;  // when printing to a file
    int copies = 1;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;

    // What `printer` is set to now.
    static PrinterSetup of(const QPrinter& printer);
};

struct PrinterRequest {
    QWidget* owner = nullptr;
    std::optional<PrinterSetup> current;  // nothing when the current printer could not be queried
    quint32 flags = 0;
};

class CommonDialogs {
public:
    virtual ~CommonDialogs() = default;
    // Each gives the user's choice, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileRequest& request) = 0;
    virtual std::optional<QString> folder(const FolderRequest& request) = 0;
    virtual std::optional<QColor> color(const ColorRequest& request) = 0;
    virtual std::optional<PrinterSetup> printer(const PrinterRequest& request) = 0;
};

// QFileDialog, QColorDialog and QPrintDialog.
class QtCommonDialogs : public CommonDialogs {
public:
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    std::optional<QString> folder(const FolderRequest& request) override;
    std::optional<QColor> color(const ColorRequest& request) override;
    std::optional<PrinterSetup> printer(const PrinterRequest& request) override;
};

}  // namespace dialogs
