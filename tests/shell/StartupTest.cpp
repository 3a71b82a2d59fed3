// Start-up and shutdown on a small base in a temporary application folder,
// offscreen, with scripted prompts.
#include "Scripted.h"
#include "SmallBase.h"
#include "TestSupport.h"

#include "catalogue/FolderList.h"
#include "catalogue/Navigator.h"
#include "catalogue/PathTree.h"
#include "articles/ArticlePane.h"
#include "shell/FrmMain.h"
#include "shell/FrmSplash.h"
#include "shell/MainLayout.h"
#include "shell/MainToolbar.h"
#include "shell/NavigationBinding.h"
#include "shell/ShellTexts.h"
#include "shell/Startup.h"
#include "shell/StatusPanels.h"
#include "shell/ZelvorantResizer.h"
#include "store/AppFiles.h"
#include "store/Database.h"
#include "store/Recordset.h"

#include "articles/FrmAdd.h"
#include "catalogue/AlphaIndexList.h"
#include "catalogue/AlphaIndexModel.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/PathTreeModel.h"
#include "richtext/Rtf.h"
#include "organise/PickerDialog.h"
#include "shell/WizardBinding.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QToolButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace shell;

namespace {

// An application folder with a data folder (marker and a left-over
// attachment) and a base of `rows` articles.
class AppFolder {
public:
    explicit AppFolder(int rows)
    {
        dir = m_tmp.filePath(QStringLiteral("Программа"));
        QDir().mkpath(dir + QStringLiteral("/data"));
        testsupport::writeFile(dir + QStringLiteral("/data/zvcreatedir"), {});
        testsupport::writeFile(dir + QStringLiteral("/data/Form1.frm"), "unpacked earlier");
        if (rows < 0)
            return;
        std::vector<testsupport::BaseRow> content;
        for (int i = 1; i <= rows; ++i)
            content.push_back({{store::ColPath, QStringLiteral("Графика\\API")},
                               {store::ColName, QStringLiteral("Статья %1").arg(i)},
                               {store::ColKind, 1},
                               {store::ColBaseName, QStringLiteral("Основная")}});
        const QString failed = testsupport::writeBase(base(), content);
        EXPECT_TRUE(failed.isEmpty()) << failed.toStdString();
    }
    QString base() const { return dir + QStringLiteral("/basemain.mdb"); }
    QStringList dataFiles() const { return QDir(dir + QStringLiteral("/data")).entryList(QDir::Files); }
    QString path(const QString& name) const { return m_tmp.filePath(name); }

    QString dir;

private:
    QTemporaryDir m_tmp;
};

// Settings go to a folder of the test's own.
class StartupTest : public testing::Test {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
        QSettings(QStringLiteral("Zelvorant Kodrix"), QStringLiteral("Zelvorant Kodrix")).clear();
    }
    static QVariant setting(const char* key)
    {
        QSettings s(QStringLiteral("Zelvorant Kodrix"), QStringLiteral("Zelvorant Kodrix"));
        return s.value(QStringLiteral("Common/") + QString::fromLatin1(key));
    }

    testsupport::ScriptedPrompter prompter;
    testsupport::RecordingShell desktop;

private:
    QTemporaryDir m_settings;
};

}  // namespace

