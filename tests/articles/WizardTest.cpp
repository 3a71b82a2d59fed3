// The article wizard's four modes on a small base: what each commit stores,
// what it refuses, and what the pages list.
#include "Scripted.h"
#include "SmallBase.h"
#include "TestSupport.h"
#include "../dialogs/ScriptedDialogs.h"

#include "articles/FrmAdd.h"
#include "attachments/PackFiles.h"
#include "catalogue/MainState.h"
#include "dialogs/CdlgEx.h"
#include "store/Database.h"
#include "store/Record.h"
#include "store/Recordset.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeWidget>

using namespace store;
using articles::FrmAdd;

namespace {

const QDateTime Now(QDate(2026, 12, 10), QTime(12, 0, 0));

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.appDir = tmp.path() + QStringLiteral("/Кодрикс");
        data = state.appDir + QStringLiteral("/data");
        QDir().mkpath(data);
        std::shared_ptr<Database> db;
        const QString failed = testsupport::writeBase(state.appDir + QStringLiteral("/basemain.mdb"), {}, &db);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
        state.adoptBase(db);
        articles::WizardServices s;
        s.prompter = &prompter;
        s.newDialog = [this] { return std::make_unique<dialogs::CdlgEx>(dialogs, prompter, state.appDir); };
        s.pickFolder = [this](QWidget*) { return pickedFolder; };
        s.pickSeeAlso = [this](QWidget*) { return pickedReference; };
        s.entryAdded = [this](qint64 n) { added.push_back(n); };
        s.entryChanged = [this](qint64 n, const articles::EntryPlace& p) { changed.push_back({n, p}); };
        s.now = [] { return Now; };
        wizard = std::make_unique<FrmAdd>(state, std::move(s));
    }

    // Adds a row with these columns and reopens the recordset.
    void addRow(const testsupport::BaseRow& columns)
    {
        auto rs = state.base->openRecordset();
        const QString failed = testsupport::addRow(**rs, columns);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
        state.rsBase = std::move(*state.base->openRecordset());
    }
    bool open(int step, int recordNumber = 0)
    {
        if (recordNumber > 0)
            state.rsBase->moveTo(recordNumber);
        wizard->vStep = step;
        return wizard->masterStep();
    }
    QVariant stored(int recordNumber, int column)
    {
        state.rsBase = std::move(*state.base->openRecordset());
        state.rsBase->moveTo(recordNumber);
        return state.rsBase->value(column);
    }
    QStringList messages() const
    {
        QStringList out;
        for (const auto& p : prompter.shown)
            out << p.text;
        return out;
    }
    QString file(const QString& name, qsizetype bytes)
    {
        const QString path = tmp.filePath(name);
        testsupport::writeFile(path, QByteArray(bytes, 'x'));
        return path;
    }
    QStringList listed() const
    {
        QStringList out;
        for (int i = 0; i < wizard->LVFile->topLevelItemCount(); ++i)
            out << wizard->LVFile->topLevelItem(i)->data(0, Qt::UserRole).toString();
        return out;
    }

    QTemporaryDir tmp;
    QString data;
    catalogue::MainState state;
    testsupport::ScriptedPrompter prompter;
    dialogtest::ScriptedDialogs dialogs;
    std::optional<QString> pickedFolder, pickedReference;
    std::vector<qint64> added;
    std::vector<std::pair<qint64, articles::EntryPlace>> changed;
    std::unique_ptr<FrmAdd> wizard;
};

}  // namespace

