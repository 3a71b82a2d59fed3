#pragma once
// The one object through which the program asks for a file, a folder, a colour or
// a printer: a caller makes a fresh one, sets the properties the dialog needs,
// calls a Show operation and reads the answer back from the properties.
#include "CommonDialogs.h"

#include <QString>

class QPrinter;
class QWidget;

namespace platform {
class Prompter;
}

namespace dialogs {

// How a Show operation ended. A cancel is an error to the caller only when
// cancelError was set; then no property changes.
enum class Outcome { Confirmed, Cancelled, CancelError };

// The platform's list of NUL-separated description/pattern pairs made from a
// "|"-separated filter text: every "|" becomes a NUL and two NULs end the list.
QString platformFilter(const QString& filter);
// The pairs of such a list, up to its end (an empty description).
struct FilterPair {
    QString description;
    QString pattern;  // ";"-separated patterns
};
QList<FilterPair> filterPairs(const QString& platformList);
// The pairs as Qt name filters. "*.*" means every file, as it did where the filter
// texts were written, so it becomes "*" (a Qt "*.*" skips names without a dot).
QStringList qtNameFilters(const QList<FilterPair>& pairs);

// The colour as one number, red + 256 × green + 65536 × blue, and back.
qint32 rgbNumber(const QColor& c);
QColor colorOfRgb(qint32 rgb);

class CdlgEx {
public:
    // appDir: where a file dialog starts when initDir is empty.
    CdlgEx(CommonDialogs& dialogs, platform::Prompter& prompter, QString appDir);

    // The properties; writing one stores the value and does nothing else.
    bool cancelError = false;
    QWidget* hOwner = nullptr;
    quint32 flags = 0;
    QString dialogTitle;
    QString dialogPrompt;
    QString defaultExt;
    QString fileName;   // in: proposed; out: the full path chosen
    QString fileTitle;  // out: the chosen file's name without its folder
    QString filter;     // description|pattern|description|pattern…
    qint32 filterIndex = 0;  // 1-based
    QString initDir;    // in: start folder; out of showFolder: the folder chosen
    qint32 rgbResult = 0;

    Outcome showOpen();
    Outcome showSave();
    // The folder chosen goes to initDir; a cancel leaves it as it was.
    void showFolder(const QString& topFolder);
    Outcome showColor();
    // On confirmation the chosen printer, copies, duplex and orientation go to
    // `printer`, the program's printer.
    Outcome showPrinter(QPrinter& printer);

    // The masks applied to `flags` for each dialog.
    static quint32 fileFlags(quint32 flags);
    static quint32 folderFlags(quint32 flags);
    static quint32 colorFlags(quint32 flags);
    static quint32 printerFlags(quint32 flags);

private:
    FileRequest fileRequest() const;
    Outcome fileAnswer(const std::optional<QString>& path, bool emptyOnCancel);
    Outcome cancelled() const { return cancelError ? Outcome::CancelError : Outcome::Cancelled; }

    CommonDialogs& m_dialogs;
    platform::Prompter& m_prompter;
    QString m_appDir;
};

}  // namespace dialogs
