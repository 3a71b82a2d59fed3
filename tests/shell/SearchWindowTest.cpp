// The index and the search in the real window: what they find opens through
// the article display, with the hits marked and the stored text untouched.
// GCC 12 sees the scripted input box's answer queue as maybe uninitialised
// when this file inlines it (a false positive of -Wmaybe-uninitialized).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "SmallBase.h"
#include "Scripted.h"
#pragma GCC diagnostic pop

#include "articles/ArticlePane.h"
#include "catalogue/AlphaIndexList.h"
#include "catalogue/PathTree.h"
#include "search/FindList.h"
#include "search/FullTextSearch.h"
#include "search/HitHighlighter.h"
#include "search/SearchTexts.h"
#include "shell/FrmMain.h"
#include "shell/MainToolbar.h"
#include "shell/SearchBinding.h"
#include "shell/ShellTexts.h"
#include "shell/Startup.h"
#include "shell/StatusPanels.h"
#include "store/Database.h"
#include "store/Recordset.h"

#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace shell;

namespace {

QByteArray rtf(const char* text)
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0 Arial;}}\\uc1\\f0 ";
    for (QChar c : QString::fromUtf8(text))
        out += c.unicode() < 0x80 ? QByteArray(1, char(c.unicode())) : "\\u" + QByteArray::number(c.unicode()) + '?';
    return out + "\\par}";
}

class SearchWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_tmp.filePath(QStringLiteral("settings")));
        dir = m_tmp.filePath(QStringLiteral("Программа"));
        QDir().mkpath(dir + QStringLiteral("/data"));
        struct R { const char* path; const char* name; const char* text; int deleted; const char* link; };
        // 1 an article, 2 its copy in the bin, 3 a link, 4 an article without the term.
        std::vector<testsupport::BaseRow> content;
        for (const R& r : {R{"Формы", "Загрузка формы", "Событие Load: ФОРМА загружается, форма видна", 0, ""},
                           R{"Формы", "Загрузка формы", "Старая форма в корзине", 1, ""},
                           R{"Ссылки", "Форум", "Форма на сайте", 0, "https://example.org/forum"},
                           R{"Строки", "Функция Mid", "Часть строки", 0, ""}}) {
            testsupport::BaseRow row{{store::ColPath, QString::fromUtf8(r.path)},
                                     {store::ColName, QString::fromUtf8(r.name)},
                                     {store::ColBody, QString::fromLatin1(rtf(r.text))},
                                     {store::ColKind, *r.link ? 3 : 1},
                                     {store::ColDeleted, r.deleted},
                                     {store::ColBaseName, QStringLiteral("Основная")}};
            if (*r.link)
                row.push_back({store::ColLinkTarget, QString::fromUtf8(r.link)});
            content.push_back(std::move(row));
        }
        const QString failed = testsupport::writeBase(dir + QStringLiteral("/basemain.mdb"), content);
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
        w = std::make_unique<FrmMain>(dir, prompter, desktop);
        ASSERT_TRUE(formLoad(*w, nullptr).ok());
    }
    void search(const QString& terms)
    {
        w->TabMain->setCurrentIndex(2);
        w->TxtFind->setText(terms);
        QTest::keyClick(w->TxtFind, Qt::Key_Return);
        while (w->search().find().running())
            QCoreApplication::processEvents();
    }
    void clickResult(int row)
    {
        QTest::mouseClick(w->LVFind->viewport(), Qt::LeftButton, {},
                          w->LVFind->visualRect(w->LVFind->items()->index(row, 0)).center());
    }
    QByteArray storedBody(qint64 id)
    {
        w->state().rsBase->moveToId(id);
        return w->state().rsBase->bytes(store::ColBody);
    }

    QTemporaryDir m_tmp;
    QString dir;
    testsupport::ScriptedPrompter prompter;
    testsupport::RecordingShell desktop;
    std::unique_ptr<FrmMain> w;
};

}  // namespace

TEST_F(SearchWindowTest, ResultInTheBinOpensWithItsHitsMarkedAndTextUntouched)
{
    search(QStringLiteral("ФОРМ"));
    ASSERT_EQ(w->LVFind->items()->count(), 3);
    EXPECT_EQ(w->Status->panelText(catalogue::PanelMessage), texts::ready());
    EXPECT_TRUE(w->PrProgress->isHidden());
    const QByteArray before = storedBody(2);

    clickResult(1);  // the copy in the bin
    EXPECT_EQ(w->state().displayedId, 2);
    EXPECT_TRUE(w->RTF->isVisible());
    EXPECT_TRUE(w->TbMain->isButtonEnabled(catalogue::ToolButton::Up));
    ASSERT_EQ(w->RTF->extraSelections().size(), 1);
    EXPECT_EQ(w->RTF->extraSelections()[0].cursor.selectedText(), QStringLiteral("форм"));
    QCoreApplication::processEvents();
    EXPECT_EQ(storedBody(2), before);  // marks are no change of the text

    clickResult(0);
    EXPECT_EQ(w->state().displayedId, 1);
    const search::HitHighlighter& hits = w->search().find().hits();
    ASSERT_EQ(hits.count(), 2);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_F3);
    EXPECT_EQ(hits.current(), 1);
    EXPECT_EQ(w->RTF->textCursor().position(), hits.hits()[1].selectionStart());
}

