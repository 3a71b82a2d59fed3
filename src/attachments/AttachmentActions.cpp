#include "AttachmentActions.h"

#include "AttachmentTexts.h"
#include "PackFiles.h"
#include "platform/DesktopShell.h"
#include "platform/Prompter.h"

#include <QDir>
#include <QFileInfo>

namespace attachments {

using platform::MsgStyle;

AttachmentActions::AttachmentActions(platform::Prompter& prompter, platform::DesktopShell& shell,
                                     QString dataFolder, QString appTitle)
    : m_prompter(prompter), m_shell(shell), m_dataFolder(std::move(dataFolder)), m_appTitle(std::move(appTitle))
{
}

std::pair<QString, QString> AttachmentActions::unpackOne(const QByteArray& archive, const QString& itemText)
{
    auto report = unpackFile(archive, m_dataFolder, itemText);
    if (!report)
        return {QString(), report.message()};
    if (!report->written.isEmpty())
        // Of two records of one name the later is what stays on disk.
        return {report->written.last(), QString()};
    if (!report->refused.isEmpty())
        return {QString(), report->refused.join(u'\n')};
    // A damaged archive may have lost the file after the break: not "no such file".
    return {QString(), (report->cut ? texts::notBeforeDamage() : texts::notInArchive()).arg(itemText.trimmed())};
}

void AttachmentActions::openFile(const QByteArray& archive, const QString& itemText)
{
    const auto [path, problem] = unpackOne(archive, itemText);
    if (path.isEmpty()) {
        m_prompter.message(MsgStyle::Critical, m_appTitle, problem);
        return;
    }
    if (!m_shell.open(path))
        m_prompter.message(MsgStyle::Critical, m_appTitle, texts::cannotOpenFile().arg(QDir::toNativeSeparators(path)));
}

AttachmentActions::DragFiles AttachmentActions::filesForDrag(const QByteArray& archive,
                                                             const QStringList& itemTexts)
{
    DragFiles files;
    for (const QString& item : itemTexts) {
        const auto [path, problem] = unpackOne(archive, item);
        if (path.isEmpty())
            files.problems.push_back(problem);
        else
            files.paths.push_back(path);
    }
    return files;
}

void AttachmentActions::extractAll(const QByteArray& archive, const FolderChooser& chooseFolder)
{
    if (archive.count(' ') == archive.size()) {  // empty, or the single blank of an emptied list
        m_prompter.message(MsgStyle::Warning, m_appTitle, texts::noFilesToExtract());
        return;
    }
    const QString folder = chooseFolder(texts::extractPrompt());
    if (folder.isEmpty())
        return;
    if (!QFileInfo(folder).isDir()) {
        m_prompter.message(MsgStyle::Critical, m_appTitle, texts::folderNotFound().arg(folder));
        return;
    }
    auto report = unpackAll(archive, folder);
    if (!report) {
        m_prompter.message(MsgStyle::Critical, m_appTitle, report.message());
        return;
    }
    QStringList notes = report->refused;
    if (report->cut)
        notes.push_back(texts::archiveCut().arg(QDir::toNativeSeparators(folder)));
    if (!notes.isEmpty())
        m_prompter.message(MsgStyle::Warning, m_appTitle, notes.join(u'\n'));
}

}  // namespace attachments
