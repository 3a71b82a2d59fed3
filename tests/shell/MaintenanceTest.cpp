// The maintenance commands of the main window on a real base: the installed
// bases ("Настройки") and deleting one, compaction from the File menu, printing
// to a PDF file, the web links and the About box.
#include "../dialogs/ScriptedDialogs.h"
#include "ArticleFixture.h"
#include "PdfText.h"
#include "SmallBase.h"
#include "Scripted.h"
#include "TestSupport.h"

#include "articles/ArticlePane.h"
#include "catalogue/FolderList.h"
#include "catalogue/Navigator.h"
#include "catalogue/PathTree.h"
#include "richtext/Rtf.h"
#include "shell/ArticlePrinter.h"
#include "shell/BaseCompaction.h"
#include "search/FindList.h"
#include <QLineEdit>
#include "search/FindResultsModel.h"
#include "search/FullTextSearch.h"
#include "shell/SearchBinding.h"
#include "shell/FrmAbout.h"
#include "shell/FrmMain.h"
#include "shell/FrmSetting.h"
#include "shell/MainToolbar.h"
#include "shell/MaintenanceBinding.h"
#include "shell/ShellTexts.h"
#include "shell/NavigationBinding.h"
#include "shell/ShellTexts.h"
#include "shell/Startup.h"
#include "shell/StatusPanels.h"
#include "shell/WebLinks.h"
#include "catalogue/CatalogueLoader.h"
#include "store/Database.h"
#include "store/StoreTexts.h"
#include "store/Recordset.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

using namespace shell;
using namespace shelltest;

namespace {

const QString Home = QStringLiteral("https://example.org/базы");

struct Entry {
    QString base, path, name;
    QByteArray body;
};

QByteArray smallArticle(const QString& text) { return "{\\rtf1\\ansi\\deff0 " + rtfText(text) + "\\par}"; }

std::vector<Entry> entries()
{
    std::vector<Entry> rows;
    for (int i = 1; i <= 12; ++i)
        rows.push_back({i <= 10 ? QStringLiteral("Основная") : QStringLiteral("основная "), QStringLiteral("Строки"),
                        QStringLiteral("Основа %1").arg(i), smallArticle(QStringLiteral("Текст основы %1").arg(i))});
    for (int i = 1; i <= 3; ++i)
        rows.push_back({store::userBaseName(), QStringLiteral("Мои"), QStringLiteral("Моя %1").arg(i),
                        smallArticle(QStringLiteral("Моя статья %1").arg(i))});
    rows.push_back({QStringLiteral("Примеры"), QStringLiteral("Примеры"), QStringLiteral("Длинная"), longArticle()});
    return rows;
}

class MaintenanceTest : public testing::Test {
protected:
    void SetUp() override
    {
        app = tmp.filePath(QStringLiteral("Программа"));
        QDir().mkpath(app + QStringLiteral("/data"));
        testsupport::writeFile(app + QStringLiteral("/data/zvcreatedir"), {});
        testsupport::writeFile(app + QStringLiteral("/orvex.ini"), "[www]\nhome=" + Home.toUtf8() + "\n");
        std::vector<testsupport::BaseRow> content;
        for (const Entry& e : entries())
            content.push_back({{store::ColPath, e.path},
                               {store::ColName, e.name},
                               {store::ColBody, QString::fromLatin1(e.body)},
                               {store::ColKind, 1},
                               {store::ColBaseName, e.base}});
        const QString failed = testsupport::writeBase(base(), content);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();

        w = std::make_unique<FrmMain>(app, prompter, desktop, &dialogs);
        const auto loaded = formLoad(*w, nullptr);
        ASSERT_TRUE(loaded.ok()) << loaded.message().toStdString();
    }

    QString base() const { return app + QStringLiteral("/basemain.mdb"); }
    MaintenanceBinding& maintenance() { return w->maintenance(); }

