// The main window's controls and their behaviour: the menu bar, the toolbar,
// the panel toggles and close boxes, the splitters, the pages and the logo.
#include "Scripted.h"

#include "articles/ArticlePane.h"
#include "articles/EditBar.h"
#include "catalogue/FolderList.h"
#include "shell/CoolBar.h"
#include "articles/ArticlePane.h"
#include "articles/EditBar.h"
#include "shell/FrmMain.h"
#include "shell/FrmSplash.h"
#include "shell/LogoAnimation.h"
#include "shell/MainLayout.h"
#include "shell/MainToolbar.h"
#include "shell/ShellTexts.h"
#include "shell/SplitterBar.h"
#include "shell/StatusPanels.h"
#include "shell/Twips.h"
#include "shell/ZelvorantResizer.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTimer>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace shell;

namespace {

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest() : w(QStringLiteral("/nonexistent"), prompter, desktop)
    {
        w.resize(1200, 760);
        w.show();
        layout().formResize();
        layout().picHMouseMove(catalogue::MouseLeft, 0, 500, -1600);
        layout().formResize();
    }
    MainLayout& layout() { return w.mainLayout(); }
    int twY(int px) { return pixelsToTwips(px, screenDpiY()); }

    testsupport::ScriptedPrompter prompter;
    testsupport::RecordingShell desktop;
    FrmMain w;
};

QStringList captions(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

}  // namespace

TEST_F(MainWindowTest, MenuBarHasEveryItemAndLaterCommandsAreDisabled)
{
    const QList<QAction*> tops = w.menuBar()->actions();
    ASSERT_EQ(tops.size(), 4);
    EXPECT_EQ(captions(tops[0]->menu()),
              (QStringList{texts::mnuFileAdd(), texts::mnuFileProp(), QStringLiteral("-"), texts::mnuFileCompress(),
                           texts::mnuFileSend(), texts::mnuFileDel(), QStringLiteral("-"),
                           texts::mnuFilePageSetting(), texts::mnuFilePrint(), QStringLiteral("-"),
                           texts::mnuFileExit()}));
    EXPECT_EQ(captions(tops[1]->menu()),
              (QStringList{texts::mnuEditCopy(), texts::mnuEditAddToFavorites(), texts::mnuEditExtract()}));
    EXPECT_EQ(captions(tops[2]->menu()),
              (QStringList{texts::mnuViewContent(), texts::mnuViewFile(), QStringLiteral("-"),
                           texts::mnuViewLargeIcon(), texts::mnuViewSmallIcon(), texts::mnuViewTable(),
                           QStringLiteral("-"), texts::mnuViewSetting()}));
    EXPECT_EQ(captions(tops[3]->menu()), (QStringList{texts::mnuHelpAbout(), QStringLiteral("-"),
                                                       texts::mnuHomePage(), texts::mnuVbRussian()}));
    EXPECT_TRUE(w.MnuViewContent->isChecked());
    EXPECT_TRUE(w.MnuViewFile->isChecked());
    EXPECT_FALSE(w.MnuFileSend->isEnabled());
    EXPECT_TRUE(w.MnuFileExit->isEnabled());
    // Spelt as the word is, whatever the texts header says.
    EXPECT_EQ(w.MnuFileProp->text(), QStringLiteral("&Свойства"));
}

TEST_F(MainWindowTest, ToolbarKeysTooltipsAndDropDown)
{
    EXPECT_EQ(w.TbMain->keys(), (QStringList{QStringLiteral("add"), QStringLiteral("del"), QStringLiteral("extract"),
                                             QStringLiteral("see"), QStringLiteral("up"), QStringLiteral("copy"),
                                             QStringLiteral("style"), QStringLiteral("print")}));
    EXPECT_EQ(w.TbMain->button(catalogue::ToolButton::Up)->toolTip(), texts::tbUpTip());
    EXPECT_TRUE(w.TbMain->button(catalogue::ToolButton::See)->toolTip().isEmpty());
    for (catalogue::ToolButton b : catalogue::ToolButtons)
        EXPECT_FALSE(w.TbMain->button(b)->icon().isNull()) << catalogue::toolButtonName(b).data();
    // The drop-down of "style" names the three modes by key.
    QMenu* menu = w.TbMain->button(catalogue::ToolButton::Style)->menu();
    ASSERT_NE(menu, nullptr);
    QStringList keys;
    for (QAction* a : menu->actions())
        keys << a->objectName();
    EXPECT_EQ(keys, (QStringList{QStringLiteral("big"), QStringLiteral("small"), QStringLiteral("report")}));
    std::vector<catalogue::ToolMenuItem> clicked;
    QObject::connect(w.TbMain, &MainToolbar::buttonMenuClicked, [&](catalogue::ToolMenuItem item) { clicked.push_back(item); });
    menu->actions()[2]->trigger();
    EXPECT_EQ(clicked, std::vector{catalogue::ToolMenuItem::Report});
}