TEST_F(StartupTest, FormLoadShowsTheCatalogueAndReportsProgress)
{
    AppFolder app(3);
    FrmMain w(app.dir, prompter, desktop);
    FrmSplash splash;
    splash.show();
    const auto loaded = formLoad(w, &splash);
    ASSERT_TRUE(loaded.ok()) << loaded.message().toStdString();

    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(w.windowTitle(), texts::mainTitle());
    // The passes counted to the end before the splash window went.
    EXPECT_EQ(splash.LblNo->text(), QStringLiteral("3 из 3"));
    EXPECT_EQ(splash.step(), texts::stepList());
    EXPECT_EQ(w.Status->panelText(catalogue::PanelArticles), QStringLiteral("Статей: 3"));
    EXPECT_EQ(w.Status->panelText(catalogue::PanelMessage), texts::ready());

    const QStringList fonts = QFontDatabase::families();
    ASSERT_EQ(w.CboFont->count(), fonts.size());
    for (int i = 0; i < w.CboFont->count(); ++i)
        EXPECT_FALSE(w.CboFont->itemText(i).isEmpty());

    EXPECT_FALSE(w.TbMain->isButtonEnabled(catalogue::ToolButton::Extract));
    EXPECT_FALSE(w.TbMain->isButtonEnabled(catalogue::ToolButton::See));
    EXPECT_FALSE(w.TbMain->isButtonEnabled(catalogue::ToolButton::Up));
    EXPECT_EQ(w.TbMain->picture(catalogue::ToolButton::Extract), 8);
    EXPECT_EQ(w.TRTema->caption(), texts::contentsCaption());
    EXPECT_EQ(w.TRFiles->caption(), texts::filesCaption());
    ASSERT_NE(w.Twv->getNode(catalogue::texts::root()), nullptr);
    EXPECT_EQ(w.Twv->selectedNode(), w.Twv->getNode(catalogue::texts::root()));
    // The root was clicked: the folder list shows it.
    EXPECT_EQ(w.txtAddress->text(), QStringLiteral("BaseMain:\\\\Zelvorant Kodrix\\"));
    EXPECT_TRUE(w.LvPapka->isVisible());
    EXPECT_FALSE(w.RTF->isVisible());
}

TEST_F(StartupTest, BrowsingFromTheTreeToAnArticleAndBack)
{
    AppFolder app(3);
    FrmMain w(app.dir, prompter, desktop);
    ASSERT_TRUE(formLoad(w, nullptr).ok());
    catalogue::Node* article =
        w.Twv->getNode(QStringLiteral("Zelvorant Kodrix\\Записи\\Графика\\API\\Статья 2"));
    ASSERT_NE(article, nullptr);
    w.navigation().navigator().treeNodeClick(article);
    EXPECT_TRUE(w.RTF->isVisible());
    EXPECT_FALSE(w.LvPapka->isVisible());
    EXPECT_TRUE(w.txtAddress->text().endsWith(QStringLiteral("Графика\\API\\Статья 2")))
        << w.txtAddress->text().toStdString();
    EXPECT_EQ(w.Status->panelText(catalogue::PanelEntry), QStringLiteral("Статья 2"));
    EXPECT_TRUE(w.TbMain->isButtonEnabled(catalogue::ToolButton::Up));
    EXPECT_TRUE(w.TbMain->isButtonEnabled(catalogue::ToolButton::See));
    EXPECT_FALSE(w.TbMain->isButtonEnabled(catalogue::ToolButton::Extract));
    EXPECT_FALSE(w.MnuEditExtract->isEnabled());

    w.TbMain->button(catalogue::ToolButton::Up)->click();
    EXPECT_FALSE(w.RTF->isVisible());
    EXPECT_TRUE(w.LvPapka->isVisible());
    EXPECT_EQ(w.TbMain->picture(catalogue::ToolButton::Extract), 13);
    EXPECT_EQ(w.txtAddress->text(), QStringLiteral("BaseMain:\\\\Zelvorant Kodrix\\"));
}