    // Clicks the entry's node under "Записи".
    void open(const QString& path, const QString& name)
    {
        catalogue::Node* node =
            w->Twv->getNode(catalogue::texts::root() + QStringLiteral("\\Записи\\") + path + QLatin1Char('\\') + name);
        ASSERT_NE(node, nullptr) << name.toStdString();
        w->navigation().navigator().treeNodeClick(node);
        ASSERT_TRUE(w->RTF->isVisible());
    }
    // Types at the end of the shown article, without letting the event loop store it.
    void type(const QString& text)
    {
        QTextCursor c(w->RTF->document());
        c.movePosition(QTextCursor::End);
        w->RTF->setTextCursor(c);
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(w->RTF, &press);
        }
    }
    // Name → plain text of Body, straight from the file.
    std::map<QString, QString> stored()
    {
        std::map<QString, QString> out;
        auto db = store::Database::open(base());
        EXPECT_TRUE(db.ok()) << db.message().toStdString();
        if (!db)
            return out;
        auto rs = (*db)->openRecordset();
        for ((*rs)->moveFirst(); !(*rs)->eof(); (*rs)->moveNext())
            out[(*rs)->text(store::ColName)] = richtext::plainText((*rs)->bytes(store::ColBody));
        return out;
    }
    // Every entry node of the tree names the record its tag points at.
    void expectTagsMatchRecords()
    {
        auto& state = w->state();
        ASSERT_TRUE(state.rsBase);
        int checked = 0;
        std::function<void(catalogue::Node*)> walk = [&](catalogue::Node* n) {
            if (!n->tag().isEmpty()) {
                ASSERT_TRUE(state.goToRecord(n->tag())) << n->fullPath().toStdString();
                EXPECT_EQ(state.rsBase->text(store::ColName), n->text()) << n->fullPath().toStdString();
                ++checked;
            }
            for (int i = 0; i < n->childCount(); ++i)
                walk(n->child(i));
        };
        walk(w->Twv->getNode(catalogue::texts::root()));
        EXPECT_GT(checked, 0);
    }
    // Runs "Настройки" with `drive` in place of the user.
    void settings(const std::function<void(FrmSetting&)>& drive)
    {
        bool shown = false;
        maintenance().runModal = [&](QDialog& d) {
            shown = true;
            drive(static_cast<FrmSetting&>(d));
            return d.result();
        };
        w->MnuViewSetting->trigger();
        EXPECT_TRUE(shown);
    }
    static QStringList lines(const QListWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    QTemporaryDir tmp;
    QString app;
    testsupport::ScriptedPrompter prompter;
    testsupport::RecordingShell desktop;
    dialogtest::ScriptedDialogs dialogs;
    std::unique_ptr<FrmMain> w;
};

}  // namespace

TEST_F(MaintenanceTest, TheCommandsAreOffered)
{
    for (QAction* a : {w->MnuFileCompress, w->MnuFilePageSetting, w->MnuFilePrint, w->MnuViewSetting,
                       w->MnuHelpAbout, w->MnuZelvorantHomePage, w->MnuVbRussian})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_TRUE(w->TbMain->isButtonEnabled(catalogue::ToolButton::Print));
}

TEST_F(MaintenanceTest, SettingsListEachBaseOnceAndDeletingOneTakesAllItsRowsAndItsShownArticle)
{
    open(QStringLiteral("Строки"), QStringLiteral("Основа 11"));
    settings([&](FrmSetting& f) {
        EXPECT_EQ(f.windowTitle(), texts::settingsCaption());
        EXPECT_EQ(f.Label1->text(), texts::settingsLabel());
        EXPECT_EQ(lines(f.LstBase), (QStringList{QStringLiteral("Основная"), store::userBaseName(),
                                                  QStringLiteral("Примеры")}));
        EXPECT_EQ(f.Frame1->title(), Home);
        EXPECT_EQ(f.Frame1->toolTip(), Home);
        f.LstBase->setCurrentRow(0);
        prompter.answerMessage(true);
        f.Command1->click();
        EXPECT_EQ(f.result(), QDialog::Accepted);
    });
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].style, platform::MsgStyle::OkCancel);
    EXPECT_EQ(prompter.shown[0].title, QStringLiteral("Удаление"));
    EXPECT_EQ(prompter.shown[0].text, QStringLiteral("Вы действительно хотите удалить базу \"Основная\"?\n"
                                                     "Восстановить ее будет невозможно!"));
    // All twelve rows went, whatever their spelling; the shown one closed its pane.
    const auto left = stored();
    EXPECT_EQ(left.size(), 4u);
    EXPECT_EQ(left.count(QStringLiteral("Основа 11")), 0u);
    EXPECT_FALSE(w->RTF->isVisible());
    EXPECT_TRUE(w->LvPapka->isVisible());
    EXPECT_EQ(w->state().displayedId, 0);
    EXPECT_EQ(w->Twv->getNode(catalogue::texts::root() + QStringLiteral("\\Записи\\Строки")), nullptr);
    EXPECT_EQ(w->Status->panelText(catalogue::PanelArticles), QStringLiteral("Статей: 4"));
    expectTagsMatchRecords();
}