TEST_F(MainWindowTest, ClosingTheAttachmentsPanelAndShowingItAgain)
{
    const QRect files = w.TRFiles->geometry();
    const QRect bar = w.PicH->geometry();
    QTest::mouseClick(w.TRFiles->closeBox(), Qt::LeftButton, {}, w.TRFiles->closeBox()->rect().center());
    EXPECT_FALSE(w.MnuViewFile->isChecked());
    EXPECT_FALSE(w.TRFiles->isVisible());
    EXPECT_FALSE(w.PicH->isVisible());
    // The article area now reaches down to the status bar.
    EXPECT_GT(w.LvPapka->geometry().bottom(), bar.top());

    w.MnuViewFile->trigger();
    EXPECT_TRUE(w.MnuViewFile->isChecked());
    EXPECT_TRUE(w.TRFiles->isVisible());
    EXPECT_TRUE(w.PicH->isVisible());
    EXPECT_EQ(w.TRFiles->geometry(), files);
    EXPECT_EQ(w.PicH->geometry(), bar);
}

TEST_F(MainWindowTest, HidingTheLeftPanelWidensTheRightArea)
{
    const int divider = w.picDivider->x();
    const int width = w.LvPapka->width();
    w.MnuViewContent->trigger();
    EXPECT_FALSE(w.MnuViewContent->isChecked());
    EXPECT_FALSE(w.TRTema->isVisible());
    EXPECT_FALSE(w.picDivider->isVisible());
    EXPECT_EQ(w.LvPapka->x(), 0);
    EXPECT_GT(w.LvPapka->width(), width);

    QTest::mouseClick(w.TRTema->closeBox(), Qt::LeftButton);  // hidden: nothing to click, nothing happens
    w.MnuViewContent->trigger();
    EXPECT_TRUE(w.TRTema->isVisible());
    EXPECT_TRUE(w.picDivider->isVisible());
    EXPECT_EQ(w.picDivider->x(), divider);
    EXPECT_EQ(w.LvPapka->width(), width);

    QTest::mouseClick(w.TRTema->closeBox(), Qt::LeftButton, {}, w.TRTema->closeBox()->rect().center());
    EXPECT_FALSE(w.MnuViewContent->isChecked());
    EXPECT_FALSE(w.TRTema->isVisible());
}

TEST_F(MainWindowTest, SplittersMoveOnlyWithTheLeftButton)
{
    const MainGeometry before = layout().geometry();
    layout().picDividerMouseMove(catalogue::MouseRight, 0, 900, 0);
    layout().picHMouseMove(catalogue::MouseMiddle, 0, 0, -900);
    EXPECT_EQ(layout().geometry().picDivider, before.picDivider);
    EXPECT_EQ(layout().geometry().PicH, before.PicH);

    // Dragging with the left button moves the bars, and the panels follow.
    QTest::mousePress(w.picDivider, Qt::LeftButton);
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 5), w.picDivider->mapToGlobal(QPointF(60, 5)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.picDivider, &move);
    EXPECT_EQ(layout().geometry().picDivider.left, before.picDivider.left + pixelsToTwips(60, screenDpiX()));
    EXPECT_EQ(w.LvPapka->x(), w.picDivider->x() + twipsToPixels(60, screenDpiX()));

    layout().picHMouseMove(catalogue::MouseLeft, 0, 0, -600);
    EXPECT_EQ(layout().geometry().filesPaneHeight, 2200);
    EXPECT_EQ(w.TRFiles->geometry().bottom() + 1, w.Status->geometry().top());
}

TEST_F(MainWindowTest, ControlsDoNotOverlap)
{
    const QRect cb = w.CB->geometry(), status = w.Status->geometry();
    for (QWidget* c : {static_cast<QWidget*>(w.TRTema), static_cast<QWidget*>(w.LvPapka),
                       static_cast<QWidget*>(w.TRFiles)}) {
        SCOPED_TRACE(c->objectName().toStdString());
        EXPECT_GE(c->geometry().top(), cb.bottom());
        EXPECT_LE(c->geometry().bottom(), status.top());
        EXPECT_LE(c->geometry().right(), w.client->width());
    }
    EXPECT_LE(w.LvPapka->geometry().bottom(), w.TRFiles->geometry().top());
    EXPECT_LE(w.TRTema->geometry().right(), w.LvPapka->geometry().left());
    // The tab strip shows its three tabs above the page.
    EXPECT_EQ(w.TabMain->count(), 3);
    EXPECT_TRUE(w.TabMain->isVisible());
    EXPECT_GT(w.TabMain->height(), 0);
    EXPECT_LE(w.TabMain->tabRect(0).bottom(), w.PicTwv->geometry().top());
    // The progress bar lies inside status panel 2.
    const QRect panel2 = w.Status->panelGeometry(catalogue::PanelProgress).translated(status.topLeft());
    EXPECT_TRUE(panel2.contains(w.PrProgress->geometry())) << panel2.x() << " " << w.PrProgress->x();
}