// A new entry made with the wizard is filed under both of its paths with its
// own number, and what is typed into it lands in its row.
TEST_F(StartupTest, ANewEntryFromTheWizardIsFiledAndEditedInItsOwnRow)
{
    AppFolder app(3);
    FrmMain w(app.dir, prompter, desktop);
    ASSERT_TRUE(formLoad(w, nullptr).ok());
    EXPECT_TRUE(w.MnuFileAdd->isEnabled());
    EXPECT_TRUE(w.TbMain->isButtonEnabled(catalogue::ToolButton::Add));
    articles::FrmAdd& wizard = w.wizardBinding().wizard();
    wizard.vStep = articles::FrmAdd::NewEntry;
    ASSERT_TRUE(wizard.masterStep());
    wizard.TxtPath->setText(QStringLiteral("Графика\\API\\"));
    wizard.TxtName->setText(QStringLiteral("BitBlt"));
    wizard.cmdGoClick();
    ASSERT_TRUE(prompter.shown.empty());
    EXPECT_EQ(w.Status->panelText(catalogue::PanelArticles), QStringLiteral("Статей: 4"));
    for (const char* path : {"Zelvorant Kodrix\\Установленные базы\\Добавленные пользователем\\Графика\\API\\BitBlt",
                             "Zelvorant Kodrix\\Записи\\Графика\\API\\BitBlt"}) {
        catalogue::Node* n = w.Twv->getNode(QString::fromUtf8(path));
        ASSERT_NE(n, nullptr) << path;
        EXPECT_EQ(n->tag(), QStringLiteral("4"));
    }
    w.navigation().navigator().treeNodeClick(w.Twv->getNode(QStringLiteral("Zelvorant Kodrix\\Записи\\Графика\\API\\BitBlt")));
    ASSERT_TRUE(w.RTF->isVisible());
    w.RTF->setFocus();
    QTest::keyClicks(w.RTF, QStringLiteral("Hello"));
    QCoreApplication::processEvents();
    auto db = store::Database::open(app.base());
    auto rs = (*db)->openRecordset();
    (*rs)->moveTo(4);
    EXPECT_EQ(richtext::plainText((*rs)->bytes(store::ColBody)).trimmed(), QStringLiteral("Hello"));
    (*rs)->moveTo(3);
    EXPECT_TRUE((*rs)->isNull(store::ColBody));
}

// What the wizard's properties commit shows in place is what a rebuild of the
// catalogue would show.
TEST_F(StartupTest, PropertiesRefileTheEntryAsARebuildWould)
{
    AppFolder app(3);
    {
        auto db = store::Database::open(app.base());
        auto rs = (*db)->openRecordset();
        (*rs)->moveTo(2);
        ASSERT_TRUE((*rs)->edit().ok());
        ASSERT_TRUE((*rs)->setValue(store::ColFavorite, 1).ok());
        ASSERT_TRUE((*rs)->setValue(store::ColDeleted, 1).ok());
        ASSERT_TRUE((*rs)->update().ok());
    }
    FrmMain w(app.dir, prompter, desktop);
    ASSERT_TRUE(formLoad(w, nullptr).ok());
    auto snapshot = [&w] {
        QStringList out;
        w.Twv->nodes()->forEachNode([&out](catalogue::Node* n) { out << n->fullPath().toUpper() + QLatin1Char('=') + n->tag(); });
        out.sort();
        catalogue::AlphaIndexModel* index = w.LstAlphaList->items();
        for (int i = 0; i < index->count(); ++i)
            out << index->text(i) + QLatin1Char('#') + QString::number(index->tag(i));
        return out;
    };
    w.state().selItem = QStringLiteral("2");
    ASSERT_TRUE(w.state().goToRecord(w.state().selItem));
    articles::FrmAdd& wizard = w.wizardBinding().wizard();
    wizard.vStep = articles::FrmAdd::Properties;
    ASSERT_TRUE(wizard.masterStep());
    wizard.TxtPath->setText(QStringLiteral("Новая папка"));
    wizard.TxtName->setText(QStringLiteral("Абвгд"));
    wizard.cmdGoClick();
    ASSERT_TRUE(prompter.shown.empty());
    const QStringList patched = snapshot();
    ASSERT_TRUE(catalogue::listAlpha(w.state()).ok());
    EXPECT_EQ(patched, snapshot());
}

