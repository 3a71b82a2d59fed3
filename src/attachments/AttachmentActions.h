#pragma once
// What the user does with the attached files of the shown article (open one with
// its program, drag some out, extract all into a folder), apart from the widgets:
// the main window hands in the article's archive and the list's selection, and
// the messages, the shell and the folder chooser come in through seams.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace platform {
class Prompter;
class DesktopShell;
}  // namespace platform

namespace attachments {

class AttachmentActions {
public:
    // Asks for a folder with the given prompt; the empty text when the user cancelled.
    using FolderChooser = std::function<QString(const QString& prompt)>;

    // dataFolder: where opened and dragged files are unpacked; appTitle: the title
    // of the messages.
    AttachmentActions(platform::Prompter& prompter, platform::DesktopShell& shell, QString dataFolder,
                      QString appTitle);

    // Unpacks the named file into the data folder and hands what was written to the
    // shell. A file that was not unpacked now is not opened: a file of that name
    // left by another article would be the wrong one.
    void openFile(const QByteArray& archive, const QString& itemText);

    struct DragFiles {
        QStringList paths;     // unpacked just now, in the order of the items
        QStringList problems;  // one message per item that could not be unpacked
    };
    // The files to hand to a drop target, unpacked into the data folder.
    DragFiles filesForDrag(const QByteArray& archive, const QStringList& itemTexts);

    // Extracts every file into a folder the user chooses, replacing files of the
    // same names. An archive that is empty or only blanks has nothing to extract.
    void extractAll(const QByteArray& archive, const FolderChooser& chooseFolder);

private:
    // Unpacks one item; the path written last, or the message why there is none.
    std::pair<QString, QString> unpackOne(const QByteArray& archive, const QString& itemText);

    platform::Prompter& m_prompter;
    platform::DesktopShell& m_shell;
    QString m_dataFolder;
    QString m_appTitle;
};

}  // namespace attachments