// A link found by its text is launched; the pane keeps the article it showed.
TEST_F(SearchWindowTest, ResultThatIsALinkLaunchesAndLeavesThePaneRow)
{
    search(QStringLiteral("форм"));
    clickResult(0);
    ASSERT_EQ(w->state().displayedId, 1);
    clickResult(2);
    EXPECT_EQ(desktop.opened, std::vector<QString>{QStringLiteral("https://example.org/forum")});
    EXPECT_EQ(w->state().displayedId, 1);
    EXPECT_EQ(w->state().displayedEntry, QStringLiteral("1"));
    EXPECT_EQ(w->state().selItem, QStringLiteral("3"));

    search(QStringLiteral(" , "));
    EXPECT_EQ(w->LVFind->items()->count(), 0);
    EXPECT_EQ(w->Status->panelText(catalogue::PanelMessage), texts::ready());
}

TEST_F(SearchWindowTest, IndexMarksAndOpensTitles)
{
    w->TabMain->setCurrentIndex(1);
    w->TxtAlphaText->setText(QStringLiteral("ф"));
    w->TxtAlphaText->setText(QStringLiteral("фу"));
    catalogue::AlphaIndexModel* titles = w->LstAlphaList->items();
    QStringList marked;
    for (int i = 0; i < titles->count(); ++i)
        if (titles->isMarked(i))
            marked << titles->text(i);
    EXPECT_EQ(marked, QStringList{QStringLiteral("Функция Mid")});  // the bin's copy is not in the index
    QTest::mouseClick(w->LstAlphaList->viewport(), Qt::LeftButton, {},
                      w->LstAlphaList->visualRect(titles->index(titles->count() - 1)).center());
    EXPECT_EQ(w->state().displayedId, 4);
    EXPECT_TRUE(w->RTF->isVisible());
    EXPECT_TRUE(w->RTF->extraSelections().isEmpty());
}

// A page chosen on the tab strip takes the keyboard, so the user can type at
// once; the focus never stays behind on a hidden page or slips to the editor.
TEST_F(SearchWindowTest, AChosenPageTakesTheKeyboard)
{
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->Twv->setFocus();
    const std::pair<int, QWidget*> pages[] = {{2, w->TxtFind}, {1, w->TxtAlphaText}, {0, w->Twv}};
    for (const auto& [page, control] : pages) {
        SCOPED_TRACE(page);
        QTest::mouseClick(w->TabMain, Qt::LeftButton, {}, w->TabMain->tabRect(page).center());
        EXPECT_EQ(QApplication::focusWidget(), control);
    }
}

// What the search writes in the message panel shows whole there.
TEST_F(SearchWindowTest, TheSearchsStatusTextsFitTheirPanel)
{
    w->show();
    QCoreApplication::processEvents();
    const QFontMetrics fm(w->Status->font());
    for (const QString& text : {search::texts::preparing(), search::texts::searching(), search::texts::stopped()}) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_GT(w->Status->panelGeometry(catalogue::PanelMessage).width(), fm.horizontalAdvance(text));
    }
}

// The index without the mouse: Enter in the box opens the first marked title,
// Down goes to it in the list, and Enter there opens the selected one.
TEST_F(SearchWindowTest, TheIndexWorksFromTheKeyboard)
{
    w->TabMain->setCurrentIndex(1);
    w->TxtAlphaText->setText(QStringLiteral("фу"));
    QTest::keyClick(w->TxtAlphaText, Qt::Key_Return);
    EXPECT_EQ(w->state().displayedId, 4);
    EXPECT_TRUE(w->RTF->isVisible());

    w->TxtAlphaText->setText(QStringLiteral("з"));
    QTest::keyClick(w->TxtAlphaText, Qt::Key_Down);
    catalogue::AlphaIndexModel* titles = w->LstAlphaList->items();
    ASSERT_GE(w->LstAlphaList->selectedRow(), 0);
    EXPECT_EQ(titles->text(w->LstAlphaList->selectedRow()), QStringLiteral("Загрузка формы"));
    QTest::keyClick(w->LstAlphaList, Qt::Key_Return);
    EXPECT_EQ(w->state().displayedId, 1);

    // Nothing marked: Enter in the box opens nothing.
    w->TxtAlphaText->setText(QStringLiteral("щщ"));
    QTest::keyClick(w->TxtAlphaText, Qt::Key_Return);
    EXPECT_EQ(w->state().displayedId, 1);
    EXPECT_TRUE(prompter.shown.empty());
}

// The results without the mouse: Down from the box selects the first result,
// Enter opens the selected one with its hits marked, as a click does.
TEST_F(SearchWindowTest, AResultOpensFromTheKeyboard)
{
    search(QStringLiteral("ФОРМ"));
    ASSERT_EQ(w->LVFind->items()->count(), 3);
    QTest::keyClick(w->TxtFind, Qt::Key_Down);
    EXPECT_EQ(w->LVFind->selectedRow(), 0);
    w->LVFind->selectRow(1);  // the copy in the bin
    QTest::keyClick(w->LVFind, Qt::Key_Return);
    EXPECT_EQ(w->state().displayedId, 2);
    EXPECT_TRUE(w->RTF->isVisible());
    EXPECT_EQ(w->RTF->extraSelections().size(), 1);
}