TEST_F(MaintenanceTest, AnArticleThatStaysKeepsWhatWasTypedAndGoesOnWritingItsOwnRow)
{
    open(QStringLiteral("Мои"), QStringLiteral("Моя 2"));
    type(QStringLiteral(" плюс"));
    settings([&](FrmSetting& f) {
        f.LstBase->setCurrentRow(0);
        prompter.answerMessage(true);
        f.Command1->click();
    });
    EXPECT_TRUE(w->RTF->isVisible());
    EXPECT_EQ(stored()[QStringLiteral("Моя 2")], QStringLiteral("Моя статья 2 плюс"));
    // Twelve rows before it went: its RecordNumber moved, its row did not.
    type(QStringLiteral(" ещё"));
    w->state().flushPendingEdits();
    const auto after = stored();
    EXPECT_EQ(after.at(QStringLiteral("Моя 2")), QStringLiteral("Моя статья 2 плюс ещё"));
    EXPECT_EQ(after.at(QStringLiteral("Моя 1")), QStringLiteral("Моя статья 1"));
    EXPECT_EQ(after.at(QStringLiteral("Моя 3")), QStringLiteral("Моя статья 3"));
}

TEST_F(MaintenanceTest, NothingSelectedOrCancelDeletesNothingAndOkOrCloseEndTheWindow)
{
    settings([&](FrmSetting& f) {
        f.Command1->click();  // no line selected: as written, every blank base name would have gone
        EXPECT_TRUE(prompter.shown.empty());
        f.LstBase->setCurrentRow(2);
        prompter.answerMessage(false);
        f.Command1->click();
        EXPECT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(f.result(), 0);  // still open
        f.reject();                // the close box: no rebuild
    });
    EXPECT_EQ(stored().size(), 16u);

    // "&OK" rebuilds the catalogue: a row added meanwhile by another connection shows up.
    {
        auto db = store::Database::open(base());
        auto rs = (*db)->openRecordset();
        const QString failed = testsupport::addRow(
            **rs, {{store::ColPath, QStringLiteral("Новая")}, {store::ColName, QStringLiteral("Запись")}});
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
    }
    settings([&](FrmSetting& f) {
        f.Command4->click();
        EXPECT_EQ(f.result(), QDialog::Accepted);
    });
    EXPECT_NE(w->Twv->getNode(catalogue::texts::root() + QStringLiteral("\\Записи\\Новая\\Запись")), nullptr);
}

TEST_F(MaintenanceTest, CompactionKeepsTheCatalogueTheTypedTextAndTheShownArticle)
{
    testsupport::writeFile(app + QStringLiteral("/data/Form1.frm"), "unpacked");
    testsupport::writeFile(app + QStringLiteral("/dbbackup.mdb"), "left over");
    open(QStringLiteral("Мои"), QStringLiteral("Моя 1"));
    type(QStringLiteral(" перед сжатием"));
    w->MnuFileCompress->trigger();
    EXPECT_TRUE(prompter.shown.empty()) << prompter.shown[0].text.toStdString();

    EXPECT_EQ(QDir(app).entryList({QStringLiteral("dbbackup*")}, QDir::AllEntries), QStringList());
    EXPECT_EQ(QDir(app + QStringLiteral("/data")).entryList(QDir::Files), QStringList{QStringLiteral("zvcreatedir")});
    ASSERT_TRUE(w->state().base && w->state().base->isOpen());
    EXPECT_EQ(stored()[QStringLiteral("Моя 1")], QStringLiteral("Моя статья 1 перед сжатием"));
    expectTagsMatchRecords();
    // The pane still writes into its own row; twice in a row is as good as once.
    type(QStringLiteral("!"));
    w->MnuFileCompress->trigger();
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(stored()[QStringLiteral("Моя 1")], QStringLiteral("Моя статья 1 перед сжатием!"));
    EXPECT_TRUE(w->RTF->isVisible());
}