TEST_F(WizardTest, NewEntryValidatesInOrderAndStoresOneRow)
{
    addRow({{ColPath, QStringLiteral("Строки")}, {ColName, QStringLiteral("Первая")}});
    ASSERT_TRUE(open(FrmAdd::NewEntry));
    EXPECT_EQ(wizard->LblStepName->text(), QStringLiteral("Новая статья"));
    EXPECT_TRUE(wizard->OptType[1]->isChecked());
    EXPECT_FALSE(wizard->TxtPathLink->isEnabled());
    struct Case { const char* path; const char* name; int type; const char* link; const char* message; };
    for (const Case& c : {Case{"", "", 1, "", "Вы не выбрали раздел"}, Case{"\\\\", "X", 1, "", "Вы не выбрали раздел"},
                          Case{"Графика", "", 1, "", "Вы не ввели название"},
                          Case{"Графика", "Сайт", 3, "", "Не задан путь ссылки"}}) {
        SCOPED_TRACE(c.message);
        prompter.shown.clear();
        wizard->TxtPath->setText(QString::fromUtf8(c.path));
        wizard->TxtName->setText(QString::fromUtf8(c.name));
        wizard->OptType[c.type]->click();
        wizard->TxtPathLink->setText(QString::fromUtf8(c.link));
        wizard->cmdGoClick();
        EXPECT_EQ(messages(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(state.rsBase->recordCount(), 1);
    }
    // A trailing or doubled "\" leaves no empty level.
    prompter.shown.clear();
    wizard->OptType[1]->click();
    wizard->TxtPath->setText(QStringLiteral("Графика\\\\API\\"));
    wizard->TxtName->setText(QStringLiteral("BitBlt"));
    wizard->cmdGoClick();
    EXPECT_TRUE(prompter.shown.empty());
    ASSERT_EQ(added, std::vector<qint64>{2});
    EXPECT_EQ(stored(2, ColPath).toString(), QStringLiteral("Графика\\API"));
    EXPECT_EQ(stored(2, ColName).toString(), QStringLiteral("BitBlt"));
    EXPECT_EQ(stored(2, ColBody).toString(), QStringLiteral("\r\n"));
    EXPECT_EQ(stored(2, ColKind).toLongLong(), 1);
    EXPECT_EQ(stored(2, ColBaseName).toString(), QStringLiteral("Добавленные пользователем"));
    EXPECT_EQ(stored(2, ColAdded).toDateTime(), Now);
    EXPECT_TRUE(stored(2, ColLinkTarget).isNull());
    EXPECT_TRUE(stored(2, ColArchive).isNull());
}

TEST_F(WizardTest, FilesModeListsOnlyWhatItsArchiveWroteUnderSafeNames)
{
    auto archive = attachments::packPaths({file(QStringLiteral("a.txt"), 10)});
    ASSERT_TRUE(archive.ok());
    // Another article left "stray.txt" in the data folder; the list names it
    // and a hostile name, but the archive holds neither.
    testsupport::writeFile(data + QStringLiteral("/stray.txt"), "secret");
    addRow({{ColName, QStringLiteral("Статья")},
            {ColArchive, *archive},
            {ColFileList, QStringLiteral(";a.txt;stray.txt;../evil.txt")}});
    ASSERT_TRUE(open(FrmAdd::Files, 1));
    EXPECT_EQ(wizard->LblStepName->text(), QStringLiteral("Вложенные файлы"));
    EXPECT_EQ(listed(), QStringList{QStringLiteral("a.txt")});
    wizard->cmdGoClick();
    EXPECT_EQ(stored(1, ColFileList).toString(), QStringLiteral(";a.txt"));
    const auto contents = attachments::readArchive(stored(1, ColArchive).toByteArray());
    ASSERT_TRUE(contents.ok());
    ASSERT_EQ(contents->records.size(), 1);
}

TEST_F(WizardTest, AddingFilesSizesAndRefusals)
{
    addRow({{ColName, QStringLiteral("Статья")}});
    ASSERT_TRUE(open(FrmAdd::Files, 1));
    // Three 600-byte files: the total is rounded after each addition (0.59 → 1, 1.59 → 2, 2.59 → 3).
    QStringList totals;
    for (const char* n : {"x1.bin", "x2.bin", "x3.bin"}) {
        dialogs.files.push_back(file(QString::fromLatin1(n), 600));
        wizard->cmdAddClick();
        totals << wizard->LblSize->text();
    }
    EXPECT_EQ(totals, (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    // Three files of 70 KB: 210 and the warning, and the commit packs them all.
    wizard->LVFile->clear();
    prompter.shown.clear();
    for (const char* n : {"a.zip", "b.zip", "c.zip"}) {
        dialogs.files.push_back(file(QString::fromLatin1(n), 70 * 1024));
        wizard->cmdAddClick();
    }
    EXPECT_EQ(wizard->LblSize->text(), QStringLiteral("210"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Размер файлов превышает 200 Kb")});
    // A ";" in a name would split the stored list: refused when it is added.
    prompter.shown.clear();
    dialogs.files.push_back(file(QStringLiteral("a;b.txt"), 5));
    wizard->cmdAddClick();
    EXPECT_EQ(listed().size(), 3);
    ASSERT_EQ(prompter.shown.size(), 2u);  // the refusal, then the size warning again
    EXPECT_TRUE(prompter.shown[0].text.contains(QStringLiteral("«a;b.txt»")));
    wizard->cmdGoClick();
    EXPECT_EQ(stored(1, ColFileList).toString(), QStringLiteral(";a.zip;b.zip;c.zip"));
}

TEST_F(WizardTest, AFailedPackChangesNothingAndKeepsTheWizardOpen)
{
    auto archive = attachments::packPaths({file(QStringLiteral("old.txt"), 10)});
    addRow({{ColName, QStringLiteral("Статья")}, {ColArchive, *archive}, {ColFileList, QStringLiteral(";old.txt")}});
    ASSERT_TRUE(open(FrmAdd::Files, 1));
    const QString gone = file(QStringLiteral("gone.txt"), 5);
    dialogs.files.push_back(gone);
    wizard->cmdAddClick();
    QFile::remove(gone);
    wizard->cmdGoClick();
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(stored(1, ColFileList).toString(), QStringLiteral(";old.txt"));
    EXPECT_EQ(stored(1, ColArchive).toByteArray(), *archive);
    EXPECT_EQ(wizard->result(), QDialog::Rejected);  // not accepted: still open for the user
    // Removing every file stores a blank in both columns.
    wizard->LVFile->clear();
    wizard->cmdGoClick();
    EXPECT_EQ(stored(1, ColFileList).toString(), QStringLiteral(" "));
    EXPECT_EQ(stored(1, ColArchive).toByteArray(), QByteArray(" "));
}

TEST_F(WizardTest, SeeAlsoListRoundTrip)
{
    addRow({{ColName, QStringLiteral("Статья")}, {ColSeeAlso, QStringLiteral("Старое\\Имя;;")}});
    ASSERT_TRUE(open(FrmAdd::SeeAlso, 1));
    ASSERT_EQ(wizard->LvSee->topLevelItemCount(), 1);
    wizard->LvSee->setCurrentItem(wizard->LvSee->topLevelItem(0));
    wizard->cmdSeeDelClick();
    for (const char* ref : {"Графика\\API\\BitBlt", "Файлы\\Поиск"}) {
        pickedReference = QString::fromUtf8(ref);
        wizard->cmdSeeAddClick();
    }
    wizard->cmdGoClick();
    EXPECT_EQ(stored(1, ColSeeAlso).toString(), QStringLiteral("Графика\\API\\BitBlt;;Файлы\\Поиск;;"));
    ASSERT_TRUE(open(FrmAdd::SeeAlso, 1));
    wizard->LvSee->clear();
    wizard->cmdGoClick();
    EXPECT_EQ(stored(1, ColSeeAlso).toString(), QString());
}

TEST_F(WizardTest, PropertiesAreOneUpdateThatKeepsTheFavouriteMark)
{
    addRow({{ColPath, QStringLiteral("Графика")}, {ColName, QStringLiteral("Линии")}, {ColKind, 3},
            {ColFavorite, 1}, {ColDeleted, 1}, {ColBaseName, QStringLiteral("Основная")},
            {ColLinkTarget, QStringLiteral("http://example.org/")}, {ColBody, QStringLiteral("{\\rtf1 x}")}});
    ASSERT_TRUE(open(FrmAdd::Properties, 1));
    EXPECT_EQ(wizard->LblStepName->text(), QStringLiteral("Свойства статьи"));
    EXPECT_TRUE(wizard->OptType[3]->isChecked());
    EXPECT_TRUE(wizard->TxtPathLink->isEnabled());
    EXPECT_EQ(wizard->TxtPathLink->text(), QStringLiteral("http://example.org/"));
    wizard->TxtName->clear();
    wizard->cmdGoClick();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Вы не ввели название")});
    wizard->TxtName->setText(QStringLiteral("Кривые"));
    pickedFolder = QStringLiteral("Графика\\2D");
    wizard->cmdBrowseClick();
    wizard->OptType[1]->click();  // a link turned into an article
    wizard->cmdGoClick();
    EXPECT_EQ(state.rsBase->recordCount(), 1);
    EXPECT_EQ(stored(1, ColPath).toString(), QStringLiteral("Графика\\2D"));
    EXPECT_EQ(stored(1, ColName).toString(), QStringLiteral("Кривые"));
    EXPECT_EQ(stored(1, ColKind).toLongLong(), 1);
    EXPECT_EQ(stored(1, ColFavorite).toLongLong(), 1);
    EXPECT_EQ(stored(1, ColDeleted).toLongLong(), 0);
    EXPECT_TRUE(stored(1, ColLinkTarget).isNull());  // it is shown now, not launched
    EXPECT_EQ(stored(1, ColBody).toString(), QStringLiteral("{\\rtf1 x}"));
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].second.name, QStringLiteral("Линии"));
    EXPECT_TRUE(changed[0].second.deleted);
}

TEST_F(WizardTest, KindsTheOptionsCannotShowAreKept)
{
    addRow({{ColPath, QStringLiteral("Графика\\API")}, {ColKind, KindFolder}});               // a folder record
    addRow({{ColPath, QStringLiteral("Базы")}, {ColName, QStringLiteral("Особая")}, {ColKind, 5}});
    ASSERT_TRUE(open(FrmAdd::Properties, 1));
    for (QWidget* w : {static_cast<QWidget*>(wizard->TxtName), static_cast<QWidget*>(wizard->TxtPath),
                       static_cast<QWidget*>(wizard->CmdBrowse), static_cast<QWidget*>(wizard->OptType[2])})
        EXPECT_FALSE(w->isEnabled());
    wizard->cmdGoClick();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("Вы не ввели название")});
    EXPECT_EQ(stored(1, ColKind).toLongLong(), KindFolder);
    ASSERT_TRUE(open(FrmAdd::Properties, 2));
    EXPECT_TRUE(wizard->OptType[1]->isChecked());
    wizard->cmdGoClick();
    EXPECT_EQ(stored(2, ColKind).toLongLong(), 5);
    EXPECT_EQ(stored(2, ColName).toString(), QStringLiteral("Особая"));
}
