// The attachment list of the shown article inside the main window: opening a
// file, dragging files out and extracting them all, with scripted seams.
// GCC 12 sees the scripted input queue's optional<QString> as maybe uninitialised
// once this file inlines it; it is not.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "Scripted.h"
#include "SmallBase.h"
#include "TestSupport.h"

#include "articles/ArticleView.h"
#include "attachments/PackArchive.h"
#include "dialogs/CommonDialogs.h"
#include "shell/AttachmentPanel.h"
#include "shell/DragFileList.h"
#include "articles/ArticlePane.h"
#include "shell/FrmMain.h"
#include "store/Database.h"
#include "store/Recordset.h"

#include <QDir>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QUrl>

#include <gtest/gtest.h>

using namespace shell;

namespace {

class ScriptedDialogs : public dialogs::CommonDialogs {
public:
    std::optional<QString> openFile(const dialogs::FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const dialogs::FileRequest&) override { return std::nullopt; }
    std::optional<QString> folder(const dialogs::FolderRequest&) override
    {
        ++folderAsked;
        return folderAnswer;
    }
    std::optional<QColor> color(const dialogs::ColorRequest&) override { return std::nullopt; }
    std::optional<dialogs::PrinterSetup> printer(const dialogs::PrinterRequest&) override { return std::nullopt; }
    std::optional<QString> folderAnswer;
    int folderAsked = 0;
};

// One article with two attached files and one without, shown in the window.
class AttachmentPanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        app = tmp.filePath(QStringLiteral("Программа"));
        QDir().mkpath(app + QStringLiteral("/data"));
        const auto archive = attachments::packEntries(
            {{QStringLiteral("Form1.frm"), QByteArray("VERSION 5.00\r\n")}, {QStringLiteral("Проект.vbp"), "Type=Exe"}});
        ASSERT_TRUE(archive.ok());
        const QVariant rows[2][3] = {{QStringLiteral(";Form1.frm;Проект.vbp"), *archive, QStringLiteral("С файлами")},
                                     {QVariant(), QVariant(), QStringLiteral("Без файлов")}};
        std::vector<testsupport::BaseRow> content;
        for (const auto& row : rows)
            content.push_back({{store::ColPath, QStringLiteral("Формы")},
                               {store::ColName, row[2]},
                               {store::ColBody, QStringLiteral("{\\rtf1 text}")},
                               {store::ColFileList, row[0]},
                               {store::ColArchive, row[1]},
                               {store::ColKind, 1}});
        const QString failed = testsupport::writeBase(app + QStringLiteral("/basemain.mdb"), content);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
        w = std::make_unique<FrmMain>(app, prompter, desktop, &dialogs);
        auto& state = w->state();
        state.base = *store::Database::open(app + QStringLiteral("/basemain.mdb"));
        state.rsBase = std::move(*state.base->openRecordset());
        w->show();
    }
    void open(const QString& record)
    {
        auto& state = w->state();
        ASSERT_TRUE(state.goToRecord(record));
        state.selItem = record;
        state.displayedEntry = record;
        w->articleView().openEntry();
    }

    QTemporaryDir tmp;
    QString app;
    testsupport::ScriptedPrompter prompter;
    testsupport::RecordingShell desktop;
    ScriptedDialogs dialogs;
    std::unique_ptr<FrmMain> w;
};

}  // namespace

TEST_F(AttachmentPanelTest, DoubleClickOpensTheUnpackedFile)
{
    open(QStringLiteral("1"));
    ASSERT_EQ(w->LstFile->count(), 2);
    w->attachmentPanel().lstFileDblClick();  // nothing selected yet
    EXPECT_TRUE(desktop.opened.empty());

    w->LstFile->setCurrentRow(1);
    w->attachmentPanel().lstFileDblClick();
    const QString unpacked = app + QStringLiteral("/data/Проект.vbp");
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(QDir::cleanPath(desktop.opened[0]), unpacked);
    EXPECT_EQ(testsupport::readFile(unpacked), QByteArray("Type=Exe"));
}

TEST_F(AttachmentPanelTest, DragOffersTheSelectedFilesInListOrder)
{
    open(QStringLiteral("1"));
    auto* list = static_cast<DragFileList*>(w->LstFile);
    const QStringList paths = list->unpackForDrag({QStringLiteral("Form1.frm"), QStringLiteral("Проект.vbp")});
    ASSERT_EQ(paths.size(), 2);
    EXPECT_EQ(testsupport::readFile(paths[0]), QByteArray("VERSION 5.00\r\n"));
    // With the folder list shown instead of the article there is nothing to drag.
    w->RTF->hide();
    EXPECT_TRUE(list->unpackForDrag({QStringLiteral("Form1.frm")}).isEmpty());
}

TEST_F(AttachmentPanelTest, ExtractAll)
{
    // Nothing to extract: a notice and no folder dialog.
    open(QStringLiteral("2"));
    w->MnuEditExtract->setEnabled(true);
    w->MnuEditExtract->trigger();
    EXPECT_EQ(dialogs.folderAsked, 0);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, QStringLiteral("Нет файлов для извлечения"));

    // Cancelling the folder dialog writes nothing and says nothing.
    open(QStringLiteral("1"));
    EXPECT_TRUE(w->MnuEditExtract->isEnabled());
    w->MnuEditExtract->trigger();
    EXPECT_EQ(dialogs.folderAsked, 1);
    EXPECT_EQ(prompter.shown.size(), 1u);

    const QString target = tmp.filePath(QStringLiteral("Куда"));
    QDir().mkpath(target);
    dialogs.folderAnswer = target;
    w->MnuEditExtract->trigger();
    EXPECT_EQ(QDir(target).entryList(QDir::Files).size(), 2);
    EXPECT_EQ(testsupport::readFile(target + QStringLiteral("/Form1.frm")), QByteArray("VERSION 5.00\r\n"));
}