// The search keeps statements of its own on the base's connection: they must
// not keep the file open (with its log beside it) when compaction closes it.
TEST_F(MaintenanceTest, CompactionAfterASearchFindsTheBaseClosed)
{
    w->TxtFind->setText(QStringLiteral("статья"));
    w->search().find().find();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w->search().find().running(); }, 10000));
    ASSERT_GT(w->LVFind->items()->rowCount(), 0);
    w->MnuFileCompress->trigger();
    EXPECT_TRUE(prompter.shown.empty()) << prompter.shown[0].text.toStdString();
    // The search goes on working on the compacted base.
    w->search().find().find();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w->search().find().running(); }, 10000));
    EXPECT_GT(w->LVFind->items()->rowCount(), 0);
}

TEST_F(MaintenanceTest, AFailedCompactionIsSaidAndTheBaseStaysInUse)
{
    QString statusMeanwhile;
    maintenance().compaction().compactFile = [&](const QString& b, const QString&) {
        statusMeanwhile = w->Status->panelText(catalogue::PanelEntry);
        return store::Result<store::Compaction::Report>(
            store::Error{QStringLiteral("Не удалось сжать базу «%1»: нет места.").arg(b)});
    };
    w->MnuFileCompress->trigger();
    EXPECT_EQ(statusMeanwhile, QStringLiteral("Сжатие базы..."));
    EXPECT_EQ(w->Status->panelText(catalogue::PanelEntry), QString());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].style, platform::MsgStyle::Critical);
    EXPECT_TRUE(prompter.shown[0].text.contains(QStringLiteral("basemain.mdb»: нет места")));
    ASSERT_TRUE(w->state().base && w->state().base->isOpen());
    open(QStringLiteral("Мои"), QStringLiteral("Моя 3"));
    EXPECT_EQ(richtext::plainText(w->RTF->document()), QStringLiteral("Моя статья 3"));
}

TEST_F(MaintenanceTest, ABaseThatCannotBeOpenedAgainLeavesNoCommandOnAClosedBase)
{
    open(QStringLiteral("Мои"), QStringLiteral("Моя 1"));
    maintenance().compaction().compactFile = [](const QString& b, const QString&) {
        testsupport::writeFile(b, QByteArray(8192, 'x'));  // the file is gone bad under the window
        return store::Result<store::Compaction::Report>(store::Compaction::Report{});
    };
    w->MnuFileCompress->trigger();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.startsWith(QStringLiteral("Не удалось снова открыть базу после сжатия")));
    EXPECT_TRUE(prompter.shown[0].text.contains(QStringLiteral("basemain.mdb»")));
    EXPECT_FALSE(w->state().base);
    EXPECT_FALSE(w->state().rsBase);
    EXPECT_TRUE(w->RTF->isReadOnly());

    // Clicks and commands find no base and say so; nothing crashes.
    w->navigation().navigator().treeNodeClick(
        w->Twv->getNode(catalogue::texts::root() + QStringLiteral("\\Записи\\Мои\\Моя 2")));
    w->MnuFileCompress->trigger();
    w->MnuViewSetting->trigger();
    ASSERT_EQ(prompter.shown.size(), 3u);
    for (size_t i : {1u, 2u})
        EXPECT_EQ(prompter.shown[i].text, texts::baseClosed(base()));
}