// The wizard's "Обзор" and see-also "add" show the organising pickers: the
// folder picker keeps its tree until it gives a folder, the see-also picker
// adds what was picked, and Cancel changes nothing.
TEST_F(StartupTest, TheWizardPicksFoldersAndReferencesFromThePickers)
{
    AppFolder app(3);
    FrmMain w(app.dir, prompter, desktop);
    ASSERT_TRUE(formLoad(w, nullptr).ok());
    articles::FrmAdd& wizard = w.wizardBinding().wizard();
    wizard.vStep = articles::FrmAdd::NewEntry;
    ASSERT_TRUE(wizard.masterStep());
    // Answers the next picker shown: types `text` (nothing: Cancel) and closes it.
    QStringList seen;
    auto answer = [&seen](const QString& text) {
        QTimer::singleShot(0, [&seen, text] {
            auto* picker = qobject_cast<organise::PickerDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            seen << picker->windowTitle();
            if (text.isEmpty()) {
                picker->cancelButton()->click();
                return;
            }
            picker->textBox()->setText(text);
            picker->okButton()->click();
        });
    };
    wizard.TxtPath->setText(QStringLiteral("Было"));
    answer(QString());
    wizard.cmdBrowseClick();
    EXPECT_EQ(wizard.TxtPath->text(), QStringLiteral("Было"));
    answer(QStringLiteral("Графика\\Api"));
    wizard.cmdBrowseClick();
    EXPECT_EQ(wizard.TxtPath->text(), QStringLiteral("Графика\\Api"));

    wizard.vStep = articles::FrmAdd::SeeAlso;
    w.state().selItem = QStringLiteral("1");
    answer(QStringLiteral("Папка\\Статья 2"));
    wizard.cmdSeeAddClick();
    answer(QString());
    wizard.cmdSeeAddClick();
    ASSERT_EQ(wizard.LvSee->topLevelItemCount(), 1);
    EXPECT_EQ(wizard.LvSee->topLevelItem(0)->text(0), QStringLiteral("Папка\\Статья 2"));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Просмотр"), QStringLiteral("Просмотр"), QStringLiteral("Статьи"),
                                 QStringLiteral("Статьи")}));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(StartupTest, EmptyBaseShowsTheRootWithItsBranches)
{
    AppFolder app(0);
    FrmMain w(app.dir, prompter, desktop);
    ASSERT_TRUE(formLoad(w, nullptr).ok());
    for (const char* branch : {"Корзина", "Установленные базы", "Избранное"})
        EXPECT_NE(w.Twv->getNode(catalogue::texts::root() + QStringLiteral("\\") + QString::fromUtf8(branch)), nullptr)
            << branch;
    EXPECT_EQ(w.Status->panelText(catalogue::PanelArticles), QStringLiteral("Статей: 0"));
    EXPECT_TRUE(w.isVisible());
}

TEST_F(StartupTest, EveryWayOfClosingWritesSettingsAndEmptiesTheDataFolder)
{
    const std::pair<const char*, std::function<void(FrmMain&)>> ways[] = {
        {"close box", [](FrmMain& w) { w.close(); }},
        {"File > Exit", [](FrmMain& w) { w.MnuFileExit->trigger(); }},
    };
    for (const auto& [name, close] : ways) {
        SCOPED_TRACE(name);
        QSettings(QStringLiteral("Zelvorant Kodrix"), QStringLiteral("Zelvorant Kodrix")).clear();
        AppFolder app(2);
        Startup startup(app.dir, prompter, desktop);
        QSignalSpy loaded(&startup, &Startup::loaded);
        QSignalSpy finished(&startup, &Startup::finished);
        startup.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return loaded.count() == 1; }, 10000));
        EXPECT_FALSE(startup.splash());  // unloaded by the main window's load
        close(*startup.mainWindow());
        ASSERT_EQ(finished.count(), 1);
        EXPECT_EQ(finished.at(0).at(0).toInt(), 0);
        EXPECT_EQ(setting("BasePath").toString(), app.base());
        EXPECT_EQ(setting("Version").toString(), QStringLiteral("1.1.74"));
        EXPECT_EQ(app.dataFiles(), QStringList{QStringLiteral("zvcreatedir")});
        EXPECT_FALSE(startup.mainWindow()->state().base);
        // The platform ending the program afterwards does not run it twice.
        startup.ensureShutDown();
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(StartupTest, AnEntryNamedAtStartIsOpenedOrReported)
{
    AppFolder app(3);
    for (const auto& [reference, found] : {std::pair{"графика\\api\\СТАТЬЯ 2", true},
                                            std::pair{"Графика\\Статья 9", false}}) {
        SCOPED_TRACE(reference);
        testsupport::ScriptedPrompter prompts;
        Startup startup(app.dir, prompts, desktop);
        startup.setOpenReference(QString::fromUtf8(reference));
        QSignalSpy loaded(&startup, &Startup::loaded);
        startup.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return loaded.count() == 1; }, 10000));
        FrmMain& w = *startup.mainWindow();
        if (found) {
            EXPECT_TRUE(prompts.shown.empty());
            EXPECT_TRUE(w.RTF->isVisibleTo(&w));
            EXPECT_EQ(w.state().displayedEntry, QStringLiteral("2"));
            EXPECT_EQ(w.txtAddress->text(), QStringLiteral("BaseMain:\\\\Графика\\API\\Статья 2"));
        } else {
            ASSERT_EQ(prompts.shown.size(), 1u);
            EXPECT_TRUE(prompts.shown[0].text.contains(QStringLiteral("«Графика\\Статья 9»")));
            EXPECT_FALSE(w.RTF->isVisibleTo(&w));
            EXPECT_TRUE(w.state().displayedEntry.isEmpty());
        }
        w.close();
    }
}

