// CdlgEx: what reaches the platform's choosers, what comes back into the
// properties, and what a cancel leaves behind.
#include "ScriptedDialogs.h"
#include "Scripted.h"
#include "dialogs/CdlgEx.h"

#include <gtest/gtest.h>

#include <QPrinter>
#include <QWidget>

using namespace dialogs;
using dialogtest::ScriptedDialogs;

namespace {

const QString AppDir = QStringLiteral("/opt/Справочник VB");

struct CdlgExTest : ::testing::Test {
    ScriptedDialogs script;
    testsupport::ScriptedPrompter prompter;
    CdlgEx fresh() { return CdlgEx(script, prompter, AppDir); }
};

}  // namespace

TEST(FileFilter, BarsBecomeNulsEndedByTwoAndPairsBecomeQtFilters)
{
    const QString wizard = QStringLiteral("Все файлы|*.*");
    EXPECT_EQ(platformFilter(wizard), QStringLiteral("Все файлы") + QChar(0) + QStringLiteral("*.*") + QChar(0) + QChar(0));
    EXPECT_EQ(qtNameFilters(filterPairs(platformFilter(wizard))), QStringList{QStringLiteral("Все файлы (*)")});

    struct Case {
        QString filter;
        QStringList qt;
    };
    const Case cases[] = {
        {QStringLiteral("Тексты|*.txt;*.rtf|Все файлы|*.*"),
         {QStringLiteral("Тексты (*.txt *.rtf)"), QStringLiteral("Все файлы (*)")}},
        {QStringLiteral(""), {}},
        {QStringLiteral("Описание без шаблона"), {QStringLiteral("Описание без шаблона (*)")}},  // no pattern: all
        {QStringLiteral("Картинки|*.bmp||Все|*.*"), {QStringLiteral("Картинки (*.bmp)")}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.filter.toStdString());
        EXPECT_EQ(qtNameFilters(filterPairs(platformFilter(k.filter))), k.qt);
    }
}

TEST_F(CdlgExTest, ShowOpenPassesThePreparedRequestAndReadsBackPathAndTitle)
{
    QWidget owner;
    CdlgEx d = fresh();
    d.hOwner = &owner;
    d.filter = QStringLiteral("Тексты|*.txt|Все файлы|*.*");
    d.filterIndex = 2;
    d.dialogTitle = QStringLiteral("Добавить файл");
    d.defaultExt = QStringLiteral("txt");
    d.flags = 0xFFFFFFFF;
    script.files.push_back(QStringLiteral("/home/юзер/Мои документы/отчёт за год.txt"));
    EXPECT_EQ(d.showOpen(), Outcome::Confirmed);

    ASSERT_EQ(script.openRequests.size(), 1u);
    const FileRequest& r = script.openRequests[0];
    EXPECT_EQ(r.owner, &owner);
    EXPECT_EQ(r.startDir, AppDir);  // no initDir: the application folder
    EXPECT_EQ(r.nameFilters, QStringList({QStringLiteral("Тексты (*.txt)"), QStringLiteral("Все файлы (*)")}));
    EXPECT_EQ(r.selectedFilter, 1);
    EXPECT_EQ(r.title, QStringLiteral("Добавить файл"));
    EXPECT_EQ(r.defaultExt, QStringLiteral("txt"));
    EXPECT_EQ(r.flags, 0xFFFFFF1Fu);  // hook and template bits cleared
    EXPECT_EQ(d.fileName, QStringLiteral("/home/юзер/Мои документы/отчёт за год.txt"));
    EXPECT_EQ(d.fileTitle, QStringLiteral("отчёт за год.txt"));

    CdlgEx second = fresh();
    second.initDir = QStringLiteral("/srv/вложения");
    second.filterIndex = 7;  // out of range: the first pair
    script.files.push_back(std::nullopt);
    (void)second.showOpen();
    EXPECT_EQ(script.openRequests[1].startDir, QStringLiteral("/srv/вложения"));
    EXPECT_EQ(script.openRequests[1].selectedFilter, 0);
}

TEST_F(CdlgExTest, CancelEmptiesTheNameAfterOpenKeepsItAfterSaveAndRaisesOnlyWhenAsked)
{
    struct Case {
        bool save, cancelError;
        Outcome outcome;
        QString nameAfter;
    };
    const QString proposed = QStringLiteral("/tmp/предложено.txt");
    const Case cases[] = {
        {false, false, Outcome::Cancelled, QString()},
        {true, false, Outcome::Cancelled, proposed},
        {false, true, Outcome::CancelError, proposed},
        {true, true, Outcome::CancelError, proposed},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "save " << k.save << " cancelError " << k.cancelError);
        CdlgEx d = fresh();
        d.fileName = proposed;
        d.fileTitle = QStringLiteral("старое");
        d.cancelError = k.cancelError;
        script.files.push_back(std::nullopt);
        EXPECT_EQ(k.save ? d.showSave() : d.showOpen(), k.outcome);
        EXPECT_EQ(d.fileName, k.nameAfter);
        EXPECT_EQ(d.fileTitle, QStringLiteral("старое"));
    }
    EXPECT_EQ(script.saveRequests.at(0).fileName, proposed);
}

