// What users expect of a desktop reference, on the real main window over a
// small base: the history, the keys, tooltips for names cut short, "Копировать"
// only with an article, a message for a see-also entry that is gone, and an
// accessible name on every control.
#include "AppFolder.h"
#include "Scripted.h"
#include "SmallBase.h"

#include "articles/ArticlePane.h"
#include "articles/ArticleView.h"
#include "catalogue/FolderList.h"
#include "catalogue/Navigator.h"
#include "catalogue/PathTree.h"
#include "shell/ElidedToolTips.h"
#include "shell/FrmMain.h"
#include "shell/History.h"
#include "shell/MainToolbar.h"
#include "shell/NavigationBinding.h"
#include "shell/Startup.h"
#include "shell/SplitterBar.h"
#include "shell/StatusPanels.h"
#include "shell/ZelvorantResizer.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMimeData>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>
#include <QToolTip>
#include <QAbstractButton>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <map>

using namespace shell;

namespace {

const QString Root = QStringLiteral("Zelvorant Kodrix");
const QString Records = QStringLiteral("Zelvorant Kodrix\\Записи");
const QString Api = QStringLiteral("Zelvorant Kodrix\\Записи\\Графика\\API");
const QString Strings = QStringLiteral("Zelvorant Kodrix\\Записи\\Строки");
const QString LongName =
    QStringLiteral("Очень длинное название статьи, которое не помещается ни в дерево, ни в клетку списка");

// Three lines under a large icon, where the cell holds two.
const QString ThreeLines = QStringLiteral("Сравнение строк StrComp и Like");

std::vector<testsupport::Entry> entries()
{
    testsupport::Entry mid(QStringLiteral("Строки"), QStringLiteral("Mid"));
    mid.seeAlso = QStringLiteral("Строки\\Удалённая статья;;");
    return {{QStringLiteral("Графика\\API"), QStringLiteral("Статья 1")},
            {QStringLiteral("Графика\\API"), QStringLiteral("Статья 2")},
            {QStringLiteral("Строки"), LongName},
            {QStringLiteral("Строки"), ThreeLines},
            mid};
}

class DesktopConventionsTest : public testing::Test {
protected:
    DesktopConventionsTest() : app(entries()), w(app.dir, prompter, desktop)
    {
        EXPECT_TRUE(formLoad(w, nullptr).ok());
        w.setWindowState(Qt::WindowNoState);
        w.setGeometry(0, 0, 1000, 700);
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    }
    catalogue::Navigator& nav() { return w.navigation().navigator(); }
    catalogue::Node* node(const QString& path) { return w.Twv->getNode(path); }
    void click(const QString& path) { nav().treeNodeClick(node(path)); }
    QString shownArticle() { return w.RTF->isVisible() ? w.Status->panelText(catalogue::PanelEntry) : QString(); }
    // The row of the list item with this text, selected.
    int selectItem(const QString& text)
    {
        for (int row = 0; row < w.LvPapka->items()->count(); ++row) {
            if (w.LvPapka->items()->text(row) == text) {
                w.LvPapka->selectRow(row);
                return row;
            }
        }
        ADD_FAILURE() << "no item " << text.toStdString();
        return -1;
    }

    testsupport::AppFolder app;
    testsupport::ScriptedPrompter prompter;
    testsupport::RecordingShell desktop;
    FrmMain w;
};

}  // namespace