TEST_F(MaintenanceTest, PrintingWithoutAPrinterWritesTheWholeArticleToTheChosenPdf)
{
    if (!pdfToolsInstalled())
        GTEST_SKIP() << "pdftotext is not installed (scripts/deps.sh installs poppler-utils)";
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "a printer is installed here; the test needs a machine without one";
    // Nothing shown yet: nothing to print, and the user is told.
    w->MnuFilePrint->trigger();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, texts::nothingToPrint());

    open(QStringLiteral("Примеры"), QStringLiteral("Длинная"));
    type(QStringLiteral(" Дописано."));
    const QString pdf = tmp.filePath(QStringLiteral("Печать статьи.pdf"));
    dialogs::PrinterSetup toFile;
    toFile.outputFileName = pdf;
    dialogs.printers.push_back(toFile);
    w->MnuFilePrint->trigger();
    ASSERT_EQ(dialogs.printerRequests.size(), 1u);
    EXPECT_EQ(dialogs.printerRequests[0].owner, w.get());
    EXPECT_EQ(prompter.shown.size(), 1u);
    // The whole text stays selected in the pane.
    EXPECT_EQ(w->RTF->textCursor().selectionStart(), 0);
    EXPECT_EQ(w->RTF->textCursor().selectionEnd(), w->RTF->document()->characterCount() - 1);

    const int pages = pdfPages(pdf);
    EXPECT_GE(pages, 3);
    EXPECT_TRUE(pdfText(pdf, 1, 1).trimmed().startsWith(firstParagraph()));
    const QString last = pdfText(pdf, pages, pages);
    EXPECT_TRUE(last.contains(lastParagraph() + QStringLiteral(" Дописано."))) << last.toStdString();
    EXPECT_TRUE(pdfText(pdf).contains(cellText(2)));
    EXPECT_EQ(pdfImageCount(pdf), 1);
    // What was typed was stored before it was printed.
    EXPECT_TRUE(stored()[QStringLiteral("Длинная")].contains(QStringLiteral("Дописано.")));

    // With the folder list in front the toolbar button prints the pane's article;
    // the file is proposed again rather than overwritten unasked.
    w->TbMain->button(catalogue::ToolButton::Up)->click();
    ASSERT_FALSE(w->RTF->isVisible());
    QFile::remove(pdf);
    dialogs.printers.push_back(toFile);
    w->TbMain->button(catalogue::ToolButton::Print)->click();
    ASSERT_EQ(dialogs.printerRequests.size(), 2u);
    ASSERT_TRUE(dialogs.printerRequests[1].current.has_value());
    EXPECT_EQ(dialogs.printerRequests[1].current->outputFileName, pdf);
    EXPECT_EQ(pdfPages(pdf), pages);

    // Cancelling where there is no printer: nothing printed, and the reason said.
    dialogs.printers.push_back(std::nullopt);
    w->MnuFilePrint->trigger();
    ASSERT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(prompter.shown[1].text, texts::noPrinter());
}

TEST_F(MaintenanceTest, ThePrinterDialogsChoiceIsKeptForPrinting)
{
    const QString pdf = tmp.filePath(QStringLiteral("выбор.pdf"));
    dialogs::PrinterSetup choice;
    choice.outputFileName = pdf;
    choice.orientation = QPageLayout::Landscape;
    dialogs.printers.push_back(choice);
    w->MnuFilePageSetting->trigger();
    ASSERT_EQ(dialogs.printerRequests.size(), 1u);
    QPrinter& p = maintenance().printer().printer();
    EXPECT_EQ(p.outputFileName(), pdf);
    EXPECT_EQ(p.pageLayout().orientation(), QPageLayout::Landscape);

    open(QStringLiteral("Мои"), QStringLiteral("Моя 1"));
    dialogs.printers.push_back(std::optional<dialogs::PrinterSetup>(choice));
    EXPECT_TRUE(maintenance().printer().printArticle());
    EXPECT_EQ(dialogs.printerRequests.back().current->outputFileName, pdf);
    EXPECT_EQ(dialogs.printerRequests.back().current->orientation, QPageLayout::Landscape);
    EXPECT_TRUE(QFileInfo(pdf).size() > 0);
}

TEST_F(MaintenanceTest, WebLinksOpenTheirAddressesOrSayWhyNot)
{
    w->MnuZelvorantHomePage->trigger();
    w->MnuVbRussian->trigger();
    settings([&](FrmSetting& f) { f.CmdDownload->click(); });
    EXPECT_EQ(desktop.opened, (std::vector<QString>{Home, WebLinks::vbRussianAddress(), Home}));
    EXPECT_TRUE(prompter.shown.empty());

    struct Case {
        const char* name;
        QByteArray ini;  // empty: no file
        bool desktopOpens;
        QString expected;
    };
    const QString ini = app + QStringLiteral("/orvex.ini");
    const std::vector<Case> cases = {
        {"no home key", "[www]\nother=x\n", true, texts::homeKeyMissing(ini)},
        {"no ini file", {}, true, texts::iniMissing(ini)},
        {"desktop refuses", "[WWW]\nHOME=" + Home.toUtf8() + "\n", false, texts::addressNotOpened(Home)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        QFile::remove(ini);
        if (!k.ini.isEmpty())
            testsupport::writeFile(ini, k.ini);
        desktop.openResult = k.desktopOpens;
        prompter.shown.clear();
        w->MnuZelvorantHomePage->trigger();
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text, k.expected);
    }
    prompter.shown.clear();
    w->MnuVbRussian->trigger();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, texts::addressNotOpened(WebLinks::vbRussianAddress()));
}