TEST_F(CdlgExTest, ShowFolderSetsInitDirOnAChoiceAndLeavesItOnCancel)
{
    CdlgEx d = fresh();
    d.dialogPrompt = QStringLiteral("Извлечь файлы в...");
    script.folders.push_back(std::nullopt);
    d.showFolder(QString());
    EXPECT_TRUE(d.initDir.isEmpty());
    ASSERT_EQ(script.folderRequests.size(), 1u);
    EXPECT_EQ(script.folderRequests[0].prompt, QStringLiteral("Извлечь файлы в..."));
    EXPECT_TRUE(script.folderRequests[0].topFolder.isEmpty());

    script.folders.push_back(QStringLiteral("/home/юзер/Распакованное"));
    d.showFolder(QString());
    EXPECT_EQ(d.initDir, QStringLiteral("/home/юзер/Распакованное"));
    script.folders.push_back(std::nullopt);
    d.showFolder(QString());
    EXPECT_EQ(d.initDir, QStringLiteral("/home/юзер/Распакованное"));
}

TEST(CdlgExFlags, EachDialogSeesOnlyItsOwnOptionBits)
{
    struct Case {
        quint32 flags, folder;
    };
    const Case cases[] = {
        {0x0000, 0x0001},       // nothing asked: file-system folders only
        {0x0FFE, 0x0001},       // no bit 12 to 14 set: the same
        {0x1000, 0x1000},       // computers
        {0xFFFF, 0x7001},       // everything else is masked off
        {0x4002, 0x4000},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.flags);
        EXPECT_EQ(CdlgEx::folderFlags(k.flags), k.folder);
    }
    EXPECT_EQ(CdlgEx::fileFlags(0xE0), 0u);
    EXPECT_EQ(CdlgEx::colorFlags(0xFFFFFFFF), 0xFu);
    EXPECT_EQ(CdlgEx::printerFlags(0xFFFFFFFF), 0x1C0FFFu);
}

TEST_F(CdlgExTest, ShowColorStartsFromRgbResultWithWhiteCustomColoursAndKeepsItOnCancel)
{
    CdlgEx d = fresh();
    script.colors.push_back(std::nullopt);
    EXPECT_EQ(d.showColor(), Outcome::Cancelled);
    EXPECT_EQ(d.rgbResult, 0);  // black on a fresh object
    ASSERT_EQ(script.colorRequests.size(), 1u);
    EXPECT_EQ(script.colorRequests[0].initial, QColor(0, 0, 0));
    EXPECT_EQ(script.colorRequests[0].customColors, QList<QColor>(16, Qt::white));

    script.colors.push_back(QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(d.showColor(), Outcome::Confirmed);
    EXPECT_EQ(d.rgbResult, 0x12 + 256 * 0x34 + 65536 * 0x56);

    d.cancelError = true;
    script.colors.push_back(std::nullopt);
    EXPECT_EQ(d.showColor(), Outcome::CancelError);
    EXPECT_EQ(d.rgbResult, 0x12 + 256 * 0x34 + 65536 * 0x56);
    EXPECT_EQ(script.colorRequests[2].initial, QColor(0x12, 0x34, 0x56));
}

TEST_F(CdlgExTest, ShowPrinterAppliesTheChoiceToTheProgramsPrinterOnlyOnConfirmation)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/tmp/старый.pdf"));
    CdlgEx d = fresh();
    d.flags = 0xFFFFFFFF;

    PrinterSetup choice;
    choice.outputFileName = QStringLiteral("/tmp/статья.pdf");
    choice.copies = 3;
    choice.orientation = QPageLayout::Landscape;
    script.printers.push_back(choice);
    EXPECT_EQ(d.showPrinter(printer), Outcome::Confirmed);
    ASSERT_EQ(script.printerRequests.size(), 1u);
    const PrinterRequest& r = script.printerRequests[0];
    EXPECT_EQ(r.flags, 0x1C0FFFu);
    ASSERT_TRUE(r.current.has_value());
    EXPECT_EQ(r.current->outputFileName, QStringLiteral("/tmp/старый.pdf"));
    EXPECT_EQ(printer.outputFileName(), QStringLiteral("/tmp/статья.pdf"));
    EXPECT_EQ(printer.copyCount(), 3);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);

    d.cancelError = true;
    script.printers.push_back(std::nullopt);
    EXPECT_EQ(d.showPrinter(printer), Outcome::CancelError);
    EXPECT_EQ(printer.copyCount(), 3);
    EXPECT_EQ(printer.outputFileName(), QStringLiteral("/tmp/статья.pdf"));
    EXPECT_TRUE(prompter.shown.empty());  // a queryable printer: no "Printer Error"
}