TEST_F(DesktopConventionsTest, BackAndForwardGoThroughTheFoldersAndEntriesShown)
{
    click(Api);
    click(Api + QStringLiteral("\\Статья 1"));
    click(Strings);
    ASSERT_EQ(w.state().currentFolder, Strings);

    QTest::keyClick(&w, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(shownArticle(), QStringLiteral("Статья 1"));
    // "up" from it leads to the folder it was opened from.
    EXPECT_EQ(w.state().currentFolder, Api);
    QTest::keyClick(&w, Qt::Key_Left, Qt::AltModifier);
    EXPECT_FALSE(w.RTF->isVisible());
    EXPECT_EQ(w.state().currentFolder, Api);
    EXPECT_EQ(w.txtAddress->text(), QStringLiteral("BaseMain:\\\\") + Api + QStringLiteral("\\"));

    // The mouse's forward button, anywhere in the window.
    QTest::mouseClick(w.LvPapka->currentView()->viewport(), Qt::ForwardButton);
    EXPECT_EQ(shownArticle(), QStringLiteral("Статья 1"));
    QTest::keyClick(&w, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(w.state().currentFolder, Strings);
    EXPECT_FALSE(w.RTF->isVisible());
    EXPECT_FALSE(w.history().canGoForward());

    // A new place after going back drops the places ahead.
    QTest::mouseClick(w.Twv->viewport(), Qt::BackButton);
    QTest::mouseClick(w.Twv->viewport(), Qt::BackButton);
    click(Api + QStringLiteral("\\Статья 2"));
    EXPECT_FALSE(w.history().canGoForward());
    QTest::keyClick(&w, Qt::Key_Left, Qt::AltModifier);
    EXPECT_FALSE(w.RTF->isVisible());
    EXPECT_EQ(w.state().currentFolder, Api);
}

TEST_F(DesktopConventionsTest, EnterOpensAFolderAndBackspaceGoesUp)
{
    ASSERT_EQ(w.state().currentFolder, Root);
    w.LvPapka->currentView()->setFocus();
    selectItem(QStringLiteral("Записи"));
    QTest::keyClick(w.LvPapka->currentView(), Qt::Key_Return);
    EXPECT_EQ(w.state().currentFolder, Records);
    EXPECT_TRUE(w.TbMain->isButtonEnabled(catalogue::ToolButton::Up));
    QTest::keyClick(w.LvPapka->currentView(), Qt::Key_Backspace);
    EXPECT_EQ(w.state().currentFolder, Root);
    // Gone back to, the top has no way up, as at the start.
    QTest::keyClick(&w, Qt::Key_Left, Qt::AltModifier);
    QTest::keyClick(&w, Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(w.state().currentFolder, Root);
    EXPECT_FALSE(w.TbMain->isButtonEnabled(catalogue::ToolButton::Up));

    // Enter on an entry still opens it.
    click(Strings);
    selectItem(QStringLiteral("Mid"));
    QTest::keyClick(w.LvPapka->currentView(), Qt::Key_Enter);
    EXPECT_EQ(shownArticle(), QStringLiteral("Mid"));
}

TEST_F(DesktopConventionsTest, TheMenuKeyAndShiftF10OpenTheSelectionsContextMenu)
{
    click(Strings);
    selectItem(QStringLiteral("Mid"));
    QTest::keyClick(w.LvPapka->currentView(), Qt::Key_Menu);
    ASSERT_TRUE(nav().itemMenu()->isVisible());
    nav().itemMenu()->close();
    QTest::keyClick(w.LvPapka->currentView(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(nav().itemMenu()->isVisible());
    nav().itemMenu()->close();

    // In the tree, and the next key moves as keys do rather than opening menus.
    w.Twv->selectNode(node(Api + QStringLiteral("\\Статья 1")));
    w.Twv->setFocus();
    QTest::keyClick(w.Twv, Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(nav().itemMenu()->isVisible());
    nav().itemMenu()->close();
    QTest::keyClick(w.Twv, Qt::Key_Down);
    EXPECT_FALSE(nav().itemMenu()->isVisible());
    EXPECT_EQ(shownArticle(), QStringLiteral("Статья 2"));
}

TEST_F(DesktopConventionsTest, F5LoadsWhatAnotherProgramAddedAndTheBoxKeysFindTheirBoxes)
{
    {
        auto other = store::Database::open(app.base());
        ASSERT_TRUE(other.ok());
        auto rs = (*other)->openRecordset();
        ASSERT_TRUE(rs.ok());
        const QString failed = testsupport::addRow(**rs, {{store::ColPath, QStringLiteral("Строки")},
                                                          {store::ColName, QStringLiteral("Добавлена рядом")},
                                                          {store::ColKind, 1}});
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
    }
    click(Strings);
    EXPECT_EQ(node(Strings + QStringLiteral("\\Добавлена рядом")), nullptr);
    QTest::keyClick(&w, Qt::Key_F5);
    EXPECT_NE(node(Strings + QStringLiteral("\\Добавлена рядом")), nullptr);
    // The folder shown is listed anew, and stays the tree's selection.
    EXPECT_EQ(w.Twv->selectedNode(), node(Strings));
    bool listed = false;
    for (int row = 0; row < w.LvPapka->items()->count(); ++row)
        listed = listed || w.LvPapka->items()->text(row) == QStringLiteral("Добавлена рядом");
    EXPECT_TRUE(listed);
    EXPECT_EQ(w.Status->panelText(catalogue::PanelArticles), QStringLiteral("Статей: 6"));
    EXPECT_TRUE(prompter.shown.empty());

    QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(w.TabMain->currentIndex(), 2);
    EXPECT_TRUE(w.PicFind->isVisible());
    EXPECT_TRUE(w.TxtFind->hasFocus());
    QTest::keyClick(&w, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.TabMain->currentIndex(), 1);
    EXPECT_TRUE(w.PicAlpha->isVisible());
    EXPECT_TRUE(w.TxtAlphaText->hasFocus());
}

TEST_F(DesktopConventionsTest, ANameCutShortShowsWholeInATooltip)
{
    // A window narrow enough that the long name fits neither the tree nor the list.
    w.resize(700, 600);
    QCoreApplication::processEvents();
    w.Twv->nodes()->setExpanded(node(Strings), true);
    QCoreApplication::processEvents();
    const auto centre = [this](const QString& path) {
        return w.Twv->visualRect(w.Twv->nodes()->indexOf(node(path))).center();
    };
    EXPECT_EQ(ElidedToolTips::toolTipAt(w.Twv, centre(Strings + QStringLiteral("\\") + LongName)), LongName);
    EXPECT_EQ(ElidedToolTips::toolTipAt(w.Twv, centre(Strings + QStringLiteral("\\Mid"))), QString());

    click(Strings);
    for (catalogue::ViewMode mode : {catalogue::ViewMode::LargeIcons, catalogue::ViewMode::List,
                                     catalogue::ViewMode::Report}) {
        SCOPED_TRACE(int(mode));
        w.LvPapka->setViewMode(mode);
        QCoreApplication::processEvents();
        QAbstractItemView* view = w.LvPapka->currentView();
        if (mode == catalogue::ViewMode::Report)
            w.LvPapka->reportView()->header()->resizeSection(0, 150);
        const auto itemCentre = [&](const QString& text) {
            for (int row = 0; row < w.LvPapka->items()->count(); ++row)
                if (w.LvPapka->items()->text(row) == text)
                    return view->visualRect(w.LvPapka->items()->index(row, 0)).center();
            return QPoint(-1, -1);
        };
        EXPECT_EQ(ElidedToolTips::toolTipAt(view, itemCentre(LongName)), LongName);
        EXPECT_EQ(ElidedToolTips::toolTipAt(view, itemCentre(QStringLiteral("Mid"))), QString());
        // The one-line list gives each name its own width.
        EXPECT_EQ(ElidedToolTips::toolTipAt(view, itemCentre(ThreeLines)),
                  mode == catalogue::ViewMode::List ? QString() : ThreeLines);
    }

    // The tooltip request the toolkit sends when the mouse rests on the name.
    w.LvPapka->setViewMode(catalogue::ViewMode::LargeIcons);
    QCoreApplication::processEvents();
    QAbstractItemView* icons = w.LvPapka->currentView();
    QPoint at(-1, -1);
    for (int row = 0; row < w.LvPapka->items()->count(); ++row)
        if (w.LvPapka->items()->text(row) == LongName)
            at = icons->visualRect(w.LvPapka->items()->index(row, 0)).center();
    QHelpEvent request(QEvent::ToolTip, at, icons->viewport()->mapToGlobal(at));
    QApplication::sendEvent(icons->viewport(), &request);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), LongName);
    QToolTip::hideText();
}

TEST_F(DesktopConventionsTest, CopyIsThereOnlyWithAnArticle)
{
    EXPECT_FALSE(w.MnuEditCopy->isEnabled());
    EXPECT_FALSE(w.TbMain->isButtonEnabled(catalogue::ToolButton::Copy));
    click(Strings + QStringLiteral("\\Mid"));
    EXPECT_TRUE(w.MnuEditCopy->isEnabled());
    EXPECT_TRUE(w.TbMain->isButtonEnabled(catalogue::ToolButton::Copy));

    // Ctrl+C in the article and "Копировать" leave the same formats, the same bytes.
    const auto clipboard = [] {
        std::map<QString, QByteArray> formats;
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        for (const QString& format : data ? data->formats() : QStringList())
            formats[format] = data->data(format);
        QGuiApplication::clipboard()->clear();
        return formats;
    };
    w.RTF->setFocus();
    w.RTF->selectAll();
    QTest::keyClick(w.RTF, Qt::Key_C, Qt::ControlModifier);
    const auto byKey = clipboard();
    w.MnuEditCopy->trigger();
    const auto byMenu = clipboard();
    EXPECT_EQ(byKey, byMenu);
    EXPECT_TRUE(byKey.contains(QStringLiteral("text/rtf")));
    EXPECT_EQ(byKey.count(QStringLiteral("text/plain")) ? byKey.at(QStringLiteral("text/plain")) : QByteArray(),
              w.RTF->toPlainText().toUtf8());

    w.TbMain->button(catalogue::ToolButton::Up)->click();
    EXPECT_FALSE(w.MnuEditCopy->isEnabled());
    EXPECT_FALSE(w.TbMain->isButtonEnabled(catalogue::ToolButton::Copy));
}

TEST_F(DesktopConventionsTest, ASeeAlsoEntryThatIsGoneIsReported)
{
    click(Strings + QStringLiteral("\\Mid"));
    const QList<QAction*>& items = w.articleView().seeAlsoItems();
    ASSERT_FALSE(items.isEmpty());
    ASSERT_TRUE(items.front()->isVisible());
    items.front()->trigger();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown[0].text.contains(QStringLiteral("«Строки\\Удалённая статья»")))
        << prompter.shown[0].text.toStdString();
    EXPECT_TRUE(prompter.shown[0].text.contains(QStringLiteral("не найдена")));
    EXPECT_EQ(shownArticle(), QStringLiteral("Mid"));
}

TEST_F(DesktopConventionsTest, EveryControlHasAnAccessibleName)
{
    int checked = 0;
    for (QWidget* control : w.findChildren<QWidget*>()) {
        const bool isControl = qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control) ||
                               qobject_cast<QAbstractItemView*>(control) || qobject_cast<QTextEdit*>(control) ||
                               qobject_cast<QComboBox*>(control) || qobject_cast<QTabBar*>(control) ||
                               qobject_cast<QProgressBar*>(control) || control == w.picDivider ||
                               control == w.PicH || control == w.TRTema->closeBox() ||
                               control == w.TRFiles->closeBox();
        // Parts that belong to a control (a combo box's list, a table's header).
        bool part = qobject_cast<QHeaderView*>(control) != nullptr;
        for (QWidget* up = control->parentWidget(); up && !part; up = up->parentWidget())
            part = qobject_cast<QComboBox*>(up) != nullptr;
        if (!isControl || part)
            continue;
        ++checked;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(a, nullptr);
        EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
            << control->metaObject()->className() << " " << control->objectName().toStdString();
    }
    EXPECT_GT(checked, 30);
}