TEST_F(MainWindowTest, TabsSwitchPages)
{
    struct Case {
        int tab;
        QWidget* shown;
    };
    for (const Case c : {Case{1, w.PicAlpha}, Case{2, w.PicFind}, Case{0, w.PicTwv}}) {
        SCOPED_TRACE(c.tab);
        QTest::mouseClick(w.TabMain, Qt::LeftButton, {}, w.TabMain->tabRect(c.tab).center());
        for (QWidget* page : {w.PicTwv, w.PicAlpha, w.PicFind})
            EXPECT_EQ(page->isVisible(), page == c.shown) << page->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, LogoTurnsThroughThirtyFrames)
{
    LogoAnimation& logo = w.logo();
    EXPECT_EQ(logo.timer()->interval() * 30, 1500);
    logo.showPicture(15);
    std::vector<int> shown;
    for (int i = 0; i < 31; ++i) {
        logo.tick();
        shown.push_back(logo.shownPicture());
    }
    EXPECT_EQ(shown.front(), 2);
    EXPECT_EQ(shown[28], 30);
    EXPECT_EQ(shown[29], 1);
    EXPECT_EQ(shown[30], 2);
    EXPECT_FALSE(w.Image2->pixmap().isNull());
}

TEST_F(MainWindowTest, ViewModesFromToolbarAndMenu)
{
    using catalogue::ViewMode;
    QMenu* dropDown = w.TbMain->button(catalogue::ToolButton::Style)->menu();
    struct Case {
        const char* how;
        std::function<void()> act;
        ViewMode expect;
    };
    const Case cases[] = {
        {"drop-down report", [&] { dropDown->actions()[2]->trigger(); }, ViewMode::Report},
        {"button itself", [&] { w.TbMain->button(catalogue::ToolButton::Style)->click(); }, ViewMode::LargeIcons},
        {"drop-down list", [&] { dropDown->actions()[1]->trigger(); }, ViewMode::List},
        {"drop-down big", [&] { dropDown->actions()[0]->trigger(); }, ViewMode::LargeIcons},
        {"menu table", [&] { w.MnuViewTable->trigger(); }, ViewMode::Report},
        {"menu list", [&] { w.MnuViewSmallIcon->trigger(); }, ViewMode::List},
        {"menu large icons", [&] { w.MnuViewLargeIcon->trigger(); }, ViewMode::LargeIcons},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        c.act();
        EXPECT_EQ(w.LvPapka->viewMode(), c.expect);
    }
}

TEST_F(MainWindowTest, TheWindowAndTheSplashCarryTheProgramsIcon)
{
    FrmSplash splash;
    for (const QWidget* window : {static_cast<const QWidget*>(&w), static_cast<const QWidget*>(&splash)}) {
        SCOPED_TRACE(window->objectName().toStdString());
        const QIcon icon = window->windowIcon();
        ASSERT_FALSE(icon.isNull());
        // The sizes a title bar, a task bar and a switcher ask for, drawn, not scaled.
        for (int size : {16, 32, 48, 256})
            EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        const QImage image = icon.pixmap(QSize(32, 32)).toImage();
        EXPECT_EQ(image.pixelColor(16, 16).alpha(), 255);  // the disc
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);      // transparent round it
    }
}

TEST_F(MainWindowTest, ShrinkingTheWindowLeavesTheArticleHalfTheHeightAndAReadableWidth)
{
    // The tallest attachments panel the splitter allows.
    layout().picHMouseMove(catalogue::MouseLeft, 0, 0, -twY(600));
    const int filesTall = w.TRFiles->height();
    const int dividerAt = w.picDivider->x();
    for (const QSize size : {QSize(800, 600), QSize(500, 350)}) {
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        w.resize(size);
        QCoreApplication::processEvents();
        layout().formResize();
        const int article = w.RTF->geometry().bottom() - w.CBEdit->y();
        EXPECT_GE(article, w.TRFiles->height());
        EXPECT_GE(w.RTF->width(), 300);
    }
    // Back to its size: the panels as the user left them.
    w.resize(1200, 760);
    QCoreApplication::processEvents();
    layout().formResize();
    EXPECT_EQ(w.TRFiles->height(), filesTall);
    EXPECT_EQ(w.picDivider->x(), dividerAt);
}