TEST_F(StartupTest, UnopenableBaseIsReportedAndEndsWithFailure)
{
    struct Case {
        const char* name;
        QByteArray contents;  // empty: no file at all
    };
    for (const Case& c : {Case{"missing", {}}, Case{"not a base", QByteArray("this is not a database", 22)}}) {
        SCOPED_TRACE(c.name);
        AppFolder app(-1);
        if (!c.contents.isEmpty())
            testsupport::writeFile(app.base(), c.contents);
        testsupport::ScriptedPrompter prompts;
        Startup startup(app.dir, prompts, desktop);
        QSignalSpy finished(&startup, &Startup::finished);
        startup.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, 10000));
        EXPECT_NE(finished.at(0).at(0).toInt(), 0);
        ASSERT_EQ(prompts.shown.size(), 1u);
        EXPECT_EQ(prompts.shown[0].style, platform::MsgStyle::Critical);
        EXPECT_TRUE(prompts.shown[0].text.contains(app.base())) << prompts.shown[0].text.toStdString();
        // No window is left behind, and nothing was written.
        EXPECT_FALSE(startup.mainWindow());
        EXPECT_FALSE(startup.splash());
        EXPECT_FALSE(setting("Version").isValid());
    }
}

TEST_F(StartupTest, ABaseOpenForReadingOnlyIsBrowsedAndTheStatusBarSaysSo)
{
    AppFolder app(3);
    FrmMain w(app.dir, prompter, desktop);
    // The connection a read-only folder would give; the load keeps it.
    auto base = store::Database::open(app.base(), QString::fromLatin1(store::ConnectText),
                                      store::Database::Access::ReadOnly);
    ASSERT_TRUE(base.ok());
    w.state().base = *base;
    ASSERT_TRUE(formLoad(w, nullptr).ok());
    EXPECT_EQ(w.Status->panelText(catalogue::PanelMessage), QStringLiteral("Только чтение"));
    // Shown whole, in whatever font the desktop gives.
    for (const QLabel* panel : w.Status->findChildren<QLabel*>())
        if (panel->text() == QStringLiteral("Только чтение")) {
            EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(panel->text()));
        }
    EXPECT_TRUE(w.Status->panelToolTip(catalogue::PanelMessage).startsWith(QStringLiteral("База открыта только для чтения")));
    EXPECT_EQ(w.Status->panelText(catalogue::PanelArticles), QStringLiteral("Статей: 3"));
    w.navigation().navigator().treeNodeClick(
        w.Twv->getNode(QStringLiteral("Zelvorant Kodrix\\Записи\\Графика\\API\\Статья 2")));
    EXPECT_TRUE(w.RTF->isVisible());
    EXPECT_EQ(w.Status->panelText(catalogue::PanelEntry), QStringLiteral("Статья 2"));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(StartupTest, TheWindowComesBackAsItWasLeft)
{
    AppFolder app(3);
    const QString api = QStringLiteral("Zelvorant Kodrix\\Записи\\Графика\\API");
    const QString records = QStringLiteral("Zelvorant Kodrix\\Записи");
    const QString bases = QStringLiteral("Zelvorant Kodrix\\Установленные базы");
    QRect geometry;
    int divider = 0;
    {
        Startup startup(app.dir, prompter, desktop);
        QSignalSpy loaded(&startup, &Startup::loaded);
        startup.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return loaded.count() == 1; }, 10000));
        FrmMain& w = *startup.mainWindow();
        w.setWindowState(Qt::WindowNoState);
        w.setGeometry(40, 50, 700, 540);  // inside the test screen
        QCoreApplication::processEvents();
        geometry = w.geometry();
        w.mainLayout().picDividerMouseMove(catalogue::MouseLeft, 0, 600, 0);
        divider = w.mainLayout().splitterWishes().dividerLeft;
        w.MnuViewFile->trigger();
        w.MnuViewTable->trigger();
        catalogue::Navigator& nav = w.navigation().navigator();
        nav.listColumnClick(2);
        nav.listColumnClick(2);  // descending
        // Branches closed at first, opened by the user.
        ASSERT_FALSE(w.Twv->getNode(bases)->isExpanded());
        w.Twv->nodes()->setExpanded(w.Twv->getNode(records + QStringLiteral("\\Графика")), true);
        w.Twv->nodes()->setExpanded(w.Twv->getNode(bases), true);
        nav.treeNodeClick(w.Twv->getNode(api));
        nav.treeNodeClick(w.Twv->getNode(api + QStringLiteral("\\Статья 2")));
        ASSERT_TRUE(w.RTF->isVisible());
        w.close();
    }
    Startup again(app.dir, prompter, desktop);
    QSignalSpy loaded(&again, &Startup::loaded);
    again.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return loaded.count() == 1; }, 10000));
    FrmMain& w = *again.mainWindow();
    EXPECT_EQ(w.geometry(), geometry);
    EXPECT_EQ(w.mainLayout().splitterWishes().dividerLeft, divider);
    EXPECT_FALSE(w.MnuViewFile->isChecked());
    EXPECT_FALSE(w.TRFiles->isVisible());
    EXPECT_TRUE(w.MnuViewContent->isChecked());
    EXPECT_EQ(w.LvPapka->viewMode(), catalogue::ViewMode::Report);
    EXPECT_EQ(w.LvPapka->sortKey(), 2);
    EXPECT_EQ(w.LvPapka->sortOrder(), Qt::DescendingOrder);
    EXPECT_TRUE(w.Twv->getNode(records + QStringLiteral("\\Графика"))->isExpanded());
    EXPECT_TRUE(w.Twv->getNode(bases)->isExpanded());
    // The folder and the article shown last, with the way up from them.
    EXPECT_EQ(w.state().currentFolder, api);
    EXPECT_TRUE(w.RTF->isVisible());
    EXPECT_EQ(w.Status->panelText(catalogue::PanelEntry), QStringLiteral("Статья 2"));
    EXPECT_TRUE(w.TbMain->isButtonEnabled(catalogue::ToolButton::Up));
    w.TbMain->button(catalogue::ToolButton::Up)->click();
    EXPECT_TRUE(w.LvPapka->isVisible());
    EXPECT_EQ(w.txtAddress->text(), QStringLiteral("BaseMain:\\\\") + api + QStringLiteral("\\"));
    // The shutdown record is still written beside it.
    EXPECT_EQ(setting("Version").toString(), QString::fromLatin1(store::ProgramVersion));
}