TEST_F(MaintenanceTest, TheAboutBoxShowsTheVersionAndStartsTheSystemInformationProgram)
{
    bool shown = false;
    auto drive = [&](FrmAbout& about) {
        shown = true;
        EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе"));
        EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Zelvorant Kodrix"));
        EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Версия 1.1.74"));
        EXPECT_EQ(about.lblDescription->text(), texts::aboutDescription());
        EXPECT_EQ(about.cmdSysInfo->text(), QStringLiteral("&Система..."));
        EXPECT_FALSE(about.Image1->pixmap().isNull());

        // The first program installed is started with its arguments.
        std::vector<QStringList> started;
        about.systemInfo().findProgram = [](const QString& name) {
            return name == QLatin1String("gnome-control-center") ? QStringLiteral("/usr/bin/") + name : QString();
        };
        about.systemInfo().startProgram = [&](const QString& program, const QStringList& args) {
            started.push_back(QStringList{program} + args);
            return true;
        };
        about.cmdSysInfo->click();
        EXPECT_EQ(started, (std::vector<QStringList>{{QStringLiteral("/usr/bin/gnome-control-center"),
                                                      QStringLiteral("info-overview")}}));
        EXPECT_TRUE(prompter.shown.empty());
        // None installed, or the one found does not start: the one message.
        for (bool installed : {false, true}) {
            about.systemInfo().findProgram = [installed](const QString& name) {
                return installed ? QStringLiteral("/opt/") + name : QString();
            };
            about.systemInfo().startProgram = [](const QString&, const QStringList&) { return false; };
            prompter.shown.clear();
            about.cmdSysInfo->click();
            ASSERT_EQ(prompter.shown.size(), 1u);
            EXPECT_EQ(prompter.shown[0].text, QStringLiteral("System Information Is Unavailable At This Time"));
            EXPECT_EQ(prompter.shown[0].style, platform::MsgStyle::Plain);
        }
        about.CmdOk->click();
        EXPECT_EQ(about.result(), QDialog::Accepted);
    };
    maintenance().runModal = [&](QDialog& d) {
        drive(static_cast<FrmAbout&>(d));
        return d.result();
    };
    w->MnuHelpAbout->trigger();
    EXPECT_TRUE(shown);
}

TEST_F(MaintenanceTest, ABaseOpenedOnlyForReadingRefusesCompactionAndDeletion)
{
    // Permissions do not stop the superuser; the immutable attribute does.
    const bool root = ::geteuid() == 0;
    const QByteArray quoted = "\"" + QFile::encodeName(base()) + "\"";
    struct Restore {
        bool root;
        QByteArray file;
        ~Restore()
        {
            if (root)
                (void)std::system(("chattr -i " + file + " 2>/dev/null").constData());
            else
                QFile::setPermissions(QString::fromLocal8Bit(file.mid(1, file.size() - 2)),
                                      QFile::ReadOwner | QFile::WriteOwner);
        }
    } restore{root, quoted};
    auto& state = w->state();
    state.rsBase.reset();
    state.base->close();
    if (root ? std::system(("chattr +i " + quoted + " 2>/dev/null").constData()) != 0
             : !QFile::setPermissions(base(), QFile::ReadOwner))
        GTEST_SKIP() << "the base file cannot be made read-only here";
    ASSERT_TRUE(catalogue::listAlpha(state).ok());

    w->MnuFileCompress->trigger();
    settings([&](FrmSetting& f) {
        f.LstBase->setCurrentRow(0);
        f.Command1->click();
        f.reject();
    });
    ASSERT_EQ(prompter.shown.size(), 2u);
    for (const auto& shown : prompter.shown) {
        EXPECT_EQ(shown.text, store::texts::readOnlyBase(base()));
        EXPECT_EQ(shown.style, platform::MsgStyle::Critical);
    }
    EXPECT_EQ(stored().size(), 16u);
    EXPECT_TRUE(state.base && state.base->isOpen());
}
